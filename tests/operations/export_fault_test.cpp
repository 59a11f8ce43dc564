// SPDX-License-Identifier: GPL-3.0-or-later
// Exports on a disk that fills up: a file-size limit makes every write past a few hundred bytes
// fail as a full disk would, for root too.
#include "operations/channel_transfer.h"
#include "codeplug/record_factory.h"
#include "operations/contact_commands.h"
#include "operations/contact_transfer.h"

#include "operations/transfer_fixture.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace pw {
namespace {

using test::TempDir;

// Limits the size of files this process writes for the life of the object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(ExportOnAFullDisk, ReportsFailureAndKeepsTheOldFile)
{
    TempDir dir;
    auto plug = test::openEmpty(dir, RdbV2Format);
    test::addContacts(*plug, 1000, 200);
    for (int i = 0; i < 20; ++i) {
        Channel channel = newChannel(RdbV2Format);
        channel.setName("Ch " + std::to_string(i));
        ASSERT_EQ(plug->addChannel(channel), AddResult::Added);
    }
    const auto contactsPath = dir.file("contacts.csv");
    const auto channelsPath = dir.file("channels.csv");
    test::writeText(contactsPath, "old contacts");
    test::writeText(channelsPath, "old channels");

    ScriptedPrompts prompts;
    prompts.choose(contactsPath.string());
    prompts.choose(channelsPath.string());
    prompts.answer(MessageAnswer::Yes);
    {
        FileSizeLimit limit(512);
        EXPECT_FALSE(exportContactsCsv(*plug, contactsPath));
        EXPECT_FALSE(exportChannelsCsv(*plug, channelsPath));
        EXPECT_EQ(exportContactsCsvCommand(*plug, prompts).status, TransferOutcome::Status::Failed);
        EXPECT_EQ(exportChannelsCsvCommand(*plug, prompts).status, TransferOutcome::Status::Failed);
    }
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"Failed to export contact data.",
                                                         "File '" + channelsPath.string() + "' already exists; overwrite?",
                                                         "Unable to write CSV file."}));
    EXPECT_EQ(test::readText(contactsPath), "old contacts");
    EXPECT_EQ(test::readText(channelsPath), "old channels");
    // Nothing is left beside them.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 3);
}

} // namespace
} // namespace pw
