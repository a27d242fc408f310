// vorlusk-sound <data-dir> [name]: renders every sound and battle track of the game into
// <data-dir>/Audio, or only those whose file name contains `name` while one is being worked on.
#include "dsp/AudioFile.h"
#include "dsp/Dynamics.h"
#include "dsp/Loudness.h"
#include "effects/Sounds.h"
#include "music/Sequencer.h"
#include "music/tracks/Tracks.h"
#include "shared/AssetNames.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <vector>

namespace {

// Loops are heard end to start, so they are written as exact PCM and measured repeated.
enum class Format { Mp3, WavOnce, WavLoop };

// One variable-rate setting for every MP3 keeps the four tracks inside about 8 MB together.
constexpr double kMp3Quality = 0.6;

struct Asset {
    // Relative to the data folder, as the game opens it.
    const char* file;
    Format format;
    std::function<snd::Stereo()> render;
};

std::vector<Asset> assets() {
    using snd::Stereo;
    return {
        {ALIEN_SHOT_SOUND, Format::Mp3, snd::alienShot},
        {ALIEN_HIT_SOUND, Format::Mp3, snd::alienHit},
        {THRUST_BASE_SOUND, Format::WavLoop, snd::thrustBase},
        {THRUST_FADE_SOUND, Format::WavLoop, snd::thrustFade},
        {THRUST_ROAR_SOUND, Format::Mp3, snd::thrustRoar},
        {THRUST_ALARM_SOUND, Format::WavOnce, snd::thrustAlarm},
        {SHIP_EXPLOSION_SOUND, Format::Mp3, snd::shipExplosion},
        {SHIP_CRASH_SOUND, Format::Mp3, snd::shipCrash},
        {CIVIL_BATTLE_TRACK, Format::Mp3, [] { return renderSong(snd::civilBattle()); }},
        {COLONIAL_BATTLE_TRACK, Format::Mp3, [] { return renderSong(snd::colonialBattle()); }},
        {ROCKMAN_BATTLE_TRACK, Format::Mp3, [] { return renderSong(snd::rockmanBattle()); }},
        {ZOLTAN_BATTLE_TRACK, Format::Mp3, [] { return renderSong(snd::zoltanBattle()); }},
    };
}

std::filesystem::path placeOf(const Asset& asset, const std::filesystem::path& data) {
    return (data / asset.file).lexically_normal();
}

std::string nameOf(const Asset& asset) {
    return std::filesystem::path(asset.file).filename().string();
}

// Renders and writes one asset, then reports its levels as decoded from the written file.
std::string build(const Asset& asset, const std::filesystem::path& data) {
    const snd::Stereo sound = asset.render();
    const std::string path = placeOf(asset, data).string();
    if (asset.format == Format::Mp3) {
        // MP3 decoders may overshoot slightly; keep a margin under -1 dBFS.
        snd::writeMp3(path, sound, kMp3Quality, -1.2);
    } else {
        snd::writeWav(path, sound);
    }
    snd::Stereo heard = snd::readAudio(path);
    if (asset.format == Format::WavLoop) {
        const snd::Stereo once = heard;
        heard.mix(once, once.size());
        heard.mix(once, 2 * once.size());
    }
    const snd::Loudness l = snd::measureLoudness(heard);
    char line[256];
    std::snprintf(line, sizeof line,
                  "%-26s %6.2f s %6.2f dBFS  I %6.1f  S max %6.1f  M max %6.1f LUFS  LRA %4.1f LU  "
                  "%5.0f kB\n",
                  nameOf(asset).c_str(), static_cast<double>(sound.size()) / snd::kRate,
                  snd::gainToDb(snd::peak(heard)), l.integrated, l.shortTermMax, l.momentaryMax,
                  l.range, static_cast<double>(std::filesystem::file_size(path)) / 1000.0);
    return line;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <data-dir> [name]\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const std::filesystem::path data = argv[1];
    // Every asset renders from its own seed, so building them side by side changes nothing in
    // the files; two at a time matches the build machines.
    std::vector<Asset> list = assets();
    if (argc == 3) {
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](const Asset& a) {
                                      return nameOf(a).find(argv[2]) == std::string::npos;
                                  }),
                   list.end());
    }
    // Made one after another before the two threads write into them.
    for (const Asset& a : list) {
        std::filesystem::create_directories(placeOf(a, data).parent_path());
    }
    std::vector<std::string> report(list.size());
    for (std::size_t i = 0; i < list.size(); i += 2) {
        auto second = std::async(std::launch::async, [&, i] {
            return i + 1 < list.size() ? build(list[i + 1], data) : std::string();
        });
        report[i] = build(list[i], data);
        if (i + 1 < list.size()) {
            report[i + 1] = second.get();
        }
    }
    for (const std::string& line : report) {
        std::fputs(line.c_str(), stdout);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // Every sound lies in the one folder.
    const std::filesystem::path dir =
        list.empty() ? data : placeOf(list.front(), data).parent_path();
    std::printf("rendered %zu files into %s in %.1f s\n", list.size(), dir.string().c_str(),
                seconds);
    return 0;
}
