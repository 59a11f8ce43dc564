// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings_store.h"

#include "platform/file_io.h"

namespace pw {

std::optional<std::vector<std::uint8_t>> FileSettingsStore::read()
{
    // A settings value is small; anything past 1 MiB is not ours.
    auto content = readFileBytes(path_, 1u << 20);
    if (!content)
        return std::nullopt;
    return std::move(content.bytes);
}

bool FileSettingsStore::write(std::span<const std::uint8_t> value)
{
    std::error_code error;
    std::filesystem::create_directories(path_.parent_path(), error);
    return static_cast<bool>(writeFileAtomically(path_, writing(value)));
}

} // namespace pw
