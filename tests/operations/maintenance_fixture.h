#pragma once
// A loaded codeplug of one format with empty tables, scripted prompts and the tab state, for the
// tests of the zone, scan-list, RX-group and record commands. Each test builds the records it needs.

#include "codeplug/codeplug.h"
#include "operations/list_tab_state.h"
#include "platform/scripted_prompts.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pw::test {

struct MaintenanceFixture {
    TempDir dir;
    Codeplug codeplug;
    ScriptedPrompts prompts;
    ListTabState state;

    explicit MaintenanceFixture(FormatId format)
    {
        const auto path = writeFixture(dir.file("fixture.bin"), format);
        EXPECT_EQ(codeplug.open(path), format);
        codeplug.decode();
        codeplug.contacts().deleteAll();
        codeplug.channels().deleteAll();
        codeplug.zones().deleteAll();
        codeplug.scanLists().deleteAll();
        codeplug.rxGroupLists().deleteAll();
    }

    FormatId format() const { return codeplug.formatId(); }

    // Channels "CH1".."CHn" appended through the table operation (so RDB channels get slots).
    void addChannels(int count, ChannelMode mode = ChannelMode::Dmr)
    {
        for (int i = 0; i < count; ++i) {
            Channel channel(format());
            channel.setName("CH" + std::to_string(codeplug.channels().count() + 1));
            channel.setMode(mode);
            ASSERT_EQ(codeplug.addChannel(channel), Added);
        }
    }

    // Contacts "C1".."Cn" with DMR IDs 1001, 1002, ...
    void addContacts(int count)
    {
        for (int i = 0; i < count; ++i) {
            const int number = codeplug.contacts().count() + 1;
            Contact contact(format());
            contact.setName("C" + std::to_string(number));
            contact.setDmrId(static_cast<std::uint32_t>(1000 + number));
            contact.setCallType(CallType::GroupCall);
            ASSERT_EQ(codeplug.addContact(contact), Added);
        }
    }

    Zone& addZone(const std::string& name)
    {
        Zone zone(format());
        zone.setName(name);
        EXPECT_EQ(codeplug.addZone(zone), 1);
        return *codeplug.zones().at(codeplug.zones().count() - 1);
    }

    ScanList& addScanList(const std::string& name)
    {
        ScanList list(format());
        list.setName(name);
        EXPECT_EQ(codeplug.addScanList(list), 1);
        return *codeplug.scanLists().at(codeplug.scanLists().count() - 1);
    }

    RxGroupList& addRxGroup(const std::string& name)
    {
        EXPECT_EQ(codeplug.newRxGroupList(name), 1);
        return *codeplug.rxGroupLists().at(codeplug.rxGroupLists().count() - 1);
    }

    // Changes made while building a test's records are not what the test is about: a save to a
    // scratch file clears the changed flag.
    void forgetChanges()
    {
        EXPECT_EQ(codeplug.save(dir.file("baseline.bin")), 1);
        EXPECT_FALSE(codeplug.changed());
        prompts.clearShown();
        state.reset(codeplug);
    }
};

// The channel table indexes of the members of a zone's bank.
inline std::vector<int> bankChannels(Zone& zone, int bank, const Codeplug& codeplug)
{
    zone.selectBank(bank);
    std::vector<int> channels;
    for (int i = 0; i < zone.memberCount(); ++i)
        channels.push_back(zone.memberChannelIndex(i, codeplug.channels()));
    return channels;
}

inline std::vector<int> listChannels(const ScanList& list, const Codeplug& codeplug)
{
    std::vector<int> channels;
    for (int i = 0; i < list.memberCount(); ++i)
        channels.push_back(list.memberChannelIndex(i, codeplug.channels()));
    return channels;
}

inline std::vector<int> groupMembers(const RxGroupList& list)
{
    std::vector<int> members;
    for (int i = 0; i < list.memberCount(); ++i)
        members.push_back(list.member(i));
    return members;
}

inline std::vector<std::string> contactNames(const Codeplug& codeplug)
{
    std::vector<std::string> names;
    for (const auto& contact : codeplug.contacts())
        names.push_back(contact->name());
    return names;
}

inline std::vector<std::string> channelNames(const Codeplug& codeplug)
{
    std::vector<std::string> names;
    for (const auto& channel : codeplug.channels())
        names.push_back(channel->name());
    return names;
}

inline std::vector<std::string> zoneNames(const Codeplug& codeplug)
{
    std::vector<std::string> names;
    for (const auto& zone : codeplug.zones())
        names.push_back(zone->name());
    return names;
}

} // namespace pw::test
