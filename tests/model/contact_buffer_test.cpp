// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/contact_buffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace pw {
namespace {

using Texts = std::array<std::string, ContactBuffer::TextCount>;

std::vector<std::uint8_t> recordOf(std::size_t size)
{
    std::vector<std::uint8_t> record(size);
    for (std::size_t i = 0; i < size; ++i)
        record[i] = static_cast<std::uint8_t>(0xA0 + i);
    return record;
}

void expectHolds(const ContactBuffer& buffer, const std::vector<std::uint8_t>& record, const Texts& texts)
{
    EXPECT_TRUE(std::ranges::equal(buffer.record(), record));
    for (int i = 0; i < ContactBuffer::TextCount; ++i)
        EXPECT_EQ(buffer.text(i), texts[static_cast<std::size_t>(i)]) << "text " << i;
}

void setTexts(ContactBuffer& buffer, const Texts& texts)
{
    std::array<std::string_view, ContactBuffer::TextCount> views;
    std::ranges::copy(texts, views.begin());
    buffer.setTexts(views);
}

// The record lies at the start and the texts after it, or on the heap when they do not fit: every
// move between the two, from either side, keeps both.
TEST(ContactBuffer, RecordAndTextsSurviveEveryMoveBetweenBufferAndHeap)
{
    const Texts none{};
    const Texts d868{"Jan", "PA3XYZ", "Delft", "ZH", "Netherlands", "DMR"};
    const Texts spilling{std::string(40, 'n'), std::string(30, 'c'), "", "", "", std::string(20, 'r')};
    constexpr std::size_t Largest = ContactBuffer::MaxRecordSize;
    for (const std::size_t recordSize : std::array<std::size_t, 5>{0, 1, 16, 36, Largest}) {
        for (const auto& first : {none, d868, spilling}) {
            for (const auto& second : {none, d868, spilling}) {
                SCOPED_TRACE(testing::Message() << "record " << recordSize << ", texts " << first[0] << " then "
                                                << second[0]);
                ContactBuffer buffer;
                buffer.setRecord(recordOf(recordSize));
                setTexts(buffer, first);
                const auto* record = buffer.record().data();
                setTexts(buffer, second);
                EXPECT_EQ(buffer.record().data(), record);  // views of the record stay valid
                expectHolds(buffer, recordOf(recordSize), second);

                for (const std::size_t resized : std::array<std::size_t, 4>{0, 1, 36, Largest}) {
                    ContactBuffer copy = buffer;
                    copy.setRecord(recordOf(resized));
                    expectHolds(copy, recordOf(resized), second);
                    copy.setText(0, "changed");
                    expectHolds(buffer, recordOf(recordSize), second);  // the copy shares nothing
                    EXPECT_FALSE(copy == buffer);
                    copy = buffer;
                    EXPECT_TRUE(copy == buffer);
                }
            }
        }
    }
}

TEST(ContactBuffer, TextsAreCutAtZeroBytesAndWholeCharactersWithinTheLimit)
{
    ContactBuffer buffer;
    buffer.setRecord(recordOf(36));
    const std::string longUtf8 = "ab" + [] {
        std::string s;
        for (int i = 0; i < 200; ++i)
            s += "\xC3\xA9";  // é, two bytes: 255 would cut the last one in two
        return s;
    }();
    buffer.setTexts({std::string_view("ab\0cd", 5), longUtf8, "", "", "", "end"});
    EXPECT_EQ(buffer.text(0), "ab");
    EXPECT_EQ(buffer.text(1), longUtf8.substr(0, 254));
    EXPECT_EQ(buffer.text(5), "end");
    // A zero byte at any place of a longer text, and a character of two bytes, are found too.
    for (std::size_t at = 0; at < 17; ++at) {
        std::string text = "abcdefghijklmnopq";
        text[at] = '\0';
        buffer.setTexts({text, "", "", "", "", "\xC3\xA9" + text.substr(0, at)});
        EXPECT_EQ(buffer.text(0), text.substr(0, at)) << at;
        EXPECT_EQ(buffer.text(5), "\xC3\xA9" + text.substr(0, at)) << at;
    }
    buffer.setTexts({std::string_view("ab\0cd", 5), longUtf8, "", "", "", "end"});
    // A text set from the buffer's own texts.
    buffer.setText(5, buffer.text(1));
    EXPECT_EQ(buffer.text(5), longUtf8.substr(0, 254));
    EXPECT_EQ(buffer.text(0), "ab");
    EXPECT_TRUE(std::ranges::equal(buffer.record(), recordOf(36)));
    // A record longer than the buffer keeps its first MaxRecordSize bytes.
    buffer.setRecord(recordOf(100));
    EXPECT_TRUE(std::ranges::equal(buffer.record(), recordOf(ContactBuffer::MaxRecordSize)));
    EXPECT_EQ(buffer.text(5), longUtf8.substr(0, 254));
}

} // namespace
} // namespace pw
