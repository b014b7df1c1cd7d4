// Editing one cell of a matrix window: the editor's text, the write back into the stored variable
// when the edit is committed, and the restore on Escape. Edits change the variable in place; they
// do not pass through Store and refresh no other display.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvora {

class tVisibleVarsList;

// What a committed cell shows afterwards, and why a text was refused (empty when it was not).
struct tCellCommit {
    std::string ShownText;
    std::string Message;
    bool Stored = false; // the variable took the value
};

// The text a numeric cell shows after its edit: empty when |x| <= 1e-10, "0.0..." when
// |x| <= 1e-6, else x rounded to 3 decimals right-aligned in 6 characters.
std::string EditedCellText(long double x);

class tMatrixCellEdit {
public:
    // Starts editing cell (row, col), both from 1, of variable index; shownText is what the cell
    // showed. Gives the editor's text: a number in the general format with 15 significant digits
    // and '.' as its point, a string as it is, "" for a cell outside the variable.
    std::string Begin(const tVisibleVarsList& store, std::int32_t index, std::int32_t row,
        std::int32_t col, std::string_view shownText);
    bool Active() const { return m_row >= 1; }
    std::int32_t Index() const { return m_index; }
    std::int32_t Row() const { return m_row; }
    std::int32_t Col() const { return m_col; }

    // Commits the editor's text and forgets the cell. A number (trimmed, '.' as its point) goes
    // into a numeric matrix, a string into a string matrix; range lists, vectors and boolean
    // matrices keep their values. A text that is no number, or a variable that changed shape
    // meanwhile, stores nothing and gives the cell's former text with a message.
    tCellCommit Commit(tVisibleVarsList& store, std::string_view text);
    // Escape: the remembered value goes back into the variable and the cell's former text is
    // given back; the cell is forgotten. Without an edit nothing happens and "" is given.
    std::string Cancel(tVisibleVarsList& store);
    // Forgets the cell without touching the variable and gives the cell's former text ("" without
    // an edit): the end of an edit while statements use the store.
    std::string Drop();

private:
    bool StillTheSameCell(const tVisibleVarsList& store) const;
    std::string CellName(const tVisibleVarsList& store) const;
    void Forget() { m_row = m_col = -1; }

    std::int32_t m_index = 0;
    std::int32_t m_row = -1;
    std::int32_t m_col = -1;
    std::uint8_t m_shape = 0;
    std::uint8_t m_datatype = 0;
    long double m_oldValue = 0;
    std::string m_oldString;
    std::string m_shownText;
};

} // namespace zelvora
