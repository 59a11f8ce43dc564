// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/text_encoding.h"

#include "model/unicode_text.h"

#include <algorithm>
#include <cstdio>

namespace pw::cli {

std::string terminalText(std::string_view text)
{
    return isValidUtf8(text) ? std::string(text) : latin1ToUtf8(text);
}

std::string argumentText(std::string_view text)
{
    return isValidUtf8(text) ? std::string(text) : windows1252ToUtf8(text);
}

namespace {

// Control characters: C0, DEL and C1, which terminals take as commands.
bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

std::string escapedControls(std::string_view text, bool keepLineEnds)
{
    auto utf8 = terminalText(text);
    // The usual text holds no control character but the line ends: one scan, and no copy.
    const bool plain = std::none_of(utf8.begin(), utf8.end(), [keepLineEnds](char byte) {
        const auto b = static_cast<unsigned char>(byte);
        return (b < 0x20 && !(keepLineEnds && (b == '\n' || b == '\r')) && b != '\t') || b == 0x7F || b == 0xC2;
    });
    if (plain)
        return utf8;
    std::string shown;
    shown.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const auto start = at;
        const char32_t c = decodeUtf8At(utf8, at);
        const bool lineEnd = c == '\n' || (c == '\r' && at < utf8.size() && utf8[at] == '\n');
        if (!isControl(c) || c == '\t' || (keepLineEnds && lineEnd)) {
            shown.append(utf8, start, at - start);
            continue;
        }
        char escape[8];
        switch (c) {
        case '\n': shown += "\\n"; break;
        case '\r': shown += "\\r"; break;
        default:
            std::snprintf(escape, sizeof escape, c < 0x80 ? "\\x%02x" : "\\u%04x", static_cast<unsigned>(c));
            shown += escape;
        }
    }
    return shown;
}

} // namespace

std::string lineText(std::string_view text) { return escapedControls(text, false); }

std::string linesText(std::string_view text) { return escapedControls(text, true); }

} // namespace pw::cli
