// The notebook kernel's session.
#include "ui/kernel/kernel_session.h"

#include "interpreter/help_requests.h"
#include "ui/completion_words.h"
#include "ui/graphics/picture_file_graphics.h"
#include "ui/session.h"
#include "variables/display_list.h"

namespace zelvora {
namespace {

// The journal and the listing of a notebook: the notebook itself keeps the record.
class tUnkeptTextView : public tTextViewPort {
public:
    void AppendLines(std::string_view, tTextStyle) override { }
    void Clear() override { }
    std::string PlainText() const override { return {}; }
};

// Between statements the windows that changed and the pictures are sent. QUIT does not end the
// kernel: the notebook restarts it.
class tKernelApplication : public tApplicationPort {
public:
    tKernelApplication(std::function<void()> sendWindows, tKernelCommandWindow& commandWindow)
        : m_sendWindows(std::move(sendWindows))
        , m_commandWindow(commandWindow)
    {
    }
    void ProcessPendingMessages() override { m_sendWindows(); }
    bool TryQuit() override
    {
        if (!m_quitRefused)
            m_commandWindow.ShowWarning(
                "QUIT beendet den Kernel nicht; das Notebook startet ihn neu");
        m_quitRefused = true;
        return false;
    }
    void NewRun() { m_quitRefused = false; }

private:
    std::function<void()> m_sendWindows;
    tKernelCommandWindow& m_commandWindow;
    bool m_quitRefused = false;
};

class tKernelListingPictures : public tListingPicturePort {
public:
    explicit tKernelListingPictures(tKernelPictures& pictures)
        : m_pictures(pictures)
    {
    }
    void addBitmap(const tPicture& picture) override { m_pictures.KeepBitmap(picture); }

private:
    tKernelPictures& m_pictures;
};

// The clipboard of a kernel process is not the user's.
class tNoClipboard : public tClipboardPort {
public:
    bool SetText(std::string_view) override { return false; }
    bool SetPicture(const tPicture&) override { return false; }
    std::optional<std::string> Text() const override { return std::nullopt; }
};

} // namespace

struct tKernelSession::tViews {
    tViews(const tKernelEmit& emit, const tTableLimits& limits, std::function<void()> sendWindows)
        : CommandWindow(emit)
        , Shelf(emit, limits)
        , Pictures(emit)
        , Graphics({}, {},
              [this](const std::string& path, const std::string& bytes) {
                  return Pictures.Keep(path, bytes);
              })
        , ListingPictures(Pictures)
        , Application(std::move(sendWindows), CommandWindow)
    {
    }
    tUnkeptTextView Journal;
    tUnkeptTextView Listing;
    tKernelCommandWindow CommandWindow;
    tKernelShelf Shelf;
    tKernelPictures Pictures;
    tPictureFileGraphics Graphics;
    tKernelListingPictures ListingPictures;
    tKernelApplication Application;
    tNoClipboard Clipboard;
};

tKernelSession::tKernelSession(tKernelEmit emit, const tPlatformPaths& paths, tTableLimits limits)
    : m_emit(std::move(emit))
    , m_limits(limits)
    , m_views(std::make_unique<tViews>(m_emit, m_limits, [this] { SendWindows(); }))
{
    tSessionPorts ports;
    ports.JournalView = &m_views->Journal;
    ports.ListingView = &m_views->Listing;
    ports.CommandWindow = &m_views->CommandWindow;
    ports.Application = &m_views->Application;
    ports.Shelf = &m_views->Shelf;
    ports.ListingPictures = &m_views->ListingPictures;
    ports.Clipboard = &m_views->Clipboard;
    ports.Graphics = &m_views->Graphics;
    tSessionHooks hooks;
    hooks.FormulaValues
        = [this](std::string_view formula, const tVariableArray& values, std::string_view text) {
              const tValueStyle style { m_session->StoreView().CopyLayout(), true };
              m_emit(tJsonValue::Object({ { "event", "values" }, { "formula", JsonText(formula) },
                  { "text", JsonText(text) },
                  { "values", FormulaValuesJson(formula, values, style, m_limits) } }));
          };
    m_session = std::make_unique<tSession>(ports, CurrentDateTimeText(), paths, std::move(hooks));
    m_session->SetReadableNumbers(true);
}

tKernelSession::~tKernelSession() = default;

tRunOutcome tKernelSession::Run(
    std::string_view text, const std::string& directory, std::string_view source)
{
    m_views->Application.NewRun();
    tRunOutcome result = m_session->RunText(text, directory, source);
    SendWindows();
    return result;
}

void tKernelSession::RequestInterrupt() noexcept
{
    m_session->StopHandle().Request();
}

void tKernelSession::ClearInterrupt() noexcept
{
    m_session->StopHandle().Clear();
}

std::vector<std::string> tKernelSession::Completions(const std::string& prefix)
{
    return m_session->CompletionWords(prefix);
}

std::optional<std::string> tKernelSession::Help(std::string_view name)
{
    std::string message;
    return m_session->HelpAnswer("?" + std::string(name), message);
}

void tKernelSession::SendWindows()
{
    m_views->Shelf.SendChanges();
    m_views->Pictures.SendPictures();
}

} // namespace zelvora
