// Failures as values: a routine gives its result or the failure that says why there is none.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace zelvora {

// Why a routine or a statement has no result: a code (0 is never a failure; 1 the general one) and
// a German message of at most 255 bytes that says what and where.
struct tFailure {
    std::int32_t Code = 1;
    std::string Message;
};

inline constexpr std::size_t MaxFailureMessageLength = 255;

// A failure with the message cut to 255 bytes.
inline tFailure Failure(std::int32_t code, std::string_view message)
{
    return tFailure { code, std::string(message.substr(0, MaxFailureMessageLength)) };
}
inline tFailure Failure(std::string_view message)
{
    return Failure(1, message);
}

// The result of a routine or its failure.
template <class T> class tResult {
public:
    tResult(T value)
        : m_state(std::in_place_index<0>, std::move(value))
    {
    }
    tResult(tFailure failure)
        : m_state(std::in_place_index<1>, std::move(failure))
    {
    }

    bool Ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return Ok(); }

    // The value; only when Ok().
    T& Value() & { return std::get<0>(m_state); }
    const T& Value() const& { return std::get<0>(m_state); }
    T&& Value() && { return std::get<0>(std::move(m_state)); }
    T* operator->() { return &Value(); }
    const T* operator->() const { return &Value(); }
    T& operator*() & { return Value(); }
    const T& operator*() const& { return Value(); }

    // The failure; only when !Ok().
    const tFailure& Error() const { return std::get<1>(m_state); }

    // The value, or the fallback when the routine failed.
    T ValueOr(T fallback) const& { return Ok() ? Value() : std::move(fallback); }

private:
    std::variant<T, tFailure> m_state;
};

} // namespace zelvora
