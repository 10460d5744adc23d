#pragma once
// The staff editor: the accounts in a list; the chosen (or new) member's
// identity and flags, rights, schedule, category lists, languages and message
// groups on tabs; save, password reset, delete, cloning from another member
// and the staff export.  Every rule lives in admin/StaffEditor.h.

#include "admin/StaffEditor.h"

#include <QWidget>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace vm {

class StaffListEditor;
class StaffRightsPanel;
class StaffGroupsPanel;

class frmStaffPlus : public QWidget {
    Q_OBJECT
public:
    explicit frmStaffPlus(AppContext& ctx, QWidget* parent = nullptr);

    // "Additional Staff Information - " + the long date of the day.
    static QString Caption(const QDate& day);

    // The staff list read again; `select` is chosen when listed.
    void refreshList(qint64 select = 0);

private:
    QWidget* buildIdentityPage();
    QWidget* buildRightsPage();
    QWidget* buildSchedulePage();
    QWidget* buildCategoriesPage();
    QWidget* buildLanguagesPage();

    void memberChosen();
    void cmdNew_Click();
    void cmdChange_Click();
    void cmdReset_Click();
    void cmdDelete_Click();
    void cmdCheckAll_Click(bool allowed);
    // cmdClone, cmdCloneL, cmdCloneR: the store's copy from the member chosen in cboClone.
    using CloneFn = std::optional<StaffRefusal> (*)(AppContext&, StaffMember&, qint64);
    void cmdClone_Click(CloneFn clone);
    void cmdAllStaff_Click();
    void tabChanged(int index);

    // The member on the tabs, or nothing chosen (every tab empty).
    void showMember(const std::optional<StaffMember>& member);
    // The member as the tabs show it.
    StaffMember collect() const;
    void refreshCloneList();
    // Focus to the control a refusal names (switching to its tab).
    void focusField(const QString& objectName);

    AppContext& m_ctx;
    std::optional<StaffMember> m_member; // as loaded (id 0: a new member)
    int m_lastTab = 0;

    QListWidget* lstConcierge = nullptr;
    QPushButton* cmdNew = nullptr;
    QTabWidget* tabStaff = nullptr;

    QLineEdit *txtConcierge = nullptr, *txtInitials = nullptr, *txtUserProfile = nullptr,
              *txtJobTitle = nullptr, *txtConciergeTelephone = nullptr, *txtOTConciergeID = nullptr,
              *txtEmailAddress = nullptr, *txtEUserID = nullptr;
    QCheckBox *chkInactive = nullptr, *chkAuthority = nullptr, *chkRestricted = nullptr,
              *chkReadOnly = nullptr, *chkLanguageOnly = nullptr, *chkInhibitMsg = nullptr,
              *chkDNIMessages = nullptr;

    StaffRightsPanel* pnlRights = nullptr;
    QPushButton *cmdCheckAll = nullptr, *cmdUncheckAll = nullptr;

    QList<QCheckBox*> chkDays; // Sunday first
    QLineEdit* txtHoursShift = nullptr;
    QCheckBox *chkAllLogs = nullptr, *chkAllRentals = nullptr;

    StaffListEditor *lstCategoriesU = nullptr, *lstCategoriesR = nullptr, *lstLanguages = nullptr;
    StaffGroupsPanel* pnlGroups = nullptr;

    QComboBox* cboClone = nullptr;
    QPushButton *cmdClone = nullptr, *cmdCloneL = nullptr, *cmdCloneR = nullptr;
    QPushButton *cmdChange = nullptr, *cmdReset = nullptr, *cmdDelete = nullptr,
                *cmdAllStaff = nullptr, *cmdClose = nullptr;
};

} // namespace vm
