// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/contact_editing.h"

#include "codeplug/codeplug.h"
#include "codeplug/record_factory.h"
#include "operations/name_check.h"
#include "support/scripted_prompts.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::TempDir;

TEST(ContactEditing, ANewContactNeedsACodeplugWithRoom)
{
    TempDir dir;
    Codeplug codeplug;
    ScriptedPrompts prompts;
    EXPECT_FALSE(contactAddOffered(codeplug, prompts));
    ASSERT_NE(codeplug.open(test::writeFixture(dir.file("a.rdt"), Md380Format)), 0u);
    ASSERT_TRUE(codeplug.decode());
    EXPECT_TRUE(contactAddOffered(codeplug, prompts));
    for (int id = codeplug.contacts().count(); id < contactCapacity(Md380Format); ++id) {
        Contact contact = newContact(Md380Format);
        contact.setDmrId(static_cast<std::uint32_t>(id + 1));
        ASSERT_EQ(codeplug.addContact(contact, true), AddResult::Added);
    }
    EXPECT_FALSE(contactAddOffered(codeplug, prompts));
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{NoCodeplugForContact, NoRoomForContact}));
    for (const auto& shown : prompts.shown())
        EXPECT_EQ(shown.icon, MessageIcon::Error);
}

TEST(ContactEditing, TextsAreTrimmedAndRefusedWhenTheFormatCannotStoreThem)
{
    std::string shcha16;
    for (int i = 0; i < 16; ++i)
        shcha16 += "\xD0\xA9";
    const char* const beijing = "\xE5\x8C\x97\xE4\xBA\xAC\xE5\xB8\x82\xE6\xB5\xB7\xE6\xB7\x80\xE5\x8C\xBA";
    const auto tooLong = [](const char* what, const char* text, int limit) {
        return std::string(what) + ": \"" + text + "\" is too long; this codeplug stores at most " +
               std::to_string(limit) + " characters.";
    };
    const struct {
        FormatId format;
        const char* name;
        const char* callsign;
        std::optional<std::string> refusal;
        const char* keptName;
        const char* keptCallsign;
    } cases[] = {
        {Md380Format, "Alpha  ", "PA3XYZ", std::nullopt, "Alpha", ""},  // TYT keeps no callsign
        {Md380Format, "   ", "", EmptyContactName, "", ""},
        {Md380Format, "ABCDEFGHIJKLMNOP", "", std::nullopt, "ABCDEFGHIJKLMNOP", ""},
        {Md380Format, "ABCDEFGHIJKLMNOPQ", "", tooLong("Name", "ABCDEFGHIJKLMNOPQ", 16), "", ""},
        // Sixteen Cyrillic letters are sixteen UTF-16 units; six Chinese characters spelled in Latin
        // letters are more than 16.
        {Md380Format, shcha16.c_str(), "", std::nullopt, shcha16.c_str(), ""},
        {RdbV2Format, beijing, "", tooLong("Name", beijing, 16), "", ""},
        {RdbV2Format, "Club \xE2\x9C\x93", "", std::string(UnstorableNameMessage), "", ""},
        {D868Format, "Alpha", "PA3XYZ/M ", std::nullopt, "Alpha", "PA3XYZ/M"},
        {D868Format, "Alpha", "PA3XYZ/MM", tooLong("Callsign", "PA3XYZ/MM", 8), "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ContactTexts typed{c.name, {c.callsign, "", "", "", ""}};
        const auto checked = checkContactTexts(*recordFormatsOf(c.format).contact, typed);
        EXPECT_EQ(checked.refusal, c.refusal);
        if (c.refusal)
            continue;
        EXPECT_EQ(checked.texts.name, c.keptName);
        EXPECT_EQ(checked.texts.descriptive[0], c.keptCallsign);
    }
}

} // namespace
} // namespace pw
