// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/document_commands.h"

#include "operations/open_failure.h"
#include "operations/save_as.h"
#include "platform/overwrite_question.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace pw {

std::string statusText(const Codeplug& codeplug)
{
    if (!codeplug.loaded())
        return "No Codeplug yet loaded.";
    return "Total of " + std::to_string(codeplug.contacts().count()) + " contacts and " +
           std::to_string(codeplug.channels().count()) + " channels in Codeplug";
}

std::string featureNotSupportedText(const std::string& feature)
{
    return "Sorry, the feature you tried to\r\naccess, " + feature + ", is not\r\nyet supported for this codeplug type.";
}

bool channelOperationsOffered(const Codeplug& codeplug, Prompts& prompts, const std::string& feature)
{
    if (codeplug.hasFeature(feature::ChannelOperations))
        return true;
    prompts.error(featureNotSupportedText(feature));
    return false;
}

OpenOutcome openCodeplugCommand(WorkingDocument& document, Prompts& prompts, const std::string& givenPath,
                                const ShowOpenOutcome& show)
{
    auto& codeplug = document.codeplug;
    if (codeplug.loaded() && codeplug.changed()) {
        const auto answer = prompts.message(MessageIcon::Question, MessageButtons::YesNoCancel,
                                            "Working Codeplug " + document.path +
                                                " has changed. Save it before proceeding?");
        if (answer == MessageAnswer::Cancel)
            return OpenOutcome::Cancelled;
        if (answer == MessageAnswer::Yes)
            saveCodeplugCommand(document, prompts);
    }
    std::string path = givenPath;
    if (path.empty()) {
        FileChooserRequest request;
        request.mode = FileChooserRequest::Mode::Open;
        request.title = "Open Codeplug...";
        request.confirmText = "Open >";
        request.filter = OpenFilter;
        request.mustExist = true;
        const auto chosen = prompts.chooseFile(request);
        if (!chosen)
            return OpenOutcome::Cancelled;
        path = *chosen;
    }
    const auto reportTo = [&show](OpenOutcome outcome) {
        if (show)
            show(outcome);
        return outcome;
    };
    // The file is decoded aside and takes the working codeplug's place only when it decoded: a
    // wrong choice leaves the user's work as it was, changed or not.
    // Each failure names the file and says why, as the command line does.
    Codeplug opened;
    if (!opened.open(path)) {
        reportTo(OpenOutcome::OpenFailed);
        prompts.error(openFailureText(OpenFailedMessage, path, whyNotOpened(opened, path).reason));
        return OpenOutcome::OpenFailed;
    }
    {
        BusyScope busy(prompts);
        if (!opened.decode()) {
            reportTo(OpenOutcome::DecodeFailed);
            prompts.error(openFailureText(NoValidDataMessage, path, whyNotDecoded(opened.takeMessages(), opened)));
            return OpenOutcome::DecodeFailed;
        }
    }
    codeplug.swap(opened);
    document.path = path;
    if (codeplug.errorCount() > 0) {
        reportTo(OpenOutcome::OpenedWithErrors);
        prompts.message(MessageIcon::Warning, MessageButtons::Ok,
                        std::to_string(codeplug.errorCount()) +
                            " errors found in codeplug data table rows.\r\nPlease double-check codeplug contents "
                            "before continuing;\r\ndetails will be found on the ERRORS tab.");
        return OpenOutcome::OpenedWithErrors;
    }
    return reportTo(OpenOutcome::Opened);
}

std::string backupPathOf(const std::string& path) { return path + ".bak"; }

namespace {

// Copies the file a save is about to replace, when there is one. A backup that cannot be made
// does not stop the save, which replaces the file only once the new one is whole.
void keepBackupOf(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return;
    std::filesystem::copy_file(path, backupPathOf(path), std::filesystem::copy_options::overwrite_existing, error);
}

} // namespace

SaveOutcome saveCodeplugCommand(WorkingDocument& document, Prompts& prompts)
{
    auto& codeplug = document.codeplug;
    // With nothing loaded there is nothing to write: the save fails as any other failed write.
    if (!codeplug.loaded()) {
        prompts.message(MessageIcon::Error, MessageButtons::Ok, "Unable to save file.");
        return SaveOutcome::Failed;
    }
    if (codeplug.contacts().count() == 0 &&
        prompts.message(MessageIcon::Question, MessageButtons::YesNo,
                        "This Codeplug has no contacts. Are you sure you want to save it?") != MessageAnswer::Yes)
        return SaveOutcome::Declined;
    if (document.keepBackup)
        keepBackupOf(document.path);
    const auto outcome = saveWithQuestions(codeplug, document.path, prompts, ChangedFileRule::Ask);
    if (outcome == SaveOutcome::Saved)
        document.keepBackup = false;
    if (outcome == SaveOutcome::Saved)
        prompts.notify("File successfully saved to disk.");
    else if (outcome == SaveOutcome::Failed)
        prompts.message(MessageIcon::Error, MessageButtons::Ok, saveFailedText(codeplug, document.path));
    return outcome;
}

SaveOutcome saveWithQuestions(Codeplug& codeplug, const std::string& path, Prompts& prompts, ChangedFileRule rule)
{
    SaveConsent consent;
    while (true) {
        {
            BusyScope busy(prompts);
            if (codeplug.save(path, consent))
                return SaveOutcome::Saved;
        }
        const auto problem = codeplug.saveProblem();
        const auto ask = [&prompts](const std::string& question) {
            return prompts.message(MessageIcon::Question, MessageButtons::YesNo, question) == MessageAnswer::Yes;
        };
        if (problem == SaveProblem::ReadOnly && !consent.readOnlyFile) {
            if (!ask(path + " is read-only.\r\nSave over it anyway?"))
                return SaveOutcome::Declined;
            consent.readOnlyFile = true;
        } else if (problem == SaveProblem::ChangedOnDisk && rule == ChangedFileRule::Ask && !consent.changedFile) {
            if (!ask(path + " was changed by another program since it was opened.\r\nOverwrite it with this codeplug?"))
                return SaveOutcome::Declined;
            consent.changedFile = true;
        } else {
            return SaveOutcome::Failed;
        }
    }
}

std::string saveFailedText(const Codeplug& codeplug, const std::string& path)
{
    if (codeplug.saveFailureReason().empty())
        return "Unable to save file.";
    return "Unable to save file.\r\n" + path + ": " + codeplug.saveFailureReason();
}

namespace {

// Puts the working codeplug in the form the chosen file's name asks for. Nothing when it is
// (converted or already so); Declined when the model question was cancelled, Failed when the
// conversion was refused.
std::optional<SaveOutcome> takeFormOf(WorkingDocument& document, Prompts& prompts, const std::string& path,
                                      bool& formChanged)
{
    const auto current = fileFormOf(document.codeplug);
    const auto wanted = formOfFileName(path);
    if (!current || !wanted || *current == *wanted)
        return std::nullopt;
    FormRequest request;
    request.form = *wanted;
    auto converted = convertToForm(document.codeplug, request);
    if (converted.needsModel) {
        const auto model = prompts.inputBox(ModelQuestionTitle, ModelQuestion, 16,
                                            document.codeplug.formatId() == Md380Format ? "MD-380" : "MD-UV380");
        if (!model)
            return SaveOutcome::Declined;
        request.model = *model;
        converted = convertToForm(document.codeplug, request);
    }
    if (!converted.codeplug) {
        prompts.error("Unable to save file.\r\n" + converted.refusal);
        return SaveOutcome::Failed;
    }
    document.codeplug.swap(*converted.codeplug);
    // Not yet written: should the save fail, closing still asks about it.
    document.codeplug.markChanged();
    formChanged = true;
    return std::nullopt;
}

} // namespace

SaveOutcome saveCodeplugAsCommand(WorkingDocument& document, Prompts& prompts, bool* formChanged)
{
    auto& codeplug = document.codeplug;
    if (formChanged)
        *formChanged = false;
    if (!codeplug.loaded())
        return SaveOutcome::Failed;
    const bool rdb = codeplug.family() == FormatFamily::RdbFamily;
    const auto form = fileFormOf(codeplug);
    FileChooserRequest request;
    request.mode = FileChooserRequest::Mode::Save;
    request.title = "Save Codeplug As New File...";
    request.confirmText = "Save As >";
    // A TYT codeplug offers both forms, its own first.
    request.filter = rdb ? "RDB Files (*.rdb)|*.rdb|All Files (*.*)|*.*||"
                   : form == tyt::FileForm::RadioImage
                       ? "Radio Images (*.img, *.bin)|*.img;*.bin|RDT Files (*.rdt)|*.rdt|All Files (*.*)|*.*||"
                   : form ? "RDT Files (*.rdt)|*.rdt|Radio Images (*.img, *.bin)|*.img;*.bin|All Files (*.*)|*.*||"
                          : "RDT Files (*.rdt)|*.rdt|All Files (*.*)|*.*||";
    request.defaultExtension = rdb ? "rdb" : form == tyt::FileForm::RadioImage ? "img" : "rdt";
    request.initialName = document.path;
    const auto chosen = prompts.chooseFile(request);
    if (!chosen || !overwriteAgreed(prompts, *chosen))
        return SaveOutcome::Declined;
    bool changedForm = false;
    if (const auto stopped = takeFormOf(document, prompts, *chosen, changedForm))
        return *stopped;
    if (formChanged)
        *formChanged = changedForm;
    document.path = *chosen;
    return saveCodeplugCommand(document, prompts);
}

bool closeCommand(WorkingDocument& document, Prompts& prompts, const std::function<void()>& writeSettings)
{
    if (writeSettings)
        writeSettings();
    auto& codeplug = document.codeplug;
    if (!codeplug.loaded() || !codeplug.changed())
        return true;
    const auto answer = prompts.message(MessageIcon::Question, MessageButtons::YesNoCancel,
                                        "Save changes to " + document.path + " ?");
    if (answer == MessageAnswer::Cancel)
        return false;
    // A save that fails keeps the window open: closing would throw the user's changes away.
    if (answer == MessageAnswer::Yes)
        return saveCodeplugCommand(document, prompts) == SaveOutcome::Saved;
    return true;
}

} // namespace pw
