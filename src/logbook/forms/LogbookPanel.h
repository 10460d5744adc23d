#pragma once
// The main window's Logbook page: the selection, the sort, the list of
// entries coloured by status, the count line, and the way into the entry screen.

#include "core/AppContext.h"
#include "logbook/LogbookList.h"
#include "logbook/forms/LogbookScreenHooks.h"
#include "platform/forms/RecordList.h"

#include <QDateTime>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {

class DataGrid;
class frmLogbook;

class LogbookPanel : public QWidget {
    Q_OBJECT
public:
    LogbookPanel(AppContext& ctx, const LogbookScreenHooks& hooks, QWidget* parent = nullptr);

    // Runs the selection on screen; answers false when it was refused or failed.
    bool cmdSearch_Click();
    void cmdToday_Click();
    void cmdUpdatedToday_Click();
    void cmdDueOverdue_Click();
    void txtQuickSearch_Enter();
    // A new entry screen (not shown yet) after the add right is checked; null when refused.
    frmLogbook* addEntry();
    // The entry's screen (not shown yet), from the source the list shows.
    frmLogbook* openEntry(qint64 logId);
    // The entry's screen (not shown yet) from the given logbook, whatever the list shows.
    frmLogbook* openEntry(qint64 logId, LogSource source);
    // Guest confirmations of the selected entries that are complete or pending.
    void cmdConfirmations_Click();
    void cmdItinerary_Click();
    void cmdPrintList_Click();
    // "Print the active document" while this page is shown.
    void printList() { cmdPrintList_Click(); }
    void clearList();
    void refreshCategories();
    // Switches the optional filter between category and profile type.
    void cmdToggleCategory_Click();
    bool filtersByProfileType() const { return m_byProfileType; }
    // Puts the entry's current state into the list (or takes it out).
    void refreshRow(qint64 logId);
    void removeRow(qint64 logId);
    // The entry listed after `logId`, 0 at the end or when it is not listed.
    qint64 nextKey(qint64 logId);

    QComboBox *cboSelectBy, *cboCategory, *cboProfileType, *cboStatus, *cboTimeFrame, *cboSort,
        *cboSource, *cboGroup;
    QLineEdit *txtSearchText, *txtFrom, *txtThrough, *txtQuickSearch;
    QCheckBox* chkNoCancelled;
    QPushButton *cmdSearch, *cmdToday, *cmdUpdatedToday, *cmdDueOverdue, *cmdAddLogbook,
        *cmdToggleCategory, *cmdConfirmations, *cmdItinerary, *cmdPrintList;
    QLabel *lblCategory, *lblDescription, *lblCount;
    DataGrid* grdLogbook;

private:
    bool runSelection(const struct LogbookSelection& s, bool guardSize);
    bool runBuilt(const struct BuiltSelection& built, int sortIndex, ListWindow window,
                  bool guardSize);
    void showList(const LogList& list);
    void paintRow(const ListRow& row, bool replace);
    LogSource source() const;
    LogSource listedSource() const;
    void applyGridColors();

    AppContext& m_ctx;
    const LogbookScreenHooks& m_hooks;
    RecordList m_list;
    bool m_byProfileType = false;
    QStringList m_ranking; // categories by use, read at logon and hourly
    QDateTime m_rankedAt;
    frmLogbook* entryScreen(qint64 logId, LogSource source);
};

} // namespace vm
