#pragma once
// The main window's Events page: the selection, the type filter, the sort,
// the list of events, the count line, the way into the event screen, the
// importer and the three guest lists.

#include "core/AppContext.h"
#include "guests/EventLists.h"
#include "platform/forms/RecordList.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {

class DataGrid;
class frmEvent;

class EventsPanel : public QWidget {
    Q_OBJECT
public:
    explicit EventsPanel(AppContext& ctx, QWidget* parent = nullptr);

    // Runs the selection on screen; answers false when it was refused or failed.
    bool cmdSearch_Click();
    // A new event screen (not shown yet) after the add right is checked; null when refused.
    frmEvent* addEvent();
    // The event's screen (not shown yet).
    frmEvent* openEvent(qint64 eventId);
    void refreshTypes();
    void clearList();
    // "Print the active document" while this page is shown.
    void printList() { cmdPrintList_Click(); }
    // Puts the event's current state into the list (or takes it out).
    void refreshRow(qint64 eventId);
    void removeRow(qint64 eventId);
    // The event listed `step` rows from `eventId` (-1 before, +1 after); 0 past the ends.
    qint64 neighbourKey(qint64 eventId, int step) const;

    // Sends a message about an event (the messaging screen, when installed).
    std::function<void(qint64 eventId, QWidget* parent)> sendMessage;

    // The importer started by "Import Events", in the program folder.
    static QString ImporterPath(const AppContext& ctx);

    QComboBox *cboSelectBy, *cboEventType, *cboSort;
    QLineEdit *txtSearchText, *txtFrom, *txtThrough;
    QCheckBox* chkLetterhead;
    QPushButton *cmdSearch, *cmdAddEvent, *cmdImport, *cmdContinuous, *cmdLimited, *cmdFuture,
        *cmdPrintList;
    QLabel *lblDescription, *lblCount;
    DataGrid* grdEvents;

private:
    void cmdImport_Click();
    void printGuestList(GuestList list);
    void cmdPrintList_Click();
    void showEvents(const std::vector<Event>& events);

    AppContext& m_ctx;
    RecordList m_list;
};

inline const QString MsgImportEvents = QStringLiteral("Do you wish to process the Events Import?");
QString MsgImporterNotStarted(const QString& path);
inline const QString MsgSelectEventsFirst =
    QStringLiteral("Please select some Events first.  Then print the list.");

} // namespace vm
