// SPDX-License-Identifier: GPL-3.0-or-later
// The database searcher and the CSV exporter run through the real window against a loopback HTTP
// server that serves both sources: the download, the typed search with its countdown, adding
// records as contacts, the notice and each load's report shown once, the settings kept, a user list
// loaded from a file, and the export with its counter.
#include "codeplug/codeplug.h"
#include "iddb/id_database.h"
#include "iddb/id_sources.h"
#include "iddb/settings_block.h"
#include "support/fixture_builder.h"
#include "support/loopback_http_server.h"
#include "support/sample_database_server.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "ui/id_export_dialog.h"
#include "ui/id_fit_dialog.h"
#include "ui/id_searcher_dialog.h"
#include "ui/main_window.h"
#include "ui/ui_test_support.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pw::ui {
namespace {

using test::LoopbackHttpServer;
using test::ServerConnection;
using test::TempDir;

const QString Summary = "Database acquisition complete; 3 total records.\n\nRADIO ID (2 rows contributed)\n"
                        "HAM DIGITAL (2 rows contributed)";
const std::string SourcesNotice = "Current database sources may not provide data for all fields in all records.\r\n"
                                  "Unsupported fields will be empty in search results.";

// The status after the download from the sample server: the summary, then each source's outcome.
QString downloadStatus(const LoopbackHttpServer& server)
{
    const auto source = [&](int number, const char* path) {
        return QStringLiteral("\nsource %1: http://%2%3: 2 records")
            .arg(number)
            .arg(QString::fromStdString(server.hostAndPort()), QString::fromLatin1(path));
    };
    return Summary + source(1, FirstSourceLegacyPath) + source(2, SecondSourceLegacyPath);
}

// Each test keeps its settings in a folder of its own, so the notice and the stored texts start
// from the defaults; the window's own download at start-up skips both sources.
class IdSearcherTest : public ::testing::Test {
protected:
    IdSearcherTest() : savedConfigDir_(qgetenv("PLUGWRIGHT_CONFIG_DIR"))
    {
        qputenv("PLUGWRIGHT_CONFIG_DIR", QFile::encodeName(QString::fromStdString(dir.file("config").string())));
        writeSourceSettings(userSourcesPath(), {{}, SkippedSource, SkippedSource});
    }
    ~IdSearcherTest() override { qputenv("PLUGWRIGHT_CONFIG_DIR", savedConfigDir_); }

    std::unique_ptr<MainWindow> makeWindow(bool fromServer = true)
    {
        auto window = std::make_unique<MainWindow>(&prompts);
        if (fromServer)
            window->useIdDatabase(databaseOptions(server.hostAndPort(), server.hostAndPort()));
        return window;
    }

    // Takes the database from the two sources, without the cache.
    static IdDatabaseOptions databaseOptions(std::string firstSource, std::string secondSource)
    {
        IdDatabaseOptions options;
        options.firstSource = std::move(firstSource);
        options.secondSource = std::move(secondSource);
        return options;
    }

    void openCodeplug(MainWindow& window)
    {
        const auto path = test::writeFixture(dir.file("plug.rdt"), Md380Format);
        const auto outcome = window.openFile(QString::fromStdString(path.string()));
        ASSERT_TRUE(outcome == OpenOutcome::Opened || outcome == OpenOutcome::OpenedWithErrors);
        prompts.clearShown();
    }

    static IdSearcherDialog& searcher(QDialog& dialog)
    {
        auto* searcher = qobject_cast<IdSearcherDialog*>(&dialog);
        EXPECT_NE(searcher, nullptr);
        return *searcher;
    }

    static void waitForDownload(IdSearcherDialog& searcher)
    {
        ASSERT_TRUE(waitFor([&] { return searcher.generalSearchBox()->isEnabled(); }));
    }

    static void waitForCountdown(IdSearcherDialog& searcher)
    {
        ASSERT_TRUE(waitFor([&] { return !searcher.searchCountdownPending(); }));
    }

    static void selectRows(IdSearcherDialog& searcher, const std::vector<int>& rows)
    {
        auto* view = searcher.resultView();
        for (const int row : rows)
            view->selectionModel()->select(view->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    const Contact* contactWithId(MainWindow& window, std::uint32_t id)
    {
        const auto& contacts = window.document().codeplug.contacts();
        for (int i = 0; i < contacts.count(); ++i)
            if (contacts.at(i)->dmrId() == id)
                return contacts.at(i);
        return nullptr;
    }

    TempDir dir;
    LoopbackHttpServer server = test::sampleDatabaseServer();
    ScriptedPrompts prompts;

private:
    QByteArray savedConfigDir_;
};

TEST_F(IdSearcherTest, TypedSearchListsTheMatchesAndAddSelectedNamesContactsByTheTemplate)
{
    auto window = makeWindow();
    openCodeplug(*window);
    const int contactsBefore = window->document().codeplug.contacts().count();
    int dialogs = 0;
    window->setDialogDriver([&](QDialog& dialog) {
        ++dialogs;
        auto& s = searcher(dialog);
        EXPECT_EQ(dialog.windowTitle(), "DMR Online Database Searcher");
        waitForDownload(s);
        EXPECT_EQ(s.statusText(), downloadStatus(server));
        EXPECT_EQ(control<QLineEdit>(dialog, "nameTemplate")->text(), "%C - %F");
        EXPECT_EQ(control<QComboBox>(dialog, "recordType")->currentText(), "Private Call");

        // Two characters start no search; the third does, once the countdown has run out.
        QTest::keyClicks(s.generalSearchBox(), "sm");
        EXPECT_TRUE(s.searchCountdownPending());
        waitForCountdown(s);
        EXPECT_EQ(s.statusText(), downloadStatus(server));
        EXPECT_EQ(s.resultView()->model()->rowCount(), 0);
        QTest::keyClicks(s.generalSearchBox(), "ith");
        waitForCountdown(s);
        EXPECT_EQ(s.statusText(), "Query 'smith' returned 1 matches.");
        ASSERT_EQ(s.resultView()->model()->rowCount(), 1);
        const auto* model = s.resultView()->model();
        EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Radio ID");
        EXPECT_EQ(model->index(0, 0).data().toString(), "3112345");
        EXPECT_EQ(model->index(0, 2).data().toString(), "John Smith");
        EXPECT_EQ(model->index(0, 6).data().toString(), "DMR");

        // Without a selection the add asks for one.
        click(dialog, "addSelectedButton");
        EXPECT_EQ(prompts.lastText(), "Please select one or more contacts to add to the Codeplug.");

        control<QLineEdit>(dialog, "nameTemplate")->setText("%C %L");
        control<QComboBox>(dialog, "recordType")->setCurrentIndex(1);
        selectRows(s, {0});
        click(dialog, "addSelectedButton");
        EXPECT_EQ(prompts.lastText(), "1 Contacts added to working Codeplug.");
        click(dialog, "doneButton");
    });
    window->openIdSearcher();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(prompts.texts().front(), SourcesNotice);
    const auto* added = contactWithId(*window, 3112345);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->name(), "K0ABC Smith ");
    EXPECT_EQ(added->callTypeText(), "Group Call");
    // The window's contact list shows the new contact, and the template is kept for next time.
    EXPECT_EQ(window->contactView()->model()->rowCount(), contactsBefore + 1);
    EXPECT_EQ(window->settings().nameTemplate(), "%C %L");
}

TEST_F(IdSearcherTest, AddAllRecordsCountsDuplicatesUnlessContactsAreRefreshed)
{
    auto window = makeWindow();
    openCodeplug(*window);
    window->setDialogDriver([&](QDialog& dialog) {
        auto& s = searcher(dialog);
        waitForDownload(s);
        click(dialog, "entireDatabaseButton");
        EXPECT_EQ(s.statusText(), "Query 'Entire DB' returned 3 matches.");
        ASSERT_EQ(s.resultView()->model()->rowCount(), 3);
        click(dialog, "addAllButton");
        EXPECT_EQ(prompts.lastText(), "3 Contacts added to working Codeplug.");
        EXPECT_TRUE(s.resultView()->selectionModel()->selectedRows().isEmpty());
        click(dialog, "addAllButton");
        EXPECT_EQ(prompts.lastText(), "0 Contacts added; 3 Duplicates skipped.");
        control<QCheckBox>(dialog, "refreshContacts")->setChecked(true);
        click(dialog, "addAllButton");
        EXPECT_EQ(prompts.lastText(), "3 Contacts added to working Codeplug.");
        click(dialog, "doneButton");
    });
    window->openIdSearcher();
    const auto* hans = contactWithId(*window, 2620001);
    ASSERT_NE(hans, nullptr);
    EXPECT_EQ(hans->name(), "DL1ABC - Hans ");
}

TEST_F(IdSearcherTest, CompoundQueryJoinsTheTermsAndClearGoesBackToASimpleQuery)
{
    auto window = makeWindow();
    window->setDialogDriver([&](QDialog& dialog) {
        auto& s = searcher(dialog);
        waitForDownload(s);
        QTest::keyClicks(s.generalSearchBox(), "smith");
        s.additionalSearchBox()->setPlainText("IOWA\nBAYERN\n\nMISSOURI");
        EXPECT_TRUE(s.searchCountdownPending());
        waitForCountdown(s);
        EXPECT_EQ(s.statusText(), "Compound query 'smith OR  IOWA OR  BAYERN' returned 3 matches.");
        EXPECT_EQ(s.resultView()->model()->rowCount(), 3);
        EXPECT_EQ(s.additionalSearchText(), "IOWA\r\nBAYERN\r\n\r\nMISSOURI");
        click(dialog, "clearButton");
        EXPECT_EQ(s.additionalSearchBox()->toPlainText(), "");
        EXPECT_EQ(s.statusText(), "Query 'smith' returned 1 matches.");
        s.additionalSearchBox()->setPlainText("KANSAS");
        waitForCountdown(s);
        click(dialog, "doneButton");
    });
    window->openIdSearcher();
    EXPECT_EQ(window->settings().additionalSearchText(), "KANSAS");
}

TEST_F(IdSearcherTest, AddingWithoutALoadedCodeplugIsRefused)
{
    auto window = makeWindow();
    window->setDialogDriver([&](QDialog& dialog) {
        auto& s = searcher(dialog);
        waitForDownload(s);
        click(dialog, "entireDatabaseButton");
        selectRows(s, {1});
        click(dialog, "addSelectedButton");
        EXPECT_EQ(prompts.lastText(), "You must first load a valid codeplug before using this command.");
        EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Error);
        click(dialog, "doneButton");
    });
    window->openIdSearcher();
    EXPECT_FALSE(window->document().codeplug.loaded());
}

TEST_F(IdSearcherTest, TheSourcesNoticeIsShownOncePerSettingsStore)
{
    int opened = 0;
    const auto countNotices = [&] {
        int count = 0;
        for (const auto& text : prompts.texts())
            count += text == SourcesNotice ? 1 : 0;
        return count;
    };
    {
        auto window = makeWindow(false);
        window->setDialogDriver([&](QDialog& dialog) {
            ++opened;
            click(dialog, "doneButton");
        });
        window->openIdSearcher();
        window->openIdSearcher();
        EXPECT_EQ(countNotices(), 1);
        EXPECT_TRUE(window->close());
    }
    auto store = userSettingsStore();
    EXPECT_TRUE(ReadSettings(store).noticeShown());
    auto next = makeWindow(false);
    next->setDialogDriver([&](QDialog& dialog) {
        ++opened;
        click(dialog, "doneButton");
    });
    next->openIdSearcher();
    EXPECT_EQ(opened, 3);
    EXPECT_EQ(countNotices(), 1);
}

TEST_F(IdSearcherTest, ExporterCountsTheMatchesAndWritesTheChosenLayout)
{
    auto window = makeWindow();
    const auto out = dir.file("ids.csv");
    int exporters = 0;
    window->setDialogDriver([&](QDialog& dialog) {
        if (auto* exporter = qobject_cast<IdExportDialog*>(&dialog)) {
            ++exporters;
            EXPECT_EQ(dialog.windowTitle(), "DMR ID Database - CSV Export");
            EXPECT_EQ(exporter->statusText(), "Initializing. . .");
            ASSERT_TRUE(waitFor([&] { return !exporter->countPending(); }));
            EXPECT_EQ(exporter->statusText(), "3 matching records in database");
            control<QPlainTextEdit>(dialog, "criteria")->setPlainText("iowa");
            ASSERT_TRUE(exporter->countPending());
            ASSERT_TRUE(waitFor([&] { return !exporter->countPending(); }));
            EXPECT_EQ(exporter->statusText(), "1 matching records in database");

            click(dialog, "exportButton");
            EXPECT_EQ(prompts.lastText(), "Please select the radio type to continue.");
            control<QRadioButton>(dialog, "radioType1")->setChecked(true);
            prompts.choose(out.string());
            click(dialog, "exportButton");
            EXPECT_EQ(window->statusBar()->currentMessage(),
                      "CSV output file successfully written. 1 users selected of 3; capacity 122197");
            EXPECT_EQ(exporter->criteriaText(), "iowa");
            click(dialog, "doneButton");
            return;
        }
        auto& s = searcher(dialog);
        waitForDownload(s);
        click(dialog, "exportButton");
        // The exporter's criteria come back as the additional text, while the box stays as it was.
        EXPECT_EQ(s.additionalSearchText(), "iowa");
        EXPECT_EQ(s.additionalSearchBox()->toPlainText(), "");
        click(dialog, "doneButton");
    });
    window->openIdSearcher();
    EXPECT_EQ(exporters, 1);
    const auto bytes = test::readBytes(out);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
              "Radio ID,CallSign,Name,Nickname,City,State,Country,\r\n"
              "3112346,W0XYZ,Jane Doe,,Des Moines,Iowa,United States\r\n");
    EXPECT_EQ(window->settings().additionalSearchText(), "iowa");
}

TEST_F(IdSearcherTest, FitToRadioCountsAsThePageChangesAndAddsOrExportsWhatItCounted)
{
    auto window = makeWindow();
    openCodeplug(*window);
    const int room = contactCapacity(Md380Format) - window->document().codeplug.contacts().count();
    const auto capacity = [](int value) { return QStringLiteral("; capacity %1").arg(value); };
    const auto out = dir.file("anytone.csv");
    int fits = 0;
    window->setDialogDriver([&](QDialog& dialog) {
        if (auto* fit = qobject_cast<IdFitDialog*>(&dialog)) {
            ++fits;
            EXPECT_EQ(fit->countText(), "3 users selected of 3" + capacity(room));
            ASSERT_EQ(fit->countryList()->count(), 2);
            EXPECT_EQ(fit->countryList()->item(1)->text(), "United States (2)");
            EXPECT_EQ(fit->stateList()->count(), 3);
            fit->countryList()->item(1)->setCheckState(Qt::Checked);
            ASSERT_TRUE(waitFor([&] { return fit->countText() == "2 users selected of 3" + capacity(room); }));
            // Only the checked country's states are listed, each with its users there.
            ASSERT_EQ(fit->stateList()->count(), 2);
            EXPECT_EQ(fit->stateList()->item(0)->text(), "Iowa (1)");
            fit->stateList()->item(0)->setCheckState(Qt::Checked);
            ASSERT_TRUE(waitFor([&] { return fit->countText() == "1 users selected of 3" + capacity(room); }));
            const auto* preview = fit->preview()->model();
            ASSERT_EQ(preview->rowCount(), 1);
            EXPECT_EQ(preview->index(0, 1).data().toString(), "W0XYZ");

            click(dialog, "addButton");
            EXPECT_EQ(prompts.lastText().substr(0, prompts.lastText().find("\r\nleft")),
                      "added: 1\r\nalready present: 0\r\nremoved: 0");
            EXPECT_EQ(fit->countText(), "1 users selected of 3" + capacity(room - 1));
            EXPECT_EQ(fit->notesText(), "1 of them already in the codeplug");

            fit->targetBox()->setCurrentIndex(fit->targetBox()->findText("CSV file: AnyTone D868 / D878 / D578"));
            ASSERT_TRUE(waitFor([&] { return fit->countText() == "1 users selected of 3; capacity 200000"; }));
            prompts.choose(out.string());
            click(dialog, "exportButton");
            EXPECT_EQ(window->statusBar()->currentMessage(),
                      "CSV output file successfully written. 1 users selected of 3; capacity 200000");
            click(dialog, "closeButton");
            return;
        }
        auto& s = searcher(dialog);
        waitForDownload(s);
        click(dialog, "fitButton");
        EXPECT_TRUE(s.contactsAdded());
        click(dialog, "doneButton");
    });
    window->openIdSearcher();
    EXPECT_EQ(fits, 1);
    const auto* added = contactWithId(*window, 3112346);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->callType(), CallType::PrivateCall);
    const auto bytes = test::readBytes(out);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
              "\"No.\",\"Radio ID\",\"Callsign\",\"Name\",\"City\",\"State\",\"Country\",\"Remarks\",\"Call Type\","
              "\"Call Alert\"\r\n\"1\",\"3112346\",\"W0XYZ\",\"Jane Doe\",\"Des Moines\",\"Iowa\",\"United States\",\"\","
              "\"Private Call\",\"None\"\r\n");
}

TEST_F(IdSearcherTest, TheEntireDatabaseOfTwoMillionUsersIsListedByTheModel)
{
    auto window = makeWindow(false);
    auto& database = window->idDatabase();
    database.WaitUntilDone();
    IdRecordStore records;
    IdRecordFields fields{"", "N0CALL", "Some One", "Town", "State", "Country", ""};
    constexpr int Users = 2'000'000;
    for (int i = 0; i < Users; ++i) {
        fields.radioId = std::to_string(1000000 + i);
        records.append(fields);
    }
    database.LoadRecords(std::move(records), "loaded");
    window->setDialogDriver([&](QDialog& dialog) {
        auto& s = searcher(dialog);
        waitForDownload(s);
        click(dialog, "entireDatabaseButton");
        EXPECT_EQ(s.statusText(), "Query 'Entire DB' returned 2000000 matches.");
        const auto* model = s.resultView()->model();
        ASSERT_EQ(model->rowCount(), Users);
        EXPECT_EQ(model->index(Users - 1, 0).data().toString(), "2999999");
        s.resultView()->scrollToBottom();
        click(dialog, "doneButton");
    });
    window->openIdSearcher();
}

TEST_F(IdSearcherTest, EachLoadsOutcomesAreShownInOneBoxOnceWhenItHasEnded)
{
    LoopbackHttpServer missing([](const std::string&, ServerConnection& connection) {
        connection.send("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
    });
    auto window = makeWindow(false);
    window->useIdDatabase(databaseOptions(missing.url("/user.csv"), server.hostAndPort()));
    window->setDialogDriver([&](QDialog& dialog) {
        waitForDownload(searcher(dialog));
        click(dialog, "doneButton");
    });
    window->openIdSearcher();
    window->openIdSearcher();
    const std::string report = "source 1: " + missing.url("/user.csv") + ": failed: HTTP 404\r\nsource 2: http://"
                             + server.hostAndPort() + "/status/users_quoted.csv: 2 records";
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{SourcesNotice, report}));
    EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Warning);
}

TEST_F(IdSearcherTest, LoadUserListFromFileReplacesTheListInEitherLayout)
{
    const auto file = dir.file("user.csv");
    const std::string list = "RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY\n"
                             "2620001,DL1ABC,J\xC3\xBCrgen,M\xC3\xBCller,M\xC3\xBCnchen,Bayern,Germany\n";
    test::writeBytes(file, std::vector<std::uint8_t>(list.begin(), list.end()));
    auto window = makeWindow();
    window->setDialogDriver([&](QDialog& dialog) {
        auto& s = searcher(dialog);
        waitForDownload(s);
        prompts.choose(file.string());
        click(dialog, "loadFileButton");
        EXPECT_EQ(prompts.requests().back().title, "Load User List from File");
        EXPECT_TRUE(prompts.requests().back().mustExist);
        waitForDownload(s);
        EXPECT_EQ(s.statusText(), QString::fromStdString("Database loaded from " + file.string()
                                                         + "; 1 total records.\nfile: " + file.string() + ": 1 record"));
        s.generalSearchBox()->setText(QStringLiteral("J\u00fcrgen"));
        waitForCountdown(s);
        ASSERT_EQ(s.resultView()->model()->rowCount(), 1);
        EXPECT_EQ(s.resultView()->model()->index(0, 3).data().toString(), QStringLiteral("M\u00fcnchen"));
        click(dialog, "doneButton");
    });
    window->openIdSearcher();
    EXPECT_EQ(prompts.texts().back(), "file: " + file.string() + ": 1 record");
}

TEST_F(IdSearcherTest, TheContactsTabButtonAndTheDataMenuOpenTheSearcher)
{
    auto window = makeWindow(false);
    int opened = 0;
    window->setDialogDriver([&](QDialog& dialog) {
        opened += qobject_cast<IdSearcherDialog*>(&dialog) ? 1 : 0;
        click(dialog, "doneButton");
    });
    QPushButton* tabButton = nullptr;
    for (auto* b : window->findChildren<QPushButton*>())
        if (b->text() == "Import Contacts from DMR Online Database....")
            tabButton = b;
    ASSERT_NE(tabButton, nullptr);
    tabButton->click();
    for (auto* action : window->findChildren<QAction*>())
        if (action->text() == "Import Contacts from Online DMR Database")
            action->trigger();
    EXPECT_EQ(opened, 2);
}

TEST_F(IdSearcherTest, ExportBeforeTheDownloadHasEndedIsRefused)
{
    // A server that never answers keeps the download running while the searcher is open.
    LoopbackHttpServer silent([](const std::string&, ServerConnection& connection) { connection.holdOpen(); });
    auto window = makeWindow(false);
    window->useIdDatabase(databaseOptions(silent.url("/user.csv"), SkippedSource));
    window->setDialogDriver([&](QDialog& dialog) {
        auto& s = searcher(dialog);
        EXPECT_EQ(s.statusText(), "Please Wait. Retrieving Database...");
        EXPECT_FALSE(s.generalSearchBox()->isEnabled());
        EXPECT_FALSE(s.additionalSearchBox()->isEnabled());
        click(dialog, "exportButton");
        EXPECT_EQ(prompts.lastText(),
                  "Unable to export CSV data - database has not loaded, or is in process of loading.");
        click(dialog, "doneButton");
    });
    window->openIdSearcher();
    // Destroying the window stops the download still waiting on the silent server.
    window.reset();
}

} // namespace
} // namespace pw::ui
