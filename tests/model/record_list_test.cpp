// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/record_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

namespace pw {
namespace {

struct Item {
    int key;
    int tag;
};

RecordList<Item> listOf(const std::vector<int>& keys)
{
    RecordList<Item> list;
    for (std::size_t i = 0; i < keys.size(); ++i)
        list.append(std::make_unique<Item>(Item{keys[i], static_cast<int>(i)}));
    return list;
}

std::vector<int> keysOf(const RecordList<Item>& list)
{
    std::vector<int> keys;
    for (int i = 0; i < list.count(); ++i)
        keys.push_back(list.at(i)->key);
    return keys;
}

int byKey(const Item& a, const Item& b) { return a.key < b.key ? -1 : a.key > b.key ? 1 : 0; }

TEST(RecordList, AtRemoveAndDeleteHonourBounds)
{
    auto list = listOf({1, 2, 3});
    EXPECT_EQ(list.at(3), nullptr);
    EXPECT_EQ(list.at(-1), nullptr);
    auto removed = list.removeAt(1);
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->key, 2);
    EXPECT_EQ(keysOf(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.deleteAt(5), -1);
    EXPECT_EQ(list.deleteAt(0), 0);
    EXPECT_EQ(keysOf(list), (std::vector<int>{3}));
}

TEST(RecordList, SwapIgnoresSameAndOutOfRangeIndices)
{
    auto list = listOf({1, 2, 3});
    list.swapItems(0, 2);
    EXPECT_EQ(keysOf(list), (std::vector<int>{3, 2, 1}));
    list.swapItems(1, 1);
    list.swapItems(0, 3);
    EXPECT_EQ(keysOf(list), (std::vector<int>{3, 2, 1}));
}

TEST(RecordList, SortOrdersSmallAndLargeListsAscending)
{
    std::mt19937 random(42);
    for (const int size : {0, 1, 2, 9, 10, 11, 100, 5000}) {
        std::vector<int> keys(static_cast<std::size_t>(size));
        for (auto& k : keys)
            k = static_cast<int>(random() % 1000);
        auto list = listOf(keys);
        list.sortBy(byKey);
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(keysOf(list), keys) << "size " << size;
    }
}

TEST(RecordList, SortKeepsEveryItemWhenMostKeysAreEqual)
{
    std::vector<int> keys(20000, 7);
    keys[100] = 3;
    keys[15000] = 9;
    auto list = listOf(keys);
    const auto oldPositions = list.sortBy(byKey);
    ASSERT_EQ(list.count(), 20000);
    EXPECT_EQ(list.at(0)->key, 3);
    EXPECT_EQ(list.at(19999)->key, 9);
    std::vector<int> tags;
    for (int i = 0; i < list.count(); ++i)
        tags.push_back(list.at(i)->tag);
    // The sort tells for each new position where the item stood before.
    EXPECT_EQ(oldPositions, tags);
    std::sort(tags.begin(), tags.end());
    for (int i = 0; i < 20000; ++i)
        ASSERT_EQ(tags[static_cast<std::size_t>(i)], i);
}

TEST(RecordList, SortOfSortedAndReversedInput)
{
    std::vector<int> ascending(3000);
    for (int i = 0; i < 3000; ++i)
        ascending[static_cast<std::size_t>(i)] = i;
    auto sorted = listOf(ascending);
    sorted.sortBy(byKey);
    EXPECT_EQ(keysOf(sorted), ascending);
    std::vector<int> descending(ascending.rbegin(), ascending.rend());
    auto reversed = listOf(descending);
    reversed.sortBy(byKey);
    EXPECT_EQ(keysOf(reversed), ascending);
}

// Counts its live copies, so that a test sees every record destroyed exactly once.
struct Counted {
    Counted(int k, int& counter) : key(k), live(&counter) { ++counter; }
    Counted(const Counted& other) : key(other.key), live(other.live) { ++*live; }
    Counted& operator=(const Counted&) = delete;
    ~Counted() { --*live; }
    int key;
    int* live;
};

TEST(RecordList, RecordsMadeInPlaceOrAppendedAreDestroyedOnceWhicheverWayTheyLeave)
{
    using List = RecordList<Counted>;
    // Past two blocks, so that blocks fill, empty and are given back.
    constexpr int Count = static_cast<int>(RecordBlocks<Counted>::BlockRecords) * 2 + 5;
    const std::vector<std::pair<const char*, std::function<void(List&)>>> ways{
        {"deleteAt", [](List& list) { while (list.deleteAt(0) == 0) {} }},
        {"eraseMarked",
         [](List& list) {
             std::vector<bool> odd(static_cast<std::size_t>(Count));
             for (std::size_t i = 0; i < odd.size(); ++i)
                 odd[i] = i % 2 == 1;
             EXPECT_EQ(list.eraseMarked(odd), Count / 2);
             for (int i = 0; i < list.count(); ++i)
                 ASSERT_EQ(list.at(i)->key % 2, 0);
         }},
        {"removeAt",
         [](List& list) {
             for (int key = 0; !list.empty(); ++key)
                 ASSERT_EQ(list.removeAt(0)->key, key);
         }},
        {"deleteAll", [](List& list) { list.deleteAll(); }},
        {"moved", [](List& list) { List taker = std::move(list); }},
        {"the list's end", [](List&) {}},
    };
    for (const auto& [way, leave] : ways) {
        int live = 0;
        {
            List list;
            for (int i = 0; i < Count; ++i) {
                if (i % 3 == 0)
                    list.append(std::make_unique<Counted>(i, live));
                else
                    list.emplaceBack(i, live);
            }
            leave(list);
        }
        EXPECT_EQ(live, 0) << way;
    }
}

} // namespace
} // namespace pw
