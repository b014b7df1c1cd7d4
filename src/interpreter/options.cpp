// Setting and showing options, and the journal and listing switches.
#include "interpreter/options.h"

#include "lexicon/number_text.h"
#include "ports/text_view_port.h"
#include "text/close_words.h"
#include "text/paths.h"
#include "text/word_list.h"

#include <algorithm>

namespace zelvora {
namespace {

constexpr std::string_view NewMatrixWords = "Unsichtbar;Sichtbar;Hidden;Visible;Versteckt";
constexpr std::string_view FormatWords = "Auto;Fix;Sci";
constexpr std::string_view SwitchWords = "An;On;Aus;Off;Inv;visible;invisible";
constexpr std::string_view YesNoWords = "Ja;True;Nein;False";
constexpr std::string_view QuoteWords = "Ein;An;On;Aus;Off";
constexpr std::string_view Alternatives = "//alternativen:";

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

std::int32_t WordOf(std::string_view list, const tOptionValue& value)
{
    return WordListPosition(list, value.Text, tWordMatch::Folded);
}

// A truth value written as text: the usual words for true, anything else false.
bool BooleanOfText(std::string_view text)
{
    return WordListPosition("TRUE;WAHR;JA;YES;AN;ON;EIN;1", text, tWordMatch::Folded) != 0;
}

// The layout options: copy layout (numbers 1 to 10 and 18 to 20) or listing layout (24 to 27).
enum class tLayout { Copy, Listing };

tTextLayout* LayoutOf(const tOptions& options, tLayout layout)
{
    return layout == tLayout::Copy ? options.CopyLayout() : options.ListingLayout();
}

template <tLayout Layout, std::int32_t tTextLayout::*Field>
bool SetLayoutInteger(tOptions& options, const tOptionValue& value)
{
    if (tTextLayout* target = LayoutOf(options, Layout))
        target->*Field = value.Integer;
    return true;
}

template <tLayout Layout, std::string tTextLayout::*Field, std::size_t Length>
bool SetLayoutText(tOptions& options, const tOptionValue& value)
{
    if (tTextLayout* target = LayoutOf(options, Layout))
        target->*Field = Cut(value.Text, Length);
    return true;
}

// The copy layout's cell format: clamped numbers, or a word of the format list (unknown: 1).
template <std::int32_t tTextLayout::*Field, std::int32_t Low, std::int32_t High>
bool SetCellNumber(tOptions& options, const tOptionValue& value)
{
    if (tTextLayout* copy = options.CopyLayout())
        copy->*Field = std::clamp(value.Integer, Low, High);
    return true;
}

bool SetCellKind(tOptions& options, const tOptionValue& value)
{
    if (tTextLayout* copy = options.CopyLayout())
        copy->CellKind = std::max<std::int32_t>(1, WordOf(FormatWords, value));
    return true;
}

// A scheme word sets the separators, brackets and header lines of its preset; an unknown word
// is refused.
template <tLayout Layout> bool SetScheme(tOptions& options, const tOptionValue& value)
{
    const std::int32_t scheme = SchemeNumberOfWord(value.Text);
    if (scheme < 0)
        return false;
    if (tVisibleVarsList* store = options.Store())
        *LayoutOf(options, Layout) = store->MakeScheme(scheme, -2, -2);
    return true;
}

bool SetCopyColumnSeparator(tOptions& options, const tOptionValue& value)
{
    if (tTextLayout* copy = options.CopyLayout())
        copy->ColumnSep = NameFold(value.Text) == "T" ? "\t" : Cut(value.Text, LayoutSeparatorMax);
    return true;
}

bool SetOmitZeros(tOptions& options, const tOptionValue& value)
{
    if (tTextLayout* copy = options.CopyLayout())
        copy->OmitZeros = BooleanOfText(value.Text);
    return true;
}

bool SetNewMatrices(tOptions& options, const tOptionValue& value)
{
    const std::int32_t word = WordOf(NewMatrixWords, value);
    if (tVisibleVarsList* store = options.Store())
        store->SetNewHidden(word == 1 || word == 3 || word == 5);
    return true;
}

template <std::string tSettings::*Field>
bool SetDirectory(tOptions& options, const tOptionValue& value)
{
    options.Settings().*Field = ForwardSlashes(value.Text);
    return true;
}

// The threads of the session's worker pool; Refusal keeps out numbers below 1 and above the most.
bool SetThreads(tOptions& options, const tOptionValue& value)
{
    if (value.Integer < 1 || value.Integer > MaxPoolThreads)
        return false;
    if (tWorkerPool* workers = options.Workers())
        workers->Resize(value.Integer);
    return true;
}

std::string ShowThreads(const tOptions& options)
{
    const tWorkerPool* workers = options.Workers();
    return std::to_string(workers ? workers->Threads() : 1);
}

bool SetRandomStart(tOptions& options, const tOptionValue& value)
{
    options.Random().SetSeed(static_cast<std::uint32_t>(value.Integer));
    return true;
}

// Words 1 to 5 of the switch list (An, On, Aus, Off, Inv) switch; 6 and 7 (visible, invisible)
// show or hide the window.
template <bool Journal> bool SetSwitch(tOptions& options, const tOptionValue& value)
{
    constexpr std::int32_t modes[] = { 1, 1, -1, -1, 0 };
    const std::int32_t word = WordOf(SwitchWords, value);
    if (word >= 1 && word <= 5) {
        if constexpr (Journal)
            options.SwitchJournal(modes[word - 1]);
        else
            options.SwitchListing(modes[word - 1]);
    } else if (word >= 6) {
        const tOptionHooks& hooks = options.Hooks();
        const auto& show = Journal ? hooks.ShowJournalWindow : hooks.ShowListingWindow;
        if (show)
            show(word == 6);
    }
    return true;
}

bool SetFirstTimeUsed(tOptions& options, const tOptionValue& value)
{
    const std::int32_t word = WordOf(YesNoWords, value);
    if (word == 1 || word == 2)
        options.Settings().FirstTimeUsed = true;
    else if (word == 3 || word == 4)
        options.Settings().FirstTimeUsed = false;
    return true;
}

bool SetQuoteStrings(tOptions& options, const tOptionValue& value)
{
    const std::int32_t word = WordOf(QuoteWords, value);
    if (word >= 1 && word <= 3)
        options.Settings().ListQuoteStrings = true;
    else if (word == 4 || word == 5)
        options.Settings().ListQuoteStrings = false;
    return true;
}

bool SetNothing(tOptions&, const tOptionValue&)
{
    return true;
}

template <std::int32_t tTextLayout::*Field> std::string ShowCopyInteger(const tOptions& options)
{
    return std::to_string(options.ShownCopyLayout().*Field);
}

template <std::string tTextLayout::*Field> std::string ShowCopyText(const tOptions& options)
{
    return Quoted(options.ShownCopyLayout().*Field);
}

std::string ShowScheme(const tOptions&)
{
    return Quoted("<angabe>") + "  " + std::string(Alternatives) + Quoted(SchemeWords);
}

std::string ShowCopyColumnSeparator(const tOptions& options)
{
    const std::string& separator = options.ShownCopyLayout().ColumnSep;
    return separator == "\t" ? "T  (Tabulator)" : Quoted(separator);
}

std::string ShowCopyRowSeparator(const tOptions& options)
{
    const std::string& separator = options.ShownCopyLayout().RowSep;
    return separator == "\t" ? "T" : Quoted(separator);
}

std::string ShowOmitZeros(const tOptions& options)
{
    return Quoted(options.ShownCopyLayout().OmitZeros ? "TRUE" : "FALSE");
}

std::string ShowNewMatrices(const tOptions& options)
{
    const bool hidden = options.Store() && options.Store()->NewHidden();
    return Quoted(hidden ? "Unsichtbar" : "Sichtbar") + " " + std::string(Alternatives)
        + Quoted(NewMatrixWords);
}

template <std::string tSettings::*Field> std::string ShowDirectory(const tOptions& options)
{
    return Quoted(options.Settings().*Field);
}

std::string ShowRandomStart(const tOptions& options)
{
    return std::to_string(static_cast<std::int32_t>(options.Random().Seed()));
}

std::string ShowCellKind(const tOptions& options)
{
    constexpr std::string_view words[] = { "Auto", "Fix", "Sci" };
    const std::int32_t kind = options.ShownCopyLayout().CellKind;
    const std::size_t index = kind >= 1 && kind <= 3 ? static_cast<std::size_t>(kind - 1) : 0;
    return Quoted(words[index]) + " " + std::string(Alternatives) + Quoted(FormatWords);
}

std::string ShowJournalSwitch(const tOptions& options)
{
    return OnOff(options.Interpreter().Switches().JournalOn);
}

std::string ShowListingSwitch(const tOptions& options)
{
    return OnOff(options.Interpreter().Switches().ListingOn);
}

std::string ShowFirstTimeUsed(const tOptions& options)
{
    return options.Settings().FirstTimeUsed ? "JA" : "NEIN";
}

std::string ShowQuoteStrings(const tOptions& options)
{
    return OnOff(options.Settings().ListQuoteStrings);
}

template <std::string tSettings::*Field>
constexpr tOptionDescriptor DirectoryOption(std::string_view name)
{
    return { name, SetDirectory<Field>, ShowDirectory<Field>, tOptionAssignment::DirectoryText,
        Field };
}

constexpr auto Copy = tLayout::Copy;
constexpr auto Listing = tLayout::Listing;
using L = tTextLayout;
using A = tOptionAssignment;

// clang-format off
constexpr std::array<tOptionDescriptor, OptionCount> Options = { {
    { "CCFeldweite", SetLayoutInteger<Copy, &L::TextWidth>, ShowCopyInteger<&L::TextWidth> },
    { "CCDezWeite", SetLayoutInteger<Copy, &L::TextDecimals>, ShowCopyInteger<&L::TextDecimals> },
    { "CCSchema", SetScheme<Copy>, ShowScheme },
    { "CCDezZeichen", SetLayoutText<Copy, &L::DecimalChar, LayoutCharMax>, ShowCopyText<&L::DecimalChar> },
    { "CCSpaltenTrenner", SetCopyColumnSeparator, ShowCopyColumnSeparator },
    { "CCZeilenKlammern", SetLayoutText<Copy, &L::RowBrackets, LayoutSeparatorMax>, ShowCopyText<&L::RowBrackets> },
    { "CCZeilenTrenner", SetLayoutText<Copy, &L::RowSep, LayoutSeparatorMax>, ShowCopyRowSeparator },
    { "CCMatHeader", SetLayoutText<Copy, &L::Header, LayoutLineMax>, ShowCopyText<&L::Header> },
    { "CCZeilenFortsetzung", SetLayoutText<Copy, &L::LineCont, LayoutSeparatorMax>, ShowCopyText<&L::LineCont> },
    { "CCNullensparen", SetOmitZeros, ShowOmitZeros },
    { "NeueMatrizen", SetNewMatrices, ShowNewMatrices },
    DirectoryOption<&tSettings::DataDir>("BasisDatenVerz"),
    DirectoryOption<&tSettings::ExamplesDir>("BeispieleVerz"),
    DirectoryOption<&tSettings::JournalDir>("JournalVerz"),
    DirectoryOption<&tSettings::HelpDir>("Hilfeverz"),
    DirectoryOption<&tSettings::JournalFileName>("JournalDateiname"),
    { "RandomStart", SetRandomStart, ShowRandomStart, A::RandomStart },
    { "DfltFormat", SetCellKind, ShowCellKind },
    { "DfltFeldweite", SetCellNumber<&L::CellWidth, 1, 30>, ShowCopyInteger<&L::CellWidth> },
    { "DfltDezweite", SetCellNumber<&L::CellDecimals, 0, 20>, ShowCopyInteger<&L::CellDecimals> },
    { "Protokollieren", SetSwitch<true>, ShowJournalSwitch },
    { "Listing", SetSwitch<false>, ShowListingSwitch },
    { "FirstTimeUsed", SetFirstTimeUsed, ShowFirstTimeUsed, A::FirstTimeUsed },
    { "clFeldweite", SetLayoutInteger<Listing, &L::TextWidth>, nullptr },
    { "clSpaltentrenner", SetLayoutText<Listing, &L::ColumnSep, LayoutSeparatorMax>, nullptr },
    { "clDezweite", SetLayoutInteger<Listing, &L::TextDecimals>, nullptr },
    { "clSchema", SetScheme<Listing>, nullptr },
    { "clQuoteStrings", SetQuoteStrings, ShowQuoteStrings },
    { "Mediantype", SetNothing, nullptr }, // kept for old scripts; it has no effect
    { "Threads", SetThreads, ShowThreads }, // 1: every kernel on the run thread alone
} };
// clang-format on

const tOptionDescriptor* FindOption(std::string_view name)
{
    const std::string folded = NameFold(name);
    for (const tOptionDescriptor& option : Options) {
        if (NameFold(option.Name) == folded)
            return &option;
    }
    return nullptr;
}

} // namespace

const std::array<tOptionDescriptor, OptionCount>& OptionTable()
{
    return Options;
}

std::int32_t OptionNumber(std::string_view name)
{
    const tOptionDescriptor* option = FindOption(name);
    return option ? static_cast<std::int32_t>(option - Options.data() + 1) : 0;
}

tOptionAssignment OptionAssignment(std::string_view name)
{
    const tOptionDescriptor* option = FindOption(name);
    return option ? option->Assignment : tOptionAssignment::None;
}

std::string* DirectorySetting(tSettings& settings, std::string_view optionName)
{
    const tOptionDescriptor* option = FindOption(optionName);
    return option && option->Setting ? &(settings.*(option->Setting)) : nullptr;
}

tOptions::tOptions(tSettings& settings, tInterpreter& interpreter, tVisibleVarsList* store,
    tRandomGenerator& random, tOptionHooks hooks, tWorkerPool* workers)
    : m_settings(settings)
    , m_interpreter(interpreter)
    , m_store(store)
    , m_hooks(std::move(hooks))
    , m_random(random)
    , m_workers(workers)
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

const tTextLayout& tOptions::ShownCopyLayout() const
{
    static const tTextLayout fallback = DefaultCopyLayout();
    return m_store ? m_store->CopyLayout() : fallback;
}

namespace {

// The options that take a number, and those that take a word of a list; any other option takes
// any text.
// clang-format off
constexpr std::string_view NumberOptions[] = {
    "CCFeldweite", "CCDezWeite", "RandomStart", "DfltFeldweite", "DfltDezweite", "clFeldweite",
    "clDezweite", "Threads",
};
struct tWordOption {
    std::string_view Name;
    std::string_view Words;
};
constexpr tWordOption WordOptions[] = {
    { "DfltFormat",     FormatWords },
    { "NeueMatrizen",   NewMatrixWords },
    { "Protokollieren", SwitchWords },
    { "Listing",        SwitchWords },
    { "FirstTimeUsed",  YesNoWords },
    { "clQuoteStrings", QuoteWords },
    { "CCSchema",       SchemeWords },
    { "clSchema",       SchemeWords },
};
// clang-format on

// A thread count the pool takes: an integer from 1 to MaxPoolThreads.
bool ThreadCountFits(std::string_view text)
{
    const std::optional<std::int32_t> threads = FittingIntegerOfText(text);
    return threads && *threads >= 1 && *threads <= MaxPoolThreads;
}

// "A;B;C" as "A, B, C".
std::string ListText(std::string_view words)
{
    std::string text;
    for (const char c : words)
        text += c == ';' ? std::string(", ") : std::string(1, c);
    return text;
}

} // namespace

std::string tOptions::Refusal(std::string_view name, const t_ansitoken& value) const
{
    const tOptionDescriptor* option = FindOption(name);
    if (!option) {
        std::string text = "Unbekannte Option \"" + std::string(name) + "\"";
        for (const tOptionDescriptor& known : Options) {
            if (CloseWords(name, known.Name))
                return text + "; gemeint ist wohl " + std::string(known.Name);
        }
        return text + "; SHOWOPTIONS zeigt alle Optionen";
    }
    const std::string folded = NameFold(option->Name);
    for (std::string_view number : NumberOptions) {
        if (NameFold(number) == folded && value.Kind != tkInteger)
            return "Die Option " + std::string(option->Name) + " nimmt eine ganze Zahl, nicht \""
                + value.Text + "\"";
    }
    if (folded == NameFold("Threads") && !ThreadCountFits(value.Text))
        return "Die Option Threads nimmt eine ganze Zahl von 1 bis "
            + std::to_string(MaxPoolThreads) + ", nicht \"" + value.Text + "\"";
    for (const tWordOption& words : WordOptions) {
        if (NameFold(words.Name) == folded
            && WordListPosition(words.Words, value.Text, tWordMatch::Folded) == 0)
            return "Die Option " + std::string(option->Name) + " nimmt " + ListText(words.Words)
                + ", nicht \"" + value.Text + "\"";
    }
    return {};
}

bool tOptions::SetOption(std::string_view name, const t_ansitoken& value)
{
    const tOptionDescriptor* option = FindOption(name);
    return option && option->Set(*this, ValueOfToken(value));
}

std::string tOptions::ShowOption(std::string_view name) const
{
    const tOptionDescriptor* option = FindOption(name);
    if (!option)
        return {};
    return std::string(option->Name) + "=" + (option->Show ? option->Show(*this) : std::string());
}

void tOptions::SwitchJournal(std::int32_t mode)
{
    Switch(m_interpreter.Switches().JournalOn, "protokollieren", mode, m_hooks.JournalButton);
}

void tOptions::SwitchListing(std::int32_t mode)
{
    Switch(m_interpreter.Switches().ListingOn, "listing", mode, m_hooks.ListingButton);
}

void tOptions::Switch(
    bool& state, std::string_view word, std::int32_t mode, const std::function<void(bool)>& button)
{
    const bool on = mode == 0 ? !state : mode == 1;
    const tInterpreterPorts& ports = m_interpreter.Ports();
    if (m_interpreter.Switches().ListingOn && ports.Listing)
        ports.Listing->addCommand(
            "set " + std::string(word) + " = " + OnOff(on) + std::string(TextLineBreak));
    if (m_interpreter.Switches().JournalOn && ports.Journal)
        ports.Journal->addline("set " + std::string(word) + "=" + OnOff(on));
    state = on;
    if (button)
        button(on);
}

} // namespace zelvora
