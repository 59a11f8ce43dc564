// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PackedContactStream: how the D868 file stores its talkgroups and its digital contacts.
//
// One entry per contact, entries back to back, each starting on a byte boundary:
//   head, 6 bytes: bytes 0-2 the DMR ID (u24 LE); bytes 3-5 a u24 LE whose bits 0-19 are the
//         record number (written in 18 bits), bits 20-21 the call type (0 private, 1 group,
//         2 all) and bits 22-23 the alert tone
//   then six zero-terminated SeptetText texts: name, city, callsign, state, country, remarks.
//         Reading accepts 17, 16, 9, 17, 17 and 17 characters before the terminator; the model
//         keeps 16, 16, 8, 16, 16 and 16.
// In the file a stream follows its u32 length L, which counts the packed bytes plus one extra
// zero byte; an entry is taken only when the offset just after it is below L, so the extra byte
// is what admits the last entry. An empty list is the length 1 and one byte of value 1.

#include "codeplug/byte_field.h"
#include "model/contact.h"
#include "platform/file_io.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace pw {

// Unpacks at most `maxEntries` entries from `stream`, the L bytes that follow the length word, in
// order as they are read: `place` gives the new contact for each entry, told its record number,
// and the entry's values are written into it. Returns how many. Unpacking stops quietly at the
// first entry that does not fit before the end of the stream.
std::size_t unpackContactStream(ConstBytes stream, std::size_t maxEntries,
                                const std::function<Contact&(std::uint32_t)>& place);
// The most entries that `stream` may yield: no more than its bytes could hold.
std::size_t possibleEntries(ConstBytes stream, std::size_t maxEntries);

// Appends the packed entries of `contacts` to `out`, numbering them 1, 2, ... in the order given.
// Neither the length word nor the extra byte is written.
void packContactStream(std::span<const Contact* const> contacts, std::vector<std::uint8_t>& out);
// The same, written to a sink; false when the sink fails.
bool packContactStream(std::span<const Contact* const> contacts, ByteSink& out);
// The number of bytes packContactStream writes for `contacts`.
std::size_t packedStreamSize(std::span<const Contact* const> contacts);

// The smallest entry: the head and six empty texts in six bytes of septets.
inline constexpr std::size_t SmallestPackedContact = 12;

} // namespace pw
