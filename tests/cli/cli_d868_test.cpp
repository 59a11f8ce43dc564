// SPDX-License-Identifier: GPL-3.0-or-later
// plugwright-cli on populated D868 files: the counts of every table, the error log and an edit
// that is saved and read back.
#include "support/d868_fixture.h"
#include "support/fixture_builder.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::runProcess;
using test::TempDir;

test::D868Fixture populated()
{
    test::D868Fixture fixture;
    fixture.channels = {{1, "One"}, {2, "Two", 145.5, true, 0}, {5, "Five"}, {4001, "VFO A"}};
    fixture.zones = {{"Zone A", {0, 4}}, {"Zone B", {2}}};  // 2 is record 3, a skipped number
    fixture.scanLists = {{"Scan", {1}}};
    test::D868FixtureContact talkgroup;
    talkgroup.name = "World";
    talkgroup.dmrId = 91;
    fixture.talkgroups = {talkgroup};
    for (std::uint32_t i = 1; i <= 3; ++i) {
        test::D868FixtureContact person;
        person.recordNumber = i;
        person.dmrId = 3100000 + i;
        person.name = "Person " + std::to_string(i);
        person.callType = 0;
        fixture.digitalContacts.push_back(person);
    }
    fixture.rxGroups = {{"RX", {0}}};
    fixture.trailingBytes = {1, 2, 3};
    return fixture;
}

TEST(CliD868, InfoCountsEveryTableAndTheRepairedReferences)
{
    TempDir dir;
    const auto path = dir.file("plug.rdt");
    test::writeBytes(path, test::buildD868Fixture(populated()));
    const auto info = runProcess(PLUGWRIGHT_CLI, {"info", path.string()});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out, "file: " + path.string() +
                            "\nformat: 0x3001\nradio type: AT868UV\nradio name: FIXTURE\nradio dmr id: 1234567\n"
                            "contacts: 4\nchannels: 3\nzones: 2\nscan lists: 1\nrx group lists: 1\nerrors: 1\n");
    const auto errors = runProcess(PLUGWRIGHT_CLI, {"errors", path.string()});
    EXPECT_EQ(errors.out,
              "Invalid channel index 2 in zone 'Zone B'; channel reference ignored, and zone corrected.\r\n");
}

TEST(CliD868, EditIsSavedWithTheTrailingBytes)
{
    TempDir dir;
    const auto path = dir.file("plug.rdt");
    const auto out = dir.file("out.rdt");
    test::writeBytes(path, test::buildD868Fixture(populated()));
    const auto set = runProcess(PLUGWRIGHT_CLI, {"set-radio", path.string(), "--name", "EDITED", "-o", out.string()});
    ASSERT_EQ(set.status, 0) << set.err;
    const auto info = runProcess(PLUGWRIGHT_CLI, {"info", out.string()});
    EXPECT_NE(info.out.find("radio name: EDITED\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("contacts: 4\n"), std::string::npos) << info.out;
    const auto saved = test::readBytes(out);
    ASSERT_GE(saved.size(), 3u);
    EXPECT_EQ(std::vector<std::uint8_t>(saved.end() - 3, saved.end()), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(CliD868, DamagedFileFailsWithTheNoValidDataMessage)
{
    TempDir dir;
    auto bytes = test::buildD868Fixture(populated());
    bytes.resize(bytes.size() - 3000);  // into section 15's first records
    const auto path = dir.file("cut.rdt");
    test::writeBytes(path, bytes);
    const auto info = runProcess(PLUGWRIGHT_CLI, {"info", path.string()});
    EXPECT_EQ(info.status, 1);
    EXPECT_EQ(info.err, "There is no valid data (contacts, channels) defined in this file image.\n");
}

} // namespace
} // namespace pw
