// The demo window as the session hands it to DEMO: every call goes to the front end's view, and
// while the view waits for the user the watch says so. A demo waiting stands between its
// statements, so the shelf may act then as between runs.
#pragma once

#include "ui/demo_player.h"

namespace zelvora {

class tDemoWaitWatch : public tDemoView {
public:
    explicit tDemoWaitWatch(tDemoView& view)
        : m_view(view)
    {
    }

    bool Waiting() const { return m_waiting; }

    bool IsVisible() const override { return m_view.IsVisible(); }
    void Focus() override { m_view.Focus(); }
    void ShowDemo(const std::string& title) override { m_view.ShowDemo(title); }
    void HideDemo() override { m_view.HideDemo(); }
    void ShowScreen(const tDemoScreen& screen) override { m_view.ShowScreen(screen); }
    void MarkBlock(std::size_t index) override { m_view.MarkBlock(index); }
    tDemoStep WaitForStep(std::size_t index, bool beforeCode) override;
    void CodeBlockRun(std::size_t index, const tRunOutcome& result) override
    {
        m_view.CodeBlockRun(index, result);
    }
    void EndScreen() override { m_view.EndScreen(); }

private:
    tDemoView& m_view;
    bool m_waiting = false;
};

} // namespace zelvora
