// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tyt_fixture.h"
#include "codeplug/record_factory.h"

#include <algorithm>
#include <array>
#include <span>
#include <stdexcept>

namespace pw::test {
namespace {

bool isLarge(FormatId formatId) { return formatId == Md2017Format || formatId == Md9600Format; }

void requireTyt(FormatId formatId)
{
    if (formatId != Md380Format && !isLarge(formatId))
        throw std::invalid_argument("not a TYT format");
}

std::size_t at(std::size_t base, std::size_t size, int index)
{
    if (index < 0)
        throw std::out_of_range("negative record index");
    return base + size * static_cast<std::size_t>(index);
}

template <typename Record>
void put(std::vector<std::uint8_t>& image, std::size_t offset, const Record& record)
{
    if (offset + record.size() > image.size())
        throw std::out_of_range("record beyond the image");
    std::copy(record.begin(), record.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
}

void fill(std::vector<std::uint8_t>& image, std::size_t offset, std::size_t size, std::uint8_t value)
{
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(offset), size, value);
}

constexpr std::array<std::uint8_t, 10> VendorScanListHeader = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                               0xFF, 0xF1, 0x14, 0x08, 0xFF};

} // namespace

std::size_t tytContactOffset(FormatId formatId, int index)
{
    requireTyt(formatId);
    return at(isLarge(formatId) ? 0x70235 : 0x61A5, 36, index);
}

std::size_t tytChannelOffset(FormatId formatId, int index)
{
    requireTyt(formatId);
    return at(isLarge(formatId) ? 0x40235 : 0x1F025, 64, index);
}

std::size_t tytZoneOffset(int index) { return at(0x14C05, 64, index); }
std::size_t tytZoneExtensionOffset(int index) { return at(0x31225, 224, index); }
std::size_t tytScanListOffset(int index) { return at(0x18A85, 104, index); }
std::size_t tytRxGroupOffset(int index) { return at(0xEE45, 96, index); }
std::size_t tytEmergencyOffset(int index) { return at(0x5CA5, 40, index); }

int tytContactSlots(FormatId formatId) { return isLarge(formatId) ? 10000 : 1000; }
int tytChannelSlots(FormatId formatId) { return isLarge(formatId) ? 3000 : 1000; }

void blankTytTables(std::vector<std::uint8_t>& image, FormatId formatId)
{
    requireTyt(formatId);
    for (int i = 0; i < TytEmergencySlots; ++i) {
        const auto offset = tytEmergencyOffset(i);
        fill(image, offset, 32, 0);
        fill(image, offset + 32, 8, 0xFF);
    }
    for (int i = 0; i < tytContactSlots(formatId); ++i) {
        const auto offset = tytContactOffset(formatId, i);
        fill(image, offset, 4, 0xFF);
        fill(image, offset + 4, 32, 0);
    }
    for (int i = 0; i < tytChannelSlots(formatId); ++i) {
        const auto offset = tytChannelOffset(formatId, i);
        fill(image, offset, 32, 0xFF);
        fill(image, offset + 32, 32, 0);
    }
    fill(image, tytRxGroupOffset(0), 96 * TytListSlots, 0);
    fill(image, tytZoneOffset(0), 64 * TytListSlots, 0);
    for (int i = 0; i < TytListSlots; ++i) {
        const auto offset = tytScanListOffset(i);
        fill(image, offset, 104, 0);
        put(image, offset + 32, VendorScanListHeader);
    }
    if (isLarge(formatId))
        fill(image, tytZoneExtensionOffset(0), 224 * TytListSlots, 0);
}

void placeTytContact(std::vector<std::uint8_t>& image, FormatId formatId, int index, const Contact& contact)
{
    put(image, tytContactOffset(formatId, index), contact.familyRecord());
}

void placeTytChannel(std::vector<std::uint8_t>& image, FormatId formatId, int index, const Channel& channel)
{
    put(image, tytChannelOffset(formatId, index), channel.familyRecord());
}

void placeTytZone(std::vector<std::uint8_t>& image, FormatId formatId, int index, const Zone& zone)
{
    requireTyt(formatId);
    // The zone's family record is its 64-byte record, followed by the 224-byte extension record
    // in the formats whose zones have two banks.
    const std::span<const std::uint8_t> record(zone.familyRecord());
    put(image, tytZoneOffset(index), record.first(64));
    if (isLarge(formatId) && record.size() > 64)
        put(image, tytZoneExtensionOffset(index), record.subspan(64));
}

void placeTytScanList(std::vector<std::uint8_t>& image, int index, const ScanList& list)
{
    put(image, tytScanListOffset(index), list.familyRecord());
}

void placeTytRxGroupList(std::vector<std::uint8_t>& image, int index, const RxGroupList& list)
{
    put(image, tytRxGroupOffset(index), list.familyRecord());
}

void placeTytEmergencySystem(std::vector<std::uint8_t>& image, int index, std::string_view name)
{
    const auto offset = tytEmergencyOffset(index);
    putUtf16(image, offset, name, 16);
    // What the vendor software stores after the name of its default system.
    const std::array<std::uint8_t, 8> rest = {0x4D, 0x0F, 0x05, 0x0A, 0x00, 0x00, 0xFF, 0xFF};
    put(image, offset + 32, rest);
}

Contact tytContact(FormatId formatId, std::uint32_t dmrId, std::string_view name, CallType type, bool alertTone)
{
    Contact contact = newContact(formatId);
    contact.setCallType(type);
    if (type != CallType::AllCall)
        contact.setDmrId(dmrId);
    contact.setName(name);
    contact.setAlertTone(alertTone);
    return contact;
}

Channel tytDigitalChannel(FormatId formatId, std::string_view name, double rxMhz, int txContact, int rxGroupList,
                          int scanList, double txMhz)
{
    Channel channel = newChannel(formatId, rxMhz);
    channel.setName(name);
    channel.setMode(ChannelMode::Dmr);
    channel.setBandwidth(Bandwidth::Narrow12k5);
    channel.setColorCode(1);
    channel.setTimeSlot(1);
    channel.setTxFrequency(txMhz != 0 ? txMhz : rxMhz);
    channel.setTxContact(txContact);
    channel.setRxGroupList(rxGroupList);
    channel.setScanList(scanList);
    return channel;
}

Channel tytAnalogChannel(FormatId formatId, std::string_view name, double rxMhz, double txMhz)
{
    Channel channel = newChannel(formatId, rxMhz);
    channel.setName(name);
    channel.setTxFrequency(txMhz != 0 ? txMhz : rxMhz);
    return channel;
}

Zone tytZone(FormatId formatId, std::string_view name, const std::vector<int>& bankA, const std::vector<int>& bankB)
{
    Zone zone = newZone(formatId);
    zone.setName(name);
    for (std::size_t i = 0; i < bankA.size(); ++i)
        zone.setMember(static_cast<int>(i), bankA[i]);
    if (!bankB.empty()) {
        if (zone.bankCount() < 2)
            throw std::invalid_argument("this format's zones have one bank");
        zone.selectBank(2);
        for (std::size_t i = 0; i < bankB.size(); ++i)
            zone.setMember(static_cast<int>(i), bankB[i]);
        zone.selectBank(1);
    }
    return zone;
}

ScanList tytScanList(FormatId formatId, std::string_view name, const std::vector<int>& members)
{
    ScanList list = newScanList(formatId);
    list.setName(name);
    for (std::size_t i = 0; i < members.size(); ++i)
        list.setMember(static_cast<int>(i), members[i]);
    return list;
}

RxGroupList tytRxGroupList(FormatId formatId, std::string_view name, const std::vector<int>& members)
{
    RxGroupList list = newRxGroupList(formatId);
    list.setName(name);
    auto& record = list.familyRecord();
    for (std::size_t i = 0; i < members.size() && i < 32; ++i) {
        record[32 + 2 * i] = static_cast<std::uint8_t>(members[i]);
        record[33 + 2 * i] = static_cast<std::uint8_t>(members[i] >> 8);
    }
    list.loadMemberCount();
    return list;
}

TytFixture::TytFixture(FormatId formatId, const FixtureOptions& options)
    : formatId_(formatId), bytes_(buildFixture(formatId, options))
{
    requireTyt(formatId);
}

int TytFixture::addContact(const Contact& contact)
{
    placeTytContact(bytes_, formatId_, contacts_, contact);
    return ++contacts_;
}

int TytFixture::addContact(std::uint32_t dmrId, std::string_view name, CallType type)
{
    return addContact(tytContact(formatId_, dmrId, name, type));
}

int TytFixture::addChannel(const Channel& channel)
{
    placeTytChannel(bytes_, formatId_, channels_, channel);
    return ++channels_;
}

int TytFixture::addZone(const Zone& zone)
{
    placeTytZone(bytes_, formatId_, zones_, zone);
    return ++zones_;
}

int TytFixture::addZone(std::string_view name, const std::vector<int>& bankA, const std::vector<int>& bankB)
{
    return addZone(tytZone(formatId_, name, bankA, bankB));
}

int TytFixture::addScanList(const ScanList& list)
{
    placeTytScanList(bytes_, scanLists_, list);
    return ++scanLists_;
}

int TytFixture::addScanList(std::string_view name, const std::vector<int>& members)
{
    return addScanList(tytScanList(formatId_, name, members));
}

int TytFixture::addRxGroupList(const RxGroupList& list)
{
    placeTytRxGroupList(bytes_, rxGroupLists_, list);
    return ++rxGroupLists_;
}

int TytFixture::addRxGroupList(std::string_view name, const std::vector<int>& members)
{
    return addRxGroupList(tytRxGroupList(formatId_, name, members));
}

int TytFixture::addEmergencySystem(std::string_view name)
{
    placeTytEmergencySystem(bytes_, emergencySystems_, name);
    return ++emergencySystems_;
}

std::vector<std::uint8_t> radioImageOf(const std::vector<std::uint8_t>& vendorFile)
{
    constexpr std::ptrdiff_t memory = 0x225;
    constexpr std::ptrdiff_t firstPart = 0x40000;
    constexpr std::ptrdiff_t secondPart = 0x90000;
    std::vector<std::uint8_t> image(vendorFile.begin() + memory, vendorFile.begin() + memory + firstPart);
    if (vendorFile.size() > 262709) {
        const auto second = vendorFile.begin() + memory + firstPart + 16;
        image.insert(image.end(), second, second + secondPart);
    }
    return image;
}

std::filesystem::path TytFixture::write(const std::filesystem::path& path) const
{
    writeBytes(path, bytes_);
    return path;
}

} // namespace pw::test
