// The parts around the event on its screen: schedule exceptions, linked
// documents, the printed details and the message about the event.

#include "core/DataAccess.h"
#include "core/Rights.h"
#include "guests/DocumentLinks.h"
#include "guests/forms/frmContactDoc.h"
#include "guests/forms/frmEvent.h"
#include "guests/reports/EventReports.h"
#include "logbook/EntryRules.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/DataGrid.h"

#include <QLineEdit>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmEvent");
} // namespace

bool frmEvent::savedFirst(const QString& refusal) {
    if (m_event.id > 0) return true;
    m_ctx.prompt().message(refusal);
    return false;
}

void frmEvent::refreshExceptions() {
    m_exceptions.clear();
    grdExceptions->clearRows();
    m_exceptionId = 0;
    txtSEFrom->clear();
    txtSEThrough->clear();
    txtSEDescription->clear();
    if (m_event.id <= 0) return;
    m_exceptions = GetEventSEs(m_ctx, m_event.id);
    for (const EventException& x : m_exceptions)
        grdExceptions->setRow(
            x.id, {ShownExceptionDay(x.from), ShownExceptionDay(x.through), x.description});
}

void frmEvent::exceptionChosen(qint64 id) {
    for (const EventException& x : m_exceptions)
        if (x.id == id) {
            m_exceptionId = id;
            txtSEFrom->setText(ShownExceptionDay(x.from));
            txtSEThrough->setText(ShownExceptionDay(x.through));
            txtSEDescription->setText(x.description);
        }
}

void frmEvent::cmdSaveSE_Click() {
    if (!mayEdit() || !savedFirst(MsgSaveEventFirst)) return;
    const EventException x{m_exceptionId, m_event.id, txtSEFrom->text().trimmed(),
                           txtSEThrough->text().trimmed(), txtSEDescription->text().trimmed()};
    const QString refusal = CheckEventException(x);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return;
    }
    try {
        // An exception deleted meanwhile is stored again rather than lost.
        if (x.id == 0 || !UpdateEventSE(m_ctx, x)) InsertEventSE(m_ctx, x);
        refreshExceptions();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdSaveSE_Click", FormName, true);
    }
}

void frmEvent::cmdDeleteSE_Click() {
    if (!mayEdit() || !savedFirst(MsgSaveEventFirst)) return;
    if (m_exceptionId == 0) {
        m_ctx.prompt().message(MsgSelectExceptionToDelete);
        return;
    }
    try {
        DeleteEventSE(m_ctx, m_exceptionId);
        refreshExceptions();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdDeleteSE_Click", FormName, true);
    }
}

void frmEvent::refreshDocuments() {
    try {
        FillDocumentGrid(grdDocuments, m_event.id > 0
                                           ? GetCDocuments(m_ctx, m_event.id, DocKind::Event)
                                           : std::vector<DocumentLink>{});
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetCDocuments", FormName, true);
    }
}

void frmEvent::cmdMaintainDocs_Click() {
    if (!savedFirst(MsgLinkOwnerNotSaved)) return;
    if (!MayDoOrSay(m_ctx, Rights::EventsDocs,
                    "You are not authorized to work with Linked Documents."))
        return;
    auto* dialog = new frmContactDoc(m_ctx, DocKind::Event, m_event.id, m_event.name, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, &frmEvent::refreshDocuments);
    dialog->open();
}

void frmEvent::openDocument(qint64 documentId) {
    if (!MayDoOrSay(m_ctx, Rights::EventsViewDocs,
                    "You are not authorized to View Event Linked Documents."))
        return;
    try {
        for (const DocumentLink& l : GetCDocuments(m_ctx, m_event.id, DocKind::Event))
            if (l.id == documentId) OpenDocumentLink(m_ctx, l);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "grdDocuments_DblClick", FormName, true);
    }
}

void frmEvent::imgPrint_Click() {
    if (!savedFirst(MsgSaveEventBeforePrint)) return;
    if (!MayDoOrSay(m_ctx, Rights::EventsPrint, "You are not authorized to Print Event Details."))
        return;
    OpenReport(m_ctx, EventEntryRequest(m_event.id), this);
}

void frmEvent::imgMessage_Click() {
    if (!savedFirst(MsgSaveEventBeforeMessage)) return;
    if (!MayDoOrSay(m_ctx, Rights::EventsMessages,
                    "You are not authorized to Send Event Messages."))
        return;
    if (!sendMessage) {
        m_ctx.prompt().message(MsgEventMessagingMissing);
        return;
    }
    sendMessage(m_event.id, this);
}

} // namespace vm
