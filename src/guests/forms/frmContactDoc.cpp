#include "guests/forms/frmContactDoc.h"

#include "core/DataAccess.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmContactDoc");

const QStringList QuickDescriptions = {"Photograph", "Resume",   "Price List",
                                       "Web Site",   "Schedule", "Directions"};

} // namespace

void FillDocumentGrid(DataGrid* grid, const std::vector<DocumentLink>& links) {
    grid->setHeaders({"Link Description", "File Name"});
    grid->clearRows();
    for (const DocumentLink& l : links)
        grid->setRow(l.id, {l.description, l.target()});
}

frmContactDoc::frmContactDoc(AppContext& ctx, const QString& kind, qint64 ownerId,
                             const QString& ownerName, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_kind(kind), m_ownerId(ownerId) {
    setObjectName(FormName);
    setWindowTitle(DocumentLinksCaption(kind) + " - " + ownerName);
    build();
    refresh();
}

void frmContactDoc::build() {
    auto* top = new QVBoxLayout(this);
    top->addWidget(grdDocuments = named(new DataGrid, "grdDocuments"), 1);
    grdDocuments->setHeaders({"Link Description", "File Name"});

    top->addWidget(new QLabel("Document Name and Location or Hyperlink:"));
    auto* source = new QHBoxLayout;
    source->addWidget(txtFileName = named(new QLineEdit, "txtFileName"), 1);
    source->addWidget(cmdBrowse = named(new QPushButton("&Browse..."), "cmdBrowse"));
    top->addLayout(source);

    top->addWidget(new QLabel("Describe the Document:"));
    cboDescription = named(new QComboBox, "cboDescription");
    cboDescription->setEditable(true);
    cboDescription->setInsertPolicy(QComboBox::NoInsert);
    cboDescription->addItems(QuickDescriptions);
    top->addWidget(cboDescription);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPreview = named(new QPushButton("&Preview"), "cmdPreview"));
    buttons->addWidget(cmdSave = named(new QPushButton("&Save"), "cmdSave"));
    buttons->addWidget(cmdDelete = named(new QPushButton("&Delete"), "cmdDelete"));
    buttons->addStretch();
    buttons->addWidget(cmdClose = named(new QPushButton("&Close"), "cmdClose"));
    top->addLayout(buttons);
    clearBoxes();

    connect(grdDocuments->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (const qint64 id = selectedId()) showLink(id);
    });
    connect(grdDocuments, &DataGrid::rowActivated, this, &frmContactDoc::openLink);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmContactDoc::cmdBrowse_Click);
    connect(cmdPreview, &QPushButton::clicked, this, &frmContactDoc::cmdPreview_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmContactDoc::cmdSave_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmContactDoc::cmdDelete_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmContactDoc::refresh() {
    m_links.clear();
    try {
        m_links = GetCDocuments(m_ctx, m_ownerId, m_kind);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "GetCDocuments", FormName, true);
    }
    FillDocumentGrid(grdDocuments, m_links);
}

qint64 frmContactDoc::selectedId() const {
    const QModelIndexList rows = grdDocuments->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : grdDocuments->keyAt(rows.first().row());
}

const DocumentLink* frmContactDoc::linkOf(qint64 documentId) const {
    for (const DocumentLink& l : m_links)
        if (l.id == documentId) return &l;
    return nullptr;
}

void frmContactDoc::showLink(qint64 documentId) {
    if (const DocumentLink* l = linkOf(documentId)) {
        txtFileName->setText(l->target());
        cboDescription->setCurrentText(l->description);
    }
}

void frmContactDoc::clearBoxes() {
    txtFileName->clear();
    cboDescription->setCurrentIndex(-1);
    cboDescription->setCurrentText({});
}

bool frmContactDoc::cmdSave_Click() {
    DocumentLink link;
    link.id = selectedId();
    link.ownerId = m_ownerId;
    link.sourceType = m_kind;
    link.description = cboDescription->currentText();
    link.fileName = txtFileName->text();
    const QString refusal = CheckDocumentLink(link);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
        return false;
    }
    try {
        AddContactDocItem(m_ctx, link);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdSave_Click", FormName, true);
        return false;
    }
    m_changed = true;
    refresh();
    clearBoxes();
    return true;
}

void frmContactDoc::cmdDelete_Click() {
    const qint64 id = selectedId();
    if (id == 0) {
        m_ctx.prompt().message(MsgSelectLinkToDelete);
        return;
    }
    if (m_ctx.prompt().ask(MsgDeleteLink, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    try {
        DeleteContactDocItem(m_ctx, m_kind, id);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdDelete_Click", FormName, true);
        return;
    }
    m_changed = true;
    refresh();
    clearBoxes();
}

void frmContactDoc::cmdPreview_Click() {
    OpenDocumentLink(m_ctx, txtFileName->text());
}

void frmContactDoc::cmdBrowse_Click() {
    // Starts in the folder of the document named in the box, when there is one.
    const QFileInfo typed(txtFileName->text().trimmed());
    const QString startAt = !txtFileName->text().trimmed().isEmpty() && typed.dir().exists()
                                ? typed.absolutePath()
                                : QDir::homePath();
    const QString chosen = m_ctx.desktop().chooseOpenFile("Select the Document to Link", startAt);
    if (!chosen.isEmpty()) txtFileName->setText(QDir::toNativeSeparators(chosen));
}

void frmContactDoc::openLink(qint64 documentId) {
    if (const DocumentLink* l = linkOf(documentId)) OpenDocumentLink(m_ctx, *l);
}

} // namespace vm
