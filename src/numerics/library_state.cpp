// The numeric library's shared state.
#include "numerics/library_state.h"

#include <utility>

namespace zelvora {
namespace {
tNumericsContext defaultContext;
tNumericsContext* currentContext = &defaultContext;
} // namespace

tNumericsContext& NumericsContext()
{
    return *currentContext;
}

tNumericsContextScope::tNumericsContextScope()
    : m_previous(std::exchange(currentContext, &m_context))
{
}

tNumericsContextScope::~tNumericsContextScope()
{
    currentContext = m_previous;
}

tWorkersScope::tWorkersScope(tWorkerPool* workers)
    : m_previous(std::exchange(currentContext->workers, workers))
{
}

tWorkersScope::~tWorkersScope()
{
    currentContext->workers = m_previous;
}

} // namespace zelvora
