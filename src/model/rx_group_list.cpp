#include "model/rx_group_list.h"

#include "model/byte_field.h"
#include "model/contact.h"
#include "model/index_remap.h"

#include <algorithm>

namespace pw {
namespace {

constexpr std::size_t NameUnits = 16;
constexpr std::size_t D868NameCharacters = 20;
constexpr std::size_t D868NameField = 21;

constexpr std::size_t TytMembers = 32;
constexpr int TytSlots = 32;
constexpr int TytCountedSlots = 31;  // the decoder counts members among the first 31 words

constexpr std::size_t RdbCount = 0;
constexpr std::size_t RdbName = 4;
constexpr std::size_t RdbMembers = 36;
constexpr int RdbSlots = 32;

constexpr std::size_t D868RecordNumber = 0;
constexpr std::size_t D868InUse = 2;
constexpr std::size_t D868Name = 4;
constexpr std::size_t D868Count = 39;
constexpr std::size_t D868Members = 41;
constexpr int D868Slots = static_cast<int>((RxGroupList::D868BlockSize - D868Members) / 4);

std::size_t entry(std::size_t base, std::size_t width, int i) { return base + width * static_cast<std::size_t>(i); }

} // namespace

int rxGroupMemberLimit(FormatId formatId)
{
    return familyOf(formatId) == FormatFamily::D868Family ? 30 : 31;
}

RxGroupList::RxGroupList(FormatId formatId) : formatId_(formatId)
{
    setU16Le(d868_, D868RecordNumber, 1);
    setU16Le(d868_, D868InUse, 1);
}

std::string RxGroupList::name() const
{
    switch (family()) {
    case FormatFamily::D868Family: return getCString(d868_, D868Name, D868NameCharacters);
    case FormatFamily::RdbFamily:
        return formatId_ == RdbV2Format ? getUtf16Name(rdbV2_, RdbName, NameUnits) : getUtf16Name(rdb_, RdbName, NameUnits);
    default: return getUtf16Name(tyt_, 0, NameUnits);
    }
}

void RxGroupList::setName(std::string_view name)
{
    setCString(d868_, D868Name, D868NameField, name, D868NameCharacters);
    setUtf16Name(tyt_, 0, NameUnits, name);
    setUtf16Name(rdb_, RdbName, NameUnits, name);
    setUtf16Name(rdbV2_, RdbName, NameUnits, name);
}

int RxGroupList::slotCount() const
{
    switch (family()) {
    case FormatFamily::D868Family: return D868Slots;
    case FormatFamily::RdbFamily: return RdbSlots;
    default: return TytSlots;
    }
}

int RxGroupList::member(int i) const
{
    if (i < 0 || i >= count_)
        return 0;
    switch (family()) {
    case FormatFamily::D868Family: return static_cast<int>(getU32Le(d868_, entry(D868Members, 4, i))) + 1;
    case FormatFamily::RdbFamily:
        if (formatId_ == RdbV2Format)
            return static_cast<int>(getU32Le(rdbV2_, entry(RdbMembers, 4, i)));
        return getU16Le(rdb_, entry(RdbMembers, 2, i));
    default: return getU16Le(tyt_, entry(TytMembers, 2, i));
    }
}

void RxGroupList::setMember(int i, int value)
{
    if (i < 0 || i >= slotCount())
        return;
    const auto word = static_cast<std::uint32_t>(std::clamp(value, 0, 0xFFFF));
    const auto wide = static_cast<std::uint32_t>(std::max(value, 0));
    // Writes beyond a record's own entries are dropped by the byte helpers.
    setU16Le(tyt_, entry(TytMembers, 2, i), word);
    setU16Le(rdb_, entry(RdbMembers, 2, i), word);
    setU32Le(rdbV2_, entry(RdbMembers, 4, i), wide);
    setU32Le(d868_, entry(D868Members, 4, i), wide > 0 ? wide - 1 : 0);
}

bool RxGroupList::hasMember(int value) const
{
    for (int i = 0; i < count_; ++i)
        if (member(i) == value)
            return true;
    return false;
}

void RxGroupList::setMemberCount(int count)
{
    count_ = std::clamp(count, 0, slotCount());
    setU32Le(rdb_, RdbCount, static_cast<std::uint32_t>(count_));
    setU32Le(rdbV2_, RdbCount, static_cast<std::uint32_t>(count_));
    setU16Le(d868_, D868Count, static_cast<std::uint32_t>(count_));
}

void RxGroupList::loadMemberCount()
{
    switch (family()) {
    case FormatFamily::D868Family:
        count_ = std::min<int>(getU16Le(d868_, D868Count), D868Slots);
        break;
    case FormatFamily::RdbFamily: {
        const auto stored = getU32Le(formatId_ == RdbV2Format ? ConstBytes(rdbV2_) : ConstBytes(rdb_), RdbCount);
        count_ = static_cast<int>(std::min<std::uint32_t>(stored, RdbSlots));
        break;
    }
    default:
        count_ = 0;
        while (count_ < TytCountedSlots && getU16Le(tyt_, entry(TytMembers, 2, count_)) != 0)
            ++count_;
        break;
    }
}

int RxGroupList::addMember(int contactIndex, const RecordList<Contact>& contacts)
{
    if (!contacts.at(contactIndex) || count_ >= memberLimit() || hasMember(contactIndex + 1))
        return 0;
    setMember(count_, contactIndex + 1);
    setMemberCount(count_ + 1);
    return 1;
}

bool RxGroupList::removeMember(int i)
{
    if (i < 0 || i >= count_)
        return false;
    for (int j = i; j + 1 < count_; ++j)
        setMember(j, member(j + 1));
    setMember(count_ - 1, 0);
    setMemberCount(count_ - 1);
    return true;
}

void RxGroupList::forgetContact(int position)
{
    if (position <= 0)
        return;
    for (int i = 0; i < count_; ++i) {
        if (member(i) == position) {
            removeMember(i);
            break;
        }
    }
    for (int i = 0; i < count_; ++i)
        if (member(i) > position)
            setMember(i, member(i) - 1);
}

void RxGroupList::remapMembers(const IndexRemap& remap)
{
    for (int i = 0; i < count_; ++i)
        if (member(i) > 0)
            setMember(i, remap.lookup(member(i)));
}

int RxGroupList::d868RecordNumber() const { return getU16Le(d868_, D868RecordNumber); }
void RxGroupList::setD868RecordNumber(int number) { setU16Le(d868_, D868RecordNumber, static_cast<std::uint32_t>(number)); }

} // namespace pw
