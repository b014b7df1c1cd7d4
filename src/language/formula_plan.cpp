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
        m_numbers.clear();
        m_form = tForm::Undecided;
    }
}

const tTocLookup& tFormulaPlan::CatalogueEntry(std::size_t index, std::string_view text)
{
    std::optional<tTocLookup>& entry = m_tokens[index].Entry;
    if (!entry)
        entry = Catalogue().Lookup(text, 0);
    return *entry;
}

const tVariable& tFormulaPlan::ReadNumber(
    std::size_t index, std::uint16_t kind, std::string_view text)
{
    const std::optional<std::int32_t> integer
        = kind == tkInteger ? FittingIntegerOfText(text) : std::nullopt;
    m_numbers.push_back(
        integer ? operators::IntegerResult(*integer) : operators::RealResult(RealOfText(text)));
    m_tokens[index].Number = static_cast<std::uint32_t>(m_numbers.size());
    return m_numbers.back();
}

} // namespace zelvora
