// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The admit criteria a family's channels know: the text of each stored value, the texts an editor
// offers, and the words, in any letter case, that a channel line or an editor may give for each
// value. A text that none of the words matches reads as 0.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

struct AdmitWords {
    int value = 0;
    std::array<std::string_view, 4> words{};
};

struct AdmitCriteria {
    std::span<const std::string_view> texts;
    std::span<const AdmitWords> readings;
    // The choices an editor offers, when they are not the texts.
    std::span<const std::string_view> offered{};

    // The text of a stored value; values past the texts wrap around.
    std::string text(int value) const;
    int valueOf(std::string_view text) const;
    std::vector<std::string> choices() const;
};

} // namespace pw
