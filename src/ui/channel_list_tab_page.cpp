// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/channel_list_tab_page.h"

#include "codeplug/codeplug.h"
#include "ui/filtered_list_model.h"
#include "ui/list_tab_models.h"
#include "ui/main_window.h"
#include "ui/qt_prompts.h"
#include "ui/record_table_models.h"

#include <QLineEdit>
#include <QMenu>
#include <QTableView>

namespace pw::ui {

ChannelListTabPage::ChannelListTabPage(MainWindow& window, const ListTabTexts& texts, const ListTabCommands& commands,
                                       const ChannelMenuTexts& menuTexts, ChannelTableModel& channels,
                                       ListColumns memberColumns, ListColumns masterColumns, QWidget* parent)
    : ListTabPage(window, texts, commands, new MemberListModel(channels, memberColumns.count), memberColumns,
                  new FilteredListModel(channels, RecordFilter(window.document().codeplug,
                                                               {ChannelColumn::Name, ChannelColumn::RxFrequency,
                                                                ChannelColumn::Mode, ChannelColumn::Bandwidth})),
                  masterColumns, parent),
      menuTexts_(menuTexts),
      channels_(channels),
      members_(static_cast<MemberListModel*>(memberView()->model()))
{
}

void ChannelListTabPage::showChannelList(const Zone* zone) { showMembersOf(zone); }

void ChannelListTabPage::showChannelList(const ScanList* list) { showMembersOf(list); }

template <typename ChannelList>
void ChannelListTabPage::showMembersOf(const ChannelList* list)
{
    std::vector<int> members;
    QString name;
    if (list) {
        name = fromUtf8(list->name());
        for (int i = 0; i < list->memberCount(); ++i)
            members.push_back(codeplug().channelIndexOfMember(list->member(i)));
    }
    nameBox()->setText(name);
    members_->setMembers(std::move(members));
}

bool ChannelListTabPage::masterShowsPlaceholder() const
{
    return channels_.showsPlaceholder();
}

std::unique_ptr<QMenu> ChannelListTabPage::memberMenu(int row)
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QString::fromLatin1(menuTexts_.memberMenuName));
    menu->addAction(QString::fromLatin1(menuTexts_.removeEntry), this, [this, row] { showResult(removeMember(row)); });
    const int channel = members_->recordIndexAt(row);
    menu->addAction(QString::fromLatin1(menuTexts_.editMemberEntry), this,
                    [this, channel] { editChannelAt(channel); });
    return menu;
}

std::unique_ptr<QMenu> ChannelListTabPage::masterMenu(int row)
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QString::fromLatin1(menuTexts_.masterMenuName));
    menu->addAction(QString::fromLatin1(menuTexts_.addEntry), this, [this, row] { showResult(addFromMaster(row)); });
    menu->addAction(QStringLiteral("Edit Channel..."), this, [this, row] { editChannelAt(row); });
    return menu;
}

void ChannelListTabPage::editChannelAt(int channelIndex)
{
    if (channelIndex < 0 || !codeplug().channelAt(channelIndex))
        return;
    window_.editChannel(channelIndex);
    CommandResult result;
    result.refresh = TabList::Channels | TabList::Zones | TabList::ScanLists;
    showResult(result);
}

} // namespace pw::ui
