#pragma once
// A logged-on desk with the quick viewer window, task categories and a
// second workstation of the same property for the work of two desks.

#include "core/Rights.h"
#include "desk/QuickViewer.h"
#include "desk/forms/QuickViewer.h"
#include "logbook/LogbookFixture.h"
#include "platform/forms/DataGrid.h"
#include "security/Logon.h"
#include "support/GridText.h"
#include "support/ScreenDriver.h"
#include "support/StaffRights.h"
#include "support/TestEnv.h"

#include <QTabWidget>
#include <memory>

namespace vm::test {

// Another workstation: its own connection, prompt, computer name and member.
struct SecondDesk {
    SecondDesk(TestEnv& env, qint64 conciergeId, const QString& computer)
        : ctx(env.ctx->workstation, prompt, env.clock) {
        ctx.workstation.computerName = computer;
        ctx.start = env.ctx->start;
        ctx.globals = env.ctx->globals;
        ctx.daily.wait = [](int) {};
        ctx.current = Database::open(env.db().location(), false);
        const auto member = ctx.current->queryOne(
            "SELECT * FROM [Concierge] WHERE [ConciergeID] = ?", {conciergeId});
        if (!member) throw std::runtime_error("no such member");
        FillSessionFromStaffRow(ctx.session, *member);
    }

    RecordingPrompt prompt;
    AppContext ctx;
};

// Today is Saturday 2026/03/14, 09:30.
class QuickViewerScreenFixture : public ::testing::Test {
public:
    void SetUp() override {
        EnsureApplication();
        env.openOrFail();
        env.ctx->workstation.computerName = "DESK-A";
        env.ctx->daily.wait = [](int) {};
        ann = env.addStaff("Ann Desk", "ann", "AD");
        bob = env.addStaff("Bob Bell", "bob", "BB");
        env.logOn(ann);
        for (const char* type : {"Front Desk", "Bell Stand"})
            env.db().exec("INSERT INTO [Other]([OtherType], [OtherValue]) VALUES('TaskType', ?)",
                          {type});
    }
    void TearDown() override { viewer.reset(); }

    qint64 master(const QString& recurrence, const QString& category, const QString& description,
                  const QString& initials, const QString& weekdays = "0000000") {
        TaskMasterRow row;
        row.recurrence = recurrence;
        row.category = category;
        row.description = description;
        row.initials = initials;
        row.weekdayMask = weekdays;
        const QString refusal = SaveTaskMaster(*env.ctx, row);
        EXPECT_TRUE(refusal.isEmpty()) << refusal.toStdString();
        return row.masterId;
    }

    void setRight(qint64 who, const Right& right, bool allowed) {
        SetStaffRight(env.db(), who, right, allowed);
    }

    // The window of this desk, on the tab of this objectName.
    frmQuickViewer& open(const QString& tab = "tabDashboard") {
        viewer = std::make_unique<frmQuickViewer>(*env.ctx);
        viewer->show();
        EXPECT_TRUE(viewer->showTab(tab)) << tab.toStdString();
        return *viewer;
    }

    // The tab shown now, by objectName.
    QString shownTab() const { return viewer->tabs()->currentWidget()->objectName(); }

    // Whether `text` holds every one of `parts` in this order.
    static bool inOrder(const QString& text, const QStringList& parts) {
        qsizetype at = 0;
        for (const QString& p : parts) {
            at = text.indexOf(p, at);
            if (at < 0) return false;
            at += p.size();
        }
        return true;
    }

    TestEnv env;
    qint64 ann = 0, bob = 0;
    std::unique_ptr<frmQuickViewer> viewer;
};

} // namespace vm::test
