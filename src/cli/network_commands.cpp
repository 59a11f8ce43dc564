// SPDX-License-Identifier: GPL-3.0-or-later
// talkgroups list, talkgroups add, repeaters list and repeaters add: the networks' talkgroup
// catalogue and repeater list without a window.
//
// Every command loads its list first: from --file when given; otherwise from the cache while it
// is younger than its maximum age, else from the source of the settings (network_sources.conf),
// replacing the cache. A source given on the command line (--source), --file and --no-cache leave
// the cache alone. Each place's outcome is one line on standard error, and a command that had no
// list at all ends with status 1.

#include "cli/commands.h"
#include "cli/text_encoding.h"
#include "model/line_fields.h"
#include "networks/list_cache.h"
#include "networks/list_source.h"
#include "networks/network_sources.h"
#include "networks/repeater_filter.h"
#include "networks/talkgroup_ids.h"
#include "operations/repeater_channels.h"
#include "operations/talkgroup_contacts.h"
#include "platform/terminal.h"

#include <chrono>
#include <cstdio>

namespace pw::cli {
namespace {

struct SourceOptions {
    std::optional<std::string> source;
    std::optional<std::string> file;
    bool noCache = false;
};

void addSourceOptions(CLI::App& command, SourceOptions& options, const char* what)
{
    auto* source = command.add_option("--source", options.source, std::string("URL of the ") + what);
    auto* file = command.add_option("--file", options.file,
                                    std::string("Read the ") + what + " from this file (- for standard input) instead");
    source->excludes(file);
    command.add_flag("--no-cache", options.noCache, "Download, and neither read nor write the cache");
}

// "Loading the talkgroups: 1.2 MB of 3.4 MB" on standard error while a terminal shows it, at
// most five times a second, and wiped when done.
class TerminalProgress {
public:
    TerminalProgress(std::ostream& err, const char* what) : err_(err), what_(what), shown_(standardErrorIsTerminal()) {}
    ~TerminalProgress()
    {
        if (written_)
            err_ << "\r" << std::string(72, ' ') << "\r" << std::flush;
    }

    ListProgressReport report()
    {
        if (!shown_)
            return {};
        return [this](const ListLoadProgress& progress) {
            const auto now = std::chrono::steady_clock::now();
            if (written_ && now - last_ < std::chrono::milliseconds(200))
                return;
            last_ = now;
            written_ = true;
            std::string line = std::string("\rLoading the ") + what_ + ": " + megabytes(progress.bytes);
            if (progress.totalBytes)
                line += " of " + megabytes(*progress.totalBytes);
            if (progress.pages > 1)
                line += ", page " + std::to_string(progress.page) + " of " + std::to_string(progress.pages);
            err_ << line << "   " << std::flush;
        };
    }

private:
    static std::string megabytes(std::uint64_t bytes)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
        return text;
    }

    std::ostream& err_;
    const char* what_;
    bool shown_;
    bool written_ = false;
    std::chrono::steady_clock::time_point last_;
};

// Where the list comes from, as the options and the settings say; the settings' problems are
// reported first.
ListSource listSource(CliSession& session, const SourceOptions& options, const std::string& settingsUrl,
                      const char* cacheName, const NetworkSources& settings)
{
    for (const auto& problem : settings.problems)
        session.err() << problem << '\n';
    ListSource source;
    source.url = options.source.value_or(settingsUrl);
    if (options.source && !isListUrl(source.url))
        session.usageError("--source must be an http:// or https:// URL: " + source.url);
    if (options.file)
        source.file = session.inputFile(*options.file);
    else if (!options.source && !options.noCache) {
        source.cachePath = listCachePath(cacheName, source.url);
        source.cacheMaxAge = settings.cacheMaxAge;
    }
    return source;
}

// Reports each place's outcome on standard error and ends the command with status 1 when the
// list could not be had.
void reportOutcomes(CliSession& session, const SourceOptions& options, std::vector<ListOutcome> outcomes,
                    const char* nothingHad)
{
    bool had = false;
    for (auto& outcome : outcomes) {
        // Standard input was kept in a file of the session's; the user gave "-".
        if (options.file == "-" && outcome.label == "file")
            outcome.location = "standard input";
        session.err() << terminalText(outcome.line()) << '\n';
        had = had || !outcome.failed || outcome.reason.find("; the cached list of ") != std::string::npos;
    }
    session.err().flush();
    if (!had)
        session.fail(nothingHad);
}

TalkgroupCatalogue talkgroupCatalogue(CliSession& session, const SourceOptions& options)
{
    const auto settings = readNetworkSources(userNetworkSourcesPath());
    const auto source = listSource(session, options, settings.talkgroups, "talkgroups", settings);
    TerminalProgress progress(session.err(), "talkgroups");
    auto load = loadTalkgroups(source, progress.report());
    reportOutcomes(session, options, load.outcomes, "No talkgroup list could be had.");
    return std::move(load.catalogue);
}

struct RepeaterOptions {
    SourceOptions source;
    RepeaterFilter filter;
    std::optional<std::string> band;
};

void addRepeaterOptions(CLI::App& command, RepeaterOptions& options)
{
    addSourceOptions(command, options.source, "repeater list");
    command.add_option("--country", options.filter.country, "Only repeaters of this country");
    command.add_option("--state", options.filter.state, "Only repeaters of this state");
    command.add_option("--city", options.filter.city, "Only repeaters of this city");
    command.add_option("--network", options.filter.network, "Only repeaters of this network");
    command.add_option("--band", options.band, "Only repeaters of this band: 2m or 70cm")
        ->check([](const std::string& text) {
            return amateurBandFromText(text) ? std::string() : "--band must be 2m or 70cm: " + text;
        });
}

// The on-air repeaters of the area that match the filters.
std::vector<Repeater> matchingRepeaters(CliSession& session, RepeaterOptions& options)
{
    for (auto* text : {&options.filter.country, &options.filter.state, &options.filter.city, &options.filter.network})
        *text = argumentText(*text);
    if (options.band)
        options.filter.band = amateurBandFromText(*options.band);
    const auto settings = readNetworkSources(userNetworkSourcesPath());
    const auto base = options.source.source.value_or(settings.repeaters);
    SourceOptions source = options.source;
    // The server is asked for the area; the filters are applied again here.
    const auto url = repeaterPageUrl(base, options.filter.country, options.filter.state);
    if (source.source)
        source.source = url;
    auto listed = listSource(session, source, url, "repeaters", settings);
    TerminalProgress progress(session.err(), "repeaters");
    auto load = loadRepeaters(listed, progress.report());
    reportOutcomes(session, source, load.outcomes, "No repeater list could be had.");
    std::vector<Repeater> matching;
    for (auto& repeater : load.repeaters)
        if (options.filter.matches(repeater))
            matching.push_back(std::move(repeater));
    return matching;
}

} // namespace

void addTalkgroupCommands(CLI::App& app, CliSession& session)
{
    auto* group = app.add_subcommand("talkgroups", "List a network's talkgroups and add them as contacts");
    group->require_subcommand(1);
    group->fallthrough();

    static SourceOptions listOptions;
    static std::string listMatch;
    auto* list = group->add_subcommand("list", "Load the talkgroup list and print it as ID,Name lines");
    addSourceOptions(*list, listOptions, "talkgroup list");
    list->add_option("--match", listMatch, "Only talkgroups whose name holds this text");
    list->callback([&session] {
        const auto catalogue = talkgroupCatalogue(session, listOptions);
        std::string text;
        for (const auto& talkgroup : catalogue.matching(argumentText(listMatch))) {
            text += std::to_string(talkgroup.id) + ",";
            appendCsvField(text, talkgroup.name);
            text += '\n';
        }
        session.out() << text << std::flush;
    });

    static SourceOptions addOptions;
    static std::string addFile;
    static std::optional<std::string> addIds;
    static std::optional<std::string> addMatch;
    static bool addUsed = false;
    static std::optional<std::string> addRxGroupList;
    auto* add = group->add_subcommand("add", "Load the talkgroup list and add talkgroups to a codeplug as contacts");
    addFileArgument(*add, addFile);
    addSourceOptions(*add, addOptions, "talkgroup list");
    auto* ids = add->add_option("--id", addIds, "Talkgroup numbers, like 91,262,3100-3199");
    auto* match = add->add_option("--match", addMatch, "Talkgroups whose name holds this text");
    auto* used = add->add_flag("--used", addUsed,
                               "Rename the group-call contacts named only by their number to the list's names");
    ids->excludes(match)->excludes(used);
    match->excludes(used);
    add->add_option("--rx-group-list", addRxGroupList, "Make or fill the RX group list of this name with them");
    session.addOutputOption(*add);
    add->callback([&session] {
        TalkgroupChoice choice;
        if (addIds) {
            const auto ranges = parseTalkgroupIds(*addIds);
            if (!ranges)
                session.usageError("--id must be talkgroup numbers like 91,262,3100-3199: " + *addIds);
            choice.ids = *ranges;
        } else if (addMatch) {
            choice.kind = TalkgroupChoice::Kind::Match;
            choice.match = argumentText(*addMatch);
            if (choice.match.empty())
                session.usageError("--match needs a text");
        } else if (addUsed) {
            choice.kind = TalkgroupChoice::Kind::Used;
        } else {
            session.usageError("talkgroups add needs one of --id, --match and --used");
        }
        auto& codeplug = session.openCodeplug(addFile);
        const auto catalogue = talkgroupCatalogue(session, addOptions);
        const auto plan = planTalkgroupContacts(codeplug, catalogue, choice, argumentText(addRxGroupList.value_or("")));
        if (choice.kind != TalkgroupChoice::Kind::Used && plan.additions.empty() && plan.present.empty() && plan.leftOut == 0)
            session.fail("No talkgroup of the list is chosen.");
        const auto result = addTalkgroupContacts(codeplug, plan);
        session.prompts().inform(result.message);
        session.saveIfChanged(codeplug, addFile);
        if (result.leftOut)
            throw CommandExit{ExitFailed};
    });
}

void addRepeaterCommands(CLI::App& app, CliSession& session)
{
    auto* group = app.add_subcommand("repeaters", "List the repeaters of an area and add them as channels");
    group->require_subcommand(1);
    group->fallthrough();

    static RepeaterOptions listOptions;
    auto* list = group->add_subcommand("list", "Load the repeater list and print the matching on-air repeaters");
    addRepeaterOptions(*list, listOptions);
    list->callback([&session] {
        std::string text;
        for (const auto& repeater : matchingRepeaters(session, listOptions))
            text += repeaterCsvLine(repeater) + '\n';
        session.out() << text << std::flush;
    });

    static RepeaterOptions addOptions;
    static std::string addFile;
    static std::optional<std::string> addZone;
    static bool addScanList = false;
    static std::optional<std::string> addTalkgroupsFile;
    auto* add = group->add_subcommand("add", "Load the repeater list and add the matching repeaters as channels");
    addFileArgument(*add, addFile);
    addRepeaterOptions(*add, addOptions);
    add->add_option("--zone", addZone, "Name of the zone that holds them (default: the state, city or country)");
    add->add_flag("--scan-list", addScanList, "Make a scan list of the same channels");
    add->add_option("--talkgroups-file", addTalkgroupsFile,
                    "Name the talkgroup contacts from this talkgroup list (JSON or Talkgroup,Name CSV)");
    session.addOutputOption(*add);
    add->callback([&session] {
        auto& codeplug = session.openCodeplug(addFile);
        std::optional<TalkgroupCatalogue> catalogue;
        if (addTalkgroupsFile)
            catalogue = talkgroupCatalogue(session, {std::nullopt, addTalkgroupsFile, false});
        const auto repeaters = matchingRepeaters(session, addOptions);
        if (repeaters.empty())
            session.fail("No repeater on the air matches.");
        RepeaterChannelRequest request;
        const auto& filter = addOptions.filter;
        request.zoneName = addZone ? argumentText(*addZone) : defaultRepeaterZoneName(filter.state, filter.city, filter.country);
        request.scanList = addScanList;
        request.catalogue = catalogue ? &*catalogue : nullptr;
        const auto plan = planRepeaterChannels(codeplug, repeaters, request);
        const auto result = addRepeaterChannels(codeplug, plan);
        session.prompts().inform(result.message);
        session.saveIfChanged(codeplug, addFile);
        if (result.leftOut)
            throw CommandExit{ExitFailed};
    });
}

} // namespace pw::cli
