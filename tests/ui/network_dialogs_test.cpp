// SPDX-License-Identifier: GPL-3.0-or-later
// "Add Talkgroups from Network..." and "Add Repeaters of an Area..." through the real window: the
// list loaded from a loopback server or a file, the preview as the choices change, adding, and a
// list that could not be had told in a box.
#include "codeplug/codeplug.h"
#include "networks/network_sources.h"
#include "networks/repeater_filter.h"
#include "support/scripted_prompts.h"
#include "support/fixture_builder.h"
#include "support/loopback_http_server.h"
#include "support/network_lists_generator.h"
#include "support/temp_dir.h"
#include "ui/list_load_panel.h"
#include "ui/main_window.h"
#include "ui/repeater_dialog.h"
#include "ui/talkgroup_dialog.h"
#include "ui/ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableWidget>
#include <QThread>

#include <gtest/gtest.h>

#include <fstream>

namespace pw::ui {
namespace {

using test::LoopbackHttpServer;

// Each test keeps its settings and cache in folders of its own, its sources on a loopback server.
class NetworkDialogsTest : public ::testing::Test {
protected:
    NetworkDialogsTest()
        : savedConfig_(qgetenv("PLUGWRIGHT_CONFIG_DIR")), savedCache_(qgetenv("PLUGWRIGHT_CACHE_DIR"))
    {
        qputenv("PLUGWRIGHT_CONFIG_DIR", QByteArray::fromStdString(dir.file("config").string()));
        qputenv("PLUGWRIGHT_CACHE_DIR", QByteArray::fromStdString(dir.file("cache").string()));
        std::filesystem::create_directories(dir.file("config"));
        std::ofstream(dir.file("config") / NetworkSourcesFileName)
            << "talkgroups = " << server.url("/v2/talkgroup") << "\nrepeaters = " << server.url("/api/dmr/repeater/")
            << "\n";
        window = std::make_unique<MainWindow>(&prompts);
        const auto path = test::writeFixture(dir.file("plug.rdt"), Md380Format);
        window->openFile(QString::fromStdString(path.string()));
        prompts.clearShown();
    }
    ~NetworkDialogsTest() override
    {
        window.reset();
        qputenv("PLUGWRIGHT_CONFIG_DIR", savedConfig_);
        qputenv("PLUGWRIGHT_CACHE_DIR", savedCache_);
    }

    void trigger(const char* text)
    {
        for (auto* action : window->findChildren<QAction*>())
            if (action->text() == QString::fromLatin1(text))
                action->trigger();
    }

    test::TempDir dir;
    const std::vector<Talkgroup> talkgroups = test::generateTalkgroups(2000);
    std::atomic<bool> serverFails{false};
    LoopbackHttpServer server{[this](const std::string& request, test::ServerConnection& connection) {
        if (!serverFails && request.rfind("GET /v2/talkgroup ", 0) == 0)
            connection.send(test::sizedResponse(test::talkgroupJson(talkgroups)));
        else
            connection.send("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
    }};
    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;

private:
    QByteArray savedConfig_;
    QByteArray savedCache_;
};

TEST_F(NetworkDialogsTest, TalkgroupsLoadPreviewAndAddAsNamedContacts)
{
    int opened = 0;
    window->setDialogDriver([&](QDialog& dialog) {
        auto* talkgroup = qobject_cast<TalkgroupDialog*>(&dialog);
        ASSERT_NE(talkgroup, nullptr);
        ++opened;
        ASSERT_TRUE(waitFor([&] { return !talkgroup->loading(); }));
        EXPECT_EQ(talkgroup->loadPanel()->statusText().toStdString(),
                  "source: " + server.url("/v2/talkgroup") + ": 2000 talkgroups");
        control<QLineEdit>(dialog, "numbers")->setText(QStringLiteral("91,262,99999"));
        EXPECT_EQ(talkgroup->previewText().toStdString(), "2 talkgroup contacts to add; 0 already present.\n1 not in the talkgroup list.");
        click(dialog, "addButton");
        EXPECT_EQ(prompts.lastText(), "2 talkgroup contacts added; 0 already present.\r\n1 not in the talkgroup list.");
        EXPECT_EQ(talkgroup->previewText().toStdString(), "0 talkgroup contacts to add; 2 already present.\n1 not in the talkgroup list.");
        click(dialog, "closeButton");
    });
    const auto& contacts = window->document().codeplug.contacts();
    const int before = contacts.count();
    trigger("Add Talkgroups from Network...");
    EXPECT_EQ(opened, 1);
    ASSERT_EQ(contacts.count(), before + 2);
    EXPECT_EQ(contacts.at(contacts.count() - 2)->name(), "Worldwide");
    EXPECT_EQ(contacts.at(contacts.count() - 1)->name(), "Germany");
}

TEST_F(NetworkDialogsTest, AListThatCouldNotBeHadIsToldInABox)
{
    serverFails = true;
    window->setDialogDriver([&](QDialog& dialog) {
        auto* talkgroup = qobject_cast<TalkgroupDialog*>(&dialog);
        ASSERT_TRUE(waitFor([&] { return !talkgroup->loading(); }));
        EXPECT_EQ(talkgroup->previewText().toStdString(), "No talkgroup list is loaded.");
        EXPECT_FALSE(control<QPushButton>(dialog, "addButton")->isEnabled());
        click(dialog, "closeButton");
    });
    trigger("Add Talkgroups from Network...");
    EXPECT_EQ(prompts.lastText(), "The talkgroup list could not be had.\r\n\r\nsource: " + server.url("/v2/talkgroup") +
                                      ": failed: HTTP 404");
}

TEST_F(NetworkDialogsTest, RepeatersOfAFileAreFilteredPreviewedAndAddedWithTheirZone)
{
    const auto repeaters = test::generateRepeaters(100);
    const auto file = dir.file("repeaters.json");
    std::ofstream(file) << test::repeaterPageJson(repeaters, 1, 1, repeaters.size());
    RepeaterFilter filter;
    filter.state = "Nordrhein-Westfalen";
    filter.city = "K\xC3\xB6ln";
    std::size_t matching = 0;
    for (const auto& repeater : repeaters)
        matching += filter.matches(repeater);
    const auto channelsBefore = static_cast<std::size_t>(window->document().codeplug.channels().count());
    window->setDialogDriver([&](QDialog& dialog) {
        auto* repeater = qobject_cast<RepeaterDialog*>(&dialog);
        ASSERT_NE(repeater, nullptr);
        prompts.choose(file.string());
        click(dialog, "loadFileButton");
        ASSERT_TRUE(waitFor([&] { return !repeater->loading(); }));
        control<QLineEdit>(dialog, "state")->setText(QStringLiteral("nordrhein-westfalen"));
        control<QLineEdit>(dialog, "city")->setText(QStringLiteral("K\u00f6ln"));
        EXPECT_EQ(repeater->repeaterTable()->rowCount(), static_cast<int>(matching));
        // The zone is named after the state until a name is typed.
        EXPECT_TRUE(repeater->previewText().contains(QStringLiteral("Zone 'nordrhein-west")))
            << repeater->previewText().toStdString();
        control<QLineEdit>(dialog, "zoneName")->setText(QStringLiteral("Koeln"));
        click(dialog, "addButton");
        click(dialog, "closeButton");
    });
    trigger("Add Repeaters of an Area...");
    const auto& codeplug = window->document().codeplug;
    std::size_t zoned = 0;
    for (const auto& zone : codeplug.zones())
        if (zone->name().rfind("Koeln", 0) == 0)
            zoned += zone->members().size();
    EXPECT_GT(zoned, 0u);
    EXPECT_EQ(zoned, static_cast<std::size_t>(codeplug.channels().count()) - channelsBefore);
    EXPECT_NE(prompts.lastText().find("Zone 'Koeln"), std::string::npos) << prompts.lastText();
}

} // namespace
} // namespace pw::ui
