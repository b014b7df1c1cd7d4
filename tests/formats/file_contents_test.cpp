// Whole files read at once: exact bytes whatever the size says, nothing for what is no file.
#include "format_test_support.h"

#include <string>

namespace zelvora {
namespace {

using FileContents = testing::FormatFileTest;

TEST_F(FileContents, ReadsEveryByteOfFilesOfAnySize)
{
    for (const std::size_t size :
        { std::size_t { 0 }, std::size_t { 1 }, std::size_t { 4097 }, std::size_t { 5 } << 20 }) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>((i * 131 + 7) % 256);
        const std::string path = PathOf("data.bin");
        WriteBytes(path, bytes);
        const std::optional<tFileContents> contents = tFileContents::Read(path);
        ASSERT_TRUE(contents) << size;
        EXPECT_EQ(contents->View(), bytes) << size;
        EXPECT_EQ(ReadWholeFile(path), bytes) << size;
    }
}

TEST_F(FileContents, ReadsOnPastASizeOfZero)
{
    // Files of the kernel report the size 0 and still have contents.
    const std::optional<tFileContents> contents = tFileContents::Read("/proc/self/status");
    ASSERT_TRUE(contents);
    EXPECT_NE(contents->View().find("VmRSS"), std::string_view::npos);
}

TEST_F(FileContents, GivesNothingForDirectoriesAndMissingFiles)
{
    EXPECT_FALSE(tFileContents::Read(directory.string()));
    EXPECT_FALSE(tFileContents::Read(PathOf("missing.csv")));
    EXPECT_FALSE(tFileContents::Read(""));
}

} // namespace
} // namespace zelvora
