// Shared fixture of the format tests: a fresh temporary directory, a fresh numerics context and a
// fake clipboard.
#pragma once

#include "formats/matrix_text_io.h"
#include "numerics/library_state.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

namespace zelvora::testing {

class tFakeClipboard : public tClipboardPort {
public:
    bool SetText(std::string_view text) override
    {
        if (!Available)
            return false;
        Content = std::string(text);
        return true;
    }
    bool SetPicture(const tPicture&) override { return Available; }
    std::optional<std::string> Text() const override { return Content; }
    bool Available = true;
    std::optional<std::string> Content;
};

class FormatFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        directory = std::filesystem::temp_directory_path()
            / ("zelvora-formats-" + std::to_string(::getpid()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory);
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    std::string PathOf(const std::string& name) const { return (directory / name).string(); }

    static std::string ReadBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    static void WriteBytes(const std::string& path, const std::string& bytes)
    {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }

    tNumericsContextScope numerics;
    tFakeClipboard clipboard;
    std::filesystem::path directory;
};

} // namespace zelvora::testing
