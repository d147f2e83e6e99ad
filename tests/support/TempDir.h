#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

// Runs a test inside a fresh temporary working directory, with helpers to
// write fixture files into it.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        old = std::filesystem::current_path();
        std::string tmpl = (std::filesystem::temp_directory_path() / "yk-test-XXXXXX").string();
        dir = mkdtemp(tmpl.data());
        std::filesystem::current_path(dir);
    }
    void TearDown() override
    {
        std::filesystem::current_path(old);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    void WriteFile(const std::string& path, const std::string& text)
    {
        std::filesystem::path p = dir / path;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p) << text;
    }
    std::string ReadFile(const std::string& path)
    {
        std::ifstream in(dir / path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path dir;
    std::filesystem::path old;
};
