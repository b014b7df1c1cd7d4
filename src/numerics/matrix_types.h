// Value types of the numeric library: 1-based vectors and dense matrices, ranges and plain arrays.
#pragma once

#include "numerics/bulk_memory.h"
#include "numerics/matrix_size.h"
#include "numerics/run_time_error.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace zelvora {

// Marks a matrix constructor that leaves the slots of arithmetic types uninitialised; the caller
// must write every slot, spare row and column included.
struct tNoInit {
    explicit tNoInit() = default;
};
inline constexpr tNoInit noInit {};

// Shape of a matrix: rows and columns.
struct tMatDims {
    int32_t rows = 0;
    int32_t cols = 0;
    bool operator==(const tMatDims&) const = default;
};

// A 1-based dynamic array: n elements live in slots 1..n, slot 0 is allocated and carries no data.
// A default-constructed vector is absent (no slots at all, not even slot 0); tVector(0) is present
// and empty. Value semantics; a move leaves the source absent.
template <typename T> class tVector {
public:
    tVector() = default;
    // n elements (negative counts as 0) equal to value; slot 0 is value-initialised (0 or empty).
    // A count past the machine's memory is tSizeTooLarge.
    explicit tVector(int32_t n, const T& value = T())
        : m_slots(CheckedSlots(n), value)
    {
        m_slots[0] = T();
    }

    bool IsAbsent() const { return m_slots.empty(); }
    // Number of elements (last index); 0 when absent or empty.
    int32_t Count() const { return m_slots.empty() ? 0 : static_cast<int32_t>(m_slots.size() - 1); }
    // Number of allocated slots including slot 0 (0 when absent).
    std::size_t Slots() const { return m_slots.size(); }

    T& operator[](std::size_t i)
    {
        assert(i < m_slots.size());
        return m_slots[i];
    }
    const T& operator[](std::size_t i) const
    {
        assert(i < m_slots.size());
        return m_slots[i];
    }
    T* Data() { return m_slots.data(); }
    const T* Data() const { return m_slots.data(); }

    // The elements 1..n as a span (empty when absent).
    std::span<T> Elements()
    {
        return m_slots.empty() ? std::span<T>() : std::span<T>(m_slots).subspan(1);
    }
    std::span<const T> Elements() const
    {
        return m_slots.empty() ? std::span<const T>() : std::span<const T>(m_slots).subspan(1);
    }

    // Resizes to n elements, keeping the first ones; new slots are value-initialised.
    void Resize(int32_t n) { m_slots.resize(CheckedSlots(n)); }

    bool operator==(const tVector& other) const
    {
        return Count() == other.Count()
            && std::equal(Elements().begin(), Elements().end(), other.Elements().begin());
    }

    tVector(const tVector&) = default;
    tVector& operator=(const tVector&) = default;
    tVector(tVector&& other) noexcept
        : m_slots(std::exchange(other.m_slots, {}))
    {
    }
    tVector& operator=(tVector&& other) noexcept
    {
        m_slots = std::exchange(other.m_slots, {});
        return *this;
    }

private:
    static std::size_t CheckedSlots(int32_t n)
    {
        const std::int64_t slotCount = std::int64_t { std::max<int32_t>(n, 0) } + 1;
        CheckedArrayBytes(slotCount, sizeof(T), "eine Liste dieser L\xE4nge");
        return static_cast<std::size_t>(slotCount);
    }

    std::vector<T> m_slots;
};

// A dense 1-based matrix: rows x cols elements kept with a spare row 0 and column 0 in one
// contiguous block of (rows+1) x (cols+1) slots, row by row. Slot (r, c) lives at r*(cols+1) + c.
// Spare slots hold 0 (or the empty string) by invariant. A matrix with 0 rows is valid. A
// default-constructed matrix is absent (no storage, 0 x 0); it is not a valid argument of the
// library but is harmless. Value semantics with shared storage: a copy shares the block of slots
// until either side is written; every non-const access first gives the matrix a block of its own,
// so no write is ever seen through another matrix. Moves leave the source absent. A pointer got
// from a non-const access stays valid only until the matrix is copied or changes size. Blocks are
// counted without atomics: a matrix and its copies belong to one thread.
template <typename T> class tMatrix {
public:
    using value_type = T;

    tMatrix() = default;
    // rows x cols (negative counts as 0), every slot value-initialised (0 or empty).
    tMatrix(int32_t rows, int32_t cols)
        : tMatrix(rows, cols, noInit)
    {
        if constexpr (std::is_arithmetic_v<T>)
            std::fill_n(m_data, SlotCount(), T());
    }
    // rows x cols with arithmetic slots left uninitialised (strings are still empty). A shape
    // past MaxMatrixDimension or the machine's memory is tSizeTooLarge, before any allocation.
    tMatrix(int32_t rows, int32_t cols, tNoInit)
        : m_rows(std::max<int32_t>(rows, 0))
        , m_cols(std::max<int32_t>(cols, 0))
    {
        Allocate(
            SlotsFor(m_rows, m_cols), CheckedBlockBytes(m_rows, m_cols, sizeof(T), DataOffset));
    }

    tMatrix(const tMatrix& other) noexcept
        : m_rows(other.m_rows)
        , m_cols(other.m_cols)
        , m_block(other.m_block)
        , m_data(other.m_data)
    {
        if (m_block)
            ++m_block->Refs;
    }
    tMatrix& operator=(const tMatrix& other) noexcept
    {
        tMatrix copy(other);
        Swap(copy);
        return *this;
    }
    tMatrix(tMatrix&& other) noexcept
        : m_rows(std::exchange(other.m_rows, 0))
        , m_cols(std::exchange(other.m_cols, 0))
        , m_block(std::exchange(other.m_block, nullptr))
        , m_data(std::exchange(other.m_data, nullptr))
    {
    }
    tMatrix& operator=(tMatrix&& other) noexcept
    {
        tMatrix moved(std::move(other));
        Swap(moved);
        return *this;
    }
    ~tMatrix() { Release(); }

    bool IsAbsent() const { return m_block == nullptr; }
    int32_t Rows() const { return m_rows; }
    int32_t Cols() const { return m_cols; }
    tMatDims Dims() const { return { m_rows, m_cols }; }
    // Distance between the starts of two rows, in slots (cols + 1).
    std::size_t Stride() const { return static_cast<std::size_t>(m_cols) + 1; }
    // Number of slots, spare ones included (0 when absent).
    std::size_t SlotCount() const { return m_block ? SlotsFor(m_rows, m_cols) : 0; }
    // True when another matrix shares this one's block (nothing was written since the copy).
    bool SharesStorage() const { return m_block && m_block->Refs > 1; }

    // Unchecked access to slot (r, c), 0 <= r <= rows, 0 <= c <= cols.
    T& operator()(int32_t r, int32_t c)
    {
        assert(m_block && r >= 0 && r <= m_rows && c >= 0 && c <= m_cols);
        Own();
        return m_data[static_cast<std::size_t>(r) * Stride() + static_cast<std::size_t>(c)];
    }
    const T& operator()(int32_t r, int32_t c) const
    {
        assert(m_block && r >= 0 && r <= m_rows && c >= 0 && c <= m_cols);
        return m_data[static_cast<std::size_t>(r) * Stride() + static_cast<std::size_t>(c)];
    }
    // Pointer to slot 0 of row r, so that m[r][c] reads slot (r, c) unchecked.
    T* operator[](int32_t r) { return Row(r); }
    const T* operator[](int32_t r) const { return Row(r); }
    T* Row(int32_t r)
    {
        assert(m_block && r >= 0 && r <= m_rows);
        Own();
        return m_data + static_cast<std::size_t>(r) * Stride();
    }
    const T* Row(int32_t r) const
    {
        assert(m_block && r >= 0 && r <= m_rows);
        return m_data + static_cast<std::size_t>(r) * Stride();
    }
    T* Data()
    {
        Own();
        return m_data;
    }
    const T* Data() const { return m_data; }

    // Checked access to element (r, c), 1 <= r <= rows, 1 <= c <= cols; outside: tRangeError.
    T& At(int32_t r, int32_t c)
    {
        if (!Contains(r, c))
            throw tRangeError();
        return (*this)(r, c);
    }
    const T& At(int32_t r, int32_t c) const
    {
        if (!Contains(r, c))
            throw tRangeError();
        return (*this)(r, c);
    }
    bool Contains(int32_t r, int32_t c) const
    {
        return r >= 1 && r <= m_rows && c >= 1 && c <= m_cols;
    }

    // Resizes to rows x cols keeping the overlapping elements; new slots are 0 (or empty).
    void Resize(int32_t rows, int32_t cols)
    {
        tMatrix resized(rows, cols);
        const int32_t keepRows = std::min(resized.m_rows, m_rows);
        const int32_t keepCols = std::min(resized.m_cols, m_cols);
        const tMatrix& source = *this;
        for (int32_t r = 1; r <= keepRows; ++r)
            std::copy(source.Row(r) + 1, source.Row(r) + 1 + keepCols, resized.Row(r) + 1);
        *this = std::move(resized);
    }

    // Same shape and equal elements (spare slots are not compared).
    bool operator==(const tMatrix& other) const
    {
        if (m_rows != other.m_rows || m_cols != other.m_cols)
            return false;
        for (int32_t r = 1; r <= m_rows; ++r) {
            if (!std::equal(Row(r) + 1, Row(r) + 1 + m_cols, other.Row(r) + 1))
                return false;
        }
        return true;
    }

private:
    // The block: its count of sharing matrices, then the slots (aligned for T and for 16 bytes).
    struct tBlock {
        std::size_t Refs;
        std::size_t Count;
    };
    static constexpr std::size_t DataOffset
        = (sizeof(tBlock) + std::max(alignof(T), std::size_t { 16 }) - 1)
        / std::max(alignof(T), std::size_t { 16 }) * std::max(alignof(T), std::size_t { 16 });

    static std::size_t SlotsFor(int32_t rows, int32_t cols)
    {
        return (static_cast<std::size_t>(rows) + 1) * (static_cast<std::size_t>(cols) + 1);
    }

    void Allocate(std::size_t count, std::size_t bytes)
    {
        void* raw = AllocateBulkMemory(bytes);
        m_block = ::new (raw) tBlock { 1, count };
        m_data = reinterpret_cast<T*>(static_cast<char*>(raw) + DataOffset);
        if constexpr (!std::is_trivially_default_constructible_v<T>) {
            try {
                std::uninitialized_value_construct_n(m_data, count);
            } catch (...) {
                ::operator delete(raw);
                m_block = nullptr;
                m_data = nullptr;
                throw;
            }
        }
    }

    void Release() noexcept
    {
        if (m_block && --m_block->Refs == 0) {
            if constexpr (!std::is_trivially_destructible_v<T>)
                std::destroy_n(m_data, m_block->Count);
            ::operator delete(static_cast<void*>(m_block));
        }
        m_block = nullptr;
        m_data = nullptr;
    }

    // Gives this matrix a block of its own before a write.
    void Own()
    {
        if (m_block && m_block->Refs > 1) {
            tMatrix own(m_rows, m_cols, noInit);
            std::copy_n(m_data, m_block->Count, own.m_data);
            Swap(own);
        }
    }

    void Swap(tMatrix& other) noexcept
    {
        std::swap(m_rows, other.m_rows);
        std::swap(m_cols, other.m_cols);
        std::swap(m_block, other.m_block);
        std::swap(m_data, other.m_data);
    }

    int32_t m_rows = 0;
    int32_t m_cols = 0;
    tBlock* m_block = nullptr;
    T* m_data = nullptr;
};

using tRealVector = tVector<long double>;
using tIntvector = tVector<int32_t>;
using tStringVector = tVector<std::string>;

using trealmatrix = tMatrix<long double>;
using tintmatrix = tMatrix<int32_t>;
using tbytematrix = tMatrix<uint8_t>;
using tStringmatrix = tMatrix<std::string>;

// Red, green and blue planes of a picture.
using tbrgbmat = std::array<tbytematrix, 3>;
using trrgbmat = std::array<trealmatrix, 3>;

// A list of matrices, 0-based (results of routines that return several matrices).
using trealmatrixarr = std::vector<trealmatrix>;
using tmatarr = trealmatrixarr;

// A range: slot 0 carries no data, slot 1 is the lower bound, slot 2 the upper bound.
using tIntRange = std::array<int32_t, 3>;
using tRealRange = std::array<long double, 3>;
// Range lists: entry 0 carries no range.
using tintrangelist = tVector<tIntRange>;
using trealrangelist = tVector<tRealRange>;

// Distinct values of a vector in increasing order and how often each occurs, both 1-based.
struct tRealFreq {
    tRealVector values;
    tIntvector counts;
};

// Plain 0-based dynamic arrays.
using tAnsiArr = std::vector<std::string>;
using tint32arr = std::vector<int32_t>;
using tint16arr = std::vector<int16_t>;
using tdoublearr = std::vector<double>;
using textendedarr = std::vector<long double>;
using tboolarr = std::vector<bool>;

} // namespace zelvora
