#pragma once
// The main window with a member logged on, for the tests of its pages and
// command bar: rights are set position by position.

#include "app/forms/frmSearch.h"
#include "core/Rights.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QAction>
#include <QToolBar>
#include <memory>

namespace vm::test {

class DeskFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        member = env.addStaff("Zoe Zeal", "ZOE", "ZZ");
        manager = env.addStaff("Max Major", "MAX", "MM", true);
    }
    void TearDown() override { window.reset(); }

    // The window, with `who` logged on.
    void startDesk(qint64 who) {
        window = std::make_unique<frmSearch>(*env.ctx);
        window->setLogonHandler([this, who] {
            env.logOn(who);
            return true;
        });
        window->Logon();
        ASSERT_TRUE(env.ctx->session.loggedOn());
    }

    void setRight(qint64 who, const Right& right, bool allowed) {
        const QString column = RightsColumn(right.area);
        const QString rights =
            env.db()
                .scalar("SELECT [" + column + "] FROM [ConciergePlus] WHERE [ConciergeID] = ?",
                        {who})
                .toString();
        env.db().exec("UPDATE [ConciergePlus] SET [" + column + "] = ? WHERE [ConciergeID] = ?",
                      {SetRightChar(rights, right.position, allowed), who});
    }

    // A command of the bar clicked as the member clicks it; a menu entry chosen.
    void clickCommand(const QString& objectName) {
        QAction* action = window->commandAction(objectName);
        ASSERT_TRUE(action) << objectName.toStdString();
        auto* bar = window->findChild<QToolBar*>("tbCommands");
        if (auto* button = qobject_cast<QAbstractButton*>(bar->widgetForAction(action)))
            button->click();
        else
            action->trigger();
    }
    void clickIcon(const QString& objectName) {
        QAbstractButton* icon = window->othersIcon(objectName);
        ASSERT_TRUE(icon) << objectName.toStdString();
        icon->click();
    }

    TestEnv env;
    qint64 member = 0, manager = 0;
    std::unique_ptr<frmSearch> window;
};

} // namespace vm::test
