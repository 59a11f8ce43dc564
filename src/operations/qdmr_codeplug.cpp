// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/qdmr_codeplug.h"

#include "codeplug/codeplug.h"
#include "codeplug/frequency_limits.h"
#include "operations/transfer_command_support.h"
#include "platform/file_io.h"
#include "platform/overwrite_question.h"
#include "platform/prompts.h"

#include <yaml-cpp/yaml.h>

#include <cmath>
#include <cstdio>
#include <unordered_map>

namespace pw {
namespace {

using namespace transfer_commands;

constexpr const char* QdmrFilter = "qdmr Codeplugs (*.yaml;*.yml)|*.yaml;*.yml|All Files (*.*)|*.*||";
// No qdmr codeplug comes near this; a larger file is not one.
constexpr std::size_t YamlReadLimit = 256u << 20;
constexpr int TotStepSeconds = 15;
constexpr const char* QdmrLayoutVersion = "0.11.2";

// ---- Writing ----

std::string idOf(const char* prefix, int position) { return prefix + std::to_string(position); }

const char* powerName(PowerLevel level)
{
    switch (level) {
    case PowerLevel::High: return "High";
    case PowerLevel::Mid: return "Mid";
    default: return "Low";
    }
}

// qdmr's admit criterion of the channel, when it has one: Always, Free, ColorCode (digital) or
// Tone (analog).
std::optional<std::string> admitName(const Channel& channel)
{
    const auto text = channel.admitText();
    if (text == "Always")
        return "Always";
    if (text == "Channel Free")
        return "Free";
    if (channel.isDigital() && text == "Color Code Free")
        return "ColorCode";
    if (!channel.isDigital() && (text == "Correct PL" || text == "CTCSS/CDCSS Locked"))
        return "Tone";
    return std::nullopt;
}

void emitTone(YAML::Emitter& out, const char* key, ToneCode tone)
{
    if (tone.isNone())
        return;
    out << YAML::Key << key << YAML::Value << YAML::Flow << YAML::BeginMap;
    if (tone.isCtcss()) {
        out << YAML::Key << "ctcss" << YAML::Value << megahertzText(tone.ctcssHertz());
    } else {
        // The three octal digits read as a decimal number, negative for an inverted code.
        const int digits = std::stoi(tone.text().substr(1, 3));
        out << YAML::Key << "dcs" << YAML::Value << (tone.isInverted() ? -digits : digits);
    }
    out << YAML::EndMap;
}

void emitReference(YAML::Emitter& out, const char* key, const char* prefix, int position, int count)
{
    if (position >= 1 && position <= count)
        out << YAML::Key << key << YAML::Value << idOf(prefix, position);
}

void emitChannel(YAML::Emitter& out, const Codeplug& codeplug, const Channel& channel, int position)
{
    out << YAML::BeginMap << YAML::Key << (channel.isDigital() ? "digital" : "analog") << YAML::Value
        << YAML::BeginMap;
    out << YAML::Key << "id" << YAML::Value << idOf("ch", position);
    out << YAML::Key << "name" << YAML::Value << YAML::DoubleQuoted << channel.name();
    out << YAML::Key << "rxFrequency" << YAML::Value << megahertzText(channel.rxFrequency());
    out << YAML::Key << "txFrequency" << YAML::Value << megahertzText(channel.txFrequency());
    out << YAML::Key << "rxOnly" << YAML::Value << channel.rxOnly();
    out << YAML::Key << "power" << YAML::Value << powerName(channel.power());
    out << YAML::Key << "timeout" << YAML::Value << channel.tot() * TotStepSeconds;
    if (const auto admit = admitName(channel))
        out << YAML::Key << "admit" << YAML::Value << *admit;
    emitReference(out, "scanList", "scan", channel.scanList(), codeplug.scanLists().count());
    if (channel.isDigital()) {
        out << YAML::Key << "colorCode" << YAML::Value << channel.colorCode();
        out << YAML::Key << "timeSlot" << YAML::Value << (channel.timeSlot() == 2 ? "TS2" : "TS1");
        emitReference(out, "groupList", "grp", channel.rxGroupList(), codeplug.rxGroupLists().count());
        emitReference(out, "contact", "cont", channel.txContact(), codeplug.contacts().count());
    } else {
        out << YAML::Key << "bandwidth" << YAML::Value
            << (channel.bandwidth() == Bandwidth::Narrow12k5 ? "Narrow" : "Wide");
        emitTone(out, "rxTone", channel.ctcssDecode());
        emitTone(out, "txTone", channel.ctcssEncode());
    }
    out << YAML::EndMap << YAML::EndMap;
}

// The channel ids of a list of member numbers; members that name no channel are left out.
void emitChannelIds(YAML::Emitter& out, const Codeplug& codeplug, const std::vector<int>& members)
{
    out << YAML::Flow << YAML::BeginSeq;
    for (const int member : members) {
        const int index = codeplug.channelIndexOfMember(member);
        if (codeplug.channelAt(index))
            out << idOf("ch", index + 1);
    }
    out << YAML::EndSeq;
}

const char* callTypeName(CallType type)
{
    switch (type) {
    case CallType::GroupCall: return "GroupCall";
    case CallType::AllCall: return "AllCall";
    default: return "PrivateCall";
    }
}

// ---- Reading ----

// A record of the file that the format cannot take.
struct LeftOut {};

// A key that is not there gives a node whose every question but IsDefined throws.
bool isScalar(const YAML::Node& node) { return node.IsDefined() && node.IsScalar(); }
bool isMap(const YAML::Node& node) { return node.IsDefined() && node.IsMap(); }

std::string text(const YAML::Node& node) { return isScalar(node) ? node.Scalar() : std::string(); }

template <typename Number>
std::optional<Number> number(const YAML::Node& node)
{
    if (!isScalar(node))
        return std::nullopt;
    Number value{};
    return YAML::convert<Number>::decode(node, value) ? std::optional(value) : std::nullopt;
}

// The single entry of a map such as {digital: {...}}: its key and value.
std::pair<std::string, YAML::Node> soleEntry(const YAML::Node& item)
{
    if (!isMap(item) || item.size() != 1)
        return {};
    const auto entry = item.begin();
    return {text(entry->first), entry->second};
}

std::optional<PowerLevel> powerLevel(const std::string& name)
{
    if (name == "Min" || name == "Low")
        return PowerLevel::Low;
    if (name == "Mid")
        return PowerLevel::Mid;
    if (name == "High" || name == "Max")
        return PowerLevel::High;
    return std::nullopt;
}

ToneCode toneOf(const YAML::Node& node)
{
    if (!isMap(node))
        return ToneCode::none();
    if (const auto hertz = number<double>(node["ctcss"]))
        return ToneCode::fromCtcssHertz(*hertz);
    if (const auto code = number<int>(node["dcs"])) {
        if (*code == 0 || std::abs(*code) > 777)
            return ToneCode::none();
        char digits[8];
        std::snprintf(digits, sizeof digits, "D%03d%c", std::abs(*code), *code < 0 ? 'I' : 'N');
        return ToneCode::fromText(digits);
    }
    return ToneCode::none();
}

// Builds the records of a qdmr codeplug in a codeplug of the destination's format held in memory,
// the file's ids mapped to the records' positions there.
class ScratchBuilder {
public:
    ScratchBuilder(Codeplug& scratch, int& leftOut) : scratch_(scratch), leftOut_(leftOut) {}

    void build(const YAML::Node& root)
    {
        using Add = void (ScratchBuilder::*)(const YAML::Node&);
        // Scan lists go before the channels that name them; their members follow the channels.
        constexpr std::pair<const char*, Add> steps[] = {
            {"contacts", &ScratchBuilder::addContact},   {"groupLists", &ScratchBuilder::addGroupList},
            {"scanLists", &ScratchBuilder::addScanList}, {"channels", &ScratchBuilder::addChannel},
            {"scanLists", &ScratchBuilder::fillScanList}, {"zones", &ScratchBuilder::addZone}};
        for (const auto& step : steps)
            for (const auto& item : sequence(root[step.first]))
                guarded([&] { (this->*step.second)(item); });
    }

private:
    static YAML::Node sequence(const YAML::Node& node)
    {
        return node.IsDefined() && node.IsSequence() ? node : YAML::Node();
    }

    // A record whose values do not read is left out; the others go on.
    template <typename Add>
    void guarded(Add add)
    {
        try {
            add();
        } catch (const LeftOut&) {
            ++leftOut_;
        } catch (const YAML::Exception&) {
            ++leftOut_;
        }
    }

    static std::string idText(const YAML::Node& map) { return text(map["id"]); }

    int positionOf(const std::unordered_map<std::string, int>& ids, const YAML::Node& reference) const
    {
        const auto found = ids.find(text(reference));
        return found == ids.end() ? 0 : found->second;
    }

    void addContact(const YAML::Node& item)
    {
        const auto [kind, map] = soleEntry(item);
        // DTMF contacts have no place here; older files name the kind by its call type.
        if (kind != "dmr" && kind != "private" && kind != "group" && kind != "all")
            return;
        const auto type = text(map["type"]);
        CallType callType = kind == "group" ? CallType::GroupCall : kind == "all" ? CallType::AllCall
                                                                                  : CallType::PrivateCall;
        if (type == "GroupCall")
            callType = CallType::GroupCall;
        else if (type == "AllCall")
            callType = CallType::AllCall;
        else if (!type.empty() && type != "PrivateCall")
            throw LeftOut{};
        const auto id = callType == CallType::AllCall && !map["number"] ? std::optional<std::uint32_t>(AllCallId)
                                                                         : number<std::uint32_t>(map["number"]);
        if (!id || *id > MaxDmrId)
            throw LeftOut{};
        Contact contact = scratch_.newContact();
        contact.setName(text(map["name"]));
        contact.setCallType(callType);
        contact.setDmrId(*id);
        contact.setAlertTone(number<bool>(map["ring"]).value_or(false));
        // A contact whose DMR ID is there already stands for it, as the merge that follows has it.
        if (const auto present = contactsById_.find(contact.dmrId()); present != contactsById_.end()) {
            contacts_[idText(map)] = present->second;
            return;
        }
        if (scratch_.addContact(contact, true) != AddResult::Added)
            throw LeftOut{};
        const int position = scratch_.contacts().count();
        contactsById_.emplace(contact.dmrId(), position);
        contacts_[idText(map)] = position;
    }

    void addGroupList(const YAML::Node& map)
    {
        RxGroupList list = scratch_.newRxGroupList();
        list.setName(text(map["name"]));
        for (const auto& member : sequence(map["contacts"]))
            if (const int position = positionOf(contacts_, member))
                list.addMember(position);
        if (!scratch_.addRxGroupList(list))
            throw LeftOut{};
        groupLists_[idText(map)] = scratch_.rxGroupLists().count();
    }

    void addScanList(const YAML::Node& map)
    {
        ScanList list = scratch_.newScanList();
        list.setName(text(map["name"]));
        if (!scratch_.addScanList(list))
            throw LeftOut{};
        scanLists_[idText(map)] = scratch_.scanLists().count();
    }

    void fillScanList(const YAML::Node& map)
    {
        const int position = positionOf(scanLists_, map["id"]);
        ScanList* list = scratch_.scanListAt(position - 1);
        if (!list)
            return;
        for (const auto& member : sequence(map["channels"]))
            if (const int channel = positionOf(channels_, member))
                list->addMember(scratch_.memberNumberOf(channel - 1));
    }

    void addChannel(const YAML::Node& item)
    {
        const auto [kind, map] = soleEntry(item);
        const bool digital = kind == "digital" || kind == "dmr";
        // Channels of other kinds (M17) have no place here.
        if (!digital && kind != "analog" && kind != "fm")
            return;
        const auto rx = number<double>(map["rxFrequency"]);
        const auto tx = map["txFrequency"] ? number<double>(map["txFrequency"]) : rx;
        const auto storable = storableFrequencies(scratch_.formatId());
        if (!rx || !tx || !storable.contains(*rx) || !storable.contains(*tx))
            throw LeftOut{};

        Channel channel = scratch_.newChannel(*rx);
        channel.setMode(digital ? ChannelMode::Dmr : ChannelMode::Fm);
        channel.setName(text(map["name"]));
        channel.setRxFrequency(*rx);
        channel.setTxFrequency(*tx);
        channel.setRxOnly(number<bool>(map["rxOnly"]).value_or(false));
        // qdmr's VOX is a sensitivity, 0 for off; a tagged value (!default) leaves the channel's.
        if (const auto vox = number<int>(map["vox"]))
            channel.setVox(*vox > 0);
        if (const auto level = powerLevel(text(map["power"])))
            channel.setPower(*level);
        // A tagged value (!default) leaves the radio's own setting.
        if (const auto seconds = number<int>(map["timeout"]))
            channel.setTot((std::max(*seconds, 0) + TotStepSeconds / 2) / TotStepSeconds);
        const auto admit = text(map["admit"]);
        if (admit == "Always")
            channel.setAdmitFromText("ALWAYS");
        else if (admit == "Free")
            channel.setAdmitFromText("CHANNEL_FREE");
        else if (admit == "ColorCode" && digital)
            channel.setAdmitFromText("COLOR_CODE");
        else if (admit == "Tone" && !digital)
            channel.setAdmitFromText("CORRECT_PL");
        channel.setScanList(positionOf(scanLists_, map["scanList"]));
        if (digital) {
            // DMR is 12.5 kHz wide; qdmr names no bandwidth for it.
            channel.setBandwidth(Bandwidth::Narrow12k5);
            if (const auto code = number<int>(map["colorCode"]))
                channel.setColorCode(*code);
            channel.setTimeSlot(text(map["timeSlot"]) == "TS2" ? 2 : 1);
            channel.setRxGroupList(positionOf(groupLists_, map["groupList"]));
            channel.setTxContact(positionOf(contacts_, map["contact"]));
            channel.refreshContactName(scratch_.contacts());
        } else {
            channel.setBandwidth(text(map["bandwidth"]) == "Narrow" ? Bandwidth::Narrow12k5 : Bandwidth::Wide25k);
            channel.setCtcssDecode(toneOf(map["rxTone"]));
            channel.setCtcssEncode(toneOf(map["txTone"]));
        }
        readTytExtension(map["tyt"], channel);
        if (scratch_.addChannel(channel) != AddResult::Added)
            throw LeftOut{};
        channels_[idText(map)] = scratch_.channels().count();
    }

    // The settings of qdmr's TYT channel extension that every channel of ours has.
    static void readTytExtension(const YAML::Node& tyt, Channel& channel)
    {
        if (!isMap(tyt))
            return;
        const auto flag = [&tyt](const char* key, void (Channel::*set)(bool), Channel& target) {
            if (const auto on = number<bool>(tyt[key]))
                (target.*set)(*on);
        };
        flag("loneWorker", &Channel::setLoneWorker, channel);
        flag("autoScan", &Channel::setAutoScan, channel);
        flag("talkaround", &Channel::setTalkaround, channel);
        flag("dataCallConfirmed", &Channel::setDataCallConfirmed, channel);
        flag("privateCallConfirmed", &Channel::setPrivateCallConfirmed, channel);
        flag("emergencyAlarmConfirmed", &Channel::setEmergencyAlarmAck, channel);
        if (const auto tight = number<bool>(tyt["tightSquelch"]))
            channel.setSquelch(*tight ? Squelch::Tight : Squelch::Normal);
        for (const auto& [key, set] : {std::pair{"rxRefFrequency", &Channel::setRxRefFrequencyFromText},
                                       std::pair{"txRefFrequency", &Channel::setTxRefFrequencyFromText}}) {
            const auto level = text(tyt[key]);
            if (level == "Low" || level == "Medium" || level == "High")
                (channel.*set)(level);
        }
    }

    void addZone(const YAML::Node& map)
    {
        Zone zone = scratch_.newZone();
        zone.setName(text(map["name"]));
        const char* banks[] = {"A", "B"};
        for (int bank = 1; bank <= std::min(zone.bankCount(), 2); ++bank) {
            zone.selectBank(bank);
            for (const auto& member : sequence(map[banks[bank - 1]]))
                if (const int channel = positionOf(channels_, member))
                    zone.addMember(scratch_.memberNumberOf(channel - 1));
        }
        zone.selectBank(1);
        if (!scratch_.addZone(zone))
            throw LeftOut{};
    }

    Codeplug& scratch_;
    int& leftOut_;
    std::unordered_map<std::string, int> contacts_;
    std::unordered_map<std::uint32_t, int> contactsById_;
    std::unordered_map<std::string, int> groupLists_;
    std::unordered_map<std::string, int> scanLists_;
    std::unordered_map<std::string, int> channels_;
};

} // namespace

std::string qdmrYaml(const Codeplug& codeplug)
{
    YAML::Emitter out;
    out << YAML::BeginMap;
    // The layout of qdmr 0.11, whose "digital" and "analog" channel keys later versions read too.
    out << YAML::Key << "version" << YAML::Value << QdmrLayoutVersion;

    out << YAML::Key << "radioIDs" << YAML::Value << YAML::BeginSeq;
    out << YAML::BeginMap << YAML::Key << "dmr" << YAML::Value << YAML::Flow << YAML::BeginMap;
    out << YAML::Key << "id" << YAML::Value << "id1";
    out << YAML::Key << "name" << YAML::Value << YAML::DoubleQuoted << codeplug.radioName().value_or("");
    out << YAML::Key << "number" << YAML::Value << codeplug.radioDmrId();
    out << YAML::EndMap << YAML::EndMap << YAML::EndSeq;
    out << YAML::Key << "settings" << YAML::Value << YAML::BeginMap << YAML::Key << "defaultID" << YAML::Value << "id1"
        << YAML::EndMap;

    out << YAML::Key << "contacts" << YAML::Value << YAML::BeginSeq;
    int position = 0;
    for (const auto& contact : codeplug.contacts()) {
        out << YAML::BeginMap << YAML::Key << "dmr" << YAML::Value << YAML::Flow << YAML::BeginMap;
        out << YAML::Key << "id" << YAML::Value << idOf("cont", ++position);
        out << YAML::Key << "name" << YAML::Value << YAML::DoubleQuoted << contact->name();
        out << YAML::Key << "type" << YAML::Value << callTypeName(contact->callType());
        out << YAML::Key << "number" << YAML::Value << contact->dmrId();
        out << YAML::Key << "ring" << YAML::Value << contact->alertTone();
        out << YAML::EndMap << YAML::EndMap;
    }
    out << YAML::EndSeq;

    out << YAML::Key << "groupLists" << YAML::Value << YAML::BeginSeq;
    position = 0;
    for (const auto& list : codeplug.rxGroupLists()) {
        out << YAML::Flow << YAML::BeginMap;
        out << YAML::Key << "id" << YAML::Value << idOf("grp", ++position);
        out << YAML::Key << "name" << YAML::Value << YAML::DoubleQuoted << list->name();
        out << YAML::Key << "contacts" << YAML::Value << YAML::Flow << YAML::BeginSeq;
        // qdmr's group lists hold group calls only: it refuses a list with another kind of contact.
        for (const int member : list->members()) {
            const Contact* contact = codeplug.contactAt(member - 1);
            if (contact && contact->callType() == CallType::GroupCall)
                out << idOf("cont", member);
        }
        out << YAML::EndSeq << YAML::EndMap;
    }
    out << YAML::EndSeq;

    out << YAML::Key << "channels" << YAML::Value << YAML::BeginSeq;
    position = 0;
    for (const auto& channel : codeplug.channels())
        emitChannel(out, codeplug, *channel, ++position);
    out << YAML::EndSeq;

    out << YAML::Key << "zones" << YAML::Value << YAML::BeginSeq;
    position = 0;
    for (const auto& original : codeplug.zones()) {
        Zone zone(*original);
        out << YAML::BeginMap;
        out << YAML::Key << "id" << YAML::Value << idOf("zone", ++position);
        out << YAML::Key << "name" << YAML::Value << YAML::DoubleQuoted << zone.name();
        for (int bank = 1; bank <= 2; ++bank) {
            out << YAML::Key << (bank == 1 ? "A" : "B") << YAML::Value;
            std::vector<int> members;
            if (bank <= zone.bankCount()) {
                zone.selectBank(bank);
                members = zone.members();
            }
            emitChannelIds(out, codeplug, members);
        }
        out << YAML::EndMap;
    }
    out << YAML::EndSeq;

    out << YAML::Key << "scanLists" << YAML::Value << YAML::BeginSeq;
    position = 0;
    for (const auto& list : codeplug.scanLists()) {
        out << YAML::BeginMap;
        out << YAML::Key << "id" << YAML::Value << idOf("scan", ++position);
        out << YAML::Key << "name" << YAML::Value << YAML::DoubleQuoted << list->name();
        out << YAML::Key << "channels" << YAML::Value;
        emitChannelIds(out, codeplug, list->members());
        out << YAML::EndMap;
    }
    out << YAML::EndSeq;

    out << YAML::EndMap;
    return std::string(out.c_str()) + "\n";
}

QdmrImport importQdmrYaml(Codeplug& working, std::string_view yaml)
{
    QdmrImport result;
    if (!working.loaded()) {
        result.refusal = "no codeplug is loaded";
        return result;
    }
    YAML::Node loaded;
    try {
        loaded = YAML::Load(std::string(yaml));
    } catch (const YAML::Exception& e) {
        result.refusal = "not a YAML document: " + e.msg + " (line " + std::to_string(e.mark.line + 1) + ")";
        return result;
    }
    const YAML::Node& root = loaded;
    if (!root.IsMap() || !(root["channels"] || root["contacts"] || root["zones"])) {
        result.refusal = "not a qdmr codeplug: no channels, contacts or zones";
        return result;
    }
    Codeplug scratch;
    scratch.startInMemory(working.formatId());
    ScratchBuilder(scratch, result.leftOut).build(root);
    result.counts = importStructuresFrom(working, scratch, ImportAllKinds);
    result.read = true;
    return result;
}

QdmrImport importQdmrFile(Codeplug& working, const std::filesystem::path& path)
{
    const auto content = readFileBytes(path, YamlReadLimit);
    if (!content) {
        QdmrImport refused;
        refused.refusal = "cannot read " + path.string() + ": " + readProblem(path).message();
        return refused;
    }
    return importQdmrYaml(working, std::string_view(reinterpret_cast<const char*>(content.bytes.data()),
                                                    content.bytes.size()));
}

std::string qdmrImportReport(const std::string& path, const QdmrImport& imported)
{
    auto report = structuralImportReport(path, ImportAllKinds, imported.counts);
    if (imported.leftOut > 0)
        report += std::to_string(imported.leftOut) + " records of the file left out: their values do not fit this "
                                                     "codeplug.\r\n";
    return report;
}

TransferOutcome exportQdmrCommand(const Codeplug& working, Prompts& prompts)
{
    return exportTextCommand(working, prompts, OpenFirstMessage,
                             exportFileRequest("Export to qdmr Codeplug File...", QdmrFilter, "yaml"),
                             [&working] { return qdmrYaml(working); }, "Successfully wrote the qdmr codeplug file.",
                             "Unable to write the qdmr codeplug file.");
}

TransferOutcome importQdmrCommand(Codeplug& working, Prompts& prompts, WorkProgress* /*progress*/)
{
    TransferOutcome outcome;
    const auto path = chosenFile(working, prompts, OpenFirstMessage, outcome,
                                 importFileRequest("Import from qdmr Codeplug File...", QdmrFilter, "Import >"));
    return importFrom(path, outcome, prompts, [&] {
        const QdmrImport imported = importQdmrFile(working, *path);
        if (!imported.read)
            return importFailed(MessageIcon::Error, StructuralImportFailure + imported.refusal);
        return importDone(qdmrImportReport(*path, imported),
                          {.added = imported.counts.contacts + imported.counts.channels});
    });
}

} // namespace pw
