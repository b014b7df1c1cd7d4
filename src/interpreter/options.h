// Options: the 30 settings that SETOPTIONS sets and SHOWOPTIONS lists (number formats of the copy
// and listing layouts, new-matrix visibility, directories, journal and listing switches, the
// random start value, the worker threads), their parsing and show texts, and the journal and
// listing switches.
#pragma once

#include "interpreter/interpreter.h"
#include "interpreter/settings.h"
#include "lexicon/scanner.h"
#include "numerics/random_matrices.h"
#include "numerics/worker_pool.h"
#include "variables/display_list.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace zelvora {

class tOptions;

// A SETOPTIONS value as the option reads it: an integer number token gives its value and the text
// "0"; a name, string or sign token its text and 0; other tokens 0 and "0".
struct tOptionValue {
    std::int32_t Integer = 0;
    std::string Text = "0";
};

// How an assignment `name = value` may set an option; the other options only take SETOPTIONS.
enum class tOptionAssignment {
    None,
    DirectoryText, // the value as a path text into the option's settings text
    RandomStart, // the value as an integer seed
    FirstTimeUsed, // the value as a truth value
};

// One option: its name as listed, how SETOPTIONS sets it (false: the value is refused), its show
// text after "name=" (null: empty), and how an assignment reaches it.
struct tOptionDescriptor {
    std::string_view Name;
    bool (*Set)(tOptions& options, const tOptionValue& value);
    std::string (*Show)(const tOptions& options);
    tOptionAssignment Assignment = tOptionAssignment::None;
    std::string tSettings::*Setting = nullptr; // the settings text of a directory option
};

inline constexpr std::size_t OptionCount = 30;

// The option list; an option's number is its position from 1.
const std::array<tOptionDescriptor, OptionCount>& OptionTable();

// The option's number (1 to 30; names compared case-insensitively, whole), 0 when it is none.
std::int32_t OptionNumber(std::string_view name);

// How an assignment may set the option; None for an unknown name too.
tOptionAssignment OptionAssignment(std::string_view name);

// What the options reach besides the settings: the toolbar buttons of the command window and
// the visibility of the journal and listing windows. Absent hooks do nothing.
struct tOptionHooks {
    std::function<void(bool on)> JournalButton;
    std::function<void(bool on)> ListingButton;
    std::function<void(bool visible)> ShowJournalWindow;
    std::function<void(bool visible)> ShowListingWindow;
};

class tOptions {
public:
    // The layouts and the new-matrix flag are the store's (LOAD resets them); random is the
    // session's generator, reseeded by the random start value; the switches are the interpreter's,
    // which also reaches the journal and the listing. workers: the session's worker pool, which
    // the option Threads resizes; null: none (Threads shows 1).
    tOptions(tSettings& settings, tInterpreter& interpreter, tVisibleVarsList* store,
        tRandomGenerator& random, tOptionHooks hooks = {}, tWorkerPool* workers = nullptr);

    // Sets option name from the value token: an integer number token gives its value and the text
    // "0"; a name, string or sign token its text and 0; other tokens 0 and "0". Texts are cut to
    // their field. False for an unknown name and for a scheme word outside the list (options 3
    // and 27). An integer token that does not fit 32 bits raises tConversionError.
    bool SetOption(std::string_view name, const t_ansitoken& value);
    // Why SET would not give option name that value, with what it takes: an unknown option (and
    // the option of a close name), a text for a number option, a word outside an option's word
    // list. Empty when the value is taken.
    std::string Refusal(std::string_view name, const t_ansitoken& value) const;
    // name as in the option list, "=", and the show text; empty for an unknown name.
    std::string ShowOption(std::string_view name) const;

    // mode 0 switches over, 1 on, any other value off. Before the change the listing (when on)
    // gets the command "set protokollieren = AN" / "AUS" and the journal (when on) the line
    // "set protokollieren=AN" / "AUS"; afterwards the button shows the state.
    void SwitchJournal(std::int32_t mode);
    // The same for the listing with "set listing = " and "set listing=".
    void SwitchListing(std::int32_t mode);

    tWorkerPool* Workers() const { return m_workers; }

    // What the option table's setters and show texts reach.
    tSettings& Settings() const { return m_settings; }
    const tInterpreter& Interpreter() const { return m_interpreter; }
    tVisibleVarsList* Store() const { return m_store; }
    tRandomGenerator& Random() const { return m_random; }
    const tOptionHooks& Hooks() const { return m_hooks; }
    tTextLayout* CopyLayout() const;
    tTextLayout* ListingLayout() const;
    // The copy layout as shown: the store's, or the default one while no store is connected.
    const tTextLayout& ShownCopyLayout() const;

private:
    void Switch(bool& state, std::string_view word, std::int32_t mode,
        const std::function<void(bool)>& button);

    tSettings& m_settings;
    tInterpreter& m_interpreter;
    tVisibleVarsList* m_store; // null: no store (the options of the layouts are kept nowhere)
    tOptionHooks m_hooks;
    tRandomGenerator& m_random;
    tWorkerPool* m_workers = nullptr;
};

// The directory options' settings: BasisDatenVerz, BeispieleVerz, JournalVerz, Hilfeverz and
// JournalDateiname (compared case-insensitively); null for any other name.
std::string* DirectorySetting(tSettings& settings, std::string_view optionName);

} // namespace zelvora
