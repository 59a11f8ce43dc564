// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/settings_block.h"

#include "platform/file_io.h"

#include <algorithm>
#include <cstring>

namespace pw {
namespace {

constexpr std::string_view DefaultTemplate = "%C - %F";

} // namespace

SettingsBlock::SettingsBlock()
{
    std::memcpy(bytes_.data() + TemplateOffset, DefaultTemplate.data(), DefaultTemplate.size());
}

SettingsBlock SettingsBlock::FromStoredValue(const std::optional<std::vector<std::uint8_t>>& value)
{
    if (!value || value->size() > Size)
        return Defaults();
    SettingsBlock block;
    block.bytes_.fill(0);
    std::copy(value->begin(), value->end(), block.bytes_.begin());
    return block;
}

std::string SettingsBlock::textAt(std::size_t offset, std::size_t field) const
{
    const auto* start = reinterpret_cast<const char*>(bytes_.data() + offset);
    return std::string(start, strnlen(start, field));
}

void SettingsBlock::setTextAt(std::size_t offset, std::size_t field, std::size_t kept, std::string_view text)
{
    text = text.substr(0, std::min(text.find('\0'), kept));
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), field, std::uint8_t{0});
    std::memcpy(bytes_.data() + offset, text.data(), text.size());
}

std::string SettingsBlock::nameTemplate() const { return textAt(TemplateOffset, TemplateField); }

void SettingsBlock::setNameTemplate(std::string_view text)
{
    setTextAt(TemplateOffset, TemplateField, TemplateKept, text);
}

std::string SettingsBlock::additionalSearchText() const { return textAt(SearchTextOffset, SearchTextField); }

void SettingsBlock::setAdditionalSearchText(std::string_view text)
{
    setTextAt(SearchTextOffset, SearchTextField, SearchTextKept, text);
}

FileSettingsStore userSettingsStore() { return FileSettingsStore(configDirectory() / settingsFileName); }

SettingsBlock ReadSettings(SettingsStore& store) { return SettingsBlock::FromStoredValue(store.read()); }

void WriteSettings(SettingsStore& store, const SettingsBlock& block) { store.write(block.bytes()); }

} // namespace pw
