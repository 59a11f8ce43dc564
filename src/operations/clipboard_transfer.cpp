// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/clipboard_transfer.h"

#include "codeplug/codeplug.h"
#include "model/field_readers.h"
#include "model/line_fields.h"
#include "model/list_support.h"
#include "model/unicode_text.h"
#include "operations/channel_line.h"
#include "operations/document_commands.h"
#include "operations/contact_transfer.h"
#include "operations/text_lines.h"
#include "platform/clipboard.h"
#include "platform/prompts.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>

namespace pw {
namespace {

using list_support::equalsIgnoringCase;

constexpr std::size_t ContactNameFieldLimit = 31;
constexpr std::size_t NameInputLength = 16;

constexpr const char* InvalidDataMessage = "Invalid clipboard data; unable to paste.";
constexpr const char* ChannelMemoryFullMessage = "Channel memory is full.";
constexpr const char* ZoneChannelMemoryFullMessage = "Channel memory became full (during zone paste).";
constexpr const char* NoRoomForZonesMessage = "No room for more zones - maximum number reached.";
constexpr const char* InvalidZoneNameMessage = "Invalid zone name in clipboard data.";

// The rows that name a record, each once, in table order.
std::vector<int> rowsInTableOrder(std::vector<int> rows, int count)
{
    std::erase_if(rows, [count](int row) { return row < 0 || row >= count; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// The channel's line and the line of the contact it transmits to, each ended by CR LF.
void appendChannelPair(std::string& text, const Channel& channel, const Codeplug& codeplug)
{
    appendCrLfLine(text, ChannelLine::write(channel, codeplug));
    const Contact* contact = channel.isDigital() && channel.txContact() > 0
                                 ? codeplug.contactAt(channel.txContact() - 1)
                                 : nullptr;
    if (!contact) {
        appendCrLfLine(text, NoContactLine);
        return;
    }
    // Quoted as the contact line quotes, so that a name holding a double quote still reads back
    // as one field.
    std::string line;
    appendQuotedField(line, std::to_string(contact->dmrId()));
    line += ',';
    appendQuotedField(line, contact->name());
    line += ',';
    appendQuotedField(line, contact->callTypeText());
    line += ',';
    appendQuotedField(line, contact->alertToneText());
    appendCrLfLine(text, line);
}

// The lines of a pasted text, read as the CSV files are (operations/text_lines.h): CR, LF and
// CR LF each end a line, but a CR inside a quoted field is the field's. What follows the last line
// end is a line only when it is not empty.
std::vector<std::string_view> splitLines(std::string_view text)
{
    const char lineEnd = text.find('\n') == std::string_view::npos ? '\r' : '\n';
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find(lineEnd, start);
        auto line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (lineEnd == '\n' && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        for (const auto piece : splitAtLineEndingCarriageReturns(line))
            lines.push_back(piece);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return lines;
}

// Reads the lines of a paste from the second on.
class PasteLines {
public:
    explicit PasteLines(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}

    bool atEnd() const { return next_ >= lines_.size(); }
    // The line at `offset` from the reading position; empty past the end.
    std::string_view peek(std::size_t offset) const
    {
        const auto at = next_ + offset;
        return at < lines_.size() ? lines_[at] : std::string_view();
    }
    void skip(std::size_t count) { next_ = std::min(lines_.size(), next_ + count); }
    std::string_view header() const { return lines_.front(); }
    // The lines after the reading position that hold something.
    int filledLinesLeft() const
    {
        return static_cast<int>(std::count_if(lines_.begin() + static_cast<std::ptrdiff_t>(std::min(next_, lines_.size())),
                                              lines_.end(), [](std::string_view line) { return !isBlankLine(line); }));
    }

private:
    std::vector<std::string_view> lines_;
    std::size_t next_ = 1;
};

// Why a pasted line is refused before it is read: too long, or holding a zero byte.
std::optional<std::string> pastedLineRefusal(std::string_view line)
{
    return lineRefusal(line, utf8Length(line) > PasteLineLimit);
}

std::uint32_t leadingNumber(std::string_view text)
{
    std::uint64_t value = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        value = std::min<std::uint64_t>(value * 10 + static_cast<unsigned>(c - '0'), 0xFFFFFFFFull);
    }
    return static_cast<std::uint32_t>(value);
}

// What one paste gathers while it works through its pairs.
struct PasteState {
    Codeplug& codeplug;
    Prompts& prompts;
    const ShowPasteTab& showTab;
    ContactIndex contacts;
    PasteOutcome outcome;
    ImportShortfall shortfall;

    PasteState(Codeplug& plug, Prompts& shown, const ShowPasteTab& show)
        : codeplug(plug), prompts(shown), showTab(show), contacts(plug)
    {
    }

    // The lines after the one that ended the paste, which it does not read.
    void refuseLinesLeft(const PasteLines& lines)
    {
        if (const int left = lines.filledLinesLeft())
            shortfall.refuseLine(LineAfterTheEnd, left);
    }

    // The paste has passed its checks and works on `tab`: the window brings it to the front
    // before anything is reported.
    void enter(PasteTab tab)
    {
        outcome.tab = tab;
        if (showTab)
            showTab(tab);
    }
};

// Points the pasted channel at the contact its contact line names, adding that contact to the
// working codeplug when no contact of that name is there.
void takeSupportingContact(PasteState& paste, Channel& channel, std::string_view contactLine)
{
    if (contactLine == NoContactLine)
        return;
    std::string name;
    CsvFieldReader::field(contactLine, 1, ContactNameFieldLimit, name);
    if (name.empty())
        return;
    if (paste.contacts.findByName(name) < 0) {
        const auto result = addContactFromLine(paste.codeplug, contactLine);
        if (result.add == AddResult::TableFullRefused) {
            paste.prompts.error("Error: Unable to add contact " + name + " for pasted channel " + channel.name() +
                                "; contacts table is full.");
        } else if (result.added()) {
            ++paste.outcome.contactsAdded;
            paste.contacts.catchUp();
            // The contact keeps at most 16 characters of a longer name; look it up by the name it got.
            name = paste.codeplug.contactAt(paste.codeplug.contacts().count() - 1)->name();
        } else if (result.add == AddResult::DuplicateRefused) {
            const auto id = leadingNumber(CsvFieldReader::field(contactLine, 0));
            const int existing = id == 0 ? -1 : paste.contacts.findById(id);
            name = existing >= 0 ? paste.codeplug.contactAt(existing)->name() : std::string();
        }
    }
    channel.setTxContactByName(name, [&paste](std::string_view wanted) { return paste.contacts.findByName(wanted); });
}

enum class PairRead {
    Channel,    // the pair was read into the channel
    Skipped,    // the channel line does not read; the pair is passed over
    BlankLine,  // the channel line is empty (left unread) or the text has ended
    Cut,        // the channel line has no contact line after it: the text ends inside a pair
};

// Reads the channel pair at the reading position into `channel` and moves past it. A pair that is
// passed over is counted with its reason.
PairRead readPair(PasteState& paste, PasteLines& lines, Channel& channel, std::string& contactLine)
{
    const auto channelLine = lines.peek(0);
    if (channelLine.empty())
        return PairRead::BlankLine;
    contactLine = std::string(lines.peek(1));
    lines.skip(2);
    if (contactLine.empty()) {
        paste.shortfall.refuseLine(ChannelWithoutContactLine);
        return PairRead::Cut;
    }
    if (const auto refusal = pastedLineRefusal(channelLine)) {
        paste.shortfall.refuseLine(*refusal);
        return PairRead::Skipped;
    }
    if (pastedLineRefusal(contactLine))
        contactLine.clear();
    channel = paste.codeplug.newChannel();
    std::string refusal;
    const ChannelLineRead read = ChannelLine::read(channelLine, channel, &paste.codeplug, &paste.contacts, &refusal);
    if (read == ChannelLineRead::ValueRefused)
        paste.shortfall.refuseLine(refusal);
    else if (read != ChannelLineRead::Read)
        paste.shortfall.refuseLine(ChannelLineTooFewFields);
    if (read != ChannelLineRead::Read)
        return PairRead::Skipped;
    return PairRead::Channel;
}

// Asks for a new name for a record whose name is taken, the name in use offered, and gives it to
// the record. False when the user cancels, or answers with the name in use: that name would only be
// refused again, and an answer that never changes (the command line answers every input box alike)
// must not be asked for ever.
template <typename Record>
bool renamedByUser(Prompts& prompts, Record& record, std::string_view title, std::string_view prompt)
{
    const auto typed = prompts.inputBox(title, prompt, NameInputLength, record.name());
    if (!typed)
        return false;
    const auto refused = record.name();
    record.setName(*typed);
    return !equalsIgnoringCase(record.name(), refused);
}

// Asks whether to paste the channel under another name until it is added or the user declines.
// Returns addChannel's last result; a declined rename counts as a duplicate.
AddResult addUnderFreeName(PasteState& paste, Channel& channel)
{
    AddResult result = paste.codeplug.addChannel(channel);
    while (result == AddResult::DuplicateRefused) {
        const auto answer = paste.prompts.message(
            MessageIcon::Question, MessageButtons::YesNo,
            "Channel name '" + channel.name() + "' already exists; paste under new channel name?");
        if (answer != MessageAnswer::Yes)
            break;
        if (!renamedByUser(paste.prompts, channel, "New Channel Name", "Enter new channel name"))
            break;
        result = paste.codeplug.addChannel(channel);
    }
    if (result == AddResult::DuplicateRefused)
        ++paste.outcome.duplicates;
    return result;
}

void pasteContacts(PasteState& paste, PasteLines& lines)
{
    auto& outcome = paste.outcome;
    while (!lines.atEnd()) {
        const auto line = lines.peek(0);
        if (line.empty())
            break;
        lines.skip(1);
        if (const auto refusal = pastedLineRefusal(line)) {
            paste.shortfall.refuseLine(*refusal);
            continue;
        }
        const auto result = addContactFromLine(paste.codeplug, line);
        if (result.added())
            ++outcome.contactsAdded;
        else if (result.add == AddResult::DuplicateRefused)
            ++outcome.duplicates;
        else if (result.add == AddResult::TableFullRefused)
            paste.shortfall.leaveOut();
        else
            paste.shortfall.refuseLine(contactLineRefusal(result.read));
    }
    paste.refuseLinesLeft(lines);
    const auto shortfall = paste.shortfall.text("pasted", "contact", contactCapacity(paste.codeplug.formatId()));
    if (outcome.contactsAdded > 0) {
        Codeplug::EditScope edit(paste.codeplug);
        edit.changed();
        outcome.result.modelChanged = true;
    }
    paste.enter(PasteTab::Contacts);
    outcome.result.refresh = TabList::Contacts;
    if (outcome.duplicates > 0)
        paste.prompts.inform(std::to_string(outcome.contactsAdded) + " Contacts added; " +
                             std::to_string(outcome.duplicates) + " Duplicates were skipped." + shortfall);
    else
        paste.prompts.inform(std::to_string(outcome.contactsAdded) + " contacts have been added." + shortfall);
}

void pasteChannels(PasteState& paste, PasteLines& lines)
{
    auto& outcome = paste.outcome;
    if (!paste.codeplug.hasFeature(feature::ChannelOperations)) {
        paste.prompts.error(featureNotSupportedText("channel editing"));
        outcome.result.refused = true;
        return;
    }
    paste.enter(PasteTab::Channels);
    Channel channel = paste.codeplug.newChannel();
    std::string contactLine;
    for (;;) {
        const auto read = readPair(paste, lines, channel, contactLine);
        if (read == PairRead::BlankLine || read == PairRead::Cut)
            break;
        if (read == PairRead::Skipped)
            continue;
        takeSupportingContact(paste, channel, contactLine);
        const AddResult result = addUnderFreeName(paste, channel);
        if (result == AddResult::Added) {
            ++outcome.channelsAdded;
        } else if (result == AddResult::TableFullRefused) {
            paste.prompts.error(ChannelMemoryFullMessage);
            paste.shortfall.leaveOut();
            // The pairs after it are counted, not added.
            while (true) {
                const auto rest = readPair(paste, lines, channel, contactLine);
                if (rest == PairRead::BlankLine || rest == PairRead::Cut)
                    break;
                if (rest == PairRead::Channel)
                    paste.shortfall.leaveOut();
            }
            break;
        }
    }
    paste.refuseLinesLeft(lines);
    if (outcome.channelsAdded > 0 || outcome.contactsAdded > 0) {
        Codeplug::EditScope edit(paste.codeplug);
        edit.changed();
        outcome.result.modelChanged = true;
    }
    outcome.result.refresh = TabList::Channels;
    if (outcome.contactsAdded > 0)
        outcome.result.refresh |= TabList::Contacts;
    if (paste.codeplug.channels().count() > 0)
        outcome.result.selectedRow = paste.codeplug.channels().count() - 1;
    paste.prompts.inform(std::to_string(outcome.channelsAdded) + " new channels added; " +
                         std::to_string(outcome.duplicates) + " duplicates skipped." +
                         paste.shortfall.text("pasted", "channel", channelCapacity(paste.codeplug.formatId())));
}

bool zoneNameInUse(const Codeplug& codeplug, std::string_view name)
{
    for (const auto& zone : codeplug.zones())
        if (equalsIgnoringCase(zone->name(), name))
            return true;
    return false;
}

// Passes over the rest of a bank that is full, its pairs up to the empty line that ends it, and
// counts their channels.
void skipRestOfBank(PasteState& paste, PasteLines& lines)
{
    while (!lines.atEnd()) {
        if (lines.peek(0).empty()) {
            lines.skip(1);
            return;
        }
        paste.shortfall.refuseLine(MemberPastBankCapacity);
        lines.skip(2);
    }
}

// Fills the banks of the new zone from the pairs, as far as the text goes.
void readZoneBanks(PasteState& paste, PasteLines& lines, Zone& zone)
{
    auto& outcome = paste.outcome;
    Channel channel = paste.codeplug.newChannel();
    std::string contactLine;
    for (int bank = 1; bank <= zone.bankCount() && !lines.atEnd(); ++bank) {
        zone.selectBank(bank);
        for (;;) {
            if (zone.memberCount() >= zone.capacity()) {
                // The copied bank may hold more members than this codeplug's banks; the rest of it
                // belongs to no bank here.
                skipRestOfBank(paste, lines);
                break;
            }
            if (lines.atEnd())
                break;
            const auto read = readPair(paste, lines, channel, contactLine);
            if (read == PairRead::BlankLine) {
                // The empty line that ends the bank.
                lines.skip(1);
                break;
            }
            if (read == PairRead::Cut) {
                zone.selectBank(1);
                return;
            }
            if (read == PairRead::Skipped)
                continue;
            takeSupportingContact(paste, channel, contactLine);
            const AddResult result = paste.codeplug.addChannel(channel);
            // A full table refuses before it looks at names; a channel already there is still a
            // member to have, and no channel that failed to fit.
            const bool present = result == AddResult::TableFullRefused && paste.codeplug.findChannelByName(channel.name()) >= 0;
            if (result == AddResult::Added) {
                ++outcome.channelsAdded;
            } else if (result == AddResult::DuplicateRefused || present) {
                ++outcome.duplicates;
            } else {
                if (result == AddResult::TableFullRefused)
                    paste.prompts.error(ZoneChannelMemoryFullMessage);
                continue;
            }
            const int index = paste.codeplug.findChannelByName(channel.name());
            if (zone.addMember(paste.codeplug.memberNumberOf(index)))
                ++outcome.zoneMembers;
        }
    }
    zone.selectBank(1);
}

void pasteZone(PasteState& paste, PasteLines& lines, ListTabState& state)
{
    auto& codeplug = paste.codeplug;
    auto& outcome = paste.outcome;
    if (codeplug.zones().count() >= MaxZones) {
        paste.prompts.error(NoRoomForZonesMessage);
        outcome.result.refused = true;
        return;
    }
    if (!codeplug.hasFeature(feature::ZonesTab)) {
        paste.prompts.error(featureNotSupportedText("zone editing"));
        outcome.result.refused = true;
        return;
    }
    paste.enter(PasteTab::Zones);

    Zone zone = codeplug.newZone();
    zone.setName(utf8FirstCharacters(lines.peek(0), NameInputLength));
    lines.skip(1);
    if (zone.name().empty()) {
        paste.prompts.error(InvalidZoneNameMessage);
        outcome.result.refused = true;
        return;
    }
    while (zoneNameInUse(codeplug, zone.name())) {
        if (!renamedByUser(paste.prompts, zone, "Zone Name in Use", "Zone name is already in use;\r\nplease choose a new name."))
            return;
    }

    readZoneBanks(paste, lines, zone);
    // Banks this codeplug's zones do not have: their channel pairs, each counted by its channel line.
    if (const int left = (lines.filledLinesLeft() + 1) / 2)
        paste.shortfall.refuseLine(MemberOfMissingBank, left);

    const bool zoneAdded = codeplug.addZone(zone);
    if (!zoneAdded)
        paste.prompts.error(NoRoomForZonesMessage);
    if (zoneAdded || outcome.channelsAdded > 0 || outcome.contactsAdded > 0) {
        Codeplug::EditScope edit(codeplug);
        edit.changed();
        outcome.result.modelChanged = true;
    }
    outcome.result.refresh = TabList::Channels | TabList::Zones;
    if (outcome.contactsAdded > 0)
        outcome.result.refresh |= TabList::Contacts;
    if (!zoneAdded) {
        outcome.result.refused = true;
        return;
    }
    state.currentZone = codeplug.zones().count() - 1;
    state.shownBank = 1;
    char counts[160];
    std::snprintf(counts, sizeof counts, " inserted with %d channels.\r\n%d new channels added to codeplug; %d duplicates skipped.",
                  outcome.zoneMembers, outcome.channelsAdded, outcome.duplicates);
    paste.prompts.inform("New zone '" + zone.name() + "'" + counts +
                         paste.shortfall.text("pasted", "channel", channelCapacity(codeplug.formatId())));
}

// The clipboard text of the chosen rows of a table of `count` rows: `header`, then each row in
// table order as `appendRow(text, row)` writes it. Empty when no row of the table is chosen.
template <typename AppendRow>
std::string rowsClipboardText(const char* header, const std::vector<int>& rows, int count, AppendRow appendRow)
{
    const auto taken = rowsInTableOrder(rows, count);
    if (taken.empty())
        return {};
    std::string text;
    appendCrLfLine(text, header);
    for (const int row : taken)
        appendRow(text, row);
    return text;
}

} // namespace

std::string linePastTextLimit() { return "past the first " + groupedNumber(static_cast<long long>(PasteTextLimit)) + " characters"; }

// ---- Copy ----

std::string contactsClipboardText(const Codeplug& codeplug, const std::vector<int>& rows)
{
    return rowsClipboardText(ContactClipboardHeader, rows, codeplug.contacts().count(),
                             [&codeplug](std::string& text, int row) { appendCrLfLine(text, codeplug.contactAt(row)->toLine()); });
}

std::string channelsClipboardText(const Codeplug& codeplug, const std::vector<int>& rows)
{
    return rowsClipboardText(ChannelClipboardHeader, rows, codeplug.channels().count(),
                             [&codeplug](std::string& text, int row) { appendChannelPair(text, *codeplug.channelAt(row), codeplug); });
}

std::string zoneClipboardText(const Codeplug& codeplug, int zoneIndex)
{
    const Zone* original = codeplug.zones().at(zoneIndex);
    if (!original)
        return {};
    Zone zone(*original);
    std::string text;
    appendCrLfLine(text, ZoneClipboardHeader);
    // A line feed would split the name line, and every pair after it would be read one line out.
    auto name = zone.name();
    std::replace(name.begin(), name.end(), '\n', ' ');
    appendCrLfLine(text, name);
    for (int bank = 1; bank <= zone.bankCount(); ++bank) {
        zone.selectBank(bank);
        for (int i = 0; i < zone.memberCount(); ++i)
            if (const Channel* channel = codeplug.channelAt(codeplug.channelIndexOfMember(zone.member(i))))
                appendChannelPair(text, *channel, codeplug);
        appendCrLfLine(text, "");
    }
    return text;
}

bool copyContacts(const Codeplug& codeplug, Clipboard& clipboard, const std::vector<int>& rows)
{
    const auto text = contactsClipboardText(codeplug, rows);
    return !text.empty() && clipboard.setText(text);
}

bool copyChannels(const Codeplug& codeplug, Clipboard& clipboard, const std::vector<int>& rows)
{
    const auto text = channelsClipboardText(codeplug, rows);
    return !text.empty() && clipboard.setText(text);
}

bool copyZone(const Codeplug& codeplug, Clipboard& clipboard, const ListTabState& state)
{
    if (!codeplug.loaded() || !state.currentZone)
        return false;
    const auto text = zoneClipboardText(codeplug, *state.currentZone);
    return !text.empty() && clipboard.setText(text);
}

// ---- Paste ----

PasteOutcome pasteFromClipboard(Codeplug& codeplug, Prompts& prompts, Clipboard& clipboard, ListTabState& state,
                                const ShowPasteTab& showTab)
{
    if (!codeplug.loaded())
        return {};
    // Every add of the paste is one edit, encoded once.
    Codeplug::EditScope edit(codeplug);
    const auto text = clipboard.text();
    if (!text)
        return {};
    return pasteText(codeplug, prompts, *text, state, showTab);
}

PasteOutcome pasteText(Codeplug& codeplug, Prompts& prompts, std::string_view text, ListTabState& state,
                       const ShowPasteTab& showTab)
{
    if (!codeplug.loaded())
        return {};
    const auto utf8 = utf8FromTextFileBytes(text);
    // Text past the limit is not read. The cut falls after the last whole line within it, so that
    // no line is read cut short, and the lines past it are counted as refused.
    std::string_view kept = utf8;
    int linesPastLimit = 0;
    if (kept.size() > PasteTextLimit) {
        const char lineEnd = kept.find('\n') == std::string_view::npos ? '\r' : '\n';
        const auto lastEnd = kept.substr(0, PasteTextLimit + 1).rfind(lineEnd);
        kept = kept.substr(0, lastEnd == std::string_view::npos ? 0 : lastEnd);
        for (const auto line : splitLines(std::string_view(utf8).substr(kept.size())))
            linesPastLimit += isBlankLine(line) ? 0 : 1;
    }
    auto lines = splitLines(kept);
    if (lines.size() < 2)
        return {};
    PasteLines pasted(std::move(lines));
    const auto header = pasted.header();
    PasteState paste(codeplug, prompts, showTab);
    if (linesPastLimit > 0)
        paste.shortfall.refuseLine(linePastTextLimit(), linesPastLimit);
    if (equalsIgnoringCase(header, ContactClipboardHeader)) {
        pasteContacts(paste, pasted);
    } else if (equalsIgnoringCase(header, ChannelClipboardHeader)) {
        pasteChannels(paste, pasted);
    } else if (equalsIgnoringCase(header, ZoneClipboardHeader)) {
        pasteZone(paste, pasted, state);
    } else {
        prompts.error(InvalidDataMessage);
        paste.outcome.result.refused = true;
    }
    return paste.outcome;
}

} // namespace pw
