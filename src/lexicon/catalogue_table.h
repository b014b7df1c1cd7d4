// The rows from which the catalogue is built: its entries and the help tree steps, in build order.
#pragma once

#include "lexicon/catalogue.h"

#include <cstdint>
#include <span>

namespace zelvora {

// Room the catalogue reserves; a table that outgrows it does not compile.
inline constexpr std::int32_t EntryReserve = 500;
inline constexpr std::int32_t NameReserve = 1000;

enum class tCatalogueRowType : std::uint8_t {
    TreeStep, // a heading or help line of the help tree
    Entry, // a catalogue entry (with its tree node unless InTree is false)
};

// One row. A tree step performs Before, sets the node's kind and text, then performs After; its
// text is Name, followed by the separator and Help when Help is not null. An entry row carries the
// fields of the entry as written (not yet upper-cased; an empty Alias means none).
struct tCatalogueRow {
    tCatalogueRowType Type;
    const char* Before;
    std::int32_t NodeKind;
    const char* After;
    const char* Name;
    const char* Alias;
    tOpcode Opcode;
    tTocKind Kind;
    tOperatorHandler Handler;
    std::int32_t Submode;
    const char* Signature;
    const char* Help;
    bool InTree;
};

std::span<const tCatalogueRow> CatalogueRows();

} // namespace zelvora
