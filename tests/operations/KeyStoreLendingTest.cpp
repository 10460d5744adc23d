// Lending and taking back keys: due times, minutes from due, who may borrow
// what, and the history row each move opens or closes.

#include "operations/KeyStoreFixture.h"

using namespace vm;
using namespace vm::test;

namespace {

class KeyStoreLending : public KeyStoreFixture {};

TEST_F(KeyStoreLending, DueTimeCrossesMidnightAndReturnCountsMinutesFromDue) {
    const qint64 ann = employee("Ann Porter", "17");
    const qint64 four = key("K4", 4, "Hours");
    const qint64 twoDays = key("K2D", 2, "Days");
    KeySaveAssignments(ctx(), ann, {four, twoDays});

    at(2026, 12, 31, 22, 30);
    EXPECT_EQ(lend(four, ann).dateTimeDue, "2027/01/01 02:30");
    EXPECT_EQ(lend(twoDays, ann).dateTimeDue, "2027/01/02 22:30");

    at(2027, 1, 1, 2, 15); // a quarter of an hour early
    EXPECT_EQ(takeBack(four, ann).minutesFromDue, -15);
    at(2027, 1, 3, 0, 10); // 100 minutes late, across midnight
    EXPECT_EQ(takeBack(twoDays, ann).minutesFromDue, 100);

    EXPECT_EQ(history(four), QStringList{"I|2026/12/31 22:30|2027/01/01 02:30|2027/01/01 02:15|-15"});
    EXPECT_EQ(history(twoDays),
              QStringList{"I|2026/12/31 22:30|2027/01/02 22:30|2027/01/03 00:10|100"});
    const auto k = KeyGetKey(ctx(), four);
    ASSERT_TRUE(k);
    EXPECT_EQ(k->status, "I");
    EXPECT_EQ(k->dateTimeOut, "");
    EXPECT_EQ(k->employeeId, 0);

    // Plain wall-clock arithmetic, whatever the clock's own time zone does.
    EXPECT_EQ(Formats::StoredDateTime(KeyDueTime(QDateTime(QDate(2026, 3, 8), QTime(1, 30)), 3,
                                                 "Hours")),
              "2026/03/08 04:30");
}

TEST_F(KeyStoreLending, OnlyAssignedKeysGoOutAndOnlyTheirBorrowerBringsThemBack) {
    const qint64 ann = employee("Ann Porter", "17");
    const qint64 bob = employee("Bob Valet", "18");
    const qint64 garage = key("G1");
    KeySaveAssignments(ctx(), bob, {garage});

    const KeyNumberCheck refused = KeyCheckKeyNumber(ctx(), "G1", KeyLendMode::CheckOut, ann);
    EXPECT_FALSE(refused.available);
    EXPECT_EQ(refused.line1, "Master: Key G1");
    EXPECT_EQ(refused.line2, kKeyNotAvailable);
    const KeyLendResult r = KeyCheckOut(ctx(), garage, ann);
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.message, kKeyNotAvailableBy + "Ann Porter");
    EXPECT_TRUE(history(garage).isEmpty());

    lend(garage, bob);
    const KeyNumberCheck out = KeyCheckKeyNumber(ctx(), "G1", KeyLendMode::CheckOut, bob);
    EXPECT_FALSE(out.key);
    EXPECT_EQ(out.line1, kKeyNumberInvalid);
    EXPECT_EQ(out.line2, kKeyOrCheckedOut);
    EXPECT_EQ(KeyCheckOut(ctx(), garage, bob).message, kKeyAlreadyOut);

    // Ann cannot return Bob's key; the loan stays open.
    const KeyLendResult wrong = KeyCheckIn(ctx(), garage, ann);
    EXPECT_FALSE(wrong.done);
    EXPECT_EQ(wrong.message, kKeyNotCheckedOutBy + "Ann Porter");
    ASSERT_EQ(history(garage).size(), 1);
    EXPECT_TRUE(history(garage)[0].startsWith("O|"));
    EXPECT_EQ(KeyGetKeysOutTo(ctx(), bob).size(), 1u);

    takeBack(garage, bob);
    const KeyNumberCheck in = KeyCheckKeyNumber(ctx(), "G1", KeyLendMode::CheckIn, bob);
    EXPECT_EQ(in.line1, kKeyNumberInvalid);
    EXPECT_EQ(in.line2, kKeyOrNotCheckedOut);
    EXPECT_TRUE(KeyGetKeysOutTo(ctx(), bob).empty());
}

TEST_F(KeyStoreLending, CheckInClosesTheOpenLoanWhenTheKeyWentOutTwiceInOneMinute) {
    const qint64 ann = employee("Ann Porter", "17");
    const qint64 spa = key("S1", 1, "Hours");
    KeySaveAssignments(ctx(), ann, {spa});

    at(2026, 5, 4, 10, 0);
    lend(spa, ann);
    takeBack(spa, ann);
    lend(spa, ann); // same minute: both loans share the time out
    at(2026, 5, 4, 11, 20);
    takeBack(spa, ann);

    EXPECT_EQ(history(spa), (QStringList{"I|2026/05/04 10:00|2026/05/04 11:00|2026/05/04 10:00|-60",
                                         "I|2026/05/04 10:00|2026/05/04 11:00|2026/05/04 11:20|20"}));
    EXPECT_TRUE(KeyGetDueOverDue(ctx(), QDateTime(QDate(2026, 6, 1), QTime(0, 0))).empty());
}

TEST_F(KeyStoreLending, OverdueListsOpenLoansPastDueInDueOrder) {
    const qint64 ann = employee("Ann Porter", "17");
    const qint64 a = key("A", 2), b = key("B", 1), c = key("C", 8);
    KeySaveAssignments(ctx(), ann, {a, b, c});
    at(2026, 5, 4, 9, 0);
    lend(a, ann);
    lend(b, ann);
    lend(c, ann);

    const auto due = KeyGetDueOverDue(ctx(), QDateTime(QDate(2026, 5, 4), QTime(11, 0)));
    ASSERT_EQ(due.size(), 1u); // due exactly now is not yet overdue
    EXPECT_EQ(due[0].keyNumber, "B");
    EXPECT_EQ(due[0].employeeName, "Ann Porter");
    EXPECT_EQ(KeyGetDueOverDue(ctx(), QDateTime(QDate(2026, 5, 4), QTime(11, 1))).size(), 2u);
}

TEST_F(KeyStoreLending, LeadingZerosAreDroppedOnSaveAndLookUpWhenTheSettingIsOn) {
    // Kept as typed while the setting is off.
    const qint64 old = key("0123");
    const qint64 ann = employee("Ann Porter", "0042");
    EXPECT_EQ(GetKeyNumber(ctx(), old), "0123");
    EXPECT_FALSE(KeyCheckEmployeeNumber(ctx(), "42"));

    SetKeyRemoveZeros(ctx(), true);
    EXPECT_TRUE(KeyRemoveZeros(ctx()));
    KeySaveAssignments(ctx(), ann, {old});
    // Numbers stored with zeros before the setting are still found.
    const auto who = KeyCheckEmployeeNumber(ctx(), "000042");
    ASSERT_TRUE(who);
    EXPECT_EQ(who->id, ann);
    const KeyNumberCheck found = KeyCheckKeyNumber(ctx(), "000123", KeyLendMode::CheckOut, ann);
    ASSERT_TRUE(found.key);
    EXPECT_EQ(found.key->id, old);
    EXPECT_TRUE(found.available);

    // New numbers are stored without them, and collide with the old forms.
    const qint64 fresh = key("00077");
    EXPECT_EQ(GetKeyNumber(ctx(), fresh), "77");
    KeyRecord dup;
    dup.keyNumber = "123";
    dup.groupName = "Master";
    dup.description = "Again";
    dup.outDuration = 1;
    EXPECT_EQ(KeyInsertKey(ctx(), dup), kKeyNumberNotUnique);
    KeyRecord zeros = dup;
    zeros.keyNumber = "000";
    EXPECT_EQ(KeyInsertKey(ctx(), zeros), kKeyEnterNumber);
}

} // namespace
