// The catalogue: registration of the table's entries, the sorted name index and the lookups.
#include "lexicon/catalogue.h"

#include "lexicon/catalogue_arity.h"
#include "lexicon/catalogue_table.h"
#include "lexicon/scanner.h"
#include "numerics/run_time_error.h"

#include <algorithm>
#include <utility>

namespace zelvora {
namespace {

// The entry's node in the help tree; names are spelled as registered, the alias is left out.
std::string EntryNodeText(const tCatalogueRow& row)
{
    std::string text;
    if (row.Kind == tTocKind::Constant)
        text += '#';
    text += row.Name;
    if (row.Kind == tTocKind::Function) {
        text += '(';
        text += row.Signature;
        text += ')';
    }
    text += NodeFieldSeparator;
    text += row.Help;
    text += NodeFieldSeparator; // followed by the (always empty) extra column
    return text;
}

std::string StepNodeText(const tCatalogueRow& row)
{
    std::string text = row.Name;
    if (row.Help != nullptr) {
        text += NodeFieldSeparator;
        text += row.Help;
    }
    return text;
}

// Quicksort of the name numbers order[lo..hi] by ordinal comparison of their names: the pivot
// is the middle element, the left part is sorted by recursion, the right part by the loop.
void QuickSortNames(tIntvector& order, const tStringVector& names, std::int32_t lo, std::int32_t hi)
{
    while (lo < hi) {
        std::int32_t i = lo;
        std::int32_t j = hi;
        const std::string& pivot = names[order[(lo + hi) / 2]];
        do {
            while (names[order[i]] < pivot)
                ++i;
            while (names[order[j]] > pivot)
                --j;
            if (i <= j) {
                std::swap(order[i], order[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (lo < j)
            QuickSortNames(order, names, lo, j);
        lo = i;
    }
}

const char* KindText(tTocKind kind)
{
    switch (kind) {
    case tTocKind::Constant:
        return "Constant";
    case tTocKind::Operator:
        return "Operator";
    case tTocKind::Function:
        return "Function";
    case tTocKind::OpeningBracket:
        break;
    }
    return "";
}

} // namespace

void tTocINFO::Build()
{
    if (m_built)
        return;
    m_entries = tTOCList(EntryReserve);
    m_names = tStringVector(NameReserve);
    m_nameEntry = tIntvector(NameReserve);
    m_entryCount = 0;
    m_nameCount = 0;
    m_tree = tTokentree();
    m_built = true;

    for (const tCatalogueRow& row : CatalogueRows()) {
        if (row.Type == tCatalogueRowType::TreeStep)
            m_tree.Step(row.Before, row.NodeKind, StepNodeText(row), row.After);
        else
            Register(row);
    }

    m_entries.Resize(m_entryCount);
    m_names.Resize(m_nameCount);
    m_nameEntry.Resize(m_nameCount);
    SortNames();
}

void tTocINFO::Clear()
{
    if (!m_built)
        return;
    m_entries = tTOCList();
    m_names = tStringVector();
    m_nameEntry = tIntvector();
    m_sortOrder = tIntvector();
    m_entryCount = 0;
    m_nameCount = 0;
    m_tree = tTokentree();
    m_built = false;
}

void tTocINFO::Register(const tCatalogueRow& row)
{
    if (row.Name[0] == '\0')
        return;
    if (m_entryCount >= EntryReserve)
        throw tRangeError();
    ++m_entryCount;
    tTOC& entry = m_entries[m_entryCount];
    entry.Name = NameFold(row.Name);
    entry.Alias = row.Alias[0] == '\0' ? entry.Name : NameFold(row.Alias);
    entry.Opcode = row.Opcode;
    entry.Kind = row.Kind;
    entry.Handler = row.Handler;
    entry.Submode = row.Submode;
    entry.Signature = std::string("(") + row.Signature + ")";
    entry.Help = row.Help;
    entry.Extra.clear();
    entry.Arguments = ArgumentCountOfSignature(row.Signature);

    if (row.InTree)
        m_tree.Step("v", EntryNodeKind, EntryNodeText(row), "");

    AddName(entry.Name, m_entryCount);
    // An alias is registered even when it equals the name ("e"); both names lead to the entry.
    if (row.Alias[0] != '\0')
        AddName(entry.Alias, m_entryCount);
}

void tTocINFO::AddName(const std::string& name, std::int32_t entry)
{
    if (m_nameCount >= NameReserve)
        throw tRangeError();
    ++m_nameCount;
    m_names[m_nameCount] = name;
    m_nameEntry[m_nameCount] = entry;
}

void tTocINFO::SortNames()
{
    m_sortOrder = tIntvector(m_nameCount);
    for (std::int32_t i = 1; i <= m_nameCount; ++i)
        m_sortOrder[i] = i;
    QuickSortNames(m_sortOrder, m_names, 1, m_nameCount);

    // The quicksort leaves names that occur twice (W, IF, E, ...) in an order that depends on the
    // whole list. Ordering each run of equal names by name number makes the first registration
    // win deterministically: W finds the constant w, IF the operator falls.
    const std::span<std::int32_t> order = m_sortOrder.Elements();
    const auto nameOf
        = [this](std::int32_t number) -> const std::string& { return m_names[number]; };
    for (auto run = order.begin(); run != order.end();) {
        const auto runEnd = std::find_if(
            run, order.end(), [&](std::int32_t number) { return nameOf(number) != nameOf(*run); });
        std::sort(run, runEnd);
        run = runEnd;
    }
}

const tTOC& tTocINFO::Entry(std::int32_t number) const
{
    if (number < 1 || number > m_entryCount)
        throw tRangeError();
    return m_entries[number];
}

tTocLookup tTocINFO::Lookup(std::string_view name, std::int32_t evalErrorCode)
{
    Build();
    if (evalErrorCode != 0)
        return {};
    std::string key = NameFold(name);
    if (key.size() >= 2 && key[1] == '_')
        key.erase(0, 2);

    const auto nameAt = [this](std::int32_t position) -> const std::string& {
        const std::int32_t number = m_sortOrder[position];
        return m_names[number];
    };
    std::int32_t lo = 1;
    std::int32_t hi = m_nameCount;
    while (lo <= hi) {
        const std::int32_t mid = (lo + hi) / 2;
        const int comparison = nameAt(mid).compare(key);
        if (comparison == 0) {
            // Equal names are ordered by name number: the first of the run is the first registered.
            std::int32_t first = mid;
            while (first > 1 && nameAt(first - 1) == key)
                --first;
            const std::int32_t number = m_sortOrder[first];
            const std::int32_t entry = m_nameEntry[number];
            return { true, m_entries[entry].Opcode, entry };
        }
        if (comparison < 0)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return {};
}

std::int32_t tTocINFO::EntryOfOpcode(tOpcode opcode)
{
    Build();
    for (std::int32_t number = 1; number <= m_entryCount; ++number) {
        if (m_entries[number].Opcode == opcode)
            return number;
    }
    return 0;
}

tTocINFO& Catalogue()
{
    static tTocINFO catalogue;
    catalogue.Build();
    return catalogue;
}

std::vector<std::string> LinearFunctionList(const tTocINFO& catalogue)
{
    std::vector<std::string> lines;
    lines.reserve(catalogue.EntryCount());
    for (std::int32_t number = 1; number <= catalogue.EntryCount(); ++number) {
        const tTOC& entry = catalogue.Entry(number);
        lines.push_back(entry.Name + '\t' + entry.Alias + '\t' + KindText(entry.Kind) + '\t'
            + entry.Signature + '\t' + entry.Help + '\t' + entry.Extra);
    }
    return lines;
}

} // namespace zelvora
