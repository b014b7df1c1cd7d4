// The rotations of one similarity sweep, applied in the order that suits a row-major matrix.
//
// A sweep turns, for each p and then each q > p, columns a = cols[p], b = cols[q] of W and rows
// i = rows[p], j = rows[q] of W, and the transformation T. Every element must see the same
// operations in the same order as in that plain form, so that the results stay bit for bit; the
// classes below only postpone operations that nothing reads in between.
#pragma once

#include "numerics/matrix_types.h"

#include <vector>

namespace zelvora {

// The column rotations of W for one p. Only row i (turned by every row rotation) and row j of
// step q (read for the angle and turned by the row rotation) need their column rotations at once;
// every other row is turned by the column rotations alone, so its turns wait until p is done and
// then run along the row with W[r][a] in a register. Row j is brought up to date just before its
// step, and its later turns wait as well. This needs distinct row and column lists; with any other
// lists each column rotation turns every row at once.
class tSweepColumnTurns {
public:
    tSweepColumnTurns(trealmatrix& w, const tIntvector& rows, const tIntvector& cols);

    // Starts the rotations of position p.
    void Begin(int32_t p);
    // Brings row j up to date with the rotations of the steps so far, before it is read.
    void CatchUp(int32_t j);
    // The column rotation of step q (columns a and cols[q], partner row j) by (c, s).
    void Turn(int32_t q, int32_t j, long double c, long double s);
    // Applies the rotations that wait to every row.
    void Finish();

private:
    // Applies the steps from..to to row r.
    void TurnRow(int32_t r, int32_t from, int32_t to);
    // Applies the waiting steps to two rows at once.
    void TurnRowPair(int32_t r1, int32_t r2);

    trealmatrix& m_w;
    const tIntvector& m_cols;
    bool m_defer = false;
    int32_t m_a = 0;
    int32_t m_i = 0;
    int32_t m_last = 0;
    // The steps of this p: column, cosine and sine; and per row the first step it has not seen.
    std::vector<int32_t> m_columns;
    std::vector<long double> m_cosines;
    std::vector<long double> m_sines;
    std::vector<int32_t> m_next;
    const tIntvector& m_rows;
};

// The transformation of one sweep, kept as T' (row j is column j of T). The rotations of rows
// a = cols[p] and b = cols[q], q = p+1..count, are collected while the sweep turns W and applied
// when p is done (nothing reads T inside a sweep): slot k of row a is turned against slot k of
// each row b in turn with row a's slot held in a register. T' starts as the identity, and a
// rotation with a finite sine and a cosine of plus sign leaves +0 wherever both rows hold +0; so
// every row keeps a reach past which its slots are +0, and a slot that both rows hold as +0 is not
// turned until one of them gains a value there.
class tSweepTransform {
public:
    explicit tSweepTransform(int32_t n);

    // Starts collecting the rotations of row a.
    void Begin(int32_t a);
    void Add(int32_t b, long double c, long double s);
    // Applies the rotations collected since Begin.
    void Apply();

    trealmatrix Transform() const;

private:
    void TurnTwoSlots(long double* x, long double* const* lines, int32_t k, int32_t first);
    void TurnOneSlot(long double* x, long double* const* lines, int32_t k, int32_t first);

    trealmatrix m_t;
    std::vector<int32_t> m_reach;
    std::vector<long double> m_cosines;
    std::vector<long double> m_sines;
    std::vector<int32_t> m_rows;
    std::vector<int32_t> m_covered;
    int32_t m_a = 0;
    int32_t m_count = 0;
    bool m_keepsZeros = true;
};

} // namespace zelvora
