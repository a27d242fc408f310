// vorlusk-sound <data-dir>: renders every sound and battle track of the game into <data-dir>/Audio.
#include "dsp/AudioFile.h"
#include "dsp/Dynamics.h"
#include "effects/Sounds.h"
#include "music/Sequencer.h"
#include "music/tracks/Tracks.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <vector>

namespace {

enum class Format { Wav, Mp3 };

struct Asset {
    const char* file;
    Format format;
    int kbps;
    std::function<snd::Stereo()> render;
};

// The game opens these exact names; the odd extension of the engine hum is part of that.
std::vector<Asset> assets() {
    using snd::Stereo;
    return {
        {"Alien Shot.mp3", Format::Mp3, 128, snd::alienShot},
        {"Alien Hit.mp3", Format::Mp3, 128, snd::alienHit},
        {"Thrust Base.Wav", Format::Wav, 0, snd::thrustBase},
        {"Thrust Fade.wav", Format::Wav, 0, snd::thrustFade},
        {"Thrust Roar (Cropped).mp3", Format::Mp3, 128, snd::thrustRoar},
        {"Thrust Alarm.wav", Format::Wav, 0, snd::thrustAlarm},
        {"Ship Explosion.mp3", Format::Mp3, 128, snd::shipExplosion},
        {"Ship Crash.mp3", Format::Mp3, 128, snd::shipCrash},
        {"FTL - Civil Battle.mp3", Format::Mp3, 112, [] { return renderSong(snd::civilBattle()); }},
        {"FTL - Colonial Battle.mp3", Format::Mp3, 112,
         [] { return renderSong(snd::colonialBattle()); }},
        {"FTL - Rockman Battle.mp3", Format::Mp3, 112,
         [] { return renderSong(snd::rockmanBattle()); }},
        {"FTL - Zoltan Battle.mp3", Format::Mp3, 112,
         [] { return renderSong(snd::zoltanBattle()); }},
    };
}

// Renders and writes one asset, then reports its levels as decoded from the written file.
std::string build(const Asset& asset, const std::filesystem::path& dir) {
    const snd::Stereo sound = asset.render();
    const std::string path = (dir / asset.file).string();
    if (asset.format == Format::Wav) {
        snd::writeWav(path, sound);
    } else {
        // MP3 decoders may overshoot slightly; keep a margin under -1 dBFS.
        snd::writeMp3(path, sound, asset.kbps, -1.2);
    }
    const snd::Stereo heard = snd::readAudio(path);
    char line[256];
    std::snprintf(line, sizeof line,
                  "%-28s %7.2f s  peak %6.2f dBFS  rms %6.2f dBFS  loudest 200 ms %6.2f dBFS\n",
                  asset.file, static_cast<double>(sound.size()) / snd::kRate,
                  snd::gainToDb(snd::peak(heard)), snd::gainToDb(snd::rms(heard)),
                  snd::gainToDb(snd::loudestWindowRms(heard, 0.2)));
    return line;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data-dir>\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const std::filesystem::path dir = std::filesystem::path(argv[1]) / "Audio";
    std::filesystem::create_directories(dir);
    // Every asset renders from its own seed, so building them side by side changes nothing in
    // the files; two at a time matches the build machines.
    const std::vector<Asset> list = assets();
    std::vector<std::string> report(list.size());
    for (std::size_t i = 0; i < list.size(); i += 2) {
        auto second = std::async(std::launch::async, [&, i] {
            return i + 1 < list.size() ? build(list[i + 1], dir) : std::string();
        });
        report[i] = build(list[i], dir);
        if (i + 1 < list.size()) {
            report[i + 1] = second.get();
        }
    }
    for (const std::string& line : report) {
        std::fputs(line.c_str(), stdout);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("rendered %zu files into %s in %.1f s\n", list.size(), dir.string().c_str(),
                seconds);
    return 0;
}
