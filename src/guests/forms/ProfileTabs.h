#pragma once
// The lists below the profile screen's head: indicators (with the trip
// history), contact history, group logs and logbook entries.  Each tab shows
// the profile handed to setProfile; a profile not stored yet (id 0) leaves
// the tab empty and disabled.  The tabs check the member's Profiles rights
// themselves and hide the buttons the member may not use.

#include "core/AppContext.h"
#include "guests/Profiles.h"

#include <QWidget>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace vm {

class DataGrid;

class ProfileIndicatorsTab : public QWidget { // "Indicators" (+ trip history toggle)
public:
    ProfileIndicatorsTab(AppContext& ctx, QWidget* parent = nullptr);
    void setProfile(const Profile& p); // id 0: empty and disabled
    // The selected rows, in the order shown (for the indicator e-mail).
    std::vector<ProfileIndicator> selectedIndicators() const;
    std::function<void()> changed; // called after an add/change/delete

private:
    void loadTypes();
    void refresh(qint64 selectId = 0);
    void showHint();
    void showSelected();
    bool mayMaintain();
    // The type and value of the boxes, or "" with the refusal shown.
    bool readInput(const QString& button, QString& type, QString& value);
    // The row a change or delete works on; 0 with the refusal shown.
    qint64 chosenRow(const QString& refusal);
    void cmdAddIndicator_Click();
    void cmdChangeIndicator_Click();
    void cmdDeleteIndicator_Click();
    void cmdTrips_Click();
    void notifyChanged();

    AppContext& m_ctx;
    qint64 m_profileId = 0;
    std::vector<ProfileIndicator> m_rows;
    std::vector<IndicatorType> m_types;
    QStackedWidget* m_grids;
    DataGrid *grdProfiler, *grdTrips;
    QComboBox* cboProfileType;
    QLabel* lblEntryHint;
    QLineEdit* txtProfileSelection;
    QPushButton *cmdAddIndicator, *cmdChangeIndicator, *cmdDeleteIndicator, *cmdTrips;
};

class ProfileHistoryTab : public QWidget { // "Contact History"
public:
    ProfileHistoryTab(AppContext& ctx, QWidget* parent = nullptr);
    void setProfile(const Profile& p);

private:
    void loadLists();
    void refresh(qint64 selectId = 0);
    void showSelected();
    bool mayMaintain();
    // The date and type typed for an add or a change; false with the refusal shown.
    bool readInput(QDate& date, QString& type);
    QString chosenResult() const;
    // The selected row for the button; 0 with the refusal shown.
    qint64 selectedRow(const QString& button);
    void cmdAddContact_Click();
    void cmdChangeContact_Click();
    void cmdDeleteContact_Click();
    void cmdDeleteByDate_Click();
    void cmdRecurring_Click();
    void cmdCorrespondence_Click();

    AppContext& m_ctx;
    Profile m_profile;
    std::vector<ContactHistoryRow> m_rows;
    DataGrid* grdContactHistory;
    QLineEdit *dtpContactDate, *dtpDeleteBefore;
    QComboBox *cboContactType, *cboContactResult;
    QPushButton *cmdAddContact, *cmdChangeContact, *cmdDeleteContact, *cmdDeleteByDate,
        *cmdRecurring, *cmdCorrespondence;
};

class ProfileGroupLogsTab : public QWidget { // "Group Logs"
public:
    ProfileGroupLogsTab(AppContext& ctx, QWidget* parent = nullptr);
    void setProfile(const Profile& p);
    void refresh();

private:
    void fill();

    AppContext& m_ctx;
    qint64 m_profileId = 0;
    std::vector<ProfileGroupLog> m_rows;
    DataGrid* grdGroupLogs;
    QRadioButton *optSortGroupName, *optSortCreationDate;
};

class ProfileLogbookTab : public QWidget { // "Logbook Entries"
public:
    ProfileLogbookTab(AppContext& ctx, QWidget* parent = nullptr);
    void setProfile(const Profile& p);
    void refresh();

private:
    void cmdWhich_Click();
    void openEntry(qint64 logId);

    AppContext& m_ctx;
    qint64 m_profileId = 0;
    LogSource m_source = LogSource::Current;
    DataGrid* grdLogbook;
    QPushButton *cmdWhich, *cmdRefresh;
};

// Messages of the tabs.
inline const QString MsgMaintainIndicators =
    QStringLiteral("You are not authorized to Maintain Indicators.");
inline const QString MsgMaintainContactHistory =
    QStringLiteral("You are not authorized to Maintain Contact History.");
inline const QString MsgMaintainProfileLogbook =
    QStringLiteral("You are not authorized to maintain Logbook Entries.");
// `button` is "Add" or "Change".
QString MsgIndicatorFields(const QString& button);
inline const QString MsgSelectIndicatorDelete = QStringLiteral(
    "Please select the Profile Indicator before pressing the Delete button.  Thank you.");
inline const QString MsgSelectIndicatorChange = QStringLiteral(
    "Please select the Profile Indicator before pressing the Change button.  Thank you.");
inline const QString MsgContactDate =
    QStringLiteral("Please enter a valid Contact Date.  Thank you.");
inline const QString MsgContactType = QStringLiteral("Please select a Contact Type.  Thank you.");
// `button` is "Change" or "Delete".
QString MsgSelectContact(const QString& button);
inline const QString MsgDeleteByDateDate =
    QStringLiteral("Please enter the Date to be used for this mass delete.  Thank you.");
QString MsgConfirmDeleteByDate(const QDate& before);
inline const QString MsgRecurringType =
    QStringLiteral("Please select the Contact Type to be used for the recurring entries.");

} // namespace vm
