// Whole files read at once, copied or mapped: exact bytes whatever the size says, a fault for
// what is no file.
#include "variables/file_contents.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvora {
namespace {

namespace fs = std::filesystem;

class FileContents : public ::testing::Test {
protected:
    void SetUp() override
    {
        directory = fs::temp_directory_path()
            / ("zelvora-file-contents-" + std::to_string(::getpid()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(directory);
    }
    void TearDown() override { fs::remove_all(directory); }

    std::string PathOf(const std::string& name) const { return (directory / name).string(); }
    static void WriteBytes(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    fs::path directory;
};

TEST_F(FileContents, CopiesAndMapsEveryByteOfFilesOfAnySize)
{
    for (const std::size_t size :
        { std::size_t { 0 }, std::size_t { 1 }, std::size_t { 4097 }, std::size_t { 5 } << 20 }) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>((i * 131 + 7) % 256);
        const std::string path = PathOf("data.bin");
        WriteBytes(path, bytes);
        for (const tFileHold hold : { tFileHold::Copy, tFileHold::Map }) {
            tFileFault fault = tFileFault::CannotOpen;
            std::optional<tFileContents> contents
                = tFileContents::Read(path, &fault, nullptr, hold);
            ASSERT_TRUE(contents) << size;
            EXPECT_EQ(fault, tFileFault::None);
            // Moved contents keep their bytes (a mapping is not released twice).
            const tFileContents moved = std::move(*contents);
            EXPECT_EQ(moved.View(), bytes) << size;
        }
    }
}

TEST_F(FileContents, ReadsOnPastASizeOfZeroAndThroughPipes)
{
    // Files of the kernel report the size 0 and still have contents; mapping copies them too.
    for (const tFileHold hold : { tFileHold::Copy, tFileHold::Map }) {
        const std::optional<tFileContents> contents
            = tFileContents::Read("/proc/self/status", nullptr, nullptr, hold);
        ASSERT_TRUE(contents);
        EXPECT_NE(contents->View().find("VmRSS"), std::string_view::npos);
    }
    const std::string pipe = PathOf("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::thread writer([&pipe] { WriteBytes(pipe, std::string(100000, 'p')); });
    const std::optional<tFileContents> piped
        = tFileContents::Read(pipe, nullptr, nullptr, tFileHold::Map);
    writer.join();
    ASSERT_TRUE(piped);
    EXPECT_EQ(piped->View(), std::string(100000, 'p'));
}

TEST_F(FileContents, NamesTheFaultOfWhatIsNoReadableFile)
{
    const auto faultOf = [](const std::string& path) {
        tFileFault fault = tFileFault::None;
        EXPECT_FALSE(tFileContents::Read(path, &fault, nullptr, tFileHold::Map)) << path;
        EXPECT_FALSE(tFileContents::Read(path, nullptr)) << path;
        return fault;
    };
    EXPECT_EQ(faultOf(directory.string()), tFileFault::CannotOpen);
    EXPECT_EQ(faultOf(PathOf("missing.csv")), tFileFault::CannotOpen);
    EXPECT_EQ(faultOf(""), tFileFault::CannotOpen);
    EXPECT_EQ(faultOf("/dev/zero"), tFileFault::NotAFile);
    EXPECT_EQ(FileFaultText(tFileFault::NotAFile, "/dev/zero"),
        "Datei /dev/zero ist keine gew\xF6hnliche Datei");
    EXPECT_EQ(FileFaultText(tFileFault::CannotOpen, "d.csv"),
        "Datei d.csv konnte nicht ge\xF6"
        "ffnet werden");
    EXPECT_EQ(FileFaultText(tFileFault::TooLarge, "d.csv"),
        "Datei d.csv ist zu gro\xDF (mehr als 4 GiB)");
    EXPECT_EQ(FileFaultText(tFileFault::None, "d.csv"), "");
}

} // namespace
} // namespace zelvora
