// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// JSON read as a stream of events, so that a reader keeps only what it takes from the text: a
// page of 10,000 repeaters costs their fields, not a tree of every value in it.
//
// nlohmann-json's SAX parser does the reading (it checks the syntax and that strings are valid
// UTF-8); its events come here in the few kinds our readers tell apart. A number comes as the
// text it was written as, so that "438.8" and 438.8 read alike.

#include <cstddef>
#include <string>
#include <string_view>

namespace pw {

enum class JsonValueKind { Text, Number, Other };

class JsonEvents {
public:
    virtual ~JsonEvents() = default;
    // Each returns false to stop the reading.
    virtual bool beginObject() = 0;
    virtual bool beginArray() = 0;
    virtual bool end() = 0;
    virtual bool key(std::string_view name) = 0;
    // A string, a number as written, or true, false and null (Other, as written).
    virtual bool value(std::string_view text, JsonValueKind kind) = 0;
};

// Containers nested deeper than this stop the reading: no list of ours goes past four levels.
inline constexpr int JsonDepthLimit = 32;

// Sends the events of `json` to `events`. False when the text is no JSON (`failure` then says
// where), is nested deeper than JsonDepthLimit, or the events stopped the reading (`failure` then
// stays empty: the events know why).
bool readJsonEvents(std::string_view json, JsonEvents& events, std::string& failure);

} // namespace pw
