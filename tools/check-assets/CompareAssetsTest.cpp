// vorlusk-compare-assets-test <data-dir>: the comparer's limits tried on real assets. Each case
// copies one asset into a scratch pair of folders, changes one side as a library update or a
// change of ours would, and checks that the comparer lets the first kind pass and names the file
// of the second.
#include "Verdict.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sndfile.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct CSound {
    SF_INFO info{};
    std::vector<float> samples; // interleaved
};

struct CFixture {
    fs::path data;
    fs::path root;
    int passed = 0;
    int failed = 0;

    fs::path expected() const { return root / "expected"; }
    fs::path actual() const { return root / "actual"; }

    // Both folders hold `name` as it is in data/; `change` then alters the actual side.
    void lay(const std::string& name) {
        fs::remove_all(root);
        fs::create_directories(expected());
        fs::create_directories(actual());
        fs::copy_file(data / name, expected() / fs::path(name).filename());
        fs::copy_file(data / name, actual() / fs::path(name).filename());
    }

    void expect(const std::string& what, const std::string& file, bool shouldMatch) {
        std::FILE* report = std::tmpfile();
        const int differing = compareFolders(expected(), actual(), report);
        std::rewind(report);
        std::string text;
        char line[512];
        std::string fileLine;
        while (std::fgets(line, sizeof line, report) != nullptr) {
            text += line;
            if (std::string(line).find(file) != std::string::npos) {
                fileLine = line;
            }
        }
        std::fclose(report);
        const bool named = fileLine.rfind("DIFFERS", 0) == 0;
        const bool ok = shouldMatch ? differing == 0 : differing > 0 && named;
        ++(ok ? passed : failed);
        if (!fileLine.empty() && fileLine.back() == '\n') {
            fileLine.pop_back();
        }
        std::printf("%s %-46s| %s\n", ok ? "PASS" : "FAIL", what.c_str(),
                    fileLine.substr(std::min<std::size_t>(fileLine.size(), 8)).c_str());
        if (!ok) {
            std::printf("%s", text.c_str());
        }
    }
};

SDL_Surface* loadRgba(const fs::path& path) {
    SDL_Surface* raw = IMG_Load(path.c_str());
    if (raw == nullptr) {
        return nullptr;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(raw);
    return rgba;
}

// Loads the picture at `path`, lets `change` work on it, and writes it back as the same kind.
bool rewriteImage(const fs::path& path, const std::function<void(SDL_Surface*)>& change,
                  int jpegQuality = 0) {
    SDL_Surface* s = loadRgba(path);
    if (s == nullptr) {
        return false;
    }
    change(s);
    const int result =
        jpegQuality > 0 ? IMG_SaveJPG(s, path.c_str(), jpegQuality) : IMG_SavePNG(s, path.c_str());
    SDL_FreeSurface(s);
    return result == 0;
}

// Sets every pixel of a size x size square at the picture's centre with `paint`.
void paintSquare(SDL_Surface* s, int size, const std::function<void(Uint8*)>& paint) {
    for (int y = s->h / 2 - size / 2; y < s->h / 2 - size / 2 + size; ++y) {
        for (int x = s->w / 2 - size / 2; x < s->w / 2 - size / 2 + size; ++x) {
            paint(static_cast<Uint8*>(s->pixels) + y * s->pitch + 4 * x);
        }
    }
}

void grey(Uint8* p, Uint8 level) {
    p[0] = p[1] = p[2] = level;
    p[3] = 255;
}

bool readSound(const fs::path& path, CSound* sound) {
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &sound->info);
    if (f == nullptr) {
        return false;
    }
    sound->samples.resize(static_cast<std::size_t>(sound->info.frames) * sound->info.channels);
    const sf_count_t got = sf_readf_float(f, sound->samples.data(), sound->info.frames);
    sound->samples.resize(static_cast<std::size_t>(got) * sound->info.channels);
    sound->info.frames = got;
    sf_close(f);
    return true;
}

// Writes as 16-bit WAV, or as MP3 at libsndfile's VBR `mp3Quality` (0 best .. 1 smallest).
bool writeSound(const fs::path& path, const CSound& sound, double mp3Quality = -1.0) {
    SF_INFO info{};
    info.samplerate = sound.info.samplerate;
    info.channels = sound.info.channels;
    info.format = mp3Quality >= 0.0 ? SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III
                                    : SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (f == nullptr) {
        return false;
    }
    if (mp3Quality >= 0.0) {
        int mode = SF_BITRATE_MODE_VARIABLE;
        sf_command(f, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
        sf_command(f, SFC_SET_COMPRESSION_LEVEL, &mp3Quality, sizeof mp3Quality);
    }
    const auto frames = static_cast<sf_count_t>(sound.samples.size() / info.channels);
    const bool ok = sf_writef_float(f, sound.samples.data(), frames) == frames;
    sf_close(f);
    return ok;
}

// A 1 kHz sine of `rmsDb` dBFS RMS added to every channel.
void addTone(CSound* s, double rmsDb) {
    const double amplitude = std::sqrt(2.0) * std::pow(10.0, rmsDb / 20.0);
    const int ch = s->info.channels;
    for (std::size_t i = 0; i < s->samples.size(); ++i) {
        const double t = static_cast<double>(i / ch) / s->info.samplerate;
        s->samples[i] += static_cast<float>(amplitude * std::sin(2.0 * M_PI * 1000.0 * t));
    }
}

// Later by `frames` (earlier if negative), the length kept.
void shift(CSound* s, long frames) {
    const long ch = s->info.channels;
    std::vector<float> out(s->samples.size(), 0.0f);
    const long n = static_cast<long>(s->samples.size()) / ch;
    for (long i = 0; i < n; ++i) {
        const long from = i - frames;
        if (from >= 0 && from < n) {
            for (long c = 0; c < ch; ++c) {
                out[static_cast<std::size_t>(i * ch + c)] =
                    s->samples[static_cast<std::size_t>(from * ch + c)];
            }
        }
    }
    s->samples = out;
}

void scale(CSound* s, float gain) {
    for (float& v : s->samples) {
        v *= gain;
    }
}

// Decodes the actual side's `file`, changes it and encodes it again as `mp3Quality` says.
bool rewriteSound(CFixture& t, const std::string& file, const std::function<void(CSound*)>& change,
                  double mp3Quality = -1.0) {
    CSound s;
    if (!readSound(t.actual() / file, &s)) {
        return false;
    }
    change(&s);
    return writeSound(t.actual() / file, s, mp3Quality);
}

std::string firstWithExtension(const fs::path& data, const std::string& ext) {
    for (const auto& entry : fs::recursive_directory_iterator(data)) {
        std::string e = entry.path().extension().string();
        for (char& c : e) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (entry.is_regular_file() && e == ext) {
            return entry.path().lexically_relative(data).generic_string();
        }
    }
    return "";
}

bool sameBytes(const fs::path& a, const fs::path& b) {
    std::ifstream x(a, std::ios::binary);
    std::ifstream y(b, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(x), {}) ==
           std::string(std::istreambuf_iterator<char>(y), {});
}

void imageCases(CFixture& t, const std::string& name) {
    const std::string file = fs::path(name).filename().string();
    const fs::path actual = t.actual() / file;
    t.lay(name);
    rewriteImage(actual, [](SDL_Surface*) {});
    if (sameBytes(t.expected() / file, actual)) {
        std::printf(
            "(libpng wrote the same bytes as the generator: the next case tries nothing)\n");
    }
    t.expect("PNG re-encoded by another encoder", file, true);

    // Both sides get a grey square, the actual one lighter by `step`.
    for (int step : {2, 3}) {
        t.lay(name);
        rewriteImage(t.expected() / file,
                     [](SDL_Surface* s) { paintSquare(s, 10, [](Uint8* p) { grey(p, 100); }); });
        rewriteImage(actual, [step](SDL_Surface* s) {
            paintSquare(s, 10, [step](Uint8* p) { grey(p, static_cast<Uint8>(100 + step)); });
        });
        t.expect("PNG 10x10 square " + std::to_string(step) + " levels lighter", file, step <= 2);
    }

    t.lay(name);
    rewriteImage(actual, [](SDL_Surface* s) {
        paintSquare(s, 10, [](Uint8* p) {
            p[0] = 40;
            p[1] = 200;
            p[2] = 60;
            p[3] = 255;
        });
    });
    t.expect("PNG 10x10 square painted green", file, false);

    // Colour under an alpha of 3 cannot be seen, and encoders round it freely.
    t.lay(name);
    rewriteImage(t.expected() / file, [](SDL_Surface* s) {
        paintSquare(s, 10, [](Uint8* p) {
            p[0] = p[1] = p[2] = 200;
            p[3] = 3;
        });
    });
    rewriteImage(actual, [](SDL_Surface* s) {
        paintSquare(s, 10, [](Uint8* p) {
            p[0] = p[1] = p[2] = 120;
            p[3] = 3;
        });
    });
    t.expect("PNG faint square's colour 80 levels off", file, true);

    t.lay(name);
    {
        SDL_Surface* s = loadRgba(actual);
        SDL_Surface* narrower =
            SDL_CreateRGBSurfaceWithFormat(0, s->w - 1, s->h, 32, s->format->format);
        SDL_BlitSurface(s, nullptr, narrower, nullptr);
        IMG_SavePNG(narrower, actual.c_str());
        SDL_FreeSurface(narrower);
        SDL_FreeSurface(s);
    }
    t.expect("PNG a column narrower", file, false);

    t.lay(name);
    fs::resize_file(actual, fs::file_size(actual) / 2);
    t.expect("PNG cut in half", file, false);
}

void jpegCases(CFixture& t, const std::string& name) {
    const std::string file = fs::path(name).filename().string();
    const fs::path actual = t.actual() / file;
    t.lay(name);
    rewriteImage(
        actual, [](SDL_Surface*) {}, 95);
    t.expect("JPEG decoded and encoded again at quality 95", file, true);

    t.lay(name);
    rewriteImage(
        actual, [](SDL_Surface* s) { paintSquare(s, 10, [](Uint8* p) { grey(p, 255); }); }, 95);
    t.expect("JPEG with a white 10x10 square, at quality 95", file, false);
}

void soundCases(CFixture& t, const std::string& wav, const std::string& mp3) {
    const std::string w = fs::path(wav).filename().string();
    const std::string m = fs::path(mp3).filename().string();
    const std::vector<std::pair<double, bool>> tones = {{-70.0, true}, {-50.0, false}};
    for (const auto& [db, passes] : tones) {
        t.lay(wav);
        rewriteSound(t, w, [db = db](CSound* s) { addTone(s, db); });
        char what[80];
        std::snprintf(what, sizeof what, "WAV with a 1 kHz tone at %.0f dBFS added", db);
        t.expect(what, w, passes);
    }
    t.lay(wav);
    rewriteSound(t, w, [](CSound* s) { scale(s, 0.999f); });
    t.expect("WAV 0.01 dB quieter", w, true);
    t.lay(wav);
    rewriteSound(t, w, [](CSound* s) { scale(s, 0.7f); });
    t.expect("WAV 3 dB quieter", w, false);
    t.lay(wav);
    rewriteSound(t, w, [](CSound* s) { shift(s, 3); });
    t.expect("WAV 3 frames later", w, true);
    t.lay(wav);
    rewriteSound(t, w, [](CSound* s) { s->samples.resize(s->samples.size() + 2 * 2000, 0.0f); });
    t.expect("WAV 2000 frames of silence longer", w, false);

    // Encoded again at the same setting, a sound takes on coding noise of its own, as under an
    // encoder of other habits; at 0.3, as under a better one.
    for (double quality : {0.6, 0.3}) {
        t.lay(mp3);
        rewriteSound(
            t, m, [](CSound*) {}, quality);
        char what[80];
        std::snprintf(what, sizeof what, "MP3 decoded and encoded again at VBR %.1f", quality);
        t.expect(what, m, true);
    }
    t.lay(mp3);
    rewriteSound(
        t, m, [](CSound* s) { shift(s, -5); }, 0.6);
    t.expect("MP3 5 frames earlier, encoded again", m, true);
    t.lay(mp3);
    rewriteSound(
        t, m, [](CSound* s) { scale(s, 0.7f); }, 0.6);
    t.expect("MP3 3 dB quieter, encoded again", m, false);
    t.lay(mp3);
    rewriteSound(
        t, m, [](CSound* s) { addTone(s, -35.0); }, 0.6);
    t.expect("MP3 with a -35 dBFS tone, encoded again", m, false);
}

void folderCases(CFixture& t, const std::string& text) {
    const std::string file = fs::path(text).filename().string();
    t.lay(text);
    {
        std::fstream f(t.actual() / file, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(10);
        f.put('#');
    }
    t.expect("text with one byte changed", file, false);
    t.lay(text);
    fs::remove(t.actual() / file);
    t.expect("file missing from the regenerated side", file, false);
    t.lay(text);
    fs::copy_file(t.data / text, t.actual() / "Extra.txt");
    t.expect("file only on the regenerated side", "Extra.txt", false);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data-dir>\n", argv[0]);
        return 2;
    }
    CFixture t;
    t.data = argv[1];
    t.root = fs::temp_directory_path() / ("vorlusk-compare-test-" + std::to_string(getpid()));
    const std::string png = firstWithExtension(t.data, ".png");
    const std::string jpeg = firstWithExtension(t.data, ".jpg");
    const std::string wav = firstWithExtension(t.data, ".wav");
    const std::string mp3 = firstWithExtension(t.data, ".mp3");
    const std::string text = firstWithExtension(t.data, ".md");
    if (png.empty() || jpeg.empty() || wav.empty() || mp3.empty() || text.empty()) {
        std::fprintf(stderr, "%s: no PNG, JPEG, WAV, MP3 and .md file each under %s\n", argv[0],
                     argv[1]);
        return 2;
    }
    imageCases(t, png);
    jpegCases(t, jpeg);
    soundCases(t, wav, mp3);
    folderCases(t, text);
    fs::remove_all(t.root);
    std::printf("%d passed, %d failed\n", t.passed, t.failed);
    return t.failed == 0 ? 0 : 1;
}
