// SettingsTest.cpp -- the folders the XDG rules give, and settings.ini against every file a
// player's disk may hold in its place.
#include "records/Settings.h"
#include "records/RecordsHome.h"

#include <sys/stat.h>

using SettingsTest = RecordsHome;

TEST_F(SettingsTest, FoldersFollowTheXdgRules) {
    EXPECT_EQ(userFolderPath(ConfigFolder), root + "/config/vorlusk");
    EXPECT_EQ(userFolderPath(DataFolder), root + "/data/vorlusk");
    setenv("XDG_DATA_HOME", "//", 1); // the root, as "$folder/" makes it of an empty folder
    EXPECT_EQ(userFolderPath(DataFolder), "/vorlusk");
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    setenv("XDG_DATA_HOME", "", 1);
    EXPECT_EQ(userFolderPath(ConfigFolder), root + "/home/.config/vorlusk");
    EXPECT_EQ(userFolderPath(DataFolder), root + "/home/.local/share/vorlusk");
    setenv("HOME", "home", 1);
    EXPECT_EQ(userFolderPath(ConfigFolder), "");
    unsetenv("HOME");
    EXPECT_EQ(settingsPath(), "");
}

TEST_F(SettingsTest, RoundTripsThroughAPrivateFolder) {
    CSettings saved;
    saved.fullscreen = false;
    saved.windowW = 1280;
    saved.windowH = 720;
    saved.volume = 40;
    saved.muted = true;
    ASSERT_TRUE(saveSettings(saved, nullptr));
    std::string text = readText(settingsPath());
    EXPECT_EQ(text[0], '#');
    EXPECT_NE(text.find("window=1280x720\n"), std::string::npos);
    struct stat info;
    ASSERT_EQ(stat(userFolderPath(ConfigFolder).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    CSettings loaded;
    EXPECT_EQ(stderrLines([&] { loadSettings(&loaded); }), 0);
    EXPECT_FALSE(loaded.fullscreen);
    EXPECT_EQ(loaded.windowW, 1280);
    EXPECT_EQ(loaded.windowH, 720);
    EXPECT_EQ(loaded.volume, 40);
    EXPECT_TRUE(loaded.muted);
}

TEST_F(SettingsTest, MissingOrEmptyFilesAreTheDefaultsSilently) {
    CSettings loaded;
    loaded.volume = 30;
    EXPECT_EQ(stderrLines([&] { loadSettings(&loaded); }), 0);
    EXPECT_EQ(loaded.volume, VOLUME_MAX);
    EXPECT_TRUE(loaded.fullscreen);
    writeText(settingsPath(), "");
    EXPECT_EQ(stderrLines([&] { loadSettings(&loaded); }), 0);
    EXPECT_EQ(loaded.windowW, 0);
}

TEST_F(SettingsTest, AbsurdValuesAreClampedAndCrLfAccepted) {
    CSettings s;
    EXPECT_EQ(
        parseSettings("# c\r\nwindow=99999999999999x-5\r\nvolume=-30\r\nfuture_key=7\r\n", &s), 0);
    EXPECT_EQ(s.windowW, WINDOW_MAX_SIDE);
    EXPECT_EQ(s.windowH, WINDOW_MIN_H);
    EXPECT_EQ(s.volume, 0);
    EXPECT_EQ(parseSettings("volume=87\n", &s), 0);
    EXPECT_EQ(s.volume, 90);
    EXPECT_EQ(parseSettings("volume=1000\nwindow = 0x0 \n", &s), 0);
    EXPECT_EQ(s.volume, VOLUME_MAX);
    EXPECT_EQ(s.windowW, 0);
    // Only 0x0 means unsized; a line may run to 256 characters.
    EXPECT_EQ(parseSettings("window=0x500\n#" + std::string(255, 'c') + "\n", &s), 0);
    EXPECT_EQ(s.windowW, WINDOW_MIN_W);
    EXPECT_EQ(s.windowH, 500);
    EXPECT_EQ(parseSettings("#" + std::string(256, 'c') + "\n", &s), 1);
}

TEST_F(SettingsTest, BadLinesCostOneLineNamingTheFirstAndTheRestIsUsed) {
    const std::string nul("bad\0line\n", 9);
    const std::string cases[] = {
        "volume=20\n\x01\xff\xfe garbage \x80\nfullscreen=maybe\n",
        "volume=20\n" + nul + "window=12x\n",
        "volume=20\n" + std::string(100000 / 2, 'v') + "\nmuted=2\n",
        "volume=20\nwindow\n=3\n",
    };
    for (const std::string& text : cases) {
        writeText(settingsPath(), text);
        CSettings loaded;
        std::string out;
        EXPECT_EQ(stderrLines([&] { loadSettings(&loaded); }, &out), 1);
        EXPECT_EQ(out.rfind("vorlusk: " + settingsPath() + ": line 2 ", 0), 0u) << out;
        EXPECT_EQ(loaded.volume, 20);
    }
}

TEST_F(SettingsTest, OversizedOrUnreadableFilesAreTheDefaults) {
    writeText(settingsPath(), std::string(70 * 1024, '\n') + "volume=20\n");
    CSettings loaded;
    std::string out;
    EXPECT_EQ(stderrLines([&] { loadSettings(&loaded); }, &out), 1);
    EXPECT_NE(out.find(settingsPath()), std::string::npos);
    EXPECT_EQ(loaded.volume, VOLUME_MAX);
    std::filesystem::remove(settingsPath());
    std::filesystem::create_directory(settingsPath());
    EXPECT_EQ(stderrLines([&] { loadSettings(&loaded); }), 1);
}

TEST_F(SettingsTest, AFolderThatCannotBeMadeCostsOneLineOnce) {
    // Running as root, permissions stop nothing: a regular file stands where a folder must go.
    writeText(root + "/config", "not a folder");
    CFileComplaint complaint;
    std::string out;
    EXPECT_EQ(stderrLines(
                  [&] {
                      EXPECT_FALSE(saveSettings(CSettings(), &complaint));
                      EXPECT_FALSE(saveSettings(CSettings(), &complaint));
                  },
                  &out),
              1);
    EXPECT_EQ(out.rfind("vorlusk: " + settingsPath() + ": ", 0), 0u) << out;
}

TEST_F(SettingsTest, NoHomeAtAllCostsOneLineOnce) {
    unsetenv("HOME");
    unsetenv("XDG_CONFIG_HOME");
    CSettings loaded;
    EXPECT_EQ(stderrLines([&] { loadSettings(&loaded); }), 0);
    CFileComplaint complaint;
    EXPECT_EQ(stderrLines([&] {
                  EXPECT_FALSE(saveSettings(loaded, &complaint));
                  EXPECT_FALSE(saveSettings(loaded, &complaint));
              }),
              1);
}
