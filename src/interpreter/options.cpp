// Setting and showing options, and the journal and listing switches.
#include "interpreter/options.h"

#include "language/number_text.h"
#include "ports/text_view_port.h"
#include "text/word_list.h"

#include <algorithm>

namespace zelvora {
namespace {

// Option numbers as the option list orders them.
enum tOption : std::int32_t {
    opCCFeldweite = 1,
    opCCDezWeite,
    opCCSchema,
    opCCDezZeichen,
    opCCSpaltenTrenner,
    opCCZeilenKlammern,
    opCCZeilenTrenner,
    opCCMatHeader,
    opCCZeilenFortsetzung,
    opCCNullensparen,
    opNeueMatrizen,
    opBasisDatenVerz,
    opBeispieleVerz,
    opJournalVerz,
    opHilfeverz,
    opJournalDateiname,
    opRandomStart,
    opDfltFormat,
    opDfltFeldweite,
    opDfltDezweite,
    opProtokollieren,
    opListing,
    opFirstTimeUsed,
    opClFeldweite,
    opClSpaltentrenner,
    opClDezweite,
    opClSchema,
    opClQuoteStrings,
    opMediantype,
};
static_assert(opMediantype == static_cast<std::int32_t>(OptionNames.size()));

constexpr std::string_view NewMatrixWords = "Unsichtbar;Sichtbar;Hidden;Visible;Versteckt";
constexpr std::string_view FormatWords = "Auto;Fix;Sci";
constexpr std::string_view SwitchWords = "An;On;Aus;Off;Inv;visible;invisible";
constexpr std::string_view YesNoWords = "Ja;True;Nein;False";
constexpr std::string_view QuoteWords = "Ein;An;On;Aus;Off";
const std::string Alternatives = "//alternativen:";

struct tOptionValue {
    std::int32_t Integer = 0;
    std::string Text = "0";
};

tOptionValue ValueOfToken(const t_ansitoken& token)
{
    switch (token.Kind) {
    case tkInteger:
        return { IntegerOfText(token.Text), "0" };
    case tkName:
    case tkString:
    case tkSign:
        return { 0, token.Text };
    default:
        // A real counts as 0; so does anything else.
        return {};
    }
}

std::string Cut(std::string text, std::size_t length)
{
    if (text.size() > length)
        text.resize(length);
    return text;
}

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string OnOff(bool on)
{
    return on ? "AN" : "AUS";
}

// A truth value written as text: the usual words for true, anything else false.
bool BooleanOfText(std::string_view text)
{
    return WordListPosition("TRUE;WAHR;JA;YES;AN;ON;EIN;1", text, tWordMatch::Folded) != 0;
}

// What is shown while no store is connected.
const tTextLayout& FallbackLayout(bool listing)
{
    static const tTextLayout copy = DefaultCopyLayout();
    static const tTextLayout list = DefaultListingLayout();
    return listing ? list : copy;
}

} // namespace

std::int32_t OptionNumber(std::string_view name)
{
    const std::string folded = NameFold(name);
    for (std::size_t i = 0; i < OptionNames.size(); ++i) {
        if (NameFold(OptionNames[i]) == folded)
            return static_cast<std::int32_t>(i + 1);
    }
    return 0;
}

std::string* DirectorySetting(tSettings& settings, std::string_view optionName)
{
    switch (OptionNumber(optionName)) {
    case opBasisDatenVerz:
        return &settings.DataDir;
    case opBeispieleVerz:
        return &settings.ExamplesDir;
    case opJournalVerz:
        return &settings.JournalDir;
    case opHilfeverz:
        return &settings.HelpDir;
    case opJournalDateiname:
        return &settings.JournalFileName;
    default:
        return nullptr;
    }
}

tOptions::tOptions(tSettings& settings, tInterpreter& interpreter, tVisibleVarsList* store,
    tRandomGenerator& random, tOptionHooks hooks)
    : m_settings(settings)
    , m_interpreter(interpreter)
    , m_store(store)
    , m_hooks(std::move(hooks))
    , m_random(random)
{
}

tTextLayout* tOptions::CopyLayout() const
{
    return m_store ? &m_store->CopyLayout() : nullptr;
}

tTextLayout* tOptions::ListingLayout() const
{
    return m_store ? &m_store->ListingLayout() : nullptr;
}

bool tOptions::SetOption(std::string_view name, const t_ansitoken& value)
{
    const std::int32_t number = OptionNumber(name);
    if (number == 0)
        return false;
    const tOptionValue v = ValueOfToken(value);
    tTextLayout* copy = CopyLayout();
    tTextLayout* listing = ListingLayout();

    switch (number) {
    case opCCFeldweite:
        if (copy)
            copy->TextWidth = v.Integer;
        break;
    case opCCDezWeite:
        if (copy)
            copy->TextDecimals = v.Integer;
        break;
    case opCCSchema:
    case opClSchema: {
        const std::int32_t scheme = SchemeNumberOfWord(v.Text);
        if (scheme < 0)
            return false;
        if (m_store) {
            tTextLayout& target = number == opCCSchema ? *copy : *listing;
            target = m_store->MakeScheme(scheme, -2, -2);
        }
        break;
    }
    case opCCDezZeichen:
        if (copy)
            copy->DecimalChar = Cut(v.Text, LayoutCharMax);
        break;
    case opCCSpaltenTrenner:
        if (copy)
            copy->ColumnSep = NameFold(v.Text) == "T" ? "\t" : Cut(v.Text, LayoutSeparatorMax);
        break;
    case opCCZeilenKlammern:
        if (copy)
            copy->RowBrackets = Cut(v.Text, LayoutSeparatorMax);
        break;
    case opCCZeilenTrenner:
        if (copy)
            copy->RowSep = Cut(v.Text, LayoutSeparatorMax);
        break;
    case opCCMatHeader:
        if (copy)
            copy->Header = Cut(v.Text, LayoutLineMax);
        break;
    case opCCZeilenFortsetzung:
        if (copy)
            copy->LineCont = Cut(v.Text, LayoutSeparatorMax);
        break;
    case opCCNullensparen:
        if (copy)
            copy->OmitZeros = BooleanOfText(v.Text);
        break;
    case opNeueMatrizen: {
        const std::int32_t word = WordListPosition(NewMatrixWords, v.Text, tWordMatch::Folded);
        if (m_store)
            m_store->SetNewHidden(word == 1 || word == 3 || word == 5);
        break;
    }
    case opBasisDatenVerz:
    case opBeispieleVerz:
    case opJournalVerz:
    case opHilfeverz:
    case opJournalDateiname:
        *DirectorySetting(m_settings, name) = ForwardSlashes(v.Text);
        break;
    case opRandomStart:
        m_random.SetSeed(static_cast<std::uint32_t>(v.Integer));
        break;
    case opDfltFormat:
        if (copy)
            copy->CellKind = std::max<std::int32_t>(
                1, WordListPosition(FormatWords, v.Text, tWordMatch::Folded));
        break;
    case opDfltFeldweite:
        if (copy)
            copy->CellWidth = std::clamp<std::int32_t>(v.Integer, 1, 30);
        break;
    case opDfltDezweite:
        if (copy)
            copy->CellDecimals = std::clamp<std::int32_t>(v.Integer, 0, 20);
        break;
    case opProtokollieren:
    case opListing: {
        const bool journal = number == opProtokollieren;
        const auto& show = journal ? m_hooks.ShowJournalWindow : m_hooks.ShowListingWindow;
        // Words 1 to 5 (An, On, Aus, Off, Inv) switch; 6 and 7 show or hide the window.
        constexpr std::int32_t modes[] = { 1, 1, -1, -1, 0 };
        const std::int32_t word = WordListPosition(SwitchWords, v.Text, tWordMatch::Folded);
        if (word >= 1 && word <= 5) {
            if (journal)
                SwitchJournal(modes[word - 1]);
            else
                SwitchListing(modes[word - 1]);
        } else if (word >= 6 && show) {
            show(word == 6);
        }
        break;
    }
    case opFirstTimeUsed: {
        const std::int32_t word = WordListPosition(YesNoWords, v.Text, tWordMatch::Folded);
        if (word == 1 || word == 2)
            m_settings.FirstTimeUsed = true;
        else if (word == 3 || word == 4)
            m_settings.FirstTimeUsed = false;
        break;
    }
    case opClFeldweite:
        if (listing)
            listing->TextWidth = v.Integer;
        break;
    case opClSpaltentrenner:
        if (listing)
            listing->ColumnSep = Cut(v.Text, LayoutSeparatorMax);
        break;
    case opClDezweite:
        if (listing)
            listing->TextDecimals = v.Integer;
        break;
    case opClQuoteStrings: {
        const std::int32_t word = WordListPosition(QuoteWords, v.Text, tWordMatch::Folded);
        if (word >= 1 && word <= 3)
            m_settings.ListQuoteStrings = true;
        else if (word == 4 || word == 5)
            m_settings.ListQuoteStrings = false;
        break;
    }
    default: // Mediantype
        break;
    }
    return true;
}

std::string tOptions::ShowOption(std::string_view name) const
{
    const std::int32_t number = OptionNumber(name);
    if (number == 0)
        return {};
    const tTextLayout& copy = m_store ? m_store->CopyLayout() : FallbackLayout(false);

    std::string text;
    switch (number) {
    case opCCFeldweite:
        text = std::to_string(copy.TextWidth);
        break;
    case opCCDezWeite:
        text = std::to_string(copy.TextDecimals);
        break;
    case opCCSchema:
        text = Quoted("<angabe>") + "  " + Alternatives + Quoted(SchemeWords);
        break;
    case opCCDezZeichen:
        text = Quoted(copy.DecimalChar);
        break;
    case opCCSpaltenTrenner:
        text = copy.ColumnSep == "\t" ? "T  (Tabulator)" : Quoted(copy.ColumnSep);
        break;
    case opCCZeilenKlammern:
        text = Quoted(copy.RowBrackets);
        break;
    case opCCZeilenTrenner:
        text = copy.RowSep == "\t" ? "T" : Quoted(copy.RowSep);
        break;
    case opCCMatHeader:
        text = Quoted(copy.Header);
        break;
    case opCCZeilenFortsetzung:
        text = Quoted(copy.LineCont);
        break;
    case opCCNullensparen:
        text = Quoted(copy.OmitZeros ? "TRUE" : "FALSE");
        break;
    case opNeueMatrizen: {
        const bool hidden = m_store && m_store->NewHidden();
        text = Quoted(hidden ? "Unsichtbar" : "Sichtbar") + " " + Alternatives
            + Quoted(NewMatrixWords);
        break;
    }
    case opBasisDatenVerz:
    case opBeispieleVerz:
    case opJournalVerz:
    case opHilfeverz:
    case opJournalDateiname:
        text = Quoted(*DirectorySetting(m_settings, name));
        break;
    case opRandomStart:
        text = std::to_string(static_cast<std::int32_t>(m_random.Seed()));
        break;
    case opDfltFormat: {
        constexpr std::string_view words[] = { "Auto", "Fix", "Sci" };
        const std::size_t index = copy.CellKind >= 1 && copy.CellKind <= 3 ? copy.CellKind - 1 : 0;
        text = Quoted(words[index]) + " " + Alternatives + Quoted(FormatWords);
        break;
    }
    case opDfltFeldweite:
        text = std::to_string(copy.CellWidth);
        break;
    case opDfltDezweite:
        text = std::to_string(copy.CellDecimals);
        break;
    case opProtokollieren:
        text = OnOff(m_interpreter.JournalOn);
        break;
    case opListing:
        text = OnOff(m_interpreter.ListingOn);
        break;
    case opFirstTimeUsed:
        text = m_settings.FirstTimeUsed ? "JA" : "NEIN";
        break;
    case opClQuoteStrings:
        text = OnOff(m_settings.ListQuoteStrings);
        break;
    default: // the listing layout's numbers and Mediantype show nothing
        break;
    }
    return std::string(OptionNames[static_cast<std::size_t>(number - 1)]) + "=" + text;
}

void tOptions::SwitchJournal(std::int32_t mode)
{
    Switch(m_interpreter.JournalOn, "protokollieren", mode, m_hooks.JournalButton);
}

void tOptions::SwitchListing(std::int32_t mode)
{
    Switch(m_interpreter.ListingOn, "listing", mode, m_hooks.ListingButton);
}

void tOptions::Switch(
    bool& state, std::string_view word, std::int32_t mode, const std::function<void(bool)>& button)
{
    const bool on = mode == 0 ? !state : mode == 1;
    const tInterpreterPorts& ports = m_interpreter.Ports();
    if (m_interpreter.ListingOn && ports.Listing)
        ports.Listing->addCommand(
            "set " + std::string(word) + " = " + OnOff(on) + std::string(TextLineBreak));
    if (m_interpreter.JournalOn && ports.Journal)
        ports.Journal->addline("set " + std::string(word) + "=" + OnOff(on));
    state = on;
    if (button)
        button(on);
}

} // namespace zelvora
