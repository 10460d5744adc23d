#pragma once
// Online table reservations for one logbook entry: the restaurant, date,
// time and party are searched at the reservation service, an offered time is
// chosen in the grid and booked.  A confirmation is written into the stored
// entry at once.  Every action is disabled while a request runs.

#include "bookings/OnlineTables.h"
#include "core/AppContext.h"
#include "logbook/LogEntry.h"

#include <QDialog>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {

class DataGrid;

class frmOpenTable : public QDialog {
    Q_OBJECT
public:
    // `request` is what the entry's checks read from it (CheckOpenTableEntry).
    frmOpenTable(AppContext& ctx, const LogEntry& entry, const OTConfig& config,
                 const OTEntryRequest& request, QWidget* parent = nullptr);
    ~frmOpenTable() override;

    // Whether a booking was confirmed and written into the entry.
    bool booked() const { return m_booked; }
    // The screen's connection to the service (its time-outs can be set).
    OTService& service() { return *m_service; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void build();
    void fill(const OTEntryRequest& request);
    void updateTitle();
    void cmdSearch_Click();
    void cellClicked(int shownRow, int column);
    void cmdSave_Click();
    void setBusy(bool busy);
    void clearChoice();
    // The pickers' time, "hh:mm AM/PM".
    QString chosenTime() const;
    const OTRestaurant* chosenRestaurant() const;
    // The party size typed, or 0 after its message.
    int checkedParty();

    AppContext& m_ctx;
    LogEntry m_entry;
    OTConfig m_config;
    std::unique_ptr<OTService> m_service;
    std::vector<OTRestaurant> m_restaurants;
    std::vector<OTSearchResult> m_results;
    int m_chosenResult = -1; // index into the results; -1: no time chosen
    int m_chosenSlot = 0;    // OTEarlier, OTExact or OTLater
    bool m_busy = false;
    bool m_booked = false;

    QComboBox *cboRestaurant, *cboHour, *cboMinute, *cboAMPM;
    QLineEdit *txtDate, *txtPartySize, *txtPhone, *txtNotes, *txtFirstName, *txtLastName;
    QCheckBox *chkArea, *chkBusiness, *chkFirstTime;
    QLabel *lblStatus, *lblChosen;
    DataGrid* grdResults;
    QPushButton *cmdSearch, *cmdSave, *cmdExit;
};

} // namespace vm
