// Options: the tables, SETOPTIONS groups, parsing and clamping, show texts, SHOWOPTIONS and the
// journal and listing switches.
#include "interpreter/option_commands.h"
#include "interpreter/options.h"
#include "interpreter/system_variables.h"
#include "numerics/run_time_error.h"
#include "support/recording_ports.h"
#include "text/word_list.h"

#include <map>
#include <set>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

struct tOptionsFixture : ::testing::Test {
    tOptionsFixture()
        : interpreter(tInterpreterPorts { &journal, &listing })
        , store(std::make_unique<tVisibleVarsList>())
        , options(settings, interpreter, store.get(), random,
              tOptionHooks { [this](bool on) { journalButton.push_back(on); }, nullptr,
                  [this](bool visible) { journalWindow.push_back(visible); }, nullptr })
    {
    }

    // Runs SETOPTIONS on the text as the executor hands over its arguments.
    bool Set(std::string_view text) { return SetOn(options, text); }
    bool SetOn(tOptions& target, std::string_view text)
    {
        tAnsiTokens arguments = Tokenize(text, '"');
        AppendEndTokens(arguments, 6);
        tStmtList& statements = interpreter.Statements();
        statements.Reported.reset(); // as each statement starts
        const bool ok = SetOptionsCommand(target, statements, arguments);
        statements.EndStatement(statements.Reported); // as the interpreter ends each statement
        return ok;
    }

    testing::tRecordingJournal journal;
    testing::tRecordingListing listing;
    tInterpreter interpreter;
    std::unique_ptr<tVisibleVarsList> store;
    tSettings settings;
    tRandomGenerator random;
    std::vector<bool> journalButton;
    std::vector<bool> journalWindow;
    tOptions options;
};

TEST(OptionTables, SizesAndUniqueNames)
{
    static_assert(OptionCount == 30);
    static_assert(SystemVariableTable.size() == 18);
    std::set<std::string> names;
    for (const tOptionDescriptor& option : OptionTable())
        names.insert(NameFold(option.Name));
    EXPECT_EQ(names.size(), OptionCount);
    names.clear();
    for (const tSystemVariableRow& row : SystemVariableTable)
        names.insert(NameFold(row.Name));
    EXPECT_EQ(names.size(), SystemVariableTable.size());

    EXPECT_EQ(OptionNumber("ccfeldweite"), 1);
    EXPECT_EQ(OptionNumber("MEDIANTYPE"), 29);
    EXPECT_EQ(OptionNumber("threads"), 30);
    EXPECT_EQ(OptionNumber("CCFeld"), 0); // whole names only
    EXPECT_EQ(WordListPosition("An;On;Aus", "aus", tWordMatch::Folded), 3);
    EXPECT_EQ(WordListPosition("An;On;Aus", "A", tWordMatch::Folded), 0);
    EXPECT_EQ(WordListPosition("An;On;Aus", "", tWordMatch::Folded), 0);
}

// Every field an option may write, by name, as text: the two layouts field by field, the
// settings, the seed, the new-matrix flag and the two switches.
std::map<std::string, std::string> Fields(const tOptionsFixture& world)
{
    std::map<std::string, std::string> fields;
    const auto layout = [&](const std::string& prefix, const tTextLayout& l) {
        const std::pair<const char*, std::string> parts[]
            = { { "CellKind", std::to_string(l.CellKind) },
                  { "CellWidth", std::to_string(l.CellWidth) },
                  { "CellDecimals", std::to_string(l.CellDecimals) },
                  { "TextWidth", std::to_string(l.TextWidth) },
                  { "TextDecimals", std::to_string(l.TextDecimals) },
                  { "OmitZeros", std::to_string(l.OmitZeros) }, { "DecimalChar", l.DecimalChar },
                  { "ColumnSep", l.ColumnSep }, { "RowBrackets", l.RowBrackets },
                  { "RowSep", l.RowSep }, { "RowBars", l.RowBars }, { "LineCont", l.LineCont },
                  { "Header", l.Header }, { "BeginLine", l.BeginLine }, { "EndLine", l.EndLine } };
        for (const auto& [name, value] : parts)
            fields[prefix + name] = value;
    };
    layout("copy.", world.store->CopyLayout());
    layout("listing.", world.store->ListingLayout());
    const tSettings& s = world.settings;
    fields["settings.DataDir"] = s.DataDir;
    fields["settings.ExamplesDir"] = s.ExamplesDir;
    fields["settings.JournalDir"] = s.JournalDir;
    fields["settings.HelpDir"] = s.HelpDir;
    fields["settings.JournalFileName"] = s.JournalFileName;
    fields["settings.FirstTimeUsed"] = std::to_string(s.FirstTimeUsed);
    fields["settings.ListQuoteStrings"] = std::to_string(s.ListQuoteStrings);
    fields["random.Seed"] = std::to_string(world.random.Seed());
    fields["store.NewHidden"] = std::to_string(world.store->NewHidden());
    fields["interpreter.JournalOn"] = std::to_string(world.interpreter.Switches().JournalOn);
    fields["interpreter.ListingOn"] = std::to_string(world.interpreter.Switches().ListingOn);
    return fields;
}

// Fresh options, settings and store for one row of the table.
class OptionFields : public tOptionsFixture {
    void TestBody() override { }
};

// Each option, set on fresh state, changes exactly its own fields: an option that wrote the other
// layout, or a neighbouring field, fails here. A field ending in '.' stands for all fields with
// that prefix (a scheme sets a whole layout).
TEST(OptionTable, EachOptionChangesExactlyItsOwnField)
{
    struct tRow {
        const char* Option;
        const char* Value;
        const char* Field; // empty: the option changes nothing
    };
    // clang-format off
    const tRow rows[] = {
        { "CCFeldweite",         "12",           "copy.TextWidth" },
        { "CCDezWeite",          "7",            "copy.TextDecimals" },
        { "CCSchema",            "excel",        "copy." },
        { "CCDezZeichen",        "\",\"",        "copy.DecimalChar" },
        { "CCSpaltenTrenner",    "\";\"",        "copy.ColumnSep" },
        { "CCZeilenKlammern",    "\"<>\"",       "copy.RowBrackets" },
        { "CCZeilenTrenner",     "\"|\"",        "copy.RowSep" },
        { "CCMatHeader",         "\"Kopf\"",     "copy.Header" },
        { "CCZeilenFortsetzung", "\"...\"",      "copy.LineCont" },
        { "CCNullensparen",      "true",         "copy.OmitZeros" },
        { "NeueMatrizen",        "hidden",       "store.NewHidden" },
        { "BasisDatenVerz",      "\"/d/\"",      "settings.DataDir" },
        { "BeispieleVerz",       "\"b/\"",       "settings.ExamplesDir" },
        { "JournalVerz",         "\"j/\"",       "settings.JournalDir" },
        { "Hilfeverz",           "\"h/\"",       "settings.HelpDir" },
        { "JournalDateiname",    "\"j.zvj\"",    "settings.JournalFileName" },
        { "RandomStart",         "77",           "random.Seed" },
        { "DfltFormat",          "sci",          "copy.CellKind" },
        { "DfltFeldweite",       "29",           "copy.CellWidth" },
        { "DfltDezweite",        "17",           "copy.CellDecimals" },
        { "Protokollieren",      "aus",          "interpreter.JournalOn" },
        { "Listing",             "an",           "interpreter.ListingOn" },
        { "FirstTimeUsed",       "nein",         "settings.FirstTimeUsed" },
        { "clFeldweite",         "13",           "listing.TextWidth" },
        { "clSpaltentrenner",    "\";\"",        "listing.ColumnSep" },
        { "clDezweite",          "6",            "listing.TextDecimals" },
        { "clSchema",            "tex",          "listing." },
        { "clQuoteStrings",      "aus",          "settings.ListQuoteStrings" },
        { "Mediantype",          "3",            "" },
        { "Threads",             "1",            "" }, // the session's worker pool
    };
    // clang-format on
    ASSERT_EQ(std::size(rows), OptionCount);
    for (std::size_t i = 0; i < OptionCount; ++i) {
        const tRow& row = rows[i];
        ASSERT_EQ(OptionNumber(row.Option), static_cast<std::int32_t>(i + 1)) << row.Option;
        OptionFields world;
        const auto before = Fields(world);
        ASSERT_TRUE(world.Set(std::string(row.Option) + " = " + row.Value)) << row.Option;
        const auto after = Fields(world);
        const std::string field = row.Field;
        const bool wholePrefix = !field.empty() && field.back() == '.';
        int changedOwn = 0;
        for (const auto& [name, value] : after) {
            const bool own = wholePrefix ? name.starts_with(field) : name == field;
            if (value == before.at(name))
                continue;
            EXPECT_TRUE(own) << row.Option << " changed " << name;
            changedOwn += own ? 1 : 0;
        }
        if (!field.empty()) {
            EXPECT_GE(changedOwn, 1) << row.Option << " did not change " << field;
        }
    }
}

TEST_F(tOptionsFixture, GroupsOfThreeSetEachOption)
{
    EXPECT_TRUE(Set("CCFeldweite=12 CCDezWeite=3"));
    EXPECT_EQ(store->CopyLayout().TextWidth, 12);
    EXPECT_EQ(store->CopyLayout().TextDecimals, 3);

    // A comma shifts the groups: only the first setting is made.
    EXPECT_TRUE(Set("CCFeldweite=7, CCDezWeite=5"));
    EXPECT_EQ(store->CopyLayout().TextWidth, 7);
    EXPECT_EQ(store->CopyLayout().TextDecimals, 3);

    // An unknown name fails the command with a message, naming a close option when there is one;
    // the groups after it are not set.
    EXPECT_FALSE(Set("Unbekannt=1"));
    EXPECT_EQ(interpreter.Statements().Code, 1);
    EXPECT_EQ(interpreter.Statements().Message,
        "Unbekannte Option \"Unbekannt\"; SHOWOPTIONS zeigt alle Optionen");
    EXPECT_FALSE(Set("Unbekannt=1 CCFeldweite=9"));
    EXPECT_EQ(store->CopyLayout().TextWidth, 7);
    EXPECT_FALSE(Set("DfltFormt=Auto"));
    EXPECT_EQ(interpreter.Statements().Message,
        "Unbekannte Option \"DfltFormt\"; gemeint ist wohl DfltFormat");
    EXPECT_TRUE(Set(""));
    EXPECT_TRUE(Set("Mediantype = 3"));
}

TEST_F(tOptionsFixture, ThreadsResizeTheSessionsPoolWithinItsBounds)
{
    EXPECT_EQ(options.ShowOption("Threads"), "Threads=1"); // no pool: the run thread alone
    EXPECT_TRUE(Set("Threads = 3")); // taken without a pool, and nothing to resize
    tWorkerPool pool(1);
    tOptions pooled(settings, interpreter, store.get(), random, {}, &pool);
    EXPECT_TRUE(SetOn(pooled, "threads = 3"));
    EXPECT_EQ(pool.Threads(), 3);
    EXPECT_EQ(pooled.ShowOption("THREADS"), "Threads=3");
    for (const char* refused : { "Threads = 0", "Threads = -1", "Threads = 65", "Threads = 2.5",
             "Threads = zwei", "Threads = 99999999999" }) {
        EXPECT_FALSE(SetOn(pooled, refused)) << refused;
        EXPECT_EQ(pool.Threads(), 3) << refused;
    }
    EXPECT_FALSE(SetOn(pooled, "Threads = 0"));
    EXPECT_EQ(interpreter.Statements().Message,
        "Die Option Threads nimmt eine ganze Zahl von 1 bis 64, nicht \"0\"");
    EXPECT_TRUE(SetOn(pooled, "Threads = 1"));
    EXPECT_EQ(pool.Threads(), 1);
}

TEST_F(tOptionsFixture, ValuesAreParsedCutAndClamped)
{
    EXPECT_TRUE(Set("CCSpaltenTrenner = t"));
    EXPECT_EQ(store->CopyLayout().ColumnSep, "\t");
    EXPECT_EQ(options.ShowOption("ccspaltentrenner"), "CCSpaltenTrenner=T  (Tabulator)");
    EXPECT_TRUE(Set("clSpaltentrenner = t"));
    EXPECT_EQ(store->ListingLayout().ColumnSep, "t"); // taken as written

    EXPECT_TRUE(Set("DfltFeldweite = 50 DfltDezweite = 0"));
    EXPECT_EQ(store->CopyLayout().CellWidth, 30);
    EXPECT_EQ(store->CopyLayout().CellDecimals, 0);
    // A number option refuses what is no whole number instead of taking 0 for it.
    EXPECT_FALSE(Set("DfltFeldweite = 8.5"));
    EXPECT_EQ(interpreter.Statements().Message,
        "Die Option DfltFeldweite nimmt eine ganze Zahl, nicht \"8.5\"");
    EXPECT_FALSE(Set("DfltDezweite = abc"));
    EXPECT_EQ(store->CopyLayout().CellWidth, 30);

    EXPECT_TRUE(Set("CCDezZeichen = \"abcd\" CCMatHeader = \"" + std::string(70, 'h') + "\""));
    EXPECT_EQ(store->CopyLayout().DecimalChar, "abc");
    EXPECT_EQ(store->CopyLayout().Header, std::string(63, 'h'));
    // An integer token gives the text "0".
    EXPECT_TRUE(Set("CCZeilenTrenner = 5"));
    EXPECT_EQ(store->CopyLayout().RowSep, "0");

    EXPECT_TRUE(Set("DfltFormat = sci"));
    EXPECT_EQ(store->CopyLayout().CellKind, CellKindExponent);
    EXPECT_FALSE(Set("DfltFormat = anders"));
    EXPECT_EQ(interpreter.Statements().Message,
        "Die Option DfltFormat nimmt Auto, Fix, Sci, nicht \"anders\"");
    EXPECT_EQ(store->CopyLayout().CellKind, CellKindExponent);

    EXPECT_THROW(Set("CCFeldweite = 99999999999"), tConversionError);
}

TEST_F(tOptionsFixture, SchemesAndNewMatrices)
{
    EXPECT_TRUE(Set("CCFeldweite = 11"));
    const tTextLayout before = store->CopyLayout();
    EXPECT_FALSE(Set("CCSchema = Word"));
    EXPECT_EQ(store->CopyLayout(), before);

    EXPECT_TRUE(Set("CCSchema = excel"));
    EXPECT_EQ(
        store->CopyLayout(), MakeScheme(SchemeExcel, -2, -2, before, store->ListingLayout(), '.'));
    EXPECT_EQ(store->CopyLayout().TextWidth, 11);

    // The listing scheme starts from the copy layout, so it takes the copy layout's widths.
    EXPECT_TRUE(Set("clSchema = Tex"));
    EXPECT_EQ(store->ListingLayout().TextWidth, 11);
    EXPECT_FALSE(Set("clSchema = Word"));

    EXPECT_TRUE(Set("NeueMatrizen = hidden"));
    EXPECT_TRUE(store->NewHidden());
    EXPECT_EQ(options.ShowOption("NeueMatrizen"),
        "NeueMatrizen=\"Unsichtbar\" "
        "//alternativen:\"Unsichtbar;Sichtbar;Hidden;Visible;Versteckt\"");
    EXPECT_FALSE(Set("NeueMatrizen = weg"));
    EXPECT_TRUE(store->NewHidden());
}

TEST_F(tOptionsFixture, SettingsSeedAndFlags)
{
    EXPECT_TRUE(Set("BasisDatenVerz = \"C:\\Daten\\\" RandomStart = 77 FirstTimeUsed = nein"));
    EXPECT_EQ(settings.DataDir, "C:/Daten/");
    EXPECT_EQ(options.ShowOption("BasisDatenVerz"), "BasisDatenVerz=\"C:/Daten/\"");
    EXPECT_EQ(random.Seed(), 77u);
    EXPECT_TRUE(options.SetOption("RandomStart", { tkInteger, "-5" }));
    EXPECT_EQ(random.Seed(), 4294967291u);
    EXPECT_EQ(options.ShowOption("RandomStart"), "RandomStart=-5");
    EXPECT_FALSE(settings.FirstTimeUsed);
    EXPECT_FALSE(Set("FirstTimeUsed = vielleicht"));
    EXPECT_FALSE(settings.FirstTimeUsed);
    EXPECT_EQ(options.ShowOption("FirstTimeUsed"), "FirstTimeUsed=NEIN");

    EXPECT_TRUE(Set("clQuoteStrings = aus"));
    EXPECT_FALSE(settings.ListQuoteStrings);
    EXPECT_EQ(options.ShowOption("clQuoteStrings"), "clQuoteStrings=AUS");
    EXPECT_TRUE(Set("CCNullensparen = true"));
    EXPECT_EQ(options.ShowOption("CCNullensparen"), "CCNullensparen=\"TRUE\"");
    EXPECT_EQ(options.ShowOption("nix"), "");
}

TEST_F(tOptionsFixture, JournalSwitchWritesItsLinesAndButton)
{
    interpreter.Switches().JournalOn = true;
    interpreter.Switches().ListingOn = true;
    EXPECT_TRUE(Set("Protokollieren = Inv"));
    EXPECT_FALSE(interpreter.Switches().JournalOn);
    EXPECT_EQ(journal.Lines, std::vector<std::string> { "set protokollieren=AUS" });
    EXPECT_EQ(listing.Calls, std::vector<std::string> { "command:set protokollieren = AUS\r\n" });
    EXPECT_EQ(journalButton, std::vector<bool> { false });

    // Switching on: the journal was off before the change and gets no line.
    EXPECT_TRUE(Set("Protokollieren = on"));
    EXPECT_TRUE(interpreter.Switches().JournalOn);
    EXPECT_EQ(journal.Lines.size(), 1u);
    EXPECT_EQ(options.ShowOption("Protokollieren"), "Protokollieren=AN");

    EXPECT_TRUE(Set("Protokollieren = visible"));
    EXPECT_TRUE(interpreter.Switches().JournalOn);
    EXPECT_EQ(journalWindow, std::vector<bool> { true });
    EXPECT_EQ(journalButton.size(), 2u);

    options.SwitchListing(0);
    EXPECT_FALSE(interpreter.Switches().ListingOn);
    EXPECT_EQ(journal.Lines.back(), "set listing=AUS");
    EXPECT_EQ(listing.Calls.back(), "command:set listing = AUS\r\n");
    options.SwitchListing(7); // any other mode switches off
    EXPECT_FALSE(interpreter.Switches().ListingOn);
}

TEST_F(tOptionsFixture, ShowOptionsWritesThirtyTwoLines)
{
    interpreter.Switches().JournalOn = false; // written whether the journal is on or not
    tAnsiTokens arguments;
    EXPECT_TRUE(ShowOptionsCommand(options, &journal, interpreter.Statements(), arguments));
    ASSERT_EQ(journal.Lines.size(), 32u);
    EXPECT_EQ(journal.Lines.front(), "//   Verf\xFCgbare Optionen:");
    EXPECT_EQ(journal.Lines[1], "//     CCFeldweite=8");
    EXPECT_EQ(journal.Lines[3],
        "//     CCSchema=\"<angabe>\"  "
        "//alternativen:\"Zelvora;Office;Nix;Print;Excel;Tex;Pari;Spss\"");
    EXPECT_EQ(journal.Lines[18], "//     DfltFormat=\"Fix\" //alternativen:\"Auto;Fix;Sci\"");
    EXPECT_EQ(journal.Lines[24], "//     clFeldweite=");
    EXPECT_EQ(journal.Lines.back(), "//     ");
}

TEST(OptionsWithoutStore, LayoutOptionsDoNothing)
{
    tInterpreter interpreter;
    std::unique_ptr<tVisibleVarsList> store;
    tSettings settings;
    tRandomGenerator random;
    tOptions options(settings, interpreter, store.get(), random);
    EXPECT_TRUE(options.SetOption("CCFeldweite", { tkInteger, "4" }));
    EXPECT_TRUE(options.SetOption("CCSchema", { tkName, "Excel" }));
    EXPECT_EQ(options.ShowOption("CCFeldweite"), "CCFeldweite=8");
}

} // namespace
} // namespace zelvora
