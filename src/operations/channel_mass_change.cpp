// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/channel_mass_change.h"

#include "codeplug/codeplug.h"
#include "model/letter_case.h"
#include "model/text_trim.h"
#include "model/tone_code.h"
#include "operations/channel_selection.h"
#include "operations/name_check.h"
#include "platform/prompts.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace pw {
namespace {

constexpr double LowestRxFrequencyMhz = 30.0;
constexpr double UhfOffsetMhz = 5.0;
constexpr double VhfOffsetMhz = 0.6;

std::string replaceAll(std::string text, const TextReplacement& replacement)
{
    // An empty search text would match everywhere without ever moving on.
    if (replacement.find.empty())
        return text;
    std::size_t from = 0;
    while ((from = text.find(replacement.find, from)) != std::string::npos) {
        text.replace(from, replacement.find.size(), replacement.replacement);
        // Go on after the inserted text, so a replacement that contains the search text is not
        // searched again.
        from += replacement.replacement.size();
    }
    return text;
}

bool sameChannel(const Channel& a, const Channel& b)
{
    return a.familyRecord() == b.familyRecord() && a.storedSettings() == b.storedSettings() &&
           a.contactNameCache() == b.contactNameCache();
}

} // namespace

bool ChannelChangeSet::hasChanges() const
{
    return rxFrequency || offset || prependText || appendText || replace || scanList || admitCriterion ||
           timeSlot || txContact || rxGroupList || colorCode || encodeTone || decodeTone;
}

double repeaterOffsetMhz(double rxMhz)
{
    return rxMhz >= UhfFromMhz ? UhfOffsetMhz : VhfOffsetMhz;
}

void applyChannelChanges(const ChannelChangeSet& changes, Channel& channel)
{
    if (changes.admitCriterion)
        channel.setAdmitFromText(*changes.admitCriterion);

    // The name setter cuts to the channel's name width, so with both texts the appended one is
    // lost first.
    if (changes.replace)
        channel.setName(replaceAll(channel.name(), *changes.replace));
    if (changes.appendText)
        channel.setName(channel.name() + *changes.appendText);
    if (changes.prependText)
        channel.setName(*changes.prependText + channel.name());

    if (changes.scanList)
        channel.setScanList(*changes.scanList);

    // A new receive frequency keeps the channel's own offset; the offset change then works from
    // whichever receive frequency the channel has by now.
    const double offset = channel.txFrequency() - channel.rxFrequency();
    if (changes.rxFrequency) {
        channel.setRxFrequency(*changes.rxFrequency);
        channel.setTxFrequency(*changes.rxFrequency + offset);
    }
    if (changes.offset) {
        const double rx = channel.rxFrequency();
        const double size = repeaterOffsetMhz(rx);
        switch (*changes.offset) {
        case OffsetChoice::Plus: channel.setTxFrequency(rx + size); break;
        case OffsetChoice::Minus: channel.setTxFrequency(rx - size); break;
        case OffsetChoice::Simplex: channel.setTxFrequency(rx); break;
        }
    }

    if (!channel.isDigital()) {
        if (changes.decodeTone)
            channel.setCtcssDecodeFromText(*changes.decodeTone);
        if (changes.encodeTone)
            channel.setCtcssEncodeFromText(*changes.encodeTone);
    } else {
        if (changes.timeSlot)
            channel.setTimeSlot(*changes.timeSlot);
        if (changes.txContact)
            channel.setTxContact(*changes.txContact);
        if (changes.rxGroupList)
            channel.setRxGroupList(*changes.rxGroupList);
        if (changes.colorCode)
            channel.setColorCode(*changes.colorCode);
    }
}

std::string channelsUpdatedMessage(int count)
{
    return std::to_string(count) + " channels have been updated.";
}

bool massChangeSetupValid(const Codeplug* codeplug, Prompts& prompts)
{
    if (codeplug && codeplug->loaded() && isKnownFormat(codeplug->formatId()))
        return true;
    prompts.message(MessageIcon::Error, MessageButtons::Ok, mass_change_text::SetupInvalid);
    return false;
}

std::optional<double> readRxFrequencyBox(std::string_view text)
{
    const auto number = trimmedBlanks(text);
    double value = 0.0;
    const auto* end = number.data() + number.size();
    const auto parsed = std::from_chars(number.data(), end, value);
    if (number.empty() || parsed.ec != std::errc() || parsed.ptr != end)
        return std::nullopt;
    // NaN compares false with everything, so it has to be refused by name, as do the infinities.
    if (!std::isfinite(value) || value < LowestRxFrequencyMhz)
        return std::nullopt;
    return value;
}

MassChangeCommit commitChannelChanges(ChannelChangeSet changes, std::optional<std::string_view> rxFrequencyText,
                                      Prompts& prompts)
{
    MassChangeCommit commit;
    changes.rxFrequency.reset();
    if (rxFrequencyText) {
        const auto frequency = readRxFrequencyBox(*rxFrequencyText);
        if (!frequency) {
            prompts.message(MessageIcon::Error, MessageButtons::Ok, mass_change_text::InvalidFrequency);
            return commit;
        }
        changes.rxFrequency = frequency;
    }
    if (!changes.hasChanges()) {
        const auto answer =
            prompts.message(MessageIcon::Question, MessageButtons::YesNo, mass_change_text::NoChangesQuestion);
        commit.outcome = answer == MessageAnswer::Yes ? CommitOutcome::Cancelled : CommitOutcome::StayOpen;
        return commit;
    }
    commit.outcome = CommitOutcome::Accepted;
    commit.changes = std::move(changes);
    return commit;
}

MassChangeResult massChangeChannels(Codeplug& codeplug, Prompts& prompts, std::vector<int> rows,
                                    const MassChangeDialog& runDialog,
                                    const std::function<void(const MassChangeResult&)>& showChanges)
{
    MassChangeResult result;
    if (!codeplug.loaded())
        return result;
    const int tableSize = codeplug.channels().count();
    rows = rowsInListOrder(std::move(rows));
    std::erase_if(rows, [tableSize](int row) { return row < 0 || row >= tableSize; });
    if (rows.empty()) {
        prompts.message(MessageIcon::Information, MessageButtons::Ok, mass_change_text::NothingSelected);
        return result;
    }

    const auto changes = runDialog ? runDialog() : std::nullopt;
    if (!changes)
        return result;
    // Text that the channel names of the format cannot hold is refused before any channel changes.
    const auto& format = *codeplug.recordFormats().channel;
    const auto tell = [&prompts](const char* why) { prompts.error(why); };
    for (const auto* text : {changes->prependText ? &*changes->prependText : nullptr,
                             changes->appendText ? &*changes->appendText : nullptr,
                             changes->replace ? &changes->replace->replacement : nullptr})
        if (text && !nameIsStorable(format, *text, tell))
            return result;

    {
        BusyScope busy(prompts);
        bool changedAny = false;
        const auto apply = [&](Channel& channel) {
            const Channel before(channel);
            applyChannelChanges(*changes, channel);
            // The list shows the contact by its cached name, which must follow the new reference.
            if (changes->txContact)
                channel.refreshContactName(codeplug.contacts());
            return !sameChannel(before, channel);
        };
        for (const int row : rows) {
            Channel& channel = *codeplug.channelAt(row);
            ++result.selected;
            result.lastHandledRow = row;
            if (!changes->makeCopies) {
                changedAny = apply(channel) || changedAny;
                continue;
            }
            // A copy that addChannel refuses (its name is in use, the table is full) is dropped
            // without a word: the closing message counts the selection, not the copies.
            Channel copy(channel);
            apply(copy);
            if (codeplug.addChannel(copy) == AddResult::Added) {
                ++result.copiesAdded;
                changedAny = true;
            }
        }
        // Changes that fit none of the channels (a contact for analog channels, copies that were
        // all dropped) leave the codeplug as it was, and a file unchanged is not to be saved.
        result.modelChanged = changedAny;
        if (changedAny) {
            Codeplug::EditScope edit(codeplug);
            edit.changed();
        }
    }
    result.applied = true;
    if (showChanges)
        showChanges(result);
    prompts.message(MessageIcon::Information, MessageButtons::Ok, channelsUpdatedMessage(result.selected));
    return result;
}

} // namespace pw
