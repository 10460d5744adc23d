#pragma once
// The key-control screen on a fresh property: two employees, a few keys in
// two groups, the manager logged on (members and rights as in the main
// window's tests), and helpers that drive the screen's controls by name.

#include "app/DeskFixture.h"
#include "core/Formats.h"
#include "guests/OtherLists.h"
#include "operations/KeyControl.h"
#include "operations/forms/frmKeyControl.h"
#include "operations/reports/KeyControlReports.h"
#include "output/PdfReader.h"
#include "output/forms/frmPrintPreview.h"
#include "platform/forms/DataGrid.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace vm::test {

class KeyScreenFixture : public DeskFixture {
protected:
    void SetUp() override {
        EnsureApplication();
        DeskFixture::SetUp();
        RegisterKeyControlReports(env.ctx->reports);
        env.logOn(manager);
        // Saturday 22:30: a four-hour loan is due after midnight.
        env.clock.set(QDateTime(QDate(2026, 3, 14), QTime(22, 30)));
        for (const QString& group : {"Masters", "Storage"})
            ASSERT_EQ(InsertOtherData(ctx(), "KeyGroup", group), "");
        ada = employee("Ada Brook", "E100", "Porter");
        bo = employee("Bo Chen", "E200", "Houseman");
        master1 = key("101", "Masters", "Floor 1 master", 4, "Hours");
        master2 = key("102", "Masters", "Floor 2 master", 4, "Hours");
        store = key("201", "Storage", "Linen room", 2, "Days");
        KeySaveAssignments(ctx(), ada, {master1, store});
        KeySaveAssignments(ctx(), bo, {master1, master2});
    }

    AppContext& ctx() { return *env.ctx; }

    qint64 employee(const QString& name, const QString& number, const QString& title) {
        KeyEmployeeRecord e;
        e.name = name;
        e.number = number;
        e.jobTitle = title;
        EXPECT_EQ(KeyInsertEmployee(ctx(), e), "");
        return e.id;
    }
    qint64 key(const QString& number, const QString& group, const QString& description,
               int duration, const QString& unit) {
        KeyRecord k;
        k.keyNumber = number;
        k.groupName = group;
        k.description = description;
        k.outDuration = duration;
        k.outHoursDays = unit;
        EXPECT_EQ(KeyInsertKey(ctx(), k), "");
        return k.id;
    }

    std::unique_ptr<frmKeyControl> openScreen() {
        auto f = std::make_unique<frmKeyControl>(ctx());
        f->show();
        return f;
    }

    template <class T = QWidget> static T* control(const QObject& root, const QString& name) {
        T* w = root.findChild<T*>(name);
        EXPECT_TRUE(w) << name.toStdString();
        return w;
    }
    static void click(const QObject& root, const QString& name) {
        auto* b = control<QAbstractButton>(root, name);
        ASSERT_TRUE(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Typed key by key, as a member or a scanner does, optionally with Enter.
    static void type(const QObject& root, const QString& name, const QString& text,
                     bool enter = false) {
        auto* e = control<QLineEdit>(root, name);
        ASSERT_TRUE(e);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, text);
        if (enter) QTest::keyClick(e, Qt::Key_Return);
    }
    static QString text(const QObject& root, const QString& name) {
        if (auto* l = root.findChild<QLabel*>(name)) return l->text();
        if (auto* e = root.findChild<QLineEdit*>(name)) return e->text();
        ADD_FAILURE() << name.toStdString();
        return {};
    }
    static void choose(const QObject& root, const QString& name, const QString& text) {
        auto* box = control<QComboBox>(root, name);
        ASSERT_TRUE(box);
        const int at = box->findText(text, Qt::MatchStartsWith);
        ASSERT_GE(at, 0) << text.toStdString();
        box->setCurrentIndex(at);
    }
    // The page's tab clicked as the member clicks it.
    static void showPage(const QObject& root, int index) {
        auto* tabs = control<QTabWidget>(root, "tabKeyControl");
        ASSERT_TRUE(tabs);
        QTabBar* bar = tabs->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    static QStringList row(const QObject& root, const QString& grid, int r) {
        auto* g = control<DataGrid>(root, grid);
        QStringList cells;
        for (int c = 0; g && c < g->model()->columnCount(); ++c)
            cells << g->cell(r, c);
        return cells;
    }

    // The preview opened below `root`, saved as PDF: its pages' text.
    QStringList printed(const QObject& root, const QString& file) {
        auto* preview = root.findChild<frmPrintPreview*>();
        EXPECT_TRUE(preview);
        if (!preview) return {};
        const QString pdf = env.root() + "/" + file;
        env.desktop.choose(pdf);
        click(*preview, "cmdPdf");
        preview->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return PdfPages(pdf);
    }

    QString outputPath(const QString& file) {
        return env.ctx->workstation.outputFolder() + file;
    }
    QVariant value(const QString& sql, const QVariantList& params) {
        return env.db().scalar(sql, params);
    }

    qint64 ada = 0, bo = 0;
    qint64 master1 = 0, master2 = 0, store = 0;
};

} // namespace vm::test
