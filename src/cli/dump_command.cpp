// SPDX-License-Identifier: GPL-3.0-or-later
// dump: the whole decoded model of a codeplug as one JSON object.
//
// Everything is read through the model's accessors, so the same code serves every family; texts
// are UTF-8 in the model and leave as they are.

#include "cli/commands.h"
#include "cli/text_encoding.h"
#include "operations/channel_line.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace pw::cli {
namespace {

using Json = nlohmann::ordered_json;

std::string utf8(std::string_view text) { return terminalText(text); }

std::string formatIdText(FormatId formatId)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%04x", static_cast<unsigned>(formatId));
    return text;
}

// ---- Records ----

Json contactJson(const Contact& contact)
{
    return Json{{"dmrId", contact.dmrId()},
                {"name", utf8(contact.name())},
                {"callType", contact.callTypeText()},
                {"alertTone", contact.alertTone()},
                {"callsign", utf8(contact.callsign())},
                {"city", utf8(contact.city())},
                {"state", utf8(contact.state())},
                {"country", utf8(contact.country())},
                {"remarks", utf8(contact.remarks())},
                {"isTalkgroup", contact.isTalkgroup()}};
}

Json channelJson(const Codeplug& codeplug, const Channel& channel)
{
    return Json{{"name", utf8(channel.name())},
                {"line", utf8(ChannelLine::write(channel, codeplug))},
                {"mode", channel.modeText()},
                {"bandwidth", channel.bandwidthText()},
                {"rxFrequency", channel.rxFrequency()},
                {"txFrequency", channel.txFrequency()},
                {"scanList", channel.scanList()},
                {"txContact", channel.txContact()},
                {"rxGroupList", channel.rxGroupList()},
                {"emergencySystem", channel.emergencySystem()},
                {"squelch", channel.squelchText()},
                {"admitCriterion", channel.admitText()},
                {"power", channel.powerText(codeplug.radioModelName())},
                {"tot", channel.totText()},
                {"rxRefFrequency", channel.rxRefFrequencyText()},
                {"txRefFrequency", channel.txRefFrequencyText()},
                {"ctcssDecode", channel.ctcssDecodeText()},
                {"ctcssEncode", channel.ctcssEncodeText()},
                {"rxSignalingSystem", channel.rxSignalingText()},
                {"txSignalingSystem", channel.txSignalingText()},
                {"totRekeyDelay", channel.totRekeyDelay()},
                {"qtReverse", channel.qtReverse()},
                {"colorCode", channel.colorCode()},
                {"timeSlot", channel.timeSlot()},
                {"privacyCode", channel.privacyCode()},
                {"decodeSwitches", channel.decodeSwitches()},
                {"slotNumber", channel.slotNumber()},
                {"autoScan", channel.autoScan()},
                {"rxOnly", channel.rxOnly()},
                {"loneWorker", channel.loneWorker()},
                {"vox", channel.vox()},
                {"talkaround", channel.talkaround()},
                {"analogOption", channel.analogOption()},
                {"privateCallConfirmed", channel.privateCallConfirmed()},
                {"emergencyAlarmAck", channel.emergencyAlarmAck()},
                {"dataCallConfirmed", channel.dataCallConfirmed()},
                {"privacy", channel.privacy()},
                {"privacyType", channel.privacyType() == PrivacyType::Basic ? "Basic" : "Enhanced"},
                {"contactName", utf8(channel.contactNameCache())}};
}

// Members of each bank as the radio reads them: up to the bank's member count.
Json zoneJson(const Zone& source)
{
    Zone zone(source);
    Json banks = Json::array();
    for (int bank = 1; bank <= zone.bankCount(); ++bank) {
        zone.selectBank(bank);
        Json members = Json::array();
        for (int i = 0; i < zone.memberCount(); ++i)
            members.push_back(zone.member(i));
        banks.push_back(std::move(members));
    }
    return Json{{"name", utf8(zone.name())}, {"banks", std::move(banks)}};
}

// TYT scan lists may hold members after an empty entry; every entry that holds one is listed.
Json scanListJson(const ScanList& list)
{
    Json members = Json::array();
    for (int i = 0; i < list.memberLimit(); ++i)
        if (const int member = list.member(i); member != 0)
            members.push_back(member);
    return Json{{"name", utf8(list.name())}, {"members", std::move(members)}};
}

Json rxGroupListJson(const RxGroupList& list)
{
    Json members = Json::array();
    for (int i = 0; i < list.memberCount(); ++i)
        members.push_back(list.member(i));
    return Json{{"name", utf8(list.name())}, {"members", std::move(members)}};
}

Json dumpJson(const Codeplug& codeplug, const std::string& file)
{
    Json dump;
    // The path came from the command line, already in the terminal's encoding.
    dump["file"] = file;
    dump["formatId"] = formatIdText(codeplug.formatId());
    dump["radioType"] = utf8(codeplug.radioTypeText());
    dump["radioName"] = utf8(codeplug.radioName().value_or(""));
    dump["radioDmrId"] = codeplug.radioDmrId();
    dump["errorCount"] = codeplug.errorCount();
    dump["errorLog"] = utf8(codeplug.errorLogText());

    auto& contacts = dump["contacts"] = Json::array();
    for (const auto& contact : codeplug.contacts())
        contacts.push_back(contactJson(*contact));
    auto& channels = dump["channels"] = Json::array();
    for (const auto& channel : codeplug.channels())
        channels.push_back(channelJson(codeplug, *channel));
    auto& zones = dump["zones"] = Json::array();
    for (const auto& zone : codeplug.zones())
        zones.push_back(zoneJson(*zone));
    auto& scanLists = dump["scanLists"] = Json::array();
    for (const auto& list : codeplug.scanLists())
        scanLists.push_back(scanListJson(*list));
    auto& rxGroupLists = dump["rxGroupLists"] = Json::array();
    for (const auto& list : codeplug.rxGroupLists())
        rxGroupLists.push_back(rxGroupListJson(*list));
    auto& emergencySystems = dump["emergencySystems"] = Json::array();
    for (const auto& system : codeplug.emergencySystems())
        emergencySystems.push_back(utf8(system->name()));
    return dump;
}

} // namespace

void addDumpCommand(CLI::App& app, CliSession& session)
{
    addReadingCommand(app, session, "dump", "Print the whole decoded model as one JSON object",
                      [](const Codeplug& codeplug, const std::string& file, std::ostream& out) {
                          out << dumpJson(codeplug, file).dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
                      });
}

} // namespace pw::cli
