#pragma once

#include <QMetaObject>
#include <QObject>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

// How long a window waits for a call on a drive before it goes on without the
// answer: too short for a person to see, and long enough for any drive that
// answers at all.
inline constexpr std::chrono::milliseconds QuickAnswer(200);

// A call on a drive (listing a folder, opening a file, reading a block), made
// on a thread of its own: a drive that stops answering (a share gone away, a
// stalled FUSE file system, a dying stick) holds up no window.
//
// The window waits up to QuickAnswer for the answer, taking no input: a drive
// that answers at once behaves as if the call were made in place, and input
// keeps its order. After that the window goes on, and the answer is handed
// over when it comes, but only while it is still wanted: a new start() or
// abandon() drops it. A call that never returns keeps only its own thread,
// which the end of the program doesn't wait for.
template<typename Result> class Awaited {
public:
    // Answers are handed over on `receiver`'s thread, while it lives.
    explicit Awaited(QObject *receiver)
        : receiver(receiver)
    {}
    Awaited(const Awaited &) = delete;
    Awaited &operator=(const Awaited &) = delete;
    ~Awaited() { abandon(); }

    // Drops the answer of any call under way, makes `call` and hands its
    // answer to `take`. Gives true when that has already happened, within
    // QuickAnswer; false when the answer is still awaited.
    bool start(std::function<Result()> call, std::function<void(Result)> take)
    {
        abandon();
        auto pending = std::make_shared<Pending>();
        pending->take = std::move(take);
        current = pending;
        try {
            std::thread(answer, pending, std::move(call), receiver, this).detach();
        } catch (const std::system_error &) {
            // No thread to be had: the call is made here, as it would be
            // without one.
            answer(pending, std::move(call), receiver, this);
        }
        std::unique_lock lock(pending->mutex);
        if (!pending->answered.wait_for(lock, QuickAnswer, [&] { return pending->result.has_value(); })) {
            pending->late = true;
            return false;
        }
        lock.unlock();
        handOver(pending);
        return true;
    }

    bool waiting() const { return current != nullptr; }

    void abandon()
    {
        if (const std::shared_ptr<Pending> dropped = std::move(current)) {
            const std::lock_guard lock(dropped->mutex);
            dropped->wanted = false;
        }
    }

private:
    struct Pending {
        std::mutex mutex;
        std::condition_variable answered;
        std::optional<Result> result;
        bool late = false;   // the window went on without the answer
        bool wanted = true;   // changed only on the receiver's thread
        std::function<void(Result)> take;   // used only on the receiver's thread
    };

    // On the call's own thread.
    static void answer(const std::shared_ptr<Pending> &pending, const std::function<Result()> &call, QObject *receiver,
                       Awaited *awaited)
    {
        Result result = call();
        const std::lock_guard lock(pending->mutex);
        if (!pending->wanted)
            return;   // dropped here, so that what it holds is let go off the window's thread
        pending->result = std::move(result);
        if (!pending->late) {
            pending->answered.notify_all();
            return;
        }
        // Posted while the receiver is certain to live: its Awaited, which
        // dies with it, takes this lock to drop the call.
        QMetaObject::invokeMethod(
            receiver,
            [pending, awaited] {
                if (pending->wanted)
                    awaited->handOver(pending);
            },
            Qt::QueuedConnection);
    }

    void handOver(const std::shared_ptr<Pending> &pending)
    {
        current.reset();
        pending->take(std::move(*pending->result));
    }

    QObject *receiver;
    std::shared_ptr<Pending> current;
};
