// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/id_export_command.h"

#include "platform/file_io.h"
#include "platform/overwrite_question.h"
#include "platform/prompts.h"

#include <filesystem>

namespace pw {

ExportOutcome exportIdRecords(const IdUserIndex* users, const ExportRequest& request, Prompts& prompts)
{
    if (!users) {
        prompts.error("Internal Error: Database unavailable for export.");
        return ExportOutcome::NoDatabase;
    }
    if (!radioCsvTypeInfo(request.type)) {
        prompts.inform("Please select the radio type to continue.");
        return ExportOutcome::NoRadioType;
    }
    const auto chosen = prompts.chooseFile({.mode = FileChooserRequest::Mode::Open,
                                            .title = "Export CSV Contacts Data Set...",
                                            .filter = "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||",
                                            .defaultExtension = "csv",
                                            .confirmText = "Export CSV >"});
    if (!chosen)
        return ExportOutcome::Cancelled;
    const std::filesystem::path path(*chosen);

    if (!overwriteAgreed(prompts, *chosen))
        return ExportOutcome::Declined;

    WriteResult written;
    RadioCsvExport exported;
    {
        BusyScope busy(prompts);
        exported = selectForExport(*users, request.criteria, request.type);
        written = writeFileAtomically(path, radioCsvContent(users->records(), exported.records, request.type,
                                                            request.options));
    }
    if (!written) {
        prompts.error("Unable to open file '" + *chosen + "' for writing.");
        return ExportOutcome::WriteFailed;
    }
    prompts.notify("CSV output file successfully written.\r\n" + exported.report);
    return ExportOutcome::Written;
}

} // namespace pw
