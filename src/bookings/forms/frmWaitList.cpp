#include "bookings/forms/frmWaitList.h"

#include "bookings/forms/ReservationScreenLogic.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmWaitList");
}

frmWaitList::frmWaitList(AppContext& ctx, const ResCategory& category, const QDate& day,
                         const QString& name, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_category(category), m_day(day) {
    setObjectName(FormName);
    setWindowTitle(WaitListCaption(category.category, day));
    auto* top = new QVBoxLayout(this);
    top->addWidget(grdWaitList = named(new DataGrid, "grdWaitList"), 1);
    grdWaitList->setHeaders({"Date", "Name", "How to Contact"});
    auto* form = new QFormLayout;
    form->addRow("Name:", txtName = makeLineEdit(this, "txtName", false, 50));
    form->addRow("How to Contact:", txtHowToContact = makeLineEdit(this, "txtHowToContact", false,
                                                                   100));
    top->addLayout(form);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSave = named(new QPushButton("&Save"), "cmdSave"));
    buttons->addWidget(cmdRemove = named(new QPushButton("&Remove"), "cmdRemove"));
    buttons->addStretch();
    buttons->addWidget(cmdClose = named(new QPushButton("&Close"), "cmdClose"));
    for (QPushButton* b : {cmdSave, cmdRemove, cmdClose})
        b->setAutoDefault(false);
    top->addLayout(buttons);
    txtName->setText(name);
    connect(cmdSave, &QPushButton::clicked, this, &frmWaitList::cmdSave_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmWaitList::cmdRemove_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
}

void frmWaitList::refresh() {
    grdWaitList->clearRows();
    try {
        for (const WaitListEntry& e : GetWaitList(m_ctx, m_category.id, m_day))
            grdWaitList->setRow(e.id, {Formats::ShortDateOfStored(e.requestedDate), e.requestedBy,
                                       e.howToContact});
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetWaitList", FormName, true);
    }
}

void frmWaitList::cmdSave_Click() {
    WaitListEntry e;
    e.resTypeId = m_category.id;
    e.requestedDate = Formats::StoredDate(m_day);
    e.requestedBy = txtName->text().trimmed();
    e.howToContact = txtHowToContact->text().trimmed();
    try {
        const QString refusal = InsertWaitList(m_ctx, e);
        if (!refusal.isEmpty()) {
            m_ctx.prompt().message(refusal);
            return;
        }
    } catch (const DbError& err) {
        ReportError(m_ctx.prompt(), err, "InsertWaitList", FormName, true);
        return;
    }
    txtName->clear();
    txtHowToContact->clear();
    refresh();
}

void frmWaitList::cmdRemove_Click() {
    const qint64 id = grdWaitList->currentKey();
    if (id == 0) {
        m_ctx.prompt().message("Please select the Wait List Entry you wish to Remove.");
        return;
    }
    if (m_ctx.prompt().ask("Do you wish to remove this Wait List Entry?", {}, Buttons::YesNo,
                           Icon::Question, Answer::No) != Answer::Yes)
        return;
    try {
        DeleteWaitList(m_ctx, id);
    } catch (const DbError& err) {
        ReportError(m_ctx.prompt(), err, "DeleteWaitList", FormName, true);
        return;
    }
    refresh();
}

} // namespace vm
