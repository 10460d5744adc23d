// The "Documents" page: the documents staff must read, who has read them,
// and the links themselves (maintained with the document-links right).

#include "core/Formats.h"
#include "desk/QuickViewer.h"
#include "desk/QuickViewerRights.h"
#include "desk/forms/QuickViewerOpenDocument.h"
#include "desk/forms/QuickViewerTabs.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vm {

namespace {

QString shownDate(const QString& stored) {
    return stored.isEmpty() || stored == NoExpiry ? QString() : Formats::ShortDateOfStored(stored);
}

} // namespace

QString MsgDeleteDocumentLink() {
    return "Do you wish to delete this document link?\r\n\r\n" + MsgDocumentDeleteNote;
}

DocumentsTab::DocumentsTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabDocuments");
    build();
}

void DocumentsTab::build() {
    auto* layout = new QVBoxLayout(this);
    auto* views = new QHBoxLayout;
    optDocsMine = named(new QRadioButton("My Documents", this), "optDocsMine");
    optDocsAll = named(new QRadioButton("All Documents", this), "optDocsAll");
    optDocsMine->setChecked(true);
    views->addWidget(optDocsMine);
    views->addWidget(optDocsAll);
    views->addStretch();
    views->addWidget(QvButton(this, "cmdOpenDoc", "Open", [this] { cmdOpenDoc_Click(); }));
    views->addWidget(QvButton(this, "cmdPrintDocRead", "Print Who Read",
                              [this] { print("PrintDocRead", "Document Read By"); }));
    views->addWidget(QvButton(this, "cmdPrintDocsRead", "Print Documents",
                              [this] { print("PrintDocsRead", "Documents Read"); }));
    views->addWidget(QvButton(this, "cmdPrintDocsByConcierge", "Print By Staff",
                              [this] { print("PrintDocsByConcierge", "Documents by Staff"); }));
    layout->addLayout(views);

    auto* grids = new QHBoxLayout;
    grdDocuments = named(new DataGrid(this), "grdDocuments");
    grdDocsRead = named(new DataGrid(this), "grdDocsRead");
    grdDocsRead->setHeaders({"Staff Member", "Date Read"});
    grids->addWidget(grdDocuments, 3);
    grids->addWidget(grdDocsRead, 1);
    layout->addLayout(grids, 1);

    auto* edit = new QGridLayout;
    txtDocFile = makeLineEdit(this, "txtDocFile", false, 250);
    txtDocDescription = makeLineEdit(this, "txtDocDescription", false, 100);
    txtDocEffective = QvDateBox(this, "txtDocEffective");
    txtDocExpiry = QvDateBox(this, "txtDocExpiry");
    edit->addWidget(new QLabel("Document:", this), 0, 0);
    edit->addWidget(txtDocFile, 0, 1, 1, 3);
    edit->addWidget(QvButton(this, "cmdBrowseDoc", "Browse...", [this] { cmdBrowseDoc_Click(); }),
                    0, 4);
    edit->addWidget(new QLabel("Description:", this), 1, 0);
    edit->addWidget(txtDocDescription, 1, 1, 1, 3);
    edit->addWidget(new QLabel("Effective:", this), 2, 0);
    edit->addWidget(txtDocEffective, 2, 1);
    edit->addWidget(new QLabel("Expires:", this), 2, 2);
    edit->addWidget(txtDocExpiry, 2, 3);
    edit->addWidget(QvButton(this, "cmdAddDoc", "Add Link", [this] { cmdAddDoc_Click(); }), 1, 4);
    edit->addWidget(QvButton(this, "cmdDeleteDoc", "Delete Link", [this] { cmdDeleteDoc_Click(); }),
                    2, 4);
    layout->addLayout(edit);

    connect(optDocsMine, &QRadioButton::toggled, this, [this] { loadDocuments(); });
    OnCurrentRow(grdDocuments, this, [this] {
        if (m_openedUnread && grdDocuments->currentKey() != m_openedUnread) leaveOpenedDocument();
        loadReaders();
    });
    connect(grdDocuments, &DataGrid::rowActivated, this, [this] { cmdOpenDoc_Click(); });
}

void DocumentsTab::refresh() {
    loadDocuments();
}

void DocumentsTab::loadDocuments() {
    const qint64 current = grdDocuments->currentKey();
    QSignalBlocker quiet(grdDocuments->selectionModel());
    grdDocuments->clearRows();
    if (optDocsMine->isChecked()) {
        grdDocuments->setHeaders({"Effective", "Description", "Read On", "Document"});
        for (const QvDocument& d : GetDocumentsMe(m_ctx))
            grdDocuments->setRow(d.documentId, {Formats::ShortDateOfStored(d.effective),
                                                d.description, shownDate(d.readOn), d.fileName});
    } else {
        grdDocuments->setHeaders({"Effective", "Expires", "Description", "Document"});
        for (const QvDocument& d : GetDocumentsAll(m_ctx))
            grdDocuments->setRow(d.documentId,
                                 {Formats::ShortDateOfStored(d.effective), shownDate(d.expiration),
                                  d.description, d.fileName});
    }
    if (current) grdDocuments->selectKey(current);
    loadReaders();
}

void DocumentsTab::loadReaders() {
    grdDocsRead->clearRows();
    const qint64 id = grdDocuments->currentKey();
    if (!id) return;
    qint64 key = 0;
    for (const auto& [name, read] : GetDocumentsRead(m_ctx, id))
        grdDocsRead->setRow(++key, {name, shownDate(read)});
}

void DocumentsTab::leaveOpenedDocument() {
    const qint64 id = m_openedUnread;
    if (!id) return;
    m_openedUnread = 0;
    if (m_ctx.prompt().ask(MsgDocumentReadQuestion, {}, Buttons::YesNo, Icon::Question,
                           Answer::Yes) != Answer::Yes)
        return;
    InsertConfirmation(m_ctx, id);
    loadDocuments();
    Q_EMIT changed();
}

void DocumentsTab::cmdOpenDoc_Click() {
    const qint64 id = grdDocuments->currentKey();
    if (!id) return;
    QString file;
    bool unread = false;
    for (const QvDocument& d : GetDocumentsMe(m_ctx))
        if (d.documentId == id) {
            file = d.fileName;
            unread = d.readOn.trimmed().isEmpty();
        }
    if (file.isEmpty()) return;
    if (OpenQuickViewerDocument(m_ctx, file) && unread) m_openedUnread = id;
}

void DocumentsTab::cmdBrowseDoc_Click() {
    const QString chosen =
        m_ctx.desktop().chooseOpenFile("Select the Document", txtDocFile->text().trimmed());
    if (!chosen.isEmpty()) txtDocFile->setText(chosen);
}

void DocumentsTab::cmdAddDoc_Click() {
    if (!QvMayOrSay(m_ctx, QvFeature::DocumentLinks)) return;
    QvDocument link;
    link.fileName = txtDocFile->text().trimmed();
    link.description = txtDocDescription->text().trimmed();
    link.effective = StoredOrTyped(txtDocEffective->text());
    link.expiration = StoredOrTyped(txtDocExpiry->text());
    const QString refusal = InsertDocument(m_ctx, link);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
        return;
    }
    for (QLineEdit* box : {txtDocFile, txtDocDescription, txtDocEffective, txtDocExpiry})
        box->clear();
    loadDocuments();
    grdDocuments->selectKey(link.documentId);
    Q_EMIT changed();
}

void DocumentsTab::cmdDeleteDoc_Click() {
    const qint64 id = grdDocuments->currentKey();
    if (!id || !QvMayOrSay(m_ctx, QvFeature::DocumentLinks)) return;
    if (m_ctx.prompt().ask(MsgDeleteDocumentLink(), {}, Buttons::YesNo, Icon::Question,
                           Answer::No) != Answer::Yes)
        return;
    if (m_openedUnread == id) m_openedUnread = 0;
    DeleteDocument(m_ctx, id);
    loadDocuments();
    Q_EMIT changed();
}

void DocumentsTab::print(const QString& routine, const QString& title) {
    QvPrint(m_ctx, this, routine, title, {{"documentId", grdDocuments->currentKey()}});
}

} // namespace vm
