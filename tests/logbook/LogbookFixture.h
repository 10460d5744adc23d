#pragma once
// A logged-on desk on a fresh property, with helpers to add categories and entries.

#include "core/Rights.h"
#include "logbook/Categories.h"
#include "logbook/Designs.h"
#include "logbook/LogbookStore.h"
#include "logbook/forms/frmLogbook.h"
#include "security/Logon.h"
#include "support/ScreenDriver.h"
#include "support/StaffRights.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <stdexcept>

namespace vm::test {

using screen::control;

// Clicks the button as the user does: a disabled button does nothing.
inline void click(const QObject& root, const QString& name) {
    control<QAbstractButton>(root, name)->click();
}

// Saves the entry screen with its Save button; answers whether it saved.
inline bool save(frmLogbook& f) {
    QSignalSpy saved(&f, &frmLogbook::entrySaved);
    click(f, "cmdSave");
    return saved.count() == 1;
}

// Another workstation of the same property: its own connection, prompt and
// logged-on member.
struct OtherDesk {
    OtherDesk(TestEnv& env, qint64 conciergeId) : ctx(env.ctx->workstation, prompt, env.clock) {
        ctx.start = env.ctx->start;
        ctx.globals = env.ctx->globals;
        ctx.current = Database::open(env.db().location(), false);
        const auto member = ctx.current->queryOne(
            "SELECT * FROM [Concierge] WHERE [ConciergeID] = ?", {conciergeId});
        if (!member) throw std::runtime_error("no such member");
        FillSessionFromStaffRow(ctx.session, *member);
    }
    LogbookStore store() { return LogbookStore(ctx); }

    RecordingPrompt prompt;
    AppContext ctx;
};

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

    // A category whose design has these lines (labels end with ":"), in order.
    qint64 designedCategory(const QString& name, const QStringList& labels) {
        const qint64 id = category(name);
        std::vector<DesignLine> lines;
        for (const QString& label : labels) {
            DesignLine d;
            d.label = label;
            lines.push_back(d);
        }
        if (const QString refusal = SaveDesign(*env.ctx, id, lines); !refusal.isEmpty())
            throw std::runtime_error("design not saved: " + refusal.toStdString());
        return id;
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
        SetStaffRight(env.db(), staffId, {RightsArea::Logbook, position}, allowed);
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
