// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a zone, a scan list and an RX group list have alike: a format that reads and writes the
// list, and the list's family record, in which that format keeps the name and the members.

#include "model/record_bytes.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pw {

// `List` is the list class itself (Zone, ScanList or RxGroupList), which its `Format` reads.
template <typename List, typename Format>
class NamedMemberList {
public:
    explicit NamedMemberList(const Format& format) : format_(&format), familyRecord_(format.blankRecord()) {}

    const Format& format() const { return *format_; }

    // At most 16 characters (20 in some RX group list formats).
    std::string name() const { return format_->name(self()); }
    void setName(std::string_view name) { format_->setName(self(), name); }

    // ---- For the format ----

    RecordBytes& familyRecord() { return familyRecord_; }
    const RecordBytes& familyRecord() const { return familyRecord_; }
    void setFamilyRecord(std::span<const std::uint8_t> bytes) { familyRecord_.assign(bytes.begin(), bytes.end()); }

protected:
    const Format* format_;

private:
    const List& self() const { return static_cast<const List&>(*this); }
    List& self() { return static_cast<List&>(*this); }

    RecordBytes familyRecord_;
};

} // namespace pw
