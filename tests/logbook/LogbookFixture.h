#pragma once
// A logged-on desk on a fresh property, with helpers to add categories and entries.

#include "core/Rights.h"
#include "logbook/Categories.h"
#include "logbook/LogbookStore.h"
#include "support/TestEnv.h"

namespace vm::test {

class LogbookFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        staffId = env.addStaff("Ann Desk", "ann", "AD");
        env.logOn(staffId);
    }

    qint64 category(const QString& name, bool restricted = false, bool reserved = false,
                    int dayLogs = 0) {
        InsertCategory(env.db(), name);
        Category c = *GetLogTypeByName(env.db(), name);
        c.restricted = restricted;
        c.isReserved = reserved;
        c.dayLogs = dayLogs;
        UpdateConfText(*env.ctx, c, {}, {});
        return c.id;
    }

    LogEntry entry(const QString& last, const QString& category, const QString& referDate,
                   const QString& text = "Table for two") {
        LogEntry e;
        e.lastName = last;
        e.firstName = "Pat";
        e.entryType = category;
        e.referDate = referDate;
        e.referTime = "19:30";
        e.text = text;
        return e;
    }

    qint64 add(LogEntry e) { return store().InsertLogBook(e); }

    // Grants or takes away one position of the member's Logbook rights.
    void grant(int position, bool allowed = true) {
        const QString column = RightsColumn(RightsArea::Logbook);
        const QString rights =
            env.db()
                .scalar("SELECT [" + column + "] FROM [ConciergePlus] WHERE [ConciergeID] = ?",
                        {staffId})
                .toString();
        env.db().exec("UPDATE [ConciergePlus] SET [" + column + "] = ? WHERE [ConciergeID] = ?",
                      {SetRightChar(rights, position, allowed), staffId});
    }

    LogbookStore store() { return LogbookStore(*env.ctx); }

    // Rows of a table for one key column value, as a count.
    int count(Database& db, const QString& sql, const QVariantList& p = {}) {
        return db.scalar(sql, p).toInt();
    }

    TestEnv env;
    qint64 staffId = 0;
};

} // namespace vm::test
