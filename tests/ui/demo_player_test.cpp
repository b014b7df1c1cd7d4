// Playing demos through DEMO in a session: the order of steps, failing blocks, break, long pages,
// run-time errors and nested demos.
#include "support/recording_ports.h"
#include "ui/demo_player.h"
#include "ui/session.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

// Records what the player asks of the window; answers the waits from a queue (Next when empty).
class tRecordingDemoView : public tDemoView {
public:
    bool IsVisible() const override { return Visible; }
    void Focus() override { ++Focuses; }
    void ShowDemo(const std::string& title) override
    {
        Visible = true;
        Events.push_back("show " + title);
    }
    void HideDemo() override
    {
        Visible = false;
        Events.push_back("hide");
    }
    void ShowScreen(const tDemoScreen& screen) override
    {
        Screen = screen;
        Events.push_back("screen " + PlainText(screen.Page->title) + " "
            + std::to_string(screen.Part) + "/" + std::to_string(screen.Parts));
    }
    void MarkBlock(std::size_t index) override
    {
        Events.push_back("mark " + PlainText(Screen.Block(index).text));
    }
    tDemoStep WaitForStep(std::size_t index, bool beforeCode) override
    {
        Events.push_back((beforeCode ? "rechne " : "next ") + std::to_string(index));
        if (OnWait)
            OnWait();
        if (Answers.empty())
            return tDemoStep::Next;
        const tDemoStep answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void CodeBlockRun(std::size_t, const tRunOutcome& result) override
    {
        Events.push_back(result.Success ? "ok" : "failed");
    }
    void EndScreen() override { Events.push_back("end"); }

    bool Visible = false;
    int Focuses = 0;
    tDemoScreen Screen;
    std::vector<std::string> Events;
    std::deque<tDemoStep> Answers;
    std::function<void()> OnWait; // what the user does in the other windows meanwhile
};

class tEditorCommandWindow : public tRecordingCommandWindow {
public:
    void AppendEditorLines(std::string_view text) override { Editor.emplace_back(text); }
    void ShowWarning(std::string_view text) override { Warnings.emplace_back(text); }
    std::vector<std::string> Editor;
    std::vector<std::string> Warnings;
};

class DemoPlayer : public ::testing::Test {
protected:
    DemoPlayer()
    {
        directory = std::filesystem::temp_directory_path()
            / ("zelvora-demo-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(directory);
    }
    ~DemoPlayer() override { std::filesystem::remove_all(directory); }

    std::string WriteDemo(const std::string& name, const std::string& text)
    {
        const std::filesystem::path path = directory / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    tRunOutcome Play(const std::string& path)
    {
        return session.RunText("DEMO \"" + path + "\"", "");
    }
    bool Stored(std::string_view name) { return session.Variable(name) != nullptr; }

    std::filesystem::path directory;
    tRecordingTextView journalView;
    tRecordingTextView listingView;
    tEditorCommandWindow commandWindow;
    tRecordingApplication application;
    tRecordingDemoView view;
    tSession session { { .JournalView = &journalView,
                           .ListingView = &listingView,
                           .CommandWindow = &commandWindow,
                           .Application = &application,
                           .DemoView = &view },
        "09.12.2026 10:00:00" };
};

TEST_F(DemoPlayer, StepsThroughEveryBlockAndRunsTheCode)
{
    const std::string path = WriteDemo("probe.zvd",
        "@D Probe\n@K Kapitel\n@F Seite 1\n@T\nErst lesen\n@C\nA = 1\nB = A + 1\n@T\nDanach\n"
        "@F Seite 2\n@C\nC = CSVDatei(\"daten.csv\")\n");
    std::ofstream(directory / "daten.csv") << "7,8\n";
    const tRunOutcome result = Play(path);
    EXPECT_TRUE(result.Success) << result.Message;
    const std::vector<std::string> expected = { "show Probe", "screen Seite 1 1/1",
        "mark Erst lesen", "next 0", "mark A = 1\r\nB = A + 1", "rechne 1", "ok", "next 1",
        "mark Danach", "next 2", "end", "screen Seite 2 1/1", "mark C = CSVDatei(\"daten.csv\")",
        "rechne 0", "ok", "next 0", "end", "hide" };
    EXPECT_EQ(view.Events, expected);
    EXPECT_TRUE(Stored("B"));
    EXPECT_TRUE(Stored("C")); // relative names resolve against the demo's directory
    EXPECT_EQ(commandWindow.Editor,
        (std::vector<std::string> { "A = 1\r\nB = A + 1", "C = CSVDatei(\"daten.csv\")" }));
    EXPECT_NE(journalView.PlainText().find("B = A + 1"), std::string::npos);
    EXPECT_GE(view.Focuses, 1); // the run loop hands the focus to the visible demo window
    EXPECT_FALSE(view.Visible);
}

TEST_F(DemoPlayer, AFailingBlockIsShownAndTheDemoGoesOn)
{
    const std::string path = WriteDemo(
        "fehler.zvd", "@K K\n@F S\n@C\nA = Invv(1)\n@C\nB = 2\n@C\nC = {1,2} + {1,2,3}\n");
    const tRunOutcome result = Play(path);
    EXPECT_TRUE(Stored("B"));
    ASSERT_EQ(commandWindow.Messages.size(), 2u); // one per failing block
    EXPECT_EQ(commandWindow.Messages[0],
        "Unbekannter Name \"Invv\" an Stelle 1 der Formel\n\"A = Invv(1)\"");
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(result.Message,
        "Demo \"Zelvora-Demo\": 2 von 3 Codebl\xF6"
        "cken fehlgeschlagen; zuerst \"A = Invv(1)\": Unbekannter Name \"Invv\" an Stelle 1 der "
        "Formel");
}

TEST_F(DemoPlayer, BreakEndsTheDemoWithoutRunningTheBlock)
{
    const std::string path = WriteDemo("abbruch.zvd", "@K K\n@F S\n@T\nText\n@C\nA = 1\n");
    view.Answers = { tDemoStep::Next, tDemoStep::Break };
    const tRunOutcome result = Play(path);
    EXPECT_TRUE(result.Success);
    EXPECT_FALSE(Stored("A"));
    EXPECT_EQ(view.Events.back(), "hide");
    EXPECT_EQ(view.Events[view.Events.size() - 2], "end");
}

TEST_F(DemoPlayer, PagesWithMoreBlocksThanAWindowHoldsArePlayedInParts)
{
    std::string text = "@K K\n@F Lang\n";
    for (int i = 1; i <= 20; ++i)
        text += "@T\nBlock " + std::to_string(i) + "\n";
    EXPECT_TRUE(Play(WriteDemo("lang.zvd", text)).Success);
    const auto screens = std::count_if(view.Events.begin(), view.Events.end(),
        [](const std::string& event) { return event.starts_with("screen"); });
    EXPECT_EQ(screens, 2);
    EXPECT_NE(
        std::find(view.Events.begin(), view.Events.end(), "screen Lang 2/2"), view.Events.end());
    EXPECT_EQ(view.Screen.FirstBlock, 18u);
    EXPECT_EQ(view.Screen.BlockCount, 2u);
}

TEST_F(DemoPlayer, ARunTimeErrorEndsTheWholeRunAndHidesTheWindow)
{
    const std::string path = WriteDemo(
        "laufzeit.zvd", "@K K\n@F S\n@C\nMACRODEF m\nMACROEND\nMACROEXEC m 1.5\n@C\nB = 1\n");
    const tRunOutcome result = Play(path);
    EXPECT_TRUE(result.RunTimeError);
    EXPECT_FALSE(Stored("B"));
    EXPECT_FALSE(view.Visible);
    EXPECT_EQ(view.Events.back(), "hide");
    EXPECT_TRUE(Play(WriteDemo("danach.zvd", "@K K\n@F S\n@C\nB = 1\n")).Success);
    EXPECT_TRUE(Stored("B")); // the next demo plays normally
}

TEST_F(DemoPlayer, FileNamesAndNesting)
{
    WriteDemo("Innen.zvd", "@K K\n@F S\n@C\nI = 1\n");
    // Another case of the name finds the file; a demo inside a demo is refused.
    const std::string outer = WriteDemo("aussen.zvd",
        "@K K\n@F S\n@C\nDEMO \"" + (directory / "INNEN.ZVD").string() + "\"\n@C\nX = 1\n");
    const tRunOutcome result = Play(outer);
    EXPECT_FALSE(result.Success);
    EXPECT_NE(result.Message.find("Eine Demo l\xE4uft bereits"), std::string::npos);
    EXPECT_FALSE(Stored("I"));
    EXPECT_TRUE(Stored("X"));
    EXPECT_TRUE(Play((directory / "innen.ZVD").string()).Success);
    EXPECT_TRUE(Stored("I"));
    // A missing file is no failure, but the user hears of it.
    EXPECT_TRUE(Play((directory / "fehlt.zvd").string()).Success);
    ASSERT_FALSE(commandWindow.Warnings.empty());
    EXPECT_NE(commandWindow.Warnings.back().find("wurde nicht gefunden"), std::string::npos);
}

// A demo waiting for the user stands between its statements: the shelf's changes run then, as
// statements of the journal, and are refused while the demo's code runs.
TEST_F(DemoPlayer, TheShelfActsWhileTheDemoWaits)
{
    const std::string path
        = WriteDemo("regal.zvd", "@D Regal\n@K Kapitel\n@F Seite\n@C\nA = {{1,2}}\n@T\nDanach\n");
    std::vector<bool> refused;
    std::vector<bool> deleted;
    view.OnWait = [&] {
        refused.push_back(session.ShelfActionRefused());
        deleted.push_back(session.DeleteAllMatrices().Success);
    };
    const tRunOutcome result = Play(path);
    EXPECT_TRUE(result.Success) << result.Message;
    EXPECT_EQ(refused, (std::vector<bool> { false, false, false }));
    EXPECT_EQ(deleted, (std::vector<bool> { true, true, true }));
    EXPECT_FALSE(Stored("A")); // made by the code block, deleted at the wait after it
    EXPECT_NE(journalView.PlainText().find("DELETE A"), std::string::npos);
    EXPECT_FALSE(session.ShelfActionRefused());
}

} // namespace
} // namespace zelvora
