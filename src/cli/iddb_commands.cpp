// SPDX-License-Identifier: GPL-3.0-or-later
// iddb fetch, iddb search, iddb export, iddb add and iddb fit: the online DMR ID database without a
// window.
//
// Every command loads the user list first: from --file when given; otherwise from the cache while
// it is younger than its maximum age, else from the two sources, replacing the cache. Sources given
// on the command line (--source1, --source2), --file and --no-cache leave the cache alone. Each
// place's outcome is one line on standard error, and a command that had no record at all ends
// with status 1.

#include "cli/commands.h"
#include "cli/text_encoding.h"
#include "iddb/id_database.h"
#include "iddb/id_export.h"
#include "iddb/id_selection.h"
#include "iddb/id_user_index.h"
#include "iddb/people_list.h"
#include "iddb/id_searcher.h"
#include "iddb/id_sources.h"
#include "iddb/settings_block.h"
#include "model/unicode_text.h"
#include "operations/id_contact_add.h"
#include "operations/id_export_command.h"
#include "operations/id_fit.h"
#include "platform/file_io.h"
#include "platform/terminal.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <thread>

namespace pw::cli {
namespace {

constexpr const char* StandardStream = "-";

struct ListOptions {
    std::optional<std::string> first;
    std::optional<std::string> second;
    std::optional<std::string> file;
    bool noCache = false;
};

// "12.3 MB"
std::string megabytes(std::uint64_t bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

// Waits for the load to end; on a terminal, with a progress line on standard error.
void waitForLoad(IdDatabase& database, std::ostream& err)
{
    if (!standardErrorIsTerminal()) {
        database.WaitUntilDone();
        return;
    }
    bool shown = false;
    while (!database.ReleaseFinishedThread()) {
        const auto progress = database.Progress();
        std::string line = "\rLoading the DMR ID list: " + megabytes(progress.bytes);
        if (progress.totalBytes)
            line += " of " + megabytes(*progress.totalBytes);
        line += ", " + std::to_string(progress.rows) + " rows   ";
        err << line << std::flush;
        shown = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    if (shown)
        err << "\r" << std::string(72, ' ') << "\r" << std::flush;
}

// Loads the user list as the options say, reports each place's outcome on standard error, and
// ends the command with status 1 when no record at all could be had.
std::unique_ptr<IdDatabase> loadDatabase(CliSession& session, const ListOptions& list)
{
    const auto settings = readSourceSettings(userSourcesPath());
    IdDatabaseOptions options;
    options.firstSource = list.first.value_or(settings.firstSource);
    options.secondSource = list.second.value_or(settings.secondSource);
    options.settingsProblems = settings.problems;
    if (!list.first && !list.second && !list.file && !list.noCache) {
        options.cachePath = userIdCachePath();
        options.cacheMaxAge = settings.cacheMaxAge;
    }
    auto database = std::make_unique<IdDatabase>(options);
    const bool started = list.file ? database->StartFileLoad(*list.file) : database->StartDownload();
    if (!started)
        session.fail("Database unavailable, sorry.");
    waitForLoad(*database, session.err());
    database->WaitUntilDone();
    database->AdoptRefresh();
    for (const auto& line : database->OutcomeLines())
        session.err() << lineText(line) << '\n';
    session.err().flush();
    if (database->Records().empty())
        session.fail("No DMR ID record could be had.");
    return database;
}

// A text file named on the command line ("-": standard input), as UTF-8: taken as UTF-8 when
// valid, else as Windows-1252; a byte-order mark is dropped. Ends the command when it cannot be
// read, with the path and the system's reason.
std::string readTextFile(CliSession& session, const std::string& path)
{
    std::string bytes;
    if (path == StandardStream) {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        errno = 0;
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file) {
            char buffer[65536];
            std::size_t got;
            while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && bytes.size() < (64u << 20))
                bytes.append(buffer, got);
            const bool failed = std::ferror(file) != 0;
            std::fclose(file);
            if (failed)
                file = nullptr;
        }
        if (!file) {
            const int error = errno;
            session.fail("Unable to open file '" + path + "' for reading.\n" + path + ": " + std::strerror(error));
        }
    }
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        bytes.erase(0, 3);
    return utf8FromExternalText(bytes);
}

// The selection's options, shared by export and fit: the filters, the order and the limit go
// straight into the criteria; the pinned and excluded lists are read from their files.
struct SelectionOptions {
    IdSelectionCriteria criteria;
    std::optional<std::string> pinFile;
    std::optional<std::string> excludeFile;
};

constexpr const char* SelectionRules =
    "A user qualifies when it matches every kind of filter given, and any value within a kind. Each DMR ID is "
    "selected once.";

constexpr const char* CapacitySources =
    "Capacities: 122197 users is the user database of the MD-UV380, MD-2017 and MD-9600 (flash 0x200000 to "
    "0x1000000 behind a 0x4003-byte index, 120 bytes a user, as dmrconfig's and qdmr's memory maps have it), "
    "which dmrconfig -u also fills; 1000 is the MD-380 codeplug's contact list, which its programming software "
    "imports these lines into; 200000 is the AnyTone D868UV's user database (qdmr's memory map: an index of "
    "0x186A00 bytes, 8 a user); the D878UV II and D578UV hold more: raise it with --limit.";

std::vector<std::string> radioTypeNames()
{
    std::vector<std::string> names;
    for (const auto& info : radioCsvTypes())
        names.emplace_back(info.name);
    return names;
}

std::string radioTypesHelp()
{
    std::string help = "Radio type:";
    for (const auto& info : radioCsvTypes()) {
        help += std::string(" ") + info.name + " = " + info.buttonText;
        if (info.capacity)
            help += " (" + std::to_string(*info.capacity) + " users)";
        help += ",";
    }
    help.back() = '.';
    return help;
}

// Each value of a repeated option is one word: "--country A --country B".
template <typename T>
CLI::Option* addRepeated(CLI::App& command, const char* name, T& values, const char* description)
{
    return command.add_option(name, values, description)->allow_extra_args(false);
}

void addSelectionOptions(CLI::App& command, SelectionOptions& options, const char* limitDefault)
{
    const char* group = "Selection";
    addRepeated(command, "--country", options.criteria.countries, "Users of this country (the whole name, case ignored)")
        ->group(group);
    addRepeated(command, "--state", options.criteria.states, "Users of this state or region (the whole name, case ignored)")
        ->group(group);
    addRepeated(command, "--callsign-prefix", options.criteria.callsignPrefixes, "Users whose callsign begins so (case ignored)")
        ->group(group);
    addRepeated(command, "--id-prefix", options.criteria.idPrefixes, "Users whose DMR ID begins with these digits")
        ->group(group)
        ->check(CLI::Validator(
            [](const std::string& digits) {
                return !digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos
                           ? std::string()
                           : "DIGITS must be decimal digits: " + digits;
            },
            "DIGITS"));
    addRepeated(command, "--match", options.criteria.matchTexts, "Users whose record holds this text, as the searcher finds it")
        ->group(group);
    command.add_option("--pin", options.pinFile,
                       "File of DMR IDs or callsigns, one a line, # comments: always selected, first, in its order "
                       "(- for standard input)")
        ->group(group);
    command.add_option("--exclude", options.excludeFile,
                       "File of DMR IDs or callsigns (as --pin): never selected, pinned or not")
        ->group(group);
    command.add_option("--near", options.criteria.near, "Order the users after the pinned ones by the distance of their DMR ID to ID")
        ->group(group)
        ->check(CLI::Range(1u, 16777215u));
    command.add_option("--limit", options.criteria.limit, std::string("Select at most N users (default: ") + limitDefault + ")")
        ->group(group)
        ->check(CLI::NonNegativeNumber);
    command.footer(SelectionRules);
}

// Standard input can be read once: by one of the files named "-".
void checkStandardInputOnce(CliSession& session, const ListOptions& list, const SelectionOptions& options,
                            const std::optional<std::string>& other)
{
    int readers = 0;
    for (const auto* file : {&list.file, &options.pinFile, &options.excludeFile, &other})
        readers += *file && **file == StandardStream ? 1 : 0;
    if (readers > 1)
        session.usageError("Standard input can be read once: name - for one file only.");
}

IdSelectionCriteria selectionCriteria(CliSession& session, const SelectionOptions& options)
{
    IdSelectionCriteria criteria = options.criteria;
    if (options.pinFile)
        criteria.pinned = parsePeopleList(readTextFile(session, *options.pinFile));
    if (options.excludeFile)
        criteria.excluded = parsePeopleList(readTextFile(session, *options.excludeFile));
    return criteria;
}

void addListOptions(CLI::App& command, ListOptions& list)
{
    command.add_option("--source1", list.first, "First source: a URL, HOST[:PORT] or none");
    command.add_option("--source2", list.second, "Second source: a URL, HOST[:PORT] or none");
    command.add_option("--file", list.file, "Read the user list from this file (- for standard input) instead");
    command.add_flag("--no-cache", list.noCache, "Download, and neither read nor write the cache");
}

// Runs the searcher's query; a query it refuses (too short) ends the command with status 1.
SearchOutcome searchOrFail(CliSession& session, IdDatabase& database, const std::string& text,
                           const std::string& additional)
{
    auto outcome = runSearch(database, text, additional);
    if (!outcome)
        session.fail("The query is too short: give at least " + std::to_string(SimpleQueryMinimum)
                     + " characters, or search lines with --lines.");
    return *outcome;
}

} // namespace

void addIdDatabaseCommands(CLI::App& app, CliSession& session)
{
    static ListOptions list;
    auto* group = app.add_subcommand("iddb", "Load, search and export the DMR ID user list");
    group->require_subcommand(1);
    group->fallthrough();
    addListOptions(*group, list);

    auto* fetch = group->add_subcommand("fetch", "Load the user list and print the summary");
    fetch->callback([&session] {
        const auto database = loadDatabase(session, list);
        session.out() << ConsolePrompts::printable(database->StatusText());
    });

    static std::string searchText;
    static std::optional<std::string> searchLines;
    auto* search = group->add_subcommand("search", "Load the user list, then search it as the searcher does");
    search->add_option("TEXT", searchText, "General search text")->required();
    search->add_option("--lines", searchLines, "File whose lines are the additional search lines (- for standard input)");
    search->callback([&session] {
        const std::string additional = searchLines ? readTextFile(session, *searchLines) : std::string();
        const auto database = loadDatabase(session, list);
        const auto outcome = searchOrFail(session, *database, searchText, additional);
        std::string text = outcome.message + "\n";
        for (int row = 0; row < outcome.count; ++row) {
            text += lineText(recordCsvLine(database->Match(row)));
            text += '\n';
        }
        session.out() << text << std::flush;
    });

    static std::string exportPath;
    static std::string exportRadio;
    static std::optional<std::string> exportCriteria;
    static bool exportAscii = false;
    static bool exportNoNames = false;
    static SelectionOptions exportSelectionOptions;
    auto* exportCommand = group->add_subcommand("export", "Load the user list, then export a selection as a radio's CSV");
    exportCommand->add_option("OUT", exportPath, "CSV file to write; - for standard output")->required();
    exportCommand->add_option("--radio", exportRadio, radioTypesHelp())
        ->required()
        ->check(CLI::IsMember(radioTypeNames()));
    exportCommand->add_option("--criteria", exportCriteria,
                              "File whose lines are the criteria, each found where a word begins (- for standard input)");
    exportCommand->add_flag("--ascii", exportAscii, "Write plain ASCII: accents dropped, other scripts transliterated");
    exportCommand->add_flag("--no-names", exportNoNames,
                            "Write the callsign only: leave name, city and state empty (type 3: the callsign as the name)");
    addSelectionOptions(*exportCommand, exportSelectionOptions, "the radio type's capacity");
    exportCommand->footer(std::string(SelectionRules) + "\n\n" + CapacitySources);
    exportCommand->callback([&session] {
        checkStandardInputOnce(session, list, exportSelectionOptions, exportCriteria);
        auto criteria = selectionCriteria(session, exportSelectionOptions);
        if (exportCriteria)
            criteria.criteriaText = readTextFile(session, *exportCriteria);
        const auto database = loadDatabase(session, list);
        const IdUserIndex users(database->Records());
        ExportRequest request;
        request.type = *radioCsvTypeNamed(exportRadio);
        request.criteria = std::move(criteria);
        request.options.charset = exportAscii ? ExportCharset::Ascii : ExportCharset::Windows1252;
        request.options.noNames = exportNoNames;
        if (exportPath == StandardStream) {
            const auto exported = exportSelection(users, request.criteria, request.type, request.options);
            session.out().write(exported.text.data(), static_cast<std::streamsize>(exported.text.size()));
            session.confirmStandardOutput();
            // Standard output holds the file: the closing message goes to standard error.
            session.err() << "CSV output file successfully written.\n"
                          << ConsolePrompts::printable(exported.report) << std::flush;
            return;
        }
        session.prompts().queueFile(exportPath);
        errno = 0;
        const auto outcome = exportIdRecords(&users, request, session.prompts());
        if (outcome == ExportOutcome::WriteFailed) {
            const int error = errno;
            session.err() << exportPath << ": " << std::strerror(error != 0 ? error : EIO) << '\n';
        }
        if (outcome != ExportOutcome::Written)
            throw CommandExit{ExitFailed};
    });

    // The selection into the codeplug's free contact rows.
    static std::string fitFile;
    static bool fitReplace = false;
    static std::string fitTemplate = DefaultFitNameTemplate;
    static SelectionOptions fitSelectionOptions;
    auto* fit = group->add_subcommand("fit", "Load the user list, then add a selection to a codeplug's free contact rows");
    fit->add_option("FILE", fitFile, "Codeplug file")->required();
    fit->add_flag("--replace", fitReplace,
                  "First delete the private-call contacts that no channel, RX group list or other record uses");
    fit->add_option("--template", fitTemplate, "Name template of the added contacts")->capture_default_str();
    addSelectionOptions(*fit, fitSelectionOptions, "the contact table's free rows");
    session.addOutputOption(*fit);
    fit->callback([&session] {
        checkStandardInputOnce(session, list, fitSelectionOptions, fitFile);
        auto& codeplug = session.openCodeplug(fitFile);
        FitRequest request;
        request.criteria = selectionCriteria(session, fitSelectionOptions);
        request.nameTemplate = fitTemplate;
        request.replace = fitReplace;
        const auto database = loadDatabase(session, list);
        const IdUserIndex users(database->Records());
        const auto result = fitToCodeplug(&codeplug, users, request, session.prompts());
        session.saveIfChanged(codeplug, fitFile);
        if (!result.ran)
            throw CommandExit{ExitFailed};
        if (result.leftOut > 0)
            session.fail(std::to_string(result.leftOut) + " users left out for lack of room: the contact table holds at most "
                         + std::to_string(contactCapacity(codeplug.formatId())) + " contacts");
    });

    // "Add All Records" of the searcher: every match becomes a contact of FILE, named by the
    // template (the stored one unless --template is given).
    static std::string addFile;
    static std::string addText;
    static std::optional<std::string> addLines;
    static std::string addType = "private";
    static std::optional<std::string> addTemplate;
    static bool addRefresh = false;
    auto* add = group->add_subcommand("add", "Load the user list, search it, then add every match to a codeplug");
    add->add_option("FILE", addFile, "Codeplug file")->required();
    add->add_option("TEXT", addText, "General search text")->required();
    add->add_option("--lines", addLines, "File whose lines are the additional search lines (- for standard input)");
    add->add_option("--type", addType, "Contact type of the added contacts")
        ->check(CLI::IsMember({"private", "group", "all"}));
    add->add_option("--template", addTemplate, "Name template, for example \"%C - %F\"");
    add->add_flag("--refresh", addRefresh, "Refresh contacts whose DMR ID is already present");
    session.addOutputOption(*add);
    add->callback([&session] {
        auto& codeplug = session.openCodeplug(addFile);
        const std::string additional = addLines ? readTextFile(session, *addLines) : std::string();
        const auto database = loadDatabase(session, list);
        searchOrFail(session, *database, addText, additional);
        AddRecordsRequest request;
        if (addTemplate) {
            request.nameTemplate = *addTemplate;
        } else {
            // The settings block keeps the template as 8-bit Latin-1 text.
            auto store = userSettingsStore();
            request.nameTemplate = pw::latin1ToUtf8(ReadSettings(store).nameTemplate());
        }
        request.type = addType == "group" ? AddedRecordType::GroupCall
                     : addType == "all"   ? AddedRecordType::AllCall
                                          : AddedRecordType::PrivateCall;
        request.refreshContacts = addRefresh;
        const auto added = addAllRecords(&codeplug, *database, request, session.prompts());
        session.saveIfChanged(codeplug, addFile);
        // As import-contacts: records a full table left out are work not done.
        if (added.leftOut > 0)
            throw CommandExit{ExitFailed};
    });
}

} // namespace pw::cli
