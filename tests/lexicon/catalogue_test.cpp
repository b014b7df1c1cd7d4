// The catalogue: entries as registered, the name index, the lookups and the linear function list.
#include "lexicon/catalogue.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using H = tOperatorHandler;
using K = tTocKind;

struct tExpectedEntry {
    const char* Lookup; // a name that finds the entry
    const char* Name;
    const char* Alias;
    std::uint16_t Opcode; // the number the language documents
    K Kind;
    H Handler;
    std::int32_t Submode;
    const char* Signature;
    const char* Help;
};

// clang-format off
    const tExpectedEntry Sample[] = {
        { "e",          "E",              "E",          13,  K::Constant,       H::None,                0, "()", "eulersche Zahl (2.718...)" },
        { "WAHR",       "WAHR",           "TRUE",       16,  K::Constant,       H::None,                0, "()", "logisches WAHR" },
        { "hi",         "HI",             "HI",         17,  K::Constant,       H::None,                0, "()", "max zl/sp" },
        { "(",          "(",              "(",          334, K::OpeningBracket, H::None,                0, "()", "\xD6" "ffnende Klammer f\xFCr neuen Ausdruck" },
        { "}",          "}",              "}",          9,   K::Operator,       H::None,                0, "()", "Schlie\xDF" "ende Klammer einer Matrixdefinition" },
        { "\xB4",       "\xB4",           "\xB4",       20,  K::Operator,       H::None,                0, "()", "Akzent:Range-Reihungsoperator 1..3\xB4" "5\xB4" "7..9" },
        { ":",          ":",              ":",          22,  K::Operator,       H::None,                0, "()", "Block-Operator (1..9:1..3) bisher nur f\xFCr  Collectxx()" },
        { "-",          "-",              "-",          25,  K::Operator,       H::Subtraction,         0, "()", "Minus Subtraktion" },
        { "\xB7#",      "\xB7#",          "\xB7#",      29,  K::Operator,       H::Multiplication,      1, "()", "Mal Elementweise Multiplikation" },
        { "div",        "DIV",            "DIV",        33,  K::Operator,       H::IntegerQuotient,     0, "()", "DIV: Ganzzahldivision" },
        { "choose",     "\xDC" "BER",     "CHOOSE",     48,  K::Operator,       H::BinomialCoefficient, 0, "()", "binomischer Operator (a+b)!/a!b!" },
        { "\xFCmod",    "\xDCMOD",        "CHOOSEMOD",  49,  K::Operator,       H::EmptyResult,         0, "()", "Ganzzahlrest nach binomischer Operator" },
        { "\xB3",       "\xB3",           "\xB3",       68,  K::Operator,       H::None,                0, "()", "x hoch 3 " },
        { "=>",         "=>",             "=>",         38,  K::Operator,       H::Comparison,          3, "()", "gleich oder gr\xF6\xDF" "er" },
        { "<",          "<",              "<",          34,  K::Operator,       H::Comparison,          4, "()", "Kleiner" },
        { "aeq",        "AEQ",            "AEQ",        43,  K::Operator,       H::Logic,               9, "()", "boolsches entweder oder" },
        { "|",          "|",              "|",          41,  K::Operator,       H::Logic,              14, "()", "boolsches ODER" },
        { "in",         "IN",             "IN",         45,  K::Operator,       H::Membership,          1, "()", "Einzelwerte IN rangelist" },
        { "else",       "SONST",          "ELSE",       47,  K::Operator,       H::Condition,           2, "()", "z=x FALLS (a=b) SONST y" },
        { "++",         "++",             "++",         50,  K::Operator,       H::None,                0, "()", "(Matrix-Plus, experimentell)" },
        { "]",          "]",              "]",          10,  K::Operator,       H::None,                0, "()", "Matrix/Array-Indizierung x[zl,sp]" },
        { "sqrt",       "WURZEL",         "SQRT",       80,  K::Function,       H::None,                0, "(G)", "Quadratwurzel" },
        { "Wenn",       "WENN",           "IF",         113, K::Function,       H::None,                0, "(L,Wert [,Sonstwert])", "Bedingung, Wert falls zutreffend [,Wert falls nicht zutreffend]" },
        { "fill",       "F\xDCLLEN",      "FILL",       246, K::Function,       H::None,                0, "(Izl,Ispa,Rwert)", "Erzeugt Matrix mit einem bestimmten Wert" },
        { "Mk",         "MK",             "MK",         268, K::Function,       H::None,                0, "({iZei,iSpa | \"mus\" },r,...)", "Matrix erzeugen (zeilen,spalten,werte..." },
        { "MkType",     "MKTYPE",         "MKTYPE",     271, K::Function,       H::None,                0, "(s [,iDim])", "\"binomial\",\"GP\",\"St1\", mit iDim Dimension erzeugen" },
        { "Concatsp",   "CONCATSP",       "CONCATSP",   291, K::Function,       H::None,                0, "(M,)", "" },
        { "GMedian",    "GMEDIAN",        "GMEDIAN",    144, K::Function,       H::None,                0, "(M [,Mgruppen])", "Median(gruppiert)  aller Elemente berechnen" },
        { "GetIndiv",   "GETINDIV",       "GETINDIV",   212, K::Function,       H::None,                0, "(MCOV)", "1-Multiple-r\xB2 f\xFCr jede Variable bestimmen" },
        { "Curvefit",   "CURVEFIT",       "CURVEFIT",   327, K::Function,       H::None,                0, "(M <data>,S <curvetyp> [,M <Parameter> [,M <Varianzen>]])", "Nonlinear Curvefit (S=Typauswahl); \"Lin\": Zeilen=Variablen, letzte Zeile abh\xE4ngig; Ergebnisse R (Zeile 1 Gewichte ohne Achsenabschnitt, Zeile 2 Varianzanteile, Zeile 3 kumuliert) und F (Zeile 1 Vorhersage mit Mittelwert, Zeile 2 Residuen)" },
        { "RotMult",    "ROTMULT",        "ROTMULT",    315, K::Function,       H::None,                0, "(LAD,{Spa1,Spa2} [,x=2] | LAD,Spa1,Spa2 [,x=2])", "Vervielfachung der Winkel (phi=arc(x,y)) der Koordinaten zweier Spalten einer Matrix " },
        { "GaussElim",  "GAUSSELIM",      "GAUSSELIM",  318, K::Function,       H::None,                0, "(M,{pivot-zl,pivot-sp},zeilen [,spalten])", "Gauss-Elimination x\xB4=x - yz/piv " },
        { "R3_Norm",    "R3_NORM",        "R3_NORM",    230, K::Function,       H::None,                0, "(V3)", "R3 normieren" },
    };
// clang-format on

// The factor-analysis functions follow the inherited table: entries and names they add.
constexpr std::int32_t FactorAnalysisEntries = 8;
constexpr std::int32_t FactorAnalysisNames = 14;
constexpr std::int32_t Entries = 307 + FactorAnalysisEntries;
constexpr std::int32_t Names = 360 + FactorAnalysisNames;

TEST(Catalogue, CountsAndPositions)
{
    tTocINFO& catalogue = Catalogue();
    EXPECT_TRUE(catalogue.Built());
    EXPECT_EQ(catalogue.EntryCount(), Entries);
    EXPECT_EQ(catalogue.NameCount(), Names);
    EXPECT_EQ(catalogue.Entries().Count(), Entries);
    EXPECT_EQ(catalogue.Names().Count(), Names);
    EXPECT_EQ(catalogue.SortOrder().Count(), Names);

    EXPECT_EQ(catalogue.Entry(1).Name, "PUSHVAR");
    EXPECT_EQ(catalogue.Entry(1).Opcode, tOpcode { 4 });
    EXPECT_EQ(catalogue.Entry(2).Name, "PUSHREF");
    EXPECT_EQ(catalogue.Entry(2).Opcode, tOpcode { 5 });
    EXPECT_EQ(catalogue.Entry(3).Name, "E");
    EXPECT_EQ(catalogue.Entry(10).Name, "(");
    EXPECT_EQ(catalogue.Entry(Entries).Name, "R3_NORM");
    EXPECT_THROW(catalogue.Entry(0), tRangeError);
    EXPECT_THROW(catalogue.Entry(Entries + 1), tRangeError);
}

TEST(Catalogue, SampleEntriesFieldByField)
{
    tTocINFO& catalogue = Catalogue();
    for (const tExpectedEntry& expected : Sample) {
        SCOPED_TRACE(expected.Name);
        const tTocLookup found = catalogue.Lookup(expected.Lookup, 0);
        ASSERT_TRUE(found.Found);
        const tTOC& entry = catalogue.Entry(found.Entry);
        EXPECT_EQ(OpcodeNumber(found.Opcode), expected.Opcode);
        EXPECT_EQ(entry.Name, expected.Name);
        EXPECT_EQ(entry.Alias, expected.Alias);
        EXPECT_EQ(OpcodeNumber(entry.Opcode), expected.Opcode);
        EXPECT_EQ(entry.Kind, expected.Kind);
        EXPECT_EQ(entry.Handler, expected.Handler);
        EXPECT_EQ(entry.Submode, expected.Submode);
        EXPECT_EQ(entry.Signature, expected.Signature);
        EXPECT_EQ(entry.Help, expected.Help);
        EXPECT_EQ(entry.Extra, "");
    }
}

TEST(Catalogue, LookupIgnoresCaseAndFindsAliases)
{
    tTocINFO& catalogue = Catalogue();
    for (const char* name : { "SIN", "sin", "Sin" })
        EXPECT_EQ(catalogue.Lookup(name, 0).Opcode, tOpcode { 89 }) << name;
    for (const char* name : { "\xFC"
                              "ber",
             "\xDC"
             "ber",
             "\xDC"
             "BER",
             "Choose" })
        EXPECT_EQ(catalogue.Lookup(name, 0).Opcode, tOpcode { 48 }) << name;
    EXPECT_EQ(catalogue.Lookup("t", 0).Opcode, tOpcode { 16 });
    EXPECT_EQ(catalogue.Lookup("factorize", 0).Opcode, tOpcode { 311 });
    // The search does not look at kinds: any of the three finds any entry.
    EXPECT_EQ(catalogue.LookupOperator("abs", 0).Opcode, tOpcode { 74 });
    EXPECT_EQ(catalogue.LookupConstant("+", 0).Opcode, tOpcode { 24 });
    EXPECT_EQ(catalogue.LookupFunction("pi", 0).Opcode, tOpcode { 14 });
}

TEST(Catalogue, LookupPrefixRuleAndFailures)
{
    tTocINFO& catalogue = Catalogue();
    EXPECT_EQ(catalogue.Lookup("x_abs", 0).Opcode, tOpcode { 74 });
    EXPECT_EQ(catalogue.Lookup("Q_SIN", 0).Opcode, tOpcode { 89 });
    EXPECT_EQ(catalogue.Lookup("R2_Add", 0).Opcode, tOpcode { 218 });
    EXPECT_EQ(catalogue.Lookup("St_ChiSq", 0).Opcode, tOpcode { 240 });

    // F_ord is looked up as ORD, which does not exist.
    for (const char* name : { "F_ord", "nosuch", "", "x_", "abs " }) {
        const tTocLookup result = catalogue.Lookup(name, 0);
        EXPECT_FALSE(result.Found) << name;
        EXPECT_EQ(result.Opcode, tOpcode::NotFound) << name;
        EXPECT_EQ(result.Entry, 0) << name;
    }

    // While the evaluation machine reports an error nothing is found.
    const tTocLookup blocked = catalogue.Lookup("sin", 7);
    EXPECT_FALSE(blocked.Found);
    EXPECT_EQ(blocked.Opcode, tOpcode::NotFound);
}

TEST(Catalogue, DoubledNamesFindTheirFirstRegistration)
{
    tTocINFO& catalogue = Catalogue();
    for (const char* name : { "W", "w" }) {
        const tTocLookup result = catalogue.Lookup(name, 0);
        EXPECT_EQ(result.Opcode, tOpcode { 16 }) << name;
        EXPECT_EQ(catalogue.Entry(result.Entry).Kind, tTocKind::Constant) << name;
    }
    for (const char* name : { "If", "if", "IF" }) {
        const tTocLookup result = catalogue.Lookup(name, 0);
        EXPECT_EQ(result.Opcode, tOpcode { 46 }) << name;
        EXPECT_EQ(catalogue.Entry(result.Entry).Name, "FALLS") << name;
    }
    // The function behind W stays reachable by its name and its other alias.
    EXPECT_EQ(catalogue.Lookup("v", 0).Opcode, tOpcode { 239 });
    EXPECT_EQ(catalogue.Lookup("Skalar", 0).Opcode, tOpcode { 239 });
    EXPECT_EQ(catalogue.Lookup("Wenn", 0).Opcode, tOpcode { 113 });

    // e is registered with the alias e: two names, one entry.
    std::vector<std::int32_t> entriesOfE;
    for (std::int32_t i = 1; i <= catalogue.NameCount(); ++i) {
        if (catalogue.Names()[i] == "E")
            entriesOfE.push_back(catalogue.NameEntry()[i]);
    }
    EXPECT_EQ(entriesOfE, (std::vector<std::int32_t> { 3, 3 }));
}

TEST(Catalogue, SortOrderIsAPermutationInByteOrder)
{
    const tTocINFO& catalogue = Catalogue();
    const tIntvector& order = catalogue.SortOrder();
    std::vector<bool> seen(static_cast<std::size_t>(catalogue.NameCount()) + 1, false);
    for (std::int32_t i = 1; i <= catalogue.NameCount(); ++i) {
        ASSERT_GE(order[i], 1);
        ASSERT_LE(order[i], catalogue.NameCount());
        EXPECT_FALSE(seen[order[i]]);
        seen[order[i]] = true;
    }
    for (std::int32_t i = 2; i <= catalogue.NameCount(); ++i) {
        const std::string& previous = catalogue.Names()[order[i - 1]];
        const std::string& current = catalogue.Names()[order[i]];
        // Byte order: "\xDC" "BER" (220) sorts after every ASCII name.
        EXPECT_LE(previous.compare(current), 0) << i;
        if (previous == current) {
            EXPECT_LT(order[i - 1], order[i]) << previous;
        }
    }
    EXPECT_EQ(catalogue.Names()[order[catalogue.NameCount()]], "\xDCMOD");
}

TEST(Catalogue, EntryOfOpcode)
{
    tTocINFO& catalogue = Catalogue();
    EXPECT_EQ(catalogue.EntryOfOpcode(tOpcode { 3 }), 0);
    EXPECT_EQ(catalogue.EntryOfOpcode(tOpcode { 4 }), 1);
    // First entry of a shared opcode: falsch before f, Addsp before Concatsp.
    EXPECT_EQ(catalogue.Entry(catalogue.EntryOfOpcode(tOpcode { 15 })).Name, "FALSCH");
    EXPECT_EQ(catalogue.Entry(catalogue.EntryOfOpcode(tOpcode { 291 })).Name, "ADDSP");
    EXPECT_EQ(catalogue.EntryOfOpcode(tOpcode { 230 }), Entries);
}

TEST(Catalogue, BuildOnDemandAndClear)
{
    tTocINFO catalogue;
    EXPECT_FALSE(catalogue.Built());
    EXPECT_EQ(catalogue.EntryCount(), 0);
    EXPECT_EQ(catalogue.Lookup("abs", 0).Opcode, tOpcode { 74 });
    EXPECT_TRUE(catalogue.Built());
    catalogue.Build();
    EXPECT_EQ(catalogue.EntryCount(), Entries);
    EXPECT_EQ(catalogue.NameCount(), Names);

    catalogue.Clear();
    EXPECT_FALSE(catalogue.Built());
    EXPECT_EQ(catalogue.EntryCount(), 0);
    EXPECT_EQ(catalogue.NameCount(), 0);
    EXPECT_EQ(catalogue.Tree().Root().Count(), 0);
    EXPECT_THROW(catalogue.Entry(1), tRangeError);

    EXPECT_EQ(catalogue.EntryOfOpcode(tOpcode { 26 }), 20);
    EXPECT_EQ(catalogue.Entry(20).Name, "*");
    EXPECT_EQ(catalogue.NameCount(), Names);
}

TEST(Catalogue, LinearFunctionList)
{
    const std::vector<std::string> lines = LinearFunctionList(Catalogue());
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(Entries));
    EXPECT_EQ(lines[0], "PUSHVAR\tPUSHVAR\tConstant\t()\t\t");
    EXPECT_EQ(lines[2], "E\tE\tConstant\t()\teulersche Zahl (2.718...)\t");
    EXPECT_EQ(lines[9],
        "(\t(\t\t()\t\xD6"
        "ffnende Klammer f\xFCr neuen Ausdruck\t");
    EXPECT_EQ(lines[10],
        ")\t)\tOperator\t()\tSchlie\xDF"
        "ende Klammer eines Ausdrucks\t");
    EXPECT_EQ(lines[Entries - 1], "R3_NORM\tR3_NORM\tFunction\t(V3)\tR3 normieren\t");
}

} // namespace
} // namespace zelvora
