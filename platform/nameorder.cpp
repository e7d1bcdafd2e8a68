#include "nameorder.h"

QLocale collationLocale()
{
    QLocale locale;
    return locale.language() == QLocale::C ? QLocale(QLocale::Dutch, QLocale::Netherlands) : locale;
}
