// The numeric library's shared state: the decimal separator of number texts. Failures are no
// state: a routine returns them as values (numerics/result.h).
#pragma once

#include "numerics/checkpoint.h"
#include "numerics/matrix_types.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvora {

// Module-wide state of the library. One instance is current at a time; the program uses the
// default one, tests may install their own with tNumericsContextScope.
class tWorkerPool;

struct tNumericsContext {
    // Of RealToText, TextToReal and joins: the running session's, which it sets at every run start.
    char decimalSeparator = '.';
    // The running session's worker threads for long kernels (tWorkersScope); null: the run
    // thread alone. Kernels hand their tasks only raw rows, never matrices.
    tWorkerPool* workers = nullptr;
    // The running session's check point: kernels that take long reach it between their row
    // tasks, so a stop request ends them; null: none.
    const tCheckpoint* checkpoint = nullptr;
};

// The current context.
tNumericsContext& NumericsContext();

// Installs a fresh context for its lifetime and restores the previous one afterwards.
class tNumericsContextScope {
public:
    tNumericsContextScope();
    ~tNumericsContextScope();
    tNumericsContextScope(const tNumericsContextScope&) = delete;
    tNumericsContextScope& operator=(const tNumericsContextScope&) = delete;

private:
    tNumericsContext m_context;
    tNumericsContext* m_previous;
};

// Makes a pool the context's workers for its lifetime and restores the previous ones afterwards.
class tWorkersScope {
public:
    explicit tWorkersScope(tWorkerPool* workers);
    ~tWorkersScope();
    tWorkersScope(const tWorkersScope&) = delete;
    tWorkersScope& operator=(const tWorkersScope&) = delete;

private:
    tWorkerPool* m_previous;
};

} // namespace zelvora
