// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The codeplug document: the model decoded from one codeplug file, and the format that file has.
//
// `open` reads the file once and runs the probe chain, whose first matching format takes the
// bytes; `decode` fills the six record lists from them; every edit changes the lists inside an
// EditScope, which marks the document changed and has the format write the model back into its
// image once the edit is done; `save` writes the file. Bytes that no model field covers are never
// touched, and bytes of the file beyond the part its format reads are written back as they were.
//
// The table operations say whether they added the record, and why not; they keep every reference
// between records right when records are deleted or sorted.

#include "codeplug/format_codec.h"
#include "codeplug/probe_chain.h"
#include "model/channel.h"
#include "model/contact.h"
#include "model/emergency_system.h"
#include "model/error_log.h"
#include "model/record_list.h"
#include "model/rx_group_list.h"
#include "model/scan_list.h"
#include "model/zone.h"
#include "platform/file_fingerprint.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace pw {

class WorkProgress;

// What a save may write over when the user agreed to it.
struct SaveConsent {
    // A file without write permission for the user.
    bool readOnlyFile = false;
    // The file opened, changed on disk by another program since.
    bool changedFile = false;
};

inline constexpr int MaxZones = 250;
inline constexpr int MaxScanLists = 250;
inline constexpr int MaxRxGroupLists = 250;

// What adding a contact or a channel did.
enum class AddResult {
    Added,
    // A contact of that DMR ID, or a channel of that name, is present.
    DuplicateRefused,
    // No file is loaded, or the record is of another format.
    NotLoadedRefused,
    TableFullRefused,
};

int contactCapacity(FormatId formatId);
int channelCapacity(FormatId formatId);
// Scan lists a codeplug of the format can hold: 234 in the RDB family, whose scan-list count word
// lies right after the 234th record, otherwise MaxScanLists.
int scanListCapacity(FormatId formatId);

// The order of a sort by a list column: a second click on a heading sorts the other way.
enum class SortOrder : std::uint8_t { Ascending, Descending };

class Codeplug {
public:
    Codeplug();
    ~Codeplug();
    Codeplug(const Codeplug&) = delete;
    Codeplug& operator=(const Codeplug&) = delete;

    // ---- File ----

    // Recognises and reads the file: the FormatId on success, 0 on failure.
    FormatId open(const std::filesystem::path& path);
    // Why the last open could not read its file (the system's reason, or SaveProblem::NotRegularFile);
    // none when it was read, whether or not it was a codeplug.
    std::error_code readProblem() const { return readProblem_; }
    // The same for a file already in memory (a snapshot taken by fileBytes).
    FormatId openBytes(std::vector<std::uint8_t> bytes);
    // Makes this an empty codeplug of the format held in memory only, which cannot be saved
    // (ScratchCodec): the FormatId, or 0 for a FormatId no format has.
    FormatId startInMemory(FormatId formatId);
    // Runs the format's decoder; false when nothing is loaded or the decoder failed (the error log
    // and takeMessages() tell why).
    bool decode();
    // Writes the model into the image with the format's encoder.
    void encode();
    // Writes the codeplug to `path`, replacing the file only once the new content is whole: false
    // on failure (the old file is then unchanged; saveProblem() and saveFailureReason() tell why).
    // Without consent, a read-only file and the file opened, when another program changed it
    // since, are refused (SaveProblem::ReadOnly, ::ChangedOnDisk).
    bool save(const std::filesystem::path& path, SaveConsent consent = {});
    std::error_code saveProblem() const { return saveProblem_; }
    // Why the last save failed, in words: the system's reason or what the format cannot hold.
    const std::string& saveFailureReason() const { return saveFailureReason_; }
    // The bytes a save would write now, kept in memory; nothing when no file can be built.
    std::optional<std::vector<std::uint8_t>> fileBytes();
    // Trades everything, the format and the changed flag included, with `other`: a document decoded
    // aside takes the place of this one without the objects that refer to this one noticing.
    void swap(Codeplug& other) noexcept;
    // Takes over the file `other` was opened from or last saved to, and what was seen of it then.
    void keepFileOf(const Codeplug& other)
    {
        filePath_ = other.filePath_;
        fileFingerprint_ = other.fileFingerprint_;
    }

    bool loaded() const { return codec_ != nullptr; }
    bool changed() const { return changed_; }
    // How many changes were marked since this document was made: tells whether anything changed
    // between two moments.
    std::uint64_t editCount() const { return editCount_; }
    // Marks the document changed; inside an EditScope, the scope has the model encoded when it ends.
    void markChanged()
    {
        changed_ = true;
        ++editCount_;
        if (editDepth_ > 0)
            editChanged_ = true;
    }
    // A failed open keeps the format of the file held before, as the window's labels still name it.
    FormatId formatId() const { return codec_ ? codec_->formatId() : lastFormat_; }
    FormatFamily family() const { return familyOf(formatId()); }
    std::uint32_t featureFlags() const { return codec_ ? codec_->featureFlags() : 0; }
    bool hasFeature(std::uint32_t flag) const { return (featureFlags() & flag) != 0; }
    // The format of the loaded file; only valid while loaded().
    FormatCodec& codec() const { return *codec_; }

    const std::string& errorLogText() const { return errorLog_.text(); }
    int errorCount() const { return errorLog_.count(); }
    ErrorLog& errorLog() { return errorLog_; }
    // Messages the latest decode or edit has for the user, to be shown as error boxes by whoever
    // ran it; taking them empties the list.
    std::vector<std::string> takeMessages() { return std::exchange(messages_, {}); }
    void addMessage(std::string message) { messages_.push_back(std::move(message)); }

    // ---- Records of this codeplug's format ----

    // Records of the loaded format; an unloaded codeplug makes records of the last format it held,
    // which every add then refuses.
    const RecordFormats& recordFormats() const { return recordFormatsOf(formatId()); }
    Contact newContact() const { return Contact(*recordFormats().contact); }
    Channel newChannel(double frequencyMhz = 146.0) const { return Channel(*recordFormats().channel, frequencyMhz); }
    Zone newZone() const { return Zone(*recordFormats().zone); }
    ScanList newScanList() const { return ScanList(*recordFormats().scanList); }
    RxGroupList newRxGroupList() const { return RxGroupList(*recordFormats().rxGroupList); }

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

    // Zones and scan lists refer to channels by member number (FormatCodec::memberNumberOf):
    // 0 when the index names no channel.
    int memberNumberOf(int channelIndex) const;
    // The 0-based channel index member `number` names, -1 for none.
    int channelIndexOfMember(int number) const;

    // ---- Radio identity ----

    std::string radioTypeText() const;
    // The model text of a 0x1002/0x1003 image ("2017", "MD9600", "MD-UV380", "MD-UV390").
    std::string modelText() const { return loaded() ? codec_->modelText() : std::string(); }
    int vendorIndex() const { return loaded() ? codec_->vendorIndex() : 0; }
    // The name of vendor entry `entry` (1-4), entry 0 for the codeplug's own: the codec's names, or
    // before a file is opened those of the formats whose vendor can be changed.
    std::string vendorName(int entry) const;
    void setVendor(int entry);
    std::optional<std::string> radioName() const;
    void setRadioName(std::string_view name);
    std::uint32_t radioDmrId() const;
    void setRadioDmrId(std::uint32_t id);
    // The frequency bands the radio works in (FormatCodec::radioBands); none when nothing is loaded.
    std::vector<FrequencyLimits> radioBands() const
    {
        return loaded() ? codec_->radioBands() : std::vector<FrequencyLimits>{};
    }
    // The radio model name that chooses the power texts (Channel::powerText).
    std::string radioModelName() const { return loaded() ? codec_->radioModelName() : std::string(); }

    // ---- Contact table ----

    // A contact whose DMR ID is present is refused unless allowed.
    AddResult addContact(const Contact& source, bool allowDuplicateId = false);
    void deleteContact(int index);
    // Deletes the contacts at these 0-based indexes in one pass, keeping the references of channels
    // and RX group lists right as deleteContact does; stops short of the format's smallest table
    // by keeping the last of them. Returns the number deleted.
    int deleteContacts(std::vector<int> indexes);
    // Tells `progress`, when given, how far the sort has come; the work's end is the caller's to report.
    void sortContacts(int column, WorkProgress* progress = nullptr, SortOrder order = SortOrder::Ascending);
    int findContactByName(std::string_view name) const;
    std::string contactNameForId(std::uint32_t dmrId) const;
    bool hasContactRoom() const;
    // The duplicate-ID rule: whether a contact other than the one at `exceptIndex` has DMR ID `id`.
    bool hasContactWithId(std::uint32_t id, int exceptIndex = -1) const;
    // The same for the contact at `index`, where All Call contacts, which share their ID, never
    // count as duplicates.
    bool isDuplicateDmrId(const Contact& contact, int index) const;
    bool isContactUsed(int index) const;
    void refreshContactNames();

    // ---- Channel table ----

    // A channel whose name is present is refused.
    AddResult addChannel(const Channel& channel);
    void deleteChannel(int index);
    void sortChannels(int column, SortOrder order = SortOrder::Ascending);
    int findChannelByName(std::string_view name) const;

    // ---- Zones, scan lists, RX group lists ----

    // Each add is refused (false) when the table is full, nothing is loaded, or the record is of
    // another format.
    bool addZone(const Zone& zone);
    void deleteZone(int index);
    bool addScanList(const ScanList& list);
    void deleteScanList(int index);
    bool newRxGroupList(std::string_view name);
    bool addRxGroupList(const RxGroupList& list);
    void deleteRxGroupList(int index);

    // ---- Edits ----

    // Everything done while a scope lives is one edit: when the outermost scope ends after
    // something changed, the document is marked changed and the format writes the model into its
    // image, once.
    class EditScope {
    public:
        explicit EditScope(Codeplug& codeplug) : codeplug_(codeplug) { ++codeplug_.editDepth_; }
        ~EditScope() { codeplug_.endEdit(); }
        EditScope(const EditScope&) = delete;
        EditScope& operator=(const EditScope&) = delete;
        // Something changed in this edit.
        void changed() { codeplug_.markChanged(); }

    private:
        Codeplug& codeplug_;
    };

private:
    void endEdit();
    void clearLists();

    std::unique_ptr<FormatCodec> codec_;
    FormatId lastFormat_ = NoFormat;
    // The file as it was opened or last saved, to notice changes made on disk meanwhile.
    std::filesystem::path filePath_;
    std::optional<FileFingerprint> fileFingerprint_;
    std::error_code readProblem_;
    std::error_code saveProblem_;
    std::string saveFailureReason_;
    bool changed_ = false;
    std::uint64_t editCount_ = 0;
    ErrorLog errorLog_;
    std::vector<std::string> messages_;
    int editDepth_ = 0;
    bool editChanged_ = false;

    RecordList<Contact> contacts_;
    RecordList<Channel> channels_;
    RecordList<Zone> zones_;
    RecordList<ScanList> scanLists_;
    RecordList<RxGroupList> rxGroupLists_;
    RecordList<EmergencySystem> emergencySystems_;
};

} // namespace pw
