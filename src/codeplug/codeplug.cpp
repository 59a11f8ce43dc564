// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/codeplug.h"

#include "codeplug/probe_chain.h"
#include "model/index_remap.h"
#include "platform/file_io.h"

#include <utility>

namespace pw {

Codeplug::Codeplug() = default;
Codeplug::~Codeplug() = default;

FormatId Codeplug::open(const std::filesystem::path& path)
{
    lastFormat_ = formatId();
    codec_.reset();
    filePath_.clear();
    fileFingerprint_.reset();
    auto content = readFileBytes(path, ProbeReadLimit);
    readProblem_ = content.error;
    if (!content)
        return NoFormat;
    const auto fingerprint = content.fingerprint;
    codec_ = recognise(std::move(content));
    if (codec_) {
        filePath_ = path;
        fileFingerprint_ = fingerprint;
    }
    return codec_ ? codec_->formatId() : NoFormat;
}

FormatId Codeplug::openBytes(std::vector<std::uint8_t> bytes)
{
    lastFormat_ = formatId();
    readProblem_.clear();
    FileContent content;
    content.fileSize = bytes.size();
    content.bytes = std::move(bytes);
    codec_ = recognise(std::move(content));
    return codec_ ? codec_->formatId() : NoFormat;
}

void Codeplug::swap(Codeplug& other) noexcept
{
    using std::swap;
    swap(codec_, other.codec_);
    swap(lastFormat_, other.lastFormat_);
    swap(filePath_, other.filePath_);
    swap(fileFingerprint_, other.fileFingerprint_);
    swap(readProblem_, other.readProblem_);
    swap(saveProblem_, other.saveProblem_);
    swap(saveFailureReason_, other.saveFailureReason_);
    swap(changed_, other.changed_);
    swap(editCount_, other.editCount_);
    swap(errorLog_, other.errorLog_);
    swap(messages_, other.messages_);
    swap(editDepth_, other.editDepth_);
    swap(editChanged_, other.editChanged_);
    swap(contacts_, other.contacts_);
    swap(channels_, other.channels_);
    swap(zones_, other.zones_);
    swap(scanLists_, other.scanLists_);
    swap(rxGroupLists_, other.rxGroupLists_);
    swap(emergencySystems_, other.emergencySystems_);
}

void Codeplug::clearLists()
{
    contacts_.deleteAll();
    channels_.deleteAll();
    zones_.deleteAll();
    scanLists_.deleteAll();
    rxGroupLists_.deleteAll();
    emergencySystems_.deleteAll();
}

bool Codeplug::decode()
{
    if (!loaded())
        return false;
    clearLists();
    errorLog_.clear();
    messages_.clear();
    const bool result = codec_->decode(*this);
    if (!result)
        clearLists();
    changed_ = false;
    return result;
}

void Codeplug::encode()
{
    if (loaded())
        codec_->encode(*this);
}

namespace {

// Whether two paths name one file. The names are compared first, as written and then with links
// resolved: comparing the files stats one name and then the other, and another program's save
// that renamed its new file into place between the two would make one file seem two, and a save
// over a file changed meanwhile go unchecked. Other names (hard links) are compared as files.
bool namesTheSameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    if (a == b)
        return true;
    std::error_code error;
    const auto resolvedA = std::filesystem::weakly_canonical(a, error);
    if (!error && resolvedA == std::filesystem::weakly_canonical(b, error) && !error)
        return true;
    return std::filesystem::equivalent(a, b, error);
}

} // namespace

bool Codeplug::save(const std::filesystem::path& path, SaveConsent consent)
{
    saveProblem_.clear();
    saveFailureReason_.clear();
    if (!loaded()) {
        saveFailureReason_ = "no codeplug is loaded";
        return false;
    }
    encode();
    WriteGuard guard;
    guard.overwriteReadOnly = consent.readOnlyFile;
    if (!consent.changedFile && fileFingerprint_ && !filePath_.empty() && namesTheSameFile(path, filePath_))
        guard.unchangedSince = fileFingerprint_;
    const auto result = writeFileAtomically(
        path, [this](ByteSink& sink, std::string& why) { return codec_->writeFile(*this, sink, why); }, guard);
    if (!result) {
        saveProblem_ = result.error;
        saveFailureReason_ = result.reason;
        return false;
    }
    codec_->saved();
    changed_ = false;
    filePath_ = path;
    fileFingerprint_ = result.written;
    return true;
}

namespace {

class MemorySink final : public ByteSink {
public:
    bool write(std::span<const std::uint8_t> bytes) override
    {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        return true;
    }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace

std::optional<std::vector<std::uint8_t>> Codeplug::fileBytes()
{
    if (!loaded())
        return std::nullopt;
    encode();
    MemorySink sink;
    std::string why;
    if (!codec_->writeFile(*this, sink, why))
        return std::nullopt;
    return sink.take();
}

void Codeplug::endEdit()
{
    if (--editDepth_ > 0 || !editChanged_)
        return;
    editChanged_ = false;
    encode();
}

Zone* Codeplug::zoneAt(int index) const
{
    if (index < 0 || index >= zones_.count())
        return zones_.at(0);
    return zones_.at(index);
}

int Codeplug::memberNumberOf(int channelIndex) const
{
    if (!loaded() || !channels_.at(channelIndex))
        return 0;
    return codec_->memberNumberOf(*this, channelIndex);
}

int Codeplug::channelIndexOfMember(int number) const
{
    if (!loaded() || number <= 0)
        return -1;
    return codec_->channelIndexOfMember(*this, number);
}

// ---- Radio identity ----

std::string Codeplug::radioTypeText() const
{
    return loaded() ? codec_->radioTypeText() : "Invalid Image";
}

std::optional<std::string> Codeplug::radioName() const
{
    if (!loaded())
        return std::nullopt;
    return codec_->radioName();
}

// The identity setters mark the document changed only when the value reads otherwise afterwards:
// a command that sets what is there changed nothing, and nothing is saved for it.
void Codeplug::setRadioName(std::string_view name)
{
    if (!loaded())
        return;
    const auto before = codec_->radioName();
    codec_->setRadioName(name);
    if (codec_->radioName() != before)
        markChanged();
}

std::uint32_t Codeplug::radioDmrId() const
{
    return loaded() ? codec_->radioDmrId() : 0;
}

void Codeplug::setRadioDmrId(std::uint32_t id)
{
    if (!loaded())
        return;
    const auto before = codec_->radioDmrId();
    codec_->setRadioDmrId(id & MaxDmrId);
    if (codec_->radioDmrId() != before)
        markChanged();
}

std::string Codeplug::vendorName(int entry) const
{
    if (!loaded())
        return changeableVendorName(entry);
    return codec_->vendorName(entry == 0 ? vendorIndex() : entry);
}

void Codeplug::setVendor(int entry)
{
    if (!loaded() || !hasFeature(feature::VendorChange) || entry < 1 || entry > 5)
        return;
    const auto before = codec_->vendorIndex();
    codec_->setVendor(entry);
    if (codec_->vendorIndex() != before)
        markChanged();
}

std::vector<FrequencyLimits> FormatCodec::radioBands() const { return {{136.0, 174.0}, {400.0, 480.0}}; }

// ---- Channel references of the usual kind: 1-based table positions ----

int FormatCodec::memberNumberOf(const Codeplug& /*codeplug*/, int channelIndex) const
{
    return channelIndex + 1;
}

int FormatCodec::channelIndexOfMember(const Codeplug& /*codeplug*/, int number) const
{
    return number > 0 ? number - 1 : -1;
}

void FormatCodec::channelLeaving(Codeplug& codeplug, int index)
{
    const int position = index + 1;
    for (const auto& zone : codeplug.zones()) {
        zone->removeMembersEqualTo(position);
        zone->lowerMembersAbove(position);
    }
    for (const auto& list : codeplug.scanLists()) {
        list->removeFirstMemberEqualTo(position);
        list->lowerMembersAbove(position);
    }
}

void FormatCodec::channelsSorted(Codeplug& codeplug, const IndexRemap& remap)
{
    const auto newPosition = [&remap](int old) { return remap.lookup(old); };
    for (const auto& zone : codeplug.zones())
        zone->remapMembers(newPosition);
    for (const auto& list : codeplug.scanLists())
        list->remapMembers(newPosition);
}

} // namespace pw
