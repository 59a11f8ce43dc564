// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel.h"
#include "codeplug/record_factory.h"

#include <gtest/gtest.h>

#include <memory>

namespace pw {
namespace {

// Where each family keeps a channel's settings is tested beside the family (tests/codeplug/tyt,
// rdb, d868); these are the rules every channel follows whatever its format.

TEST(ChannelCopy, CarriesRecordSlotCacheAndFormat)
{
    Channel original = newChannel(RdbV11Format);
    original.setName("Copy me");
    original.setSlotNumber(17);
    original.setContactNameCache("Local");
    original.familyRecord()[20] = 0x5A;
    const Channel copy(original);
    EXPECT_EQ(&copy.format(), &original.format());
    EXPECT_EQ(copy.name(), "Copy me");
    EXPECT_EQ(copy.slotNumber(), 17);
    EXPECT_EQ(copy.contactNameCache(), "Local");
    EXPECT_EQ(copy.familyRecord(), original.familyRecord());
    EXPECT_EQ(copy.storedSettings(), original.storedSettings());
}

TEST(ChannelContact, SetByNameTakesTheFoundIndexOrNone)
{
    Channel channel = newChannel(Md380Format);
    channel.setMode(ChannelMode::Dmr);
    auto finder = [](std::string_view name) { return name == "Local 9" ? 2 : -1; };

    channel.setTxContactByName("none", finder);
    EXPECT_EQ(channel.txContact(), 0);
    EXPECT_EQ(channel.contactNameCache(), "NONE");

    channel.setTxContactByName("Local 9", finder);
    EXPECT_EQ(channel.txContact(), 3);
    EXPECT_EQ(channel.contactNameCache(), "Local 9");

    channel.setTxContactByName("Nobody", finder);
    EXPECT_EQ(channel.txContact(), 0);
    EXPECT_EQ(channel.contactNameCache(), "");
}

TEST(ChannelContact, RefreshTakesTheNameOrDropsADanglingReference)
{
    RecordList<Contact> contacts;
    for (const char* name : {"Alpha", "Bravo"}) {
        auto contact = std::make_unique<Contact>(newContact(Md380Format));
        contact->setName(name);
        contacts.append(std::move(contact));
    }
    Channel channel = newChannel(Md380Format);
    channel.setMode(ChannelMode::Dmr);
    channel.setTxContact(2);
    channel.refreshContactName(contacts);
    EXPECT_EQ(channel.contactNameCache(), "Bravo");

    channel.setTxContact(3);
    channel.setContactNameCache("stale");
    channel.refreshContactName(contacts);
    EXPECT_EQ(channel.contactNameCache(), "");
    EXPECT_EQ(channel.txContact(), 0);

    Channel analog = newChannel(Md380Format);
    analog.setContactNameCache("stale");
    analog.refreshContactName(contacts);
    EXPECT_EQ(analog.contactNameCache(), "");
}

TEST(ChannelContact, NameCacheHoldsAtMost63Characters)
{
    Channel channel = newChannel(Md380Format);
    channel.setContactNameCache(std::string(80, 'x'));
    EXPECT_EQ(channel.contactNameCache().size(), 63u);
}

} // namespace
} // namespace pw
