#pragma once

// An event queue of the program's own on Qt's Wayland connection, with a
// registry of the compositor's globals on it: reading it neither waits for
// Qt's events nor dispatches them. What is bound through the registry answers
// on this queue, and must be let go before the queue goes.

#include <memory>

struct wl_display;
struct wl_event_queue;
struct wl_registry;
struct wl_registry_listener;

class WaylandQueue {
public:
    // The globals go to `listener`, with `data`, from the first round trip
    // on. Null where Qt is not on Wayland.
    static std::unique_ptr<WaylandQueue> onQtsConnection(const wl_registry_listener &listener, void *data);
    ~WaylandQueue();
    WaylandQueue(const WaylandQueue &) = delete;
    WaylandQueue &operator=(const WaylandQueue &) = delete;

    // Returns once the compositor has handled all that was sent on the
    // connection so far, Qt's own requests too, and this queue its answers.
    bool roundTrip();
    // Sends what was asked so far, without waiting.
    void flush();

private:
    explicit WaylandQueue(wl_display *display);

    wl_display *display;
    wl_event_queue *queue;
    wl_display *displayOnQueue;
    wl_registry *registry;
};
