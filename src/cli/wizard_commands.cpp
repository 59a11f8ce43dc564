// SPDX-License-Identifier: GPL-3.0-or-later
// mass-change and zone-wizard: the two channel-selection dialogs, driven by options instead of
// controls. Each option stands for one control of the dialog; the dialog's own checks and messages
// are those of the operations.

#include "cli/commands.h"
#include "cli/text_encoding.h"
#include "codeplug/frequency_limits.h"
#include "presenter/mass_change_choices.h"
#include "model/list_support.h"
#include "operations/channel_mass_change.h"
#include "operations/zone_wizard.h"

namespace pw::cli {
namespace {

const CLI::Validator& toneValidator()
{
    static const CLI::Validator validator(
        [](std::string& text) {
            return toneChoiceIndex(text) ? std::string()
                                         : "TONE must be None, a CTCSS tone like 088.5 or a DCS code like D023N or "
                                           "D023I: " + text;
        },
        "TONE");
    return validator;
}

// A list position of the dialog's "None"-first lists: 0 to the table's size.
int listPosition(CliSession& session, const char* option, std::optional<int> value, int tableSize)
{
    if (*value < 0 || *value > tableSize)
        session.fail(std::string(option) + " must be 0 (none) to " + std::to_string(tableSize) + ", not " +
                     std::to_string(*value) + ".");
    return *value;
}

struct MassChangeArguments {
    std::string file;
    std::string rows;
    std::optional<std::string> rx;
    std::optional<std::string> offset;
    std::optional<std::string> prepend;
    std::optional<std::string> append;
    std::optional<std::string> replace;
    std::optional<std::string> with;
    std::optional<int> scanList;
    std::optional<std::string> admit;
    std::optional<int> slot;
    std::optional<int> contact;
    std::optional<int> rxGroup;
    std::optional<int> color;
    std::optional<std::string> encode;
    std::optional<std::string> decode;
    bool copies = false;
};

ChannelChangeSet changesFromOptions(CliSession& session, const Codeplug& codeplug, const MassChangeArguments& args)
{
    ChannelChangeSet changes;
    if (args.offset)
        changes.offset = *args.offset == "plus"    ? OffsetChoice::Plus
                       : *args.offset == "minus" ? OffsetChoice::Minus
                                                 : OffsetChoice::Simplex;
    if (args.prepend)
        changes.prependText = argumentText(*args.prepend);
    if (args.append)
        changes.appendText = argumentText(*args.append);
    if (args.replace)
        changes.replace = TextReplacement{argumentText(*args.replace), argumentText(args.with.value_or(""))};
    if (args.scanList)
        changes.scanList = listPosition(session, "--scanlist", args.scanList, codeplug.scanLists().count());
    if (args.admit) {
        const auto text = argumentText(*args.admit);
        const auto choices = admitChoicesForMassChange(codeplug.formatId());
        for (const auto& choice : choices)
            if (list_support::equalsIgnoringCase(choice, text))
                changes.admitCriterion = choice;
        if (!changes.admitCriterion) {
            std::string offered;
            for (const auto& choice : choices)
                offered += (offered.empty() ? "" : ", ") + choice;
            session.fail("--admit must be one of: " + offered + ".");
        }
    }
    if (args.slot)
        changes.timeSlot = *args.slot;
    if (args.contact)
        changes.txContact = listPosition(session, "--contact", args.contact, codeplug.contacts().count());
    if (args.rxGroup)
        changes.rxGroupList = listPosition(session, "--rxgroup", args.rxGroup, codeplug.rxGroupLists().count());
    if (args.color)
        changes.colorCode = *args.color;
    if (args.encode)
        changes.encodeTone = toneChoices()[*toneChoiceIndex(*args.encode)];
    if (args.decode)
        changes.decodeTone = toneChoices()[*toneChoiceIndex(*args.decode)];
    changes.makeCopies = args.copies;
    return changes;
}

// A frequency the format cannot store is refused, naming the range; one outside the radios' usual
// bands is a question, answered No unless --yes is given.
void checkReceiveFrequency(CliSession& session, const Codeplug& codeplug, const std::string& text)
{
    if (const auto refusal = frequencyRefusal(codeplug.formatId(), text))
        session.fail("--rx " + text + ": the receive frequency must be a number from " +
                     frequencyRangeText(storableFrequencies(codeplug.formatId())) + ".");
    if (isInUsualBands(*frequencyFromText(text)))
        return;
    const auto answer = session.prompts().message(
        MessageIcon::Question, MessageButtons::YesNo,
        text + " MHz is outside the radio's usual bands (136 to 174 MHz and 400 to 480 MHz).\r\nUse it anyway?",
        {});
    if (answer != MessageAnswer::Yes)
        throw CommandExit{ExitFailed};
}

struct ZoneWizardArguments {
    std::string file;
    std::string rows;
    std::string zone;
    std::optional<std::string> scanList;
    bool apply = false;
};

} // namespace

void addMassChangeCommand(CLI::App& app, CliSession& session)
{
    static MassChangeArguments args;
    auto* command = app.add_subcommand("mass-change", "Apply one set of changes to many channels, or to copies");
    addFileAndRowsArguments(*command, args.file, args.rows, "Channel rows, numbered from 1, like 1,3,5-9");
    command->add_option("--rx", args.rx, "New receive frequency in MHz (the channel keeps its offset)");
    command->add_option("--offset", args.offset, "New offset: simplex, plus or minus")
        ->check(CLI::IsMember({"simplex", "plus", "minus"}));
    command->add_option("--prepend", args.prepend, "Text put before each channel name");
    command->add_option("--append", args.append, "Text put after each channel name");
    auto* replace = command->add_option("--replace", args.replace, "Text to replace in each channel name");
    auto* with = command->add_option("--with", args.with, "Replacement for the --replace text");
    replace->needs(with);
    with->needs(replace);
    command->add_option("--scanlist", args.scanList, "Scan list position, 0 for none");
    command->add_option("--admit", args.admit, "Admit criterion, by its name");
    command->add_option("--slot", args.slot, "Time slot of digital channels")->check(CLI::Range(1, 2));
    command->add_option("--contact", args.contact, "Transmit contact position of digital channels, 0 for none");
    command->add_option("--rxgroup", args.rxGroup, "RX group list position of digital channels, 0 for none");
    command->add_option("--color", args.color, "Colour code of digital channels")->check(CLI::Range(0, 15));
    command->add_option("--encode", args.encode, "Transmit tone of analog channels")->check(toneValidator());
    command->add_option("--decode", args.decode, "Receive tone of analog channels")->check(toneValidator());
    command->add_flag("--copies", args.copies, "Change copies of the channels, added at the end of the table");
    session.addOutputOption(*command);
    command->callback([&session] {
        auto& codeplug = session.openCodeplug(args.file);
        auto rows = tableRows(session, args.rows, codeplug.channels().count(), "channel");
        if (args.rx)
            checkReceiveFrequency(session, codeplug, *args.rx);
        const auto collected = changesFromOptions(session, codeplug, args);
        const std::optional<std::string_view> rxText =
            args.rx ? std::optional<std::string_view>(*args.rx) : std::nullopt;
        bool frequencyRefused = false;
        massChangeChannels(codeplug, session.prompts(), std::move(rows), [&] {
            auto commit = commitChannelChanges(collected, rxText, session.prompts());
            frequencyRefused = commit.outcome == CommitOutcome::StayOpen && rxText && !readRxFrequencyBox(*rxText);
            return commit.outcome == CommitOutcome::Accepted ? std::optional(std::move(commit.changes))
                                                             : std::nullopt;
        });
        session.saveIfChanged(codeplug, args.file);
        // The dialog would stay open for a corrected frequency, which a command line cannot give.
        // The no-change question ends the command either way, and is no failure: nothing was asked.
        if (frequencyRefused)
            throw CommandExit{ExitFailed};
    });
}


void addZoneWizardCommand(CLI::App& app, CliSession& session)
{
    static ZoneWizardArguments args;
    auto* command = app.add_subcommand("zone-wizard", "Put channels into a zone, optionally with a new scan list");
    addFileAndRowsArguments(*command, args.file, args.rows, "Channel rows, numbered from 1, like 1,3,5-9");
    command->add_option("--zone", args.zone, "Zone to create or fill (16 characters at most)")->required();
    command->add_option("--scanlist", args.scanList, "Create a scan list of this name with the channels");
    command->add_flag("--apply", args.apply,
                      "Make every channel of the zone use the new scan list (creates it; without --scanlist under "
                      "the proposed name)");
    session.addOutputOption(*command);
    command->callback([&session] {
        auto& codeplug = session.openCodeplug(args.file);
        auto rows = tableRows(session, args.rows, codeplug.channels().count(), "channel");
        auto wizard = ZoneWizard::open(&codeplug, session.prompts(), std::move(rows));
        if (!wizard)
            throw CommandExit{ExitFailed};
        wizard->setZoneName(argumentText(args.zone));
        if (args.scanList) {
            wizard->setCreateScanList(true);
            wizard->setScanListName(argumentText(*args.scanList));
        }
        if (args.apply)
            wizard->setApplyScanList(true);
        session.out() << ConsolePrompts::printable(wizard->status()) << std::flush;
        const auto result = wizard->commit(session.prompts());
        session.saveIfChanged(codeplug, args.file);
        if (result.outcome != CommitOutcome::Accepted)
            throw CommandExit{ExitFailed};
    });
}

} // namespace pw::cli
