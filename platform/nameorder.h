#pragma once

#include "platform/namelist.h"

#include <QLocale>
#include <cstdint>
#include <vector>

// The order a person's file manager shows names in: without regard to case,
// by the locale's collation, and numbers in numeric order ("f2" before
// "f10"), each name read as pathText shows it. Names the collation holds
// equal are ordered as stored, so no two names compare the same. Gives the
// indices of `names` in that order.
std::vector<std::uint32_t> nameOrder(const NameList &names);

// The locale whose collation orders names. In the C locale a collator
// compares plain code points, so there the program's own language gives the
// order.
QLocale collationLocale();
