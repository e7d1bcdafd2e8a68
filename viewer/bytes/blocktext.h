#pragma once

#include <cstdint>
#include <span>
#include <string>

// What the two panes show for one block of bytes.
struct BlockText {
    std::string codes;   // the code pane: "  72  105"
    std::u16string text;   // the text pane: the bytes as characters
};

// Renders a block in one pass. The text pane gets one character per byte
// (see codepage::shown), except that a carriage return, a line feed and a
// CR LF pair each become one line break ("\n"), as a reader of the file
// would see them.
BlockText blockText(std::span<const std::uint8_t> bytes);
