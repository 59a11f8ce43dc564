#pragma once
// The codeplug document: one codeplug file held in memory together with the model decoded from it.
//
// `open` recognises the file's format and reads its bytes; `decode` fills the six record lists
// from the image; every edit changes the lists and runs `encode` at once so that the image mirrors
// the model; `save` writes the image (the D868 family builds its file from the model) to disk.
// Bytes of the image that no model field covers are never touched, and bytes of the file beyond
// the part its format reads are written back as they were.

#include "codeplug/d868_data.h"
#include "model/error_log.h"
#include "codeplug/rdb_layout.h"
#include "model/channel.h"
#include "model/contact.h"
#include "model/emergency_system.h"
#include "model/format_id.h"
#include "model/record_list.h"
#include "model/rx_group_list.h"
#include "model/scan_list.h"
#include "model/zone.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pw {

class Prompts;

// Functions the window may offer for a format.
namespace feature {
inline constexpr std::uint32_t ContactsTab = 0x01;
inline constexpr std::uint32_t ChannelsTab = 0x02;
inline constexpr std::uint32_t ChannelOperations = 0x04;
inline constexpr std::uint32_t ZonesTab = 0x08;
inline constexpr std::uint32_t ScanListsTab = 0x10;
inline constexpr std::uint32_t RxGroupsTab = 0x20;
inline constexpr std::uint32_t VendorChange = 0x80;
inline constexpr std::uint32_t StructuralImportTab = 0x100;
} // namespace feature

inline constexpr int MaxZones = 250;
inline constexpr int MaxScanLists = 250;
inline constexpr int MaxRxGroupLists = 250;

// Results of the table operations.
inline constexpr int Added = 1;
inline constexpr int DuplicateRefused = -1;
inline constexpr int NotLoadedRefused = -2;
inline constexpr int TableFullRefused = -4;

int contactCapacity(FormatId formatId);
int channelCapacity(FormatId formatId);
// Scan lists a codeplug of the format can hold: 234 in the RDB family, whose scan-list count word
// lies right after the 234th record, otherwise MaxScanLists.
int scanListCapacity(FormatId formatId);

class Codeplug {
public:
    // The DfuSe image element of a TYT file begins at this file offset.
    static constexpr std::size_t DfuSeDataOffset = 0x125;
    static constexpr std::size_t Md380ImageSize = 262709;
    static constexpr std::size_t Md2017ImageSize = 852534;

    Codeplug();
    ~Codeplug();
    Codeplug(const Codeplug&) = delete;
    Codeplug& operator=(const Codeplug&) = delete;

    // ---- File (codeplug.cpp, codeplug_save.cpp) ----

    // Recognises and reads the file: the FormatId on success, 0 on failure.
    FormatId open(const std::filesystem::path& path);
    // Runs the family's decoder: 1 on success, 0 when nothing is loaded or the decoder failed.
    int decode();
    // Writes the model into the image with the family's encoder.
    void encode();
    // Writes the codeplug to `path`, replacing the file only once the new content is whole:
    // 1 on success, 0 on failure (the old file is then unchanged).
    int save(const std::filesystem::path& path);

    bool loaded() const { return loaded_; }
    bool changed() const { return changed_; }
    void markChanged() { changed_ = true; }
    FormatId formatId() const { return formatId_; }
    FormatFamily family() const { return familyOf(formatId_); }
    std::uint32_t featureFlags() const { return featureFlags_; }
    bool hasFeature(std::uint32_t flag) const { return (featureFlags_ & flag) != 0; }

    const std::string& errorLogText() const { return errorLog_.text(); }
    int errorCount() const { return errorLog_.count(); }
    ErrorLog& errorLog() { return errorLog_; }

    // Where message boxes of the model (an out-of-range remap) are shown; silent by default.
    Prompts& prompts() const;
    void setPrompts(Prompts* prompts) { prompts_ = prompts; }

    // ---- Lists ----

    RecordList<Contact>& contacts() { return contacts_; }
    RecordList<Channel>& channels() { return channels_; }
    RecordList<Zone>& zones() { return zones_; }
    RecordList<ScanList>& scanLists() { return scanLists_; }
    RecordList<RxGroupList>& rxGroupLists() { return rxGroupLists_; }
    RecordList<EmergencySystem>& emergencySystems() { return emergencySystems_; }
    const RecordList<Contact>& contacts() const { return contacts_; }
    const RecordList<Channel>& channels() const { return channels_; }
    const RecordList<Zone>& zones() const { return zones_; }
    const RecordList<ScanList>& scanLists() const { return scanLists_; }
    const RecordList<RxGroupList>& rxGroupLists() const { return rxGroupLists_; }
    const RecordList<EmergencySystem>& emergencySystems() const { return emergencySystems_; }

    Contact* contactAt(int index) const { return contacts_.at(index); }
    Channel* channelAt(int index) const { return channels_.at(index); }
    // A negative or too large index gives the first zone (none when there are no zones).
    Zone* zoneAt(int index) const;
    ScanList* scanListAt(int index) const { return scanLists_.at(index); }
    RxGroupList* rxGroupListAt(int index) const { return rxGroupLists_.at(index); }
    EmergencySystem* emergencySystemAt(int index) const { return emergencySystems_.at(index); }

    // ---- Image ----

    std::vector<std::uint8_t>& tytImage() { return tytImage_; }
    const std::vector<std::uint8_t>& tytImage() const { return tytImage_; }
    std::vector<std::uint8_t>& rdbImage() { return rdbImage_; }
    const std::vector<std::uint8_t>& rdbImage() const { return rdbImage_; }
    const RdbLayout& rdbLayout() const { return rdbLayout_; }
    // Number of bytes of the RDB image to write back; the RDB encoder may raise it.
    std::size_t imageLength() const { return imageLength_; }
    void setImageLength(std::size_t length) { imageLength_ = length; }
    D868Data& d868Data() { return d868_; }
    const D868Data& d868Data() const { return d868_; }

    // The file offset of record i of each table in the image of the codeplug's family, or nothing.
    std::optional<std::size_t> contactRecordAt(int index) const;
    std::optional<std::size_t> channelRecordAt(int index) const;
    std::optional<std::size_t> zoneRecordAt(int index) const;
    std::optional<std::size_t> scanListRecordAt(int index) const;
    std::optional<std::size_t> rxGroupRecordAt(int index) const;
    std::optional<std::size_t> emergencyRecordAt(int index) const;

    // ---- Radio identity (codeplug_identity.cpp) ----

    std::string radioTypeText() const;
    // The model text at 0x125 of a 0x1002/0x1003 image ("2017", "MD9600", "MD-UV380", "MD-UV390").
    std::string modelText() const;
    int vendorIndex() const;
    std::string vendorName(int entry) const;
    void setVendor(int entry);
    std::optional<std::string> radioName() const;
    void setRadioName(std::string_view name);
    std::uint32_t radioDmrId() const;
    void setRadioDmrId(std::uint32_t id);

    // ---- Contact table (contact_table.cpp) ----

    // 1 on success, -1 when the ID is present (unless allowed), -2 not loaded, -4 table full.
    int addContact(const Contact& source, bool allowDuplicateId = false);
    void deleteContact(int index);
    void sortContacts(int column);
    int findContactByName(std::string_view name) const;
    std::string contactNameForId(std::uint32_t dmrId) const;
    bool hasContactRoom() const;
    bool isDuplicateDmrId(const Contact& contact, int index) const;
    bool isContactUsed(int index) const;
    void refreshContactNames();

    // ---- Channel table (channel_table.cpp) ----

    // 1 on success, -1 same name present, -2 wrong format or not loaded, -4 table full.
    int addChannel(const Channel& channel);
    void deleteChannel(int index);
    void sortChannels(int column);
    int findChannelByName(std::string_view name) const;
    // RDB: the image slots of the channels in table order.
    std::vector<std::uint16_t> slotOrderTable() const;
    // The radio model name that chooses the RDB power texts (Channel::powerText): the model text
    // of an RDB image, empty for the other families.
    std::string radioModelName() const;

    // ---- Zones, scan lists, RX group lists (list_table.cpp) ----

    int addZone(const Zone& zone);
    void deleteZone(int index);
    int addScanList(const ScanList& list);
    void deleteScanList(int index);
    int newRxGroupList(std::string_view name);
    int addRxGroupList(const RxGroupList& list);
    void deleteRxGroupList(int index);

private:
    friend class CodeplugReader;

    void clearLists();
    // Reference upkeep after a contact or channel was deleted or a table sorted.
    void repairReferencesAfterContactDelete(int position);
    void repairReferencesAfterContactSort(const class IndexRemap& remap);

    FormatId formatId_ = NoFormat;
    std::uint32_t featureFlags_ = 0;
    bool loaded_ = false;
    bool changed_ = false;
    ErrorLog errorLog_;
    Prompts* prompts_ = nullptr;

    std::vector<std::uint8_t> tytImage_;
    std::vector<std::uint8_t> rdbImage_;
    RdbLayout rdbLayout_;
    std::size_t imageLength_ = 0;
    D868Data d868_;

    // The file as read: its length and the bytes beyond the part its format reads, kept so that
    // a save neither drops nor adds bytes of the user's file.
    std::uintmax_t fileLength_ = 0;
    std::size_t bytesRead_ = 0;
    std::vector<std::uint8_t> fileTail_;

    RecordList<Contact> contacts_;
    RecordList<Channel> channels_;
    RecordList<Zone> zones_;
    RecordList<ScanList> scanLists_;
    RecordList<RxGroupList> rxGroupLists_;
    RecordList<EmergencySystem> emergencySystems_;
};

} // namespace pw
