#pragma once
// The event screen: one event with its schedule exceptions, notes and
// document links.  The Events page follows through the signals.  Controls are
// found by their names (objectName).

#include "core/AppContext.h"
#include "guests/Events.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace vm {

class DataGrid;

class frmEvent : public QDialog {
    Q_OBJECT
public:
    // `eventId` 0 opens a new event.
    frmEvent(AppContext& ctx, qint64 eventId, QWidget* parent = nullptr);

    qint64 eventId() const { return m_event.id; }
    // The event as loaded or last saved (the screen's edits are not in it yet).
    const Event& event() const { return m_event; }
    bool isChanged() const { return m_changed; }
    // The event before (-1) or after (+1) `eventId` in the caller's list; 0 at its end.
    void setNeighbours(std::function<qint64(qint64 eventId, int step)> neighbour);

    // Sends a message about the event (the messaging screen, when installed).
    std::function<void(qint64 eventId, QWidget* parent)> sendMessage;

    bool cmdSave_Click();

Q_SIGNALS:
    void eventSaved(qint64 eventId);
    void eventDeleted(qint64 eventId);
    // imgPrevious / imgNext brought another event onto the screen.
    void movedTo(qint64 eventId);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void build();
    QWidget* buildExceptions();
    QWidget* buildDocuments();
    void fillTypes();
    void showNew();
    bool load(qint64 id);
    void display(const Event& e);
    void showStamps();
    void applyRights();
    void markChanged();
    bool mayEdit() const;
    bool keepOrDiscardChanges();
    void cmdDelete_Click();
    void cmdClear_Click();
    void move(int step);
    void nameLeft();
    void priceLeft(QLineEdit* box);
    void continuousToggled(bool on);
    // Exceptions.
    void refreshExceptions();
    void exceptionChosen(qint64 id);
    void cmdSaveSE_Click();
    void cmdDeleteSE_Click();
    bool savedFirst(const QString& refusal);
    // Documents, print, message.
    void refreshDocuments();
    void cmdMaintainDocs_Click();
    void openDocument(qint64 documentId);
    void imgPrint_Click();
    void imgMessage_Click();

    AppContext& m_ctx;
    Event m_event;
    std::vector<EventException> m_exceptions;
    qint64 m_exceptionId = 0; // the exception in the boxes; 0 for a new one
    bool m_changed = false;
    bool m_loading = false;
    bool m_properCase = false;
    std::function<qint64(qint64, int)> m_neighbour;

    QLineEdit *txtEventName, *txtStartingDate, *txtThroughDate, *txtEventTime, *txtLocation,
        *txtTelephone, *txtLowPrice, *txtHighPrice, *txtDark;
    QLineEdit *txtSEFrom, *txtSEThrough, *txtSEDescription;
    QCheckBox *chkContinuous, *chkPrintOnList;
    QComboBox* cboEventType;
    QPlainTextEdit* txtNotes;
    DataGrid *grdExceptions, *grdDocuments;
    QLabel *lblUpdated, *lblCreated;
    QPushButton *cmdSave, *cmdDelete, *cmdClear, *cmdClose, *cmdSaveSE, *cmdDeleteSE,
        *cmdMaintainDocs;
    QToolButton *imgPrint, *imgMessage, *imgPrevious, *imgNext;
};

// Texts of the screen that are its own.
QString MsgDeleteEvent();
inline const QString MsgSaveEventFirst =
    QStringLiteral("Please <Save> this Event before working with Schedule Exceptions.  Thank you.");
inline const QString MsgSaveEventBeforePrint =
    QStringLiteral("Please <Save> this Event before printing its details.  Thank you.");
inline const QString MsgSaveEventBeforeMessage =
    QStringLiteral("Please <Save> this Event before sending a message about it.  Thank you.");
inline const QString MsgSelectExceptionToDelete =
    QStringLiteral("Please select the Schedule Exception you wish to delete.");
inline const QString MsgEventMessagingMissing =
    QStringLiteral("Messages about events cannot be sent: the messaging screen is not installed.");

} // namespace vm
