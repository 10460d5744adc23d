#pragma once
// The staff editor on a fresh property: a desk member (Zoe) and a manager
// (Max, logged on), two logbook categories and a message group; helpers that
// open the editor and drive it by control names.

#include "admin/forms/frmStaffPlus.h"
#include "app/DeskFixture.h"
#include "logbook/Categories.h"
#include "support/ScreenDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace vm::test {

class StaffScreenFixture : public DeskFixture {
protected:
    void SetUp() override {
        EnsureApplication();
        DeskFixture::SetUp();
        env.logOn(manager);
        for (const QString c : {"Dining", "Spa", "Tours"})
            InsertCategory(env.db(), c);
    }

    AppContext& ctx() { return *env.ctx; }
    RecordingPrompt& prompt = env.prompt;

    std::unique_ptr<frmStaffPlus> openEditor() {
        auto f = std::make_unique<frmStaffPlus>(ctx());
        f->show();
        return f;
    }

    // Chooses the member listed under `name` (with or without its mark).
    static void pick(const QObject& root, const QString& name) {
        auto* list = screen::control<QListWidget>(root, "lstConcierge");
        ASSERT_TRUE(list);
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text().startsWith(name)) {
                list->setCurrentRow(i);
                return;
            }
        FAIL() << "not listed: " << name.toStdString();
    }
    static QStringList listed(const QObject& root) {
        QStringList out;
        auto* list = screen::control<QListWidget>(root, "lstConcierge");
        for (int i = 0; list && i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    // A tab clicked as the member clicks it; answers the tab shown afterwards.
    static int showTab(const QObject& root, int index) {
        auto* tabs = screen::control<QTabWidget>(root, "tabStaff");
        if (!tabs) return -1;
        QTabBar* bar = tabs->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        return tabs->currentIndex();
    }
    static void tick(const QObject& root, const QString& name, bool on) {
        auto* box = screen::control<QCheckBox>(root, name);
        ASSERT_TRUE(box);
        if (box->isChecked() != on) box->click();
    }
    static QStringList listItems(const QObject& root, const QString& name) {
        QStringList out;
        auto* list = screen::control<QListWidget>(root, name);
        for (int i = 0; list && i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    // Adds `item` to one of the ordered lists (suffix CategoriesU, CategoriesR, Languages).
    static void addToList(const QObject& root, const QString& suffix, const QString& item) {
        screen::choose(root, "cbo" + suffix, item);
        screen::click(root, "cmdAdd" + suffix);
    }

    QString rightsOf(qint64 id, RightsArea area) {
        return env.db()
            .scalar("SELECT [" + RightsColumn(area) +
                        "] FROM [ConciergePlus] WHERE "
                        "[ConciergeID] = ?",
                    {id})
            .toString();
    }
    QVariant column(qint64 id, const QString& name) {
        return env.db().scalar("SELECT [" + name + "] FROM [Concierge] WHERE [ConciergeID] = ?",
                               {id});
    }
    qint64 idOf(const QString& name) {
        return env.db()
            .scalar("SELECT [ConciergeID] FROM [Concierge] WHERE [Concierge] = ?", {name})
            .toLongLong();
    }
};

// Enum order of the editor's tabs.
enum StaffTab { IdentityTab, RightsTab, ScheduleTab, CategoriesTab, LanguagesTab, GroupsTab };

} // namespace vm::test
