// Definition/raw pairs: the reader.
#include "formats/def_raw_format.h"

#include "lexicon/short_scanner.h"
#include "numerics/matrix_convert.h"
#include "text/name_fold.h"

#include <charconv>
#include <optional>

namespace zelvora {
namespace {

// Largest matrix this reader makes (1 GiB of cells): a few bytes of listing and data must not
// claim the whole memory.
constexpr std::uint64_t MaxCells = std::uint64_t { 1 } << 26;

struct tvardef {
    std::string name;
    std::string label;
    std::int32_t record = 1;
    std::int32_t start = 1;
    std::int32_t width = 0;
};
using tvardefsarr = std::vector<tvardef>;

struct tDefinition {
    std::int32_t records = 0; // lines per case
    tvardefsarr variables;
    std::string problem; // why the listing cannot be used; empty when it can
};

bool Contains(const std::string& line, std::string_view phrase)
{
    return NameFold(line).find(phrase) != std::string::npos;
}

std::optional<std::int32_t> IntegerOf(std::string_view text)
{
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::size_t FindLine(
    const std::vector<std::string>& lines, std::size_t from, std::string_view phrase)
{
    while (from < lines.size() && !Contains(lines[from], phrase))
        ++from;
    return from;
}

// One variable from its listing line; nothing when its record, start or end is no integer.
std::optional<tvardef> VariableOf(std::string_view line)
{
    const std::string_view trimmed = TrimmedView(line);
    const tscanbefs tokens = ShortTokenize(trimmed);
    if (tokens.empty())
        return std::nullopt;
    const auto text = [&](std::size_t i) {
        return trimmed.substr(static_cast<std::size_t>(tokens[i].First - 1), tokens[i].Length);
    };
    // The integer of token i, the fallback when the line has no token i, nothing when it is none.
    const auto integerAt = [&](std::size_t i, std::int32_t fallback) {
        return tokens.size() > i ? IntegerOf(text(i)) : std::optional<std::int32_t>(fallback);
    };
    const std::optional<std::int32_t> record = integerAt(2, 1);
    const std::optional<std::int32_t> start = integerAt(4, 1);
    const std::optional<std::int32_t> end = integerAt(8, 0);
    if (!record || !start || !end)
        return std::nullopt;
    tvardef variable;
    variable.name = std::string(text(0));
    variable.record = *record;
    variable.start = *start;
    if (tokens.size() > 8)
        variable.width = static_cast<std::int32_t>(
            std::clamp<std::int64_t>(std::int64_t { *end } - *start + 1, -1, INT32_MAX));
    variable.label = tokens.size() >= 13
        ? std::string(TrimmedView(trimmed.substr(static_cast<std::size_t>(tokens[12].First - 1))))
        : variable.name;
    return variable;
}

tDefinition Parse(const std::vector<std::string>& lines)
{
    tDefinition definition;
    std::size_t at = FindLine(lines, 0, "WRITE HAS GENERATED");
    at = FindLine(lines, at, "RECORDS HAVE BEEN WRITTEN");
    if (at == lines.size()) {
        definition.problem = "keine Angabe \"WRITE HAS GENERATED ... RECORDS HAVE BEEN WRITTEN\"";
        return definition;
    }
    const std::string_view recordsLine = TrimmedView(lines[at]);
    definition.records = IntegerOf(recordsLine.substr(0, recordsLine.find(' '))).value_or(0);
    if (definition.records < 1) {
        definition.problem = "Zeile " + std::to_string(at + 1) + " nennt keine Zahl von S\xE4tzen";
        return definition;
    }
    for (at = FindLine(lines, at, "NUMERIC"); at < lines.size() && Contains(lines[at], "NUMERIC")
         && definition.variables.size() < static_cast<std::size_t>(MaxDefinedVariables);
         ++at) {
        const std::optional<tvardef> variable = VariableOf(lines[at]);
        if (!variable || variable->record < 1 || variable->record > definition.records
            || variable->start < 1 || variable->width < 0) {
            definition.problem = "Zeile " + std::to_string(at + 1)
                + " beschreibt keine Variable innerhalb der S\xE4tze und Spalten eines Falls";
            return definition;
        }
        definition.variables.push_back(*variable);
    }
    if (definition.variables.empty())
        definition.problem = "keine Variable (NUMERIC)";
    return definition;
}

tMatrixReadResult Failed(std::string message)
{
    return { false, trealmatrix(1, 1), CutMessage(std::move(message)), {} };
}

} // namespace

tMatrixReadResult DefRawParse(std::string_view defText, std::string_view rawText,
    std::string_view defName, std::string_view rawName)
{
    const std::vector<std::string> data = SplitLines(rawText);
    if (data.empty())
        return Failed("Keine Daten in " + std::string(rawName));
    const tDefinition definition = Parse(SplitLines(defText));
    if (!definition.problem.empty())
        return Failed("Datei " + std::string(defName) + ": " + definition.problem);
    const std::size_t records = static_cast<std::size_t>(definition.records);
    const std::size_t cases = data.size() / records;
    const std::size_t columns = definition.variables.size();
    if (static_cast<std::uint64_t>(cases) * columns > MaxCells)
        return Failed("Datei " + std::string(rawName) + ": " + std::to_string(cases)
            + " F\xE4lle mit " + std::to_string(columns) + " Variablen sind zu viele Werte");
    trealmatrix m(static_cast<std::int32_t>(cases), static_cast<std::int32_t>(columns));
    for (std::size_t c = 0; c < cases; ++c) {
        long double* row = m.Row(static_cast<std::int32_t>(c + 1));
        for (std::size_t v = 0; v < columns; ++v) {
            const tvardef& variable = definition.variables[v];
            const std::string& line
                = data[c * records + static_cast<std::size_t>(variable.record) - 1];
            const std::size_t start = static_cast<std::size_t>(variable.start) - 1;
            if (start >= line.size())
                continue;
            const std::string_view cell = TrimmedView(
                std::string_view(line).substr(start, static_cast<std::size_t>(variable.width)));
            long double value = 0;
            if (!cell.empty() && ParseReal(cell, &value))
                row[v + 1] = value;
        }
    }
    return { true, std::move(m), {}, {} };
}

tMatrixReadResult DefRawRead(
    std::string_view defName, std::string_view rawName, const tCheckpoint* checkpoint)
{
    std::string message;
    const std::optional<std::string> defText = ReadWholeFile(defName, &message, checkpoint);
    const std::optional<std::string> rawText
        = defText ? ReadWholeFile(rawName, &message, checkpoint) : std::nullopt;
    if (!defText || !rawText)
        return Failed(message);
    return DefRawParse(*defText, *rawText, defName, rawName);
}

} // namespace zelvora
