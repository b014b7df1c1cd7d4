// Script files come back byte for byte in the encoding and line breaks they were read in.
#include "text/script_file_form.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

void ExpectRoundTrip(const std::string& bytes, const tScriptFileForm& form)
{
    const tDecodedScript script = DecodeScriptFile(bytes);
    EXPECT_EQ(script.Form, form) << bytes;
    EXPECT_EQ(script.Utf8Text.find('\r'), std::string::npos) << bytes;
    EXPECT_EQ(EncodeScriptFile(script.Utf8Text, script.Form), bytes);
}

TEST(ScriptFileForm, ReadAndWrittenBackUnchanged)
{
    ExpectRoundTrip("A = \"gr\xC3\xB6\xC3\x9F"
                    "e\"\r\nB = 2\r\n",
        { true, true, false });
    ExpectRoundTrip("A = \"gr\xF6\xDF"
                    "e\"\nB = 2",
        { false, false, false });
    ExpectRoundTrip("\xEF\xBB\xBF"
                    "A = 1\n",
        { true, false, true });
    ExpectRoundTrip("", { false, false, false });
}

TEST(ScriptFileForm, MixedLineBreaksBecomeLineFeeds)
{
    const tDecodedScript script = DecodeScriptFile("A = 1\r\nB = 2\nC = 3\n");
    EXPECT_EQ(EncodeScriptFile(script.Utf8Text, script.Form), "A = 1\nB = 2\nC = 3\n");
}

TEST(ScriptFileForm, Windows1252TextAsUtf8)
{
    EXPECT_EQ(DecodeScriptFile("x = \"\xE4\x80\"").Utf8Text, "x = \"\xC3\xA4\xE2\x82\xAC\"");
}

TEST(ScriptFileForm, CharacterOutsideWindows1252SavesAsUtf8)
{
    tScriptFileForm used;
    const std::string text = "; \xE2\x86\x92 Pfeil\n";
    EXPECT_EQ(EncodeScriptFile(text, { false, false, false }, &used), text);
    EXPECT_TRUE(used.Utf8);
    EXPECT_EQ(EncodeScriptFile("; \xC3\xA4\n", { false, true, false }, &used), "; \xE4\r\n");
    EXPECT_FALSE(used.Utf8);
}

} // namespace
} // namespace zelvora
