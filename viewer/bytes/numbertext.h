#pragma once

#include <cstdint>
#include <span>
#include <string>

// A number as the viewer writes it: a space where a minus sign would stand,
// then the decimal digits without leading zeros (" 1", " 72", "-3").
std::string numberText(long long value);

// The code pane's text for a run of bytes: each byte adds a separating space
// and its number text, so the bytes "Hi" give "  72  105".
std::string codesText(std::span<const std::uint8_t> bytes);
