// The rotations of one similarity sweep, applied in the order that suits a row-major matrix.
//
// A sweep turns, for each p and then each q > p, columns a = cols[p], b = cols[q] of W and rows
// i = rows[p], j = rows[q] of W, and the transformation T. Every element must see the same
// operations in the same order as in that plain form, so that the results stay bit for bit; the
// classes below only postpone operations that nothing reads in between.
//
// The postponed turns of different lines touch disjoint elements, so with a worker pool they run
// in blocks of lines on its threads; every element still sees its operations in the plain order,
// and the results are the same bits for any number of threads.
#pragma once

#include "numerics/matrix_types.h"

#include <vector>

namespace zelvora {

class tWorkerPool;

// The rotations of W for one p. Step q turns columns a and b = cols[q] of every row, then rows i
// and j = rows[q] of every column. Only four elements are read for the angle of a step: W[i][a],
// W[i][b], W[j][a], W[j][b]. Row i and column a are turned at once; any other row waits with its
// column rotations, and any other column with its row rotations, until it is read (row j and
// column b just before their step) or until p is done. Waiting turns then run along a row with
// W[r][a] in a register, or down a column with W[i][k] in a register, two lines at a time. No
// element has waiting turns of both kinds, so each sees its operations in the plain order. This
// needs distinct row and column lists; with any other lists every rotation turns at once.
// Finish turns the waiting rows in blocks on the pool, then the waiting columns (pool may be null).
class tSweepTurns {
public:
    tSweepTurns(trealmatrix& w, const tIntvector& rows, const tIntvector& cols,
        tWorkerPool* pool = nullptr);

    // Starts the rotations of position p.
    void Begin(int32_t p);
    // Brings row j and column b of step q up to date, before the angle reads them.
    void Prepare(int32_t q);
    // The rotations of step q by (c, s): columns a, b, then rows i, j.
    void Turn(int32_t q, long double c, long double s);
    // Applies the waiting rotations.
    void Finish();

private:
    // Applies the column rotations of steps from..to to row r.
    void TurnRow(int32_t r, int32_t from, int32_t to);
    void TurnRowPair(int32_t r1, int32_t r2);
    // Applies the waiting steps from `from` on to row r and to column k at once.
    void TurnRowAndColumn(int32_t r, int32_t k, int32_t from);
    // Applies the row rotations of steps from..to to column k.
    void TurnColumn(int32_t k, int32_t from, int32_t to);
    void TurnColumnPair(int32_t k1, int32_t k2);
    // The waiting turns of rows (columns) first..last.
    void FinishRows(int32_t first, int32_t last);
    void FinishColumns(int32_t first, int32_t last);

    trealmatrix& m_w;
    const tIntvector& m_rows;
    const tIntvector& m_cols;
    tWorkerPool* m_pool;
    bool m_defer = false;
    int32_t m_a = 0;
    int32_t m_i = 0;
    int32_t m_p = 0;
    int32_t m_last = 0;
    // The steps of this p by q: cosine, sine and row j's slots; per row the first column rotation
    // it has not seen, per column the first row rotation.
    std::vector<long double> m_cosines;
    std::vector<long double> m_sines;
    std::vector<long double*> m_lines;
    std::vector<int32_t> m_nextInRow;
    std::vector<int32_t> m_nextInColumn;
};

// The transformation of one sweep, kept as T' (row j is column j of T). The rotations of rows
// a = cols[p] and b = cols[q], q = p+1..count, are collected while the sweep turns W and applied
// when p is done (nothing reads T inside a sweep): slot k of row a is turned against slot k of
// each row b in turn with row a's slot held in a register. T' starts as the identity, and a
// rotation with a finite sine and a cosine of plus sign leaves +0 wherever both rows hold +0; so
// every row keeps a reach past which its slots are +0, and a slot that both rows hold as +0 is not
// turned until one of them gains a value there. Apply turns blocks of slots on the pool's threads.
class tSweepTransform {
public:
    explicit tSweepTransform(int32_t n, tWorkerPool* pool = nullptr);

    // Starts collecting the rotations of row a.
    void Begin(int32_t a);
    void Add(int32_t b, long double c, long double s);
    // Applies the rotations collected since Begin.
    void Apply();

    trealmatrix Transform() const;

private:
    // Applies the collected rotations to slots first..last (first odd).
    void ApplySlots(int32_t first, int32_t last);

    trealmatrix m_t;
    tWorkerPool* m_pool;
    std::vector<int32_t> m_reach;
    std::vector<long double> m_cosines;
    std::vector<long double> m_sines;
    std::vector<int32_t> m_rows;
    std::vector<int32_t> m_covered;
    // The rows rows[t] of T' of this p.
    std::vector<long double*> m_lines;
    int32_t m_a = 0;
    int32_t m_count = 0;
    bool m_keepsZeros = true;
};

} // namespace zelvora
