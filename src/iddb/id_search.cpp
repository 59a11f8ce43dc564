#include "iddb/id_search.h"

#include <algorithm>
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

// The position in the term of its byte that occurs least often in the arena.
std::size_t rarestByte(const std::array<std::uint64_t, 256>& counts, std::string_view term)
{
    std::size_t best = 0;
    for (std::size_t i = 1; i < term.size(); ++i)
        if (counts[fold(static_cast<unsigned char>(term[i]))] < counts[fold(static_cast<unsigned char>(term[best]))])
            best = i;
    return best;
}

// Marks, in `marked`, every record of the store whose match text contains `term`.
void markTerm(const IdRecordStore& records, std::string_view term, std::vector<std::uint8_t>& marked)
{
    if (term.empty()) {
        std::fill(marked.begin(), marked.end(), std::uint8_t{1});
        return;
    }
    const std::size_t anchor = rarestByte(records.byteCounts(), term);
    const unsigned char lower = fold(static_cast<unsigned char>(term[anchor]));
    const unsigned char upper = (lower >= 'a' && lower <= 'z') ? static_cast<unsigned char>(lower - 32) : lower;
    const std::size_t m = term.size();

    for (int b = 0; b < records.blockCount(); ++b) {
        const auto block = records.block(b);
        const char* text = block.text.data();
        const std::size_t size = block.text.size();
        auto find = [&](unsigned char c, std::size_t from) -> std::size_t {
            if (from >= size)
                return size;
            const void* hit = std::memchr(text + from, c, size - from);
            return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text) : size;
        };

        int record = block.firstRecord;
        std::size_t recordStart = records.offsetInBlock(record);
        std::size_t recordEnd = recordStart + records.matchLength(record);
        std::size_t pos = anchor;
        std::size_t nextLower = find(lower, pos);
        std::size_t nextUpper = upper == lower ? size : find(upper, pos);
        while (pos < size) {
            if (nextLower < pos)
                nextLower = find(lower, pos);
            if (upper != lower && nextUpper < pos)
                nextUpper = find(upper, pos);
            const std::size_t hit = std::min(nextLower, nextUpper);
            if (hit >= size)
                break;
            if (hit >= recordEnd) {
                // Jump to the record that holds the hit: the last one starting at or before it.
                int low = record + 1;
                int high = block.endRecord;
                while (low < high) {
                    const int mid = low + (high - low) / 2;
                    if (records.offsetInBlock(mid) <= hit)
                        low = mid + 1;
                    else
                        high = mid;
                }
                record = low - 1;
                recordStart = records.offsetInBlock(record);
                recordEnd = recordStart + records.matchLength(record);
            }
            if (marked[static_cast<std::size_t>(record)]) {
                pos = recordEnd + anchor;
                continue;
            }
            if (hit >= recordStart + anchor && hit - anchor + m <= recordEnd && equalFolded(text + hit - anchor, term)) {
                marked[static_cast<std::size_t>(record)] = 1;
                pos = recordEnd + anchor;
                continue;
            }
            pos = hit + 1;
        }
    }
}

std::vector<std::uint8_t> markAll(const IdRecordStore& records, const std::vector<std::string>& terms)
{
    std::vector<std::uint8_t> marked(static_cast<std::size_t>(records.count()), 0);
    if (records.empty())
        return marked;
    for (const auto& term : terms)
        markTerm(records, term, marked);
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
