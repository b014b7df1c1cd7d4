// A write that fails (here: past a file-size limit) keeps the old file whole and leaves no
// temporary file, in every matrix file format.
#include "format_test_support.h"
#include "formats/text_matrix_writer.h"
#include "text/replacing_file.h"
#include "variables/variable.h"

#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zelvora {
namespace {

using FailedWriteTest = testing::FormatFileTest;

constexpr const char* OldBytes = "the old file";

tVariable Values(std::int32_t rows, std::int32_t cols)
{
    trealmatrix m(rows, cols);
    for (std::int32_t r = 1; r <= rows; ++r)
        for (std::int32_t c = 1; c <= cols; ++c)
            m(r, c) = (r * 7 + c) % 100 + 0.25L; // each fits a LAD field of 8
    tVariable v;
    VarSetMatrix(v, m, tgPlain);
    return v;
}

// Runs the write in a child process whose files may not grow past 100 bytes; the child's exit
// status says whether the write reported success (1) or failure (0).
int WriteUnderSizeLimit(const std::string& type, const std::string& path)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { 100, 100 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool ok = WriteMatrixFile(Values(15, 15), type, path).Ok();
        ::_exit(ok ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST_F(FailedWriteTest, KeepsTheOldFileInEveryFormat)
{
    for (const std::string type : { "CSV", "BIN", "OXF", "BMP", "HEX", "LAD", "PARI" }) {
        SCOPED_TRACE(type);
        const std::string path = PathOf("m." + type);
        {
            std::ofstream old(path, std::ios::binary);
            old << OldBytes;
        }
        EXPECT_EQ(WriteUnderSizeLimit(type, path), 0) << "the write must report its failure";
        EXPECT_EQ(ReadBytes(path), OldBytes);
        // Without a limit the same write replaces the file.
        ASSERT_TRUE(WriteMatrixFile(Values(15, 15), type, path).Ok());
        EXPECT_NE(ReadBytes(path), OldBytes);
    }
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory))
        ++files;
    EXPECT_EQ(files, 7u) << "a temporary file was left behind";
}

TEST_F(FailedWriteTest, ReplacementKeepsPermissionsAndLinks)
{
    const std::string target = PathOf("target.csv");
    const std::string link = PathOf("link.csv");
    {
        std::ofstream old(target, std::ios::binary);
        old << OldBytes;
    }
    ::chmod(target.c_str(), 0640);
    std::filesystem::create_symlink(target, link);

    ASSERT_EQ(ReplaceFileContents(link, "new"), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "new");
    struct stat status { };
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST_F(FailedWriteTest, AnUncommittedFileLeavesNothingBehind)
{
    const std::string target = PathOf("never.csv");
    {
        tReplacingFile file(target);
        ASSERT_TRUE(file.IsOpen());
        ASSERT_TRUE(file.Write("half"));
    }
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_TRUE(std::filesystem::is_empty(directory));
    EXPECT_NE(ReplaceFileContents(PathOf("missing/x.csv"), "x"), 0);
}

} // namespace
} // namespace zelvora
