#pragma once
// A property set up for online table reservations (hotel and area ids, the
// member's id at the service, the design lines the settings map), a
// restaurant contact whose host is a fake service on 127.0.0.1, a dining
// entry, and the entry screen with the reservation hooks filled.  The
// reservation screens open modally from the entry screen; `whenOpen` drives
// them as they appear.

#include "bookings/OnlineTables.h"
#include "bookings/forms/OnlineTablesModule.h"
#include "bookings/forms/frmOTCancel.h"
#include "bookings/forms/frmOpenTable.h"
#include "core/Settings.h"
#include "guests/Contacts.h"
#include "logbook/Categories.h"
#include "logbook/Designs.h"
#include "logbook/LogbookStore.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/forms/DataGrid.h"
#include "support/FakeHttpServer.h"
#include "support/ScreenDriver.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

namespace vm::test {

class OtScreenFixture : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        env.openOrFail();
        ASSERT_TRUE(server.listen());
        member = env.addStaff("Max Major", "MAX", "MM", true);
        env.db().exec("UPDATE [Concierge] SET [OTConciergeID] = ? WHERE [ConciergeID] = ?",
                      {QString("C77"), member});
        env.logOn(member);
        Database& db = env.db();
        ASSERT_TRUE(SetBooleanSetting(db, "OpenTable", true));
        db.exec("UPDATE [Authorization] SET [OTHotelID] = ?, [OTAreaID] = ?", {555.0, 9.0});
        for (const auto& [name, label] : std::initializer_list<std::pair<QString, QString>>{
                 {"OTName", "Restaurant:"},
                 {"OTNumber", "Party Size:"},
                 {"OTTime", "Time:"},
                 {"OTPhone", "Phone:"},
                 {"OTNotes", "Notes:"},
                 {"OTConfirmation", "Confirmation:"}})
            ASSERT_TRUE(SetTextSetting(db, name, label));
        SetValueFromKey(db, kOTStandardHostKey, server.hostPort());

        InsertCategory(db, "Dining");
        Category c = *GetLogTypeByName(db, "Dining");
        UpdateConfText(*env.ctx, c, {}, {});
        std::vector<DesignLine> lines;
        for (const char* label :
             {"Restaurant:", "Party Size:", "Time:", "Phone:", "Notes:", "Confirmation:"}) {
            DesignLine d;
            d.label = label;
            lines.push_back(d);
        }
        ASSERT_EQ(SaveDesign(*env.ctx, c.id, lines), "");

        Contact grill;
        grill.name = "Harbour Grill";
        grill.otRestaurantId = 4321;
        grill.otCuisine = "Seafood";
        grill.otNeighborhood = "Old Port";
        grill.otPrice = "$$$";
        grill.otHost = server.hostPort();
        restaurant = InsertContact(*env.ctx, grill);

        FillOnlineTableHooks(*env.ctx, hooks);
    }

    // A saved dining entry asking for a table.
    qint64 diningEntry(const QString& party = "4", const QString& time = "7:30 pm") {
        LogEntry e;
        e.firstName = "Pat";
        e.lastName = "O'Hara & Co";
        e.entryType = "Dining";
        e.referDate = "2026/05/01";
        e.referTime = "19:30";
        e.text = "Restaurant: Harbour Grill\r\nParty Size: " + party + "\r\nTime: " + time +
                 "\r\nPhone: 555-0100\r\nNotes: Window table\r\nConfirmation: \r\n";
        return LogbookStore(*env.ctx).InsertLogBook(e);
    }

    LogEntry stored(qint64 logId) { return *LogbookStore(*env.ctx).GetTheLogEntry(logId); }

    // Runs `drive` on the modal screen T once it is open (polled from the
    // event loop the screen's exec() runs).
    template <class T> void whenOpen(std::function<void(T&)> drive) {
        auto* poll = new QTimer;
        auto started = std::make_shared<QElapsedTimer>();
        started->start();
        QObject::connect(poll, &QTimer::timeout, poll, [poll, drive, started] {
            if (auto* screen = qobject_cast<T*>(QApplication::activeModalWidget())) {
                poll->stop();
                poll->deleteLater();
                QPointer<T> open(screen);
                drive(*screen);
                // A drive cut short by a failed assertion must not leave it waiting.
                if (open && open->isVisible()) open->done(QDialog::Rejected);
            } else if (started->elapsed() > 5000) {
                poll->stop();
                poll->deleteLater();
                ADD_FAILURE() << "the screen did not open";
            }
        });
        poll->start(10);
    }

    // Fails and closes any screen that opens from here on.
    void expectNoScreen() {
        guard.callOnTimeout([] {
            if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "a screen opened: " << open->objectName().toStdString();
                open->done(QDialog::Rejected);
            }
        });
        guard.start(20);
    }

    // Clicks a cell of the result grid as the mouse does.
    static void clickCell(frmOpenTable& f, int row, int column) {
        auto* grid = screen::control<DataGrid>(f, "grdResults");
        ASSERT_TRUE(grid);
        ASSERT_LT(row, grid->rowCount());
        const QModelIndex at = grid->model()->index(row, column);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(at).center());
    }

    // The requests the fake service saw for one page.
    int requestsTo(const QByteArray& path) const {
        int n = 0;
        for (const RecordedRequest& r : server.requests())
            n += r.path() == path;
        return n;
    }

    TestEnv env;
    FakeHttpServer server;
    QTimer guard;
    LogbookScreenHooks hooks;
    qint64 member = 0, restaurant = 0;
};

} // namespace vm::test
