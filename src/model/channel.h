#pragma once
// Placeholder until the full record lands.

#include "model/format_id.h"

#include <string>

namespace pw {

class Channel {
public:
    explicit Channel(FormatId formatId) : formatId_(formatId) {}
    FormatId formatId() const { return formatId_; }
    FormatFamily family() const { return familyOf(formatId_); }

private:
    FormatId formatId_;
};

} // namespace pw
