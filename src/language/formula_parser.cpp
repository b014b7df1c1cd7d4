// The formula parser.
#include "language/formula_parser.h"

#include "language/failure_operand.h"
#include "language/machine_bindings.h"
#include "language/machine_operators.h"
#include "lexicon/number_text.h"
#include "numerics/library_state.h"
#include "text/name_fold.h"
#include "variables/operator_results.h"

#include <cmath>
#include <numbers>

namespace zelvora {
namespace {

using O = tOpcode;
constexpr std::size_t MaxTokenTextLength = 255;

// Scopes one nested level; counts the depth.
class tLevelDepth {
public:
    explicit tLevelDepth(int& depth)
        : m_depth(depth)
    {
        ++m_depth;
    }
    ~tLevelDepth() { --m_depth; }
    tLevelDepth(const tLevelDepth&) = delete;
    tLevelDepth& operator=(const tLevelDepth&) = delete;

private:
    int& m_depth;
};

// A level of the machine for one bracket level of the formula, given back when the level ends.
class tLevelLease {
public:
    explicit tLevelLease(tEvalMachine& machine)
        : m_machine(machine)
        , m_level(machine.AcquireLevel())
    {
    }
    ~tLevelLease() { m_machine.ReleaseLevel(); }
    tLevelLease(const tLevelLease&) = delete;
    tLevelLease& operator=(const tLevelLease&) = delete;
    tEvalLevel& Level() const { return m_level; }

private:
    tEvalMachine& m_machine;
    tEvalLevel& m_level;
};

// What the user probably meant by a name that is nothing: the help, a constant written without
// "#", a function written without its argument list.
std::string UnknownNameHint(const std::string& name, bool call)
{
    const std::string folded = NameFold(name);
    if (folded == "HELP" || folded == "HILFE")
        return "; die Hilfe zeigt \"?\" (\"?\" allein, \"? Inv\" oder \"?? Wort\")";
    const tTocLookup entry = Catalogue().Lookup(name, 0);
    if (!entry.Found)
        return {};
    const tTOC& toc = Catalogue().Entry(entry.Entry);
    if (toc.Kind == tTocKind::Constant && !call && !toc.Help.empty())
        return "; Konstanten schreibt man mit \"#\": #" + name;
    if (toc.Kind == tTocKind::Function && !call)
        return "; eine Funktion braucht ihre Argumente in Klammern: " + toc.Name + toc.Signature;
    return {};
}

// A name before "(" that the catalogue finds as a constant or an operator first ("W" is the
// constant w, "If" the operator falls): the call would compute nothing. Names the function that
// has the name as well, when there is one.
std::string NotAFunctionText(const std::string& name, const tTocLookup& found)
{
    const tTOC& entry = Catalogue().Entry(found.Entry);
    std::string text = std::string("hier keine Funktion, sondern ")
        + (entry.Kind == tTocKind::Constant ? "die Konstante #" : "der Operator ") + entry.Name;
    const std::string folded = NameFold(name);
    for (std::int32_t i = 1; i <= Catalogue().EntryCount(); ++i) {
        const tTOC& other = Catalogue().Entry(i);
        if (other.Kind == tTocKind::Function && (other.Name == folded || other.Alias == folded)) {
            const std::int32_t first = Catalogue().EntryOfOpcode(other.Opcode);
            return text
                + "; die Funktion hei\xDF"
                  "t "
                + Catalogue().Entry(first).Name;
        }
    }
    return text;
}

} // namespace

tFormulaParser::tFormulaParser(tEvalMachine& machine, const tAnsiTokens& tokens, tFormulaPlan* plan)
    : m_machine(machine)
    , m_tokens(tokens)
    , m_plan(plan)
    , m_end(tokens.empty() ? 0 : tokens.size() - 1)
{
    if (m_plan)
        m_plan->FitTo(tokens.size());
}

std::string tFormulaParser::TokenText(std::size_t index) const
{
    return std::string(TokenView(index));
}

std::string_view tFormulaParser::TokenView(std::size_t index) const
{
    return std::string_view(m_tokens[index].Text).substr(0, MaxTokenTextLength);
}

tTocLookup tFormulaParser::CatalogueEntry(std::size_t index)
{
    if (m_plan)
        return m_plan->CatalogueEntry(index, TokenView(index));
    return m_machine.Toc().Lookup(TokenView(index), 0);
}

tVariableArray tFormulaParser::EvaluateTopLevel()
{
    m_position = 0;
    return EvaluateLevel();
}

tVariableArray tFormulaParser::EvaluateLevel()
{
    const tLevelDepth depth(m_depth);
    const std::size_t opener = m_position > 0 ? m_position - 1 : 0; // a nested level's bracket
    const tLevelLease lease(m_machine);
    tEvalLevel& level = lease.Level();
    if (m_depth > MaxFormulaLevels) {
        m_machine.FailReading("Die Formel ist zu tief geschachtelt (h\xF6"
                              "chstens "
            + std::to_string(MaxFormulaLevels) + " Klammerebenen)");
        m_position = m_tokens.size();
        return std::move(level.Operands);
    }
    while (m_position <= m_end && m_position < m_tokens.size()) {
        if (m_tokens[m_position].Kind != tkEnd) {
            if (level.State == 0) {
                if (!OperandStep(level))
                    break;
            } else {
                OperatorStep(level);
            }
        }
        if (level.Closed)
            break;
        ++m_position;
    }
    // An operator that is still waiting for its right operand at the end of the formula.
    if (!m_machine.ReadingFailed() && !level.Closed && level.State == 0 && level.OperatorCount > 0)
        FailAtToken(m_lastOperator, "der rechte Operand fehlt");
    if (!level.Closed) {
        // A bracket left open at the end of the formula closes there, as the language defines;
        // the user probably forgot it.
        if (m_depth > 1 && !m_machine.ReadingFailed())
            m_machine.Warn("Die Klammer \"" + TokenText(opener)
                + "\" wird nicht geschlossen; sie "
                  "gilt bis zum Ende der Formel");
        m_machine.PushOperator(level, OpcodePriority(O::EndOfFormula), O::EndOfFormula, 0);
    }
    return std::move(level.Operands);
}

void tFormulaParser::FailAtToken(std::size_t index, std::string_view what)
{
    if (m_machine.ReadingFailed())
        return;
    m_machine.FailReading("\"" + TokenText(index) + "\" an Stelle " + std::to_string(index + 1)
        + " der Formel: " + std::string(what));
}

bool tFormulaParser::FailOperandExpected(std::size_t index)
{
    FailAtToken(index, "hier wird ein Operand erwartet");
    return false;
}

bool tFormulaParser::IsWholeRangeStar(std::size_t index) const
{
    const auto isAny = [&](std::size_t i, std::string_view signs) {
        return i < m_tokens.size() && m_tokens[i].Kind == tkSign && m_tokens[i].Text.size() == 1
            && signs.find(m_tokens[i].Text[0]) != std::string_view::npos;
    };
    return index > 0 && isAny(index - 1, "[({,") && isAny(index + 1, ",])}");
}

void tFormulaParser::PushLevelValues(tEvalLevel& level, tVariableArray values, std::int32_t sign)
{
    for (std::size_t i = 1; i < values.size(); ++i)
        m_machine.PushValue(level, std::move(values[i]), sign);
}

bool tFormulaParser::PushFunctionCall(tEvalLevel& level, const tTocLookup& function)
{
    m_machine.PushValue(level, operators::IntegerResult(1), level.Sign);
    level.Sign = 1;
    m_machine.PushOperator(level, FunctionCallPriority, function.Opcode, function.Entry);
    m_position += 2;
    PushLevelValues(level, EvaluateLevel(), 1);
    return true;
}

bool tFormulaParser::PushConstant(tEvalLevel& level)
{
    ++m_position;
    if (m_position >= m_tokens.size() || m_tokens[m_position].Kind == tkEnd)
        return FailOperandExpected(m_position - 1);
    // Reached only while the formula reads well, so the lookup has no failure pending.
    const tTocLookup constant = CatalogueEntry(m_position);
    if (!constant.Found) {
        m_machine.FailReading("Unbekannte Konstante \"#" + TokenText(m_position) + "\" an Stelle "
            + std::to_string(m_position + 1) + " der Formel");
        return false;
    }
    switch (constant.Opcode) {
    case O::ConstE:
        m_machine.PushValue(level, operators::RealResult(std::exp(1.0L)), level.Sign);
        break;
    case O::ConstPi:
        m_machine.PushValue(
            level, operators::RealResult(std::numbers::pi_v<long double>), level.Sign);
        break;
    case O::ConstFalse:
        m_machine.PushValue(level, operators::BooleanResult(false), level.Sign);
        break;
    case O::ConstTrue:
        m_machine.PushValue(level, operators::BooleanResult(true), level.Sign);
        break;
    case O::ConstHighInteger:
        m_machine.PushValue(level, operators::IntegerResult(2147483647), 1);
        break;
    default:
        break; // any other entry pushes nothing
    }
    return true;
}

void tFormulaParser::PushNumber(tEvalLevel& level, std::size_t index)
{
    const t_ansitoken& token = m_tokens[index];
    if (m_plan) {
        m_machine.PushCopy(level, m_plan->NumberValue(index, token.Kind, token.Text), level.Sign);
        return;
    }
    const std::optional<std::int32_t> integer
        = token.Kind == tkInteger ? FittingIntegerOfText(token.Text) : std::nullopt;
    m_machine.PushValue(level,
        integer ? operators::IntegerResult(*integer)
                : operators::RealResult(RealOfText(token.Text)),
        level.Sign);
}

bool tFormulaParser::OperandStep(tEvalLevel& level)
{
    if (m_machine.ReadingFailed())
        return false;
    const t_ansitoken& token = m_tokens[m_position];
    switch (token.Kind) {
    case tkName: {
        const bool call
            = m_position + 1 < m_tokens.size() && m_tokens[m_position + 1].Text.starts_with('(');
        const std::string_view name = TokenView(m_position);
        if (call) {
            const tTocLookup function = CatalogueEntry(m_position);
            if (function.Found && !IsFunctionOpcode(function.Opcode)) {
                FailAtToken(m_position, NotAFunctionText(std::string(name), function));
                return false;
            }
            if (function.Found) {
                PushFunctionCall(level, function);
                break;
            }
        }
        const tVariable* variable = m_plan
            ? m_machine.Environment().FindRemembered(name, m_plan->SlotMemo(m_position))
            : m_machine.Environment().FindVariable(name);
        if (variable) {
            m_machine.PushCopy(level, *variable, level.Sign);
            break;
        }
        if (auto system = m_machine.Environment().SystemVariableValue(name)) {
            m_machine.PushValue(level, std::move(*system), 1);
            break;
        }
        m_machine.FailReading("Unbekannter Name \"" + std::string(name) + "\" an Stelle "
            + std::to_string(m_position + 1) + " der Formel"
            + UnknownNameHint(std::string(name), call));
        return false;
    }
    case tkString:
        m_machine.PushValue(level, operators::StringResult(TokenText(m_position)), 1);
        break;
    case tkInteger:
    case tkReal:
        PushNumber(level, m_position);
        break;
    case tkNumberDot:
        break; // counts as an operand, pushes nothing
    case tkSign:
        switch (token.Text[0]) {
        case '#':
            if (!PushConstant(level))
                return false;
            break;
        case '(':
            ++m_position;
            PushLevelValues(level, EvaluateLevel(), level.Sign);
            break;
        case '{': {
            ++m_position;
            const tVariableArray rows = EvaluateLevel();
            // A failure among the elements is the literal's value; so is a ragged shape.
            const std::optional<tFailure> failure
                = FirstFailure(std::span(rows).subspan(rows.empty() ? 0 : 1));
            if (failure) {
                m_machine.PushValue(level, FailureOperand(*failure), level.Sign);
                break;
            }
            const std::string shape = MatrixLiteralFailure(rows);
            m_machine.PushValue(level,
                shape.empty() ? BuildMatrixLiteral(rows) : FailureOperand(Failure(shape)),
                level.Sign);
            break;
        }
        case '*':
            if (!IsWholeRangeStar(m_position))
                return FailOperandExpected(m_position);
            m_machine.PushValue(level,
                ApplyListOperator(
                    O::Range, operators::IntegerResult(1), operators::IntegerResult(2147483647)),
                1);
            break;
        case '-':
            level.Sign = -level.Sign;
            return true;
        case '+':
            return true;
        case ')':
        case ']':
        case '}':
            // An empty list, "f()" or "{}", closes its level; after an operator an operand is
            // missing.
            if (m_depth > 1 && level.Top() == 0 && level.OperatorCount == 0) {
                level.Closed = true;
                return true;
            }
            return FailOperandExpected(m_position);
        default:
            return FailOperandExpected(m_position);
        }
        break;
    default:
        return FailOperandExpected(m_position);
    }
    level.State = 1;
    level.Sign = 1;
    return true;
}

void tFormulaParser::OperatorStep(tEvalLevel& level)
{
    if (m_machine.ReadingFailed())
        return;
    const tTocLookup found = CatalogueEntry(m_position);
    if (!found.Found) {
        FailAtToken(m_position, "hier wird ein Operator erwartet");
        return;
    }
    const tOpcode opcode = found.Opcode;
    if (IsClosingBracket(opcode) && m_depth == 1) {
        FailAtToken(m_position,
            "schlie\xDF"
            "ende Klammer ohne \xF6"
            "ffnende");
        return;
    }
    if (IsClosingBracket(opcode)) {
        m_machine.PushOperator(level, OpcodePriority(opcode), opcode, found.Entry);
        level.Closed = true;
        return;
    }
    if (IsPostfixOperator(opcode)) {
        m_machine.PushOperator(level, OpcodePriority(opcode), opcode, found.Entry);
        m_machine.PushValue(level, operators::IntegerResult(0), 1);
        return;
    }
    if (opcode == O::OpenIndex) {
        m_machine.PushOperator(level, OpcodePriority(opcode), opcode, found.Entry);
        ++m_position;
        tVariableArray indices = EvaluateLevel();
        for (std::size_t i = 1; i < indices.size() && i <= 2; ++i)
            m_machine.PushValue(level, std::move(indices[i]), 1);
        return;
    }
    m_machine.PushOperator(level, OpcodePriority(opcode), opcode, found.Entry);
    m_lastOperator = m_position;
    level.State = 0;
}

} // namespace zelvora
