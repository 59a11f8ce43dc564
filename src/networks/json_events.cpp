// SPDX-License-Identifier: GPL-3.0-or-later
#include "networks/json_events.h"

#include <nlohmann/json.hpp>

#include <charconv>

namespace pw {
namespace {

using Json = nlohmann::json;

class SaxAdapter final : public nlohmann::json_sax<Json> {
public:
    SaxAdapter(JsonEvents& events, std::string& failure, std::size_t size)
        : events_(events), failure_(failure), size_(size)
    {
    }

    bool null() override { return events_.value("null", JsonValueKind::Other); }
    bool boolean(bool on) override { return events_.value(on ? "true" : "false", JsonValueKind::Other); }
    bool number_integer(number_integer_t number) override { return integer(number); }
    bool number_unsigned(number_unsigned_t number) override { return integer(number); }
    bool number_float(number_float_t, const string_t& written) override
    {
        return events_.value(written, JsonValueKind::Number);
    }
    bool string(string_t& text) override { return events_.value(text, JsonValueKind::Text); }
    bool binary(binary_t&) override { return events_.value({}, JsonValueKind::Other); }
    bool start_object(std::size_t) override { return deeper() && events_.beginObject(); }
    bool key(string_t& name) override { return events_.key(name); }
    bool end_object() override { return shallower(); }
    bool start_array(std::size_t) override { return deeper() && events_.beginArray(); }
    bool end_array() override { return shallower(); }
    // `position` counts from 1, and lies past the end when the text ends too soon.
    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception&) override
    {
        failure_ = position > size_ ? "not valid JSON (cut off after byte " + std::to_string(size_) + ")"
                                    : "not valid JSON (at byte " + std::to_string(position) + ")";
        return false;
    }

private:
    template <typename Number>
    bool integer(Number number)
    {
        char text[24];
        const auto end = std::to_chars(text, text + sizeof text, number).ptr;
        return events_.value(std::string_view(text, static_cast<std::size_t>(end - text)), JsonValueKind::Number);
    }
    bool deeper()
    {
        if (++depth_ <= JsonDepthLimit)
            return true;
        failure_ = "nested deeper than " + std::to_string(JsonDepthLimit) + " levels";
        return false;
    }
    bool shallower()
    {
        --depth_;
        return events_.end();
    }

    JsonEvents& events_;
    std::string& failure_;
    std::size_t size_;
    int depth_ = 0;
};

} // namespace

bool readJsonEvents(std::string_view json, JsonEvents& events, std::string& failure)
{
    failure.clear();
    SaxAdapter adapter(events, failure, json.size());
    return Json::sax_parse(json.begin(), json.end(), &adapter);
}

} // namespace pw
