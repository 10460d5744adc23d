// The key and employee lists: the order of the refusals, unique numbers,
// assignments replaced as a whole, and deletes held back by history.

#include "operations/KeyStoreFixture.h"

using namespace vm;
using namespace vm::test;

namespace {

class KeyStoreCatalogue : public KeyStoreFixture {};

TEST_F(KeyStoreCatalogue, SavesRefuseInTheScreensOrderAndKeepNumbersUnique) {
    KeyRecord k;
    EXPECT_EQ(KeyInsertKey(ctx(), k), kKeySelectGroup);
    k.groupName = "Storage";
    EXPECT_EQ(KeyInsertKey(ctx(), k), kKeyEnterNumber);
    k.keyNumber = "st-1";
    EXPECT_EQ(KeyInsertKey(ctx(), k), kKeyEnterDescription);
    k.description = "Linen \"B\" room";
    EXPECT_EQ(KeyInsertKey(ctx(), k), kKeyEnterDuration);
    k.outDuration = 3;
    EXPECT_EQ(KeyInsertKey(ctx(), k), "");
    ASSERT_NE(k.id, 0);

    KeyRecord same = k;
    same.keyNumber = "ST-1"; // numbers compare without case
    EXPECT_EQ(KeyInsertKey(ctx(), same), kKeyNumberNotUnique);

    // The update changes everything but the number.
    k.keyNumber = "ST-2";
    k.groupName = "Inactive";
    k.outHoursDays = "Hours";
    EXPECT_EQ(KeyUpdateKey(ctx(), k), "");
    const auto stored = KeyGetKey(ctx(), k.id);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->keyNumber, "st-1");
    EXPECT_EQ(stored->groupName, "Inactive");
    EXPECT_EQ(stored->description, "Linen 'B' room");
    EXPECT_EQ(stored->outHoursDays, "Hours");

    KeyEmployeeRecord e;
    EXPECT_EQ(KeyInsertEmployee(ctx(), e), kKeyEnterEmployeeName);
    e.name = "Smith & Sons";
    EXPECT_EQ(KeyInsertEmployee(ctx(), e), kKeyEnterEmployeeNumber);
    e.number = "9";
    EXPECT_EQ(KeyInsertEmployee(ctx(), e), kKeyEnterJobTitle);
    e.jobTitle = "Driver";
    EXPECT_EQ(KeyInsertEmployee(ctx(), e), "");
    const qint64 other = employee("Ann Porter", "10");
    KeyEmployeeRecord renumbered{other, "Ann Porter", "9", "Driver"};
    EXPECT_EQ(KeyUpdateEmployee(ctx(), renumbered), kKeyEmployeeNumberNotUnique);
    EXPECT_EQ(KeyGetEmployee(ctx(), e.id)->name, "Smith & Sons");

    const auto people = KeyGetAllEmployees(ctx());
    ASSERT_EQ(people.size(), 2u);
    EXPECT_EQ(people[0].name, "Ann Porter"); // by name
}

TEST_F(KeyStoreCatalogue, KeyListsAreOrderedByGroupThenNumber) {
    key("20", 1, "Hours", "Pool");
    key("3", 1, "Hours", "Garage");
    key("10", 1, "Hours", "Pool");
    QStringList order;
    for (const KeyRecord& k : KeyGetAllKeys(ctx()))
        order << k.groupName + "/" + k.keyNumber;
    EXPECT_EQ(order, (QStringList{"Garage/3", "Pool/10", "Pool/20"}));
    EXPECT_EQ(KeyGetKeysInGroup(ctx(), "Pool").size(), 2u);
}

TEST_F(KeyStoreCatalogue, AssignmentsAreReplacedWholeWithoutRepeats) {
    const qint64 ann = employee("Ann Porter", "17");
    const qint64 a = key("A"), b = key("B"), c = key("C");
    KeySaveAssignments(ctx(), ann, {a, b});
    KeySaveAssignments(ctx(), ann, {c, b, c, b});
    QStringList numbers;
    for (const KeyRecord& k : KeyGetAssignedKeys(ctx(), ann))
        numbers << k.keyNumber;
    EXPECT_EQ(numbers, (QStringList{"B", "C"}));
    EXPECT_EQ(count("KeyAssignment"), 2);

    lend(b, ann);
    EXPECT_EQ(KeyGetAssigned(ctx(), ann, "O").size(), 1u);
    EXPECT_EQ(KeyGetAssigned(ctx(), ann, "I").front().keyNumber, "C");
}

TEST_F(KeyStoreCatalogue, DeleteIsRefusedWhileHistoryExistsAndTakesAssignmentsAlong) {
    const qint64 ann = employee("Ann Porter", "17");
    const qint64 bob = employee("Bob Valet", "18");
    const qint64 used = key("U1"), spare = key("S1");
    KeySaveAssignments(ctx(), ann, {used, spare});
    KeySaveAssignments(ctx(), bob, {spare});
    at(2026, 2, 3, 8, 0);
    lend(used, ann);
    at(2026, 2, 9, 8, 0);
    takeBack(used, ann);

    EXPECT_EQ(GetLastKeyOutByKey(ctx(), used), "2026/02/03 08:00");
    EXPECT_EQ(KeyDeleteKey(ctx(), used),
              "This Key has History attached to it.\r\nThe last Check Out date is 02/03/2026\r\n"
              "When the history has been deleted through this date the key may be deleted.\r\n"
              "We recommend that you change the Key Group to 'Inactive' or 'Missing' until this "
              "key may be deleted.");
    EXPECT_EQ(KeyDeleteEmployee(ctx(), ann),
              "This Employee has History attached to it.\r\nThe last Check Out date is "
              "02/03/2026\r\nWhen the history has been deleted through this date the employee "
              "may be deleted.\r\nWe recommend that you add the word 'Inactive' to the Name "
              "until this employee may be deleted.");
    EXPECT_TRUE(KeyGetKey(ctx(), used));
    EXPECT_EQ(count("KeyHistory"), 1);

    EXPECT_EQ(KeyDeleteKey(ctx(), spare), "");
    EXPECT_FALSE(KeyGetKey(ctx(), spare));
    EXPECT_EQ(count("KeyAssignment"), 1); // ann's U1 only
    EXPECT_EQ(KeyDeleteEmployee(ctx(), bob), "");
    EXPECT_FALSE(KeyGetEmployee(ctx(), bob));
}

} // namespace
