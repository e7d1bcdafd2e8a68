// The hand-over of the activation on Wayland, through the xdg-activation
// protocol. A compositor such as GNOME's grants an activation only with a
// token made for the window that holds the keyboard focus, with a serial
// proving a recent user action there, and checks both when the activation is
// asked for. The token Qt makes by itself carries the serial of the last
// event, a button's release after a click, which such a compositor refuses.
// The serial of the keyboard focus itself is good for as long as the window
// holds the focus; a keyboard object made now is told it at once.

#include "activation.h"

#include "xdg-activation-v1-client-protocol.h"

#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

struct Handover {
    wl_surface *focused = nullptr;
    xdg_activation_v1 *activation = nullptr;
    wl_seat *seat = nullptr;   // the first seat, as Qt's own
    wl_keyboard *keyboard = nullptr;
    bool focusSeen = false;
    uint32_t focusSerial = 0;
    std::string token;
};

void capabilities(void *data, wl_seat *, uint32_t capabilities);
void seatName(void *, wl_seat *, const char *) {}
const wl_seat_listener seatListener{capabilities, seatName};

void global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    auto *handover = static_cast<Handover *>(data);
    if (std::strcmp(interface, xdg_activation_v1_interface.name) == 0) {
        handover->activation = static_cast<xdg_activation_v1 *>(
            wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !handover->seat) {
        handover->seat = static_cast<wl_seat *>(
            wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, 5u)));
        wl_seat_add_listener(handover->seat, &seatListener, handover);
    }
}
void globalRemoved(void *, wl_registry *, uint32_t) {}
const wl_registry_listener registryListener{global, globalRemoved};

void keymap(void *, wl_keyboard *, uint32_t, int32_t fd, uint32_t) { ::close(fd); }
void enter(void *data, wl_keyboard *, uint32_t serial, wl_surface *surface, wl_array *)
{
    auto *handover = static_cast<Handover *>(data);
    if (surface == handover->focused) {
        handover->focusSeen = true;
        handover->focusSerial = serial;
    }
}
void leave(void *, wl_keyboard *, uint32_t, wl_surface *) {}
void key(void *, wl_keyboard *, uint32_t, uint32_t, uint32_t, uint32_t) {}
void modifiers(void *, wl_keyboard *, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void repeatInfo(void *, wl_keyboard *, int32_t, int32_t) {}
const wl_keyboard_listener keyboardListener{keymap, enter, leave, key, modifiers, repeatInfo};

// A seat without a keyboard has no keyboard focus to speak for.
void capabilities(void *data, wl_seat *seat, uint32_t capabilities)
{
    auto *handover = static_cast<Handover *>(data);
    if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !handover->keyboard) {
        handover->keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(handover->keyboard, &keyboardListener, handover);
    }
}

void done(void *data, xdg_activation_token_v1 *, const char *token) { static_cast<Handover *>(data)->token = token; }
const xdg_activation_token_v1_listener tokenListener{done};

} // namespace

bool handActivationOnWayland(QWindow *focused, QWindow *target)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    if (!focused || !target || !native || QGuiApplication::platformName() != QLatin1String("wayland"))
        return false;
    auto *display = static_cast<wl_display *>(native->nativeResourceForIntegration("wl_display"));
    auto *from = static_cast<wl_surface *>(native->nativeResourceForWindow("surface", focused));
    auto *to = static_cast<wl_surface *>(native->nativeResourceForWindow("surface", target));
    if (!display || !from || !to)
        return false;

    // The objects live on a queue of their own, so that the round trips
    // below neither wait for Qt's events nor dispatch them: the first binds
    // the globals, the second brings the seat's capabilities, the third the
    // keyboard focus.
    Handover handover;
    handover.focused = from;
    wl_event_queue *queue = wl_display_create_queue(display);
    auto *displayOnQueue = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(displayOnQueue), queue);
    wl_registry *registry = wl_display_get_registry(displayOnQueue);
    wl_registry_add_listener(registry, &registryListener, &handover);
    for (int roundTrip = 0; roundTrip < 3; ++roundTrip)
        wl_display_roundtrip_queue(display, queue);

    if (handover.activation && handover.focusSeen) {
        xdg_activation_token_v1 *token = xdg_activation_v1_get_activation_token(handover.activation);
        xdg_activation_token_v1_add_listener(token, &tokenListener, &handover);
        xdg_activation_token_v1_set_serial(token, handover.focusSerial, handover.seat);
        xdg_activation_token_v1_set_surface(token, from);
        xdg_activation_token_v1_commit(token);
        wl_display_roundtrip_queue(display, queue);
        // Sent before the focused window can go, which would void the token.
        if (!handover.token.empty())
            xdg_activation_v1_activate(handover.activation, handover.token.c_str(), to);
        xdg_activation_token_v1_destroy(token);
    }

    if (handover.activation)
        xdg_activation_v1_destroy(handover.activation);
    // Released where the compositor knows the request, else only forgotten.
    if (handover.keyboard) {
        if (wl_keyboard_get_version(handover.keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION)
            wl_keyboard_release(handover.keyboard);
        else
            wl_keyboard_destroy(handover.keyboard);
    }
    if (handover.seat) {
        if (wl_seat_get_version(handover.seat) >= WL_SEAT_RELEASE_SINCE_VERSION)
            wl_seat_release(handover.seat);
        else
            wl_seat_destroy(handover.seat);
    }
    wl_registry_destroy(registry);
    wl_proxy_wrapper_destroy(displayOnQueue);
    wl_display_flush(display);
    wl_event_queue_destroy(queue);
    return !handover.token.empty();
}
