// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The question every command asks before it writes over a file the user chose.

#include "platform/prompts.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace pw {

// True when `path` may be written: no file is there, or the user answered Yes to
// "File '%s' already exists; overwrite?". No and Cancel both keep the file.
inline bool overwriteAgreed(Prompts& prompts, const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return true;
    return prompts.message(MessageIcon::Question, MessageButtons::YesNoCancel,
                           "File '" + path + "' already exists; overwrite?") == MessageAnswer::Yes;
}

} // namespace pw
