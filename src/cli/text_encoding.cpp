// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/text_encoding.h"

#include "model/unicode_text.h"

namespace pw::cli {

std::string terminalText(std::string_view text)
{
    return isValidUtf8(text) ? std::string(text) : latin1ToUtf8(text);
}

std::string argumentText(std::string_view text)
{
    return isValidUtf8(text) ? std::string(text) : windows1252ToUtf8(text);
}

} // namespace pw::cli
