#include "desk/forms/frmTickler.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "desk/Ticklers.h"
#include "platform/VersionedUpdate.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmTickler");

struct DayBox {
    const char* name;
    const char* caption;
};
// Sunday first, as the stored weekday mask.
const DayBox DayBoxes[7] = {{"chkSun", "Sunday"},    {"chkMon", "Monday"},   {"chkTue", "Tuesday"},
                            {"chkWed", "Wednesday"}, {"chkThu", "Thursday"}, {"chkFri", "Friday"},
                            {"chkSat", "Saturday"}};

// The box shows nothing for a note without an end.
QString typedThrough(const QString& stored) {
    return stored == OpenThroughDate ? QString() : Formats::ShortDateOfStored(stored);
}

} // namespace

QString TicklerCaption(char fromType, const QString& ownerName) {
    return (fromType == TicklerFrom::Contact ? QStringLiteral("Contact Named - ")
                                             : QStringLiteral("Logbook Category - ")) +
           ownerName;
}

void OpenTicklers(AppContext& ctx, char fromType, qint64 fromId, const QString& ownerName,
                  QWidget* parent) {
    frmTickler screen(ctx, fromType, fromId, ownerName, parent);
    TrackSessionWindow(ctx, &screen);
    screen.exec();
}

frmTickler::frmTickler(AppContext& ctx, char fromType, qint64 fromId, const QString& ownerName,
                       QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_fromType(fromType), m_fromId(fromId) {
    setObjectName(FormName);
    setWindowTitle(TicklerCaption(fromType, ownerName));
    build();
    refresh();
}

void frmTickler::build() {
    auto* top = new QVBoxLayout(this);
    top->addWidget(grdTicklers = named(new DataGrid, "grdTicklers"), 1);
    grdTicklers->setHeaders({"Starting Date", "Through Date", "Days of Week", "Message"});

    auto* dates = new QFormLayout;
    txtStartingDate = makeLineEdit(this, "txtStartingDate", false, 10);
    txtThroughDate = makeLineEdit(this, "txtThroughDate", false, 10);
    for (QLineEdit* e : {txtStartingDate, txtThroughDate})
        e->setPlaceholderText(Formats::ShortDateHint);
    dates->addRow("Starting Date:", txtStartingDate);
    dates->addRow("Through Date:", txtThroughDate);
    top->addLayout(dates);

    auto* days = new QHBoxLayout;
    for (int i = 0; i < 7; ++i)
        days->addWidget(chkDays[size_t(i)] =
                            named(new QCheckBox(DayBoxes[i].caption), DayBoxes[i].name));
    top->addLayout(days);

    top->addWidget(new QLabel("Message:"));
    top->addWidget(txtMessage = makeLineEdit(this, "txtMessage", false, 255));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdNew = named(new QPushButton("&New"), "cmdNew"));
    buttons->addWidget(cmdSave = named(new QPushButton("&Save"), "cmdSave"));
    buttons->addWidget(cmdDelete = named(new QPushButton("&Delete"), "cmdDelete"));
    buttons->addStretch();
    buttons->addWidget(cmdClose = named(new QPushButton("&Close"), "cmdClose"));
    for (QPushButton* b : {cmdNew, cmdSave, cmdDelete, cmdClose})
        b->setAutoDefault(false);
    top->addLayout(buttons);

    connect(grdTicklers->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (const qint64 id = grdTicklers->currentKey()) showNote(id);
    });
    connect(cmdSave, &QPushButton::clicked, this, &frmTickler::cmdSave_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmTickler::cmdDelete_Click);
    connect(cmdNew, &QPushButton::clicked, this, &frmTickler::cmdNew_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmTickler::refresh() {
    grdTicklers->clearRows();
    try {
        for (const TicklerNote& n : GetTicklers(m_ctx.db(), m_fromType, m_fromId))
            grdTicklers->setRow(n.id, {Formats::ShortDateOfStored(n.startingDate),
                                       Formats::ShortDateOfStored(n.throughDate), n.daysOfWeek,
                                       n.message});
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetTicklers", FormName, true);
    }
}

void frmTickler::showNote(qint64 id) {
    try {
        const auto n = GetTickler(m_ctx.db(), id);
        if (!n) return;
        m_current = n->id;
        txtStartingDate->setText(Formats::ShortDateOfStored(n->startingDate));
        txtThroughDate->setText(typedThrough(n->throughDate));
        const QString mask = MaskFromDays(n->daysOfWeek);
        for (int i = 0; i < 7; ++i)
            chkDays[size_t(i)]->setChecked(mask.at(i) == '1');
        txtMessage->setText(n->message);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetTicklers", FormName, true);
    }
}

void frmTickler::clearBoxes() {
    m_current = 0;
    grdTicklers->clearSelection();
    txtStartingDate->clear();
    txtThroughDate->clear();
    for (QCheckBox* b : chkDays)
        b->setChecked(false);
    txtMessage->clear();
}

void frmTickler::cmdNew_Click() {
    clearBoxes();
    txtStartingDate->setFocus();
}

void frmTickler::cmdSave_Click() {
    TypedTickler typed{txtStartingDate->text(), txtThroughDate->text(), {}, txtMessage->text()};
    for (QCheckBox* b : chkDays)
        typed.dayMask += b->isChecked() ? '1' : '0';
    const QString refusal = CheckTickler(typed);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return;
    }
    TicklerNote note = StoredTickler(typed);
    note.id = m_current;
    note.fromType = m_fromType;
    note.fromId = m_fromId;
    try {
        if (SaveTickler(m_ctx.db(), note) == 0)
            m_ctx.prompt().message(GoneElsewhereMessage("Message"), {}, Icon::Exclamation);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, m_current ? "UpdateTickler" : "InsertTickler", FormName,
                    true);
        return;
    }
    refresh();
    clearBoxes();
}

void frmTickler::cmdDelete_Click() {
    if (m_current == 0) {
        m_ctx.prompt().message(MsgTicklerSelect);
        return;
    }
    if (m_ctx.prompt().ask(MsgTicklerDelete, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    try {
        DeleteTickler(m_ctx.db(), m_current);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "DeleteTickler", FormName, true);
        return;
    }
    refresh();
    clearBoxes();
}

} // namespace vm
