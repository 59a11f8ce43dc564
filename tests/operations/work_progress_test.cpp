// SPDX-License-Identifier: GPL-3.0-or-later
// Long work reports its progress on one scale: from 0, forward only, in steps rather than once per
// record, ending at the whole; and a run that reports makes the same codeplug as one that does not.
#include "codeplug/record_factory.h"
#include "operations/channel_transfer.h"
#include "operations/contact_commands.h"
#include "operations/contact_transfer.h"
#include "operations/structural_import.h"
#include "platform/work_progress.h"

#include "operations/transfer_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace pw {
namespace {

using test::TempDir;

constexpr int Contacts = 5000;
constexpr int Channels = 1000;

class RecordedProgress final : public WorkProgress {
public:
    void progressed(int done, int total) override { reports.emplace_back(done, total); }
    std::vector<std::pair<int, int>> reports;
};

// A D868 file of many contacts in no order and many channels, and the two CSV files of them.
struct SourceFiles {
    std::filesystem::path codeplug;
    std::filesystem::path contactsCsv;
    std::filesystem::path channelsCsv;
};

SourceFiles writeSources(const TempDir& dir)
{
    auto source = test::openEmpty(dir, D868Format, "source-build");
    for (int i = 0; i < Contacts; ++i) {
        // 7919 is prime: the names and IDs come in a scrambled order.
        const int key = (i * 7919) % Contacts;
        source->addContact(test::makeContact(D868Format, 1000000 + static_cast<std::uint32_t>(key),
                                             "Op " + std::to_string(key)));
    }
    for (int i = 0; i < Channels; ++i) {
        Channel channel = newChannel(D868Format);
        channel.setName("Ch " + std::to_string(i));
        channel.setRxFrequency(430.0 + i * 0.0125);
        channel.setTxFrequency(430.0 + i * 0.0125);
        source->addChannel(channel);
    }
    source->encode();
    SourceFiles files{dir.file("source"), dir.file("contacts.csv"), dir.file("channels.csv")};
    EXPECT_TRUE(source->save(files.codeplug));
    test::writeText(files.contactsCsv, contactsCsvText(*source));
    test::writeText(files.channelsCsv, channelsCsvText(*source));
    return files;
}

struct LongWork {
    const char* name;
    std::function<void(Codeplug&, const SourceFiles&, WorkProgress*)> run;
};

const LongWork Works[] = {
    {"contact CSV import",
     [](Codeplug& working, const SourceFiles& files, WorkProgress* progress) {
         EXPECT_EQ(readContactsCsv(working, files.contactsCsv, progress).imported, Contacts);
     }},
    {"channel CSV import",
     [](Codeplug& working, const SourceFiles& files, WorkProgress* progress) {
         EXPECT_EQ(importChannelsCsv(working, files.channelsCsv, progress).added, Channels);
     }},
    {"contact sort by name",
     [](Codeplug& working, const SourceFiles& files, WorkProgress* progress) {
         readContactsCsv(working, files.contactsCsv);
         EXPECT_TRUE(sortContactsCommand(working, 2, ContactListKind::ContactsTab, progress));
     }},
    {"structural import",
     [](Codeplug& working, const SourceFiles& files, WorkProgress* progress) {
         std::string report;
         EXPECT_TRUE(importStructures(working, files.codeplug, ImportAllKinds, report, nullptr, progress));
     }},
};

TEST(WorkProgress, LongWorkReportsForwardInStepsEndingAtTheWholeAndChangesNothingElse)
{
    TempDir dir;
    const auto files = writeSources(dir);
    for (const auto& work : Works) {
        SCOPED_TRACE(work.name);
        auto quiet = test::openEmpty(dir, D868Format, "quiet");
        work.run(*quiet, files, nullptr);
        auto watched = test::openEmpty(dir, D868Format, "watched");
        RecordedProgress progress;
        work.run(*watched, files, &progress);
        EXPECT_EQ(watched->fileBytes(), quiet->fileBytes());

        const auto& reports = progress.reports;
        ASSERT_FALSE(reports.empty());
        EXPECT_EQ(reports.front().first, 0);
        EXPECT_EQ(reports.back().first, ProgressScale);
        std::set<int> values;
        for (std::size_t i = 0; i < reports.size(); ++i) {
            EXPECT_EQ(reports[i].second, ProgressScale);
            if (i > 0) {
                EXPECT_GE(reports[i].first, reports[i - 1].first) << "report " << i;
            }
            values.insert(reports[i].first);
        }
        // The bar moves in many small steps, yet the sink hears far less than once per record.
        EXPECT_GE(values.size(), 20u);
        EXPECT_LE(reports.size(), static_cast<std::size_t>(ProgressScale) + 2);
    }
}

TEST(WorkProgress, StageReportsOnlyWhenItsShareMoves)
{
    RecordedProgress progress;
    ProgressStage stage(&progress, 1'000'000, 100, 300);
    for (int step = 0; step < 1'000'000; ++step)
        stage.step();
    stage.finish();
    ASSERT_EQ(progress.reports.size(), 200u);
    EXPECT_EQ(progress.reports.front(), std::make_pair(101, ProgressScale));
    EXPECT_EQ(progress.reports.back(), std::make_pair(300, ProgressScale));
}

} // namespace
} // namespace pw
