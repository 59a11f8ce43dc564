// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opened codeplugs of each format with empty model lists, and helpers that fill them, for the
// tests of the contact and channel transfers.

#include "codeplug/codeplug.h"
#include "codeplug/record_factory.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace pw::test {

inline constexpr FormatId AllFormats[] = {Md380Format, Md2017Format, Md9600Format, RdbV1Format,
                                           RdbV11Format, RdbV2Format,  D868Format};

// Opens a fixture of the format in `dir` and empties its lists, so each test builds what it needs.
inline std::unique_ptr<Codeplug> openEmpty(const TempDir& dir, FormatId format, const std::string& name = "plug")
{
    auto codeplug = std::make_unique<Codeplug>();
    const auto path = writeFixture(dir.file(name), format);
    EXPECT_EQ(codeplug->open(path), format);
    EXPECT_TRUE(codeplug->decode());
    codeplug->contacts().deleteAll();
    codeplug->channels().deleteAll();
    codeplug->zones().deleteAll();
    codeplug->scanLists().deleteAll();
    codeplug->rxGroupLists().deleteAll();
    return codeplug;
}

inline Contact makeContact(FormatId format, std::uint32_t id, const std::string& name,
                           CallType type = CallType::PrivateCall, bool alert = false)
{
    Contact contact = newContact(format);
    contact.setName(name);
    contact.setDmrId(id);
    contact.setCallType(type);
    contact.setAlertTone(alert);
    return contact;
}

inline void addContacts(Codeplug& codeplug, std::uint32_t firstId, int count, const std::string& prefix = "C")
{
    for (int i = 0; i < count; ++i) {
        const auto id = firstId + static_cast<std::uint32_t>(i);
        ASSERT_EQ(codeplug.addContact(makeContact(codeplug.formatId(), id, prefix + std::to_string(id))), AddResult::Added);
    }
}

inline void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::vector<std::string> contactLines(const Codeplug& codeplug)
{
    std::vector<std::string> lines;
    for (const auto& contact : codeplug.contacts())
        lines.push_back(contact->toLine());
    return lines;
}

} // namespace pw::test
