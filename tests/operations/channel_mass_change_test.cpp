// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/channel_mass_change.h"
#include "codeplug/record_factory.h"

#include "codeplug/byte_field.h"
#include "codeplug/codeplug.h"
#include "support/fixture_builder.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace pw {
namespace {

using test::TempDir;

constexpr FormatId AllFormats[] = {Md380Format, Md2017Format, Md9600Format, RdbV1Format,
                                   RdbV11Format, RdbV2Format, D868Format};

// Frequencies as the lists show them, five decimals, so that a hertz too few shows up.
std::string mhz(double value)
{
    return Channel::frequencyText(value);
}

Channel analogChannel(FormatId format, const std::string& name, double rx, double tx)
{
    Channel channel = newChannel(format, rx);
    channel.setName(name);
    channel.setTxFrequency(tx);
    return channel;
}

Channel digitalChannel(FormatId format, const std::string& name, double rx = 439.0)
{
    Channel channel = newChannel(format, rx);
    channel.setMode(ChannelMode::Dmr);
    channel.setName(name);
    channel.setTimeSlot(1);
    channel.setColorCode(1);
    return channel;
}

// The whole channel: its values and its family record, so that "nothing changed" means nothing.
struct ChannelState {
    ChannelSettings values;
    RecordBytes record;
    bool operator==(const ChannelState&) const = default;
};

ChannelState allOf(const Channel& channel) { return {channel.storedSettings(), channel.familyRecord()}; }

// ---- applyChannelChanges: frequencies ----

TEST(MassChangeFrequency, NewReceiveFrequencyKeepsTheRepeaterOffsetInEveryFormat)
{
    for (const auto format : AllFormats) {
        auto channel = analogChannel(format, "Rpt", 145.0, 145.6);
        ChannelChangeSet changes;
        changes.rxFrequency = 146.0;
        applyChannelChanges(changes, channel);
        EXPECT_EQ(mhz(channel.rxFrequency()), "146.00000") << std::hex << format;
        EXPECT_EQ(mhz(channel.txFrequency()), "146.60000") << std::hex << format;
    }
}

TEST(MassChangeFrequency, NewReceiveFrequencyKeepsANegativeOffsetAndSimplex)
{
    auto below = analogChannel(Md380Format, "Below", 442.0, 437.0);
    auto simplex = analogChannel(Md380Format, "Simplex", 146.52, 146.52);
    ChannelChangeSet changes;
    changes.rxFrequency = 443.5;
    applyChannelChanges(changes, below);
    applyChannelChanges(changes, simplex);
    EXPECT_EQ(mhz(below.txFrequency()), "438.50000");
    EXPECT_EQ(mhz(simplex.txFrequency()), "443.50000");
}

TEST(MassChangeFrequency, OffsetChoicesUseFiveMegahertzFrom200AndSixHundredKilohertzBelow)
{
    const struct {
        double rx;
        OffsetChoice offset;
        const char* tx;
    } cases[] = {
        {440.0, OffsetChoice::Plus, "445.00000"},   {146.52, OffsetChoice::Plus, "147.12000"},
        {439.0, OffsetChoice::Minus, "434.00000"},  {146.94, OffsetChoice::Minus, "146.34000"},
        {200.0, OffsetChoice::Plus, "205.00000"},   {199.99, OffsetChoice::Plus, "200.59000"},
        {442.0, OffsetChoice::Simplex, "442.00000"},
    };
    for (const auto format : AllFormats) {
        for (const auto& c : cases) {
            auto channel = analogChannel(format, "Ch", c.rx, c.rx + 1.0);
            ChannelChangeSet changes;
            changes.offset = c.offset;
            applyChannelChanges(changes, channel);
            EXPECT_EQ(mhz(channel.rxFrequency()), mhz(c.rx)) << std::hex << format;
            EXPECT_EQ(mhz(channel.txFrequency()), c.tx) << std::hex << format << " at " << c.rx;
        }
    }
}

TEST(MassChangeFrequency, OffsetWorksFromTheNewReceiveFrequency)
{
    auto channel = analogChannel(Md380Format, "Rpt", 145.0, 145.6);
    ChannelChangeSet changes;
    changes.rxFrequency = 440.0;
    changes.offset = OffsetChoice::Plus;
    applyChannelChanges(changes, channel);
    EXPECT_EQ(mhz(channel.rxFrequency()), "440.00000");
    // The VHF offset of the old frequency is replaced by the UHF one of the new.
    EXPECT_EQ(mhz(channel.txFrequency()), "445.00000");

    auto d868 = analogChannel(D868Format, "Rpt", 440.0, 445.0);
    changes.rxFrequency = 146.94;
    changes.offset = OffsetChoice::Minus;
    applyChannelChanges(changes, d868);
    EXPECT_EQ(mhz(d868.txFrequency()), "146.34000");
    EXPECT_EQ(getU16Le(d868.familyRecord(), 12), 2);  // the D868 record's offset direction: below
}

// ---- applyChannelChanges: names ----

TEST(MassChangeName, PrependOnASixteenCharacterNameDropsItsLastCharacter)
{
    for (const auto format : AllFormats) {
        auto channel = analogChannel(format, "ABCDEFGHIJKLMNOP", 146.0, 146.0);
        ChannelChangeSet changes;
        changes.prependText = "X";
        applyChannelChanges(changes, channel);
        EXPECT_EQ(channel.name(), "XABCDEFGHIJKLMNO") << std::hex << format;
    }
}

TEST(MassChangeName, WithPrependAndAppendTheAppendedTextIsLostFirst)
{
    auto full = analogChannel(Md380Format, "ABCDEFGHIJKLMNO", 146.0, 146.0);
    auto shortName = analogChannel(Md380Format, "Home", 146.0, 146.0);
    ChannelChangeSet changes;
    changes.prependText = "<";
    changes.appendText = ">>";
    applyChannelChanges(changes, full);
    applyChannelChanges(changes, shortName);
    EXPECT_EQ(full.name(), "<ABCDEFGHIJKLMNO");
    EXPECT_EQ(shortName.name(), "<Home>>");
}

TEST(MassChangeName, ReplaceIsCaseSensitiveAndReplacesEveryOccurrenceBeforeTextIsAdded)
{
    auto channel = analogChannel(Md380Format, "Rpt rpt Rpt", 146.0, 146.0);
    ChannelChangeSet changes;
    changes.replace = TextReplacement{"Rpt", "R"};
    changes.prependText = "Rpt ";
    applyChannelChanges(changes, channel);
    // The prepended text comes after the replace and keeps its "Rpt".
    EXPECT_EQ(channel.name(), "Rpt R rpt R");
}

TEST(MassChangeName, ReplaceEndsWhenTheReplacementHoldsTheSearchTextOrTheSearchTextIsEmpty)
{
    auto growing = analogChannel(Md380Format, "a-a", 146.0, 146.0);
    ChannelChangeSet changes;
    changes.replace = TextReplacement{"a", "aa"};
    applyChannelChanges(changes, growing);
    EXPECT_EQ(growing.name(), "aa-aa");

    auto untouched = analogChannel(Md380Format, "Home", 146.0, 146.0);
    changes.replace = TextReplacement{"", "x"};
    applyChannelChanges(changes, untouched);
    EXPECT_EQ(untouched.name(), "Home");

    changes.replace = TextReplacement{"Home", ""};
    applyChannelChanges(changes, untouched);
    EXPECT_EQ(untouched.name(), "");
}

// ---- applyChannelChanges: per-mode changes ----

TEST(MassChangeMode, DigitalChangesDoNothingOnAnalogChannels)
{
    for (const auto format : AllFormats) {
        auto channel = analogChannel(format, "FM", 146.52, 146.52);
        const auto before = allOf(channel);
        ChannelChangeSet changes;
        changes.txContact = 3;
        applyChannelChanges(changes, channel);
        EXPECT_EQ(allOf(channel), before) << std::hex << format;
        EXPECT_EQ(channel.txContact(), 0);

        changes.timeSlot = 2;
        changes.rxGroupList = 2;
        changes.colorCode = 7;
        applyChannelChanges(changes, channel);
        EXPECT_EQ(allOf(channel), before) << std::hex << format;
    }
}

TEST(MassChangeMode, DigitalChangesApplyInOrderOnDigitalChannels)
{
    for (const auto format : AllFormats) {
        auto channel = digitalChannel(format, "DMR");
        ChannelChangeSet changes;
        changes.timeSlot = 2;
        changes.txContact = 3;
        changes.rxGroupList = 2;
        changes.colorCode = 7;
        applyChannelChanges(changes, channel);
        EXPECT_EQ(channel.timeSlot(), 2) << std::hex << format;
        EXPECT_EQ(channel.txContact(), 3) << std::hex << format;
        EXPECT_EQ(channel.rxGroupList(), 2) << std::hex << format;
        EXPECT_EQ(channel.colorCode(), 7) << std::hex << format;
    }
}

TEST(MassChangeMode, TonesChangeAnalogChannelsOnlyAndNoneSwitchesThemOff)
{
    for (const auto format : AllFormats) {
        auto analog = analogChannel(format, "FM", 146.52, 146.52);
        auto digital = digitalChannel(format, "DMR");
        const auto digitalBefore = allOf(digital);
        ChannelChangeSet changes;
        changes.decodeTone = "D023I";
        changes.encodeTone = "088.5";
        applyChannelChanges(changes, analog);
        applyChannelChanges(changes, digital);
        EXPECT_EQ(analog.ctcssDecodeText(), "D023I") << std::hex << format;
        EXPECT_EQ(analog.ctcssEncodeText(), "088.5") << std::hex << format;
        EXPECT_EQ(allOf(digital), digitalBefore) << std::hex << format;

        changes.decodeTone = "None";
        changes.encodeTone = "None";
        applyChannelChanges(changes, analog);
        EXPECT_TRUE(analog.ctcssDecode().isNone()) << std::hex << format;
        EXPECT_TRUE(analog.ctcssEncode().isNone()) << std::hex << format;
    }
}

TEST(MassChangeMode, AdmitNameIsReadForEachChannelsFamilyAndMode)
{
    ChannelChangeSet changes;
    changes.admitCriterion = "Color Code Free";
    auto tyt = digitalChannel(Md380Format, "T");
    auto rdb = digitalChannel(RdbV1Format, "R");
    auto d868 = digitalChannel(D868Format, "D");
    applyChannelChanges(changes, tyt);
    applyChannelChanges(changes, rdb);
    applyChannelChanges(changes, d868);
    EXPECT_EQ(tyt.admitCriterion(), 3);
    EXPECT_EQ(rdb.admitCriterion(), 2);
    EXPECT_EQ(d868.admitText(), "Color Code Free");

    changes.admitCriterion = "Channel Free";
    auto rdbAnalog = analogChannel(RdbV1Format, "A", 146.0, 146.0);
    applyChannelChanges(changes, rdbAnalog);
    EXPECT_EQ(rdbAnalog.admitText(), "Channel Free");
}

TEST(MassChangeMode, ScanListChangesEveryModeAndZeroMeansNone)
{
    auto analog = analogChannel(Md380Format, "FM", 146.0, 146.0);
    auto digital = digitalChannel(Md380Format, "DMR");
    ChannelChangeSet changes;
    changes.scanList = 4;
    applyChannelChanges(changes, analog);
    applyChannelChanges(changes, digital);
    EXPECT_EQ(analog.scanList(), 4);
    EXPECT_EQ(digital.scanList(), 4);
    changes.scanList = 0;
    applyChannelChanges(changes, digital);
    EXPECT_EQ(digital.scanList(), 0);
}

// ---- "Commit Changes" ----

TEST(MassChangeCommitCheck, FrequencyBelowThirtyOrNotANumberKeepsTheDialogOpen)
{
    ChannelChangeSet changes;
    changes.colorCode = 2;
    for (const char* text : {"29.99", "abc", "", "146.52 MHz", "nan", "inf", "-146", "1e400"}) {
        ScriptedPrompts prompts;
        const auto commit = commitChannelChanges(changes, std::string_view(text), prompts);
        EXPECT_EQ(commit.outcome, CommitOutcome::StayOpen) << text;
        ASSERT_EQ(prompts.shown().size(), 1u) << text;
        EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Error);
        EXPECT_EQ(prompts.shown()[0].text,
                  "Invalid transmit frequency. Correct value, then click COMMIT CHANGES again.");
    }
}

TEST(MassChangeCommitCheck, AcceptedFrequencyIsHandedOnWithTheOtherChanges)
{
    for (const auto& [text, value] : std::vector<std::pair<std::string, double>>{
             {"30", 30.0}, {" 146.52 ", 146.52}, {"146.5200", 146.52}, {"439.0125", 439.0125}}) {
        ScriptedPrompts prompts;
        ChannelChangeSet changes;
        changes.makeCopies = true;
        changes.rxFrequency = 1.0;  // collected from the box, never from here
        const auto commit = commitChannelChanges(changes, std::string_view(text), prompts);
        EXPECT_EQ(commit.outcome, CommitOutcome::Accepted) << text;
        EXPECT_TRUE(prompts.shown().empty());
        ASSERT_TRUE(commit.changes.rxFrequency) << text;
        EXPECT_DOUBLE_EQ(*commit.changes.rxFrequency, value);
        EXPECT_TRUE(commit.changes.makeCopies);
    }
}

TEST(MassChangeCommitCheck, NoChangeAsksAndYesCancelsWhileNoStaysOpen)
{
    const std::string question = "Warning: No changes are selected, so no action will be performed.\r\n\r\nClick YES "
                                 "to discard changes, NO if you want to go back and select changes you've entered.";
    ChannelChangeSet onlyCopies;
    onlyCopies.makeCopies = true;

    ScriptedPrompts yes;
    yes.answer(MessageAnswer::Yes);
    EXPECT_EQ(commitChannelChanges(onlyCopies, std::nullopt, yes).outcome, CommitOutcome::Cancelled);
    ASSERT_EQ(yes.shown().size(), 1u);
    EXPECT_EQ(yes.shown()[0].text, question);
    EXPECT_EQ(yes.shown()[0].buttons, MessageButtons::YesNo);

    ScriptedPrompts no;
    no.answer(MessageAnswer::No);
    EXPECT_EQ(commitChannelChanges(ChannelChangeSet{}, std::nullopt, no).outcome, CommitOutcome::StayOpen);
    EXPECT_EQ(no.lastText(), question);
}

TEST(MassChangeCommitCheck, BadFrequencyIsReportedBeforeTheNoChangeQuestion)
{
    ScriptedPrompts prompts;
    EXPECT_EQ(commitChannelChanges(ChannelChangeSet{}, std::string_view("12"), prompts).outcome,
              CommitOutcome::StayOpen);
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"Invalid transmit frequency. Correct value, then click COMMIT CHANGES again."});
}

TEST(MassChangeCommitCheck, SetupNeedsALoadedCodeplug)
{
    ScriptedPrompts prompts;
    EXPECT_FALSE(massChangeSetupValid(nullptr, prompts));
    Codeplug empty;
    EXPECT_FALSE(massChangeSetupValid(&empty, prompts));
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>(2, "Internal Error: Setup data are invalid for Mass "
                                                            "Change Dialog.")));
    EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Error);
}

// ---- The command ----

class MassChangeCommand : public ::testing::TestWithParam<FormatId> {
protected:
    void SetUp() override
    {
        const auto path = test::writeFixture(dir.file("plug"), GetParam());
        ASSERT_EQ(codeplug.open(path), GetParam());
        codeplug.decode();
        codeplug.channels().deleteAll();
        codeplug.contacts().deleteAll();
        for (const char* name : {"Alpha", "Bravo", "Charlie", "Delta"})
            ASSERT_EQ(codeplug.addChannel(analogChannel(GetParam(), name, 145.0, 145.6)), AddResult::Added) << name;
        codeplug.save(dir.file("saved"));  // clears the changed flag
        ASSERT_FALSE(codeplug.changed());
    }

    std::vector<std::string> names() const
    {
        std::vector<std::string> all;
        for (const auto& channel : codeplug.channels())
            all.push_back(channel->name());
        return all;
    }

    static MassChangeDialog returning(ChannelChangeSet changes)
    {
        return [changes] { return std::optional(changes); };
    }

    TempDir dir;
    Codeplug codeplug;
    ScriptedPrompts prompts;
};

TEST_P(MassChangeCommand, ChangesTheSelectedChannelsInListOrderEachOnce)
{
    ChannelChangeSet changes;
    changes.appendText = "2";
    const auto result = massChangeChannels(codeplug, prompts, {2, 0, 2}, returning(changes));
    EXPECT_TRUE(result.applied);
    EXPECT_EQ(result.selected, 2);
    EXPECT_EQ(result.lastHandledRow, 2);
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha2", "Bravo", "Charlie2", "Delta"}));
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"2 channels have been updated."});
    EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Information);
    EXPECT_TRUE(result.modelChanged);
    EXPECT_TRUE(codeplug.changed());
}

TEST_P(MassChangeCommand, CopiesWithoutANameChangeAreDroppedAndTheSelectionStillCounted)
{
    ChannelChangeSet changes;
    changes.rxFrequency = 146.0;
    changes.makeCopies = true;
    const auto result = massChangeChannels(codeplug, prompts, {0, 1, 3}, returning(changes));
    EXPECT_EQ(result.selected, 3);
    EXPECT_EQ(result.copiesAdded, 0);
    EXPECT_FALSE(result.modelChanged);
    EXPECT_FALSE(codeplug.changed());
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Bravo", "Charlie", "Delta"}));
    for (const auto& channel : codeplug.channels())
        EXPECT_EQ(mhz(channel->rxFrequency()), "145.00000") << "the originals stay as they were";
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"3 channels have been updated."});
}

TEST_P(MassChangeCommand, RenamedCopiesAreAddedChangedAtTheEndAndTheOriginalsKept)
{
    ChannelChangeSet changes;
    changes.prependText = "C.";
    changes.rxFrequency = 146.0;
    changes.makeCopies = true;
    const auto result = massChangeChannels(codeplug, prompts, {1, 3}, returning(changes));
    EXPECT_EQ(result.copiesAdded, 2);
    EXPECT_EQ(result.lastHandledRow, 3);
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Bravo", "Charlie", "Delta", "C.Bravo", "C.Delta"}));
    EXPECT_EQ(mhz(codeplug.channelAt(1)->rxFrequency()), "145.00000");
    EXPECT_EQ(mhz(codeplug.channelAt(4)->rxFrequency()), "146.00000");
    EXPECT_EQ(mhz(codeplug.channelAt(4)->txFrequency()), "146.60000");
    EXPECT_EQ(prompts.lastText(), "2 channels have been updated.");
}

TEST_P(MassChangeCommand, ContactChangeOnAnalogChannelsChangesNothingButIsStillReported)
{
    Contact contact = newContact(GetParam());
    contact.setName("Parrot");
    contact.setDmrId(9990);
    ASSERT_EQ(codeplug.addContact(contact), AddResult::Added);
    std::vector<ChannelState> before;
    for (const auto& channel : codeplug.channels())
        before.push_back(allOf(*channel));
    codeplug.save(dir.file("saved"));
    ChannelChangeSet changes;
    changes.txContact = 1;
    const auto result = massChangeChannels(codeplug, prompts, {0, 1, 2, 3}, returning(changes));
    EXPECT_FALSE(result.modelChanged);
    EXPECT_FALSE(codeplug.changed());
    for (int i = 0; i < codeplug.channels().count(); ++i) {
        EXPECT_EQ(allOf(*codeplug.channelAt(i)), before[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(codeplug.channelAt(i)->contactNameCache(), "") << i;
    }
    EXPECT_EQ(prompts.lastText(), "4 channels have been updated.");
}

TEST_P(MassChangeCommand, ContactChangeOnDigitalChannelsShowsTheNewContactsName)
{
    for (const auto& [id, name] : std::vector<std::pair<std::uint32_t, std::string>>{{91, "World"}, {3100, "USA"}}) {
        Contact contact = newContact(GetParam());
        contact.setName(name);
        contact.setDmrId(id);
        ASSERT_EQ(codeplug.addContact(contact), AddResult::Added);
    }
    ASSERT_EQ(codeplug.addChannel(digitalChannel(GetParam(), "Digital")), AddResult::Added);
    ChannelChangeSet changes;
    changes.txContact = 2;
    massChangeChannels(codeplug, prompts, {4}, returning(changes));
    EXPECT_EQ(codeplug.channelAt(4)->txContact(), 2);
    EXPECT_EQ(codeplug.channelAt(4)->contactNameCache(), "USA");
}

TEST_P(MassChangeCommand, NothingSelectedIsReportedAndTheDialogNeverRuns)
{
    bool ran = false;
    const MassChangeDialog dialog = [&] {
        ran = true;
        return std::optional<ChannelChangeSet>();
    };
    for (const std::vector<int>& rows : {std::vector<int>{}, std::vector<int>{4, 9, -1}}) {
        prompts.clearShown();
        const auto result = massChangeChannels(codeplug, prompts, rows, dialog);
        EXPECT_FALSE(result.applied);
        EXPECT_EQ(prompts.texts(),
                  std::vector<std::string>{"At least one channel must be selected prior to issuing this command!"});
        EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Information);
    }
    EXPECT_FALSE(ran);
}

TEST_P(MassChangeCommand, CancelledDialogChangesAndShowsNothing)
{
    const auto before = names();
    const auto result = massChangeChannels(codeplug, prompts, {0, 1}, [] { return std::optional<ChannelChangeSet>(); });
    EXPECT_FALSE(result.applied);
    EXPECT_EQ(result.selected, 0);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(names(), before);
    EXPECT_FALSE(codeplug.changed());
}

TEST_P(MassChangeCommand, RowsOutsideTheTableArePassedOver)
{
    ChannelChangeSet changes;
    changes.appendText = "X";
    const auto result = massChangeChannels(codeplug, prompts, {3, 17, -2}, returning(changes));
    EXPECT_EQ(result.selected, 1);
    EXPECT_EQ(names().back(), "DeltaX");
    EXPECT_EQ(prompts.lastText(), "1 channels have been updated.");
}

INSTANTIATE_TEST_SUITE_P(EveryFamily, MassChangeCommand, ::testing::Values(Md380Format, RdbV2Format, D868Format));

TEST(MassChangeCommandWithoutCodeplug, DoesNothing)
{
    Codeplug codeplug;
    ScriptedPrompts prompts;
    bool ran = false;
    massChangeChannels(codeplug, prompts, {0}, [&] {
        ran = true;
        return std::optional<ChannelChangeSet>();
    });
    EXPECT_FALSE(ran);
    EXPECT_TRUE(prompts.shown().empty());
}

} // namespace
} // namespace pw
