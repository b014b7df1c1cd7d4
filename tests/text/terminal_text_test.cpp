// Control characters on their way to a terminal.
#include "text/terminal_text.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(VisibleControls, ShowsEscapeSequencesInsteadOfRunningThem)
{
    // A title change, a colour and a bell from a string in a file.
    EXPECT_EQ(VisibleControls("a\x1b]0;evil\x07z"), "a^[]0;evil^Gz");
    EXPECT_EQ(VisibleControls("\x1b[31mrot\x1b[0m"), "^[[31mrot^[[0m");
    EXPECT_EQ(VisibleControls(std::string_view("\0\x7f", 2)), "^@^?");
    // C1 controls: the one-byte CSI U+009B as UTF-8.
    EXPECT_EQ(VisibleControls("x\xC2\x9B"
                              "2J"),
        "x\\x9b2J");
}

TEST(VisibleControls, KeepsLinesTabsAndText)
{
    EXPECT_EQ(VisibleControls("a\tb\r\nc\n"), "a\tb\r\nc\n");
    EXPECT_EQ(VisibleControls("\xC3\xA4 \xE2\x82\xAC \xC2\xA0"), "\xC3\xA4 \xE2\x82\xAC \xC2\xA0");
    // A carriage return on its own would overwrite the line: shown.
    EXPECT_EQ(VisibleControls("ok\rNO"), "ok^MNO");
}

} // namespace
} // namespace zelvora
