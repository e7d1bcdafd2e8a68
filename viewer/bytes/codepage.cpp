#include "codepage.h"

namespace codepage {

namespace {

constexpr char16_t Undefined = 0;

// 0x80-0x9F are where Windows-1252 differs from Latin-1.
constexpr char16_t HighControlRange[32] = {
    u'\u20AC', Undefined, u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', Undefined, u'\u017D', Undefined,
    Undefined, u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', Undefined, u'\u017E', u'\u0178',
};

constexpr char16_t ControlPictures = u'\u2400';   // U+2400 "NUL" ... U+241F "US"
constexpr char16_t DeletePicture = u'\u2421';
constexpr char16_t ReplacementCharacter = u'\uFFFD';
constexpr char16_t Hyphen = u'\u2010';
constexpr std::uint8_t SoftHyphen = 0xAD;

}   // namespace

std::optional<char16_t> windows1252(std::uint8_t byte)
{
    if (byte < 0x80 || byte > 0x9F)
        return char16_t(byte);
    if (char16_t c = HighControlRange[byte - 0x80]; c != Undefined)
        return c;
    return std::nullopt;
}

char16_t shown(std::uint8_t byte)
{
    if (byte == '\t' || byte == '\r' || byte == '\n')
        return byte;
    if (byte < 0x20)
        return char16_t(ControlPictures + byte);
    if (byte == 0x7F)
        return DeletePicture;
    if (byte == SoftHyphen)
        return Hyphen;
    return windows1252(byte).value_or(ReplacementCharacter);
}

}   // namespace codepage
