// SPDX-License-Identifier: GPL-3.0-or-later
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
    return tone.isNone() ? QStringLiteral(" - ") : fromUtf8(tone.text());
}

} // namespace

const int ContactTableModel::ColumnWidths[5] = {55, 95, 140, 90, 80};
const int ChannelTableModel::ColumnWidths[12] = {30, 100, 65, 40, 40, 65, 50, 40, 35, 40, 85, 85};

RecordTableModel::RecordTableModel(const Codeplug& codeplug, std::span<const char* const> headings,
                                   const char* placeholder, QObject* parent)
    : QAbstractTableModel(parent), codeplug_(codeplug), headings_(headings), placeholder_(placeholder)
{
}

bool RecordTableModel::showsPlaceholder() const
{
    return codeplug_.loaded() && recordCount() == 0;
}

int RecordTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !codeplug_.loaded())
        return 0;
    return showsPlaceholder() ? 1 : recordCount();
}

int RecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    if (showsPlaceholder()) {
        switch (index.column()) {
        case 0: return QStringLiteral("#");
        case 1: return QString::fromLatin1(placeholder_);
        case 2: return QStringLiteral(" #");
        default: return {};
        }
    }
    return recordCell(index.row(), index.column());
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < static_cast<int>(headings_.size()))
        return QString::fromLatin1(headings_[static_cast<std::size_t>(section)]);
    return {};
}

void RecordTableModel::refresh()
{
    beginResetModel();
    endResetModel();
}

ContactTableModel::ContactTableModel(const Codeplug& codeplug, QObject* parent)
    : RecordTableModel(codeplug, ContactHeadings, "No Contacts", parent)
{
}

int ContactTableModel::recordCount() const { return codeplug().contacts().count(); }

QVariant ContactTableModel::recordCell(int row, int column) const
{
    const Contact* contact = codeplug().contactAt(row);
    if (!contact)
        return {};
    switch (column) {
    case 0: return row + 1;
    case 1: return QString::number(contact->dmrId());
    case 2: return fromUtf8(contact->name());
    case 3: return fromUtf8(contact->callTypeText());
    case 4: return fromUtf8(contact->alertToneText());
    default: return {};
    }
}

ChannelTableModel::ChannelTableModel(const Codeplug& codeplug, QObject* parent)
    : RecordTableModel(codeplug, ChannelHeadings, "No Channels", parent)
{
}

int ChannelTableModel::recordCount() const { return codeplug().channels().count(); }

QVariant ChannelTableModel::recordCell(int row, int column) const
{
    const Channel* channel = codeplug().channelAt(row);
    if (!channel)
        return {};
    const bool digital = channel->isDigital();
    switch (column) {
    case 0: return row + 1;
    case 1: return fromUtf8(channel->name());
    case 2: return frequency(channel->rxFrequency());
    case 3: return digital ? QStringLiteral("DMR") : QStringLiteral("FM");
    case 4: return channel->bandwidth() == Bandwidth::Wide25k ? QStringLiteral("25.0") : QStringLiteral("12.5");
    case 5: return frequency(channel->txFrequency());
    case 6: return fromUtf8(channel->admitText());
    case 7: return fromUtf8(channel->powerText(codeplug().radioModelName()));
    case 8: return digital ? QVariant(channel->timeSlot()) : QVariant(QStringLiteral(" - "));
    case 9: return digital ? QVariant(channel->colorCode()) : QVariant(QStringLiteral(" - "));
    case 10: {
        if (!digital)
            return toneOrDash(channel->ctcssEncode());
        const Contact* contact = codeplug().contactAt(channel->txContact() - 1);
        return contact && channel->txContact() > 0 ? fromUtf8(contact->name()) : QStringLiteral("NONE");
    }
    case 11: {
        if (!digital)
            return toneOrDash(channel->ctcssDecode());
        if (channel->rxGroupList() == 0)
            return QStringLiteral(" - ");
        const RxGroupList* list = codeplug().rxGroupListAt(channel->rxGroupList() - 1);
        return list ? fromUtf8(list->name()) : QStringLiteral("MissingGrpList");
    }
    default: return {};
    }
}

} // namespace pw::ui
