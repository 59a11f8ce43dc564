// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's preferences for the ID database searcher, kept between runs as one binary block of
// 641 bytes, stored as it is held in memory:
//
//   offset  size  content                                                     default
//   0       128   name template, zero-terminated (at most 64 characters kept)  "%C - %F"
//   128     1     database-notice-shown flag: 0 not yet shown, 1 shown         0
//   129     512   additional search text, lines separated by CR LF,            empty
//                 zero-terminated (at most 510 characters kept)
//
// The block lives in the file `settingsFileName` of the user's configuration directory. Reading
// follows the rules the block always had: a stored value shorter than the block is read as far as
// it goes (the rest stays zero), while a missing value, an unreadable one or one longer than the
// block gives the defaults. Writing stores all 641 bytes, and a failed write is silent.

#include "platform/settings_store.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace pw {

inline constexpr const char* settingsFileName = "PlugwrightConfiguration.bin";

class SettingsBlock {
public:
    static constexpr std::size_t Size = 641;
    static constexpr std::size_t TemplateOffset = 0;
    static constexpr std::size_t TemplateField = 128;
    static constexpr std::size_t TemplateKept = 64;
    static constexpr std::size_t NoticeOffset = 128;
    static constexpr std::size_t SearchTextOffset = 129;
    static constexpr std::size_t SearchTextField = 512;
    static constexpr std::size_t SearchTextKept = 510;

    // A block with the defaults.
    SettingsBlock();
    static SettingsBlock Defaults() { return {}; }
    // A block read from a stored value by the rules above.
    static SettingsBlock FromStoredValue(const std::optional<std::vector<std::uint8_t>>& value);

    std::string nameTemplate() const;
    void setNameTemplate(std::string_view text);
    bool noticeShown() const { return bytes_[NoticeOffset] != 0; }
    void setNoticeShown(bool shown) { bytes_[NoticeOffset] = shown ? 1 : 0; }
    std::string additionalSearchText() const;
    void setAdditionalSearchText(std::string_view text);

    const std::array<std::uint8_t, Size>& bytes() const { return bytes_; }

private:
    std::string textAt(std::size_t offset, std::size_t field) const;
    void setTextAt(std::size_t offset, std::size_t field, std::size_t kept, std::string_view text);

    std::array<std::uint8_t, Size> bytes_{};
};

// The settings store of the user: the block's file in configDirectory().
FileSettingsStore userSettingsStore();
// ReadSettings and WriteSettings.
SettingsBlock ReadSettings(SettingsStore& store);
void WriteSettings(SettingsStore& store, const SettingsBlock& block);

} // namespace pw
