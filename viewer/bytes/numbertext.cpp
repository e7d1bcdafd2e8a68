#include "numbertext.h"

#include <charconv>

std::string numberText(long long value)
{
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    std::string text(digits, end);
    if (value >= 0)
        text.insert(text.begin(), ' ');
    return text;
}

std::string codesText(std::span<const std::uint8_t> bytes)
{
    std::string text;
    text.reserve(bytes.size() * 5);
    for (std::uint8_t byte : bytes) {
        text += ' ';
        text += numberText(byte);
    }
    return text;
}
