#include "ui/demo_wait_watch.h"

namespace zelvora {

tDemoStep tDemoWaitWatch::WaitForStep(std::size_t index, bool beforeCode)
{
    // A wait never nests: the demo's own statements run only after it returns.
    struct tWaiting {
        bool& flag;
        explicit tWaiting(bool& waiting)
            : flag(waiting)
        {
            flag = true;
        }
        ~tWaiting() { flag = false; }
        tWaiting(const tWaiting&) = delete;
        tWaiting& operator=(const tWaiting&) = delete;
    } const waiting(m_waiting);
    return m_view.WaitForStep(index, beforeCode);
}

} // namespace zelvora
