// SPDX-License-Identifier: GPL-3.0-or-later
#include "networks/talkgroup_catalogue.h"

#include "model/field_readers.h"
#include "model/letter_case.h"
#include "model/unicode_text.h"
#include "networks/json_events.h"
#include "networks/network_text.h"

#include <algorithm>

namespace pw {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* NoTalkgroup = "no talkgroup in it";

// The top-level object's string values under talkgroup-number keys.
class TalkgroupObjectReader final : public JsonEvents {
public:
    explicit TalkgroupObjectReader(int& passedOver) : passedOver_(passedOver) {}

    std::vector<Talkgroup> talkgroups;
    std::string failure;

    bool beginObject() override { return begin(true); }
    bool beginArray() override { return begin(false); }
    bool end() override
    {
        --depth_;
        return true;
    }
    bool key(std::string_view name) override
    {
        if (depth_ == 1)
            key_.assign(name);
        return true;
    }
    bool value(std::string_view text, JsonValueKind kind) override
    {
        if (depth_ == 0)
            return notAnObject();
        if (depth_ == 1)
            take(text, kind);
        return true;
    }

private:
    bool begin(bool object)
    {
        if (depth_ == 0 && !object)
            return notAnObject();
        // An object or an array where a name belongs is no name.
        if (depth_ == 1)
            ++passedOver_;
        ++depth_;
        return true;
    }
    bool notAnObject()
    {
        failure = "not a JSON object of talkgroup names";
        return false;
    }
    void take(std::string_view text, JsonValueKind kind)
    {
        const auto id = wholeNumber(key_, HighestTalkgroupId);
        auto name = kind == JsonValueKind::Text ? networkText(text) : std::string();
        if (!id || *id == 0 || name.empty()) {
            ++passedOver_;
            return;
        }
        talkgroups.push_back({*id, std::move(name)});
    }

    int& passedOver_;
    std::string key_;
    int depth_ = 0;
};

CatalogueReading finish(CatalogueReading reading, std::vector<Talkgroup> talkgroups)
{
    int duplicates = 0;
    reading.catalogue = TalkgroupCatalogue(std::move(talkgroups), &duplicates);
    reading.passedOver += duplicates;
    if (reading.catalogue.empty() && reading.failure.empty())
        reading.failure = NoTalkgroup;
    return reading;
}

} // namespace

TalkgroupCatalogue::TalkgroupCatalogue(std::vector<Talkgroup> talkgroups, int* duplicates)
    : talkgroups_(std::move(talkgroups))
{
    std::stable_sort(talkgroups_.begin(), talkgroups_.end(),
                     [](const Talkgroup& a, const Talkgroup& b) { return a.id < b.id; });
    const auto kept = std::unique(talkgroups_.begin(), talkgroups_.end(),
                                  [](const Talkgroup& a, const Talkgroup& b) { return a.id == b.id; });
    if (duplicates)
        *duplicates = static_cast<int>(talkgroups_.end() - kept);
    talkgroups_.erase(kept, talkgroups_.end());
}

const Talkgroup* TalkgroupCatalogue::find(std::uint32_t id) const
{
    const auto at = std::lower_bound(talkgroups_.begin(), talkgroups_.end(), id,
                                     [](const Talkgroup& talkgroup, std::uint32_t wanted) { return talkgroup.id < wanted; });
    return at != talkgroups_.end() && at->id == id ? &*at : nullptr;
}

std::vector<Talkgroup> TalkgroupCatalogue::matching(std::string_view text) const
{
    std::vector<Talkgroup> found;
    for (const auto& talkgroup : talkgroups_)
        if (containsIgnoringCase(talkgroup.name, text))
            found.push_back(talkgroup);
    return found;
}

bool containsIgnoringCase(std::string_view name, std::string_view text)
{
    return std::search(name.begin(), name.end(), text.begin(), text.end(),
                       [](char a, char b) { return lowerAscii(a) == lowerAscii(b); })
        != name.end();
}

CatalogueReading readTalkgroupCatalogue(std::string_view bytes)
{
    auto text = bytes;
    if (text.substr(0, ByteOrderMark.size()) == ByteOrderMark)
        text.remove_prefix(ByteOrderMark.size());
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && text[first] == '{')
        return readTalkgroupJson(text);
    return readTalkgroupCsv(bytes);
}

CatalogueReading readTalkgroupJson(std::string_view json)
{
    CatalogueReading reading;
    TalkgroupObjectReader reader(reading.passedOver);
    std::string failure;
    if (!readJsonEvents(json, reader, failure)) {
        reading.failure = !reader.failure.empty() ? reader.failure : failure;
        return reading;
    }
    return finish(std::move(reading), std::move(reader.talkgroups));
}

CatalogueReading readTalkgroupCsv(std::string_view bytes)
{
    CatalogueReading reading;
    const std::string text = utf8FromExternalText(bytes);
    std::vector<Talkgroup> talkgroups;
    std::vector<std::string> cells;
    bool firstLine = true;
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line(text.data() + pos, end - pos);
        pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            continue;
        splitCsvLine(line, cells);
        const auto id = wholeNumber(cells[0], HighestTalkgroupId);
        const bool heading = firstLine && !id;
        firstLine = false;
        if (heading)
            continue;
        auto name = cells.size() > 1 ? networkText(cells[1]) : std::string();
        if (!id || *id == 0 || name.empty()) {
            ++reading.passedOver;
            continue;
        }
        talkgroups.push_back({*id, std::move(name)});
    }
    return finish(std::move(reading), std::move(talkgroups));
}

} // namespace pw
