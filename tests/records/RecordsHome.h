// RecordsHome.h -- a fresh folder standing in for the player's home, with HOME and both XDG
// variables pointing into it, removed after the test with the variables put back: the records tests
// never touch the real one.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>

class RecordsHome : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "vorlusk-XXXXXX").string();
        ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
        root = pattern;
        for (int i = 0; i < 3; ++i) {
            const char* value = std::getenv(VARIABLES[i]);
            saved[i] = value != nullptr ? std::make_unique<std::string>(value) : nullptr;
        }
        setenv("HOME", (root + "/home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    }
    void TearDown() override {
        std::filesystem::remove_all(root);
        for (int i = 0; i < 3; ++i) {
            if (saved[i] != nullptr) {
                setenv(VARIABLES[i], saved[i]->c_str(), 1);
            } else {
                unsetenv(VARIABLES[i]);
            }
        }
    }

    static void writeText(const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string readText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // How many lines a run of `body` prints on standard error, and the output in *text.
    template <typename Body> static int stderrLines(Body body, std::string* text = nullptr) {
        testing::internal::CaptureStderr();
        body();
        std::string out = testing::internal::GetCapturedStderr();
        if (text != nullptr) {
            *text = out;
        }
        return static_cast<int>(std::count(out.begin(), out.end(), '\n'));
    }

    std::string root;

  private:
    static constexpr const char* VARIABLES[3] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
    std::unique_ptr<std::string> saved[3];
};
