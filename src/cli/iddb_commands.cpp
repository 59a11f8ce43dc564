// iddb fetch, iddb search, iddb export and iddb add: the online DMR ID database without a window.
//
// Every command downloads both sources first, as the program does at start-up. The sources come
// from the user's sources file beside the settings, overridden by --source1 and --source2.

#include "cli/cli_session.h"
#include "cli/text_encoding.h"
#include "iddb/id_database.h"
#include "iddb/id_export.h"
#include "iddb/id_searcher.h"
#include "iddb/settings_block.h"
#include "platform/file_io.h"

namespace pw::cli {
namespace {

struct SourceOptions {
    std::optional<std::string> first;
    std::optional<std::string> second;
};

// Downloads both sources, showing the messages the download showed.
std::unique_ptr<IdDatabase> downloadDatabase(CliSession& session, const SourceOptions& sources)
{
    const auto stored = readSourceSettings(userSourcesPath());
    IdDatabaseOptions options;
    options.firstSource = sources.first.value_or(stored.firstSource);
    options.secondSource = sources.second.value_or(stored.secondSource);
    auto database = std::make_unique<IdDatabase>(options);
    if (!database->StartDownload())
        session.fail("Database unavailable, sorry.");
    database->WaitUntilDone();
    for (const auto& notice : database->Notices())
        session.prompts().inform(notice);
    return database;
}

// A text file's bytes, as the 8-bit text they are; ends the command when it cannot be read.
std::string readTextFile(CliSession& session, const std::string& path)
{
    const auto content = readFileBytes(path, 1u << 20);
    if (!content)
        session.fail("Unable to open file '" + path + "' for reading.");
    return std::string(content->bytes.begin(), content->bytes.end());
}

void registerIdDatabaseCommands(CLI::App& app, CliSession& session)
{
    static SourceOptions sources;
    auto* group = app.add_subcommand("iddb", "Download, search and export the online DMR ID database");
    group->require_subcommand(1);
    group->fallthrough();
    group->add_option("--source1", sources.first, "First database source, HOST[:PORT], or none to skip it");
    group->add_option("--source2", sources.second, "Second database source, HOST[:PORT], or none to skip it");

    auto* fetch = group->add_subcommand("fetch", "Download both sources and print the summary");
    fetch->callback([&session] {
        const auto database = downloadDatabase(session, sources);
        session.out() << ConsolePrompts::printable(database->StatusText());
    });

    static std::string searchText;
    static std::optional<std::string> searchLines;
    auto* search = group->add_subcommand("search", "Download, then search the database as the searcher does");
    search->add_option("TEXT", searchText, "General search text")->required();
    search->add_option("--lines", searchLines, "File whose lines are the additional search lines");
    search->callback([&session] {
        const std::string additional = searchLines ? readTextFile(session, *searchLines) : std::string();
        const auto database = downloadDatabase(session, sources);
        const auto outcome = runSearch(*database, utf8ToLatin1(searchText), additional);
        if (!outcome)
            return;
        auto& out = session.out();
        out << latin1ToUtf8(outcome->message) << '\n';
        for (int row = 0; row < outcome->count; ++row) {
            const auto record = database->Match(row);
            bool first = true;
            for (const auto text : {record.radioId(), record.callsign(), record.name(), record.city(), record.state(),
                                    record.country(), record.remarks()}) {
                if (!first)
                    out << ',';
                first = false;
                out << latin1ToUtf8(text);
            }
            out << '\n';
        }
    });

    static std::string exportPath;
    static int exportRadio = 0;
    static std::optional<std::string> exportCriteria;
    auto* exportCommand = group->add_subcommand("export", "Download, then export the records as a radio type's CSV");
    exportCommand->add_option("OUT", exportPath, "CSV file to write")->required();
    exportCommand->add_option("--radio", exportRadio, "Radio type: 1 TYT MD2017 / MDUV380, "
                                                      "2 TYT MD9600 / Retevis RT90, 3 TYT MD380")
        ->required()
        ->check(CLI::Range(1, 3));
    exportCommand->add_option("--criteria", exportCriteria, "File whose lines are the criteria");
    exportCommand->callback([&session] {
        const std::string criteria = exportCriteria ? readTextFile(session, *exportCriteria) : std::string();
        const auto database = downloadDatabase(session, sources);
        session.prompts().queueFile(exportPath);
        if (exportIdRecords(database.get(), exportRadio, criteria, session.prompts()) != ExportOutcome::Written)
            throw CommandExit{ExitFailed};
    });

    // "Add All Records" of the searcher: every match becomes a contact of FILE, named by the
    // template (the stored one unless --template is given).
    static std::string addFile;
    static std::string addText;
    static std::optional<std::string> addLines;
    static std::string addType = "private";
    static std::optional<std::string> addTemplate;
    static bool addRefresh = false;
    auto* add = group->add_subcommand("add", "Download, search, then add every match to a codeplug as contacts");
    add->add_option("FILE", addFile, "Codeplug file")->required();
    add->add_option("TEXT", addText, "General search text")->required();
    add->add_option("--lines", addLines, "File whose lines are the additional search lines");
    add->add_option("--type", addType, "Contact type of the added contacts")
        ->check(CLI::IsMember({"private", "group", "all"}));
    add->add_option("--template", addTemplate, "Name template, for example \"%C - %F\"");
    add->add_flag("--refresh", addRefresh, "Refresh contacts whose DMR ID is already present");
    session.addOutputOption(*add);
    add->callback([&session] {
        auto codeplug = session.openCodeplug(addFile);
        const std::string additional = addLines ? readTextFile(session, *addLines) : std::string();
        const auto database = downloadDatabase(session, sources);
        const auto outcome = runSearch(*database, utf8ToLatin1(addText), additional);
        if (!outcome)
            return;
        AddRecordsRequest request;
        if (addTemplate) {
            request.nameTemplate = utf8ToLatin1(*addTemplate);
        } else {
            auto store = userSettingsStore();
            request.nameTemplate = ReadSettings(store).nameTemplate();
        }
        request.type = addType == "group" ? AddedRecordType::GroupCall
                     : addType == "all"   ? AddedRecordType::AllCall
                                          : AddedRecordType::PrivateCall;
        request.refreshContacts = addRefresh;
        addAllRecords(codeplug.get(), *database, request, session.prompts());
        session.saveIfChanged(*codeplug, addFile);
    });
}

const CommandRegistration registration(&registerIdDatabaseCommands);

} // namespace
} // namespace pw::cli
