// Feeds arbitrary files to the D868 recognition and decoder. Whatever the bytes, the decoder must
// stay within them and fail cleanly; a file it accepts must save, and the saved file must decode
// to a model of the same size and save again to the same bytes.
//
// The decoder reads its file from disk, so each input is written to a scratch file first.
#include "codeplug/codecs.h"
#include "codeplug/codeplug.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

const std::filesystem::path& scratchFile()
{
    static const std::filesystem::path path = [] {
        std::error_code error;
        auto folder = std::filesystem::path("/dev/shm");
        if (!std::filesystem::is_directory(folder, error))
            folder = std::filesystem::temp_directory_path();
        return folder / ("plugwright-d868-fuzz-" + std::to_string(::getpid()) + ".rdt");
    }();
    return path;
}

bool writeFile(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out);
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
    const auto& path = scratchFile();
    if (!writeFile(path, data, size))
        return 0;
    pw::Codeplug codeplug;
    if (codeplug.open(path) != pw::D868Format)
        return 0;
    if (codeplug.decode() != 1) {
        // A failed decode leaves nothing that could be saved.
        std::vector<std::uint8_t> none;
        if (pw::buildD868File(codeplug, none) || codeplug.contacts().count() != 0 || codeplug.errorCount() < 1)
            __builtin_trap();
        return 0;
    }
    std::vector<std::uint8_t> first;
    if (!pw::buildD868File(codeplug, first))
        return 0;  // a model the format cannot hold (no channel left, too many talkgroups)

    const Sizes before = sizesOf(codeplug);
    if (!writeFile(path, first.data(), first.size()))
        return 0;
    pw::Codeplug again;
    if (again.open(path) != pw::D868Format || again.decode() != 1)
        __builtin_trap();
    if (!(sizesOf(again) == before))
        __builtin_trap();
    std::vector<std::uint8_t> second;
    if (!pw::buildD868File(again, second) || second != first)
        __builtin_trap();
    std::error_code error;
    std::filesystem::remove(path, error);
    return 0;
}
