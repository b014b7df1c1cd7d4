// ZEICHNE, LIST GRAPH and the repaint after a macro repetition, through a session whose graphics
// windows record what they were handed.
#include "support/recording_ports.h"
#include "ui/session.h"
#include "variables/display_list.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

class tRecordingGraphics : public tGraphicsPort {
public:
    std::string ShowAnimation(
        tAnimationKind kind, const trealmatrix& coordinates, std::uint32_t seed) override
    {
        Seeds.push_back(seed);
        Calls.push_back((kind == tAnimationKind::Cloud ? "cloud " : "vectors ")
            + std::to_string(coordinates.Rows()) + "x" + std::to_string(coordinates.Cols()));
        return {};
    }
    std::string ShowScatterplot(
        const trealmatrix& x, const trealmatrix& y, const trealmatrix* colours) override
    {
        Calls.push_back("scatter " + std::to_string(x.Rows()) + " " + std::to_string(y.Rows())
            + (colours ? " colours " + std::to_string(colours->Rows()) : ""));
        Drawn = true;
        return Refusal;
    }
    std::string ShowScree(const trealmatrix& eigenvalues, const trealmatrix* percentiles) override
    {
        Calls.push_back("scree " + std::to_string(eigenvalues.Rows()) + "x"
            + std::to_string(eigenvalues.Cols())
            + (percentiles ? " percentiles " + std::to_string(percentiles->Rows()) : ""));
        return Refusal;
    }
    std::optional<tPicture> ScatterplotPicture() const override
    {
        return Drawn ? std::optional<tPicture>(tPicture { 2, 1, { 1, 2, 3, 4, 5, 6 } })
                     : std::nullopt;
    }
    void RepaintVisible() override { ++Repaints; }
    std::vector<std::string> Calls;
    std::vector<std::uint32_t> Seeds;
    std::string Refusal;
    bool Drawn = false;
    int Repaints = 0;
};

class tRecordingListingPictures : public tListingPicturePort {
public:
    void addBitmap(const tPicture& picture) override { Widths.push_back(picture.Width); }
    std::vector<std::int32_t> Widths;
};

class GraphicsCommands : public ::testing::Test {
protected:
    tRecordingTextView journalView;
    tRecordingTextView listingView;
    tRecordingCommandWindow commandWindow;
    tRecordingApplication application;
    tRecordingGraphics graphics;
    tRecordingListingPictures listingPictures;
    tSession session { Ports(), "09.12.2026 10:00:00" };

    tSessionPorts Ports()
    {
        tSessionPorts ports;
        ports.JournalView = &journalView;
        ports.ListingView = &listingView;
        ports.CommandWindow = &commandWindow;
        ports.Application = &application;
        ports.ListingPictures = &listingPictures;
        ports.Graphics = &graphics;
        return ports;
    }

    tRunOutcome Run(const std::string& text) { return session.RunText(text, ""); }
};

TEST_F(GraphicsCommands, DrawingTypesByPrefix)
{
    ASSERT_TRUE(Run("L = {{1,2,3},{4,5,6}}").Success);
    EXPECT_TRUE(Run("ZEICHNE ANIMATE = L").Success);
    EXPECT_TRUE(Run("ZEICHNE cloud = L'").Success);
    EXPECT_TRUE(Run("ZEICHNE SCAT = L, L").Success);
    EXPECT_TRUE(Run("ZEICHNE sc = L, L, {{1,2,3}}").Success);
    EXPECT_EQ(graphics.Calls,
        (std::vector<std::string> {
            "vectors 2x3", "cloud 3x2", "scatter 2 2", "scatter 2 2 colours 1" }));
}

TEST_F(GraphicsCommands, ScreePictureGetsColumnsAndCountsTheFactors)
{
    ASSERT_TRUE(Run("E = {2.5, 1.9, 0.4, 0.2}").Success);
    ASSERT_TRUE(Run("k1, kp = Eigenwertbild(E, {{1.3},{2},{1.1},{1}})").Success);
    EXPECT_TRUE(Run("n = Scree(E')").Success);
    EXPECT_EQ(
        graphics.Calls, (std::vector<std::string> { "scree 4x1 percentiles 4", "scree 4x1" }));
    const auto integer = [&](const char* name) {
        const tVariable* variable = session.Variable(name);
        return variable ? variable->intvalue : -1;
    };
    EXPECT_EQ(integer("k1"), 2); // eigenvalues above 1
    EXPECT_EQ(integer("kp"), 1); // the second lies below its percentile
    EXPECT_EQ(integer("n"), 2);

    // A picture the window refuses fails the statement with the window's reason.
    graphics.Refusal = "Die Eigenwerte sind leer";
    const tRunOutcome refused = Run("m = Eigenwertbild(E)");
    EXPECT_FALSE(refused.Success);
    EXPECT_EQ(refused.Message, "EIGENWERTBILD: Die Eigenwerte sind leer");
    EXPECT_EQ(session.Variable("m"), nullptr);
}

TEST_F(GraphicsCommands, RandomStartSeedsTheRandomPlanes)
{
    ASSERT_TRUE(Run("L = {{1,2,3}}").Success);
    for (const char* start : { "RandomStart = 17", "RandomStart = 18", "RandomStart = 17" })
        ASSERT_TRUE(Run(std::string(start) + "\nZEICHNE ANIMATE = L").Success);
    ASSERT_EQ(graphics.Seeds.size(), 3u);
    EXPECT_NE(graphics.Seeds[0], graphics.Seeds[1]);
    EXPECT_EQ(graphics.Seeds[0], graphics.Seeds[2]);
}

TEST_F(GraphicsCommands, FailuresKeepTheirCodes)
{
    ASSERT_TRUE(Run("L = {{1,2,3}}").Success);
    const struct {
        const char* statement;
        std::int32_t code;
        const char* message;
    } cases[] = {
        { "ZEICHNE BMP = L", 25,
            "Als Zeichnungstyp nur ANIMATE, SCATTERPLOT, oder CLOUDANIMATE erlaubt" },
        { "ZEICHNE SCAT = L", 24, "zweite Matrix als Ergebnis erwartet (Y-Daten)" },
        { "ZEICHNE ANIMATE = 5", 24, "Matrix als Ergebnis erwartet" },
        { "ZEICHNE ANIMATE L", 22, "<zchntyp> = ... erwartet" },
        { "ZEICHNE", 21, "syntaxfehler" },
    };
    for (const auto& c : cases) {
        const tRunOutcome result = Run(c.statement);
        EXPECT_FALSE(result.Success) << c.statement;
        EXPECT_EQ(result.Code, c.code) << c.statement;
        EXPECT_EQ(result.Message, c.message) << c.statement;
    }
    EXPECT_TRUE(graphics.Calls.empty());
    ASSERT_TRUE(Run("S = {{\"a\",\"b\"}}").Success);
    for (const char* statement : { "ZEICHNE CLOUD = S", "ZEICHNE SCAT = L, L, S" }) {
        const tRunOutcome text = Run(statement);
        EXPECT_FALSE(text.Success) << statement;
        EXPECT_EQ(text.Code, 26) << statement;
        EXPECT_TRUE(text.Message.ends_with("ist eine Textmatrix")) << text.Message;
    }
    EXPECT_TRUE(graphics.Calls.empty());

    graphics.Refusal = "Die Y-Daten haben weniger Spalten (2) als die X-Daten (3)";
    const tRunOutcome refused = Run("ZEICHNE SCAT = L, {{1,2}}");
    EXPECT_FALSE(refused.Success);
    EXPECT_EQ(refused.Code, 26);
    EXPECT_EQ(refused.Message, graphics.Refusal);
}

TEST_F(GraphicsCommands, ListGraphAddsTheScatterplotPicture)
{
    session.SetListingOn(true);
    EXPECT_TRUE(Run("LIST graph").Success); // no scatterplot yet: nothing to add
    EXPECT_TRUE(listingPictures.Widths.empty());
    ASSERT_TRUE(Run("ZEICHNE SCAT = {{1,2}}, {{3,4}}\nLIST GRAPH").Success);
    EXPECT_EQ(listingPictures.Widths, (std::vector<std::int32_t> { 2 }));
    session.SetListingOn(false);
    EXPECT_TRUE(Run("LIST GRAPH").Success);
    EXPECT_EQ(listingPictures.Widths.size(), 1u);
}

TEST_F(GraphicsCommands, MacroWithADelayRepaintsAfterEachRepetition)
{
    ASSERT_TRUE(Run("MACRODEF m\nx = 1\nMACROEND").Success);
    ASSERT_TRUE(Run("MACROEXEC m 3 1").Success);
    EXPECT_EQ(graphics.Repaints, 3);
    ASSERT_TRUE(Run("MACROEXEC m 3").Success); // without a delay: no repaint
    EXPECT_EQ(graphics.Repaints, 3);
}

} // namespace
} // namespace zelvora
