#pragma once
// The main window's Profiles page: the "Select By" modes with their inputs,
// the profile-type filter, the choice of the last column, the sort, the list
// with its count line, and the ways out of it (the profile screen, the
// importer, the extracts, the printed lists, merging two profiles).

#include "core/AppContext.h"
#include "guests/ProfileSearch.h"
#include "platform/forms/RecordList.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vm {

class DataGrid;
struct PrintRequest;

class ProfilesPanel : public QWidget {
    Q_OBJECT
public:
    explicit ProfilesPanel(AppContext& ctx, QWidget* parent = nullptr);

    // Opens the profile screen (0 = a new profile); set by the page's installer.
    std::function<void(qint64 profileId)> openProfile;
    // Opens a report's preview; set by the installer (tests record it).
    std::function<void(const PrintRequest& request)> openReport;

    // Runs the selection on screen; answers false when it was refused or failed.
    bool search();
    void addProfile();
    void importProfiles();
    void extract();
    void mergeProfiles();
    // The "Profile List" of the grid as shown.
    void printList();
    void clearList();
    // The indicator, group, contact-type and profile-type choices (logon, after an import).
    void refreshLists();
    // Puts a saved profile's current state into the list (or takes it out).
    void refreshRow(qint64 profileId);
    void removeRow(qint64 profileId);
    // The profile listed before (-1) or after (+1) `profileId` as shown; 0 at either end.
    qint64 neighbour(qint64 profileId, int direction) const;
    // The files the extracts write.
    QString extractPath() const;
    QString autoDialPath() const;

    QRadioButton *optLastName, *optFirstName, *optUnitState, *optIndicator, *optGroup,
        *optContactType, *optProfileType, *optAll, *optPrivate;
    QLineEdit *txtSearch, *txtCity, *txtIndicatorValue;
    QComboBox *cboIndicator, *cboGroup, *cboContactType, *cboProType, *cboProfileFilter,
        *cboProfileType, *cboSort, *cboExtract;
    QCheckBox *chkNoResults, *chkByDate;
    QDateEdit *dtpFrom, *dtpThrough;
    QPushButton *cmdSearch, *cmdAddProfile, *cmdImportProfiles, *cmdExtract, *cmdMergeProfiles;
    QLabel *lblCity, *lblDescription, *lblCount;
    DataGrid* grdProfiles;

private:
    void buildSelectBy(QGridLayout* g, int& row);
    void modeChanged();
    ProfileSelectBy mode() const;
    ProfileQuery query() const;
    bool runQuery(const ProfileQuery& q, bool guard);
    void showList(const ProfileList& list);
    void paintRow(const ProfileRow& row, bool replace);
    void showCount();
    bool writeAutoDial(const QString& path);
    QString listedName(qint64 profileId) const;

    AppContext& m_ctx;
    ProfileQuery m_listed; // the query the grid shows
    RecordList m_list;
    bool m_hasList = false;
    QColor m_plainColor; // the ColorProfile setting
};

} // namespace vm
