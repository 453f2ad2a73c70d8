#include "settings/pending_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace tintora::settings {
namespace {

// The pending keys as "key=value" in table order.
std::string Pending(const PendingKeys& table) {
    std::string out;
    for (std::size_t i = 0; i < table.count; ++i) {
        if (table.keys[i].pending) out += std::string(out.empty() ? "" : " ") + table.keys[i].key + "=" + table.keys[i].value;
    }
    return out;
}

TEST(PendingKeys, KeepsTheNewestValueInFirstChangeOrderUntilAWriteOfItLands) {
    PendingKeys table{};
    ASSERT_TRUE(Put(table, "zoom", "1", true));
    ASSERT_TRUE(Put(table, "memo1", "5", false));
    ASSERT_TRUE(Put(table, "zoom", "0", false));
    EXPECT_EQ(Pending(table), "zoom=0 memo1=5");
    EXPECT_TRUE(ChangedByUser(table, "zoom"));  // once by the user stays so
    EXPECT_FALSE(ChangedByUser(table, "memo1"));
    EXPECT_FALSE(ChangedByUser(table, "x"));

    const PendingKeys written = table;   // a write of this takes its time...
    ASSERT_TRUE(Put(table, "memo1", "6", false));  // ...while memo1 changes again
    ASSERT_TRUE(Put(table, "x", "-3", true));
    Settle(table, written);
    EXPECT_EQ(Pending(table), "memo1=6 x=-3");
    EXPECT_TRUE(AnyPending(table));
    Settle(table, table);
    EXPECT_FALSE(AnyPending(table));
}

TEST(PendingKeys, RefusesWhatDoesNotFit) {
    PendingKeys table{};
    EXPECT_FALSE(Put(table, std::string(kKeySize, 'k').c_str(), "1", true));
    EXPECT_FALSE(Put(table, "format", std::string(kValueSize, 'v').c_str(), true));
    EXPECT_FALSE(Put(table, "format", "a\rb", true));
    EXPECT_FALSE(Put(table, "format", "a\nmemo1=0", true));
    for (std::size_t i = 0; i < kMaxKeys; ++i) ASSERT_TRUE(Put(table, ("k" + std::to_string(i)).c_str(), "1", true));
    EXPECT_FALSE(Put(table, "one-more", "1", true));
    EXPECT_TRUE(Put(table, "k0", std::string(kValueSize - 1, 'v').c_str(), true));
}

// A held file is tried again soon at first, then less and less often, but never more rarely
// than the longest pause.
TEST(PendingKeys, HeldFileIsTriedSoonThenLessOften) {
    std::uint32_t pause = kFirstPauseMs, waitedMs = 0;
    int tries = 0;
    for (; waitedMs < 10000; ++tries) {
        const std::uint32_t next = NextPause(pause);
        EXPECT_GE(next, pause) << "after " << tries << " tries";
        EXPECT_LE(next, kLastPauseMs) << "after " << tries << " tries";
        waitedMs += pause = next;
    }
    EXPECT_GE(tries, 5);
    EXPECT_EQ(NextPause(pause), pause);  // the pause has stopped growing
}

}  // namespace
}  // namespace tintora::settings
