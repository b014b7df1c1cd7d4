// Recording fakes of the window ports for tests: they keep what the core sent them.
#pragma once

#include "ports/command_window_port.h"
#include "ports/journal_port.h"
#include "ports/listing_port.h"
#include "ports/text_view_port.h"

#include <string>
#include <utility>
#include <vector>

namespace zelvora::testing {

class tRecordingTextView : public tTextViewPort {
public:
    void AppendLines(std::string_view text, tTextStyle style) override
    {
        Appends.emplace_back(std::string(text), style);
    }
    void Clear() override { Appends.clear(); }
    std::string PlainText() const override
    {
        std::string text;
        for (const auto& [line, style] : Appends) {
            if (!text.empty())
                text += TextLineBreak;
            text += line;
        }
        return text;
    }
    std::vector<std::pair<std::string, tTextStyle>> Appends;
};

class tRecordingJournal : public tJournalPort {
public:
    void addline(std::string_view text) override { Lines.emplace_back(text); }
    std::vector<std::string> Lines;
};

class tRecordingListing : public tListingPort {
public:
    void addline(std::string_view text) override { Calls.push_back("line:" + std::string(text)); }
    void addCommand(std::string_view text) override
    {
        Calls.push_back("command:" + std::string(text));
    }
    void addText(std::string_view text) override { Calls.push_back("text:" + std::string(text)); }
    void addTable(std::string_view text) override { Calls.push_back("table:" + std::string(text)); }
    std::vector<std::string> Calls;
};

class tRecordingCommandWindow : public tCommandWindowPort {
public:
    void ShowMessage(std::string_view text) override { Messages.emplace_back(text); }
    void ShowWarning(std::string_view text) override { Warnings.emplace_back(text); }
    void HideMessage() override { ++Hides; }
    void FocusEditor() override { ++Focuses; }
    void ShowOutput(std::string_view text) override { Outputs.emplace_back(text); }
    std::vector<std::string> Messages;
    std::vector<std::string> Outputs;
    std::vector<std::string> Warnings;
    int Hides = 0;
    int Focuses = 0;
};

class tRecordingDemoWindow : public tDemoWindowPort {
public:
    bool IsVisible() const override { return Visible; }
    void Focus() override { ++Focuses; }
    bool Visible = false;
    int Focuses = 0;
};

class tRecordingApplication : public tApplicationPort {
public:
    void ProcessPendingMessages() override { ++Pumps; }
    bool TryQuit() override
    {
        ++QuitRequests;
        return AgreeToQuit;
    }
    int Pumps = 0;
    int QuitRequests = 0;
    bool AgreeToQuit = false;
};

} // namespace zelvora::testing
