// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_record.h"

#include "model/field_readers.h"
#include "model/letter_case.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace pw {
namespace {

constexpr unsigned char foldByte(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }

bool isAtoiSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::uint8_t shortLength(std::size_t length) { return static_cast<std::uint8_t>(std::min<std::size_t>(length, 246)); }

} // namespace

bool ContainsNoCase(std::string_view text, std::string_view term)
{
    if (term.empty())
        return true;
    if (term.size() > text.size())
        return false;
    const auto first = foldByte(static_cast<unsigned char>(term[0]));
    const auto last = text.size() - term.size();
    for (std::size_t i = 0; i <= last; ++i) {
        if (foldByte(static_cast<unsigned char>(text[i])) != first)
            continue;
        std::size_t k = 1;
        while (k < term.size()
               && foldByte(static_cast<unsigned char>(text[i + k])) == foldByte(static_cast<unsigned char>(term[k])))
            ++k;
        if (k == term.size())
            return true;
    }
    return false;
}

bool readRecordIdField(std::string_view line, std::string& idField)
{
    return CsvFieldReader::field(line, 0, 246, idField) >= 0;
}

std::int32_t dmrIdValue(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && isAtoiSpace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::int64_t value = 0;
    constexpr std::int64_t cap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
        value = std::min<std::int64_t>(value * 10 + (text[pos] - '0'), cap);
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

std::optional<std::uint32_t> dmrIdFromDigits(std::string_view text)
{
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (value == 0 || value > 0xFFFFFFu)
        return std::nullopt;
    return value;
}

std::uint64_t callsignKey(std::string_view callsign)
{
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(callsign.size(), 8); ++i)
        key |= std::uint64_t{static_cast<unsigned char>(upperAscii(callsign[i]))} << (8 * i);
    return key;
}

RecordLineResult parseRecordLine(std::string_view line, IdRecordFields& fields)
{
    struct Wanted {
        std::string* text;
        std::size_t limit;
    };
    const Wanted wanted[] = {{&fields.radioId, RadioIdLimit}, {&fields.callsign, CallsignLimit},
                             {&fields.name, NameLimit},       {&fields.city, CityLimit},
                             {&fields.state, StateLimit},     {&fields.country, CountryLimit}};
    for (int i = 0; i < 6; ++i) {
        if (CsvFieldReader::field(line, i, wanted[i].limit, *wanted[i].text) < 0)
            return i == 0 ? RecordLineResult::NoIdField : RecordLineResult::Incomplete;
    }
    if (CsvFieldReader::field(line, 6, RemarksLimit, fields.remarks) < 0)
        fields.remarks.clear();
    // Remarks are shown in one-line list cells: no control characters. Their other characters are
    // UTF-8 and are kept.
    for (char& c : fields.remarks)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F')
            c = ' ';
    return RecordLineResult::Complete;
}

// ---- IdRecordStore ----

std::uint32_t IdRecordStore::matchLength(int record) const
{
    const auto& entry = entries_[static_cast<std::size_t>(record)];
    std::uint32_t length = 8u + entry.remarksLength;
    for (auto l : entry.shortLengths)
        length += l;
    return length;
}

void IdRecordStore::append(const IdRecordFields& fields)
{
    // Match order: radioId, callsign, city, country, spare, name, remarks, state.
    const std::string_view texts[8] = {
        std::string_view(fields.radioId).substr(0, RadioIdLimit),
        std::string_view(fields.callsign).substr(0, CallsignLimit),
        std::string_view(fields.city).substr(0, CityLimit),
        std::string_view(fields.country).substr(0, CountryLimit),
        std::string_view(),
        std::string_view(fields.name).substr(0, NameLimit),
        std::string_view(fields.remarks).substr(0, RemarksLimit),
        std::string_view(fields.state).substr(0, StateLimit),
    };
    std::size_t total = 0;
    for (const auto& text : texts)
        total += text.size() + 1;

    if (blocks_.empty() || blocks_.back().used + total > BlockBytes) {
        Block block;
        block.bytes = std::make_unique_for_overwrite<char[]>(BlockBytes);
        block.firstRecord = count();
        blocks_.push_back(std::move(block));
    }
    auto& block = blocks_.back();
    Entry entry{};
    entry.block = static_cast<std::uint32_t>(blocks_.size() - 1);
    entry.offset = block.used;
    char* out = block.bytes.get() + block.used;
    for (const auto& text : texts) {
        // A zero byte would end the text early for every later reader; the field reader never
        // yields one, but the store does not rely on that.
        for (char c : text)
            *out++ = c == '\0' ? ' ' : c;
        *out++ = ' ';
    }
    block.used += static_cast<std::uint32_t>(total);
    entry.shortLengths = {shortLength(texts[0].size()), shortLength(texts[1].size()), shortLength(texts[2].size()),
                          shortLength(texts[3].size()), shortLength(texts[5].size()), shortLength(texts[7].size())};
    entry.remarksLength = static_cast<std::uint16_t>(texts[6].size());
    entries_.push_back(entry);

    const IdRecord stored = view(entry);
    keys_.push_back({dmrIdFromDigits(stored.radioId()).value_or(0), countries_.numberOf(stored.country()),
                     states_.numberOf(stored.state())});
}

void IdRecordStore::clear()
{
    entries_.clear();
    entries_.shrink_to_fit();
    keys_.clear();
    keys_.shrink_to_fit();
    countries_.clear();
    states_.clear();
    blocks_.clear();
    byteCounts_.fill(0);
    countedBlocks_ = 0;
    countedBytes_ = 0;
}

std::size_t IdRecordStore::memoryBytes() const
{
    return entries_.capacity() * sizeof(Entry) + keys_.capacity() * sizeof(Keys) + blocks_.capacity() * sizeof(Block)
         + blocks_.size() * BlockBytes;
}

IdRecordStore::BlockView IdRecordStore::block(int index) const
{
    const auto& b = blocks_[static_cast<std::size_t>(index)];
    BlockView result;
    result.text = std::string_view(b.bytes.get(), b.used);
    result.firstRecord = b.firstRecord;
    result.endRecord = static_cast<std::size_t>(index) + 1 < blocks_.size()
                         ? blocks_[static_cast<std::size_t>(index) + 1].firstRecord
                         : count();
    return result;
}

const std::array<std::uint64_t, 256>& IdRecordStore::byteCounts() const
{
    while (countedBlocks_ < blocks_.size()) {
        const auto& b = blocks_[countedBlocks_];
        const auto* bytes = reinterpret_cast<const unsigned char*>(b.bytes.get());
        for (std::uint32_t i = countedBytes_; i < b.used; ++i)
            ++byteCounts_[foldByte(bytes[i])];
        countedBytes_ = b.used;
        // The last block may still grow; earlier ones are full for good.
        if (countedBlocks_ + 1 == blocks_.size())
            break;
        ++countedBlocks_;
        countedBytes_ = 0;
    }
    return byteCounts_;
}

} // namespace pw
