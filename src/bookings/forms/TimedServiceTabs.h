#pragma once
// The pages of the timed-services screen: the day sheet with the booking
// fields, and the set-up pages (providers, services, assignment, logbook
// links, mass delete and printing).  Each page reads its controls and calls
// the bookings stores; a page that changes the catalogue says so (changed)
// so the others reload their lists.

#include "bookings/DaySheet.h"
#include "bookings/TsBookings.h"
#include "bookings/forms/frmTSCalendar.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace vm {

class DataGrid;

// Fills a combo with (id, text) pairs behind an empty first item (id 0),
// keeping the chosen id when it is still there.
void FillIdCombo(QComboBox* box, const std::vector<std::pair<qint64, QString>>& items);
qint64 ComboId(const QComboBox* box);
bool SelectComboId(QComboBox* box, qint64 id);
// A row of buttons (no default button: Enter belongs to the grids).
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);
// The box takes amounts only: digits and one decimal point.
void AcceptAmounts(QLineEdit* box);
// The lookup list of that type as (OtherID, value) pairs, by value.
std::vector<std::pair<qint64, QString>> LookupItems(AppContext& ctx, const QString& type);

class TimedServiceBookingTab : public QWidget {
    Q_OBJECT
public:
    TimedServiceBookingTab(AppContext& ctx, QWidget* parent = nullptr);

    QDate day() const;
    // Lists of the catalogue again (after a set-up page changed it), then the sheet.
    void reloadLists();
    void redraw();
    // A booking chosen elsewhere (the calendar): shown on its day's sheet.
    void loadBooking(qint64 timedServiceId);
    // A free time chosen on the calendar: its day, service, provider and row.
    void showChoice(const TsCalendarChoice& c);

Q_SIGNALS:
    void dayChanged(const QDate& day);

private:
    void buildSheet(QGridLayout* grid);
    void buildFields(QGridLayout* grid);
    // Says so when the chosen location (or the catalogue) has no services.
    void warnWithoutServices();
    void categoryChanged();
    void serviceChanged();
    void updateCardBox();
    void rowClicked(int row);
    void highlightRows(int first, int count);
    void highlightBooking(qint64 id);
    void showBooking(const TsBooking& b);
    void newBooking(bool keepService);
    void lockBooked(bool locked);
    void pickProfile();
    void clearProfile();
    void openCalendar();
    void cmdSave_Click();
    void cmdDelete_Click();
    int chosenMinutes() const;
    TypedTsBooking typed() const;
    void focusFor(const QString& refusal);

    AppContext& m_ctx;
    DaySheet m_sheet;
    qint64 m_id = 0;
    qint64 m_profileId = 0;
    QString m_time; // the chosen row's time, "" when none

    QDateEdit* dtpReferDate;
    QComboBox *cboShowProvider, *cboShowLocation;
    DataGrid* grdSheet;
    QLabel* lblOutside;
    QListWidget* lstOutside;
    QComboBox *cboCategory, *cboService, *cboProvider;
    QLabel *lblDuration, *lblPrice, *lblLocation, *lblTime, *lblProfile, *lblTSID;
    QLabel* lblCardNumber;
    QLineEdit *txtLastName, *txtFirstName, *txtGratuity, *txtConfirmation, *txtPOSNumber;
    QLineEdit* txtCardNumber;
    QWidget* fraGuestName;
    QCheckBox* chkStatus[3];
    QPlainTextEdit* txtInstructions;
    QPushButton *cmdProfile, *cmdClearProfile, *cmdSave, *cmdDelete, *cmdNew, *cmdCalendar;
};

class TimedServiceProvidersTab : public QWidget {
    Q_OBJECT
public:
    TimedServiceProvidersTab(AppContext& ctx, QWidget* parent = nullptr);
    void reload(qint64 selectId = 0);

Q_SIGNALS:
    void changed();

private:
    void showProvider(qint64 id);
    void clearProvider();
    void showWeek(const TsWeek& w);
    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdSchedule_Click();

    AppContext& m_ctx;
    qint64 m_id = 0;
    bool m_allServices = false;
    QListWidget* lstProviders;
    QLineEdit *txtProviderName, *txtCommission;
    QRadioButton *optFemale, *optMale;
    QTableWidget* grdWeek;
    QCheckBox* chkWork[7];
    QPushButton *cmdSaveProvider, *cmdDeleteProvider, *cmdNewProvider, *cmdSchedule;
};

class TimedServiceServicesTab : public QWidget {
    Q_OBJECT
public:
    TimedServiceServicesTab(AppContext& ctx, QWidget* parent = nullptr);
    void reload(qint64 selectId = 0);

Q_SIGNALS:
    void changed();

private:
    void reloadLookups();
    void showService(qint64 id);
    void clearService();
    void cmdSave_Click();
    void cmdDelete_Click();
    void maintainList(const QString& type);

    AppContext& m_ctx;
    qint64 m_id = 0;
    DataGrid* grdServices;
    QLineEdit *txtServiceName, *txtServicePrice;
    QComboBox *cboServiceCategory, *cboServiceLocation, *cboDuration;
    QPushButton *cmdSaveService, *cmdDeleteService, *cmdNewService, *cmdCategories, *cmdLocations;
};

class TimedServiceAssignTab : public QWidget {
    Q_OBJECT
public:
    TimedServiceAssignTab(AppContext& ctx, QWidget* parent = nullptr);
    void reload();

private:
    void showProvider();
    void move(QListWidget* from, QListWidget* to);
    void cmdSave_Click();

    AppContext& m_ctx;
    QComboBox* cboAssignProvider;
    QCheckBox* chkAll;
    QListWidget *lstAvailable, *lstSelected;
    QPushButton *cmdAddService, *cmdRemoveService, *cmdSaveAssignment;
};

class TimedServiceLinksTab : public QWidget {
    Q_OBJECT
public:
    TimedServiceLinksTab(AppContext& ctx, QWidget* parent = nullptr);
    void reload(qint64 selectId = 0);

Q_SIGNALS:
    void changed();

private:
    void showLink(qint64 id);
    void clearLink();
    void logCategoryChanged();
    void cmdSave_Click();
    void cmdDelete_Click();

    AppContext& m_ctx;
    TsLogLink m_link;
    QListWidget* lstLinks;
    QComboBox *cboLinkCategory, *cboLogCategory;
    QComboBox *cboLinkValue[15], *cboLinkLabel[15];
    QPushButton *cmdSaveLink, *cmdDeleteLink, *cmdNewLink;
};

class TimedServiceToolsTab : public QWidget {
    Q_OBJECT
public:
    TimedServiceToolsTab(AppContext& ctx, QWidget* parent = nullptr);

Q_SIGNALS:
    void purged();

private:
    void cmdDeleteTS_Click();
    void print(bool locationSheets);

    AppContext& m_ctx;
    QLineEdit *txtDeleteDate, *txtPrintDate;
    QPushButton *cmdDeleteTS, *cmdPrintLocationSheets, *cmdPrintProviderSheets;
};

} // namespace vm
