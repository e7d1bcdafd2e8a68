#pragma once

// Keys as a person types them: "Tab a" is Tab, then a; "alt+F4" holds alt
// while F4 is pressed. Each key is pressed with `press(key, true)` and let go
// with `press(key, false)`, the held ones in reverse order.

#include <QStringList>
#include <functional>

inline bool typeChords(const QString &keys, const std::function<bool(const QString &key, bool pressed)> &press)
{
    for (const QString &chord : keys.split(' ')) {
        const QStringList held = chord.split('+');
        for (const QString &key : held)
            if (!press(key, true))
                return false;
        for (auto key = held.crbegin(); key != held.crend(); ++key)
            if (!press(*key, false))
                return false;
    }
    return true;
}
