// JSON values for the machine-facing side of the console program: one request or answer per line.
// Strings are UTF-8 (the reader accepts nothing else; the writer replaces bytes that are not UTF-8
// by U+FFFD), so program text is converted at this boundary.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelvora {

class tJsonValue {
public:
    enum class tKind : std::uint8_t {
        Null = 0,
        Boolean = 1,
        Number = 2,
        String = 3,
        Array = 4,
        Object = 5
    };
    using tArray = std::vector<tJsonValue>;
    // Members in the order they were added or read.
    using tMembers = std::vector<std::pair<std::string, tJsonValue>>;

    tJsonValue() = default; // null
    tJsonValue(bool value);
    tJsonValue(double value);
    tJsonValue(std::int64_t value);
    tJsonValue(std::int32_t value);
    tJsonValue(std::string value);
    tJsonValue(const char* value);
    static tJsonValue Array(tArray elements = {});
    static tJsonValue Object(tMembers members = {});

    tKind Kind() const { return m_kind; }
    bool IsNull() const { return m_kind == tKind::Null; }
    bool AsBoolean() const { return m_boolean; }
    double AsNumber() const { return m_number; }
    const std::string& AsString() const { return m_string; }
    const tArray& Elements() const { return m_elements; }
    const tMembers& Members() const { return m_members; }

    // The member's value (the last one of several with the same key); null pointer when this is
    // no object or has no such member.
    const tJsonValue* Find(std::string_view key) const;
    // The member's string or number; nothing when it is absent or of another kind.
    std::optional<std::string> StringMember(std::string_view key) const;
    std::optional<double> NumberMember(std::string_view key) const;

    // Appends to an array, or sets a member of an object (replacing one of the same key).
    tJsonValue& Append(tJsonValue element);
    tJsonValue& Set(std::string_view key, tJsonValue value);

private:
    tKind m_kind = tKind::Null;
    bool m_boolean = false;
    double m_number = 0;
    std::string m_string;
    tArray m_elements;
    tMembers m_members;
};

// Arrays and objects nested deeper than this are refused by the reader.
inline constexpr std::int32_t MaxJsonDepth = 64;

// Reads one JSON text (surrounding white space allowed). On a fault returns nothing and sets error
// to a message (program text, Windows-1252) with the byte position.
std::optional<tJsonValue> ParseJson(std::string_view text, std::string& error);

// The value as compact JSON on one line: control characters, quotes and backslashes escaped,
// U+2028 and U+2029 too; numbers that are not finite written as null.
std::string WriteJson(const tJsonValue& value);

} // namespace zelvora
