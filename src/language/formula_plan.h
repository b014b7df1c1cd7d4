// What the tokens of a formula resolve to, kept beside the tokens so that a formula run again (a
// macro's statement, each repetition) does not look its names up or read its numbers again.
#pragma once

#include "lexicon/catalogue.h"
#include "numerics/result.h"
#include "variables/store_slot_memo.h"
#include "variables/variable.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace zelvora {

// How the short way of a formula of one binary operator ended: not taken (the general way reads
// the formula), or taken with a value or with this failure.
struct tShortWay {
    bool Taken = false;
    std::optional<tFailure> Failure;
};

// Only what cannot change while the program runs is kept: the catalogue entry a name or sign
// finds (the catalogue is never changed once built) and the value of a number literal. Whether a
// name is a stored variable or a system variable is asked again on every run, so creating,
// deleting or renaming a variable between runs reads the formula as a first run would; the store
// answers that from the slot memo of the name's token while none of its variables was added,
// deleted or renamed.
class tFormulaPlan {
public:
    // Forgets everything; the next run resolves afresh.
    void Reset()
    {
        m_tokens.clear();
        m_numbers.clear();
        m_form = tForm::Undecided;
    }

    // The catalogue entry the token's text finds (Lookup with no failure pending).
    const tTocLookup& CatalogueEntry(std::size_t index, std::string_view text);
    // Where the store last found the name of the token.
    tStoreSlotMemo& SlotMemo(std::size_t index) { return m_tokens[index].Slot; }
    // The value of a number token (integer that fits 32 bits, otherwise real). The reference
    // holds until the next number of the formula is read for the first time.
    const tVariable& NumberValue(std::size_t index, std::uint16_t kind, std::string_view text)
    {
        const std::uint32_t number = m_tokens[index].Number;
        return number != 0 ? m_numbers[number - 1] : ReadNumber(index, kind, text);
    }
    // Room for count numbers in all: while the formula has no more, reading one moves none of
    // the others, so a reference to each holds while the plan does.
    void ReserveNumbers(std::size_t count)
    {
        // Asked first: a repeated formula has the room already, and reserve is not inlined.
        if (m_numbers.capacity() < count)
            m_numbers.reserve(count);
    }

    // Fits the plan to a formula of count tokens; a plan made for another count starts afresh.
    void FitTo(std::size_t count);

    // Whether the formula is one binary operator between two plain operands (a name or a
    // number each), the commonest formula of a loop, decided from its tokens once.
    enum class tForm : std::uint8_t { Undecided, General, Binary };
    tForm Form() const { return m_form; }
    void SetForm(tForm form) { m_form = form; }

    // A value array whose values were used up, kept for the formula's next run so that a
    // statement repeated in a loop does not allocate a new one each time. Kept empty: only its
    // capacity is of use, and only the one-operator form takes it (other plans keep nothing).
    void KeepSpareValues(tVariableArray&& values)
    {
        if (m_form != tForm::Binary)
            return;
        values.clear();
        m_spare = std::move(values);
    }
    // The kept array (empty), or an empty new one.
    tVariableArray TakeSpareValues() { return std::exchange(m_spare, {}); }

private:
    // Reads the number of a token not read before and keeps its value.
    const tVariable& ReadNumber(std::size_t index, std::uint16_t kind, std::string_view text);

    // A few bytes a token: the values of the numbers (a record each) are kept apart.
    struct tResolvedToken {
        std::optional<tTocLookup> Entry;
        std::uint32_t Number = 0; // 1 + the number's place in m_numbers; 0 before it is read
        tStoreSlotMemo Slot;
    };
    std::vector<tResolvedToken> m_tokens;
    std::vector<tVariable> m_numbers;
    tForm m_form = tForm::Undecided;
    tVariableArray m_spare;
};

} // namespace zelvora
