// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loaded codeplugs of three families for the transfer fuzz targets, made once from the fixture
// builders, with a few named records for channel lines to refer to, and put back as they were
// before every input.

#include "codeplug/codeplug.h"
#include "codeplug/rdb/rdb_codec.h"
#include "support/fixture_builder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace pw::fuzz {

struct FuzzCodeplug {
    std::unique_ptr<Codeplug> codeplug;
    std::vector<std::uint8_t> pristineRdbImage;
};

// The image of an RDB codeplug; nothing for the other families, which keep no slots.
inline std::vector<std::uint8_t>* rdbImageOf(Codeplug& codeplug)
{
    if (codeplug.family() != FormatFamily::RdbFamily)
        return nullptr;
    return &static_cast<rdb::RdbCodec&>(codeplug.codec()).image();
}

inline std::filesystem::path scratchFolder()
{
    static const auto folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("plugwright-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// Writes a fuzzer's input to `path`, for the readers that take a file.
inline void writeInput(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Empties the model lists and puts the references and the RDB image back.
inline void reset(FuzzCodeplug& plug)
{
    auto& codeplug = *plug.codeplug;
    // Only added channels write into the RDB image (its slot-order table and channel slots).
    const bool imageTouched = !codeplug.channels().empty();
    codeplug.contacts().deleteAll();
    codeplug.channels().deleteAll();
    codeplug.scanLists().deleteAll();
    codeplug.rxGroupLists().deleteAll();
    codeplug.zones().deleteAll();
    if (auto* image = rdbImageOf(codeplug); imageTouched && image)
        *image = plug.pristineRdbImage;
    for (const char* name : {"Alpha", "Club"}) {
        Contact contact = codeplug.newContact();
        contact.setName(name);
        contact.setDmrId(name[0] == 'A' ? 100u : 3100u);
        codeplug.addContact(contact);
    }
    ScanList list = codeplug.newScanList();
    list.setName("SL One");
    codeplug.addScanList(list);
    codeplug.newRxGroupList("RG One");
}

inline std::vector<FuzzCodeplug>& codeplugs()
{
    static std::vector<FuzzCodeplug> all = [] {
        std::vector<FuzzCodeplug> made;
        for (const FormatId format : {Md380Format, Md2017Format, RdbV2Format, D868Format}) {
            FuzzCodeplug plug;
            plug.codeplug = std::make_unique<Codeplug>();
            const auto path = test::writeFixture(scratchFolder() / std::to_string(format), format);
            if (!plug.codeplug->open(path) || !plug.codeplug->decode())
                std::abort();
            if (const auto* image = rdbImageOf(*plug.codeplug))
                plug.pristineRdbImage = *image;
            made.push_back(std::move(plug));
        }
        return made;
    }();
    return all;
}

} // namespace pw::fuzz
