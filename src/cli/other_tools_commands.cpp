// SPDX-License-Identifier: GPL-3.0-or-later
// The files other tools pass around: save-as (radio images and vendor .rdt files of the TYT
// family), qdmr's YAML codeplug and CHIRP's CSV file, each both ways.

#include "cli/commands.h"
#include "cli/text_encoding.h"

#include "operations/chirp_csv.h"
#include "operations/qdmr_codeplug.h"
#include "operations/save_as.h"
#include "operations/structural_import.h"
#include "operations/text_lines.h"
#include "platform/file_io.h"

#include <memory>

namespace pw::cli {
namespace {

struct SaveAsArguments {
    std::string file;
    std::string out;
    std::string form;
    std::string templateFile;
    std::string model;
};

// Writes `text` to OUT ("-": standard output), or ends the command with status 1.
void writeExport(CliSession& session, const std::string& out, const std::string& text)
{
    if (const auto result = writeFileAtomically(out, writing(text)); !result) {
        session.err() << "Unable to write " << terminalText(out) << '\n';
        session.reportWriteProblem(out, result.error);
        throw CommandExit{ExitFailed};
    }
    session.deliverStandardOutput();
}

// A command that writes what `produce` makes of the codeplug FILE to OUT.
void addTextExport(CLI::App& app, CliSession& session, const char* name, const char* description, const char* kind,
                   std::string (*produce)(const Codeplug&))
{
    auto args = std::make_shared<TwoFiles>();
    addTwoFileCommand(app, name, description, *args, "OUT",
                      (std::string(kind) + " file to write; - for standard output").c_str())
        ->callback([&session, args, produce] {
            const auto out = session.outputFile(args->other);
            const auto& codeplug = session.openCodeplug(args->file);
            writeExport(session, out, produce(codeplug));
        });
}

} // namespace

void addSaveAsCommand(CLI::App& app, CliSession& session)
{
    static SaveAsArguments args;
    auto* command = app.add_subcommand(
        "save-as", "Write a TYT-family codeplug as a radio image (what dmrconfig and md380tools read and write) "
                   "or as a vendor .rdt file");
    addFileArgument(*command, args.file);
    command->add_option("OUT", args.out, "File to write; - for standard output")->required();
    command->add_option("--form", args.form, "rdt: the vendor software's file; image: the radio's memory alone")
        ->required()
        ->check(CLI::IsMember({"rdt", "image"}));
    command->add_option("--template", args.templateFile,
                        "An .rdt whose bytes around the memory the new .rdt takes (the .rdt the image was read "
                        "from gives that file back with the new memory)");
    command->add_option("--model", args.model,
                        "Write the .rdt's wrapping as a vendor blank of MODEL has it: MD-380, MD-390, MD-UV380, "
                        "MD-UV390, MD-2017 or MD-9600");
    command->callback([&session] {
        const auto out = session.outputFile(args.out);
        auto& codeplug = session.openCodeplug(args.file);
        FormRequest request;
        request.form = args.form == "image" ? tyt::FileForm::RadioImage : tyt::FileForm::VendorFile;
        request.templatePath = args.templateFile.empty() ? std::string() : session.inputFile(args.templateFile);
        request.model = argumentText(args.model);
        auto converted = convertToForm(codeplug, request);
        if (converted.needsModel)
            session.usageError("save-as: " + converted.refusal + " (--model MODEL or --template RDT)");
        if (!converted.codeplug)
            session.fail("save-as: " + converted.refusal);
        session.saveTo(*converted.codeplug, out);
    });
}

void addExportQdmrCommand(CLI::App& app, CliSession& session)
{
    addTextExport(app, session, "export-qdmr", "Write the codeplug as qdmr's YAML codeplug", "YAML", &qdmrYaml);
}

void addImportQdmrCommand(CLI::App& app, CliSession& session)
{
    static TwoFiles importArgs;
    auto* command = addTwoFileCommand(app, "import-qdmr",
                                      "Bring the records of a qdmr YAML codeplug into the codeplug by name, as the "
                                      "structural import does",
                                      importArgs, "YAML", "qdmr YAML codeplug; - for standard input");
    session.addOutputOption(*command);
    command->callback([&session] {
        auto& codeplug = session.openCodeplug(importArgs.file);
        const auto imported = importQdmrFile(codeplug, session.inputFile(importArgs.other));
        if (!imported.read)
            session.fail(StructuralImportFailure + imported.refusal);
        session.prompts().inform(qdmrImportReport(importArgs.other, imported));
        session.saveIfChanged(codeplug, importArgs.file);
    });
}

void addExportChirpCommand(CLI::App& app, CliSession& session)
{
    addTextExport(app, session, "export-chirp", "Write the analog channels as CHIRP's generic CSV file", "CSV",
                  &chirpCsv);
}

void addImportChirpCommand(CLI::App& app, CliSession& session)
{
    static TwoFiles importArgs;
    auto* command = addTwoFileCommand(app, "import-chirp", "Add the memories of a CHIRP CSV file as analog channels",
                                      importArgs, "CSV", "CHIRP CSV file; - for standard input");
    session.addOutputOption(*command);
    command->callback([&session] {
        auto& codeplug = session.openCodeplug(importArgs.file);
        const auto csvPath = session.inputFile(importArgs.other);
        TextLineReader lines(csvPath);
        if (!lines.isOpen()) {
            session.err() << "Unable to read the CHIRP CSV file.\n";
            session.reportReadProblem(csvPath);
            throw CommandExit{ExitFailed};
        }
        const auto imported = importChirpCsv(codeplug, lines);
        if (!imported.read)
            session.fail("Unable to import the CHIRP CSV file.\r\n" + imported.refusal);
        session.prompts().inform(chirpImportReport(codeplug, imported));
        session.saveIfChanged(codeplug, importArgs.file);
        // Memories that found the table full were not imported: the command did not do all it was asked.
        if (imported.tableFull > 0)
            throw CommandExit{ExitFailed};
    });
}

} // namespace pw::cli
