// Reading and writing script files in the form they came in.
#include "text/script_file_form.h"

#include "text/text_encoding.h"

namespace zelvora {
namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

bool AllLineBreaksCrLf(std::string_view bytes)
{
    bool any = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            if (i == 0 || bytes[i - 1] != '\r')
                return false;
            any = true;
        }
    }
    return any;
}

std::string WithoutCarriageReturnsBeforeLineFeeds(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

} // namespace

tDecodedScript DecodeScriptFile(std::string_view bytes)
{
    tDecodedScript script;
    if (bytes.starts_with(Utf8ByteOrderMark)) {
        script.Form.ByteOrderMark = true;
        bytes.remove_prefix(Utf8ByteOrderMark.size());
    }
    script.Form.CrLf = AllLineBreaksCrLf(bytes);
    script.Form.Utf8 = script.Form.ByteOrderMark || IsUtf8WithNonAscii(bytes);
    const std::string text = script.Form.Utf8 ? std::string(bytes) : Cp1252ToUtf8(bytes);
    script.Utf8Text = WithoutCarriageReturnsBeforeLineFeeds(text);
    return script;
}

std::string EncodeScriptFile(
    std::string_view utf8Text, const tScriptFileForm& form, tScriptFileForm* usedForm)
{
    tScriptFileForm used = form;
    std::string text;
    text.reserve(utf8Text.size());
    for (const char c : utf8Text) {
        if (c == '\n' && form.CrLf)
            text += '\r';
        text += c;
    }
    std::string bytes;
    if (!used.Utf8) {
        bytes = Utf8ToCp1252(text);
        if (Cp1252ToUtf8(bytes) != text)
            used.Utf8 = true;
    }
    if (used.Utf8)
        bytes = (used.ByteOrderMark ? std::string(Utf8ByteOrderMark) : std::string()) + text;
    if (usedForm)
        *usedForm = used;
    return bytes;
}

} // namespace zelvora
