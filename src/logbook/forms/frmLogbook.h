#pragma once
// The entry screen: one logbook entry at a time, new, saved or archived.
// It reads the controls, asks the rules and the store, and shows results;
// the main window's list follows through the signals.

#include "core/AppContext.h"
#include "logbook/Categories.h"
#include "logbook/LogEntry.h"
#include "logbook/LogbookHooks.h"

#include <QDialog>
#include <functional>
#include <memory>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace vm {

class DataGrid;
class DesignFieldsPanel;
class SpellChecker;

inline const QString RecordDumpCodeWord = QStringLiteral("VELMORADUMPS");

class frmLogbook : public QDialog {
    Q_OBJECT
public:
    // `logId` 0 opens a new entry.
    frmLogbook(AppContext& ctx, const LogbookHooks& hooks, qint64 logId,
               LogSource source = LogSource::Current, QWidget* parent = nullptr);
    ~frmLogbook() override;

    qint64 logId() const { return m_entry.logId; }
    bool isChanged() const { return m_changed; }
    bool isReadOnly() const { return m_readOnly; }
    // The most used categories from a ranking the caller keeps (CategoryRanking).
    void setCategoryRanking(const QStringList& ranking);
    // Pre-fills a new entry (contact form, profile, group screens).
    void prefill(const LogEntry& values);

    // The actions behind the buttons (also used by tests and other screens).
    bool cmdSave_Click();
    void cmdSaveAndExit_Click();
    void cmdDelete_Click();
    void cmdCloneEntry_Click();
    // A new entry repeating this request: guest, category and custom-form
    // values, without the notes, the card or an online reservation.
    void cmdClone_Click();
    void cmdSpellCheck_Click();
    void cmdExport_Click();
    void cmdDocLink_Click();
    void imgMap_Click();
    void imgCorrespondence_Click();
    void imgDEForm_Click();
    void imgOpenTable_Click();
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
    // Answers the id of the entry after `logId` in the caller's list, 0 at its end.
    void setNextEntry(std::function<qint64(qint64 logId)> next, LogSource listSource);
    // Writes the entry's stored row to a text file after the code word; answers the file.
    QString dumpRecord();

Q_SIGNALS:
    void entrySaved(qint64 logId);
    void entryDeleted(qint64 logId);
    // imgNext brought another entry of the list onto the screen.
    void movedTo(qint64 logId);

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void fillLists();
    void showNew();
    bool load(qint64 logId, LogSource source, const QString& keepNote = {});
    void showEntry();
    void applyMode();
    void gatherInto(LogEntry& e) const;
    void setStatusBoxes(const struct StatusFlags& f);
    void statusClicked(int box, bool ticked);
    void categoryChosen(const QString& name);
    void referDateLeft();
    void arrivalDateLeft();
    void referTimeLeft();
    void checkDayLimit();
    void loadHistory();
    void markChanged();
    QString typeName() const;
    bool isGuestViewer() const;
    bool keepOrDiscardChanges();
    void fillNotified();
    void limoBillingCodes();
    // The parts of the screen around the entry: custom form, documents,
    // profile and contact details, online reservation (frmLogbookLinks.cpp).
    void buildLinks(QBoxLayout* side, QBoxLayout* actions);
    void showLinks();
    void loadDesign();
    void showContactNotes();
    void refreshDocuments();
    void becomeNew(LogEntry& e);
    void pickDate(int box);

    AppContext& m_ctx;
    const LogbookHooks& m_hooks;
    LogSource m_source;
    LogEntry m_entry;
    Viewer m_viewer;
    bool m_changed = false;
    bool m_loading = false;
    bool m_readOnly = false;
    bool m_statusUnread = false;  // a category status message waits for <OK>
    bool m_contactUnread = false; // so does a contact's status message
    QString m_loadedType;         // the category the saved entry was loaded with
    QString m_carriedCard;        // clear card number of a clone, encrypted by the next save
    std::unique_ptr<SpellChecker> m_speller; // made on first use
    std::function<qint64(qint64)> m_next;
    LogSource m_nextSource = LogSource::Current;

public:
    // Controls, named as the screen's parts are named.
    QLabel *lblLogBookID, *lblWhoEntered, *lblWhenEntered, *lblArchived, *lblCancelValue,
        *lblCaption, *lblTNotes, *lblShowEncCC, *lblProfileID, *lblLogTypeID, *lblEntryType,
        *lblGroupID, *lblContactID, *lblPicProfileID, *lblProfiled, *picContactFrame,
        *lblOpenTableID, *lblOTRestaurantID;
    QLineEdit *txtLastName, *txtFirstName, *txtRoomNumber, *txtGuestID, *txtReferTime,
        *txtActualCCN;
    QLineEdit* txtSelect[3]; // reference, arrival, departure date (MM/dd/yyyy)
    QComboBox *cboTypes, *cboNotified, *cboGroup;
    QListWidget *lstTypes, *lstTypes10;
    QPlainTextEdit *txtLogEntry, *txtDescription, *txtMsgNotes;
    QCheckBox *chkComplete, *chkPending, *chkOnHold, *chkCancelled;
    QPushButton *cmdSave, *cmdSaveAndExit, *cmdClear, *cmdExit, *cmdDelete, *cmdCloneEntry,
        *cmdSaveAText, *cmdUnsentMsg, *cmdShowProfile, *cmdShowEncCC, *cmdOK, *cmdOther, *cmdClone,
        *cmdDeselectProfile, *cmdSpellCheck, *cmdExport, *cmdDocLink;
    QToolButton *imgReminder, *imgPrint, *imgEmail, *imgNext, *imgCorrespondence, *imgMap,
        *imgOpenTable, *imgOTEntry;
    QToolButton* picDropDown[3];
    DataGrid *grdHistory, *grdProfiler, *grdDocument, *grdCreditCards;
    DesignFieldsPanel* designPanel;
};

// History and messages of one entry.
class frmLogbookMsgs : public QDialog {
    Q_OBJECT
public:
    frmLogbookMsgs(AppContext& ctx, qint64 logId, LogSource source, QWidget* parent = nullptr);
    DataGrid *grdHistory, *grdMessages;
};

} // namespace vm
