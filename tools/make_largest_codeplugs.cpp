// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the largest codeplugs the benchmarks use, for measuring the programs as a whole:
//   make_largest_codeplugs FOLDER
// writes FOLDER/largest.dcf (D868: 160000 digital contacts, 10000 talkgroups, 4000 channel
// records) and FOLDER/largest.rdb (0x2003 image: 130000 contacts). bench/measure-programs.sh uses
// them to time plugwright-cli against cp and dmrconfig.

#include "support/d868_fixture.h"
#include "support/fixture_builder.h"
#include "support/rdb_fixture.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_largest_codeplugs FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    pw::test::writeBytes(folder / "largest.dcf", pw::test::buildD868Fixture(pw::test::largestD868Fixture()));
    pw::test::largestRdbFixture().write(folder / "largest.rdb");
    return 0;
}
