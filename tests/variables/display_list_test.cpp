// The display list through recording windows: scalar rows, matrix windows, hiding, renaming,
// positioning, listing and copying.
#include "support/recording_display_ports.h"
#include "support/recording_ports.h"
#include "variables/display_list.h"
#include "variables/number_format.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::tRecordedMatrixWindow;

tVariable Scalar(const std::string& name, long double x)
{
    tVariable v;
    VarSetReal(v, x);
    v.name = name;
    return v;
}

tVariable Matrix(const std::string& name, std::int32_t rows, std::int32_t cols,
    long double first = 1, std::uint8_t tag = tgPlain)
{
    trealmatrix m(rows, cols);
    for (std::int32_t r = 1; r <= rows; ++r)
        for (std::int32_t c = 1; c <= cols; ++c)
            m(r, c) = first + (r - 1) * cols + (c - 1);
    tVariable v;
    VarSetMatrix(v, std::move(m), tag);
    v.name = name;
    return v;
}

tVariable Range(const std::string& name, std::int32_t rows)
{
    tVariable v = Matrix(name, rows, 2);
    v.shape = shRange;
    v.tag = tgRange;
    v.datatype = dtInteger;
    return v;
}

class DisplayListTest : public ::testing::Test {
protected:
    tRecordedMatrixWindow& WindowOf(const std::string& name)
    {
        EXPECT_TRUE(store.Find(name)) << name;
        tRecordedMatrixWindow* window = shelf.OpenWindowOf(store.IndexOf(name));
        EXPECT_NE(window, nullptr) << name;
        static tRecordedMatrixWindow none;
        return window ? *window : none;
    }

    testing::tRecordingShelf shelf;
    testing::tRecordingListing listing;
    testing::tRecordingListingPictures pictures;
    testing::tRecordingClipboard clipboard;
    tVisibleVarsList store { { &shelf, &listing, &pictures, &clipboard } };
};

TEST_F(DisplayListTest, ScalarRowsComeAndGoWithTheirWindow)
{
    EXPECT_EQ(shelf.OpenScalarWindow(), nullptr);
    store.Store(Scalar("x", 0.1L));
    tVariable n;
    VarSetInteger(n, -7);
    n.name = "N";
    store.Store(n);
    tVariable hidden = Scalar(std::string(HiddenScalarName), 1);
    store.Store(hidden);
    ASSERT_NE(shelf.OpenScalarWindow(), nullptr);
    auto& window = *shelf.OpenScalarWindow();
    EXPECT_TRUE(window.Shown);
    EXPECT_TRUE(window.HeaderFixed);
    using tRow = std::array<std::string, 2>;
    EXPECT_EQ(window.Rows, (std::vector<tRow> { { "", "" }, { "x", "0.1" }, { "N", "-7" } }));

    store.Store(Scalar("X", 2.5L)); // same variable, folded name
    EXPECT_EQ(window.Rows[1], (tRow { "x", "2.5" }));
    EXPECT_TRUE(store.RenameShown("n", "count"));
    EXPECT_EQ(window.Rows[2][0], "count");

    ASSERT_TRUE(store.Delete("x"));
    EXPECT_EQ(window.Rows, (std::vector<tRow> { { "", "" }, { "count", "-7" } }));
    EXPECT_EQ(store.ScalarRow("count"), 1);
    tVariable empty;
    empty.name = "count";
    store.Store(empty); // an empty value deletes the variable
    EXPECT_EQ(shelf.OpenScalarWindow(), nullptr);
    EXPECT_EQ(shelf.ScalarWindows.size(), 1u);
}

// The console's numbers: scalars in the copy layout's cell format without padding, cells that the
// fixed format would show as zero in the general format; DISPLAY writes a scalar's row again.
TEST_F(DisplayListTest, ReadableNumbersForTheConsole)
{
    store.SetReadableNumbers(true);
    store.Store(Scalar("x", 1.0L / 3));
    store.Store(Scalar("tiny", 1e-20L));
    tVariable n;
    VarSetInteger(n, 42);
    n.name = "n";
    store.Store(n);
    auto& scalars = *shelf.OpenScalarWindow();
    EXPECT_EQ(scalars.Rows[1][1], "0.333");
    EXPECT_EQ(scalars.Rows[2][1], "1E-20");
    EXPECT_EQ(scalars.Rows[3][1], "42");
    tVariable m = Matrix("M", 1, 2, 0);
    m.matrix(1, 2) = 2e-19L;
    store.Store(m);
    EXPECT_EQ(WindowOf("M").Cell(1, 1), "   0.000");
    EXPECT_EQ(WindowOf("M").Cell(1, 2), "   2E-19");

    scalars.Rows[1][1] = "?";
    scalars.Shown = false;
    EXPECT_TRUE(store.ShowVariable("x"));
    EXPECT_EQ(scalars.Rows[1][1], "0.333");
    store.ShowScalarWindow();
    EXPECT_TRUE(scalars.Shown);
    store.Reset(); // a front end's property
    EXPECT_TRUE(store.ReadableNumbers());
}

TEST_F(DisplayListTest, NoiseBesideTheLargestValueShowsAsZero)
{
    tVariable m = Matrix("E", 2, 2, 0);
    m.matrix(1, 1) = 6.5L;
    m.matrix(1, 2) = 1.36e-20L;
    m.matrix(2, 1) = -1.82e-37L;
    m.matrix(2, 2) = 1e-14L; // above the limit: shown as it is
    store.SetReadableNumbers(true);
    store.Store(m);
    EXPECT_EQ(WindowOf("E").Cell(1, 1), "   6.500");
    EXPECT_EQ(WindowOf("E").Cell(1, 2), "   0.000");
    EXPECT_EQ(WindowOf("E").Cell(2, 1), "   0.000");
    EXPECT_EQ(WindowOf("E").Cell(2, 2), "   1E-14");

    // A matrix of tiny values alone keeps them; a missing number does not count as the largest.
    tVariable tiny = Matrix("T", 1, 2, 0);
    tiny.matrix(1, 1) = 3e-20L;
    tiny.matrix(1, 2) = 2e-20L;
    store.Store(tiny);
    EXPECT_EQ(WindowOf("T").Cell(1, 2), "   2E-20");

    // An edit in place changes the largest value: the window asks again.
    ASSERT_TRUE(store.Find("E"));
    const std::int32_t index = store.IndexOf("E");
    store.SetCell(index, 1, 1, 1e-20L);
    EXPECT_EQ(WindowOf("E").Cell(1, 2), "1.36E-20");
    store.SetCell(index, 1, 1, 1e10L);
    EXPECT_EQ(WindowOf("E").Cell(2, 2), "   0.000");
    EXPECT_DOUBLE_EQ(
        static_cast<double>(LargestMagnitude(store.Variable(index))), static_cast<double>(1e10L));
}

TEST_F(DisplayListTest, AnIntegerCellThatIsNoWholeNumberShowsAsStored)
{
    tVariable m = Matrix("I", 1, 2, 1);
    m.datatype = dtInteger;
    store.Store(m);
    EXPECT_EQ(WindowOf("I").Cell(1, 1), "       1");
    ASSERT_TRUE(store.Find("I"));
    store.SetCell(store.IndexOf("I"), 1, 1, 0.5L); // typed into the window
    EXPECT_EQ(WindowOf("I").Cell(1, 1), "   0.500");
    EXPECT_EQ(WindowOf("I").Cell(1, 2), "       2");
}

TEST_F(DisplayListTest, MatrixWindowsShowCaptionsCellsAndCascade)
{
    store.Store(Matrix("A", 2, 3, 3.14159L));
    tRecordedMatrixWindow& a = WindowOf("A");
    EXPECT_EQ(a.MenuName, "A");
    EXPECT_EQ(a.Caption, "A 2x3");
    EXPECT_EQ(a.Icon, 2);
    EXPECT_TRUE(a.Visible);
    EXPECT_EQ(a.Rows, 2);
    EXPECT_EQ(a.Cols, 3);
    EXPECT_EQ(a.Cell(1, 1), "   3.142");
    EXPECT_EQ(a.Cell(2, 3), "   8.142");
    EXPECT_EQ(a.Cell(3, 1), "");
    EXPECT_EQ((std::pair { a.Bounds.Left, a.Bounds.Top }), (std::pair { 0, 0 }));

    tVariable logical = Matrix("L", 1, 2, 0, tgLogical);
    logical.datatype = dtBoolean;
    logical.matrix(1, 2) = 0.6L;
    store.Store(logical);
    tRecordedMatrixWindow& l = WindowOf("L");
    EXPECT_EQ(l.Icon, 1);
    EXPECT_EQ(l.Cell(1, 1), "FALSE");
    EXPECT_EQ(l.Cell(1, 2), "TRUE");
    EXPECT_EQ((std::pair { l.Bounds.Left, l.Bounds.Top }), (std::pair { 24, 24 }));

    store.Store(Range("R", 3));
    tRecordedMatrixWindow& r = WindowOf("R");
    EXPECT_EQ(r.Icon, 3);
    EXPECT_EQ(r.Cell(3, 2), "       6");
    EXPECT_EQ(r.Caption, "R 3x2");

    tVariable v;
    const std::int32_t values[] = { 4, 5, 6, 7 };
    VarSetVector(v, values);
    v.name = "V";
    shelf.Client = { 60, 1000 };
    store.Store(v);
    tRecordedMatrixWindow& vector = WindowOf("V");
    EXPECT_EQ(vector.Icon, 0);
    EXPECT_EQ(vector.Caption, "V 1x4");
    EXPECT_EQ(vector.Bounds.Left, 72 % 60);
    EXPECT_EQ(vector.Bounds.Top, 72);

    tVariable s;
    tStringmatrix text(2, 2);
    text(1, 1) = "ab";
    text(2, 1) = "cd";
    text(1, 2) = "x";
    text(2, 2) = "long";
    VarSetStrMatrix(s, text, tgLogical);
    s.name = "S";
    store.Store(s);
    EXPECT_EQ(WindowOf("S").ColumnSamples, (std::vector<std::string> { "", "ab ", "long " }));
    EXPECT_EQ(WindowOf("S").Cell(2, 2), "long");
}

TEST_F(DisplayListTest, NewWindowCaptionBeforeTheFirstRefresh)
{
    // Add shows the new window; the refresh that an assignment adds rewrites the caption.
    store.Add(Matrix("A", 2, 3));
    EXPECT_EQ(WindowOf("A").Caption, "A  2x3");
    store.Add(Range("R", 4));
    EXPECT_EQ(WindowOf("R").Caption, "R  4");
    tVariable v;
    const std::int32_t values[] = { 1, 2, 3 };
    VarSetVector(v, values);
    v.name = "V";
    store.Add(v);
    EXPECT_EQ(WindowOf("V").Caption, "V  3");
}

TEST_F(DisplayListTest, HiddenWindowsStayHiddenUntilDisplayed)
{
    store.SetNewHidden(true);
    store.Store(Matrix("M", 1, 2));
    ASSERT_EQ(shelf.Windows.size(), 1u);
    EXPECT_FALSE(shelf.Windows[0]->Visible);
    EXPECT_TRUE(store.ShowVariable("m"));
    EXPECT_TRUE(shelf.Windows[0]->Visible);
    EXPECT_EQ(shelf.Windows[0]->Caption, "M 1x2");
    store.SetNewHidden(false);

    // Closed by hand: assigning again does not reopen it, DISPLAY makes a new window.
    store.WindowClosedByUser(1);
    EXPECT_FALSE(shelf.Windows[0]->Open);
    store.Store(Matrix("M", 1, 2, 5));
    EXPECT_EQ(shelf.Windows.size(), 1u);
    EXPECT_TRUE(store.Item(1).hidden);
    EXPECT_TRUE(store.ShowVariable("M"));
    ASSERT_EQ(shelf.Windows.size(), 2u);
    EXPECT_TRUE(shelf.Windows[1]->Visible);
    EXPECT_EQ(shelf.Windows[1]->Cell(1, 2), "   6.000");
    EXPECT_FALSE(store.ShowVariable("nothing"));

    store.Store(Matrix("B", 1, 1));
    EXPECT_FALSE(store.CloseWindow("nothing"));
    store.CloseAllWindows();
    EXPECT_EQ(shelf.ActiveCompartmentWindowCount(), 0);
    EXPECT_TRUE(store.Item(1).hidden && store.Item(2).hidden);
    for (std::int32_t i = 1; i <= store.Count(); ++i)
        store.ShowVariable(i);
    EXPECT_EQ(shelf.ActiveCompartmentWindowCount(), 2);
}

TEST_F(DisplayListTest, ResizingFollowsTheShape)
{
    store.Store(Matrix("A", 2, 2));
    tRecordedMatrixWindow& a = WindowOf("A");
    const std::int32_t layouts = a.Layouts;
    store.Store(Matrix("A", 2, 2, 9));
    EXPECT_EQ(a.Layouts, layouts);
    store.Store(Matrix("A", 3, 1));
    EXPECT_EQ(a.Layouts, layouts + 1);
    EXPECT_EQ(a.Caption, "A 3x1");
    EXPECT_EQ(shelf.Windows.size(), 1u);
}

TEST_F(DisplayListTest, RenameAndPosition)
{
    store.Store(Range("R", 3));
    EXPECT_TRUE(store.RenameShown("r", "S"));
    EXPECT_EQ(WindowOf("S").Caption, "S (Range)");
    EXPECT_EQ(shelf.MenuEntries, (std::vector<std::string> { "R" }));
    store.Store(Range("S", 3));
    EXPECT_EQ(WindowOf("S").Caption, "S 3x2");
    EXPECT_FALSE(store.RenameShown("R", "T"));

    tRecordedMatrixWindow& s = WindowOf("S");
    s.Bounds = { 5, 6, 300, 200 };
    EXPECT_TRUE(store.PositionWindow(Matrix("S", 1, 2, 10)));
    EXPECT_EQ(s.Bounds, (tWindowBounds { 10, 11, 300, 200 }));
    tVariable place = Matrix("s", 1, 4);
    place.matrix(1, 1) = -5;
    place.matrix(1, 2) = 20.5L;
    place.matrix(1, 3) = 300;
    place.matrix(1, 4) = 1e30L;
    store.PositionWindow(place);
    EXPECT_EQ(s.Bounds, (tWindowBounds { 0, 20, 300, INT32_MAX }));

    store.Store(Scalar("x", 1));
    store.PositionWindow(Matrix("x", 1, 2, 7));
    EXPECT_EQ(shelf.OpenScalarWindow()->Bounds.Left, 7);
    store.CloseWindow("S");
    store.PositionWindow(Matrix("S", 1, 1, 99));
    EXPECT_EQ(s.Bounds.Left, 0);
}

TEST_F(DisplayListTest, DeletingRenumbersTheWindowsAbove)
{
    for (const char* name : { "A", "B", "C", "D", "E" })
        store.Store(Matrix(name, 1, 1, name[0]));
    ASSERT_TRUE(store.Delete(2));
    EXPECT_FALSE(shelf.Windows[1]->Open);
    for (std::int32_t i = 2; i <= 4; ++i) {
        tRecordedMatrixWindow& window = *shelf.Windows[static_cast<std::size_t>(i)];
        EXPECT_EQ(window.Index, i);
        EXPECT_EQ(window.Cell(1, 1), FormatRealCell(store.CopyLayout(), 'A' + i, '.'));
    }
    store.Store(Scalar("A", 1)); // another shape: the matrix A goes, a scalar comes
    EXPECT_FALSE(shelf.Windows[0]->Open);
    EXPECT_EQ(shelf.Windows[2]->Index, 1);
    EXPECT_EQ(store.Item(4).shape, shScalar);
}

TEST_F(DisplayListTest, IntegerCellsBeyond32BitsFailBeforeTheWindowChanges)
{
    tVariable big = Matrix("I", 1, 2, 1);
    big.datatype = dtInteger;
    store.Store(big);
    EXPECT_EQ(WindowOf("I").Cell(1, 2), "       2");
    big.matrix(1, 2) = 3e9L;
    EXPECT_THROW(store.Store(big), tRangeError);
    EXPECT_EQ(WindowOf("I").CellsChanges, 1);
    // The variable was stored all the same; its window shows the value without failing.
    EXPECT_EQ(WindowOf("I").Cell(1, 2), FormatRealCell(store.CopyLayout(), 3e9L, '.'));
}

TEST_F(DisplayListTest, ListingAndClipboard)
{
    store.Store(Matrix("A", 1, 2, 1.5L));
    store.Store(Scalar("x", 1));
    EXPECT_TRUE(store.ListVariable("a", false));
    EXPECT_TRUE(store.ListVariable("x", false));
    EXPECT_FALSE(store.ListVariable("y", false));
    EXPECT_EQ(listing.Calls,
        (std::vector<std::string> { "table:      A : \r\n    1.50\t    2.50\r\n\r\n" }));

    listing.Calls.clear();
    EXPECT_TRUE(store.ListPicture("A", tPictureMode::Window));
    EXPECT_EQ(listing.Calls, (std::vector<std::string> { "line:A 1x2", "line:\r\n\r\n-bmp-" }));
    ASSERT_EQ(pictures.Pictures.size(), 1u);
    EXPECT_EQ(pictures.Pictures[0].Rgb[0], 1);
    store.CloseWindow("A");
    listing.Calls.clear();
    EXPECT_TRUE(store.ListPicture("A", tPictureMode::Grid));
    EXPECT_TRUE(listing.Calls.empty());

    ApplyScheme(SchemeTex, store.CopyLayout(), '.');
    store.CopyToClipboard(1);
    store.CopyToClipboard(2); // a scalar: nothing
    ASSERT_EQ(clipboard.Texts.size(), 1u);
    EXPECT_NE(clipboard.Texts[0].find("\\begin{array} {rr}"), std::string::npos);
    EXPECT_EQ(store.MakeScheme(SchemeListing, -2, -2), DefaultListingLayout());
}

TEST(DisplayListLifetimeTest, DestructionClosesEveryWindow)
{
    testing::tRecordingShelf shelf;
    {
        tVisibleVarsList store({ &shelf });
        store.Store(Matrix("A", 1, 1));
        store.Store(Scalar("x", 1));
        store.Store(Matrix("B", 1, 1));
        for (std::int32_t i = 0; i < 40; ++i)
            store.Store(Matrix("M" + std::to_string(i), 1, 1));
        EXPECT_EQ(store.SlotCount(), 49);
        for (std::int32_t i = 0; i < 20; ++i)
            store.Delete("M" + std::to_string(i));
        EXPECT_EQ(shelf.Windows[1]->Index, 3);
        EXPECT_EQ(shelf.Windows.back()->Index, store.Count());
        EXPECT_EQ(shelf.Windows.back()->Cell(1, 1), FormatRealCell(store.CopyLayout(), 1, '.'));
    }
    for (const auto& window : shelf.Windows)
        EXPECT_FALSE(window->Open);
    EXPECT_FALSE(shelf.ScalarWindows[0]->Open);
}

} // namespace
} // namespace zelvora
