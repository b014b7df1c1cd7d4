// The numeric library's shared state.
#include "numerics/library_state.h"

#include <utility>

namespace zelvora {
namespace {
constexpr std::size_t maxMessageLength = 255;

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

int32_t LibErrorCode()
{
    return currentContext->libErrorCode;
}

const std::string& LibErrorMessage()
{
    return currentContext->libErrorMessage;
}

void SetLibError(int32_t code, std::string_view message)
{
    currentContext->libErrorCode = code;
    currentContext->libErrorMessage.assign(message.substr(0, maxMessageLength));
}

void ClearLibError()
{
    SetLibError(0);
}

trealmatrix FailureMatrix()
{
    ++NumericsContext().failureShapes;
    return trealmatrix(1, 1);
}

tStringmatrix FailureStringMatrix()
{
    return tStringmatrix(1, 1);
}

} // namespace zelvora
