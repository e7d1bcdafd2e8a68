// Built where KWin's protocols (plasma-wayland-protocols) were not installed.

#include "kwininput.h"

struct KWinInput::State {};

KWinInput::KWinInput() = default;
KWinInput::~KWinInput() = default;

QString KWinInput::unusable() const
{
    return "built without KWin's fake input: plasma-wayland-protocols was not installed; run 'make test'";
}

bool KWinInput::moveTo(QPoint)
{
    return false;
}

bool KWinInput::button(int, bool)
{
    return false;
}

bool KWinInput::key(const QString &, bool)
{
    return false;
}

bool KWinInput::roundTrip()
{
    return false;
}
