#include "platform/closewait.h"

#include "platform/windowingsystem.h"

#include <QCloseEvent>
#include <QLibraryInfo>
#include <QTimer>
#include <QVersionNumber>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace {

// The last Qt series whose Wayland client has the fault (see closewait.h).
const QVersionNumber LastFaultyQt(6, 4);

bool faultyFrameThread()
{
    static const bool faulty = [] {
        const QVersionNumber running = QLibraryInfo::version();
        return windowingSystem() == WindowingSystem::Wayland
               && QVersionNumber(running.majorVersion(), running.minorVersion()) <= LastFaultyQt;
    }();
    return faulty;
}

// Waits on the window's update requests. Qt's Wayland client delivers one
// only once the frame in flight is done, and takes the lock its frame thread
// holds while handling a frame whenever one is asked for: the first request
// outlasts the last frame, the second the frame thread's handling of it.
class LastFrameWait : public QObject {
    Q_OBJECT
public:
    LastFrameWait(QWidget *window, std::function<void()> goAway)
        : QObject(window)
        , window(window)
        , goAway(std::move(goAway))
    {
        // No paint may put a new frame in flight meanwhile.
        window->setUpdatesEnabled(false);
        window->windowHandle()->installEventFilter(this);
        // A compositor may never tell a hidden or minimized window its frame
        // is done; then no frame thread is at work either.
        QTimer::singleShot(FrameTimeoutMs, this, &LastFrameWait::finish);
        window->windowHandle()->requestUpdate();
    }

    bool done() const { return stage == Done; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::UpdateRequest)
            return false;
        if (stage == AwaitingFrame) {
            stage = AwaitingFrameThread;
            window->windowHandle()->requestUpdate();
        } else {
            finish();
        }
        return false;
    }

private:
    static constexpr int FrameTimeoutMs = 250;

    void finish()
    {
        if (stage == Done)
            return;
        stage = Done;
        window->windowHandle()->removeEventFilter(this);
        // Not from within the window's own event: going away may destroy it.
        QMetaObject::invokeMethod(window, goAway, Qt::QueuedConnection);
    }

    enum Stage { AwaitingFrame, AwaitingFrameThread, Done } stage = AwaitingFrame;
    QWidget *window;
    std::function<void()> goAway;
};

}   // namespace

bool putOffUntilLastFrameDone(QWidget *window, std::function<void()> goAway)
{
    if (!faultyFrameThread() || !window->isVisible() || !window->windowHandle())
        return false;
    const auto *wait = window->findChild<LastFrameWait *>(QString(), Qt::FindDirectChildrenOnly);
    if (wait && wait->done())
        return false;
    if (!wait)
        new LastFrameWait(window, std::move(goAway));
    return true;
}

bool putOffUntilLastFrameDone(QWidget *window, QCloseEvent *event)
{
    if (!putOffUntilLastFrameDone(window, [window] { window->close(); }))
        return false;
    event->ignore();
    return true;
}

#include "closewait_wayland.moc"
