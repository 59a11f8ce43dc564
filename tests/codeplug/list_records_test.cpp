// SPDX-License-Identifier: GPL-3.0-or-later
// What every family's zone and scan-list records share: a full list takes no more members and
// keeps its bytes.

#include "codeplug/record_factory.h"

#include <gtest/gtest.h>

#include <vector>

namespace pw {
namespace {

class FullListRecord : public ::testing::TestWithParam<FormatId> {};

TEST_P(FullListRecord, ScanListRefusesAnotherMemberAndKeepsItsBytes)
{
    ScanList list = newScanList(GetParam());
    for (int member = 1; member <= list.memberLimit(); ++member)
        ASSERT_TRUE(list.addMember(member));
    const std::vector<std::uint8_t> before(list.familyRecord().begin(), list.familyRecord().end());
    EXPECT_FALSE(list.format().appendMember(list, 999));
    EXPECT_EQ(std::vector<std::uint8_t>(list.familyRecord().begin(), list.familyRecord().end()), before);
    EXPECT_EQ(list.member(0), 1);
}

TEST_P(FullListRecord, ZoneRefusesAnotherMemberAndKeepsItsBytes)
{
    Zone zone = newZone(GetParam());
    for (int member = 1; member <= zone.capacity(); ++member)
        ASSERT_TRUE(zone.addMember(member));
    const std::vector<std::uint8_t> before(zone.familyRecord().begin(), zone.familyRecord().end());
    EXPECT_FALSE(zone.format().appendMember(zone, zone.currentBank(), 999));
    EXPECT_EQ(std::vector<std::uint8_t>(zone.familyRecord().begin(), zone.familyRecord().end()), before);
}

INSTANTIATE_TEST_SUITE_P(EveryFamily, FullListRecord,
                         ::testing::Values(Md380Format, Md2017Format, RdbV1Format, RdbV2Format, D868Format));

} // namespace
} // namespace pw
