// The system variable table and its bindings to the settings.
#include "interpreter/system_variables.h"

#include "interpreter/options.h"
#include "lexicon/scanner.h"

namespace zelvora {

// ---- tsysvars1

bool tsysvars1::Find(std::string_view name)
{
    const std::string folded = NameFold(name);
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (NameFold(m_records[i].Name) == folded) {
            m_current = static_cast<std::int32_t>(i);
            return true;
        }
    }
    m_current = -1;
    return false;
}

const tSysvar1* tsysvars1::Current() const
{
    return m_current >= 0 ? &m_records[static_cast<std::size_t>(m_current)] : nullptr;
}

tSysVarType tsysvars1::CurrentKind() const
{
    const tSysvar1* record = Current();
    return record ? record->Kind : tSysVarType::None;
}

std::int32_t tsysvars1::ReadInteger() const
{
    const tSysvar1* record = Current();
    if (record && record->IntegerRef)
        return *record->IntegerRef;
    if (record && record->BooleanRef)
        return *record->BooleanRef ? 1 : 0;
    return 0;
}

std::string tsysvars1::ReadString() const
{
    const tSysvar1* record = Current();
    return record && record->TextRef ? *record->TextRef : std::string();
}

bool tsysvars1::ReadBoolean() const
{
    const tSysvar1* record = Current();
    if (record && record->BooleanRef)
        return *record->BooleanRef;
    if (record && record->IntegerRef)
        return *record->IntegerRef != 0;
    return false;
}

void tsysvars1::WriteInteger(std::int32_t value)
{
    const tSysvar1* record = Current();
    if (record && record->IntegerRef)
        *record->IntegerRef = value;
}

void tsysvars1::WriteString(std::string_view value)
{
    const tSysvar1* record = Current();
    if (record && record->TextRef)
        *record->TextRef = std::string(value);
}

void tsysvars1::WriteBoolean(bool value)
{
    const tSysvar1* record = Current();
    if (record && record->BooleanRef)
        *record->BooleanRef = value;
}

tSysvar1& tsysvars1::Bind(std::string_view name)
{
    if (Find(name)) {
        tSysvar1& record = m_records[static_cast<std::size_t>(m_current)];
        record = tSysvar1 { record.Name };
        return record;
    }
    if (m_records.size() == m_records.capacity())
        m_records.reserve(m_records.size() + GrowthStep);
    m_records.push_back(tSysvar1 { std::string(name) });
    m_current = static_cast<std::int32_t>(m_records.size() - 1);
    return m_records.back();
}

void tsysvars1::BindInteger(std::string_view name, std::int32_t& setting)
{
    tSysvar1& record = Bind(name);
    record.Kind = tSysVarType::Integer;
    record.IntegerRef = &setting;
}

void tsysvars1::BindString(std::string_view name, std::string& setting)
{
    tSysvar1& record = Bind(name);
    record.Kind = tSysVarType::String;
    record.TextRef = &setting;
}

void tsysvars1::BindBoolean(std::string_view name, bool& setting)
{
    tSysvar1& record = Bind(name);
    record.Kind = tSysVarType::Boolean;
    record.BooleanRef = &setting;
}

std::string tsysvars1::GetStringByName(std::string_view name)
{
    return Find(name) ? ReadString() : std::string();
}

void tsysvars1::SetStringByName(std::string_view name, std::string_view value)
{
    if (Find(name))
        WriteString(value);
}

void tsysvars1::Clear()
{
    m_records.clear();
    m_current = -1;
}

// ---- tSystemVariables

tSystemVariables::tSystemVariables(
    tSettings& settings, tSwitchRefs switches, tRandomGenerator& random)
    : m_settings(settings)
    , m_random(random)
{
    for (const tSystemVariableRow& row : SystemVariableTable) {
        std::string* text = nullptr;
        bool* flag = nullptr;
        switch (row.Setting) {
        case tSystemSetting::ProgramDir:
            text = &settings.ProgramDir;
            break;
        case tSystemSetting::DataDir:
            text = &settings.DataDir;
            break;
        case tSystemSetting::ExamplesDir:
            text = &settings.ExamplesDir;
            break;
        case tSystemSetting::JournalDir:
            text = &settings.JournalDir;
            break;
        case tSystemSetting::JournalFileName:
            text = &settings.JournalFileName;
            break;
        case tSystemSetting::JournalPrevName:
            text = &settings.JournalPrevName;
            break;
        case tSystemSetting::JournalOn:
            flag = &switches.JournalOn;
            break;
        case tSystemSetting::ListingDir:
            text = &settings.ListingDir;
            break;
        case tSystemSetting::ListingFileName:
            text = &settings.ListingFileName;
            break;
        case tSystemSetting::ListingOn:
            flag = &switches.ListingOn;
            break;
        case tSystemSetting::DemoDir:
            text = &settings.DemoDir;
            break;
        case tSystemSetting::OrbidexDir:
            text = &settings.OrbidexDir;
            break;
        case tSystemSetting::HelpDir:
            text = &settings.HelpDir;
            break;
        case tSystemSetting::HelpFirstSteps:
            text = &settings.HelpFirstSteps;
            break;
        case tSystemSetting::HelpIntroduction:
            text = &settings.HelpIntroduction;
            break;
        case tSystemSetting::HelpNews:
            text = &settings.HelpNews;
            break;
        case tSystemSetting::HelpReference:
            text = &settings.HelpReference;
            break;
        case tSystemSetting::FirstTimeUsed:
            flag = &settings.FirstTimeUsed;
            break;
        }
        if (text)
            m_table.BindString(row.Name, *text);
        else
            m_table.BindBoolean(row.Name, *flag);
    }
    m_table.Find("");
}

tSysVarType tSystemVariables::SystemVariableType(std::string_view name)
{
    return m_table.Find(name) ? m_table.CurrentKind() : tSysVarType::None;
}

bool tSystemVariables::IsSystemVariable(std::string_view name)
{
    return m_table.Find(name);
}

void tSystemVariables::SetSystemVariable(std::string_view name, const tVariable& value)
{
    if (!m_table.Find(name))
        return;
    switch (m_table.CurrentKind()) {
    case tSysVarType::Integer:
        m_table.WriteInteger(VarAsInteger(value));
        break;
    case tSysVarType::String:
        m_table.WriteString(ForwardSlashes(VarAsString(value)));
        break;
    case tSysVarType::Boolean:
        m_table.WriteBoolean(VarAsBoolean(value));
        break;
    case tSysVarType::None:
        break;
    }
}

std::optional<tVariable> tSystemVariables::SystemVariableValue(std::string_view name)
{
    if (!m_table.Find(name))
        return std::nullopt;
    tVariable value;
    switch (m_table.CurrentKind()) {
    case tSysVarType::Integer:
        VarSetInteger(value, m_table.ReadInteger());
        break;
    case tSysVarType::String:
        VarSetString(value, m_table.ReadString());
        break;
    case tSysVarType::Boolean:
        VarSetBoolean(value, m_table.ReadBoolean());
        break;
    case tSysVarType::None:
        return std::nullopt;
    }
    return value;
}

bool tSystemVariables::IsOptionName(std::string_view name) const
{
    return OptionNumber(name) != 0;
}

void tSystemVariables::SetDirectorySetting(std::string_view name, const std::string& value)
{
    if (std::string* setting = DirectorySetting(m_settings, name))
        *setting = ForwardSlashes(value);
}

void tSystemVariables::SetRandomStart(std::int32_t value)
{
    m_random.SetSeed(static_cast<std::uint32_t>(value));
}

void tSystemVariables::SetFirstTimeUsed(bool value)
{
    m_settings.FirstTimeUsed = value;
}

} // namespace zelvora
