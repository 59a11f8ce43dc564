// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_export.h"

#include "iddb/id_search.h"
#include "iddb/id_searcher.h"
#include "model/line_fields.h"
#include "model/unicode_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <span>

namespace pw {
namespace {

// The capacities, and where each figure comes from:
// - The MD-UV380, MD-2017 and MD-9600 keep their user database in flash from 0x200000 to
//   0x1000000, behind a 0x4003-byte index, at 120 bytes a user: 122,197 users (the memory maps
//   of dmrconfig and qdmr).
// - The MD-380's own programming software imports these lines into the codeplug's contact list,
//   which holds 1,000 contacts.
// - The AnyTone D868UV's user database index has room for 0x186A00 bytes at 8 bytes a user:
//   200,000 users (qdmr's memory map). The D878UV II and D578UV hold more: raise it with --limit.
// - dmrconfig -u writes the user database of the MD-UV380 family, as above.
constexpr std::size_t TytUserDatabase = 122197;
constexpr std::size_t Md380Contacts = 1000;
constexpr std::size_t D868UserDatabase = 200000;

const std::vector<RadioCsvTypeInfo> Types = {
    {RadioCsvType::Md2017, "1", "TYT MD2017 / MDUV380", TytUserDatabase},
    {RadioCsvType::Md9600, "2", "TYT MD9600 / Retevis RT90", TytUserDatabase},
    {RadioCsvType::Md380, "3", "TYT MD380", Md380Contacts},
    {RadioCsvType::AnyTone, "anytone", "AnyTone D868 / D878 / D578", D868UserDatabase},
    {RadioCsvType::Dmrconfig, "dmrconfig", "dmrconfig -u", TytUserDatabase},
};

// dmrconfig keeps 16 characters of a callsign and 100 of the name with the place; these cuts keep
// every line below its 255 bytes.
struct DmrconfigWidths {
    std::size_t radioId = 8, callsign = 16, name = 100, city = 40, state = 30, country = 30, remarks = 20;
};

std::string converted(std::string_view text, ExportCharset charset)
{
    if (isAscii(text))
        return std::string(text);
    return charset == ExportCharset::Ascii ? transliterateToAscii(text) : transliterateToWindows1252(text);
}

// Whether every text of a record is plain ASCII without commas, quotes or control characters: the
// texts of most records, which every layout then writes as they are stored. Eight bytes are looked
// at a time: a byte of a word is zero exactly where (word - 0x01..01) & ~word has its top bit, and a
// byte is below n where (word - n..n) & ~word has it; a borrow from a lower byte sets a top bit only
// above a byte that was found already, so the word as a whole is told exactly.
bool isPlainText(std::string_view text)
{
    constexpr std::uint64_t Ones = 0x0101010101010101u;
    constexpr std::uint64_t Tops = 0x8080808080808080u;
    auto special = [](std::uint64_t word) {
        auto below = [word](std::uint64_t bytes, std::uint64_t n) { return (bytes - Ones * n) & ~bytes; };
        return word | below(word, 0x20) | below(word ^ (Ones * '"'), 1) | below(word ^ (Ones * ','), 1);
    };
    std::uint64_t found = 0;
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        found |= special(word);
    }
    // The last bytes, in a word of blanks.
    if (at < text.size()) {
        std::uint64_t word = Ones * ' ';
        std::memcpy(&word, text.data() + at, text.size() - at);
        found |= special(word);
    }
    return (found & Tops) == 0;
}

std::string withQuotesDoubled(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out;
}

// What a layout writes of each record: its values in their columns, each quoted or not, a fixed
// tail and the line end.
struct LineLayout {
    enum Column { Row, RadioId, Callsign, Name, City, State, Country, Remarks, Empty, NameOrCallsign };
    std::vector<Column> columns;
    bool quoted = false;
    std::string_view tail;
    std::string_view lineEnd = "\r\n";
};

LineLayout layoutOf(RadioCsvType type)
{
    using C = LineLayout;
    switch (type) {
    case RadioCsvType::Md2017: return {{C::RadioId, C::Callsign, C::Name, C::Empty, C::City, C::State, C::Country}};
    case RadioCsvType::Md9600: return {{C::RadioId, C::Callsign, C::Name, C::City, C::State, C::Country}};
    case RadioCsvType::AnyTone:
        return {{C::Row, C::RadioId, C::Callsign, C::Name, C::City, C::State, C::Country, C::Remarks},
                true,
                ",\"Private Call\",\"None\""};
    case RadioCsvType::Dmrconfig:
        return {{C::RadioId, C::Callsign, C::Name, C::City, C::State, C::Country, C::Remarks}, false, "", "\n"};
    default:
        // Without a callsign column, the callsign stands in for the name that may not be written.
        return {{C::RadioId, C::NameOrCallsign}, false, ",,,,,"};
    }
}

// dmrconfig's widths, by column.
std::size_t dmrconfigWidth(LineLayout::Column column)
{
    const DmrconfigWidths w;
    switch (column) {
    case LineLayout::RadioId: return w.radioId;
    case LineLayout::Callsign: return w.callsign;
    case LineLayout::Name: return w.name;
    case LineLayout::City: return w.city;
    case LineLayout::State: return w.state;
    case LineLayout::Country: return w.country;
    default: return w.remarks;
    }
}

// The place of a column's text among the record's texts in match order (IdRecord::texts), or -1
// for a column that writes no text of the record.
int matchSlotOf(LineLayout::Column column, bool noNames)
{
    switch (column) {
    case LineLayout::RadioId: return 0;
    case LineLayout::Callsign: return 1;
    case LineLayout::City: return noNames ? -1 : 2;
    case LineLayout::Country: return 3;
    case LineLayout::Name: return noNames ? -1 : 5;
    case LineLayout::NameOrCallsign: return noNames ? 1 : 5;
    case LineLayout::Remarks: return 6;
    case LineLayout::State: return noNames ? -1 : 7;
    default: return -1;
    }
}

// Copies a text to `at` and returns the end. Most values of a line are a few bytes long, where a
// call to memcpy costs more than the copy: those are copied as two overlapping words.
char* put(char* at, std::string_view text)
{
    const std::size_t n = text.size();
    const char* from = text.data();
    if (n >= 8 && n <= 16) {
        std::memcpy(at, from, 8);
        std::memcpy(at + n - 8, from + n - 8, 8);
    } else if (n >= 4 && n < 8) {
        std::memcpy(at, from, 4);
        std::memcpy(at + n - 4, from + n - 4, 4);
    } else if (n > 0 && n < 4) {
        at[0] = from[0];
        at[n / 2] = from[n / 2];
        at[n - 1] = from[n - 1];
    } else if (n > 16) {
        std::memcpy(at, from, n);
    }
    return at + n;
}

// The bytes being made: lines are written straight into them, and whoever made room reads them as
// one text.
class LineSpace {
public:
    explicit LineSpace(std::size_t expected) : bytes_(std::max<std::size_t>(expected, 1), '\0') {}

    // Room for `length` more bytes, which advance() then takes.
    char* room(std::size_t length)
    {
        if (used_ + length > bytes_.size())
            bytes_.resize(std::max(2 * bytes_.size(), used_ + length));
        return bytes_.data() + used_;
    }
    void advance(std::size_t length) { used_ += length; }
    void append(std::string_view text)
    {
        put(room(text.size()), text);
        advance(text.size());
    }

    std::size_t size() const { return used_; }
    std::span<const std::uint8_t> bytes() const { return {reinterpret_cast<const std::uint8_t*>(bytes_.data()), used_}; }
    void clear() { used_ = 0; }
    std::string take() &&
    {
        bytes_.resize(used_);
        return std::move(bytes_);
    }

private:
    std::string bytes_;
    std::size_t used_ = 0;
};

// The records' lines. The texts of most records are plain and are copied as stored; the others are
// converted to the file's character set first. Each line's values are found first, so that the line
// is written into room made once.
class CsvLineWriter {
public:
    CsvLineWriter(RadioCsvType type, RadioCsvOptions options) : type_(type), options_(options)
    {
        const auto layout = layoutOf(type);
        for (const auto column : layout.columns) {
            const std::size_t width = type == RadioCsvType::Dmrconfig ? dmrconfigWidth(column) : std::string_view::npos;
            columns_.push_back({column == LineLayout::Row, matchSlotOf(column, options.noNames), width});
        }
        quoted_ = layout.quoted;
        open_ = layout.quoted ? "\"" : "";
        separator_ = layout.quoted ? "\",\"" : ",";
        close_.append(open_).append(layout.tail);
        close_ += layout.lineEnd;
        fixedLength_ = open_.size() + separator_.size() * (columns_.size() - 1) + close_.size();
    }

    void append(LineSpace& out, const IdRecord& record, std::size_t row)
    {
        // The line is made from locals: a store through a char pointer may change any member as far
        // as the compiler knows, which would read each member again after every byte written.
        const std::span<const Column> columns(columns_);
        const std::string_view separator = separator_;
        std::string_view values[8];
        char rowDigits[24];
        const auto texts = record.texts();
        const bool plain = isPlainText(record.matchText());
        std::size_t length = fixedLength_;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const auto& column = columns[i];
            if (column.row) {
                const auto end = std::to_chars(rowDigits, rowDigits + sizeof rowDigits, row).ptr;
                values[i] = {rowDigits, static_cast<std::size_t>(end - rowDigits)};
            } else if (column.slot >= 0) {
                // Of a record that is not plain, most texts are: only the others are converted.
                const auto text = texts[static_cast<std::size_t>(column.slot)];
                values[i] = plain || isPlainText(text) ? text.substr(0, column.width)
                                                       : converted(text, column.width, converted_[i]);
            }
            length += values[i].size();
        }
        char* at = put(out.room(length), open_);
        at = put(at, values[0]);
        for (std::size_t i = 1; i < columns.size(); ++i)
            at = put(put(at, separator), values[i]);
        put(at, close_);
        out.advance(length);
    }

private:
    struct Column {
        bool row;
        int slot;
        std::size_t width;
    };

    // A text that is not plain as the layout writes it between its commas (and quotes): converted
    // to the file's character set and quoted, quote-doubled or cleaned as the layout needs, in
    // `storage`.
    std::string_view converted(std::string_view text, std::size_t width, std::string& storage) const
    {
        if (type_ == RadioCsvType::Dmrconfig) {
            // dmrconfig splits at every comma and takes no quotes: values are plain ASCII without
            // commas, quotes or control characters.
            storage = pw::converted(text, ExportCharset::Ascii);
            for (auto& c : storage)
                if (c == ',' || c == '"' || static_cast<unsigned char>(c) < 0x20)
                    c = c == '"' ? '\'' : ' ';
            storage.resize(std::min(storage.size(), width));
            return storage;
        }
        storage = pw::converted(text, options_.charset);
        if (quoted_) {
            storage = withQuotesDoubled(storage);
        } else {
            // A value holding a comma or a quote is quoted, with inner quotes doubled, so that it
            // stays one column.
            std::string field;
            appendCsvField(field, storage);
            storage = std::move(field);
        }
        return storage;
    }

    RadioCsvType type_;
    RadioCsvOptions options_;
    std::vector<Column> columns_;
    bool quoted_ = false;
    std::string_view open_;
    std::string_view separator_;
    std::string close_;
    std::size_t fixedLength_ = 0;
    std::array<std::string, 8> converted_;
};

const char* headerOf(RadioCsvType type)
{
    switch (type) {
    case RadioCsvType::Md2017: return "Radio ID,CallSign,Name,Nickname,City,State,Country,\r\n";
    case RadioCsvType::Md9600: return "Radio ID,CallSign,Name,City,State/Prov,Country,\r\n";
    case RadioCsvType::AnyTone:
        return "\"No.\",\"Radio ID\",\"Callsign\",\"Name\",\"City\",\"State\",\"Country\",\"Remarks\",\"Call Type\","
               "\"Call Alert\"\r\n";
    case RadioCsvType::Dmrconfig: return "Radio ID,Callsign,Name,City,State,Country,Remarks\n";
    default: return "";
    }
}

} // namespace

const std::vector<RadioCsvTypeInfo>& radioCsvTypes() { return Types; }

const RadioCsvTypeInfo* radioCsvTypeInfo(RadioCsvType type)
{
    for (const auto& info : Types)
        if (info.type == type)
            return &info;
    return nullptr;
}

std::optional<RadioCsvType> radioCsvTypeNamed(std::string_view name)
{
    for (const auto& info : Types)
        if (name == info.name)
            return info.type;
    return std::nullopt;
}

std::string radioTypeButtonText(RadioCsvType type)
{
    const auto* info = radioCsvTypeInfo(type);
    return info ? info->buttonText : "";
}

std::vector<std::string> exportCriteriaTerms(std::string_view criteriaText)
{
    std::vector<std::string> terms;
    for (const auto line : leadingLines(criteriaText)) {
        if (terms.size() >= MaxSearchTerms)
            break;
        terms.emplace_back(1, ' ').append(line.substr(0, CriteriaLineLimit));
    }
    return terms;
}

std::string matchingRecordsText(const IdRecordStore& records, std::string_view criteriaText)
{
    const auto terms = exportCriteriaTerms(criteriaText);
    const int count = terms.empty() ? records.count() : CountRecords(records, terms);
    return std::to_string(count) + " matching records in database";
}

std::string radioCsvText(const IdRecordStore& records, const std::vector<int>& recordOrder, RadioCsvType type,
                         RadioCsvOptions options)
{
    const std::string_view header = headerOf(type);
    // Room for the texts as stored and what the layout puts around them: the whole text, unless
    // values grow in conversion or quoting, which few do.
    const std::size_t aroundTexts = type == RadioCsvType::AnyTone ? 64 : 16;
    std::size_t expected = header.size();
    for (const int index : recordOrder)
        expected += records.matchLength(index) + aroundTexts;
    LineSpace out(expected);
    out.append(header);
    CsvLineWriter writer(type, options);
    std::size_t row = 0;
    for (const int index : recordOrder)
        writer.append(out, records.at(index), ++row);
    return std::move(out).take();
}

ContentProducer radioCsvContent(const IdRecordStore& records, const std::vector<int>& recordOrder, RadioCsvType type,
                                RadioCsvOptions options)
{
    return [&records, &recordOrder, type, options](ByteSink& sink, std::string&) {
        // A megabyte a piece: a buffer far smaller than the whole text, in few enough writes that
        // what each write costs the system stays small beside the copying.
        constexpr std::size_t PieceBytes = 1 << 20;
        LineSpace piece(2 * PieceBytes);
        piece.append(headerOf(type));
        CsvLineWriter writer(type, options);
        std::size_t row = 0;
        for (const int index : recordOrder) {
            writer.append(piece, records.at(index), ++row);
            if (piece.size() >= PieceBytes) {
                if (!sink.write(piece.bytes()))
                    return false;
                piece.clear();
            }
        }
        return sink.write(piece.bytes());
    };
}

std::optional<std::size_t> exportLimit(RadioCsvType type, std::optional<std::size_t> asked)
{
    if (asked)
        return asked;
    const auto* info = radioCsvTypeInfo(type);
    return info ? info->capacity : std::nullopt;
}

RadioCsvExport selectForExport(const IdUserIndex& users, IdSelectionCriteria criteria, RadioCsvType type)
{
    RadioCsvExport result;
    const auto* info = radioCsvTypeInfo(type);
    result.capacity = info ? info->capacity : std::nullopt;
    criteria.limit = exportLimit(type, criteria.limit);
    result.selection = selectUsers(users, criteria);
    result.records.reserve(result.selection.users.size());
    for (const int user : result.selection.users)
        result.records.push_back(users.recordOf(user));
    result.report = selectionCountText(static_cast<int>(result.records.size()), users.userCount(), result.capacity);
    for (const auto& note : selectionNotes(result.selection, criteria, criteria.limit))
        result.report += "\r\n" + note;
    return result;
}

RadioCsvExport exportSelection(const IdUserIndex& users, IdSelectionCriteria criteria, RadioCsvType type,
                               RadioCsvOptions options)
{
    auto result = selectForExport(users, std::move(criteria), type);
    result.text = radioCsvText(users.records(), result.records, type, options);
    return result;
}

} // namespace pw
