#include "iddb/id_search.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace pw {
namespace {

constexpr unsigned char fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }

bool equalFolded(const char* text, std::string_view term)
{
    for (std::size_t i = 0; i < term.size(); ++i)
        if (fold(static_cast<unsigned char>(text[i])) != fold(static_cast<unsigned char>(term[i])))
            return false;
    return true;
}

// Case is ignored by setting bit 5 of every byte before comparing: that maps each capital letter
// onto its small one, and maps a few other bytes onto each other too ('@' onto '`', for example),
// so it finds every place where the term may start, and the exact comparison then decides.
constexpr std::uint64_t Ones = 0x0101010101010101ull;
constexpr std::uint64_t High = 0x8080808080808080ull;
constexpr std::uint64_t Low7 = 0x7F7F7F7F7F7F7F7Full;
constexpr std::uint64_t CaseBits = 0x2020202020202020ull;

// The high bit of each byte of `v` that is zero, and of no other.
inline std::uint64_t zeroBytes(std::uint64_t v) { return ~(((v & Low7) + Low7) | v | Low7); }

inline std::uint64_t load64(const char* at)
{
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    if constexpr (std::endian::native == std::endian::big)
        word = __builtin_bswap64(word);
    return word;
}

struct PreparedTerm {
    std::string_view text;
    std::size_t anchor = 0;   // position in the term of the first byte of its rarest pair
    bool pair = false;        // false for a term of one byte
    std::uint64_t first = 0;  // the pair's bytes with bit 5 set, in every byte of a word
    std::uint64_t second = 0;
};

// Anchors the term on the two neighbouring bytes that are rarest together in the arena, judged by
// the product of their counts.
PreparedTerm prepare(const IdRecordStore& records, std::string_view term)
{
    const auto& counts = records.byteCounts();
    PreparedTerm prepared;
    prepared.text = term;
    prepared.pair = term.size() >= 2;
    if (prepared.pair) {
        double best = -1;
        for (std::size_t i = 0; i + 1 < term.size(); ++i) {
            const double estimate = static_cast<double>(counts[fold(static_cast<unsigned char>(term[i]))])
                                  * static_cast<double>(counts[fold(static_cast<unsigned char>(term[i + 1]))]);
            if (best < 0 || estimate < best) {
                best = estimate;
                prepared.anchor = i;
            }
        }
    }
    prepared.first = Ones * (static_cast<unsigned char>(term[prepared.anchor]) | 0x20u);
    if (prepared.pair)
        prepared.second = Ones * (static_cast<unsigned char>(term[prepared.anchor + 1]) | 0x20u);
    return prepared;
}

// Marks, in `marked`, every record of one arena block whose match text contains the term.
void markTermInBlock(const IdRecordStore& records, const IdRecordStore::BlockView& block, const PreparedTerm& term,
                     std::vector<std::uint8_t>& marked)
{
    const char* text = block.text.data();
    const std::size_t size = block.text.size();
    const std::size_t m = term.text.size();
    const std::size_t anchor = term.anchor;

    int record = block.firstRecord;
    std::size_t recordStart = records.offsetInBlock(record);
    std::size_t recordEnd = recordStart + records.matchLength(record);

    // Tries the term at the anchor position `at`; returns where to look next.
    auto tryAt = [&](std::size_t at) -> std::size_t {
        const std::size_t start = at - anchor;
        if (at < anchor || start + m > size || !equalFolded(text + start, term.text))
            return at + 1;
        if (start >= recordEnd) {
            // The record that holds the start: the last one beginning at or before it.
            int low = record + 1;
            int high = block.endRecord;
            while (low < high) {
                const int mid = low + (high - low) / 2;
                if (records.offsetInBlock(mid) <= start)
                    low = mid + 1;
                else
                    high = mid;
            }
            record = low - 1;
            recordStart = records.offsetInBlock(record);
            recordEnd = recordStart + records.matchLength(record);
        }
        // A hit running past the end of its record's match text spans two records: no hit.
        if (start + m > recordEnd)
            return at + 1;
        marked[static_cast<std::size_t>(record)] = 1;
        return recordEnd + anchor;
    };

    auto candidatesAt = [&](std::size_t at) {
        std::uint64_t found = zeroBytes((load64(text + at) | CaseBits) ^ term.first);
        if (term.pair)
            found &= zeroBytes((load64(text + at + 1) | CaseBits) ^ term.second);
        return found;
    };

    std::size_t pos = anchor;
    // Sixteen positions at a time while nothing is found: two independent words keep the
    // processor busy.
    while (pos + 17 <= size) {
        if ((candidatesAt(pos) | candidatesAt(pos + 8)) != 0)
            break;
        pos += 16;
    }
    // Eight positions at a time while a whole word and its neighbour byte can be read.
    while (pos + 9 <= size) {
        const std::uint64_t candidates = candidatesAt(pos);
        if (candidates == 0) {
            pos += 8;
            continue;
        }
        const std::size_t at = pos + static_cast<std::size_t>(std::countr_zero(candidates) / 8);
        pos = tryAt(at);
        while (pos + 17 <= size && (candidatesAt(pos) | candidatesAt(pos + 8)) == 0)
            pos += 16;
    }
    const auto firstByte = static_cast<unsigned char>(term.first);
    const auto secondByte = static_cast<unsigned char>(term.second);
    while (pos < size) {
        const bool firstFits = (static_cast<unsigned char>(text[pos]) | 0x20u) == firstByte;
        const bool secondFits = !term.pair || (pos + 1 < size && (static_cast<unsigned char>(text[pos + 1]) | 0x20u) == secondByte);
        pos = (firstFits && secondFits) ? tryAt(pos) : pos + 1;
    }
}

std::vector<std::uint8_t> markAll(const IdRecordStore& records, const std::vector<std::string>& terms)
{
    std::vector<std::uint8_t> marked(static_cast<std::size_t>(records.count()), 0);
    if (records.empty() || terms.empty())
        return marked;
    std::vector<PreparedTerm> prepared;
    for (const auto& term : terms) {
        if (term.empty()) {
            std::fill(marked.begin(), marked.end(), std::uint8_t{1});
            return marked;
        }
        prepared.push_back(prepare(records, term));
    }
    // Block by block, every term: a block is read from memory once and then searched from cache.
    for (int b = 0; b < records.blockCount(); ++b) {
        const auto block = records.block(b);
        for (const auto& term : prepared)
            markTermInBlock(records, block, term, marked);
    }
    return marked;
}

} // namespace

std::vector<int> FindRecords(const IdRecordStore& records, const std::vector<std::string>& terms)
{
    const auto marked = markAll(records, terms);
    std::vector<int> found;
    for (std::size_t i = 0; i < marked.size(); ++i)
        if (marked[i])
            found.push_back(static_cast<int>(i));
    return found;
}

int CountRecords(const IdRecordStore& records, const std::vector<std::string>& terms)
{
    const auto marked = markAll(records, terms);
    return static_cast<int>(std::count(marked.begin(), marked.end(), std::uint8_t{1}));
}

} // namespace pw
