// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Unicode text at the program's edges: checking and decoding UTF-8, reading 8-bit text of unknown
// origin, and bringing UTF-8 down to the smaller character sets that radios, their programming
// software and the codeplug model hold (plain ASCII, Windows-1252, Latin-1).
//
// Characters a smaller set cannot hold are transliterated rather than dropped or stored as raw
// UTF-8 bytes: "Łódź" becomes "Lodz", Cyrillic and Greek become Latin letters. ICU's
// "Any-Latin; Latin-ASCII" transliterator does the work; what even it cannot bring to Latin
// letters becomes '?'. Text that the target set already holds is passed through unchanged, and
// plain ASCII never reaches ICU, so the common case costs one scan.
//
// Letter case: searches compare ASCII letters without regard to case (lowerAscii in
// model/letter_case.h); other letters compare as written, the same in every locale.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pw {

// True when `text` is well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing past U+10FFFF.
bool isValidUtf8(std::string_view text);

// True when every byte is below 0x80.
bool isAscii(std::string_view text);

// The code point that starts at `text[pos]` in valid UTF-8, and the position after it. On a
// malformed sequence: U+FFFD and the position after its first byte.
char32_t decodeUtf8At(std::string_view text, std::size_t& pos);
void appendUtf8(std::string& out, char32_t codePoint);

// The longest prefix of valid UTF-8 `text` that has at most `maxBytes` bytes and does not end
// inside a character.
std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes);

// The number of characters of valid UTF-8 `text`.
std::size_t utf8Length(std::string_view text);

// The first `count` characters of valid UTF-8 `text` (all of it when it has fewer).
std::string_view utf8FirstCharacters(std::string_view text, std::size_t count);

// The characters a record stores a text in, and so how the length of a text is counted there.
enum class StoredCharacters : std::uint8_t {
    Unicode,  // code points
    Utf16,    // UTF-16 code units: a character beyond U+FFFF takes two
    Ascii,    // plain ASCII, other letters transliterated ("Щука" takes 5: "Shchuka")
    Latin1,   // Latin-1, other letters transliterated
};
// How many characters `utf8` takes when stored in `set`, before any cut.
std::size_t storedLength(std::string_view utf8, StoredCharacters set);

// 8-bit text as UTF-8.
std::string latin1ToUtf8(std::string_view text);
std::string windows1252ToUtf8(std::string_view text);
// Text read from a file or the network: kept when it is valid UTF-8 (a leading byte-order mark
// dropped), else taken as Windows-1252.
std::string utf8FromExternalText(std::string_view text);

// UTF-16 text, as Windows programs save it, told by its byte-order mark.
enum class Utf16Order { None, LittleEndian, BigEndian };
// The byte order that `text`'s UTF-16 byte-order mark names; None without one.
Utf16Order utf16OrderOf(std::string_view text);

// Decodes UTF-16 bytes to UTF-8 as they arrive in pieces of any size: a unit or a surrogate pair
// cut between two pieces is completed by the next. A lone surrogate becomes U+FFFD.
class Utf16Decoder {
public:
    explicit Utf16Decoder(Utf16Order order) : bigEndian_(order == Utf16Order::BigEndian) {}
    void feed(std::string_view bytes, std::string& utf8);
    // The end of the text: what is left over (an odd byte, a lone high surrogate) as U+FFFD.
    void finish(std::string& utf8);

private:
    bool bigEndian_;
    int pendingByte_ = -1;
    char32_t highSurrogate_ = 0;
};

// A whole text file's bytes as UTF-8: UTF-16 when it opens with a UTF-16 byte-order mark (the mark
// dropped), otherwise as utf8FromExternalText takes them.
std::string utf8FromTextFileBytes(std::string_view bytes);

// UTF-8 brought down to a smaller set, with transliteration where needed. The results are bytes
// of that set (ASCII, Windows-1252 or Latin-1), not UTF-8.
std::string transliterateToAscii(std::string_view utf8);
std::string transliterateToWindows1252(std::string_view utf8);
std::string transliterateToLatin1(std::string_view utf8);

// The codeplug model's texts are UTF-8: each family's record formats bring them to what the
// family stores. Kept as the one seam where UTF-8 from the ID database becomes a model text.
inline std::string modelTextFromUtf8(std::string_view utf8) { return std::string(utf8); }

} // namespace pw
