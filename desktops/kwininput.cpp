// The fake input is bound on an event queue of its own on Qt's connection
// (platform/waylandqueue.h), so that waiting for KWin neither waits for Qt's
// events nor dispatches them.

#include "kwininput.h"

#include "fake-input-client-protocol.h"
#include "platform/waylandqueue.h"

#include <QHash>

#include <wayland-client.h>

#include <cstring>

struct KWinInput::State {
    std::unique_ptr<WaylandQueue> queue;
    org_kde_kwin_fake_input *input = nullptr;

    // Everything sent so far has been handled when KWin answers.
    bool handled() { return queue && queue->roundTrip(); }
};

namespace {

void global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    auto *state = static_cast<KWinInput::State *>(data);
    // Keys came with version 4.
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
        state->input = static_cast<org_kde_kwin_fake_input *>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
}

void globalRemoved(void *, wl_registry *, uint32_t) {}

const wl_registry_listener registryListener{global, globalRemoved};

// Linux's key codes (linux/input-event-codes.h), which KWin's keyboard map reads.
uint32_t keyCode(const QString &name)
{
    static const QHash<QString, uint32_t> named{{"Escape", 1}, {"Tab", 15}, {"Return", 28},
                                                {"shift", 42}, {"alt", 56}, {"F4", 62}};
    if (named.contains(name))
        return named[name];
    // The letters, row by row from their first key's code.
    for (const auto &[row, first] : {std::pair{"qwertyuiop", 16}, {"asdfghjkl", 30}, {"zxcvbnm", 44}})
        if (const int column = QString(row).indexOf(name); name.size() == 1 && column >= 0)
            return first + column;
    return 0;
}

}   // namespace

KWinInput::KWinInput()
    : state(std::make_unique<State>())
{
    state->queue = WaylandQueue::onQtsConnection(registryListener, state.get());
    state->handled();
    if (state->input)
        org_kde_kwin_fake_input_authenticate(state->input, "bytekijker desktop test", "works the program as a person");
}

KWinInput::~KWinInput()
{
    // Bound at version 4, which has no destroy request (newer protocol files
    // generate one that sends it): only this side lets go.
    if (state->input)
        wl_proxy_destroy(reinterpret_cast<wl_proxy *>(state->input));
}

QString KWinInput::unusable() const
{
    if (!state->queue)
        return "not on Wayland";
    return state->input ? QString() : "KWin offers this program no fake input (org_kde_kwin_fake_input 4)";
}

bool KWinInput::moveTo(QPoint place)
{
    if (!state->input)
        return false;
    org_kde_kwin_fake_input_pointer_motion_absolute(state->input, wl_fixed_from_int(place.x()),
                                                    wl_fixed_from_int(place.y()));
    return state->handled();
}

bool KWinInput::button(int button, bool pressed)
{
    if (!state->input)
        return false;
    constexpr uint32_t Left = 0x110, Right = 0x111;   // BTN_LEFT, BTN_RIGHT
    org_kde_kwin_fake_input_button(state->input, button == 3 ? Right : Left, pressed ? 1 : 0);
    return state->handled();
}

bool KWinInput::key(const QString &name, bool pressed)
{
    if (!state->input || !keyCode(name))
        return false;
    org_kde_kwin_fake_input_keyboard_key(state->input, keyCode(name), pressed ? 1 : 0);
    return state->handled();
}

bool KWinInput::roundTrip()
{
    return state->handled();
}
