// RTF reading: a tokenizer over control words, groups and text, with a stack of character states.
#include "text/rtf_reader.h"

#include "text/text_encoding.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zelvora {

namespace {

// Groups nested deeper than this share the state of the deepest one (no unbounded stack).
constexpr std::size_t MaxGroupDepth = 200;

enum class tDestination {
    Text, // characters go into the document
    FontTable,
    ColourTable,
    Skipped, // pictures, style sheets, document information, \* destinations
};

struct tCharacterState {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    std::int32_t ColourIndex = 0; // 0: the automatic colour
    std::int32_t FontIndex = -1;
    std::int32_t HalfPoints = 0;
    std::int32_t UnicodeSkip = 1; // characters after \uN that stand in for it
    tDestination Destination = tDestination::Text;
};

struct tControlWord {
    std::string Word;
    std::optional<std::int32_t> Parameter;
};

std::string Utf8OfCodePoint(std::uint32_t c)
{
    std::string text;
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
    return text;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Control words that name a character of their own (Windows-1252).
std::optional<char> SymbolCharacter(const std::string& word)
{
    static const std::map<std::string, char> symbols = {
        { "tab", '\t' },
        { "lquote", '\x91' },
        { "rquote", '\x92' },
        { "ldblquote", '\x93' },
        { "rdblquote", '\x94' },
        { "bullet", '\x95' },
        { "endash", '\x96' },
        { "emdash", '\x97' },
    };
    const auto found = symbols.find(word);
    return found == symbols.end() ? std::nullopt : std::optional<char>(found->second);
}

bool IsSkippedDestination(const std::string& word)
{
    static const char* const words[] = { "stylesheet", "info", "pict", "header", "footer",
        "headerl", "headerr", "headerf", "footerl", "footerr", "footerf", "footnote", "object",
        "listtable", "listoverridetable", "revtbl", "rsidtbl", "generator", "xmlnstbl", "themedata",
        "colorschememapping", "latentstyles", "datastore", "filetbl", "nonshppict", "shp", "field",
        "fldinst" };
    for (const char* skipped : words)
        if (word == skipped)
            return true;
    return false;
}

class tRtfParser {
public:
    explicit tRtfParser(std::string_view bytes)
        : m_bytes(bytes)
    {
    }

    tRichText Parse()
    {
        while (m_position < m_bytes.size()) {
            const char c = m_bytes[m_position++];
            if (c == '{') {
                OpenGroup();
            } else if (c == '}') {
                CloseGroup();
            } else if (c == '\\') {
                ReadControl();
            } else if (c == '\r' || c == '\n') {
                // line breaks in the file carry no meaning
            } else {
                Character(c);
            }
        }
        FinishParagraph(false);
        return std::move(m_text);
    }

private:
    tCharacterState& State() { return m_states.back(); }

    void OpenGroup()
    {
        ++m_depth;
        if (m_depth < MaxGroupDepth)
            m_states.push_back(State());
        m_groupStart = true;
    }

    void CloseGroup()
    {
        if (m_depth == 0)
            return; // an unbalanced '}' is passed over
        if (State().Destination == tDestination::FontTable)
            FinishFontName();
        if (m_depth < MaxGroupDepth && m_states.size() > 1)
            m_states.pop_back();
        --m_depth;
        m_groupStart = false;
    }

    void ReadControl()
    {
        if (m_position >= m_bytes.size())
            return;
        const char c = m_bytes[m_position];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++m_position;
            ControlSymbol(c);
            return;
        }
        tControlWord control;
        while (m_position < m_bytes.size()
            && std::isalpha(static_cast<unsigned char>(m_bytes[m_position])))
            control.Word += m_bytes[m_position++];
        ReadParameter(control);
        if (m_position < m_bytes.size() && m_bytes[m_position] == ' ')
            ++m_position; // the blank that ends a control word belongs to it
        ControlWord(control);
        m_groupStart = false;
    }

    void ReadParameter(tControlWord& control)
    {
        std::size_t p = m_position;
        const bool negative = p < m_bytes.size() && m_bytes[p] == '-';
        if (negative)
            ++p;
        std::int64_t value = 0;
        std::size_t digits = 0;
        while (p < m_bytes.size() && std::isdigit(static_cast<unsigned char>(m_bytes[p]))) {
            if (value < 100000000)
                value = value * 10 + (m_bytes[p] - '0');
            ++p;
            ++digits;
        }
        if (digits == 0)
            return;
        m_position = p;
        control.Parameter = static_cast<std::int32_t>(negative ? -value : value);
    }

    void ControlSymbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Character(c);
            break;
        case '\'':
            HexCharacter();
            break;
        case '~':
            Character('\xA0');
            break;
        case '_':
            Character('-');
            break;
        case '*':
            if (m_groupStart)
                State().Destination = tDestination::Skipped;
            break;
        case '\r':
        case '\n':
            NewLine();
            break;
        default:
            break; // \- (optional hyphen) and unknown symbols show nothing
        }
        m_groupStart = false;
    }

    void HexCharacter()
    {
        const int high = m_position < m_bytes.size() ? HexValue(m_bytes[m_position]) : -1;
        const int low = m_position + 1 < m_bytes.size() ? HexValue(m_bytes[m_position + 1]) : -1;
        if (high < 0 || low < 0) {
            m_position += high < 0 ? 0 : 1; // a cut escape shows nothing
            return;
        }
        m_position += 2;
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        Character(static_cast<char>(high * 16 + low));
    }

    void ControlWord(const tControlWord& control)
    {
        const std::string& w = control.Word;
        const std::int32_t parameter = control.Parameter.value_or(1);
        tCharacterState& state = State();
        if (m_groupStart && (w == "fonttbl" || w == "colortbl" || IsSkippedDestination(w))) {
            state.Destination = w == "fonttbl" ? tDestination::FontTable
                : w == "colortbl"              ? tDestination::ColourTable
                                               : tDestination::Skipped;
            return;
        }
        if (state.Destination == tDestination::ColourTable) {
            ColourComponent(w, parameter);
            return;
        }
        if (state.Destination == tDestination::FontTable) {
            if (w == "f")
                m_fontIndex = parameter;
            return;
        }
        if (w == "bin") {
            m_position += static_cast<std::size_t>(std::max(0, parameter)); // binary data
        } else if (w == "par" || w == "line" || w == "sect" || w == "page") {
            NewLine();
        } else if (const auto symbol = SymbolCharacter(w)) {
            Character(*symbol);
        } else if (w == "b") {
            state.Bold = parameter != 0;
        } else if (w == "i") {
            state.Italic = parameter != 0;
        } else if (w == "ul") {
            state.Underline = parameter != 0;
        } else if (w == "ulnone") {
            state.Underline = false;
        } else if (w == "cf") {
            state.ColourIndex = parameter;
        } else if (w == "f") {
            state.FontIndex = parameter;
        } else if (w == "fs") {
            state.HalfPoints = parameter;
        } else if (w == "plain") {
            const tCharacterState plain;
            state.Bold = plain.Bold;
            state.Italic = plain.Italic;
            state.Underline = plain.Underline;
            state.ColourIndex = plain.ColourIndex;
            state.FontIndex = plain.FontIndex;
            state.HalfPoints = plain.HalfPoints;
        } else if (w == "uc") {
            state.UnicodeSkip = std::max(0, parameter);
        } else if (w == "u") {
            UnicodeCharacter(parameter);
        }
    }

    void UnicodeCharacter(std::int32_t parameter)
    {
        // The parameter is a signed 16-bit number; negative values stand for 65536 + value.
        const std::uint32_t code = parameter < 0 ? static_cast<std::uint32_t>(parameter + 65536)
                                                 : static_cast<std::uint32_t>(parameter);
        const std::string text = Utf8ToCp1252(Utf8OfCodePoint(code));
        for (char c : text)
            Character(c);
        m_pendingSkip = State().UnicodeSkip;
    }

    void ColourComponent(const std::string& word, std::int32_t value)
    {
        const std::uint32_t component = static_cast<std::uint32_t>(std::clamp(value, 0, 255));
        if (word == "red")
            m_colour = (m_colour & 0x00FFFFu) | (component << 16);
        else if (word == "green")
            m_colour = (m_colour & 0xFF00FFu) | (component << 8);
        else if (word == "blue")
            m_colour = (m_colour & 0xFFFF00u) | component;
        else
            return;
        m_colourGiven = true;
    }

    void Character(char c)
    {
        m_groupStart = false;
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        switch (State().Destination) {
        case tDestination::Skipped:
            return;
        case tDestination::ColourTable:
            if (c == ';') {
                m_colours.push_back(
                    m_colourGiven ? std::optional<std::uint32_t>(m_colour) : std::nullopt);
                m_colour = 0;
                m_colourGiven = false;
            }
            return;
        case tDestination::FontTable:
            if (c == ';')
                FinishFontName();
            else
                m_fontName += c;
            return;
        case tDestination::Text:
            break;
        }
        m_paragraphOpen = true;
        AppendRun(m_line, RunOf(std::string(1, c)));
    }

    void FinishFontName()
    {
        std::size_t begin = m_fontName.find_first_not_of(' ');
        if (m_fontIndex >= 0 && begin != std::string::npos)
            m_fonts[m_fontIndex] = m_fontName.substr(begin);
        m_fontName.clear();
        m_fontIndex = -1;
    }

    tTextRun RunOf(std::string text) const
    {
        const tCharacterState& state = m_states.back();
        tTextRun run;
        run.Text = std::move(text);
        run.Bold = state.Bold;
        run.Italic = state.Italic;
        run.Underline = state.Underline;
        run.HalfPoints = state.HalfPoints;
        const std::size_t colour = static_cast<std::size_t>(std::max(0, state.ColourIndex));
        if (colour < m_colours.size() && m_colours[colour]) {
            run.HasColour = true;
            run.Colour = *m_colours[colour];
        }
        if (const auto font = m_fonts.find(state.FontIndex); font != m_fonts.end())
            run.Font = font->second;
        return run;
    }

    void NewLine()
    {
        if (State().Destination != tDestination::Text)
            return;
        FinishParagraph(true);
    }

    // Ends the current line; at the end of the document only when it holds something.
    void FinishParagraph(bool mark)
    {
        if (!mark && !m_paragraphOpen)
            return;
        m_text.Lines.push_back(std::move(m_line));
        m_line.clear();
        m_paragraphOpen = false;
    }

    std::string_view m_bytes;
    std::size_t m_position = 0;
    std::size_t m_depth = 0;
    std::vector<tCharacterState> m_states { tCharacterState {} };
    bool m_groupStart = false; // the last thing read was '{'
    std::int32_t m_pendingSkip = 0;
    std::vector<std::optional<std::uint32_t>> m_colours;
    std::uint32_t m_colour = 0;
    bool m_colourGiven = false;
    std::map<std::int32_t, std::string> m_fonts;
    std::int32_t m_fontIndex = -1;
    std::string m_fontName;
    tRichText m_text;
    tRichLine m_line;
    bool m_paragraphOpen = false;
};

} // namespace

bool LooksLikeRtf(std::string_view bytes)
{
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t end = bytes.find('\n', begin);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(begin, end - begin);
        const std::size_t first = line.find_first_not_of(" \t\r\f\v");
        if (first != std::string_view::npos) {
            const std::size_t last = line.find_last_not_of(" \t\r\f\v");
            const std::string_view trimmed = line.substr(first, last - first + 1);
            return trimmed.starts_with("{\\rtf1");
        }
        begin = end + 1;
    }
    return false;
}

tRichText ReadRtf(std::string_view bytes)
{
    return tRtfParser(bytes).Parse();
}

} // namespace zelvora
