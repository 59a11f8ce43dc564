// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/settings_block.h"

#include "iddb/id_database.h"
#include "support/fixture_builder.h"
#include "support/memory_settings_store.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace pw {
namespace {

std::vector<std::uint8_t> bytesOf(std::string_view text) { return {text.begin(), text.end()}; }

TEST(SettingsBlock, MissingValueGivesTheDefaults)
{
    MemorySettingsStore store;
    const auto block = ReadSettings(store);
    EXPECT_EQ(block.nameTemplate(), "%C - %F");
    EXPECT_FALSE(block.noticeShown());
    EXPECT_EQ(block.additionalSearchText(), "");
    EXPECT_EQ(block.bytes().size(), 641u);
}

TEST(SettingsBlock, ShorterValueIsReadAsFarAsItGoes)
{
    MemorySettingsStore store;
    store.write(bytesOf("%C %L"));
    const auto block = ReadSettings(store);
    EXPECT_EQ(block.nameTemplate(), "%C %L");
    EXPECT_FALSE(block.noticeShown());
    EXPECT_EQ(block.additionalSearchText(), "");

    auto withFlag = bytesOf(std::string("%F\0", 3));
    withFlag.resize(131, 0);
    withFlag[128] = 1;
    withFlag[129] = 'I';
    withFlag[130] = 'A';
    store.write(withFlag);
    const auto flagged = ReadSettings(store);
    EXPECT_TRUE(flagged.noticeShown());
    EXPECT_EQ(flagged.additionalSearchText(), "IA");
}

TEST(SettingsBlock, LongerValueGivesTheDefaults)
{
    MemorySettingsStore store;
    std::vector<std::uint8_t> value(642, 'x');
    store.write(value);
    EXPECT_EQ(ReadSettings(store).nameTemplate(), "%C - %F");
    value.resize(641);
    store.write(value);
    // Exactly the block's size is read, and an unterminated field stops at its end.
    EXPECT_EQ(ReadSettings(store).nameTemplate(), std::string(128, 'x'));
    EXPECT_EQ(ReadSettings(store).additionalSearchText(), std::string(512, 'x'));
}

TEST(SettingsBlock, FieldsAreCutWhenStored)
{
    SettingsBlock block;
    block.setNameTemplate(std::string(100, 't'));
    EXPECT_EQ(block.nameTemplate(), std::string(64, 't'));
    block.setAdditionalSearchText(std::string(600, 's'));
    EXPECT_EQ(block.additionalSearchText(), std::string(510, 's'));
    block.setAdditionalSearchText("IOWA\r\nKANSAS");
    EXPECT_EQ(block.additionalSearchText(), "IOWA\r\nKANSAS");
    EXPECT_EQ(block.bytes()[129 + 12], 0);
}

TEST(SettingsBlock, WrittenToTheConfigurationFileAndReadBack)
{
    test::TempDir dir;
    const char* previous = std::getenv("PLUGWRIGHT_CONFIG_DIR");
    const std::string saved = previous ? previous : "";
    ::setenv("PLUGWRIGHT_CONFIG_DIR", (dir.path() / "config").c_str(), 1);
    auto store = userSettingsStore();
    EXPECT_EQ(store.path(), dir.path() / "config" / settingsFileName);
    SettingsBlock block;
    block.setNoticeShown(true);
    block.setNameTemplate("%C %CT");
    WriteSettings(store, block);
    EXPECT_EQ(test::readBytes(store.path()).size(), 641u);
    auto again = userSettingsStore();
    const auto read = ReadSettings(again);
    EXPECT_TRUE(read.noticeShown());
    EXPECT_EQ(read.nameTemplate(), "%C %CT");
    EXPECT_EQ(userSourcesPath(), dir.path() / "config" / sourcesFileName);
    if (previous)
        ::setenv("PLUGWRIGHT_CONFIG_DIR", saved.c_str(), 1);
    else
        ::unsetenv("PLUGWRIGHT_CONFIG_DIR");
}

} // namespace
} // namespace pw
