#pragma once

#include <cstdint>
#include <optional>

// The text pane reads bytes as Windows-1252, the Western single-byte code page,
// on every platform and in every locale.
namespace codepage {

// The character a byte stands for in Windows-1252, or no value for the five
// bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
std::optional<char16_t> windows1252(std::uint8_t byte);

// The character the text pane shows for a byte. Bytes that a text control would
// draw as nothing (NUL and the other control characters, DEL, the soft hyphen)
// or that have no character get a visible stand-in, so that no byte silently
// vanishes. Tab, carriage return and line feed are kept as themselves.
char16_t shown(std::uint8_t byte);

}   // namespace codepage
