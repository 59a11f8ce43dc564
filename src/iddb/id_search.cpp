// SPDX-License-Identifier: GPL-3.0-or-later
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

// Follows the records of one arena block as a scan moves forward through it.
class RecordCursor {
public:
    RecordCursor(const IdRecordStore& records, const IdRecordStore::BlockView& block)
        : records_(records), endRecord_(block.endRecord), record_(block.firstRecord)
    {
        load();
    }
    // Moves to the record that holds byte `at`, which must not lie before the current record.
    void moveTo(std::size_t at)
    {
        if (at < end_)
            return;
        // The last record beginning at or before `at`.
        int low = record_ + 1;
        int high = endRecord_;
        while (low < high) {
            const int mid = low + (high - low) / 2;
            if (records_.offsetInBlock(mid) <= at)
                low = mid + 1;
            else
                high = mid;
        }
        record_ = low - 1;
        load();
    }
    std::size_t index() const { return static_cast<std::size_t>(record_); }
    std::size_t end() const { return end_; }

private:
    void load()
    {
        const std::size_t start = records_.offsetInBlock(record_);
        end_ = start + records_.matchLength(record_);
    }

    const IdRecordStore& records_;
    int endRecord_;
    int record_;
    std::size_t end_ = 0;
};

// Marks, in `marked`, every record of one arena block whose match text contains the term.
void markTermInBlock(const IdRecordStore& records, const IdRecordStore::BlockView& block, const PreparedTerm& term,
                     std::vector<std::uint8_t>& marked)
{
    const char* text = block.text.data();
    const std::size_t size = block.text.size();
    const std::size_t m = term.text.size();
    const std::size_t anchor = term.anchor;
    RecordCursor cursor(records, block);

    // Tries the term at the anchor position `at`; returns where to look next.
    auto tryAt = [&](std::size_t at) -> std::size_t {
        const std::size_t start = at - anchor;
        if (at < anchor || start + m > size || !equalFolded(text + start, term.text))
            return at + 1;
        cursor.moveTo(start);
        // A hit running past the end of its record's match text spans two records: no hit.
        if (start + m > cursor.end())
            return at + 1;
        marked[cursor.index()] = 1;
        return cursor.end() + anchor;
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

// Terms that begin with a blank, as every line of the searcher's additional box and every export
// criterion does, can only match where a word begins. They are looked for together, in one pass
// over the blanks of the arena, by the two bytes that follow the blank.
class WordStartTerms {
public:
    static bool suits(std::string_view term) { return term.size() >= 3 && term[0] == ' '; }

    void add(std::string_view term)
    {
        const auto key = keyOf(term.data() + 1);
        next_.push_back(first_[key]);
        first_[key] = static_cast<int>(terms_.size());
        terms_.push_back(term);
    }
    bool empty() const { return terms_.empty(); }

    void markInBlock(const IdRecordStore& records, const IdRecordStore::BlockView& block,
                     std::vector<std::uint8_t>& marked) const
    {
        const char* text = block.text.data();
        const std::size_t size = block.text.size();
        RecordCursor cursor(records, block);
        // Tries every term at the blank at `at`; returns where to look next.
        auto tryAt = [&](std::size_t at) -> std::size_t {
            if (at + 2 >= size)
                return at + 1;
            for (int t = first_[keyOf(text + at + 1)]; t >= 0; t = next_[static_cast<std::size_t>(t)]) {
                const auto term = terms_[static_cast<std::size_t>(t)];
                if (at + term.size() > size || !equalFolded(text + at, term))
                    continue;
                cursor.moveTo(at);
                if (at + term.size() > cursor.end())
                    continue;
                // The record is found: nothing more in it matters.
                marked[cursor.index()] = 1;
                return cursor.end();
            }
            return at + 1;
        };
        std::size_t pos = 0;
        while (pos + 8 <= size) {
            std::uint64_t blanks = zeroBytes(load64(text + pos) ^ CaseBits);
            if (blanks == 0) {
                pos += 8;
                continue;
            }
            const std::size_t base = pos;
            pos += 8;
            while (blanks != 0) {
                const std::size_t at = base + static_cast<std::size_t>(std::countr_zero(blanks) / 8);
                blanks &= blanks - 1;
                const std::size_t resume = tryAt(at);
                if (resume > at + 1) {
                    pos = resume;
                    break;
                }
            }
        }
        for (; pos < size;)
            pos = text[pos] == ' ' ? tryAt(pos) : pos + 1;
    }

private:
    static std::size_t keyOf(const char* two)
    {
        return static_cast<std::size_t>(fold(static_cast<unsigned char>(two[0])) << 8
                                        | fold(static_cast<unsigned char>(two[1])));
    }

    std::vector<int> first_ = std::vector<int>(65536, -1);
    std::vector<int> next_;
    std::vector<std::string_view> terms_;
};

std::vector<std::uint8_t> markAll(const IdRecordStore& records, const std::vector<std::string>& terms)
{
    std::vector<std::uint8_t> marked(static_cast<std::size_t>(records.count()), 0);
    if (records.empty() || terms.empty())
        return marked;
    std::vector<PreparedTerm> prepared;
    WordStartTerms wordStarts;
    for (const auto& term : terms) {
        if (term.empty()) {
            std::fill(marked.begin(), marked.end(), std::uint8_t{1});
            return marked;
        }
        // One term alone is found faster by its rarest bytes.
        if (terms.size() > 1 && WordStartTerms::suits(term))
            wordStarts.add(term);
        else
            prepared.push_back(prepare(records, term));
    }
    // Block by block, every term: a block is read from memory once and then searched from cache.
    for (int b = 0; b < records.blockCount(); ++b) {
        const auto block = records.block(b);
        if (!wordStarts.empty())
            wordStarts.markInBlock(records, block, marked);
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
