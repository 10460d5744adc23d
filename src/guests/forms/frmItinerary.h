#pragma once
// "Create a Guest Itinerary": guests picked by last name or by arrival date,
// the itinerary of the guest chosen, and every arrival's itinerary in one
// print job.  frmItineraryGI is the same itinerary for one guest id.
//
// Controls (objectNames): txtLastName, cmdByName, lstGuests, dtpArrival,
// cmdByArrival, lstArrivals, cmdPrintArrivals, ItineraryPanel (see
// ItineraryPanel.h); frmItineraryGI: lblGuest, ItineraryPanel.

#include "core/AppContext.h"
#include "guests/Itinerary.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vm {

class ItineraryPanel;

class frmItinerary : public QDialog {
    Q_OBJECT
public:
    explicit frmItinerary(AppContext& ctx, QWidget* parent = nullptr);

    QLineEdit* txtLastName;
    QPushButton* cmdByName;
    QListWidget* lstGuests;
    QLineEdit* dtpArrival;
    QPushButton* cmdByArrival;
    QListWidget* lstArrivals;
    QPushButton* cmdPrintArrivals;
    ItineraryPanel* panel;

private:
    void cmdByName_Click();
    void cmdByArrival_Click();
    void cmdPrintArrivals_Click();
    void guestChosen(QListWidgetItem* item);

    AppContext& m_ctx;
    QDate m_arrival; // the date the arrival list was searched for
};

class frmItineraryGI : public QDialog {
    Q_OBJECT
public:
    frmItineraryGI(AppContext& ctx, const QString& guestId, QWidget* parent = nullptr);

    QLabel* lblGuest;
    ItineraryPanel* panel;
};

// The guest a list row stands for.
ItineraryGuest GuestOfItem(const QListWidgetItem* item);

inline const QString MsgNoGuestEntries =
    QStringLiteral("There are no Logbook Entries for an Itinerary with this Guest ID.");

} // namespace vm
