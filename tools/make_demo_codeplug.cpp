// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the demo codeplug that the README's run command opens: an MD-380 file named as a demo,
// filled with a few contacts, channels and lists so that every tab has something to show. Names
// use all 16 characters and most IDs 7 digits, as in real club codeplugs, so that the lists show
// whether they fit.
// It is for trying Plugwright out, not for a radio.

#include "codeplug/codeplug.h"
#include "codeplug/record_factory.h"
#include "support/fixture_builder.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo_codeplug OUT.rdt\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    pw::test::FixtureOptions options;
    options.radioName = "DEMO NOT A RADIO";
    options.radioDmrId = 1234567;
    pw::test::writeFixture(out, pw::Md380Format, options);

    pw::Codeplug codeplug;
    if (!codeplug.open(out) || !codeplug.decode()) {
        std::fprintf(stderr, "the demo codeplug does not open\n");
        return 1;
    }
    const struct {
        std::uint32_t id;
        const char* name;
        pw::CallType type;
    } contacts[] = {
        {2350091, "Worldwide TG 091", pw::CallType::GroupCall},
        {3100, "USA Nationwide 1", pw::CallType::GroupCall},
        {9, "Local Cluster 09", pw::CallType::GroupCall},
        {9998, "Parrot Echo Test", pw::CallType::PrivateCall},
        {0xFFFFFF, "All Call Contact", pw::CallType::AllCall},
        {2391001, "Demo Net One 001", pw::CallType::GroupCall},
        {2391002, "Demo Net Two 002", pw::CallType::GroupCall},
        {3100101, "Demo Region 3101", pw::CallType::GroupCall},
        {3109001, "N0CALL Alexander", pw::CallType::PrivateCall},
        {3109002, "N0CALL Bethany B", pw::CallType::PrivateCall},
        {3109003, "N0CALL Christoph", pw::CallType::PrivateCall},
        {3109004, "N0CALL Dana Rose", pw::CallType::PrivateCall},
        {2629001, "DL0DEMO Eva Mari", pw::CallType::PrivateCall},
        {2349001, "G0DEMO Finn Hale", pw::CallType::PrivateCall},
    };
    for (const auto& c : contacts) {
        pw::Contact contact = pw::newContact(pw::Md380Format);
        contact.setName(c.name);
        contact.setDmrId(c.id);
        contact.setCallType(c.type);
        codeplug.addContact(contact);
    }

    // Talkgroups the digital channels listen to: Worldwide, USA Nationwide and Local.
    codeplug.newRxGroupList("Talkgroups Local");
    auto* talkgroups = codeplug.rxGroupListAt(0);
    for (int contact = 0; contact < 3; ++contact)
        talkgroups->addMember(contact + 1);

    const struct {
        const char* name;
        double rx;
        double tx;
        int contact;  // 1-based, 0 for an analog channel
    } channels[] = {
        {"Repeater World 1", 439.5625, 431.9625, 1},
        {"Repeater USA TG2", 439.5625, 431.9625, 2},
        {"Simplex Local 09", 433.4500, 433.4500, 3},
        {"Parrot Via Rptr1", 439.5625, 431.9625, 4},
        {"FM Calling 433.5", 433.5000, 433.5000, 0},
        {"FM Repeater R070", 439.1000, 431.5000, 0},
        {"Hotspot TG 91 WW", 434.0000, 434.0000, 1},
        {"Hotspot Net #001", 434.0000, 434.0000, 6},
        {"Hotspot Net #002", 434.0000, 434.0000, 7},
        {"Hotspot Region 1", 434.0000, 434.0000, 8},
        {"VHF Simplex 145M", 145.5000, 145.5000, 0},
        {"VHF Repeater R06", 145.6500, 145.0500, 0},
    };
    for (const auto& c : channels) {
        pw::Channel channel = pw::newChannel(pw::Md380Format, c.rx);
        channel.setName(c.name);
        if (c.contact != 0) {
            channel.setMode(pw::ChannelMode::Dmr);
            channel.setBandwidth(pw::Bandwidth::Narrow12k5);
            channel.setColorCode(1);
            channel.setTimeSlot(c.contact == 3 ? 1 : 2);
            channel.setTxContact(c.contact);
            channel.setRxGroupList(1);
        } else {
            channel.setCtcssEncode(pw::ToneCode::fromText("88.5"));
        }
        channel.setTxFrequency(c.tx);
        channel.setScanList(1);
        codeplug.addChannel(channel);
    }
    codeplug.refreshContactNames();

    pw::ScanList scan = pw::newScanList(pw::Md380Format);
    scan.setName("All Demo Channel");
    for (int i = 0; i < codeplug.channels().count(); ++i)
        scan.addMember(codeplug.memberNumberOf(i));
    codeplug.addScanList(scan);

    pw::Zone zone = pw::newZone(pw::Md380Format);
    zone.setName("Demo Zone UHF 70");
    for (int i = 0; i < 6; ++i)
        zone.addMember(codeplug.memberNumberOf(i));
    codeplug.addZone(zone);

    pw::Zone hotspot = pw::newZone(pw::Md380Format);
    hotspot.setName("Hotspot Channels");
    for (int i = 6; i < 10; ++i)
        hotspot.addMember(codeplug.memberNumberOf(i));
    codeplug.addZone(hotspot);

    pw::Zone vhf = pw::newZone(pw::Md380Format);
    vhf.setName("VHF Two Metre 2m");
    for (int i = 10; i < codeplug.channels().count(); ++i)
        vhf.addMember(codeplug.memberNumberOf(i));
    codeplug.addZone(vhf);

    codeplug.encode();
    if (!codeplug.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
