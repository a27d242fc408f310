// Settings.cpp -- settings.ini: `key=value` lines, read leniently and written whole.
#include "records/Settings.h"

#include <algorithm>
#include <cstdio>

namespace settings_detail {

constexpr std::size_t SETTINGS_MAX_BYTES = 64 * 1024;
constexpr std::size_t SETTINGS_LINE_MAX = 256;

std::string trimmed(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A decimal integer with an optional sign over the whole of `text`, saturating far beyond any
// value a setting takes so that an absurd one is clamped, not refused.
bool parseNumber(const std::string& text, long* value) {
    std::size_t at = text.size() > 0 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (at == text.size()) {
        return false;
    }
    long magnitude = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9') {
            return false;
        }
        magnitude = std::min(magnitude * 10 + (text[at] - '0'), 1000000000L);
    }
    *value = text[0] == '-' ? -magnitude : magnitude;
    return true;
}

bool parseFlag(const std::string& text, bool* flag) {
    if (text != "0" && text != "1") {
        return false;
    }
    *flag = text == "1";
    return true;
}

int clampSide(long side, int smallest) {
    return static_cast<int>(std::clamp<long>(side, smallest, WINDOW_MAX_SIDE));
}

// One line's setting into *settings; false when the line is not understood.
bool parseSettingLine(const std::string& line, CSettings* settings) {
    if (line.size() > SETTINGS_LINE_MAX) {
        return false;
    }
    for (char c : line) {
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) {
            return false;
        }
    }
    std::string text = trimmed(line);
    if (text.empty() || text[0] == '#' || text[0] == ';') {
        return true;
    }
    std::size_t equals = text.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    std::string key = trimmed(text.substr(0, equals));
    std::string value = trimmed(text.substr(equals + 1));
    long number = 0;
    if (key == "fullscreen") {
        return parseFlag(value, &settings->fullscreen);
    }
    if (key == "muted") {
        return parseFlag(value, &settings->muted);
    }
    if (key == "volume") {
        if (!parseNumber(value, &number)) {
            return false;
        }
        number = std::clamp<long>(number, 0, VOLUME_MAX);
        settings->volume = static_cast<int>((number + VOLUME_STEP / 2) / VOLUME_STEP * VOLUME_STEP);
        return true;
    }
    if (key == "window") {
        std::size_t by = value.find('x');
        long w = 0;
        long h = 0;
        if (by == std::string::npos || !parseNumber(value.substr(0, by), &w) ||
            !parseNumber(value.substr(by + 1), &h)) {
            return false;
        }
        // 0x0 is a window the player has not sized yet.
        bool unsized = w == 0 && h == 0;
        settings->windowW = unsized ? 0 : clampSide(w, WINDOW_MIN_W);
        settings->windowH = unsized ? 0 : clampSide(h, WINDOW_MIN_H);
        return true;
    }
    // A key a later version may have written is let be; anything else is not a key.
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.';
    });
}

} // namespace settings_detail

std::string settingsPath() {
    std::string folder = userFolderPath(ConfigFolder);
    return folder.empty() ? std::string() : folder + "/settings.ini";
}

int parseSettings(const std::string& text, CSettings* settings) {
    int firstBad = 0;
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        ++number;
        if (!settings_detail::parseSettingLine(line, settings) && firstBad == 0) {
            firstBad = number;
        }
        start = end + 1;
    }
    return firstBad;
}

std::string formatSettings(const CSettings& settings) {
    return "# Vorlusk settings, rewritten by the game when they change\n"
           "fullscreen=" +
           std::to_string(settings.fullscreen ? 1 : 0) +
           "\nwindow=" + std::to_string(settings.windowW) + "x" + std::to_string(settings.windowH) +
           "\nvolume=" + std::to_string(settings.volume) +
           "\nmuted=" + std::to_string(settings.muted ? 1 : 0) + "\n";
}

void loadSettings(CSettings* settings) {
    *settings = CSettings();
    std::string path = settingsPath();
    if (path.empty()) {
        return;
    }
    std::string text;
    std::string error;
    ReadStatus status = readFileWhole(path, settings_detail::SETTINGS_MAX_BYTES, &text, &error);
    if (status == ReadMissing) {
        return;
    }
    if (status != ReadOk) {
        std::fprintf(stderr, "vorlusk: %s: %s; using the default settings\n", path.c_str(),
                     error.c_str());
        return;
    }
    int bad = parseSettings(text, settings);
    if (bad != 0) {
        std::fprintf(stderr, "vorlusk: %s: line %d is not understood; the other lines are used\n",
                     path.c_str(), bad);
    }
}

bool saveSettings(const CSettings& settings, CFileComplaint* complaint) {
    std::string path = settingsPath();
    if (path.empty()) {
        complainOnce(complaint, "vorlusk: neither XDG_CONFIG_HOME nor HOME names a folder; the "
                                "settings are not kept");
        return false;
    }
    std::string text = formatSettings(settings);
    std::string error;
    if (!makeFolder(userFolderPath(ConfigFolder), &error) ||
        !writeFileWhole(path, text.data(), text.size(), &error)) {
        complainOnce(complaint, "vorlusk: " + path + ": " + error + "; the settings are not kept");
        return false;
    }
    return true;
}
