// The windows of a notebook kernel: everything a run shows becomes an event (a JSON object handed
// to the emitter) instead of screen text. Answers, warnings, the matrix and scalar windows that
// changed, and pictures.
#pragma once

#include "ports/command_window_port.h"
#include "text/json.h"
#include "ui/counting_shelf.h"
#include "ui/kernel/kernel_tables.h"

#include <functional>
#include <string>
#include <vector>

namespace zelvora {

using tKernelEmit = std::function<void(tJsonValue event)>;

// Answers and warnings go out at once: {"event":"output","text"}, {"event":"warning","text"}.
class tKernelCommandWindow : public tCommandWindowPort {
public:
    explicit tKernelCommandWindow(tKernelEmit emit)
        : m_emit(std::move(emit))
    {
    }
    // The failure comes with the run's answer; the panel keeps nothing.
    void ShowMessage(std::string_view) override { }
    void HideMessage() override { }
    void ShowWarning(std::string_view text) override;
    void ShowOutput(std::string_view text) override;
    void FocusEditor() override { }

private:
    tKernelEmit m_emit;
};

class tKernelWindow;

// The shelf keeps the windows as they are and sends those that changed, in the order of their
// first change: {"event":"variable","table":{...}} for a matrix window (a table, see
// MatrixTableJson) and one per changed scalar (ScalarJson). A hidden window sends nothing.
class tKernelShelf : public tCountingShelf {
public:
    tKernelShelf(tKernelEmit emit, tTableLimits limits);
    ~tKernelShelf() override;

    std::unique_ptr<tMatrixWindowPort> CreateMatrixWindow(
        std::int32_t index, tMatrixWindowClient& client) override;
    std::int32_t ActiveCompartmentWindowCount() const override;
    std::unique_ptr<tScalarWindowPort> CreateScalarWindow() override;

    // Sends the changed windows and forgets the changes.
    void SendChanges();

    // Used by the windows.
    void MarkChanged(tKernelWindow* window);
    void Forget(tKernelWindow* window);
    const tTableLimits& Limits() const { return m_limits; }

private:
    tKernelEmit m_emit;
    tTableLimits m_limits;
    std::vector<tKernelWindow*> m_windows;
    std::vector<tKernelWindow*> m_changed;
};

class tKernelWindow {
public:
    virtual ~tKernelWindow() = default;
    virtual bool IsMatrixWindow() const = 0;
    // The tables of what changed since the last call; forgets the changes.
    virtual std::vector<tJsonValue> TakeChangedTables() = 0;
};

// Pictures made during a statement, sent when it has ended:
// {"event":"picture","name","svg":base64,"png":base64} (a listing picture has no SVG).
class tKernelPictures {
public:
    explicit tKernelPictures(tKernelEmit emit)
        : m_emit(std::move(emit))
    {
    }
    // Keeps one file of a picture (name.svg or name.png); always succeeds.
    bool Keep(const std::string& path, const std::string& bytes);
    // A listing picture (LIST GRAPH) as PNG.
    void KeepBitmap(const tPicture& picture);
    void SendPictures();

private:
    struct tPending {
        std::string Name;
        std::string Svg;
        std::string Png;
    };
    tKernelEmit m_emit;
    std::vector<tPending> m_pending;
    std::int32_t m_listingCount = 0;
};

} // namespace zelvora
