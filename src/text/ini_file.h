// A small INI file of sections and keys, read and written in place: keys that the program does not
// know, comments and the order of lines survive a rewrite.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

class tIniFile {
public:
    // Replaces the contents by the file's. A missing or unreadable file leaves the contents empty
    // and gives false. UTF-8 files are converted to the program's Windows-1252 text.
    bool Load(const std::string& path);
    // Replaces the contents by text (Windows-1252): "[Section]" lines, "key=value" lines, comments
    // beginning with ';' or '#'; other lines are kept but carry no key.
    void Parse(std::string_view text);
    // Writes the contents as UTF-8 through a temporary file in the same directory that is renamed
    // over the target, so a failed write leaves the old file whole. False on any error.
    bool Save(const std::string& path) const;
    // The contents as Windows-1252 text, lines ending in '\n'.
    std::string Text() const;

    // Sections and keys compare case-insensitively; the first section and key of a name count.
    // A value written as "..." loses its quotes; blanks around keys and values are dropped.
    bool HasKey(std::string_view section, std::string_view key) const;
    std::string ReadString(
        std::string_view section, std::string_view key, std::string_view fallback) const;
    // A decimal integer with an optional sign that fits 32 bits; anything else gives fallback.
    std::int32_t ReadInteger(
        std::string_view section, std::string_view key, std::int32_t fallback) const;
    // An integer value other than 0 is true, 0 is false; a non-integer value gives fallback.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    // Replaces the value of an existing key in place, or appends the key to its section (a new
    // section goes to the end). Line breaks in the value are replaced by blanks; a value that
    // would lose blanks or quotes when read back is written in quotes.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value); // "1" or "0"

private:
    struct tLine {
        std::string Text; // the line as read or written
        std::string Key; // empty for headers, comments and other lines
        std::string Value;
    };
    struct tSection {
        std::string Name; // empty for the lines before the first header
        bool HasHeader = false;
        std::vector<tLine> Lines;
    };

    const tLine* FindKey(std::string_view section, std::string_view key) const;

    std::vector<tSection> m_sections;
};

} // namespace zelvora
