// Reading JSON text: a recursive descent over the grammar of RFC 8259, strict about what it
// accepts (no comments, no trailing commas, no bare control characters, valid UTF-8 only) and
// bounded in its nesting, so that no input can crash or exhaust the reader.
#include "text/json.h"
#include "text/text_encoding.h"

#include <charconv>
#include <cmath>

namespace zelvora {
namespace {

class tJsonReader {
public:
    explicit tJsonReader(std::string_view text)
        : m_text(text)
    {
    }

    std::optional<tJsonValue> ReadDocument(std::string& error)
    {
        SkipSpace();
        std::optional<tJsonValue> value = ReadValue(0);
        if (value) {
            SkipSpace();
            if (m_at < m_text.size())
                Fail("Text nach dem Ende des Werts");
        }
        if (!m_error.empty()) {
            error = m_error;
            return std::nullopt;
        }
        return value;
    }

private:
    // value = object / array / string / number / "true" / "false" / "null"
    std::optional<tJsonValue> ReadValue(std::int32_t depth)
    {
        if (m_at >= m_text.size())
            return Fail("unerwartetes Ende");
        switch (m_text[m_at]) {
        case '{':
            return ReadObject(depth + 1);
        case '[':
            return ReadArray(depth + 1);
        case '"': {
            std::optional<std::string> text = ReadString();
            return text ? std::optional<tJsonValue>(tJsonValue(std::move(*text))) : std::nullopt;
        }
        case 't':
            return ReadWord("true", tJsonValue(true));
        case 'f':
            return ReadWord("false", tJsonValue(false));
        case 'n':
            return ReadWord("null", tJsonValue());
        default:
            return ReadNumber();
        }
    }

    // object = "{" [ string ":" value *( "," string ":" value ) ] "}"
    std::optional<tJsonValue> ReadObject(std::int32_t depth)
    {
        if (depth > MaxJsonDepth)
            return Fail("zu tief geschachtelt");
        ++m_at;
        tJsonValue object = tJsonValue::Object();
        SkipSpace();
        if (Take('}'))
            return object;
        while (true) {
            SkipSpace();
            if (m_at >= m_text.size() || m_text[m_at] != '"')
                return Fail("Name in Anf\xFChrungszeichen erwartet");
            std::optional<std::string> key = ReadString();
            if (!key)
                return std::nullopt;
            SkipSpace();
            if (!Take(':'))
                return Fail("':' erwartet");
            SkipSpace();
            std::optional<tJsonValue> value = ReadValue(depth);
            if (!value)
                return std::nullopt;
            object.Set(*key, std::move(*value));
            SkipSpace();
            if (Take('}'))
                return object;
            if (!Take(','))
                return Fail("',' oder '}' erwartet");
        }
    }

    // array = "[" [ value *( "," value ) ] "]"
    std::optional<tJsonValue> ReadArray(std::int32_t depth)
    {
        if (depth > MaxJsonDepth)
            return Fail("zu tief geschachtelt");
        ++m_at;
        tJsonValue array = tJsonValue::Array();
        SkipSpace();
        if (Take(']'))
            return array;
        while (true) {
            SkipSpace();
            std::optional<tJsonValue> value = ReadValue(depth);
            if (!value)
                return std::nullopt;
            array.Append(std::move(*value));
            SkipSpace();
            if (Take(']'))
                return array;
            if (!Take(','))
                return Fail("',' oder ']' erwartet");
        }
    }

    std::optional<std::string> ReadString()
    {
        ++m_at; // the opening quote
        std::string text;
        while (m_at < m_text.size()) {
            const auto byte = static_cast<unsigned char>(m_text[m_at]);
            if (byte == '"') {
                ++m_at;
                return text;
            }
            if (byte < 0x20) {
                Fail("Steuerzeichen in einer Zeichenkette");
                return std::nullopt;
            }
            if (byte == '\\') {
                if (!ReadEscape(text))
                    return std::nullopt;
                continue;
            }
            char32_t code = 0;
            const std::size_t length = DecodeUtf8(m_text, m_at, code);
            if (length == 0) {
                Fail("kein g\xFCltiges UTF-8");
                return std::nullopt;
            }
            text.append(m_text.substr(m_at, length));
            m_at += length;
        }
        Fail("Zeichenkette ohne Ende");
        return std::nullopt;
    }

    // escape = "\" ( '"' / "\" / "/" / "b" / "f" / "n" / "r" / "t" / "u" 4HEXDIG )
    bool ReadEscape(std::string& text)
    {
        ++m_at;
        if (m_at >= m_text.size())
            return Fail("Zeichenkette ohne Ende").has_value();
        const char kind = m_text[m_at++];
        switch (kind) {
        case '"':
        case '\\':
        case '/':
            text += kind;
            return true;
        case 'b':
            text += '\b';
            return true;
        case 'f':
            text += '\f';
            return true;
        case 'n':
            text += '\n';
            return true;
        case 'r':
            text += '\r';
            return true;
        case 't':
            text += '\t';
            return true;
        case 'u':
            return ReadUnicodeEscape(text);
        default:
            --m_at;
            return Fail("unbekannte Escape-Folge").has_value();
        }
    }

    // \uXXXX, a surrogate pair as two of them.
    bool ReadUnicodeEscape(std::string& text)
    {
        std::optional<char32_t> code = ReadHex4();
        if (!code)
            return false;
        if (*code >= 0xDC00 && *code <= 0xDFFF)
            return Fail("einzelnes Surrogat").has_value();
        if (*code >= 0xD800 && *code <= 0xDBFF) {
            if (m_text.substr(m_at, 2) != "\\u")
                return Fail("einzelnes Surrogat").has_value();
            m_at += 2;
            std::optional<char32_t> low = ReadHex4();
            if (!low)
                return false;
            if (*low < 0xDC00 || *low > 0xDFFF)
                return Fail("einzelnes Surrogat").has_value();
            *code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
        }
        AppendUtf8(text, *code);
        return true;
    }

    std::optional<char32_t> ReadHex4()
    {
        if (m_text.size() - m_at < 4) {
            Fail("vier Hexadezimalziffern erwartet");
            return std::nullopt;
        }
        char32_t code = 0;
        for (std::int32_t k = 0; k < 4; ++k) {
            const char digit = m_text[m_at++];
            std::int32_t value = 0;
            if (digit >= '0' && digit <= '9')
                value = digit - '0';
            else if (digit >= 'a' && digit <= 'f')
                value = digit - 'a' + 10;
            else if (digit >= 'A' && digit <= 'F')
                value = digit - 'A' + 10;
            else {
                --m_at;
                Fail("vier Hexadezimalziffern erwartet");
                return std::nullopt;
            }
            code = code * 16 + static_cast<char32_t>(value);
        }
        return code;
    }

    // number = [ "-" ] ( "0" / 1-9 *DIGIT ) [ "." 1*DIGIT ] [ ( "e" / "E" ) [ "-" / "+" ] 1*DIGIT ]
    std::optional<tJsonValue> ReadNumber()
    {
        const std::size_t start = m_at;
        Take('-');
        if (Take('0')) {
            // no leading zeros
        } else if (!TakeDigits()) {
            m_at = start;
            return Fail("Wert erwartet");
        }
        if (Take('.') && !TakeDigits())
            return Fail("Ziffer nach '.' erwartet");
        if (Take('e') || Take('E')) {
            if (!Take('-'))
                Take('+');
            if (!TakeDigits())
                return Fail("Ziffer im Exponenten erwartet");
        }
        double number = 0;
        const char* first = m_text.data() + start;
        const char* last = m_text.data() + m_at;
        const auto [end, status] = std::from_chars(first, last, number);
        if (status != std::errc() || end != last || !std::isfinite(number)) {
            m_at = start;
            return Fail("Zahl au\xDF"
                        "erhalb des Bereichs");
        }
        return tJsonValue(number);
    }

    std::optional<tJsonValue> ReadWord(std::string_view word, tJsonValue value)
    {
        if (m_text.substr(m_at, word.size()) != word)
            return Fail("Wert erwartet");
        m_at += word.size();
        return value;
    }

    bool TakeDigits()
    {
        const std::size_t start = m_at;
        while (m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9')
            ++m_at;
        return m_at > start;
    }

    bool Take(char c)
    {
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    void SkipSpace()
    {
        while (m_at < m_text.size()
            && (m_text[m_at] == ' ' || m_text[m_at] == '\t' || m_text[m_at] == '\n'
                || m_text[m_at] == '\r'))
            ++m_at;
    }

    // Notes the first fault with its place (bytes counted from 1); gives nothing, so that a reading
    // routine can return it.
    std::optional<tJsonValue> Fail(std::string_view what)
    {
        if (m_error.empty())
            m_error = "JSON: " + std::string(what) + " an Stelle " + std::to_string(m_at + 1);
        return std::nullopt;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    std::string m_error;
};

} // namespace

std::optional<tJsonValue> ParseJson(std::string_view text, std::string& error)
{
    return tJsonReader(text).ReadDocument(error);
}

} // namespace zelvora
