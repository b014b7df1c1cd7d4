// The resolved tokens of a formula.
#include "language/formula_plan.h"

#include "lexicon/number_text.h"
#include "lexicon/scanner.h"
#include "variables/operator_results.h"

namespace zelvora {

void tFormulaPlan::FitTo(std::size_t count)
{
    if (m_tokens.size() != count) {
        m_tokens.clear();
        m_tokens.resize(count);
    }
}

const tTocLookup& tFormulaPlan::CatalogueEntry(std::size_t index, std::string_view text)
{
    std::optional<tTocLookup>& entry = m_tokens[index].Entry;
    if (!entry)
        entry = Catalogue().Lookup(text, 0);
    return *entry;
}

const tVariable& tFormulaPlan::NumberValue(
    std::size_t index, std::uint16_t kind, std::string_view text)
{
    std::optional<tVariable>& number = m_tokens[index].Number;
    if (!number) {
        const std::optional<std::int32_t> integer
            = kind == tkInteger ? FittingIntegerOfText(text) : std::nullopt;
        number = integer ? operators::IntegerResult(*integer)
                         : operators::RealResult(RealOfText(text));
    }
    return *number;
}

} // namespace zelvora
