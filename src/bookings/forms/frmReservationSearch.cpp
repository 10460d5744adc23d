// The search, sign-up sheet and purge pages of the reservation desk.

#include "bookings/forms/frmReservation.h"

#include "bookings/reports/ReservationReports.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "guests/DocumentLinks.h"
#include "guests/forms/frmContactDoc.h"
#include "logbook/EntryRules.h"
#include "output/forms/PrintPreview.h"
#include "platform/CsvWriter.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmReservation");
const QString MsgSelectSheet = QStringLiteral("Please select a SignUp Sheet first.  Thank you.");

void fillCategories(QComboBox* box, const std::vector<ResCategory>& all, bool optional) {
    const qint64 was = box->currentData().toLongLong();
    box->clear();
    if (optional) box->addItem(QString(), 0);
    for (const ResCategory& c : all)
        box->addItem(c.category, c.id);
    const int at = box->findData(was);
    box->setCurrentIndex(at < 0 ? (optional ? 0 : -1) : at);
}

} // namespace

void frmReservation::refreshCategoryLists() {
    try {
        const auto all = GetResTypes(m_ctx);
        fillCategories(cboSearchCategory, all, false);
        fillCategories(cboSignUpCategory, all, true);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetResTypes", FormName, true);
    }
    dateChanged(); // the booking page's list follows the day
}

void frmReservation::buildSearch(QWidget* page) {
    auto* top = new QVBoxLayout(page);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(optByName = named(new QRadioButton("By Name"), "optByName"));
    kinds->addWidget(optByCategory = named(new QRadioButton("By Category"), "optByCategory"));
    kinds->addWidget(optWaitList = named(new QRadioButton("Wait List"), "optWaitList"));
    kinds->addWidget(optUnavailability =
                         named(new QRadioButton("Unavailability"), "optUnavailability"));
    kinds->addStretch();
    optByName->setChecked(true);
    top->addLayout(kinds);
    auto* g = new QGridLayout;
    g->addWidget(new QLabel("Name:"), 0, 0);
    g->addWidget(txtSearchName = makeLineEdit(page, "txtSearchName", false, 50), 0, 1);
    g->addWidget(new QLabel("Category:"), 0, 2);
    g->addWidget(cboSearchCategory = named(new QComboBox, "cboSearchCategory"), 0, 3);
    g->addWidget(new QLabel("From:"), 1, 0);
    g->addWidget(txtSearchFrom = makeLineEdit(page, "txtSearchFrom", false, 10), 1, 1);
    g->addWidget(new QLabel("Through:"), 1, 2);
    g->addWidget(txtSearchThrough = makeLineEdit(page, "txtSearchThrough", false, 10), 1, 3);
    for (QLineEdit* e : {txtSearchFrom, txtSearchThrough})
        e->setPlaceholderText(Formats::ShortDateHint);
    g->addWidget(cmdSearch = named(new QPushButton("Search"), "cmdSearch"), 0, 4);
    top->addLayout(g);
    top->addWidget(lblSearchCaption = named(new QLabel, "lblSearchCaption"));
    lblSearchCaption->setWordWrap(true);
    top->addWidget(grdSearch = named(new DataGrid, "grdSearch"), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdExport = named(new QPushButton("Export"), "cmdExport"));
    buttons->addWidget(cmdPrint = named(new QPushButton("Print"), "cmdPrint"));
    buttons->addWidget(chkPageBreak =
                           named(new QCheckBox("Page Break on Items"), "chkPageBreak"));
    buttons->addStretch();
    top->addLayout(buttons);
    for (QPushButton* b : {cmdSearch, cmdExport, cmdPrint})
        b->setAutoDefault(false);
    connect(cmdSearch, &QPushButton::clicked, this, &frmReservation::cmdSearch_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmReservation::cmdExport_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmReservation::cmdPrint_Click);
    connect(txtSearchName, &QLineEdit::returnPressed, this, &frmReservation::cmdSearch_Click);
}

ResSearchKind frmReservation::searchKind() const {
    if (optByCategory->isChecked()) return ResSearchKind::ByCategory;
    if (optWaitList->isChecked()) return ResSearchKind::WaitList;
    if (optUnavailability->isChecked()) return ResSearchKind::Unavailability;
    return ResSearchKind::ByName;
}

void frmReservation::cmdSearch_Click() {
    const ResSearchKind kind = searchKind();
    const QString name = txtSearchName->text().trimmed();
    const qint64 categoryId = cboSearchCategory->currentData().toLongLong();
    const QString refusal = CheckResSearch(kind, name, categoryId, txtSearchFrom->text(),
                                           txtSearchThrough->text());
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return;
    }
    const QDate from = Formats::ParseShortDate(txtSearchFrom->text());
    const QDate through = Formats::ParseShortDate(txtSearchThrough->text());
    ResSearchTable t;
    try {
        WaitCursor wait;
        t = ResSearchResult(m_ctx, kind, name, categoryId, from, through);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdSearch_Click", FormName, true);
        return;
    }
    grdSearch->clearRows();
    grdSearch->setHeaders(t.headers);
    qint64 key = 0;
    for (const QStringList& row : t.rows)
        grdSearch->setRow(++key, row);
    const bool byName = kind == ResSearchKind::ByName;
    lblSearchCaption->setText(ResSearchCaptionShown(from, through, byName ? name : QString(),
                                            byName ? QString() : cboSearchCategory->currentText()));
    m_searched = kind;
    m_searchArgs = {{"name", name},
                    {"categoryId", categoryId},
                    {"from", from.isValid() ? Formats::StoredDate(from) : QString()},
                    {"through", through.isValid() ? Formats::StoredDate(through) : QString()}};
}

void frmReservation::cmdExport_Click() {
    Prompt& prompt = m_ctx.prompt();
    const int rows = grdSearch->rowCount();
    if (rows == 0) {
        prompt.message("Please select some information first.  Then create the Export file.");
        return;
    }
    const QString path = m_ctx.workstation.outputFolder() + ResExportFileName;
    WaitCursor wait;
    prompt.message(FileWrittenMessage(path, WriteGridCsv(*grdSearch, path)));
}

void frmReservation::cmdPrint_Click() {
    if (grdSearch->rowCount() == 0) {
        m_ctx.prompt().message("Please select some information first.  Then Print.");
        return;
    }
    QString routine, title;
    switch (m_searched) {
    case ResSearchKind::ByName:
        routine = RptReservationsByName;
        title = "Reservations By Name";
        break;
    case ResSearchKind::ByCategory:
        routine = chkPageBreak->isChecked() ? RptReservationsPB : RptReservations;
        title = chkPageBreak->isChecked() ? "Reservations with Page Break on Items"
                                          : "Reservations";
        break;
    case ResSearchKind::WaitList:
        routine = RptWaitList;
        title = "Wait List";
        break;
    case ResSearchKind::Unavailability:
        routine = RptUnavailability;
        title = "Unavailability";
        break;
    }
    OpenReport(m_ctx, {routine, title, m_searchArgs}, this);
}

void frmReservation::buildSignUp(QWidget* page) {
    auto* top = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("SignUp Sheets:"));
    left->addWidget(lstSignUp = named(new QListWidget, "lstSignUp"), 1);
    top->addLayout(left, 1);
    auto* right = new QVBoxLayout;
    auto* name = new QHBoxLayout;
    name->addWidget(new QLabel("Name:"));
    name->addWidget(txtSignUpName = makeLineEdit(page, "txtSignUpName", false, 50), 1);
    right->addLayout(name);
    right->addWidget(txtSignUpText = named(new QPlainTextEdit, "txtSignUpText"), 1);
    auto* print = new QHBoxLayout;
    print->addWidget(new QLabel("Print for Category:"));
    print->addWidget(cboSignUpCategory = named(new QComboBox, "cboSignUpCategory"), 1);
    right->addLayout(print);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdNewSignUp = named(new QPushButton("New"), "cmdNewSignUp"));
    buttons->addWidget(cmdSaveSignUp = named(new QPushButton("Save"), "cmdSaveSignUp"));
    buttons->addWidget(cmdDeleteSignUp = named(new QPushButton("Delete"), "cmdDeleteSignUp"));
    buttons->addWidget(cmdPrintSignUp = named(new QPushButton("Print"), "cmdPrintSignUp"));
    buttons->addWidget(cmdSignUpDocs = named(new QPushButton("Documents"), "cmdSignUpDocs"));
    for (QPushButton* b :
         {cmdNewSignUp, cmdSaveSignUp, cmdDeleteSignUp, cmdPrintSignUp, cmdSignUpDocs})
        b->setAutoDefault(false);
    right->addLayout(buttons);
    top->addLayout(right, 2);
    connect(lstSignUp, &QListWidget::currentRowChanged, this, &frmReservation::signUpSelected);
    connect(cmdNewSignUp, &QPushButton::clicked, this, [this] {
        lstSignUp->setCurrentRow(-1);
        txtSignUpName->clear();
        txtSignUpText->clear();
        txtSignUpName->setFocus();
    });
    connect(cmdSaveSignUp, &QPushButton::clicked, this, &frmReservation::cmdSaveSignUp_Click);
    connect(cmdDeleteSignUp, &QPushButton::clicked, this, &frmReservation::cmdDeleteSignUp_Click);
    connect(cmdPrintSignUp, &QPushButton::clicked, this, &frmReservation::cmdPrintSignUp_Click);
    connect(cmdSignUpDocs, &QPushButton::clicked, this, &frmReservation::cmdSignUpDocs_Click);
}

void frmReservation::refreshSignUps(qint64 select) {
    lstSignUp->clear();
    try {
        for (const SignUpSheet& s : GetSignUpSheets(m_ctx)) {
            auto* item = new QListWidgetItem(s.name, lstSignUp);
            item->setData(Qt::UserRole, s.id);
            if (s.id == select) lstSignUp->setCurrentItem(item);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetSignUpSheets", FormName, true);
    }
}

void frmReservation::signUpSelected() {
    const QListWidgetItem* item = lstSignUp->currentItem();
    if (!item) return;
    txtSignUpName->setText(item->text());
    try {
        txtSignUpText->setPlainText(GetSignUpText(m_ctx, item->data(Qt::UserRole).toLongLong()));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetSignUpText", FormName, true);
    }
}

void frmReservation::cmdSaveSignUp_Click() {
    SignUpSheet sheet;
    if (const QListWidgetItem* item = lstSignUp->currentItem())
        sheet.id = item->data(Qt::UserRole).toLongLong();
    sheet.name = txtSignUpName->text().trimmed();
    try {
        const QString refusal = SaveSignUpSheet(m_ctx, sheet, txtSignUpText->toPlainText());
        if (!refusal.isEmpty()) {
            m_ctx.prompt().message(refusal);
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, sheet.id ? "UpdateSignUpSheet" : "InsertSignUpSheet",
                    FormName, true);
        return;
    }
    refreshSignUps(sheet.id);
}

void frmReservation::cmdDeleteSignUp_Click() {
    const QListWidgetItem* item = lstSignUp->currentItem();
    if (!item) {
        m_ctx.prompt().message(MsgSelectSheet);
        return;
    }
    if (m_ctx.prompt().ask("Press <Yes> to DELETE this SignUp Sheet Definition.\rPress <No> if you "
                           "DO NOT wish to delete.",
                           {}, Buttons::YesNo, Icon::Question, Answer::No) != Answer::Yes)
        return;
    try {
        DeleteSignUpSheet(m_ctx, item->data(Qt::UserRole).toLongLong());
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "DeleteSignUpSheet", FormName, true);
        return;
    }
    txtSignUpName->clear();
    txtSignUpText->clear();
    refreshSignUps();
}

void frmReservation::cmdPrintSignUp_Click() {
    const QListWidgetItem* item = lstSignUp->currentItem();
    if (!item) {
        m_ctx.prompt().message(MsgSelectSheet);
        return;
    }
    const QDate day = bookingDate();
    OpenReport(m_ctx,
               {RptSignUpSheet,
                "SignUpSheet",
                {{"sheetId", item->data(Qt::UserRole).toLongLong()},
                 {"categoryId", cboSignUpCategory->currentData().toLongLong()},
                 {"date", day.isValid() ? Formats::StoredDate(day) : QString()}}},
               this);
}

void frmReservation::cmdSignUpDocs_Click() {
    const QListWidgetItem* item = lstSignUp->currentItem();
    if (!item) {
        m_ctx.prompt().message(MsgSelectSheet);
        return;
    }
    auto* dialog = new frmContactDoc(m_ctx, DocKind::SignUpSheet,
                                     item->data(Qt::UserRole).toLongLong(), item->text(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void frmReservation::buildPurge(QWidget* page) {
    auto* top = new QVBoxLayout(page);
    top->addWidget(new QLabel("Delete all reservations, wait-list entries, unavailability counts "
                              "and row limits dated before:"));
    auto* row = new QHBoxLayout;
    row->addWidget(txtPurgeDate = makeLineEdit(page, "txtPurgeDate", false, 10));
    txtPurgeDate->setPlaceholderText(Formats::ShortDateHint);
    row->addWidget(cmdDeleteRes = named(new QPushButton("Delete Reservations"), "cmdDeleteRes"));
    cmdDeleteRes->setAutoDefault(false);
    row->addStretch();
    top->addLayout(row);
    top->addStretch();
    connect(cmdDeleteRes, &QPushButton::clicked, this, &frmReservation::cmdDeleteRes_Click);
}

void frmReservation::cmdDeleteRes_Click() {
    Prompt& prompt = m_ctx.prompt();
    try {
        if (!MayDoOrSay(m_ctx, Rights::OthersReservations, MsgResPurgeNotAuthorized)) return;
    } catch (const DbError& e) {
        ReportError(prompt, e, "cmdDeleteRes_Click", FormName, true);
        return;
    }
    const QDate before = Formats::ParseShortDate(txtPurgeDate->text());
    if (!before.isValid()) {
        prompt.message("Please enter a valid date.", {}, Icon::Exclamation);
        return;
    }
    if (before >= m_ctx.clock().today()) {
        prompt.message("This Date must be prior to Today.   Thank you.");
        return;
    }
    if (prompt.ask("Do you wish to Delete All Reservation Information prior to " +
                       Formats::ShortDate(before) + "?",
                   {}, Buttons::YesNo, Icon::Question, Answer::No) != Answer::Yes)
        return;
    try {
        WaitCursor wait;
        DeleteReservations(m_ctx, before);
    } catch (const DbError& e) {
        ReportError(prompt, e, "DeleteReservations", FormName, true);
        return;
    }
    loadGrid();
}

} // namespace vm
