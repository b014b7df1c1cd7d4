// JSON for the kernel protocol: what the reader accepts and refuses, escapes in both directions,
// text that is no UTF-8 on the way out, and hostile input that must end in a message, not a crash.
#include "text/base64.h"
#include "text/json.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

tJsonValue Parsed(std::string_view text)
{
    std::string error;
    std::optional<tJsonValue> value = ParseJson(text, error);
    EXPECT_TRUE(value.has_value()) << text << ": " << error;
    return value.value_or(tJsonValue());
}

std::string Refusal(std::string_view text)
{
    std::string error;
    EXPECT_FALSE(ParseJson(text, error).has_value()) << text;
    return error;
}

TEST(Json, ReadsARequest)
{
    const tJsonValue request
        = Parsed(R"( {"id": 7, "type": "execute", "code": "x = 1", "flag": true, "n": null,)"
                 R"( "list": [1, -2.5e1, {}], "id": 8} )");
    ASSERT_EQ(request.Kind(), tJsonValue::tKind::Object);
    EXPECT_EQ(request.StringMember("type"), "execute");
    EXPECT_EQ(request.NumberMember("id"), 8.0); // the last of two members with one key
    EXPECT_EQ(request.StringMember("id"), std::nullopt); // of another kind
    EXPECT_EQ(request.Find("missing"), nullptr);
    EXPECT_TRUE(request.Find("flag")->AsBoolean());
    EXPECT_TRUE(request.Find("n")->IsNull());
    const tJsonValue::tArray& list = request.Find("list")->Elements();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].AsNumber(), -25.0);
    EXPECT_EQ(list[2].Kind(), tJsonValue::tKind::Object);
}

TEST(Json, StringEscapesAndUnicode)
{
    EXPECT_EQ(Parsed(R"("a\"b\\c\/d\b\f\n\r\t")").AsString(), "a\"b\\c/d\b\f\n\r\t");
    EXPECT_EQ(Parsed(R"("\u00e4\u20AC")").AsString(), "\xC3\xA4\xE2\x82\xAC");
    // A surrogate pair is one character outside the basic plane.
    EXPECT_EQ(Parsed(R"("\ud83d\ude00")").AsString(), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Parsed("\"\xC3\xA4\"").AsString(), "\xC3\xA4");
}

TEST(Json, RefusesWhatIsNotJson)
{
    for (const char* text : { "", "   ", "{", "[1,]", "{\"a\":1,}", "{'a':1}", "01", "1.", ".5",
             "1e", "-", "+1", "tru", "nul", "\"abc", "\"a\tb\"", "\"\\x\"", "\"\\u12\"",
             "\"\\ud800\"", "\"\\udc00\"", "\"\\ud800\\u0041\"", "1 2", "{} x", "[1e999]",
             "\"\xC3\"", "\"\xFF\"", "\"\xED\xA0\x80\"", "\"\xC0\xAF\"", "NaN", "{\"a\" 1}" }) {
        const std::string error = Refusal(text);
        EXPECT_TRUE(error.starts_with("JSON: ")) << text << ": " << error;
        EXPECT_NE(error.find(" an Stelle "), std::string::npos) << error;
    }
    EXPECT_EQ(Refusal("[1, x]"), "JSON: Wert erwartet an Stelle 5");
}

TEST(Json, HostileNestingEndsInAMessage)
{
    EXPECT_TRUE(Parsed(std::string(MaxJsonDepth, '[') + std::string(MaxJsonDepth, ']')).Kind()
        == tJsonValue::tKind::Array);
    const std::string deep(1'000'000, '[');
    EXPECT_NE(Refusal(deep).find("zu tief geschachtelt"), std::string::npos);
    std::string objects;
    for (std::int32_t depth = 0; depth <= MaxJsonDepth; ++depth)
        objects += "{\"a\":";
    EXPECT_NE(Refusal(objects).find("zu tief geschachtelt"), std::string::npos);
}

TEST(Json, WritesOneLineThatReadsBack)
{
    tJsonValue event = tJsonValue::Object({ { "event", "output" }, { "n", 3 } });
    event.Set("text", "Zeile 1\nZeile \"2\"\t\\ \x01 \xE2\x80\xA8 \xC3\xA4");
    event.Set("list", tJsonValue::Array({ true, tJsonValue(), 0.5, std::int64_t { -7 } }));
    event.Set("n", 4); // replaces
    const std::string line = WriteJson(event);
    EXPECT_EQ(line,
        R"({"event":"output","n":4,"text":"Zeile 1\nZeile \"2\"\t\\ \u0001 \u2028 )"
        "\xC3\xA4"
        R"(","list":[true,null,0.5,-7]})");
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_EQ(WriteJson(Parsed(line)), line);
}

TEST(Json, BytesThatAreNoUtf8AndNumbersThatAreNoNumbersStayValid)
{
    // Windows-1252 bytes that escaped the conversion still give valid JSON.
    EXPECT_EQ(WriteJson(tJsonValue("\xE4x\xC3")), R"("\ufffdx\ufffd")");
    EXPECT_EQ(
        WriteJson(tJsonValue::Array({ 1.0 / 0.0, -1e308 * 10, 0.0 / 0.0 })), "[null,null,null]");
    EXPECT_EQ(WriteJson(tJsonValue(1e20)), "1e+20");
    EXPECT_EQ(WriteJson(tJsonValue(1e300)), "1.0000000000000001e+300");
    EXPECT_EQ(Parsed(WriteJson(tJsonValue(0.1))).AsNumber(), 0.1);
}

TEST(Base64, EncodesEveryRemainder)
{
    EXPECT_EQ(Base64Encode(""), "");
    EXPECT_EQ(Base64Encode("f"), "Zg==");
    EXPECT_EQ(Base64Encode("fo"), "Zm8=");
    EXPECT_EQ(Base64Encode("foo"), "Zm9v");
    EXPECT_EQ(Base64Encode("foobar"), "Zm9vYmFy");
    EXPECT_EQ(Base64Encode(std::string("\x89PNG\xFF\x00", 6)), "iVBOR/8A");
}

} // namespace
} // namespace zelvora
