#pragma once

#include "platform/namelist.h"

#include <QString>
#include <filesystem>

// File names travel through the program as the system's own paths, which keep
// every byte of a name; QString is only for showing them.
QString pathText(const std::filesystem::path &path);
QString pathText(NativeName name);
std::filesystem::path pathFromText(const QString &text);

// A name's text as pathText gives it, written into `buffer`, which is reused
// from name to name: a folder's worth of names needs no string each.
QStringView pathText(NativeName name, QString &buffer);
