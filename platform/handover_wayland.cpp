// The hand-over of the activation on Wayland, through the xdg-activation
// protocol. A compositor such as GNOME's grants an activation only with a
// token made for the window where the user acted last, with a serial proving
// that action: the serial of that window's keyboard focus, good for as long
// as it holds the focus, or the serial of the pointer's last press in it. The
// token Qt makes by itself carries the serial of the last event, a button's
// release after a click, which such a compositor refuses.
//
// The watch binds the first seat (as Qt does) on an event queue of its own,
// so that reading it neither waits for Qt's events nor dispatches them. Its
// keyboard and pointer are told what Qt's are told: the keyboard is told its
// focus as soon as it is made, the pointer each press from then on.

#include "platform/handover_parts.h"
#include "platform/waylandqueue.h"
#include "platform/windowingsystem.h"

#include "xdg-activation-v1-client-protocol.h"

#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <unistd.h>

struct WaylandSeat::State {
    std::unique_ptr<WaylandQueue> queue;
    xdg_activation_v1 *activation = nullptr;
    wl_seat *seat = nullptr;
    wl_keyboard *keyboard = nullptr;
    wl_pointer *pointer = nullptr;

    // Surfaces are only compared, never used: one gone since arrives as null.
    wl_surface *keyboardFocus = nullptr;
    uint32_t keyboardFocusSerial = 0;
    wl_surface *pointerFocus = nullptr;
    wl_surface *pressedOn = nullptr;
    uint32_t pressSerial = 0;

    // Reads what the compositor has sent for the watch so far.
    void catchUp() { queue->roundTrip(); }
};

namespace {

using State = WaylandSeat::State;

State *state(void *data)
{
    return static_cast<State *>(data);
}

void keymap(void *, wl_keyboard *, uint32_t, int32_t fd, uint32_t)
{
    ::close(fd);
}
void keyboardEnter(void *data, wl_keyboard *, uint32_t serial, wl_surface *surface, wl_array *)
{
    state(data)->keyboardFocus = surface;
    state(data)->keyboardFocusSerial = serial;
}
void keyboardLeave(void *data, wl_keyboard *, uint32_t, wl_surface *)
{
    state(data)->keyboardFocus = nullptr;
}
void key(void *, wl_keyboard *, uint32_t, uint32_t, uint32_t, uint32_t) {}
void modifiers(void *, wl_keyboard *, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void repeatInfo(void *, wl_keyboard *, int32_t, int32_t) {}
const wl_keyboard_listener keyboardListener{keymap, keyboardEnter, keyboardLeave, key, modifiers, repeatInfo};

void pointerEnter(void *data, wl_pointer *, uint32_t, wl_surface *surface, wl_fixed_t, wl_fixed_t)
{
    state(data)->pointerFocus = surface;
}
void pointerLeave(void *data, wl_pointer *, uint32_t, wl_surface *)
{
    state(data)->pointerFocus = nullptr;
}
void motion(void *, wl_pointer *, uint32_t, wl_fixed_t, wl_fixed_t) {}
void button(void *data, wl_pointer *, uint32_t serial, uint32_t, uint32_t, uint32_t buttonState)
{
    if (buttonState == WL_POINTER_BUTTON_STATE_PRESSED) {
        state(data)->pressedOn = state(data)->pointerFocus;
        state(data)->pressSerial = serial;
    }
}
void axis(void *, wl_pointer *, uint32_t, uint32_t, wl_fixed_t) {}
void frame(void *, wl_pointer *) {}
void axisSource(void *, wl_pointer *, uint32_t) {}
void axisStop(void *, wl_pointer *, uint32_t, uint32_t) {}
void axisDiscrete(void *, wl_pointer *, uint32_t, int32_t) {}
void axisValue120(void *, wl_pointer *, uint32_t, int32_t) {}   // never sent: the seat is bound at version 5
const wl_pointer_listener pointerListener{pointerEnter, pointerLeave, motion,   button,       axis,
                                          frame,        axisSource,   axisStop, axisDiscrete, axisValue120};

// The keyboard and pointer come and go with the seat's capabilities: a
// compositor may add a keyboard only once one is used.
void capabilities(void *data, wl_seat *seat, uint32_t capabilities)
{
    State *watch = state(data);
    if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !watch->keyboard) {
        watch->keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(watch->keyboard, &keyboardListener, watch);
    }
    if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !watch->pointer) {
        watch->pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(watch->pointer, &pointerListener, watch);
    }
}
void seatName(void *, wl_seat *, const char *) {}
const wl_seat_listener seatListener{capabilities, seatName};

void global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    State *watch = state(data);
    if (std::strcmp(interface, xdg_activation_v1_interface.name) == 0) {
        watch->activation =
            static_cast<xdg_activation_v1 *>(wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !watch->seat) {
        watch->seat =
            static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, 5u)));
        wl_seat_add_listener(watch->seat, &seatListener, watch);
    }
}
void globalRemoved(void *, wl_registry *, uint32_t) {}
const wl_registry_listener registryListener{global, globalRemoved};

void tokenDone(void *data, xdg_activation_token_v1 *, const char *token)
{
    *static_cast<std::string *>(data) = token;
}
const xdg_activation_token_v1_listener tokenListener{tokenDone};

wl_surface *surfaceOf(QWindow *window)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    return window ? static_cast<wl_surface *>(native->nativeResourceForWindow("surface", window)) : nullptr;
}

}   // namespace

std::unique_ptr<WaylandSeat> WaylandSeat::watch()
{
    if (windowingSystem() != WindowingSystem::Wayland)
        return nullptr;
    auto watched = std::make_unique<State>();
    watched->queue = WaylandQueue::onQtsConnection(registryListener, watched.get());
    if (!watched->queue)
        return nullptr;
    // The globals, then the seat's capabilities, then the keyboard's focus.
    for (int roundTrip = 0; roundTrip < 3; ++roundTrip)
        watched->catchUp();
    return std::unique_ptr<WaylandSeat>(new WaylandSeat(std::move(watched)));
}

WaylandSeat::WaylandSeat(std::unique_ptr<State> state)
    : state(std::move(state))
{}

namespace {

// Released where the compositor knows the request, else only forgotten.
template<typename Proxy>
void letGo(Proxy *proxy, uint32_t releaseSince, void (*release)(Proxy *), void (*destroy)(Proxy *))
{
    if (!proxy)
        return;
    if (wl_proxy_get_version(reinterpret_cast<wl_proxy *>(proxy)) >= releaseSince)
        release(proxy);
    else
        destroy(proxy);
}

}   // namespace

WaylandSeat::~WaylandSeat()
{
    if (state->activation)
        xdg_activation_v1_destroy(state->activation);
    letGo(state->keyboard, WL_KEYBOARD_RELEASE_SINCE_VERSION, wl_keyboard_release, wl_keyboard_destroy);
    letGo(state->pointer, WL_POINTER_RELEASE_SINCE_VERSION, wl_pointer_release, wl_pointer_destroy);
    letGo(state->seat, WL_SEAT_RELEASE_SINCE_VERSION, wl_seat_release, wl_seat_destroy);
}

bool WaylandSeat::handActivation(QWindow *focused, QWindow *target)
{
    wl_surface *from = surfaceOf(focused);
    wl_surface *to = surfaceOf(target);
    if (!from || !to || !state->activation)
        return false;
    // A keyboard added since comes with its focus one round trip later.
    const bool hadKeyboard = state->keyboard;
    state->catchUp();
    if (!hadKeyboard && state->keyboard)
        state->catchUp();

    uint32_t serial = 0;
    if (state->keyboard && state->keyboardFocus == from)
        serial = state->keyboardFocusSerial;
    else if (state->pressedOn == from)
        serial = state->pressSerial;
    else
        return false;

    std::string token;
    xdg_activation_token_v1 *request = xdg_activation_v1_get_activation_token(state->activation);
    xdg_activation_token_v1_add_listener(request, &tokenListener, &token);
    xdg_activation_token_v1_set_serial(request, serial, state->seat);
    xdg_activation_token_v1_set_surface(request, from);
    xdg_activation_token_v1_commit(request);
    state->catchUp();
    // Sent before the focused window can go, which would void the token.
    if (!token.empty())
        xdg_activation_v1_activate(state->activation, token.c_str(), to);
    xdg_activation_token_v1_destroy(request);
    state->queue->flush();
    return !token.empty();
}
