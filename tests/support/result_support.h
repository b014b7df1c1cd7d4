// Comparing the results of library routines in tests: a result equals a value when it holds it.
#pragma once

#include "numerics/result.h"

#include <cstdint>
#include <string>

namespace zelvora {

template <class T> bool operator==(const tResult<T>& result, const T& value)
{
    return result.Ok() && result.Value() == value;
}

// The code of a failed result; 0 when it holds a value.
template <class T> std::int32_t FailureCode(const tResult<T>& result)
{
    return result.Ok() ? 0 : result.Error().Code;
}

// The message of a failed result; empty when it holds a value.
template <class T> std::string FailureMessage(const tResult<T>& result)
{
    return result.Ok() ? std::string() : result.Error().Message;
}

} // namespace zelvora
