// JSON values: construction and member access.
#include "text/json.h"

#include <algorithm>

namespace zelvora {

tJsonValue::tJsonValue(bool value)
    : m_kind(tKind::Boolean)
    , m_boolean(value)
{
}

tJsonValue::tJsonValue(double value)
    : m_kind(tKind::Number)
    , m_number(value)
{
}

tJsonValue::tJsonValue(std::int64_t value)
    : tJsonValue(static_cast<double>(value))
{
}

tJsonValue::tJsonValue(std::int32_t value)
    : tJsonValue(static_cast<double>(value))
{
}

tJsonValue::tJsonValue(std::string value)
    : m_kind(tKind::String)
    , m_string(std::move(value))
{
}

tJsonValue::tJsonValue(const char* value)
    : tJsonValue(std::string(value))
{
}

tJsonValue tJsonValue::Array(tArray elements)
{
    tJsonValue value;
    value.m_kind = tKind::Array;
    value.m_elements = std::move(elements);
    return value;
}

tJsonValue tJsonValue::Object(tMembers members)
{
    tJsonValue value;
    value.m_kind = tKind::Object;
    value.m_members = std::move(members);
    return value;
}

const tJsonValue* tJsonValue::Find(std::string_view key) const
{
    if (m_kind != tKind::Object)
        return nullptr;
    const auto found = std::find_if(m_members.rbegin(), m_members.rend(),
        [key](const auto& member) { return member.first == key; });
    return found == m_members.rend() ? nullptr : &found->second;
}

std::optional<std::string> tJsonValue::StringMember(std::string_view key) const
{
    const tJsonValue* member = Find(key);
    if (!member || member->Kind() != tKind::String)
        return std::nullopt;
    return member->AsString();
}

std::optional<double> tJsonValue::NumberMember(std::string_view key) const
{
    const tJsonValue* member = Find(key);
    if (!member || member->Kind() != tKind::Number)
        return std::nullopt;
    return member->AsNumber();
}

tJsonValue& tJsonValue::Append(tJsonValue element)
{
    m_elements.push_back(std::move(element));
    return *this;
}

tJsonValue& tJsonValue::Set(std::string_view key, tJsonValue value)
{
    const auto found = std::find_if(m_members.begin(), m_members.end(),
        [key](const auto& member) { return member.first == key; });
    if (found != m_members.end())
        found->second = std::move(value);
    else
        m_members.emplace_back(std::string(key), std::move(value));
    return *this;
}

} // namespace zelvora
