// The INI file: parsing into sections of lines, lookups and in-place rewrites.
#include "text/ini_file.h"

#include "text/data_directory.h"
#include "text/name_fold.h"
#include "text/replacing_file.h"
#include "text/text_encoding.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace zelvora {
namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string_view Unquoted(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && NameFold(a) == NameFold(b);
}

// A value as it can stand on one line.
std::string OneLine(std::string_view value)
{
    std::string text(value);
    for (char& c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

std::string KeyLine(std::string_view key, const std::string& value)
{
    const bool needsQuotes = !value.empty()
        && (value.front() == ' ' || value.front() == '\t' || value.back() == ' '
            || value.back() == '\t'
            || (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
    return std::string(key) + "=" + (needsQuotes ? "\"" + value + "\"" : value);
}

std::optional<std::int32_t> IntegerOf(std::string_view digits)
{
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

} // namespace

bool tIniFile::Load(const std::string& path)
{
    m_sections.clear();
    std::error_code error;
    const std::filesystem::path file(FileSystemPath(path));
    if (!std::filesystem::is_regular_file(file, error))
        return false;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return false;
    Parse(DecodeFileText(bytes.str()));
    return true;
}

void tIniFile::Parse(std::string_view text)
{
    m_sections.clear();
    m_sections.push_back({});
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);

        const std::string_view line = Trim(raw);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            m_sections.push_back({ std::string(Trim(line.substr(1, line.size() - 2))), true, {} });
            continue;
        }
        tLine entry { std::string(raw), {}, {} };
        const std::size_t equals = line.find('=');
        if (!line.empty() && line.front() != ';' && line.front() != '#'
            && equals != std::string_view::npos && equals > 0) {
            entry.Key = std::string(Trim(line.substr(0, equals)));
            entry.Value = std::string(Unquoted(Trim(line.substr(equals + 1))));
        }
        m_sections.back().Lines.push_back(std::move(entry));
    }
}

std::string tIniFile::Text() const
{
    std::string text;
    for (const tSection& section : m_sections) {
        if (section.HasHeader)
            text += "[" + section.Name + "]\n";
        for (const tLine& line : section.Lines)
            text += line.Text + "\n";
    }
    return text;
}

bool tIniFile::Save(const std::string& path) const
{
    return ReplaceFileContents(FileSystemPath(path), Cp1252ToUtf8(Text())) == 0;
}

const tIniFile::tLine* tIniFile::FindKey(std::string_view section, std::string_view key) const
{
    for (const tSection& each : m_sections) {
        if (!each.HasHeader || !SameName(each.Name, section))
            continue;
        for (const tLine& line : each.Lines) {
            if (!line.Key.empty() && SameName(line.Key, key))
                return &line;
        }
        return nullptr;
    }
    return nullptr;
}

bool tIniFile::HasKey(std::string_view section, std::string_view key) const
{
    return FindKey(section, key) != nullptr;
}

std::string tIniFile::ReadString(
    std::string_view section, std::string_view key, std::string_view fallback) const
{
    const tLine* line = FindKey(section, key);
    return line ? line->Value : std::string(fallback);
}

std::int32_t tIniFile::ReadInteger(
    std::string_view section, std::string_view key, std::int32_t fallback) const
{
    const tLine* line = FindKey(section, key);
    return line ? IntegerOf(line->Value).value_or(fallback) : fallback;
}

bool tIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const
{
    const tLine* line = FindKey(section, key);
    const std::optional<std::int32_t> value = line ? IntegerOf(line->Value) : std::nullopt;
    return value ? *value != 0 : fallback;
}

void tIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    if (m_sections.empty())
        m_sections.push_back({});
    tSection* target = nullptr;
    for (tSection& each : m_sections) {
        if (each.HasHeader && SameName(each.Name, section)) {
            target = &each;
            break;
        }
    }
    if (!target) {
        // A blank line separates the new section from what stands before it.
        tSection& last = m_sections.back();
        if (!last.Lines.empty() && !Trim(last.Lines.back().Text).empty())
            last.Lines.push_back({});
        else if (last.Lines.empty() && last.HasHeader)
            last.Lines.push_back({});
        m_sections.push_back({ std::string(section), true, {} });
        target = &m_sections.back();
    }
    const std::string text = OneLine(value);
    for (tLine& line : target->Lines) {
        if (!line.Key.empty() && SameName(line.Key, key)) {
            line.Text = KeyLine(line.Key, text);
            line.Value = text;
            return;
        }
    }
    // New keys go after the section's last non-empty line, so a blank line before the next
    // header stays there.
    auto position = target->Lines.end();
    while (position != target->Lines.begin() && Trim(std::prev(position)->Text).empty())
        --position;
    target->Lines.insert(position, { KeyLine(key, text), std::string(key), text });
}

void tIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

void tIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

} // namespace zelvora
