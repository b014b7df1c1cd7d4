// System variables: names bound to settings of the running program. Formulas read them like
// variables and assignments write them; the binding reads and writes the setting itself.
#pragma once

#include "interpreter/compute_services.h"
#include "interpreter/settings.h"
#include "numerics/random_matrices.h"
#include "variables/variable.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

// One binding: kind 1 reads IntegerRef, kind 2 TextRef, kind 3 BooleanRef.
struct tSysvar1 {
    std::string Name;
    tSysVarType Kind = tSysVarType::None;
    std::int32_t* IntegerRef = nullptr;
    bool* BooleanRef = nullptr;
    std::string* TextRef = nullptr;
};
using tsysvararr1 = std::vector<tSysvar1>;

// The table of bindings with the record found by the last lookup.
class tsysvars1 {
public:
    static constexpr std::size_t GrowthStep = 16;

    // Finds the name (compared upper-cased) and makes its record the current one; false and no
    // current record when it is not registered.
    bool Find(std::string_view name);
    tSysVarType CurrentKind() const; // None without a current record
    std::int32_t CurrentIndex() const { return m_current; } // -1 without a current record

    // The current record read as integer, string or boolean (0, empty, false without one; a
    // boolean reads as integer 0/1 and an integer as boolean when not 0). Writes go through the
    // binding and do nothing without a current record or a binding of another kind.
    std::int32_t ReadInteger() const;
    std::string ReadString() const;
    bool ReadBoolean() const;
    void WriteInteger(std::int32_t value);
    void WriteString(std::string_view value);
    void WriteBoolean(bool value);

    // Bind: an existing record of the same name is reused, otherwise one is appended; the kind
    // follows the binding.
    void BindInteger(std::string_view name, std::int32_t& setting);
    void BindString(std::string_view name, std::string& setting);
    void BindBoolean(std::string_view name, bool& setting);
    // The bound text of name (empty when not registered as a string); setting by name needs an
    // existing string binding and changes nothing otherwise.
    std::string GetStringByName(std::string_view name);
    void SetStringByName(std::string_view name, std::string_view value);

    void Clear();
    std::size_t Count() const { return m_records.size(); }
    const tsysvararr1& Records() const { return m_records; }

private:
    tSysvar1& Bind(std::string_view name);
    const tSysvar1* Current() const;

    tsysvararr1 m_records;
    std::int32_t m_current = -1;
};

// The registered system variables, in registration order: name, kind and the setting bound.
enum class tSystemSetting : std::uint8_t {
    ProgramDir,
    DataDir,
    ExamplesDir,
    JournalDir,
    JournalFileName,
    JournalPrevName,
    JournalOn,
    ListingDir,
    ListingFileName,
    ListingOn,
    DemoDir,
    OrbidexDir,
    HelpDir,
    HelpFirstSteps,
    HelpIntroduction,
    HelpNews,
    HelpReference,
    FirstTimeUsed,
};
struct tSystemVariableRow {
    std::string_view Name;
    tSysVarType Kind;
    tSystemSetting Setting;
};
// clang-format off
inline constexpr std::array<tSystemVariableRow, 18> SystemVariableTable = { {
    { "exepfad",         tSysVarType::String,  tSystemSetting::ProgramDir },
    { "datenpfad",       tSysVarType::String,  tSystemSetting::DataDir },
    { "BeispielePfad",   tSysVarType::String,  tSystemSetting::ExamplesDir },
    { "Journalpfad",     tSysVarType::String,  tSystemSetting::JournalDir },
    { "JournalDname",    tSysVarType::String,  tSystemSetting::JournalFileName },
    { "JournalPrevname", tSysVarType::String,  tSystemSetting::JournalPrevName },
    { "Journalling",     tSysVarType::Boolean, tSystemSetting::JournalOn },
    { "Listingpfad",     tSysVarType::String,  tSystemSetting::ListingDir },
    { "ListingDname",    tSysVarType::String,  tSystemSetting::ListingFileName },
    { "Listing",         tSysVarType::Boolean, tSystemSetting::ListingOn },
    { "Demopfad",        tSysVarType::String,  tSystemSetting::DemoDir },
    { "Orbidex_Pfad",    tSysVarType::String,  tSystemSetting::OrbidexDir },
    { "HilfePfad",       tSysVarType::String,  tSystemSetting::HelpDir },
    { "hilfe_erste",     tSysVarType::String,  tSystemSetting::HelpFirstSteps },
    { "hilfe_einf",      tSysVarType::String,  tSystemSetting::HelpIntroduction },
    { "hilfe_neues",     tSysVarType::String,  tSystemSetting::HelpNews },
    { "hilfe_refer",     tSysVarType::String,  tSystemSetting::HelpReference },
    { "FirstTimeUsed",   tSysVarType::Boolean, tSystemSetting::FirstTimeUsed },
} };
// clang-format on

// The switches of journal and listing, which the interpreter keeps.
struct tSwitchRefs {
    bool& JournalOn;
    bool& ListingOn;
};

// The system variables and the assignable options as the compute handler and the formula parser
// use them, over the settings, the interpreter's switches and the random generator.
class tSystemVariables {
public:
    tSystemVariables(tSettings& settings, tSwitchRefs switches, tRandomGenerator& random);

    tSysVarType SystemVariableType(std::string_view name);
    bool IsSystemVariable(std::string_view name);
    // By the variable's kind: the value read as integer, string (paths with '\' read as '/') or
    // boolean; an unknown name changes nothing.
    void SetSystemVariable(std::string_view name, const tVariable& value);
    // The value as a scalar of its kind, or nothing when the name is no system variable.
    std::optional<tVariable> SystemVariableValue(std::string_view name);

    // Option names (case-insensitive) that an assignment may name.
    bool IsOptionName(std::string_view name) const;
    // BasisDatenVerz, BeispieleVerz, JournalVerz, Hilfeverz, JournalDateiname; others do nothing.
    void SetDirectorySetting(std::string_view name, const std::string& value);
    void SetRandomStart(std::int32_t value);
    void SetFirstTimeUsed(bool value);

    tsysvars1& Table() { return m_table; }

private:
    tSettings& m_settings;
    tRandomGenerator& m_random;
    tsysvars1 m_table;
};

} // namespace zelvora
