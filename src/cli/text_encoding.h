#pragma once
// Codeplug and CSV text is 8-bit; the terminal and JSON speak UTF-8. The 8-bit text is taken as
// Latin-1 on the way out, and command-line arguments are brought back to Latin-1 on the way in.

#include <string>
#include <string_view>

namespace pw::cli {

std::string latin1ToUtf8(std::string_view text);
// UTF-8 made of code points up to U+00FF becomes Latin-1; anything else is kept as its bytes.
std::string utf8ToLatin1(std::string_view text);

} // namespace pw::cli
