// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A loaded codeplug of one format with empty tables, scripted prompts and the tab state, for the
// tests of the tab and record commands. Each test builds the records it needs.

#include "codeplug/codeplug.h"
#include "codeplug/record_factory.h"
#include "operations/list_tab_state.h"
#include "support/fixture_builder.h"
#include "support/scripted_prompts.h"
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
        EXPECT_EQ(codeplug.open(writeFixture(dir.file("fixture.bin"), format)), format);
        codeplug.decode();
        codeplug.contacts().deleteAll();
        codeplug.channels().deleteAll();
        codeplug.zones().deleteAll();
        codeplug.scanLists().deleteAll();
        codeplug.rxGroupLists().deleteAll();
    }

    // Channels "CH1".."CHn" and contacts "C1".."Cn" (DMR IDs 1001...), through the table
    // operations so that RDB channels get their slots.
    void addChannels(int count)
    {
        for (int i = 0; i < count; ++i) {
            Channel channel = newChannel(codeplug.formatId());
            channel.setName("CH" + std::to_string(codeplug.channels().count() + 1));
            channel.setMode(ChannelMode::Dmr);
            ASSERT_EQ(codeplug.addChannel(channel), AddResult::Added);
        }
    }
    void addContacts(int count)
    {
        for (int i = 0; i < count; ++i) {
            const int number = codeplug.contacts().count() + 1;
            Contact contact = newContact(codeplug.formatId());
            contact.setName("C" + std::to_string(number));
            contact.setDmrId(static_cast<std::uint32_t>(1000 + number));
            ASSERT_EQ(codeplug.addContact(contact), AddResult::Added);
        }
    }
    Zone& addZone(const std::string& name)
    {
        Zone zone = newZone(codeplug.formatId());
        zone.setName(name);
        EXPECT_TRUE(codeplug.addZone(zone));
        return *codeplug.zones().at(codeplug.zones().count() - 1);
    }
    ScanList& addScanList(const std::string& name)
    {
        ScanList list = newScanList(codeplug.formatId());
        list.setName(name);
        EXPECT_TRUE(codeplug.addScanList(list));
        return *codeplug.scanLists().at(codeplug.scanLists().count() - 1);
    }
    RxGroupList& addRxGroup(const std::string& name)
    {
        EXPECT_TRUE(codeplug.newRxGroupList(name));
        return *codeplug.rxGroupLists().at(codeplug.rxGroupLists().count() - 1);
    }

    // Building a test's records is not what it tests: a save to a scratch file clears the changed
    // flag, the prompts forget what they showed and the tab state starts at the first lists.
    void forgetChanges()
    {
        // A D868 file must hold a channel record, so a model without channels cannot be saved:
        // an analog scratch channel stands in for the save and goes again at once.
        const bool scratchChannel = codeplug.family() == FormatFamily::D868Family && codeplug.channels().empty();
        if (scratchChannel)
            codeplug.channels().append(std::make_unique<Channel>(codeplug.newChannel()));
        EXPECT_TRUE(codeplug.save(dir.file("baseline.bin")));
        if (scratchChannel)
            codeplug.channels().deleteAt(0);
        prompts.clearShown();
        state.reset(codeplug);
    }
};

// The channel table indexes of the members of a zone bank or a scan list.
inline std::vector<int> bankChannels(Zone& zone, int bank, const Codeplug& codeplug)
{
    zone.selectBank(bank);
    std::vector<int> channels;
    for (int i = 0; i < zone.memberCount(); ++i)
        channels.push_back(codeplug.channelIndexOfMember(zone.member(i)));
    return channels;
}
inline std::vector<int> listChannels(const ScanList& list, const Codeplug& codeplug)
{
    std::vector<int> channels;
    for (int i = 0; i < list.memberCount(); ++i)
        channels.push_back(codeplug.channelIndexOfMember(list.member(i)));
    return channels;
}
inline std::vector<int> range(int first, int count)
{
    std::vector<int> values;
    for (int i = first; i < first + count; ++i)
        values.push_back(i);
    return values;
}

// The names of the records of a table, in table order.
template <typename List>
std::vector<std::string> names(const List& list)
{
    std::vector<std::string> all;
    for (const auto& record : list)
        all.push_back(record->name());
    return all;
}

} // namespace pw::test
