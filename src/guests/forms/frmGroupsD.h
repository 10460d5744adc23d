#pragma once
// One group or convention: its details, meeting schedule, linked documents,
// logbook entry templates, print and message.

#include "core/AppContext.h"
#include "guests/DocumentLinks.h"
#include "guests/Groups.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace vm {

class DataGrid;
class frmGroupLog;

class frmGroupsD : public QDialog {
    Q_OBJECT
public:
    // groupId 0: a new group.
    frmGroupsD(AppContext& ctx, qint64 groupId, QWidget* parent = nullptr);
    qint64 groupId() const { return m_group.id; }
    bool hasChanges() const { return m_changed; }

    QLineEdit *txtGroupName, *txtAttendees, *txtArrival, *txtDeparture;
    QComboBox *cboGroupMgr, *cboSalesMgr;
    QPushButton *cmdMaintainGroupMgr, *cmdMaintainSalesMgr;
    QLineEdit *txtMeetingPlanner, *txtGroupContact, *txtNotes;
    DataGrid* grdSchedule;
    QLineEdit *txtMeetingDate, *txtMeetingTime, *txtEndTime, *txtFunction;
    QComboBox* cboVenue;
    QPushButton *cmdMaintainVenue, *cmdSaveMeeting, *cmdDeleteMeeting, *cmdClearMeeting;
    DataGrid* grdDocuments;
    QPushButton *cmdMaintainDocs, *cmdTemplates;
    QToolButton *imgPrint, *imgItinerary, *imgMessage, *imgExtract;
    QPushButton *cmdSave, *cmdDelete, *cmdClear, *cmdClose;

Q_SIGNALS:
    // A group was saved or deleted (the list needs refreshing).
    void groupsChanged();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void build();
    void load(qint64 groupId);
    void showGroup();
    void fillLookup(QComboBox* combo, const QString& type, const QString& current);
    void maintainLookup(QComboBox* combo, const QString& type);
    void markChanged() { m_changed = true; }
    bool cmdSave_Click();
    void cmdDelete_Click();
    void cmdClear_Click();
    void refreshSchedule();
    void showMeeting(qint64 meetingId);
    void cmdSaveMeeting_Click();
    void cmdDeleteMeeting_Click();
    void cmdClearMeeting_Click();
    void refreshDocuments();
    void cmdMaintainDocs_Click();
    void openDocument(qint64 documentId);
    void cmdTemplates_Click();
    void imgPrint_Click();
    void imgItinerary_Click();
    void imgMessage_Click();
    void imgExtract_Click();
    bool savedOrSay(const QString& refusal);

    AppContext& m_ctx;
    Group m_group;
    std::vector<Meeting> m_schedule;
    std::vector<DocumentLink> m_documents;
    qint64 m_meetingId = 0;
    bool m_changed = false;
};

} // namespace vm
