// Array and StringList: growth rule, insertion and removal, and owned strings that go with
// every removal.
#include "toolkit/base/Array.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {
// Live blocks of operator new in this program, to see whether removed strings are deleted.
int g_liveBlocks = 0;
}  // namespace

void* operator new(size_t size) {
    ++g_liveBlocks;
    void* block = malloc(size ? size : 1);
    if (!block)
        abort();
    return block;
}
void operator delete(void* block) noexcept {
    if (block)
        --g_liveBlocks;
    free(block);
}
void operator delete(void* block, size_t) noexcept {
    operator delete(block);
}

TEST(Array, GrowthRuleBothWays) {
    Array<int> a;
    for (int i = 0; i < 63; i++)
        a.Append(i);
    EXPECT_EQ(64, a.Capacity());
    a.Append(63);
    EXPECT_EQ(128, a.Capacity());
    a.RemoveAt(63);
    EXPECT_EQ(64, a.Capacity());
    EXPECT_EQ(62, a[62]);
    a.SetSize(0, false);
    EXPECT_EQ(64, a.Capacity());
    EXPECT_NE(nullptr, a.Data());
    a.Free();
    EXPECT_EQ(0, a.Capacity());
    EXPECT_EQ(nullptr, a.Data());
}

TEST(Array, InsertAndRemove) {
    Array<int> a;
    a.Append(1);
    a.Append(4);
    EXPECT_EQ(1, a.InsertAt(2, 1, 2));  // two copies
    EXPECT_EQ(4, a.InsertAt(9, -1));
    EXPECT_EQ(5, a.InsertAt(8, a.Count()));
    const int expected[] = {1, 2, 2, 4, 9, 8};
    ASSERT_EQ(6, a.Count());
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(expected[i], a[i]);
    a.RemoveAt(1, -1);
    EXPECT_EQ(1, a.Count());
    a.RemoveAt(0, 0);
    a.RemoveAt(5);
    EXPECT_EQ(1, a.Count());
    EXPECT_TRUE(a.Append(a[0]) == 1);
    EXPECT_EQ(1, a[1]);
}

TEST(StringList, EveryRemovalThroughTheBaseDeletesTheStrings) {
    // Each road drops all three strings of a list that is then empty.
    void (*const removals[])(Array<String*>&) = {
        [](Array<String*>& a) { a.RemoveAt(0, -1); },          [](Array<String*>& a) { a.SetSize(0, true); },
        [](Array<String*>& a) { a.SetSize(5, false); },        [](Array<String*>& a) { a.Free(); },
        [](Array<String*>& a) { a.Assign(Array<String*>()); },
    };
    for (auto remove : removals) {
        StringList list;
        list.AddString("a", -1, 3);
        const int before = g_liveBlocks;
        remove(list);
        const int after = g_liveBlocks;
        EXPECT_EQ(before - 3, after);
        for (int i = 0; i < list.Count(); i++)
            EXPECT_EQ(nullptr, list[i]);  // fresh slots start empty, so the destructor is safe
    }
}
