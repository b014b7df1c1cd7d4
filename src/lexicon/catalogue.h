// The catalogue of the formula language: every constant, bracket, operator and built-in function
// with its opcode, operator handler and help text, the sorted name index and the help tree.
#pragma once

#include "lexicon/catalogue_arity.h"
#include "lexicon/help_tree.h"
#include "lexicon/opcodes.h"
#include "numerics/matrix_types.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

enum class tTocKind : std::uint8_t {
    Constant = 0,
    Operator = 1, // closing brackets included
    Function = 2,
    OpeningBracket = 3,
};

// The operation of the variable store that carries out a binary operator; the evaluation machine
// binds each to the store's routine. None: the machine applies the opcode itself, or (for "++")
// nothing is bound. EmptyResult: the operation whose result is always empty ("ümod").
enum class tOperatorHandler : std::uint8_t {
    None = 0,
    Addition = 1,
    Subtraction = 2,
    Multiplication = 3, // the store's matrix-product operation
    Division = 4,
    Power = 5,
    IntegerQuotient = 6, // div
    IntegerRemainder = 7, // mod
    BinomialCoefficient = 8,
    EmptyResult = 9,
    Comparison = 10, // submode: allowed outcomes, 1 greater, 2 equal, 4 less
    Logic = 11, // submode: four-bit truth table
    Membership = 12,
    Condition = 13, // submode 1 "falls", 2 "sonst"
};

// One catalogue entry. Name and Alias are upper-cased; Alias repeats Name when there is none.
// Signature is "(" + parameter signature + ")", for display only.
struct tTOC {
    std::string Name;
    std::string Alias;
    tOpcode Opcode = tOpcode::NotFound;
    tTocKind Kind = tTocKind::Constant;
    tOperatorHandler Handler = tOperatorHandler::None;
    std::int32_t Submode = 0;
    std::string Signature;
    std::string Help;
    std::string Extra;
    tArgumentCount Arguments; // what a function's signature allows; checked at each call
};

// Entries numbered from 1; slot 0 stays empty.
using tTOCList = tVector<tTOC>;

struct tCatalogueRow;

struct tTocLookup {
    bool Found = false;
    tOpcode Opcode = tOpcode::NotFound;
    std::int32_t Entry = 0; // entry number, 0 when not found
};

// The catalogue. Built once and unchanged afterwards; Build and Clear are its only writers.
class tTocINFO {
public:
    // Registers every entry and builds the help tree and the sorted name index; does nothing when
    // already built.
    void Build();
    // Empties the entries, names and tree and clears Built.
    void Clear();
    bool Built() const { return m_built; }

    std::int32_t EntryCount() const { return m_entryCount; }
    std::int32_t NameCount() const { return m_nameCount; }
    // Entry 1..EntryCount; outside: tRangeError.
    const tTOC& Entry(std::int32_t number) const;
    const tTOCList& Entries() const { return m_entries; }
    // Every upper-cased name and alias in registration order, 1..NameCount, with its entry number.
    const tStringVector& Names() const { return m_names; }
    const tIntvector& NameEntry() const { return m_nameEntry; }
    // Name numbers in ascending byte order of the names; equal names by ascending name number.
    const tIntvector& SortOrder() const { return m_sortOrder; }
    const tTokentree& Tree() const { return m_tree; }

    // Finds a name or alias, ignoring case and kind; a second character '_' drops the first two
    // ("x_abs" is ABS). A name registered more than once finds its first registration. Not found,
    // or evalErrorCode (the evaluation machine's error code) not 0: Found false, opcode NotFound.
    // Builds the catalogue first if needed.
    tTocLookup Lookup(std::string_view name, std::int32_t evalErrorCode);
    // The parser asks by the kind it expects; the search is the same for all three.
    tTocLookup LookupConstant(std::string_view name, std::int32_t evalErrorCode)
    {
        return Lookup(name, evalErrorCode);
    }
    tTocLookup LookupOperator(std::string_view name, std::int32_t evalErrorCode)
    {
        return Lookup(name, evalErrorCode);
    }
    tTocLookup LookupFunction(std::string_view name, std::int32_t evalErrorCode)
    {
        return Lookup(name, evalErrorCode);
    }

    // Number of the first entry with this opcode, 0 when there is none. Builds first if needed.
    std::int32_t EntryOfOpcode(tOpcode opcode);

private:
    void Register(const tCatalogueRow& row);
    void AddName(const std::string& name, std::int32_t entry);
    void SortNames();

    tTOCList m_entries;
    tTokentree m_tree;
    bool m_built = false;
    std::int32_t m_entryCount = 0;
    std::int32_t m_nameCount = 0;
    tStringVector m_names;
    tIntvector m_nameEntry;
    tIntvector m_sortOrder;
};

// The program's one catalogue, built on first use.
tTocINFO& Catalogue();

// The linear function list, one line per entry: name, alias, kind ("Constant", "Operator",
// "Function", nothing for an opening bracket), signature, help and extra, separated by tabs.
std::vector<std::string> LinearFunctionList(const tTocINFO& catalogue);

} // namespace zelvora
