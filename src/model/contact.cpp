#include "model/contact.h"

#include "model/byte_field.h"
#include "model/field_readers.h"
#include "model/letter_case.h"
#include "model/line_fields.h"
#include "model/six_bit_text.h"

#include <cctype>

namespace pw {
namespace {

namespace tyt {
constexpr std::size_t Id = 0, Flags = 3, Name = 4;
constexpr unsigned AlertBit = 5;
} // namespace tyt

namespace rdb {
constexpr std::size_t Id = 0, Name = 3, Flags = 15;
constexpr unsigned AlertBit = 3;
} // namespace rdb

namespace d868 {
constexpr std::size_t RecordNumber = 0, InUse = 4, CallType = 6, Name = 8, City = 26, Id = 42, Alert = 46,
                      Callsign = 48, State = 57, Country = 74, Remarks = 91;
} // namespace d868

constexpr std::size_t NameUnits = 16;

} // namespace

Contact::Contact(FormatId formatId) : formatId_(formatId)
{
    tyt_[0] = tyt_[1] = tyt_[2] = 0xFF;
    tyt_[tyt::Flags] = 0xC0;
    rdb_[0] = rdb_[1] = rdb_[2] = 0xFF;
    rdb_[rdb::Flags] = 0xC0;
    const auto spaces = SixBitText::encode("");
    std::copy(spaces.begin(), spaces.end(), rdb_.begin() + rdb::Name);
    setU32Le(d868_, d868::RecordNumber, 1);
    setU16Le(d868_, d868::InUse, 1);
    setU32Le(d868_, d868::Id, 1);
}

std::uint32_t Contact::dmrId() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return getU24Le(tyt_, tyt::Id);
    case FormatFamily::RdbFamily: return getU24Le(rdb_, rdb::Id);
    case FormatFamily::D868Family: return getU32Le(d868_, d868::Id);
    default: return 0;
    }
}

void Contact::setDmrId(std::uint32_t id)
{
    setU24Le(tyt_, tyt::Id, id);
    setU24Le(rdb_, rdb::Id, id);
    setU32Le(d868_, d868::Id, id & 0xFFFFFF);
}

std::string Contact::name() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return getUtf16Name(tyt_, tyt::Name, NameUnits);
    case FormatFamily::RdbFamily: return SixBitText::decode(rdb_.data() + rdb::Name);
    case FormatFamily::D868Family: {
        auto text = getCString(d868_, d868::Name, 18);
        for (auto& c : text)
            if (static_cast<unsigned char>(c) < 32)
                c = '-';
        return text;
    }
    default: return {};
    }
}

void Contact::setName(std::string_view name)
{
    std::string text(name.substr(0, std::min(name.find('\0'), name.size())));
    if (family() == FormatFamily::D868Family) {
        // The radio shows control characters as garbage: store them as hyphens.
        for (std::size_t i = 0; i < text.size() && i < 16; ++i)
            if (static_cast<unsigned char>(text[i]) < 32)
                text[i] = '-';
    }
    setCString(d868_, d868::Name, 18, text, 16);
    // Characters above 127 are widened as Latin-1, so reading the low byte gives them back.
    setUtf16Name(tyt_, tyt::Name, NameUnits, text);
    const auto packed = SixBitText::encode(text);
    std::copy(packed.begin(), packed.end(), rdb_.begin() + rdb::Name);
}

CallType Contact::callType() const
{
    switch (family()) {
    case FormatFamily::TytFamily:
        switch (tyt_[tyt::Flags] & 3) {
        case 1: return CallType::GroupCall;
        case 3: return CallType::AllCall;
        default: return CallType::PrivateCall;
        }
    case FormatFamily::RdbFamily:
        switch (rdb_[rdb::Flags] & 3) {
        case 1: return CallType::GroupCall;
        case 2: return CallType::AllCall;
        default: return CallType::PrivateCall;
        }
    case FormatFamily::D868Family:
        switch (getU16Le(d868_, d868::CallType)) {
        case 1: return CallType::GroupCall;
        case 2: return CallType::AllCall;
        default: return CallType::PrivateCall;
        }
    default: return CallType::PrivateCall;
    }
}

void Contact::setCallType(CallType type)
{
    if (type == CallType::AllCall)
        setDmrId(AllCallId);
    switch (family()) {
    case FormatFamily::D868Family:
        setU16Le(d868_, d868::CallType, type == CallType::GroupCall ? 1u : type == CallType::AllCall ? 2u : 0u);
        break;
    case FormatFamily::TytFamily: {
        const unsigned kept = tyt_[tyt::Flags] & (1u << tyt::AlertBit);
        const unsigned added = type == CallType::GroupCall ? 0xC1u : type == CallType::AllCall ? 0xC3u : 0xC2u;
        tyt_[tyt::Flags] = static_cast<std::uint8_t>(kept | added);
        break;
    }
    case FormatFamily::RdbFamily: {
        const unsigned kept = rdb_[rdb::Flags] & (1u << rdb::AlertBit);
        const unsigned added = type == CallType::GroupCall ? 1u : type == CallType::AllCall ? 2u : 0u;
        rdb_[rdb::Flags] = static_cast<std::uint8_t>(kept | added);
        break;
    }
    default: break;
    }
}

void Contact::setCallTypeFromLetter(char letter)
{
    const char upper = upperAscii(letter);
    setCallType(upper == 'A' ? CallType::AllCall : upper == 'G' ? CallType::GroupCall : CallType::PrivateCall);
}

std::string Contact::callTypeName(CallType type)
{
    switch (type) {
    case CallType::GroupCall: return "Group Call";
    case CallType::AllCall: return "All Call";
    default: return "Private Call";
    }
}

bool Contact::alertTone() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return getBit(tyt_, tyt::Flags, tyt::AlertBit);
    case FormatFamily::RdbFamily: return getBit(rdb_, rdb::Flags, rdb::AlertBit);
    case FormatFamily::D868Family: return getU16Le(d868_, d868::Alert) != 0;
    default: return false;
    }
}

void Contact::setAlertTone(bool on)
{
    switch (family()) {
    case FormatFamily::TytFamily: setBit(tyt_, tyt::Flags, tyt::AlertBit, on); break;
    case FormatFamily::RdbFamily: setBit(rdb_, rdb::Flags, rdb::AlertBit, on); break;
    case FormatFamily::D868Family: setU16Le(d868_, d868::Alert, on ? 1u : 0u); break;
    default: break;
    }
}

namespace {
std::string d868Text(const std::array<std::uint8_t, Contact::D868BlockSize>& block, FormatFamily family,
                     std::size_t offset, std::size_t size)
{
    return family == FormatFamily::D868Family ? getCString(block, offset, size) : std::string();
}
} // namespace

std::string Contact::callsign() const { return d868Text(d868_, family(), d868::Callsign, 9); }
std::string Contact::city() const { return d868Text(d868_, family(), d868::City, 16); }
std::string Contact::state() const { return d868Text(d868_, family(), d868::State, 17); }
std::string Contact::country() const { return d868Text(d868_, family(), d868::Country, 17); }
std::string Contact::remarks() const { return d868Text(d868_, family(), d868::Remarks, 17); }
void Contact::setCallsign(std::string_view text) { setCString(d868_, d868::Callsign, 9, text, 8); }
void Contact::setCity(std::string_view text) { setCString(d868_, d868::City, 16, text, 15); }
void Contact::setState(std::string_view text) { setCString(d868_, d868::State, 17, text, 16); }
void Contact::setCountry(std::string_view text) { setCString(d868_, d868::Country, 17, text, 16); }
void Contact::setRemarks(std::string_view text) { setCString(d868_, d868::Remarks, 17, text, 16); }

std::uint32_t Contact::d868RecordNumber() const { return getU32Le(d868_, d868::RecordNumber); }

void Contact::setD868RecordNumber(std::uint32_t number)
{
    setU32Le(d868_, d868::RecordNumber, number);
    setU16Le(d868_, d868::InUse, 1);
}

std::string Contact::toLine() const
{
    std::string line;
    auto field = [&line](std::string_view value) {
        if (!line.empty())
            line += ',';
        appendQuotedField(line, value);
    };
    field(std::to_string(dmrId()));
    field(name());
    field(callTypeText());
    field(alertToneText());
    field(callsign());
    field(city());
    field(state());
    field(country());
    field(remarks());
    return line;
}

int Contact::fromLine(std::string_view line)
{
    constexpr std::size_t FieldLimit = 127;
    const auto zero = line.find('\0');
    if (zero != std::string_view::npos)
        line = line.substr(0, zero);
    if (line.size() < 10)
        return 0;
    std::string fields[4];
    for (int i = 0; i < 4; ++i)
        if (CsvFieldReader::field(line, i, FieldLimit, fields[i]) < 0)
            return -2;
    if (fields[0].empty() || !std::isdigit(static_cast<unsigned char>(fields[0][0])))
        return 0;

    std::uint64_t id = 0;
    for (char c : fields[0]) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        id = std::min<std::uint64_t>(id * 10 + static_cast<unsigned>(c - '0'), 0xFFFFFFFFull);
    }
    setDmrId(static_cast<std::uint32_t>(id));
    setName(fields[1]);
    setCallTypeFromLetter(fields[2].empty() ? '\0' : fields[2][0]);
    setAlertTone(!fields[3].empty() && (fields[3][0] == 'Y' || fields[3][0] == 'y'));

    using Setter = void (Contact::*)(std::string_view);
    const Setter setters[] = {&Contact::setCallsign, &Contact::setCity, &Contact::setState, &Contact::setCountry,
                              &Contact::setRemarks};
    for (int i = 0; i < 5; ++i) {
        std::string text;
        if (CsvFieldReader::field(line, 4 + i, FieldLimit, text) >= 0 && !text.empty())
            (this->*setters[i])(text);
    }
    return 1;
}

} // namespace pw
