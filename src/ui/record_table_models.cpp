#include "ui/record_table_models.h"

#include "ui/qt_prompts.h"

#include <cstdio>

namespace pw::ui {
namespace {

const char* const ContactHeadings[] = {"No.", "DMR-MARC ID", "Contact Name", "Contact Type", "Alert Tone"};
const char* const ChannelHeadings[] = {"No.", "Channel Name", "Rx Freq", "Mode", " BW", "Tx Freq",
                                       "Admit", "PWR", "Slot", "Color", "T-Enc/Contact", "R-Dec/Grp"};

QString frequency(double mhz)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.5lf", mhz);
    return QString::fromLatin1(text);
}

QString toneOrDash(const ToneCode& tone)
{
    return tone.isNone() ? QStringLiteral(" - ") : fromLatin1(tone.text());
}

} // namespace

const int ContactTableModel::ColumnWidths[5] = {55, 95, 140, 90, 80};
const int ChannelTableModel::ColumnWidths[12] = {30, 100, 65, 40, 40, 65, 50, 40, 35, 40, 85, 85};

bool ContactTableModel::showsPlaceholder() const
{
    return codeplug_.loaded() && codeplug_.contacts().count() == 0;
}

int ContactTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !codeplug_.loaded())
        return 0;
    return showsPlaceholder() ? 1 : codeplug_.contacts().count();
}

int ContactTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 5;
}

QVariant ContactTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    if (showsPlaceholder()) {
        switch (index.column()) {
        case 0: return QStringLiteral("#");
        case 1: return QStringLiteral("No Contacts");
        case 2: return QStringLiteral(" #");
        default: return {};
        }
    }
    const Contact* contact = codeplug_.contactAt(index.row());
    if (!contact)
        return {};
    switch (index.column()) {
    case 0: return index.row() + 1;
    case 1: return QString::number(contact->dmrId());
    case 2: return fromLatin1(contact->name());
    case 3: return fromLatin1(contact->callTypeText());
    case 4: return fromLatin1(contact->alertToneText());
    default: return {};
    }
}

QVariant ContactTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 5)
        return QString::fromLatin1(ContactHeadings[section]);
    return {};
}

void ContactTableModel::refresh()
{
    beginResetModel();
    endResetModel();
}

bool ChannelTableModel::showsPlaceholder() const
{
    return codeplug_.loaded() && codeplug_.channels().count() == 0;
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !codeplug_.loaded())
        return 0;
    return showsPlaceholder() ? 1 : codeplug_.channels().count();
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 12;
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    if (showsPlaceholder()) {
        switch (index.column()) {
        case 0: return QStringLiteral("#");
        case 1: return QStringLiteral("No Channels");
        case 2: return QStringLiteral(" #");
        default: return {};
        }
    }
    const Channel* channel = codeplug_.channelAt(index.row());
    if (!channel)
        return {};
    const bool digital = channel->isDigital();
    switch (index.column()) {
    case 0: return index.row() + 1;
    case 1: return fromLatin1(channel->name());
    case 2: return frequency(channel->rxFrequency());
    case 3: return digital ? QStringLiteral("DMR") : QStringLiteral("FM");
    case 4: return channel->bandwidth() == Bandwidth::Wide25k ? QStringLiteral("25.0") : QStringLiteral("12.5");
    case 5: return frequency(channel->txFrequency());
    case 6: return fromLatin1(channel->admitText());
    case 7: return fromLatin1(channel->powerText(codeplug_.radioModelName()));
    case 8: return digital ? QVariant(channel->timeSlot()) : QVariant(QStringLiteral(" - "));
    case 9: return digital ? QVariant(channel->colorCode()) : QVariant(QStringLiteral(" - "));
    case 10: {
        if (!digital)
            return toneOrDash(channel->ctcssEncode());
        const Contact* contact = codeplug_.contactAt(channel->txContact() - 1);
        return contact && channel->txContact() > 0 ? fromLatin1(contact->name()) : QStringLiteral("NONE");
    }
    case 11: {
        if (!digital)
            return toneOrDash(channel->ctcssDecode());
        if (channel->rxGroupList() == 0)
            return QStringLiteral(" - ");
        const RxGroupList* list = codeplug_.rxGroupListAt(channel->rxGroupList() - 1);
        return list ? fromLatin1(list->name()) : QStringLiteral("MissingGrpList");
    }
    default: return {};
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 12)
        return QString::fromLatin1(ChannelHeadings[section]);
    return {};
}

void ChannelTableModel::refresh()
{
    beginResetModel();
    endResetModel();
}

} // namespace pw::ui
