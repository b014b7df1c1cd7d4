// A program session as both front ends drive it: the interpreter with its commands, the journal
// and the listing, wired to the windows a front end provides.
#pragma once

#include "interpreter/commands.h"
#include "interpreter/interpreter.h"
#include "ports/command_window_port.h"
#include "ports/text_view_port.h"
#include "ui/journal.h"
#include "ui/listing.h"

#include <memory>
#include <string>

namespace zelvora {

struct tSessionPorts {
    tTextViewPort* JournalView = nullptr; // required
    tTextViewPort* ListingView = nullptr; // required
    tCommandWindowPort* CommandWindow = nullptr;
    tDemoWindowPort* DemoWindow = nullptr;
    tApplicationPort* Application = nullptr;
};

class tSession {
public:
    // startTime: the date and time written into the journal's and the listing's opening lines.
    tSession(const tSessionPorts& ports, std::string_view startTime);

    // Runs script text (Windows-1252) as one outermost run; scriptDir resolves relative names.
    tOutermostRunResult RunText(std::string_view text, const std::string& scriptDir);

    tInterpreter& Interpreter() { return m_interpreter; }
    tJournal& Journal() { return m_journal; }
    tListing& Listing() { return m_listing; }

private:
    tJournal m_journal;
    tListing m_listing;
    tInterpreter m_interpreter;
};

// The current local date and time as the journal shows it: "dd.mm.yyyy hh:mm:ss".
std::string CurrentDateTimeText();

} // namespace zelvora
