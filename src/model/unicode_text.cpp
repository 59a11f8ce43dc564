// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/unicode_text.h"

#include <unicode/utrans.h>

#include <algorithm>
#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

namespace pw {
namespace {

// Windows-1252 0x80 to 0x9F; the five bytes it leaves undefined keep their C1 code points.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t Replacement = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The Windows-1252 byte of a code point, or -1 when the set has none.
int windows1252Byte(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (std::size_t i = 0; i < Windows1252High.size(); ++i)
        if (Windows1252High[i] == codePoint)
            return static_cast<int>(0x80 + i);
    return -1;
}

int latin1Byte(char32_t codePoint) { return codePoint <= 0xFF ? static_cast<int>(codePoint) : -1; }
int asciiByte(char32_t codePoint) { return codePoint < 0x80 ? static_cast<int>(codePoint) : -1; }

// One transliterator per thread: ICU's instances must not be shared between threads, and making
// one costs far more than using it.
UTransliterator* toLatinAscii()
{
    struct Closer {
        void operator()(UTransliterator* t) const { utrans_close(t); }
    };
    thread_local std::unique_ptr<UTransliterator, Closer> instance = [] {
        static constexpr char16_t Id[] = u"Any-Latin; Latin-ASCII";
        UErrorCode status = U_ZERO_ERROR;
        UParseError where{};
        std::unique_ptr<UTransliterator, Closer> made(utrans_openU(Id, -1, UTRANS_FORWARD, nullptr, 0, &where, &status));
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    return instance.get();
}

void appendUtf16(std::vector<char16_t>& out, char32_t c)
{
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
        return;
    }
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

// A run of characters the target cannot hold, as ASCII letters (or '?' where none are had), as ICU
// gives it.
std::string transliteratedByIcu(const std::u32string& run)
{
    std::vector<char16_t> text;
    for (const char32_t c : run)
        appendUtf16(text, c);
    int32_t length = static_cast<int32_t>(text.size());
    if (auto* transliterator = toLatinAscii()) {
        // A transliteration may be longer than its source (a Chinese character becomes a syllable):
        // the buffer grows until it has room.
        const auto source = text;
        for (std::size_t capacity = source.size() * 4 + 16;; capacity *= 2) {
            text = source;
            text.resize(capacity);
            length = static_cast<int32_t>(source.size());
            int32_t limit = length;
            UErrorCode status = U_ZERO_ERROR;
            utrans_transUChars(transliterator, reinterpret_cast<UChar*>(text.data()), &length,
                               static_cast<int32_t>(capacity), 0, &limit, &status);
            if (status != U_BUFFER_OVERFLOW_ERROR || capacity > (1u << 20)) {
                if (U_FAILURE(status)) {
                    text = source;
                    length = static_cast<int32_t>(source.size());
                }
                break;
            }
        }
    }
    std::string out;
    for (int32_t i = 0; i < length; ++i) {
        const char16_t c = text[static_cast<std::size_t>(i)];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length)
            ++i;  // a surrogate pair is one character the target lacks
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

// The same, remembered per thread. ICU spends thousands of instructions on each run, and a list of
// users holds the same few letters (ł, ś, č) and the same names thousands of times. What ICU gives
// depends on the run alone, so a remembered text is the text it would give again.
std::string transliteratedRun(const std::u32string& run)
{
    constexpr std::size_t LongestRemembered = 32;
    constexpr std::size_t MostRemembered = 4096;
    thread_local std::unordered_map<std::u32string, std::string> remembered;
    if (const auto found = remembered.find(run); found != remembered.end())
        return found->second;
    auto text = transliteratedByIcu(run);
    if (run.size() <= LongestRemembered) {
        if (remembered.size() >= MostRemembered)
            remembered.clear();
        remembered.emplace(run, text);
    }
    return text;
}

// UTF-8 into a set whose byte for a code point `byteOf` gives, transliterating each run of
// characters the set lacks.
template <typename ByteOf>
std::string narrowed(std::string_view utf8, ByteOf byteOf)
{
    if (isAscii(utf8))
        return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    std::u32string run;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = decodeUtf8At(utf8, pos);
        const int byte = byteOf(c);
        if (byte >= 0) {
            if (!run.empty()) {
                out += transliteratedRun(run);
                run.clear();
            }
            out.push_back(static_cast<char>(byte));
        } else {
            run.push_back(c);
        }
    }
    if (!run.empty())
        out += transliteratedRun(run);
    return out;
}

} // namespace

bool isAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

char32_t decodeUtf8At(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        minimum = 0x10000;
    } else {
        ++pos;
        return Replacement;
    }
    if (pos + static_cast<std::size_t>(length) > text.size()) {
        ++pos;
        return Replacement;
    }
    for (int i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
        if (!isContinuation(byte)) {
            ++pos;
            return Replacement;
        }
        value = (value << 6) | (byte & 0x3Fu);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++pos;
        return Replacement;
    }
    pos += static_cast<std::size_t>(length);
    return value;
}

bool isValidUtf8(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto lead = static_cast<unsigned char>(text[pos]);
        if (lead < 0x80) {
            ++pos;
            continue;
        }
        const std::size_t before = pos;
        const char32_t c = decodeUtf8At(text, pos);
        // A decoded U+FFFD is an error unless the text really spelled it (EF BF BD).
        if (c == Replacement && pos - before != 3)
            return false;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    while (end > 0 && isContinuation(static_cast<unsigned char>(text[end])))
        --end;
    return text.substr(0, end);
}

std::string_view utf8FirstCharacters(std::string_view text, std::size_t count)
{
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < text.size(); ++n)
        decodeUtf8At(text, pos);
    return text.substr(0, pos);
}

std::size_t storedLength(std::string_view utf8, StoredCharacters set)
{
    switch (set) {
    case StoredCharacters::Ascii: return isAscii(utf8) ? utf8.size() : transliterateToAscii(utf8).size();
    case StoredCharacters::Latin1: return isAscii(utf8) ? utf8.size() : transliterateToLatin1(utf8).size();
    case StoredCharacters::Unicode:
    case StoredCharacters::Utf16: break;
    }
    std::size_t length = 0;
    for (std::size_t pos = 0; pos < utf8.size();)
        length += decodeUtf8At(utf8, pos) > 0xFFFF && set == StoredCharacters::Utf16 ? 2 : 1;
    return length;
}

std::string latin1ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text)
        appendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

std::string windows1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        appendUtf8(out, byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80u] : char32_t{byte});
    }
    return out;
}

std::string utf8FromExternalText(std::string_view text)
{
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(ByteOrderMark))
        text.remove_prefix(ByteOrderMark.size());
    return isValidUtf8(text) ? std::string(text) : windows1252ToUtf8(text);
}

std::size_t utf8Length(std::string_view text)
{
    // Every byte but a continuation byte starts a character.
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

Utf16Order utf16OrderOf(std::string_view text)
{
    if (text.starts_with("\xFF\xFE"))
        return Utf16Order::LittleEndian;
    if (text.starts_with("\xFE\xFF"))
        return Utf16Order::BigEndian;
    return Utf16Order::None;
}

void Utf16Decoder::feed(std::string_view bytes, std::string& utf8)
{
    constexpr char32_t Replacement = 0xFFFD;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (pendingByte_ < 0) {
            pendingByte_ = byte;
            continue;
        }
        const auto unit = static_cast<char32_t>(bigEndian_ ? (pendingByte_ << 8) | byte : (byte << 8) | pendingByte_);
        pendingByte_ = -1;
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            appendUtf8(utf8, highSurrogate_ ? 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00) : Replacement);
            highSurrogate_ = 0;
            continue;
        }
        if (highSurrogate_)
            appendUtf8(utf8, Replacement);
        highSurrogate_ = 0;
        if (unit >= 0xD800 && unit <= 0xDBFF)
            highSurrogate_ = unit;
        else
            appendUtf8(utf8, unit);
    }
}

void Utf16Decoder::finish(std::string& utf8)
{
    if (highSurrogate_ || pendingByte_ >= 0)
        appendUtf8(utf8, 0xFFFD);
    highSurrogate_ = 0;
    pendingByte_ = -1;
}

std::string utf8FromTextFileBytes(std::string_view bytes)
{
    const auto order = utf16OrderOf(bytes);
    if (order == Utf16Order::None)
        return utf8FromExternalText(bytes);
    std::string utf8;
    utf8.reserve(bytes.size() / 2);
    Utf16Decoder decoder(order);
    decoder.feed(bytes.substr(2), utf8);
    decoder.finish(utf8);
    return utf8;
}

std::string transliterateToAscii(std::string_view utf8) { return narrowed(utf8, asciiByte); }
std::string transliterateToWindows1252(std::string_view utf8) { return narrowed(utf8, windows1252Byte); }
std::string transliterateToLatin1(std::string_view utf8) { return narrowed(utf8, latin1Byte); }

} // namespace pw
