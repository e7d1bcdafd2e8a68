#include "waylandqueue.h"

#include <QGuiApplication>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

std::unique_ptr<WaylandQueue> WaylandQueue::onQtsConnection(const wl_registry_listener &listener, void *data)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    auto *display = native ? static_cast<wl_display *>(native->nativeResourceForIntegration("wl_display")) : nullptr;
    if (!display)
        return nullptr;
    std::unique_ptr<WaylandQueue> queue(new WaylandQueue(display));
    wl_registry_add_listener(queue->registry, &listener, data);
    return queue;
}

WaylandQueue::WaylandQueue(wl_display *display)
    : display(display)
    , queue(wl_display_create_queue(display))
    , displayOnQueue(static_cast<wl_display *>(wl_proxy_create_wrapper(display)))
{
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(displayOnQueue), queue);
    registry = wl_display_get_registry(displayOnQueue);
}

WaylandQueue::~WaylandQueue()
{
    wl_registry_destroy(registry);
    wl_proxy_wrapper_destroy(displayOnQueue);
    wl_display_flush(display);
    wl_event_queue_destroy(queue);
}

bool WaylandQueue::roundTrip()
{
    return wl_display_roundtrip_queue(display, queue) >= 0;
}

void WaylandQueue::flush()
{
    wl_display_flush(display);
}
