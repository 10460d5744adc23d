#pragma once
// The entry screen: one logbook entry at a time, new, saved or archived.
// The panels show and gather the entry's parts; the form keeps the entry and
// the screen's state, asks the rules and the store, and shows results.  The
// main window's list follows through the signals.  Controls are found by
// their names (objectName), as the screen's parts are named.

#include "core/AppContext.h"
#include "logbook/Categories.h"
#include "logbook/LogEntry.h"
#include "logbook/forms/LogbookScreenHooks.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QToolButton;

namespace vm {

class DataGrid;
class EntryCardPanel;
class EntryCategoryPanel;
class EntryContactPanel;
class EntryDatesPanel;
class EntryGuestPanel;
class EntryLinksPanel;
class EntryStatusPanel;
class EntryTextsPanel;

class frmLogbook : public QDialog {
    Q_OBJECT
public:
    // `logId` 0 opens a new entry.
    frmLogbook(AppContext& ctx, const LogbookScreenHooks& hooks, qint64 logId,
               LogSource source = LogSource::Current, QWidget* parent = nullptr);
    ~frmLogbook() override;

    qint64 logId() const { return m_entry.logId; }
    // The entry as loaded or last saved (the screen's edits are not in it yet).
    const LogEntry& entry() const { return m_entry; }
    bool isChanged() const { return m_changed; }
    bool isReadOnly() const { return m_readOnly; }
    // The most used categories from a ranking the caller keeps (CategoryRanking).
    void setCategoryRanking(const QStringList& ranking);
    // Pre-fills a new entry (contact form, profile, group screens).
    void prefill(const LogEntry& values);
    // Answers the id of the entry after `logId` in the caller's list, 0 at its end.
    void setNextEntry(std::function<qint64(qint64 logId)> next, LogSource listSource);

Q_SIGNALS:
    void entrySaved(qint64 logId);
    void entryDeleted(qint64 logId);
    // imgNext brought another entry of the list onto the screen.
    void movedTo(qint64 logId);

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The actions behind the buttons and keys.
    bool cmdSave_Click();
    void cmdSaveAndExit_Click();
    void cmdDelete_Click();
    void cmdCloneEntry_Click();
    // A new entry repeating this request: guest, category and custom-form
    // values, without the notes, the card or an online reservation.
    void cmdClone_Click();
    void cmdExport_Click();
    void cmdDocLink_Click();
    void imgMap_Click();
    void imgCorrespondence_Click();
    void imgDEForm_Click();
    void imgOpenTable_Click();
    // Offers to cancel the entry's online reservation.
    void imgOTEntry_Click();
    // The checks both online-reservation icons make; saves pending edits first.
    bool readyForOnlineTables(bool hookInstalled);
    // Shows the entry again when the reservation screens wrote it.
    void reloadAfterOnlineTables();
    void cmdSaveAText_Click();
    void cmdUnsentMsg_Click();
    void cmdClear_Click();
    void imgPrint_Click();
    void imgEmail_Click();
    void imgReminder_Click();
    void cmdShowProfile_Click();
    void cmdDeselectProfile_Click();
    void cmdShowEncCC_Click();
    void cmdOK_Click();
    // The "Notified" pick list editor; the list on screen follows its changes.
    void cmdOther_Click();
    // The next entry of the list that opened the screen (see setNextEntry).
    void imgNext_Click();
    // Ctrl+Shift+T: the stored row written to a text file, for managers who
    // know the code word; answers the file ("" when nothing was written).
    QString dumpRecord();
    void limoBillingCodes();

    void build();
    QWidget* buildActions();
    void fillLists();
    void showNew();
    bool load(qint64 logId, LogSource source, const QString& keepNote = {});
    void showEntry();
    void applyMode();
    void gatherInto(LogEntry& e) const;
    bool saveEntry(LogEntry& e);
    void categoryChosen(const QString& name);
    void referDateLeft();
    void arrivalDateLeft();
    void checkDayLimit();
    void loadHistory();
    void markChanged();
    bool isGuestViewer() const;
    bool keepOrDiscardChanges();
    void fillNotified();
    // The parts around the entry: custom form, documents, profile and
    // contact details, online reservation (frmLogbookLinks.cpp).
    void showLinks();
    void loadDesign();
    void showContactNotes();
    void refreshDocuments();
    void openDocument(qint64 id);
    void becomeNew(LogEntry& e);
    // The entry's contact: chosen through the picker, dropped, shown
    // (frmLogbookContact.cpp).
    void cmdPickContact_Click();
    void cmdClearContact_Click();
    void contactChosen(qint64 contactId);

    AppContext& m_ctx;
    const LogbookScreenHooks& m_hooks;
    LogSource m_source;
    LogEntry m_entry;
    Viewer m_viewer;
    bool m_changed = false;
    bool m_loading = false;
    bool m_readOnly = false;
    bool m_cancelledAsLoaded = false; // drives the Cancelled / Reinstated history rows
    bool m_statusUnread = false;      // a category status message waits for <OK>
    bool m_contactUnread = false;     // so does a contact's status message
    QString m_loadedType;             // the category the saved entry was loaded with
    QString m_carriedCard;            // clear card number of a clone, encrypted by the next save
    std::function<qint64(qint64)> m_next;
    LogSource m_nextSource = LogSource::Current;

    QLabel *lblLogBookID, *lblWhoEntered, *lblWhenEntered, *lblArchived;
    EntryGuestPanel* m_guest;
    EntryCardPanel* m_card;
    EntryDatesPanel* m_dates;
    EntryCategoryPanel* m_category;
    EntryStatusPanel* m_status;
    EntryTextsPanel* m_texts;
    EntryLinksPanel* m_links;
    EntryContactPanel* m_contact;
    QPushButton *cmdSave, *cmdSaveAndExit, *cmdClear, *cmdExit, *cmdDelete, *cmdCloneEntry,
        *cmdSaveAText, *cmdUnsentMsg, *cmdClone, *cmdExport;
    QToolButton *imgReminder, *imgPrint, *imgEmail, *imgNext, *imgCorrespondence, *imgMap;
};

// History and messages of one entry.
class frmLogbookMsgs : public QDialog {
    Q_OBJECT
public:
    // `print` prints the entry's messages ("cmdPrint", shown when there are some).
    frmLogbookMsgs(AppContext& ctx, qint64 logId, LogSource source, QWidget* parent = nullptr,
                   std::function<void(QWidget* parent)> print = {});

    DataGrid *grdHistory, *grdMessages;
    QPushButton* cmdPrint = nullptr;
};

} // namespace vm
