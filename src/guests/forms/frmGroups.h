#pragma once
// The list of groups and conventions: in house or all, opening, adding,
// deleting the departed ones, printing the list and the guests' itineraries.

#include "core/AppContext.h"

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace vm {

class DataGrid;
class frmGroupsD;

inline const QString MsgSelectGroupForItineraries =
    QStringLiteral("Please select the Group whose Guest Itineraries you wish to print.");

class frmGroups : public QDialog {
    Q_OBJECT
public:
    explicit frmGroups(AppContext& ctx, QWidget* parent = nullptr);
    void refresh();
    // Opens the details of a group (0: a new group) as a window of its own.
    frmGroupsD* openGroup(qint64 groupId);

    DataGrid* grdGroups;
    QRadioButton *optInHouse, *optAll;
    QPushButton *cmdAdd, *cmdOpen, *cmdDeleteOld, *cmdPrintList, *cmdItineraries, *cmdClose;

private:
    void cmdAdd_Click();
    void cmdOpen_Click();
    void cmdDeleteOld_Click();
    void cmdPrintList_Click();
    void cmdItineraries_Click();

    AppContext& m_ctx;
};

} // namespace vm
