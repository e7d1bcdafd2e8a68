#include "blocktext.h"

#include "viewer/bytes/codepage.h"
#include "viewer/bytes/numbertext.h"

BlockText blockText(std::span<const std::uint8_t> bytes)
{
    BlockText result;
    result.codes = codesText(bytes);
    result.text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool crlf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        if (bytes[i] == '\r') {
            result.text += u'\n';
            i += crlf;
        } else {
            result.text += codepage::shown(bytes[i]);
        }
    }
    return result;
}
