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
#include <cstring>
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
    const char* file;
    Format format;
    std::function<snd::Stereo()> render;
    // MP3 decoders may overshoot slightly: the decoded peak is held under a ceiling.
    snd::Mp3Peaks peaks = {};
};

// Encoding adds up to a decibel and a half to a limited track's peaks. Where it adds more, the
// track is limited that much harder, so it keeps its loudness.
constexpr double kTrackCeilingDb = snd::kTrackPeakDb + 1.5;

void lowerTrackPeaks(snd::Stereo& track, double db) {
    snd::masterTrack(track, snd::gainToDb(snd::peak(track)) - db);
}

// The file's name within Audio/, from the path the game opens.
const char* inAudio(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash != nullptr ? slash + 1 : path;
}

std::vector<Asset> assets() {
    using snd::Stereo;
    return {
        {inAudio(ALIEN_SHOT_SOUND), Format::Mp3, snd::alienShot},
        {inAudio(ALIEN_HIT_SOUND), Format::Mp3, snd::alienHit},
        {inAudio(THRUST_BASE_SOUND), Format::WavLoop, snd::thrustBase},
        {inAudio(THRUST_FADE_SOUND), Format::WavLoop, snd::thrustFade},
        {inAudio(THRUST_ROAR_SOUND), Format::Mp3, snd::thrustRoar},
        {inAudio(THRUST_ALARM_SOUND), Format::WavOnce, snd::thrustAlarm},
        {inAudio(SHIP_EXPLOSION_SOUND),
         Format::Mp3,
         snd::shipExplosion,
         {snd::kExplosionStackDb, snd::explosionStackPeak}},
        {inAudio(SHIP_CRASH_SOUND), Format::Mp3, snd::shipCrash},
        {inAudio(CIVIL_BATTLE_TRACK),
         Format::Mp3,
         [] { return renderSong(snd::civilBattle()); },
         {kTrackCeilingDb, snd::peak, lowerTrackPeaks}},
        {inAudio(COLONIAL_BATTLE_TRACK),
         Format::Mp3,
         [] { return renderSong(snd::colonialBattle()); },
         {kTrackCeilingDb, snd::peak, lowerTrackPeaks}},
        {inAudio(ROCKMAN_BATTLE_TRACK),
         Format::Mp3,
         [] { return renderSong(snd::rockmanBattle()); },
         {kTrackCeilingDb, snd::peak, lowerTrackPeaks}},
        {inAudio(ZOLTAN_BATTLE_TRACK),
         Format::Mp3,
         [] { return renderSong(snd::zoltanBattle()); },
         {kTrackCeilingDb, snd::peak, lowerTrackPeaks}},
    };
}

// Renders and writes one asset, then reports its levels as decoded from the written file.
std::string build(const Asset& asset, const std::filesystem::path& dir) {
    const snd::Stereo sound = asset.render();
    const std::string path = (dir / asset.file).string();
    if (asset.format == Format::Mp3) {
        snd::writeMp3(path, sound, kMp3Quality, asset.peaks);
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
                  asset.file, static_cast<double>(sound.size()) / snd::kRate,
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
    const std::filesystem::path dir = std::filesystem::path(argv[1]) / "Audio";
    std::filesystem::create_directories(dir);
    // Every asset renders from its own seed, so building them side by side changes nothing in
    // the files; two at a time matches the build machines.
    std::vector<Asset> list = assets();
    if (argc == 3) {
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](const Asset& a) {
                                      return std::string(a.file).find(argv[2]) == std::string::npos;
                                  }),
                   list.end());
    }
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
