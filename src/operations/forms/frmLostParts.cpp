#include "operations/forms/frmLostParts.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "logbook/EntryRules.h"
#include "operations/forms/frmLostMatched.h"
#include "operations/reports/LostFoundReports.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/SessionWindows.h"
#include "guests/OtherLists.h"
#include "platform/DbError.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

QComboBox* MakeLookupBox(AppContext& ctx, const char* objectName, const QString& otherType,
                         const QString& current) {
    auto* box = named(new QComboBox, objectName);
    box->addItem(QString());
    try {
        box->addItems(GetOtherValues(ctx, otherType));
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "GetOtherValues", "frmLostAndFound", true);
    }
    SetLookupValue(box, current);
    return box;
}

void SetLookupValue(QComboBox* box, const QString& value) {
    const QString v = value.trimmed();
    int at = box->findText(v, Qt::MatchFixedString); // lookup values compare without case
    if (at < 0 && !v.isEmpty()) {
        box->addItem(v); // a value the list no longer holds stays on the record
        at = box->count() - 1;
    }
    box->setCurrentIndex(at < 0 ? 0 : at);
}

QString LookupValue(const QComboBox* box) { return box->currentText().trimmed(); }

QString TypedStoredDate(const QLineEdit* box) {
    const QDate d = Formats::ParseShortDate(box->text().trimmed());
    return d.isValid() ? Formats::StoredDate(d) : QString();
}

QString ShownDate(const QString& stored) {
    return stored.trimmed().isEmpty() ? QString() : Formats::ShortDateOfStored(stored.trimmed());
}

double TypedAmount(const QLineEdit* box) {
    QString t = box->text().trimmed();
    t.remove(',');
    t.remove('$');
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok ? v : 0;
}

QString ShownAmount(double value) { return Formats::FormatNumber(value, "0.00"); }

void OwnerBoxes::build(QWidget* parent, QFormLayout* form) {
    const auto box = [parent](const char* name, int length) {
        return makeLineEdit(parent, name, false, length);
    };
    form->addRow("First Name:", txtFirstName = box("txtFirstName", 50));
    form->addRow("Last Name:", txtLastName = box("txtLastName", 50));
    form->addRow("Address:", txtAddress = box("txtAddress", 250));
    form->addRow("City:", txtCity = box("txtCity", 50));
    form->addRow("State:", txtState = box("txtState", 50));
    form->addRow("Postal Code:", txtPostalCode = box("txtPostalCode", 20));
    form->addRow("Home Phone:", txtHomePhone = box("txtHomePhone", 50));
    form->addRow("Work Phone:", txtWorkPhone = box("txtWorkPhone", 50));
    form->addRow("Other Phone:", txtOtherPhone = box("txtOtherPhone", 50));
    form->addRow("Email Address:", txtEmailAddress = box("txtEmailAddress", 250));
}

QList<QLineEdit*> OwnerBoxes::all() const {
    return {txtFirstName, txtLastName,  txtAddress,   txtCity,      txtState,
            txtPostalCode, txtHomePhone, txtWorkPhone, txtOtherPhone, txtEmailAddress};
}

void OwnerBoxes::show(const LfOwner& o) {
    const QStringList values{o.firstName, o.lastName,  o.address,   o.city,       o.state,
                             o.postalCode, o.homePhone, o.workPhone, o.otherPhone, o.emailAddress};
    const QList<QLineEdit*> boxes = all();
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(values[i].trimmed()); // the stored blank reads as nothing
}

LfOwner OwnerBoxes::typed() const {
    LfOwner o;
    o.firstName = txtFirstName->text().trimmed();
    o.lastName = txtLastName->text().trimmed();
    o.address = txtAddress->text().trimmed();
    o.city = txtCity->text().trimmed();
    o.state = txtState->text().trimmed();
    o.postalCode = txtPostalCode->text().trimmed();
    o.homePhone = txtHomePhone->text().trimmed();
    o.workPhone = txtWorkPhone->text().trimmed();
    o.otherPhone = txtOtherPhone->text().trimmed();
    o.emailAddress = txtEmailAddress->text().trimmed();
    return o;
}

LostMatchPanel::LostMatchPanel(AppContext& ctx, bool lostSide, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_lostSide(lostSide) {
    setObjectName("pnlMatch");
    auto* top = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    g->addWidget(chkMatchCategory = named(new QCheckBox("Same Category"), "chkMatchCategory"), 0, 0);
    g->addWidget(chkMatchLocation = named(new QCheckBox(lostSide ? "Found where it was Lost"
                                                                 : "Lost where it was Found"),
                                          "chkMatchLocation"),
                 0, 1);
    g->addWidget(chkMatchDate = named(new QCheckBox("Within 2 Days"), "chkMatchDate"), 0, 2);
    g->addWidget(chkMatchWord = named(new QCheckBox("Search Word:"), "chkMatchWord"), 1, 0);
    g->addWidget(txtMatchWord = makeLineEdit(this, "txtMatchWord", false, 50), 1, 1);
    g->addWidget(cmdFindMatch = named(new QPushButton("Search for Matches"), "cmdFindMatch"), 1, 2);
    top->addLayout(g);
    top->addWidget(grdMatches = named(new DataGrid, "grdMatches"), 1);
    grdMatches->setHeaders({"Category", "Description", "Date", "Location",
                            lostSide ? "Finder" : "Owner", "Item ID", "Photograph"});
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cmdMatch = named(new QPushButton("Match Selected Item"), "cmdMatch"));
    top->addLayout(row);
    for (QPushButton* b : {cmdFindMatch, cmdMatch})
        b->setAutoDefault(false);
    connect(cmdFindMatch, &QPushButton::clicked, this, &LostMatchPanel::searchClicked);
    connect(txtMatchWord, &QLineEdit::textEdited, this,
            [this](const QString& t) { chkMatchWord->setChecked(!t.trimmed().isEmpty()); });
    connect(grdMatches, &DataGrid::rowActivated, this, &LostMatchPanel::matchChosen);
    connect(cmdMatch, &QPushButton::clicked, this, [this] { emit matchChosen(chosenId()); });
}

LfMatchCriteria LostMatchPanel::criteria() const {
    LfMatchCriteria c;
    c.sameCategory = chkMatchCategory->isChecked();
    c.sameLocation = chkMatchLocation->isChecked();
    c.dateWindow = chkMatchDate->isChecked();
    c.byWord = chkMatchWord->isChecked();
    c.word = txtMatchWord->text().trimmed();
    return c;
}

int LostMatchPanel::search(const LfItem& item) {
    const std::vector<LfListRow> rows = m_lostSide
                                            ? LFGetTheLostMatches(m_ctx, item, criteria())
                                            : LFGetTheFoundMatches(m_ctx, item, criteria());
    grdMatches->clearRows();
    for (const LfListRow& r : rows) {
        grdMatches->setRow(r.id, {r.category, r.itemText,
                                  ShownDate(m_lostSide ? r.foundDate : r.lostDate),
                                  m_lostSide ? r.foundLocation : r.lostLocation,
                                  m_lostSide ? r.finderName : r.ownerName(),
                                  QString::number(r.id), r.photographName.trimmed()});
    }
    return int(rows.size());
}

qint64 LostMatchPanel::chosenId() const { return grdMatches->currentKey(); }

LostItemForm::LostItemForm(AppContext& ctx, bool lostSide, const QString& formName,
                           QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_lostSide(lostSide), m_formName(formName) {
    setObjectName(formName);
    pnlMatch = new LostMatchPanel(ctx, lostSide);
    connect(pnlMatch, &LostMatchPanel::searchClicked, this, [this] { findMatches(false); });
    connect(pnlMatch, &LostMatchPanel::matchChosen, this,
            [this](qint64 otherId) { closeWith(otherId); });
}

void LostItemForm::findMatches(bool afterSave) {
    if (!m_item.id) {
        m_ctx.prompt().message(kLfMsgSaveBeforeMatch);
        return;
    }
    try {
        WaitCursor wait;
        const int n = pnlMatch->search(m_item);
        if (afterSave && n > 0) {
            m_ctx.prompt().message(LfPossibleMatchesText(n), kLfTitlePossibleMatch);
            showMatches();
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, m_lostSide ? "LFGetTheLostMatches" : "LFGetTheFoundMatches",
                    m_formName, true);
    }
}

void LostItemForm::closeWith(qint64 otherId, bool alone) {
    if (!MayDoOrSay(m_ctx, Rights::AddOnsLostAndFound,
                    m_lostSide ? kLfMsgNotAuthorizedMatchLost : kLfMsgNotAuthorizedMatchFound))
        return;
    if (!m_item.id) {
        m_ctx.prompt().message(kLfMsgSaveBeforeMatch);
        return;
    }
    if (!otherId && !alone) {
        m_ctx.prompt().message(kLfMsgNoItemSelected);
        return;
    }
    const qint64 lostId = m_lostSide ? m_item.id : otherId;
    const qint64 foundId = m_lostSide ? otherId : m_item.id;
    // Owned by the search window: it stays open for its print after this form closes.
    auto* closing = new frmLostMatched(m_ctx, lostId, foundId, parentWidget());
    closing->setAttribute(Qt::WA_DeleteOnClose);
    TrackSessionWindow(m_ctx, closing);
    connect(closing, &frmLostMatched::closedItem, this, [this] {
        emit changed();
        close(); // the record is no longer open
    });
    closing->show();
}

void LostItemForm::cmdDelete_Click() {
    Prompt& prompt = m_ctx.prompt();
    if (!m_item.id) {
        prompt.message(kLfMsgNotSavedDelete);
        return;
    }
    if (prompt.ask(m_lostSide ? kLfMsgConfirmDeleteLost : kLfMsgConfirmDeleteFound, {},
                   Buttons::YesNo, Icon::Question, Answer::No) != Answer::Yes)
        return;
    try {
        if (m_lostSide)
            LFDeleteLostItem(m_ctx, m_item.id);
        else
            LFDeleteFoundItem(m_ctx, m_item.id);
    } catch (const DbError& e) {
        ReportError(prompt, e, m_lostSide ? "LFDeleteLostItem" : "LFDeleteFoundItem", m_formName,
                    true);
        return;
    }
    emit changed();
    close();
}

void LostItemForm::cmdPrint_Click() {
    OpenReport(m_ctx,
               {m_lostSide ? RptLostItem : RptFoundItem, m_lostSide ? "Lost Item" : "Found Item",
                {{"id", m_item.id}}},
               this);
}

} // namespace vm
