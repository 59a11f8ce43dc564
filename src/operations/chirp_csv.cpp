// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/chirp_csv.h"

#include "codeplug/codeplug.h"
#include "codeplug/frequency_limits.h"
#include "model/field_readers.h"
#include "model/letter_case.h"
#include "model/line_fields.h"
#include "operations/document_commands.h"
#include "operations/text_lines.h"
#include "operations/transfer_command_support.h"
#include "platform/file_io.h"
#include "platform/overwrite_question.h"
#include "platform/prompts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <unordered_map>
#include <vector>

namespace pw {
namespace {

using namespace transfer_commands;

constexpr const char* ChirpFilter = "CHIRP CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||";
constexpr double OffsetLimitMhz = 100.0;  // a larger split is written as the transmit frequency

// The nominal power of the three levels of a hand-held, in watts, for reading CHIRP's watts.
struct LevelWatts {
    PowerLevel level;
    double watts;
    const char* text;
};
constexpr LevelWatts PowerWatts[] = {
    {PowerLevel::Low, 1.0, "1.0W"}, {PowerLevel::Mid, 2.5, "2.5W"}, {PowerLevel::High, 5.0, "5.0W"}};

// ---- Fields ----

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string fixed(double value, int decimals)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// ---- Tones ----

// The three DCS digits of a code ("023").
std::string dcsDigits(ToneCode tone) { return tone.text().substr(1, 3); }

struct ChirpTones {
    std::string mode;
    std::string rTone = "88.5";
    std::string cTone = "88.5";
    std::string dtcs = "023";
    std::string polarity = "NN";
    std::string rxDtcs = "023";
    std::string cross = "Tone->Tone";
};

ChirpTones chirpTones(ToneCode encode, ToneCode decode)
{
    ChirpTones tones;
    const auto hertz = [](ToneCode tone) { return fixed(tone.ctcssHertz(), 1); };
    if (encode.isNone() && decode.isNone())
        return tones;
    if (encode.isCtcss() && decode.isNone()) {
        tones.mode = "Tone";
        tones.rTone = hertz(encode);
        return tones;
    }
    if (encode.isCtcss() && encode == decode) {
        tones.mode = "TSQL";
        tones.rTone = tones.cTone = hertz(encode);
        return tones;
    }
    tones.polarity = std::string(encode.isInverted() ? "R" : "N") + (decode.isInverted() ? "R" : "N");
    if (encode.isDcs() && decode.isDcs() && dcsDigits(encode) == dcsDigits(decode)) {
        tones.mode = "DTCS";
        tones.dtcs = tones.rxDtcs = dcsDigits(encode);
        return tones;
    }
    tones.mode = "Cross";
    // One side of "X->Y": its name, the tone or code written to the field that side reads.
    const auto side = [&hertz](ToneCode tone, std::string& ctcssField, std::string& dcsField) -> std::string {
        if (tone.isCtcss()) {
            ctcssField = hertz(tone);
            return "Tone";
        }
        if (tone.isDcs()) {
            dcsField = dcsDigits(tone);
            return "DTCS";
        }
        return "";
    };
    const auto sent = side(encode, tones.rTone, tones.dtcs);
    tones.cross = sent + "->" + side(decode, tones.cTone, tones.rxDtcs);
    return tones;
}

// ---- Reading a memory ----

// A value that does not read, or one the radio cannot hold.
struct Unreadable {};

class Memory {
public:
    Memory(const std::unordered_map<std::string, std::size_t>& columns, std::vector<std::string> fields)
        : columns_(columns), fields_(std::move(fields))
    {
    }

    std::string_view operator[](const char* column) const
    {
        const auto found = columns_.find(column);
        return found == columns_.end() || found->second >= fields_.size() ? std::string_view()
                                                                          : trimmed(fields_[found->second]);
    }

    double megahertz(const char* column) const
    {
        auto text = (*this)[column];
        if (text.size() > 4 && text.substr(text.size() - 4) == " MHz")
            text.remove_suffix(4);
        const auto value = frequencyFromText(text);
        if (!value)
            throw Unreadable{};
        return *value;
    }

    ToneCode ctcss(const char* column) const
    {
        const auto hertz = frequencyFromText((*this)[column]);
        if (!hertz)
            throw Unreadable{};
        const auto tone = ToneCode::fromCtcssHertz(*hertz);
        if (tone.isNone())
            throw Unreadable{};
        return tone;
    }

    ToneCode dcs(const char* column, char polarity) const
    {
        const auto text = (*this)[column];
        int code = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
        if (text.empty() || error != std::errc() || end != text.data() + text.size() || code <= 0 || code > 777)
            throw Unreadable{};
        char digits[8];
        std::snprintf(digits, sizeof digits, "D%03d%c", code, polarity == 'R' ? 'I' : 'N');
        const auto tone = ToneCode::fromText(digits);
        if (tone.isNone() || dcsDigits(tone) != std::string(digits + 1, 3))
            throw Unreadable{};
        return tone;
    }

private:
    const std::unordered_map<std::string, std::size_t>& columns_;
    std::vector<std::string> fields_;
};

struct Tones {
    ToneCode encode;
    ToneCode decode;
};

Tones tonesOf(const Memory& memory)
{
    const auto mode = memory["Tone"];
    auto polarity = std::string(memory["DtcsPolarity"]);
    if (polarity.empty())
        polarity = "NN";
    if (polarity.size() != 2)
        throw Unreadable{};
    if (mode.empty())
        return {};
    if (mode == "Tone")
        return {memory.ctcss("rToneFreq"), ToneCode::none()};
    if (mode == "TSQL") {
        const auto tone = memory.ctcss("cToneFreq");
        return {tone, tone};
    }
    if (mode == "DTCS")
        return {memory.dcs("DtcsCode", polarity[0]), memory.dcs("DtcsCode", polarity[1])};
    if (mode != "Cross")
        throw Unreadable{};  // the reverse squelch modes, which the radios do not have
    const auto cross = memory["CrossMode"];
    const auto arrow = cross.find("->");
    if (arrow == std::string_view::npos)
        throw Unreadable{};
    // One side of "X->Y": the tone it names, read from the column that side keeps it in.
    const auto side = [&memory](std::string_view name, const char* ctcssColumn, const char* dcsColumn, char direction) {
        if (name == "Tone")
            return memory.ctcss(ctcssColumn);
        if (name == "DTCS")
            return memory.dcs(dcsColumn, direction);
        if (!name.empty())
            throw Unreadable{};
        return ToneCode::none();
    };
    const ToneCode encode = side(cross.substr(0, arrow), "rToneFreq", "DtcsCode", polarity[0]);
    return {encode, side(cross.substr(arrow + 2), "cToneFreq", "RxDtcsCode", polarity[1])};
}

// The wattage a Power field asks for: watts, or CHIRP's older level names.
double wattsOf(std::string_view text)
{
    if (text.empty())
        return PowerWatts[2].watts;  // CHIRP's own default is 50 W
    const char first = upperAscii(text.front());
    if (first == 'H')
        return PowerWatts[2].watts;
    if (first == 'M')
        return PowerWatts[1].watts;
    if (first == 'L')
        return PowerWatts[0].watts;
    if (text.back() == 'W' || text.back() == 'w')
        text.remove_suffix(1);
    const auto watts = frequencyFromText(text);
    if (!watts || *watts < 0)
        throw Unreadable{};
    return *watts;
}

// The level the codeplug's format stores that lies nearest to `watts`.
PowerLevel nearestLevel(const Codeplug& working, double watts)
{
    Channel probe = working.newChannel();
    std::optional<LevelWatts> best;
    for (const auto& candidate : PowerWatts) {
        probe.setPower(candidate.level);
        if (probe.power() != candidate.level)
            continue;
        if (!best || std::abs(candidate.watts - watts) < std::abs(best->watts - watts))
            best = candidate;
    }
    return best ? best->level : PowerLevel::High;
}

bool inBands(const std::vector<FrequencyLimits>& bands, double mhz)
{
    return std::any_of(bands.begin(), bands.end(), [mhz](const FrequencyLimits& band) { return band.contains(mhz); });
}

std::string bandsText(const std::vector<FrequencyLimits>& bands)
{
    std::string text;
    for (const auto& band : bands)
        text += (text.empty() ? "" : ", ") + megahertzText(band.lowestMhz) + "-" + megahertzText(band.highestMhz);
    return text + " MHz";
}

enum class Verdict { Imported, NamePresent, OutOfBand, NotFm, Unreadable, TableFull };

Verdict addMemory(Codeplug& working, const Memory& memory, const std::vector<FrequencyLimits>& bands)
{
    const auto mode = memory["Mode"];
    if (mode != "FM" && mode != "NFM")
        return Verdict::NotFm;
    const double rx = memory.megahertz("Frequency");
    const auto duplex = memory["Duplex"];
    double tx = rx;
    if (duplex == "+" || duplex == "-") {
        const double offset = memory.megahertz("Offset");
        tx = duplex == "+" ? rx + offset : rx - offset;
    } else if (duplex == "split") {
        tx = memory.megahertz("Offset");
    } else if (!duplex.empty() && duplex != "off") {
        throw Unreadable{};
    }
    const auto tones = tonesOf(memory);
    const double watts = wattsOf(memory["Power"]);
    if (!inBands(bands, rx) || !inBands(bands, tx))
        return Verdict::OutOfBand;

    std::string name(memory["Name"]);
    if (name.empty())
        name = Channel::frequencyText(rx);
    Channel channel = working.newChannel(rx);
    channel.setMode(ChannelMode::Fm);
    channel.setName(name);
    channel.setRxFrequency(rx);
    channel.setTxFrequency(tx);
    channel.setRxOnly(duplex == "off");
    channel.setBandwidth(mode == "NFM" ? Bandwidth::Narrow12k5 : Bandwidth::Wide25k);
    channel.setCtcssEncode(tones.encode);
    channel.setCtcssDecode(tones.decode);
    channel.setPower(nearestLevel(working, watts));
    switch (working.addChannel(channel)) {
    case AddResult::Added: return Verdict::Imported;
    case AddResult::TableFullRefused: return Verdict::TableFull;
    case AddResult::DuplicateRefused: return Verdict::NamePresent;
    default: throw Unreadable{};
    }
}

} // namespace

std::string chirpCsv(const Codeplug& codeplug)
{
    std::string text;
    appendCrLfLine(text, ChirpCsvHeader);
    int location = 0;
    for (const auto& channel : codeplug.channels()) {
        if (channel->isDigital())
            continue;
        const double rx = channel->rxFrequency();
        const double tx = channel->txFrequency();
        std::string duplex;
        double offset = 0.0;
        if (channel->rxOnly()) {
            duplex = "off";
        } else if (std::abs(tx - rx) >= OffsetLimitMhz) {
            duplex = "split";
            offset = tx;
        } else if (std::abs(tx - rx) >= 0.000005) {
            duplex = tx > rx ? "+" : "-";
            offset = std::abs(tx - rx);
        }
        const auto tones = chirpTones(channel->ctcssEncode(), channel->ctcssDecode());
        const char* power = PowerWatts[static_cast<std::size_t>(channel->power())].text;
        std::string name;
        appendCsvField(name, channel->name(), ",\"\r\n");
        const std::string fields[] = {
            std::to_string(++location), name, fixed(rx, 6), duplex, fixed(offset, 6),
            tones.mode, tones.rTone, tones.cTone, tones.dtcs, tones.polarity, tones.rxDtcs, tones.cross,
            channel->bandwidth() == Bandwidth::Narrow12k5 ? "NFM" : "FM", "5.00", "", power, "", "", "", "", ""};
        std::string line = fields[0];
        for (std::size_t i = 1; i < std::size(fields); ++i)
            line += "," + fields[i];
        appendCrLfLine(text, line);
    }
    return text;
}

ChirpImport importChirpCsv(Codeplug& working, TextLineReader& lines)
{
    ChirpImport result;
    std::string line;
    std::unordered_map<std::string, std::size_t> columns;
    while (lines.next(line)) {
        if (!line.empty() && line.front() == '#')
            continue;
        std::vector<std::string> names;
        splitCsvLine(line, names);
        for (std::size_t i = 0; i < names.size(); ++i)
            columns.emplace(std::string(trimmed(names[i])), i);
        break;
    }
    if (!columns.contains("Frequency")) {
        result.refusal = "not a CHIRP CSV file: its first line names no Frequency column";
        return result;
    }
    result.read = true;
    const auto bands = working.radioBands();
    Codeplug::EditScope edit(working);
    while (lines.next(line)) {
        if (line.empty() || line.front() == '#')
            continue;
        std::vector<std::string> fields;
        splitCsvLine(line, fields);
        Verdict verdict = Verdict::Unreadable;
        if (fields.size() >= columns.size() && result.tableFull == 0) {
            try {
                verdict = addMemory(working, Memory(columns, std::move(fields)), bands);
            } catch (const Unreadable&) {
                verdict = Verdict::Unreadable;
            }
        } else if (result.tableFull > 0) {
            verdict = Verdict::TableFull;
        }
        switch (verdict) {
        case Verdict::Imported: ++result.imported; break;
        case Verdict::NamePresent: ++result.namePresent; break;
        case Verdict::OutOfBand: ++result.outOfBand; break;
        case Verdict::NotFm: ++result.notFm; break;
        case Verdict::Unreadable: ++result.unreadable; break;
        case Verdict::TableFull: ++result.tableFull; break;
        }
    }
    if (result.imported > 0)
        edit.changed();
    return result;
}

std::string chirpImportReport(const Codeplug& working, const ChirpImport& imported)
{
    std::string report = std::to_string(imported.imported) + " channels imported.";
    const auto line = [&report](int count, const std::string& why) {
        if (count > 0)
            report += "\r\n" + std::to_string(count) + why;
    };
    line(imported.namePresent, " skipped: a channel of that name is present.");
    line(imported.outOfBand, " refused: outside the radio's bands (" + bandsText(working.radioBands()) + ").");
    line(imported.notFm, " refused: not FM memories.");
    line(imported.unreadable, " refused: values that do not read or that the radio cannot hold.");
    line(imported.tableFull, " left out: the channel table is full.");
    return report;
}

TransferOutcome exportChirpCommand(const Codeplug& working, Prompts& prompts)
{
    return exportTextCommand(working, prompts, OpenFirstMessage,
                             exportFileRequest("Export FM Channels to CHIRP CSV File...", ChirpFilter, "csv"),
                             [&working] { return chirpCsv(working); },
                             "Successfully wrote the FM channels to the CHIRP CSV file.", "Unable to write CSV file.");
}

TransferOutcome importChirpCommand(Codeplug& working, Prompts& prompts, WorkProgress* /*progress*/)
{
    TransferOutcome outcome;
    const auto path = chosenChannelImportFile(
        working, prompts, OpenFirstMessage, outcome,
        importFileRequest("Import FM Channels from CHIRP CSV File...", ChirpFilter, "Import >", "csv"));
    return importFrom(path, outcome, prompts, [&] {
        constexpr const char* Unable = "Unable to import the CHIRP CSV file.\r\n";
        TextLineReader lines(*path);
        if (!lines.isOpen() || lines.failed())
            return importFailed(MessageIcon::Error,
                                Unable + ("cannot read " + *path + ": " + readProblem(*path).message()));
        const ChirpImport imported = importChirpCsv(working, lines);
        if (!imported.read)
            return importFailed(MessageIcon::Error, Unable + imported.refusal, TransferOutcome::Status::Refused);
        return importDone(chirpImportReport(working, imported), {.added = imported.imported,
                                                                 .duplicates = imported.namePresent,
                                                                 .tableFull = imported.tableFull > 0});
    });
}

} // namespace pw
