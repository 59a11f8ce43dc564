// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Codeplugs of any format filled with a small, complete set of records that refer to each other --
// contacts, RX group lists, digital and analog channels, scan lists and zones (both banks where the
// format has two) -- and helpers that describe references by name, for the tests of the clipboard
// transfer and the structural import.

#include "codeplug/codeplug.h"
#include "codeplug/record_factory.h"
#include "operations/transfer_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pw::test {

inline Channel makeChannel(const Codeplug& codeplug, const std::string& name, bool digital, double mhz = 439.5)
{
    Channel channel = newChannel(codeplug.formatId(), mhz);
    channel.setName(name);
    channel.setMode(digital ? ChannelMode::Dmr : ChannelMode::Fm);
    return channel;
}

// Adds the channel and returns its 0-based index.
inline int addChannelNamed(Codeplug& codeplug, const std::string& name, bool digital, int contactPosition = 0)
{
    Channel channel = makeChannel(codeplug, name, digital, 430.0 + codeplug.channels().count() * 0.0125);
    if (digital)
        channel.setTxContact(contactPosition);
    EXPECT_EQ(codeplug.addChannel(channel), AddResult::Added) << name;
    return codeplug.channels().count() - 1;
}

inline int channelIndex(const Codeplug& codeplug, const std::string& name)
{
    return codeplug.findChannelByName(name);
}

// Contacts, two RX group lists, five channels, two scan lists and two zones, all pointing at each
// other. Channel "DMR One" transmits to "TG Local" and listens to "RG Main"; "DMR Two" transmits
// to "Alice"; "DMR Bare" has no contact (the D868 family always gives one: the first contact);
// "FM One" and "FM Two" are analog.
inline void populate(Codeplug& codeplug)
{
    const auto format = codeplug.formatId();
    ASSERT_EQ(codeplug.addContact(makeContact(format, 9, "TG Local", CallType::GroupCall)), AddResult::Added);
    ASSERT_EQ(codeplug.addContact(makeContact(format, 91, "TG World", CallType::GroupCall, true)), AddResult::Added);
    ASSERT_EQ(codeplug.addContact(makeContact(format, AllCallId, "All Call", CallType::AllCall)), AddResult::Added);
    ASSERT_EQ(codeplug.addContact(makeContact(format, 2345001, "Alice", CallType::PrivateCall)), AddResult::Added);
    ASSERT_EQ(codeplug.addContact(makeContact(format, 2345002, "Bob", CallType::PrivateCall)), AddResult::Added);

    RxGroupList main = newRxGroupList(format);
    main.setName("RG Main");
    main.addMember(1);
    main.addMember(2);
    ASSERT_TRUE(codeplug.addRxGroupList(main));
    RxGroupList quiet = newRxGroupList(format);
    quiet.setName("RG Quiet");
    quiet.addMember(2);
    ASSERT_TRUE(codeplug.addRxGroupList(quiet));

    const int dmrOne = addChannelNamed(codeplug, "DMR One", true, 1);
    const int dmrTwo = addChannelNamed(codeplug, "DMR Two", true, 4);
    const int dmrBare = addChannelNamed(codeplug, "DMR Bare", true, 0);
    const int fmOne = addChannelNamed(codeplug, "FM One", false);
    const int fmTwo = addChannelNamed(codeplug, "FM Two", false);
    codeplug.channelAt(dmrOne)->setRxGroupList(1);
    codeplug.channelAt(dmrTwo)->setRxGroupList(2);

    ScanList scanA = newScanList(format);
    scanA.setName("Scan A");
    scanA.addMember(codeplug.memberNumberOf(dmrOne));
    scanA.addMember(codeplug.memberNumberOf(fmOne));
    ASSERT_TRUE(codeplug.addScanList(scanA));
    ScanList scanB = newScanList(format);
    scanB.setName("Scan B");
    scanB.addMember(codeplug.memberNumberOf(dmrTwo));
    scanB.addMember(codeplug.memberNumberOf(fmTwo));
    scanB.addMember(codeplug.memberNumberOf(dmrBare));
    ASSERT_TRUE(codeplug.addScanList(scanB));
    codeplug.channelAt(dmrOne)->setScanList(1);
    codeplug.channelAt(fmOne)->setScanList(2);
    codeplug.channelAt(dmrTwo)->setScanList(2);

    Zone zoneA = newZone(format);
    zoneA.setName("Zone A");
    for (const int member : {dmrOne, dmrTwo, fmOne})
        zoneA.addMember(codeplug.memberNumberOf(member));
    if (zoneA.bankCount() == 2) {
        zoneA.selectBank(2);
        for (const int member : {fmTwo, dmrBare})
            zoneA.addMember(codeplug.memberNumberOf(member));
        zoneA.selectBank(1);
    }
    ASSERT_TRUE(codeplug.addZone(zoneA));
    Zone zoneB = newZone(format);
    zoneB.setName("Zone B");
    zoneB.addMember(codeplug.memberNumberOf(dmrBare));
    zoneB.addMember(codeplug.memberNumberOf(fmTwo));
    ASSERT_TRUE(codeplug.addZone(zoneB));
    codeplug.refreshContactNames();
}

// ---- References by name ----

inline std::string contactNameAt(const Codeplug& codeplug, int position)
{
    const Contact* contact = codeplug.contactAt(position - 1);
    return contact ? contact->name() : std::string("-");
}

inline std::string channelContactName(const Codeplug& codeplug, const Channel& channel)
{
    return channel.txContact() == 0 ? std::string("-") : contactNameAt(codeplug, channel.txContact());
}

inline std::string rxGroupNameAt(const Codeplug& codeplug, int position)
{
    const RxGroupList* list = codeplug.rxGroupListAt(position - 1);
    return list ? list->name() : std::string("-");
}

inline std::string scanListNameAt(const Codeplug& codeplug, int position)
{
    const ScanList* list = codeplug.scanListAt(position - 1);
    return list ? list->name() : std::string("-");
}

inline std::vector<std::string> memberNames(const Codeplug& codeplug, const RxGroupList& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.memberCount(); ++i)
        names.push_back(contactNameAt(codeplug, list.member(i)));
    return names;
}

inline std::vector<std::string> memberNames(const Codeplug& codeplug, const ScanList& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.entryCount(); ++i) {
        if (list.member(i) == 0)
            continue;
        const Channel* channel = codeplug.channelAt(codeplug.channelIndexOfMember(list.member(i)));
        names.push_back(channel ? channel->name() : "?");
    }
    return names;
}

// The channel names of one bank of a zone.
inline std::vector<std::string> memberNames(const Codeplug& codeplug, const Zone& original, int bank = 1)
{
    Zone zone(original);
    zone.selectBank(bank);
    std::vector<std::string> names;
    if (bank > zone.bankCount())
        return names;
    for (int i = 0; i < zone.memberCount(); ++i) {
        const Channel* channel = codeplug.channelAt(codeplug.channelIndexOfMember(zone.member(i)));
        names.push_back(channel ? channel->name() : "?");
    }
    return names;
}

template <typename Record>
const Record* named(const RecordList<Record>& list, const std::string& name)
{
    for (const auto& record : list)
        if (record->name() == name)
            return record;
    return nullptr;
}

// Every reference of the imported records names in the working codeplug what it named in the other.
inline void expectSameReferencesByName(const Codeplug& working, const Codeplug& other)
{
    for (const auto& source : other.channels()) {
        SCOPED_TRACE(source->name());
        const Channel* channel = working.channelAt(working.findChannelByName(source->name()));
        ASSERT_NE(channel, nullptr);
        EXPECT_EQ(channel->isDigital(), source->isDigital());
        if (source->txContact() != 0 || working.family() != FormatFamily::D868Family || !channel->isDigital()) {
            EXPECT_EQ(channelContactName(working, *channel), channelContactName(other, *source));
        }
        EXPECT_EQ(rxGroupNameAt(working, channel->rxGroupList()), rxGroupNameAt(other, source->rxGroupList()));
        EXPECT_EQ(scanListNameAt(working, channel->scanList()), scanListNameAt(other, source->scanList()));
    }
    for (const auto& source : other.rxGroupLists()) {
        const auto* list = named(working.rxGroupLists(), source->name());
        ASSERT_NE(list, nullptr) << source->name();
        EXPECT_EQ(memberNames(working, *list), memberNames(other, *source));
    }
    for (const auto& source : other.scanLists()) {
        const auto* list = named(working.scanLists(), source->name());
        ASSERT_NE(list, nullptr) << source->name();
        EXPECT_EQ(memberNames(working, *list), memberNames(other, *source));
    }
    for (const auto& source : other.zones()) {
        const auto* zone = named(working.zones(), source->name());
        ASSERT_NE(zone, nullptr) << source->name();
        const int banks = std::min(zone->bankCount(), source->bankCount());
        for (int bank = 1; bank <= banks; ++bank)
            EXPECT_EQ(memberNames(working, *zone, bank), memberNames(other, *source, bank));
    }
}

// A populated codeplug of the format saved to `path` and opened again, as the program finds it on
// disk; nothing when the save or the decode loses what was added.
inline std::unique_ptr<Codeplug> populatedFile(const TempDir& dir, FormatId format, const std::filesystem::path& path)
{
    auto plug = openEmpty(dir, format, path.filename().string() + ".empty");
    populate(*plug);
    if (!plug->save(path))
        return nullptr;
    auto reopened = std::make_unique<Codeplug>();
    if (reopened->open(path) != format || !reopened->decode() || reopened->channels().count() != 5 ||
        reopened->zones().count() != 2 || reopened->scanLists().count() != 2)
        return nullptr;
    return reopened;
}

} // namespace pw::test
