#pragma once
// The family codecs behind Codeplug::decode, encode and the D868 save.

#include <cstdint>
#include <vector>

namespace pw {

class Codeplug;

// TYT family (0x1001, 0x1002, 0x1003): the image is the file from offset 0.
int decodeTyt(Codeplug& codeplug);
void encodeTyt(Codeplug& codeplug);

// RDB family (0x2001, 0x2002, 0x2003).
int decodeRdb(Codeplug& codeplug);
void encodeRdb(Codeplug& codeplug);

// D868 family (0x3001): decoded from the file of sections; the save builds a new file.
int decodeD868(Codeplug& codeplug);
// Builds the whole file from the model and the kept sections; false when it cannot be built.
bool buildD868File(Codeplug& codeplug, std::vector<std::uint8_t>& file);

} // namespace pw
