// SPDX-License-Identifier: GPL-3.0-or-later
#include "networks/repeater_list.h"

#include "model/letter_case.h"
#include "networks/json_events.h"
#include "networks/network_text.h"
#include "networks/talkgroup_catalogue.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <utility>

namespace pw {
namespace {

// Where the reader stands: each container it entered, innermost last.
enum class Place { Page, Results, Result, Talkgroups, Talkgroup, Elsewhere };

class RepeaterPageReader final : public JsonEvents {
public:
    RepeaterPageReader(RepeaterPage& page, std::size_t limit) : page_(page), limit_(limit) {}

    bool sawResults = false;
    std::string failure;

    bool beginObject() override
    {
        if (places_.empty())
            return enter(Place::Page);
        switch (enclosing()) {
        case Place::Results:
            repeater_ = Repeater();
            return enter(Place::Result);
        case Place::Talkgroups:
            talkgroup_ = RepeaterTalkgroup();
            talkgroupRead_ = {};
            return enter(Place::Talkgroup);
        default: return enter(Place::Elsewhere);
        }
    }
    bool beginArray() override
    {
        if (places_.empty()) {
            failure = "not a repeater list: an array where an object was expected";
            return false;
        }
        if (enclosing() == Place::Page && key_ == "results") {
            sawResults = true;
            return enter(Place::Results);
        }
        if (enclosing() == Place::Result && key_ == "talkgroups")
            return enter(Place::Talkgroups);
        // An array of results is read as a list; one in an odd place is passed over.
        if (enclosing() == Place::Results || enclosing() == Place::Talkgroups)
            ++page_.passedOver;
        return enter(Place::Elsewhere);
    }
    bool end() override
    {
        const Place left = places_.back();
        places_.pop_back();
        if (left == Place::Result)
            keepRepeater();
        else if (left == Place::Talkgroup)
            keepTalkgroup();
        return true;
    }
    bool key(std::string_view name) override
    {
        key_.assign(name);
        return true;
    }
    bool value(std::string_view text, JsonValueKind kind) override
    {
        if (places_.empty()) {
            failure = "not a repeater list: no JSON object";
            return false;
        }
        switch (enclosing()) {
        case Place::Page: pageValue(text); break;
        case Place::Result: repeaterValue(text, kind); break;
        case Place::Talkgroup: talkgroupValue(text); break;
        case Place::Results:
        case Place::Talkgroups: ++page_.passedOver; break;
        case Place::Elsewhere: break;
        }
        return true;
    }

private:
    Place enclosing() const { return places_.back(); }
    bool enter(Place place)
    {
        places_.push_back(place);
        return true;
    }
    void pageValue(std::string_view text)
    {
        const auto number = wholeNumber(text, 1'000'000);
        if (!number)
            return;
        if (key_ == "page")
            page_.page = static_cast<int>(*number);
        else if (key_ == "pages")
            page_.pages = static_cast<int>(*number);
    }
    void repeaterValue(std::string_view text, JsonValueKind kind)
    {
        if (kind == JsonValueKind::Other)
            return;
        static constexpr std::pair<std::string_view, std::string Repeater::*> Texts[] = {
            {"callsign", &Repeater::callsign}, {"city", &Repeater::city},           {"state", &Repeater::state},
            {"country", &Repeater::country},   {"ipsc_network", &Repeater::network}, {"status", &Repeater::status},
        };
        for (const auto& [name, field] : Texts) {
            if (key_ == name) {
                repeater_.*field = networkText(text);
                return;
            }
        }
        if (key_ == "frequency")
            repeater_.outputMhz = within(decimalNumber(text), 0.0, HighestMhz);
        else if (key_ == "offset")
            repeater_.offsetMhz = within(decimalNumber(text), -HighestMhz, HighestMhz);
        else if (key_ == "color_code")
            if (const auto code = wholeNumber(text, 15))
                repeater_.colorCode = static_cast<int>(*code);
    }
    void talkgroupValue(std::string_view text)
    {
        if (key_ == "talkgroup") {
            if (const auto id = wholeNumber(text, HighestTalkgroupId); id && *id > 0) {
                talkgroup_.id = *id;
                talkgroupRead_.id = true;
            }
        } else if (key_ == "timeslot") {
            if (const auto slot = wholeNumber(text, 2); slot && *slot > 0) {
                talkgroup_.timeSlot = static_cast<int>(*slot);
                talkgroupRead_.slot = true;
            }
        } else if (key_ == "description") {
            talkgroup_.description = networkText(text);
        }
    }
    void keepTalkgroup()
    {
        if (!talkgroupRead_.id || !talkgroupRead_.slot || repeater_.talkgroups.size() >= RepeaterTalkgroupLimit) {
            ++page_.passedOver;
            return;
        }
        repeater_.talkgroups.push_back(std::move(talkgroup_));
    }
    void keepRepeater()
    {
        if (page_.repeaters.size() >= limit_) {
            ++page_.passedOver;
            return;
        }
        page_.repeaters.push_back(std::move(repeater_));
    }
    // Far beyond any radio's frequency, so that a value kept always prints as plain decimals.
    static constexpr double HighestMhz = 100'000.0;
    // Strictly above `low`, at most `high`.
    static std::optional<double> within(std::optional<double> mhz, double low, double high)
    {
        return mhz && *mhz > low && *mhz <= high ? mhz : std::nullopt;
    }

    RepeaterPage& page_;
    std::size_t limit_;
    std::vector<Place> places_;
    std::string key_;
    Repeater repeater_;
    RepeaterTalkgroup talkgroup_;
    struct {
        bool id = false;
        bool slot = false;
    } talkgroupRead_;
};

std::string jsonString(std::string_view text) { return nlohmann::json(text).dump(); }

std::string megahertzText(double mhz, bool sign)
{
    char text[40];
    std::snprintf(text, sizeof text, sign ? "%+.9f" : "%.9f", mhz);
    return text;
}

} // namespace

bool Repeater::onAir() const { return equalsIgnoringCase(status, "on-air"); }

std::optional<double> Repeater::inputMhz() const
{
    if (!outputMhz || !offsetMhz)
        return std::nullopt;
    return std::round((*outputMhz + *offsetMhz) * 1e6) / 1e6;
}

RepeaterPage readRepeaterPage(std::string_view json, std::size_t limit)
{
    RepeaterPage page;
    RepeaterPageReader reader(page, limit);
    std::string failure;
    if (!readJsonEvents(json, reader, failure)) {
        page.repeaters.clear();
        page.failure = !reader.failure.empty() ? reader.failure : failure;
    } else if (!reader.sawResults) {
        page.failure = "not a repeater list: no \"results\"";
    }
    return page;
}

std::string repeaterListJson(const std::vector<Repeater>& repeaters)
{
    std::string json = "{\"count\":" + std::to_string(repeaters.size()) + ",\"page\":1,\"pages\":1,\"results\":[";
    bool firstRepeater = true;
    for (const auto& repeater : repeaters) {
        json += firstRepeater ? "\n{" : ",\n{";
        firstRepeater = false;
        json += "\"callsign\":" + jsonString(repeater.callsign) + ",\"city\":" + jsonString(repeater.city)
              + ",\"state\":" + jsonString(repeater.state) + ",\"country\":" + jsonString(repeater.country)
              + ",\"ipsc_network\":" + jsonString(repeater.network) + ",\"status\":" + jsonString(repeater.status);
        if (repeater.outputMhz)
            json += ",\"frequency\":\"" + megahertzText(*repeater.outputMhz, false) + "\"";
        if (repeater.offsetMhz)
            json += ",\"offset\":\"" + megahertzText(*repeater.offsetMhz, true) + "\"";
        if (repeater.colorCode)
            json += ",\"color_code\":" + std::to_string(*repeater.colorCode);
        if (!repeater.talkgroups.empty()) {
            json += ",\"talkgroups\":[";
            bool firstTalkgroup = true;
            for (const auto& talkgroup : repeater.talkgroups) {
                json += firstTalkgroup ? "{" : ",{";
                firstTalkgroup = false;
                json += "\"talkgroup\":" + std::to_string(talkgroup.id) + ",\"timeslot\":"
                      + std::to_string(talkgroup.timeSlot) + ",\"description\":" + jsonString(talkgroup.description) + "}";
            }
            json += "]";
        }
        json += "}";
    }
    json += "]}\n";
    return json;
}

} // namespace pw
