#pragma once

#include <QString>
#include <filesystem>

// File names travel through the program as the system's own paths, which keep
// every byte of a name; QString is only for showing them.
QString pathText(const std::filesystem::path &path);
std::filesystem::path pathFromText(const QString &text);
