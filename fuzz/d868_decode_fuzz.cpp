// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary files to the D868 recognition and decoder. Whatever the bytes, the decoder must
// stay within them and fail cleanly; a file it accepts must save, and the saved file must decode
// to a model of the same size and save again to the same bytes.
//
// Codeplugs are opened from files, so each input is written to a scratch file first.
#include "codeplug/codeplug.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

std::filesystem::path scratchFile(const char* name)
{
    static const std::filesystem::path folder = [] {
        std::error_code error;
        auto path = std::filesystem::path("/dev/shm");
        if (!std::filesystem::is_directory(path, error))
            path = std::filesystem::temp_directory_path();
        return path;
    }();
    return folder / ("plugwright-d868-fuzz-" + std::to_string(::getpid()) + "-" + name + ".rdt");
}

bool writeFile(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out);
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Sizes {
    int contacts, channels, zones, scanLists, rxGroupLists;
    bool operator==(const Sizes&) const = default;
};

Sizes sizesOf(const pw::Codeplug& codeplug)
{
    return {codeplug.contacts().count(), codeplug.channels().count(), codeplug.zones().count(),
            codeplug.scanLists().count(), codeplug.rxGroupLists().count()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto input = scratchFile("input");
    const auto first = scratchFile("first");
    const auto second = scratchFile("second");
    if (!writeFile(input, data, size))
        return 0;
    pw::Codeplug codeplug;
    if (codeplug.open(input) != pw::D868Format)
        return 0;
    if (!codeplug.decode()) {
        // A failed decode leaves nothing that could be saved.
        if (codeplug.save(first) || codeplug.contacts().count() != 0 || codeplug.errorCount() < 1)
            __builtin_trap();
        return 0;
    }
    if (!codeplug.save(first))
        return 0;  // a model the format cannot hold (no channel left, too many talkgroups)

    const Sizes before = sizesOf(codeplug);
    pw::Codeplug again;
    if (again.open(first) != pw::D868Format || !again.decode())
        __builtin_trap();
    if (!(sizesOf(again) == before))
        __builtin_trap();
    if (!again.save(second) || readFile(second) != readFile(first))
        __builtin_trap();
    std::error_code error;
    for (const auto& path : {input, first, second})
        std::filesystem::remove(path, error);
    return 0;
}
