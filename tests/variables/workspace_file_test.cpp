// Workspace files: the byte layout, a bit-exact round trip of every kind of variable, and loads of
// missing, truncated and corrupted files that leave the store as it was.
#include "support/recording_display_ports.h"
#include "variables/workspace_file.h"

#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace zelvora {
namespace {

namespace fs = std::filesystem;

bool SameBits(long double a, long double b)
{
    return std::memcmp(&a, &b, 10) == 0;
}

void ExpectSameVariable(const tVariable& a, const tVariable& b)
{
    SCOPED_TRACE(a.name);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.datatype, b.datatype);
    EXPECT_EQ(a.tag, b.tag);
    EXPECT_EQ(a.shape, b.shape);
    EXPECT_EQ(a.intvalue, b.intvalue);
    EXPECT_TRUE(SameBits(a.realvalue, b.realvalue));
    EXPECT_EQ(a.boolvalue, b.boolvalue);
    EXPECT_EQ(a.strvalue, b.strvalue);
    EXPECT_EQ(a.matrix.IsAbsent(), b.matrix.IsAbsent());
    ASSERT_EQ(a.matrix.Dims(), b.matrix.Dims());
    for (std::int32_t r = 1; r <= a.matrix.Rows(); ++r)
        for (std::int32_t c = 1; c <= a.matrix.Cols(); ++c)
            EXPECT_TRUE(SameBits(a.matrix(r, c), b.matrix(r, c))) << r << "," << c;
    EXPECT_EQ(a.strmatrix.IsAbsent(), b.strmatrix.IsAbsent());
    EXPECT_EQ(a.strmatrix, b.strmatrix);
}

tVariable Named(tVariable v, const std::string& name)
{
    v.name = name;
    return v;
}

// One variable of every shape and datatype, with values that only a bit-exact copy keeps.
std::vector<tVariable> SampleVariables()
{
    std::vector<tVariable> all;
    tVariable v;
    VarSetReal(v, MissingValue());
    all.push_back(Named(v, "missing"));
    VarSetReal(v, -std::numeric_limits<long double>::denorm_min());
    all.push_back(Named(v, "tiny"));
    VarSetReal(v, -0.0L);
    all.push_back(Named(v, "negzero"));
    VarSetInteger(v, INT32_MIN);
    all.push_back(Named(v, "n"));
    VarSetBoolean(v, true);
    all.push_back(Named(v, "b"));
    VarSetString(v, "");
    all.push_back(Named(v, "emptystring"));
    VarSetString(v, std::string("\xE4\0z", 3));
    all.push_back(Named(v,
        "\xFC"
        "ber"));

    trealmatrix m(2, 3);
    for (std::int32_t r = 1; r <= 2; ++r)
        for (std::int32_t c = 1; c <= 3; ++c)
            m(r, c) = std::ldexp(1.0L / (r * 3 + c), 1000 * c) * (r == 2 ? -1 : 1);
    VarSetMatrix(v, m, tgPlain);
    all.push_back(Named(v, "A"));
    VarSetIntMatrix(v, trealmatrix(3, 1), tgLogical);
    v.matrix(3, 1) = -2147483647;
    all.push_back(Named(v, "I"));
    VarSetBoolMatrix(v, trealmatrix(1, 2), tgLogical);
    v.matrix(1, 2) = 1;
    all.push_back(Named(v, "L"));
    VarSetMatrix(v, trealmatrix(0, 4), tgPlain);
    all.push_back(Named(v, "Z"));
    tStringmatrix s(2, 2);
    s(1, 1) = "";
    s(1, 2) = "abc";
    s(2, 1) = std::string(300, 'x');
    s(2, 2) = " ";
    VarSetStrMatrix(v, s, tgLogical);
    all.push_back(Named(v, "S"));
    trealrangelist ranges(2);
    ranges[1] = { 0, 1, 3 };
    ranges[2] = { 0, 2.5L, 7 };
    VarSetRangeList(v, ranges);
    all.push_back(Named(v, "R"));
    const std::int32_t bounds[] = { 4, 9 };
    VarSetRange(v, bounds);
    all.push_back(Named(v, "RI"));
    const std::int32_t values[] = { 5, -6, 7 };
    VarSetVector(v, values);
    all.push_back(Named(v, "V"));
    return all;
}

class WorkspaceFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        directory = fs::temp_directory_path()
            / ("zelvora-workspace-" + std::to_string(::getpid()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(directory);
        store = std::make_unique<tVisibleVarsList>(tDisplayPorts { &shelf });
    }
    void TearDown() override
    {
        store.reset();
        fs::remove_all(directory);
    }

    std::string PathOf(const std::string& name) const { return (directory / name).string(); }

    static std::string ReadBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteBytes(const std::string& path, std::string_view bytes)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    // The variables of the store, 1..count.
    static std::vector<tVariable> Contents(const tVarClass& from)
    {
        std::vector<tVariable> all;
        for (std::int32_t i = 1; i <= from.Count(); ++i) {
            tVariable copy;
            VarCopy(copy, from.Variable(i), 1);
            all.push_back(std::move(copy));
        }
        return all;
    }

    void FillStore()
    {
        for (const tVariable& v : SampleVariables())
            store->Store(v);
    }

    fs::path directory;
    testing::tRecordingShelf shelf;
    std::unique_ptr<tVisibleVarsList> store;
};

TEST_F(WorkspaceFileTest, EmptyStoreHeaderAndSlots)
{
    const std::string path = PathOf("empty.ztw");
    ASSERT_TRUE(tdiskWorkspace().SaveWorkspace(path, store->Variables()));
    const std::string bytes = ReadBytes(path);
    const std::string header = std::string("ZTMW\x01\0\0\0\x1B\0\0\0", 12)
        + std::string("ZelvoraWorkspace 030301\r\n\x1A\0", 27)
        + std::string("\x21\0\0\0\0\0\0\0", 8);
    EXPECT_EQ(bytes.substr(0, 47), header);
    EXPECT_EQ(bytes.substr(47), std::string(33 * 8, '\0'));
}

TEST_F(WorkspaceFileTest, RoundTripKeepsEveryVariableBitForBit)
{
    FillStore();
    store->CopyLayout().TextWidth = 3;
    store->SetNewHidden(true);
    const std::vector<tVariable> saved = Contents(store->Variables());
    const std::int32_t slots = store->SlotCount();
    const std::string path = PathOf("all.ztw");
    ASSERT_TRUE(tdiskWorkspace().SaveWorkspace(path, store->Variables()));

    const std::size_t windowsBefore = shelf.Windows.size();
    tVisibleVarsList* old = store.get();
    tdiskWorkspace workspace;
    ASSERT_TRUE(workspace.LoadWorkspace(path, *store));
    EXPECT_EQ(store.get(), old); // the same store, refilled
    EXPECT_EQ(workspace.Message(), "");
    const std::vector<tVariable> loaded = Contents(store->Variables());
    ASSERT_EQ(loaded.size(), saved.size());
    for (std::size_t i = 0; i < saved.size(); ++i)
        ExpectSameVariable(loaded[i], saved[i]);
    EXPECT_EQ(store->SlotCount(), slots);

    // A store as new: default layouts, NewHidden off, old windows closed, new ones visible in the
    // cascade positions.
    EXPECT_EQ(store->CopyLayout(), DefaultCopyLayout());
    EXPECT_FALSE(store->NewHidden());
    for (std::size_t i = 0; i < windowsBefore; ++i)
        EXPECT_FALSE(shelf.Windows[i]->Open);
    std::int32_t k = 0;
    for (std::size_t i = windowsBefore; i < shelf.Windows.size(); ++i, ++k) {
        EXPECT_TRUE(shelf.Windows[i]->Visible);
        EXPECT_EQ(shelf.Windows[i]->Bounds.Left, 24 * k);
    }
    EXPECT_EQ(k, 8);
    ASSERT_NE(shelf.OpenScalarWindow(), nullptr);
    EXPECT_EQ(shelf.OpenScalarWindow()->Rows.size(), 8u);

    // Saving the loaded store gives the same bytes.
    ASSERT_TRUE(tdiskWorkspace().SaveWorkspace(PathOf("again.ztw"), store->Variables()));
    EXPECT_EQ(ReadBytes(PathOf("again.ztw")), ReadBytes(path));
}

TEST_F(WorkspaceFileTest, LoadingReadsOnlyTheCountedRecords)
{
    store->Store(Named(SampleVariables()[0], "x"));
    store->Store(Named(SampleVariables()[7], "A"));
    std::string bytes;
    {
        tWorkspaceWriter writer;
        writer.Write(store->SlotCount(), store->Count(),
            [this](std::int32_t i) -> const tVariable& { return store->Variable(i); });
        bytes = writer.Bytes();
    }
    // The spare slots after the second variable are not read: garbage there does not matter.
    const std::size_t spare = bytes.size() - 30 * 8;
    EXPECT_EQ(bytes.substr(spare), std::string(30 * 8, '\0'));
    tWorkspaceFault fault {};
    auto content = ReadWorkspace(bytes.substr(0, spare) + "garbage", fault);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->SlotCount, 33);
    ASSERT_EQ(content->Variables.size(), 2u);
    ExpectSameVariable(content->Variables[1], store->Variable(2));
}

TEST_F(WorkspaceFileTest, BrokenFilesLeaveTheStoreUntouched)
{
    FillStore();
    const std::vector<tVariable> before = Contents(store->Variables());
    const std::string path = PathOf("good.ztw");
    ASSERT_TRUE(tdiskWorkspace().SaveWorkspace(path, store->Variables()));
    const std::string good = ReadBytes(path);
    tVisibleVarsList* old = store.get();
    const std::size_t windows = shelf.Windows.size();

    auto expectRejected
        = [&](std::string_view bytes, tWorkspaceFault expected, const std::string& what) {
              SCOPED_TRACE(what);
              const std::string broken = PathOf("broken.ztw");
              WriteBytes(broken, bytes);
              tdiskWorkspace workspace;
              EXPECT_FALSE(workspace.LoadWorkspace(broken, *store));
              EXPECT_EQ(workspace.Fault(), expected);
              EXPECT_EQ(store.get(), old);
          };

    tdiskWorkspace missing;
    EXPECT_FALSE(missing.LoadWorkspace(PathOf("none.ztw"), *store));
    EXPECT_EQ(missing.Fault(), tWorkspaceFault::CannotOpen);
    EXPECT_EQ(
        missing.Message(), "Arbeitsbereich " + PathOf("none.ztw") + " kann nicht gelesen werden");

    // Every truncation that cuts into the counted records fails; the spare slots are not read.
    const std::size_t recordsEnd
        = good.size() - static_cast<std::size_t>(store->SlotCount() - store->Count() - 1) * 8;
    for (std::size_t length = 0; length < recordsEnd; ++length)
        expectRejected(std::string_view(good).substr(0, length),
            length < 4 ? tWorkspaceFault::NotAWorkspace : tWorkspaceFault::Damaged,
            "cut at " + std::to_string(length));

    std::string ident = good;
    ident[20] ^= 1;
    expectRejected(ident, tWorkspaceFault::NotAWorkspace, "identification text");
    std::string version = good;
    version[4] = 2;
    expectRejected(version, tWorkspaceFault::NotAWorkspace, "version");
    expectRejected("", tWorkspaceFault::NotAWorkspace, "empty file");

    auto withInt = [&good](std::size_t at, std::int32_t value) {
        std::string bytes = good;
        std::memcpy(bytes.data() + at, &value, 4);
        return bytes;
    };
    expectRejected(withInt(43, -1), tWorkspaceFault::Damaged, "negative count");
    expectRejected(withInt(43, INT32_MAX), tWorkspaceFault::Damaged, "huge count");
    expectRejected(withInt(47 + 8, INT32_MAX), tWorkspaceFault::Damaged, "huge name length");

    // The first matrix record (A, 2 x 3) follows the seven scalars.
    const std::size_t matrixAt = good.find(std::string("\x01\0\0\0A", 5));
    ASSERT_NE(matrixAt, std::string::npos);
    const std::size_t counts = matrixAt + 5 + 4;
    expectRejected(withInt(counts, INT32_MAX), tWorkspaceFault::Damaged, "huge row count");
    expectRejected(withInt(counts + 4, INT32_MAX), tWorkspaceFault::Damaged, "huge column count");
    expectRejected(withInt(counts, 0), tWorkspaceFault::Damaged, "no row slots");
    expectRejected(withInt(counts + 8 + 4 + 40, 3), tWorkspaceFault::Damaged, "ragged row");

    EXPECT_EQ(shelf.Windows.size(), windows);
    const std::vector<tVariable> after = Contents(store->Variables());
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        ExpectSameVariable(after[i], before[i]);
}

TEST_F(WorkspaceFileTest, SavingReplacesAFileOnlyWhenWrittenWhole)
{
    store->Store(Named(SampleVariables()[7], "A"));
    const std::string path = PathOf("keep.ztw");
    WriteBytes(path, "old contents");
    ::chmod(path.c_str(), 0640);
    tdiskWorkspace workspace;
    EXPECT_FALSE(workspace.SaveWorkspace(PathOf("no/such/dir.ztw"), store->Variables()));
    EXPECT_EQ(workspace.Fault(), tWorkspaceFault::CannotWrite);
    EXPECT_FALSE(workspace.SaveWorkspace(directory.string(), store->Variables())); // a directory
    EXPECT_TRUE(fs::is_directory(directory));

    // A write that breaks off (here: at a file size limit) keeps the old file.
    {
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit oldLimit {};
        ::getrlimit(RLIMIT_FSIZE, &oldLimit);
        rlimit limit = oldLimit;
        limit.rlim_cur = 64;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool saved = workspace.SaveWorkspace(path, store->Variables());
        ::setrlimit(RLIMIT_FSIZE, &oldLimit);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_FALSE(saved);
    }
    EXPECT_EQ(ReadBytes(path), "old contents");

    ASSERT_TRUE(workspace.SaveWorkspace(path, store->Variables()));
    EXPECT_EQ(ReadBytes(path).substr(0, 4), "ZTMW");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms(0640));
    // Nothing but the file itself is left in the directory.
    EXPECT_EQ(std::distance(fs::directory_iterator(directory), fs::directory_iterator()), 1);
}

} // namespace
} // namespace zelvora
