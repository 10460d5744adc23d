#pragma once
// The lost-and-found, key-control and rental actions the benches time, so the
// SQLite bench and the server bench run the same procedures with the same
// values on their properties.  Each action is the program's side alone; a
// bench puts its floor beside it (ProgramAction, ActionRunner.h).

#include "ActionRunner.h"
#include "BenchData.h"

#include "core/AppContext.h"
#include "operations/KeyControl.h"
#include "operations/LostFound.h"
#include "operations/Rentals.h"

#include <QString>
#include <functional>
#include <vector>

namespace vm::bench {

inline size_t LostFoundSearch(AppContext& ctx, const QString& status, LfSearchKind kind,
                              const QString& value, const QString& category = {}) {
    LfSearch s;
    s.status = status;
    s.kind = kind;
    s.value = value;
    s.category = category;
    if (kind == LfSearchKind::DateRange) {
        s.from = Today.addDays(-60);
        s.through = Today.addDays(-30);
    }
    const LfSearchResult r = LFSearchItems(ctx, s);
    if (!r.refusal.isEmpty()) qFatal("the bench search was refused");
    return r.rows.size();
}

// Changes the found item opened below carries in its history.
inline constexpr int FoundItemChanges = 12;

// Every list and search of the lost-and-found screen, its matches and the
// opening of a found item with its history.  The found item gets its changes
// once (a kept property has them from an earlier run).
inline std::vector<ProgramAction> LostAndFoundActions(AppContext& ctx) {
    Database& db = ctx.db();
    const qint64 lostId =
        db.scalar("SELECT MAX([ItemID]) FROM [LostAndFound] WHERE [ItemStatus] = 'L'").toLongLong();
    const qint64 foundId =
        db.scalar("SELECT MAX([ItemID]) FROM [LostAndFound] WHERE [ItemStatus] = 'F'").toLongLong();
    const LfItem lost = *LFGetTheItem(ctx, lostId);
    for (int n = int(GetLfHistry(ctx, foundId).count("modified")); n < FoundItemChanges; ++n)
        CreateChangeInLFHistory(ctx, foundId, "StoredLocation", "Shelf " + QString::number(n),
                                "Shelf " + QString::number(n + 1));

    AppContext* c = &ctx;
    std::vector<ProgramAction> all;
    all.push_back({"lost reports by search word",
                   [c] { return LostFoundSearch(*c, kLfLost, LfSearchKind::Word, "umbrella"); }});
    all.push_back({"found items of a month",
                   [c] { return LostFoundSearch(*c, kLfFound, LfSearchKind::DateRange, {}); }});
    all.push_back({"closed records by last name", [c] {
                       return LostFoundSearch(*c, kLfClosed, LfSearchKind::LastName, "Rossi");
                   }});
    // Words and rooms are found through the trigram index, as names are.
    all.push_back({"closed records by search word",
                   [c] { return LostFoundSearch(*c, kLfClosed, LfSearchKind::Word, "bracelet"); }});
    all.push_back({"closed records by room number", [c] {
                       return LostFoundSearch(*c, kLfClosed, LfSearchKind::RoomNumber, "512");
                   }});
    all.push_back({"closed records of one category", [c] {
                       return LostFoundSearch(*c, kLfClosed, LfSearchKind::All, {}, "Category 7");
                   }});
    all.push_back({"open found items by tag",
                   [c] { return LostFoundSearch(*c, kLfFound, LfSearchKind::TagOrId, "T99990"); }});
    all.push_back({"matches of a lost report (four criteria)", [c, lost] {
                       LfMatchCriteria m;
                       m.sameCategory = m.sameLocation = m.dateWindow = m.byWord = true;
                       m.word = lost.itemText.left(5);
                       return LFGetTheLostMatches(*c, lost, m).size() + 1;
                   }});
    all.push_back({"matches of a lost report (none chosen)",
                   [c, lost] { return LFGetTheLostMatches(*c, lost, LfMatchCriteria{}).size(); }});
    all.push_back({"open a found item with its history", [c, foundId] {
                       return size_t(LFGetTheItem(*c, foundId).has_value()) +
                              size_t(GetLfHistry(*c, foundId).count("modified"));
                   }});
    return all;
}

// Every list of the key-control screen, and a key lent and taken back (its
// loans removed again after each run).
inline std::vector<ProgramAction> KeyControlActions(AppContext& ctx) {
    Database& db = ctx.db();
    const qint64 lastLoan = db.scalar("SELECT MAX([KeyHistoryID]) FROM [KeyHistory]").toLongLong();
    // A key that is in and an employee it is assigned to.
    const auto pair = db.queryOne(
        "SELECT a.[KeyMasterID], a.[KeyEmployeeID] FROM [KeyAssignment] a INNER JOIN "
        "[KeyMaster] k ON k.[KeyMasterID] = a.[KeyMasterID] WHERE k.[KeyStatus] = 'I' ORDER BY "
        "a.[KeyMasterID]");
    const qint64 keyId = pair->number("KeyMasterID");
    const qint64 employeeId = pair->number("KeyEmployeeID");
    const KeyRecord key = *KeyGetKey(ctx, keyId);
    const KeyEmployeeRecord employee = *KeyGetEmployee(ctx, employeeId);
    // An employee with a key out, for the check-in side of the lending tab.
    const qint64 borrowerId =
        db.scalar("SELECT MIN([KeyEmployeeID]) FROM [KeyMaster] WHERE [KeyStatus] = 'O'")
            .toLongLong();

    AppContext* c = &ctx;
    std::vector<ProgramAction> all;
    all.push_back(
        {"keys due and overdue", [c] { return KeyGetDueOverDue(*c, c->clock().now()).size(); }});
    all.push_back({"activity of a key (all dates)",
                   [c, keyId] { return KeyActivityReport2(*c, keyId, {}, {}).size(); }});
    all.push_back({"activity of an employee (a year)", [c, employeeId] {
                       return KeyActivityReport1(*c, employeeId, Today.addYears(-1), Today).size();
                   }});
    all.push_back({"all keys", [c] { return KeyGetAllKeys(*c).size(); }});
    all.push_back({"keys out", [c] { return KeyKeyReport1(*c).size(); }});
    all.push_back({"all employees", [c] { return KeyGetAllEmployees(*c).size(); }});
    all.push_back({"keys assigned to an employee",
                   [c, employeeId] { return KeyGetAssignedKeys(*c, employeeId).size(); }});
    // The rest of the screen: the key and employee tabs, the lending tab's
    // look-ups as a number is typed, and the printed key lists.
    all.push_back({"keys in", [c] { return KeyKeyReport2(*c).size(); }});
    all.push_back({"all keys with their status", [c] { return KeyKeyReport3(*c).size(); }});
    all.push_back(
        {"keys of one group", [c, key] { return KeyGetKeysInGroup(*c, key.groupName).size(); }});
    all.push_back({"open a key", [c, keyId] { return size_t(KeyGetKey(*c, keyId).has_value()); }});
    all.push_back({"open an employee",
                   [c, employeeId] { return size_t(KeyGetEmployee(*c, employeeId).has_value()); }});
    all.push_back({"employee number typed", [c, employee] {
                       return size_t(KeyCheckEmployeeNumber(*c, employee.number).has_value());
                   }});
    all.push_back(
        {"key number typed for a loan", [c, key, employeeId] {
             return size_t(
                 KeyCheckKeyNumber(*c, key.keyNumber, KeyLendMode::CheckOut, employeeId).available);
         }});
    all.push_back({"an employee's keys that are in",
                   [c, employeeId] { return KeyGetAssigned(*c, employeeId, "I").size(); }});
    all.push_back({"keys out to an employee",
                   [c, borrowerId] { return KeyGetKeysOutTo(*c, borrowerId).size(); }});
    all.push_back({"a key lent and taken back",
                   [c, keyId, employeeId] {
                       if (!KeyCheckOut(*c, keyId, employeeId).done ||
                           !KeyCheckIn(*c, keyId, employeeId).done)
                           qFatal("the bench loan was refused");
                       return size_t(2);
                   },
                   [c, lastLoan] {
                       c->db().exec("DELETE FROM [KeyHistory] WHERE [KeyHistoryID] > ?",
                                    {lastLoan});
                   }});
    return all;
}

// Every list and search of the rentals screen, and an item rented and brought
// back (its loans removed again after each run).
inline std::vector<ProgramAction> RentalActions(AppContext& ctx) {
    Database& db = ctx.db();
    const qint64 lastLoan = db.scalar("SELECT MAX([StuffArchID]) FROM [StuffArch]").toLongLong();
    const qint64 itemIn =
        db.scalar("SELECT MIN([StuffID]) FROM [Stuff] WHERE [StuffType] = 2 AND [ReturnDate] = ' '")
            .toLongLong();
    const qint64 category = db.scalar("SELECT MIN([ResTypeID]) FROM [ResType]").toLongLong();

    AppContext* c = &ctx;
    std::vector<ProgramAction> all;
    for (int type = 1; type <= 3; ++type)
        all.push_back({"rental items of tab " + QString::number(type),
                       [c, type] { return GetRentalItems1(*c, type).size(); }});
    all.push_back({"rental items out", [c] { return GetItemsRented(*c).size(); }});
    all.push_back(
        {"rental items due back today", [c] { return GetItemsRented(*c, Today).size(); }});
    all.push_back({"shopping list", [c] { return GetReStockItems(*c).size(); }});
    all.push_back(
        {"history of a rental item", [c, itemIn] { return GetStuffHistory(*c, itemIn).size(); }});
    all.push_back(
        {"rental loans returned in a month (one category)", [c, category] {
             return GetStuffSearch(*c, Today.addMonths(-1), Today, false, category).size();
         }});
    all.push_back({"rental loans checked out in a month",
                   [c] { return GetStuffSearch(*c, Today.addMonths(-1), Today, true).size(); }});
    all.push_back({"a rental checked out and back in",
                   [c, itemIn] {
                       TypedLoan t;
                       t.renterName = "Doe";
                       t.roomNumber = "512";
                       t.returnDate = "03/17/2026";
                       t.returnTime = "05:00 PM";
                       if (!CheckOutItem(*c, itemIn, t).done || !CheckInItem(*c, itemIn).done)
                           qFatal("the bench rental was refused");
                       return size_t(2);
                   },
                   [c, lastLoan] {
                       c->db().exec("DELETE FROM [StuffArch] WHERE [StuffArchID] > ?", {lastLoan});
                   }});
    return all;
}

} // namespace vm::bench
