// A session whose journal view, listing view and command window record what the core sent them,
// for tests that run statements through the session's door.
#pragma once

#include "support/recording_ports.h"
#include "ui/session.h"

namespace zelvora::testing {

struct tRecordingSession {
    tRecordingTextView journalView;
    tRecordingTextView listingView;
    tRecordingCommandWindow commandWindow;
    tSession session { { .JournalView = &journalView,
                           .ListingView = &listingView,
                           .CommandWindow = &commandWindow },
        "11.12.2026 10:00:00" };
};

} // namespace zelvora::testing
