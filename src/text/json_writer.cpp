// Writing JSON text on one line.
#include "text/json.h"
#include "text/text_encoding.h"

#include <cmath>
#include <cstdio>

namespace zelvora {
namespace {

void WriteString(std::string& out, std::string_view text)
{
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
            ++i;
        } else if (byte == '\n') {
            out += "\\n";
            ++i;
        } else if (byte == '\r') {
            out += "\\r";
            ++i;
        } else if (byte == '\t') {
            out += "\\t";
            ++i;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
            ++i;
        } else {
            char32_t code = 0;
            const std::size_t length = DecodeUtf8(text, i, code);
            if (length == 0) {
                out += "\\ufffd"; // a byte that is no UTF-8 cannot travel as it is
                ++i;
            } else if (code == 0x2028 || code == 0x2029) {
                // Line separators: valid JSON, but some line readers would split the line there.
                out += code == 0x2028 ? "\\u2028" : "\\u2029";
                i += length;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
        }
    }
    out += '"';
}

void WriteNumber(std::string& out, double number)
{
    if (!std::isfinite(number)) {
        out += "null";
        return;
    }
    char buffer[32];
    // Whole numbers that a double holds exactly are written without exponent or point.
    if (number == std::trunc(number) && std::fabs(number) < 9007199254740992.0)
        std::snprintf(buffer, sizeof buffer, "%.0f", number);
    else
        std::snprintf(buffer, sizeof buffer, "%.17g", number);
    out += buffer;
}

void Write(std::string& out, const tJsonValue& value)
{
    switch (value.Kind()) {
    case tJsonValue::tKind::Null:
        out += "null";
        return;
    case tJsonValue::tKind::Boolean:
        out += value.AsBoolean() ? "true" : "false";
        return;
    case tJsonValue::tKind::Number:
        WriteNumber(out, value.AsNumber());
        return;
    case tJsonValue::tKind::String:
        WriteString(out, value.AsString());
        return;
    case tJsonValue::tKind::Array: {
        out += '[';
        bool first = true;
        for (const tJsonValue& element : value.Elements()) {
            if (!first)
                out += ',';
            first = false;
            Write(out, element);
        }
        out += ']';
        return;
    }
    case tJsonValue::tKind::Object: {
        out += '{';
        bool first = true;
        for (const auto& [key, member] : value.Members()) {
            if (!first)
                out += ',';
            first = false;
            WriteString(out, key);
            out += ':';
            Write(out, member);
        }
        out += '}';
        return;
    }
    }
}

} // namespace

std::string WriteJson(const tJsonValue& value)
{
    std::string out;
    Write(out, value);
    return out;
}

} // namespace zelvora
