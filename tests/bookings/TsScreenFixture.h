#pragma once
// The timed-services screen on a fresh property with a member logged on,
// driven by its controls: set-up pages filled and saved as the desk does.

#include "bookings/TsBookings.h"
#include "bookings/forms/frmTimedService.h"
#include "guests/OtherLists.h"
#include "logbook/LogbookFixture.h"
#include "platform/forms/DataGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <memory>

namespace vm::test {

class TsScreenFixture : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        EnsureApplication();
    }
    void TearDown() override { screen.reset(); }

    // A value of a lookup list ("TService", "TSVenue"); answers its OtherID.
    qint64 lookup(const QString& type, const QString& value) {
        EXPECT_EQ(InsertOtherData(*env.ctx, type, value), "");
        for (const OtherValue& v : GetOtherData(*env.ctx, type))
            if (v.value.trimmed() == value) return v.id;
        throw std::runtime_error("lookup value not stored");
    }

    void open() {
        screen = std::make_unique<frmTimedService>(*env.ctx);
        screen->show();
    }
    template <class T = QWidget> T* find(const QString& name) { return control<T>(*screen, name); }
    void page(const QString& name) {
        find<QTabWidget>("tabTimedServices")->setCurrentWidget(find(name));
    }
    void press(const QString& name) { click(*screen, name); }
    void type(const QString& name, const QString& text) { find<QLineEdit>(name)->setText(text); }
    void choose(const QString& combo, const QString& text) {
        auto* box = find<QComboBox>(combo);
        const int at = box->findText(text);
        if (at < 0) throw std::runtime_error("no item " + text.toStdString());
        box->setCurrentIndex(at);
    }

    // A provider working every day 09:00-17:00, saved on the providers page.
    qint64 addProvider(const QString& name) {
        page("tabProviders");
        press("cmdNewProvider");
        type("txtProviderName", name);
        find<QRadioButton>("optFemale")->click();
        type("txtCommission", "10");
        auto* week = find<QTableWidget>("grdWeek");
        for (int d = 0; d < 7; ++d) {
            week->item(d, 1)->setText("09:00");
            week->item(d, 2)->setText("17:00");
            find<QCheckBox>(QString("chkWorkSchedule_%1").arg(d))->setChecked(true);
        }
        press("cmdSaveProvider");
        return env.db()
            .scalar("SELECT [ProvidersID] FROM [Providers] WHERE [ProviderName] = ?", {name})
            .toLongLong();
    }

    qint64 addService(const QString& name, const QString& category, const QString& location,
                      int minutes) {
        page("tabServices");
        press("cmdNewService");
        type("txtServiceName", name);
        choose("cboServiceCategory", category);
        choose("cboServiceLocation", location);
        type("txtServicePrice", "80");
        choose("cboDuration", QString::number(minutes));
        press("cmdSaveService");
        return env.db()
            .scalar("SELECT [ServicesID] FROM [Services] WHERE [ServiceName] = ?", {name})
            .toLongLong();
    }

    void assignAll(const QString& provider) {
        page("tabAssignment");
        choose("cboAssignProvider", provider);
        find<QCheckBox>("chkAll")->setChecked(true);
        press("cmdSaveAssignment");
    }

    // The catalogue most tests book against: "Spa" / "Massage" (90 minutes) /
    // "Room 1" with Anna, who gives every service.
    void catalogue() {
        spa = lookup("TService", "Spa");
        room = lookup("TSVenue", "Room 1");
        open();
        anna = addProvider("Anna");
        massage = addService("Massage", "Spa", "Room 1", 90);
        assignAll("Anna");
    }

    // A Massage saved through the store (for tests about what follows it).
    qint64 book(qint64 provider, const QString& shortDate, const QString& time, const QString& last) {
        TypedTsBooking t;
        t.referDate = shortDate;
        t.categoryId = spa;
        t.serviceId = massage;
        t.providerId = provider;
        t.referTime = time;
        t.lastName = last;
        t.firstName = "Pat";
        const TsSaveResult r = SaveTimedService(*env.ctx, 0, t);
        EXPECT_TRUE(r.saved) << r.message.toStdString();
        return r.id;
    }

    // Grants one right to the logged-on member.
    void grant(const Right& right) {
        const QString column = RightsColumn(right.area);
        const QString rights =
            env.db()
                .scalar("SELECT [" + column + "] FROM [ConciergePlus] WHERE [ConciergeID] = ?",
                        {staffId})
                .toString();
        env.db().exec("UPDATE [ConciergePlus] SET [" + column + "] = ? WHERE [ConciergeID] = ?",
                      {SetRightChar(rights, right.position, true), staffId});
    }

    DataGrid* sheet() { return find<DataGrid>("grdSheet"); }
    int rowOf(const QString& time) {
        for (int r = 0; r < sheet()->rowCount(); ++r)
            if (sheet()->cell(r, 0) == time) return r;
        throw std::runtime_error("no row " + time.toStdString());
    }
    void clickRow(int row) { clickRow(sheet(), row); }
    static void clickRow(DataGrid* g, int row) {
        const QModelIndex i = g->model()->index(row, 1);
        g->scrollTo(i);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(i).center());
    }
    // A row is taken when the grid paints it in a colour of its own.
    bool taken(int row) {
        const QColor c = sheet()->background(row);
        return c.isValid() && c != QColor(Qt::white);
    }
    QString label(const QString& name) { return find<QLabel>(name)->text(); }

    // The booking page with Anna's sheet and a Massage chosen.
    void bookingPage() {
        page("tabBooking");
        choose("cboShowProvider", "Anna");
        choose("cboCategory", "Spa");
        choose("cboService", "Massage");
    }

    std::unique_ptr<frmTimedService> screen;
    qint64 spa = 0, room = 0, anna = 0, massage = 0;
};

} // namespace vm::test
