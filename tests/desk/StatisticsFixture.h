#pragma once
// A logged-on desk with helpers that put dated entries, contacts and events
// straight into their tables (the counts read nothing else).

#include "core/Rights.h"
#include "desk/Statistics.h"
#include "support/StaffRights.h"
#include "support/TestEnv.h"

#include <stdexcept>

namespace vm::test {

struct StatEntry {
    QString category;
    QString referDate;
    QString entryDate{};
    QString entryTime = QStringLiteral("10:00");
    QString enteredBy = QStringLiteral("Ann Desk");
};

class StatisticsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        staffId = env.addStaff("Ann Desk", "ann", "AD");
        env.logOn(staffId);
    }

    void add(const StatEntry& e, Database* db = nullptr) {
        (db ? *db : env.db())
            .exec("INSERT INTO [LogBook] ([LastName], [EntryType], [ReferDate], [EntryDate], "
                  "[EntryTime], [EnteredBy]) VALUES (?, ?, ?, ?, ?, ?)",
                  {"Guest", e.category, e.referDate,
                   e.entryDate.isEmpty() ? e.referDate : e.entryDate, e.entryTime, e.enteredBy});
    }
    void add(const QList<StatEntry>& entries, Database* db = nullptr) {
        for (const StatEntry& e : entries)
            add(e, db);
    }

    void addContact(Database& db, const QString& name, const QString& by, const QString& date) {
        db.exec("INSERT INTO [Contact] ([ContactName], [CommissionType], [EnteredBy], "
                "[EntryDate]) VALUES (?, ?, ?, ?)",
                {name, "0", by, date});
    }
    void addEvent(Database& db, const QString& name, const QString& by, const QString& date) {
        db.exec("INSERT INTO [Event] ([EventName], [StartingDate], [ThroughDate], [EnteredBy], "
                "[EntryDate]) VALUES (?, ?, ?, ?, ?)",
                {name, date, date, by, date});
    }

    // Sets one position of the member's Globals rights.
    void grantGlobals(int position, bool allowed) {
        SetStaffRight(env.db(), staffId, {RightsArea::Globals, position}, allowed);
    }

    StatTable run(const StatRequest& r, const StatProgress& progress = {}) {
        const std::optional<StatTable> t = RunStatistics(*env.ctx, r, progress);
        if (!t) throw std::runtime_error("statistics stopped");
        return *t;
    }

    static StatRequest yearRequest(StatView view, int year, const QString& category = AllCategories,
                                   DateField field = DateField::ReferDate) {
        StatRequest r;
        r.view = view;
        r.year = year;
        r.category = category;
        r.field = field;
        return r;
    }
    static StatRequest rangeRequest(StatView view, QDate from, QDate through,
                                    const QString& category = AllCategories,
                                    DateField field = DateField::ReferDate) {
        StatRequest r;
        r.view = view;
        r.from = from;
        r.through = through;
        r.category = category;
        r.field = field;
        return r;
    }

    // The counts of the first count column, row by row, then the total.
    static QList<qint64> column(const StatTable& t, int c = 0) {
        QList<qint64> out;
        for (const StatRow& row : t.rows)
            out << row.counts.value(c);
        out << t.total.counts.value(c);
        return out;
    }
    static QStringList labels(const StatTable& t) {
        QStringList out;
        for (const StatRow& row : t.rows)
            out << row.label;
        return out;
    }

    TestEnv env;
    qint64 staffId = 0;
};

} // namespace vm::test
