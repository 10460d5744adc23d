#pragma once
// The reservation desk on a fresh property with the manager logged on (the
// main window's member and manager; the window itself only when started), and
// helpers that drive the desk's controls by name as a member would.

#include "app/DeskFixture.h"
#include "bookings/Reservations.h"
#include "bookings/forms/frmReservation.h"
#include "bookings/reports/ReservationReports.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

namespace vm::test {

template <class T = QWidget> T* control(const QObject& root, const QString& name) {
    T* w = root.findChild<T*>(name);
    EXPECT_TRUE(w) << name.toStdString();
    return w;
}

class ResScreenFixture : public DeskFixture {
protected:
    void SetUp() override {
        EnsureApplication();
        DeskFixture::SetUp();
        RegisterReservationReports(env.ctx->reports);
        env.logOn(manager);
    }

    AppContext& ctx() { return *env.ctx; }

    ResCategory saved(ResCategory c, const QStringList& items) {
        c.dayOfWeek = "SunMonTueWedThuFriSat";
        EXPECT_EQ(CheckResType(c), "");
        SaveResType(ctx(), c);
        for (const QString& name : items) {
            ResItem i;
            i.itemName = name;
            SaveResItem(ctx(), c, i);
        }
        return c;
    }

    // The desk, shown, with `category` chosen on the booking page.
    std::unique_ptr<frmReservation> openDesk(const QString& category) {
        auto desk = std::make_unique<frmReservation>(ctx());
        desk->show();
        auto* box = control<QComboBox>(*desk, "cboCategory");
        box->setCurrentIndex(box->findText(category));
        EXPECT_EQ(box->currentText(), category);
        return desk;
    }

    static void click(const QObject& root, const QString& name) {
        auto* b = control<QAbstractButton>(root, name);
        ASSERT_TRUE(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Typed key by key (the box reports the edit as a member's).
    static void type(const QObject& root, const QString& name, const QString& text) {
        auto* e = control<QLineEdit>(root, name);
        ASSERT_TRUE(e);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, text);
    }
    // A date typed and the box left.
    static void typeDate(const QObject& root, const QString& name, const QDate& d) {
        type(root, name, Formats::ShortDate(d));
        QTest::keyClick(control<QLineEdit>(root, name), Qt::Key_Return);
    }
    static void choose(const QObject& root, const QString& name, const QString& text) {
        auto* box = control<QComboBox>(root, name);
        ASSERT_TRUE(box);
        const int at = box->findText(text);
        ASSERT_GE(at, 0) << text.toStdString();
        box->setCurrentIndex(at);
    }
    static QString text(const QObject& root, const QString& name) {
        if (auto* l = root.findChild<QLabel*>(name)) return l->text();
        if (auto* e = root.findChild<QLineEdit*>(name)) return e->text();
        if (auto* b = root.findChild<QAbstractButton*>(name)) return b->text();
        ADD_FAILURE() << name.toStdString();
        return {};
    }

    // Clicks the grid's cell as the mouse does.
    static void clickCell(frmReservation& desk, int row, int column) {
        auto* grid = control<QTableWidget>(desk, "grdReservations");
        ASSERT_TRUE(grid);
        ASSERT_LT(row, grid->rowCount());
        grid->scrollToItem(grid->item(row, column));
        const QRect r = grid->visualItemRect(grid->item(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    }
    static QString cell(frmReservation& desk, int row, int column) {
        auto* grid = desk.findChild<QTableWidget*>("grdReservations");
        const QTableWidgetItem* item = grid ? grid->item(row, column) : nullptr;
        return item ? item->text() : QString();
    }
    // The first line whose cell in `column` starts with `prefix` ("" = an empty cell
    // of a line that names `item` in the first column).
    static int lineOf(frmReservation& desk, int column, const QString& prefix,
                      const QString& item = {}) {
        auto* grid = desk.findChild<QTableWidget*>("grdReservations");
        for (int r = 0; grid && r < grid->rowCount(); ++r) {
            const QString t = cell(desk, r, column);
            if (prefix.isEmpty() ? t.isEmpty() && cell(desk, r, 0) == item : t.startsWith(prefix))
                return r;
        }
        return -1;
    }

    int stored(const QString& table, qint64 resTypeId) {
        return env.db()
            .scalar("SELECT COUNT(*) FROM [" + table + "] WHERE [ResTypeID] = ?", {resTypeId})
            .toInt();
    }
};

} // namespace vm::test
