#include "guests/forms/frmEvent.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "core/Settings.h"
#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"
#include "platform/VersionedUpdate.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmEvent");
} // namespace

QString MsgDeleteEvent() {
    return QStringLiteral("Press <Yes> to DELETE this Event record.") + CRLF +
           "Press <No> if you DO NOT wish to delete.";
}

frmEvent::frmEvent(AppContext& ctx, qint64 eventId, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(FormName);
    QString caption = "Concierge Event Manager - " + ctx.globals.propertyName + " - " +
                      Formats::LongDate(ctx.clock().today());
    if (ctx.start.localBackup) caption = "   *****   LOCAL Backup - " + caption;
    setWindowTitle(caption);
    build();
    try {
        m_properCase = GetBooleanSetting(ctx.db(), "ProperCaseName");
        fillTypes();
        applyRights();
        if (eventId > 0 && load(eventId)) return;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "Form_Load", FormName, true);
    }
    showNew();
}

void frmEvent::build() {
    auto* top = new QVBoxLayout(this);
    auto* icons = new QHBoxLayout;
    auto icon = [&](const char* name, const QString& tip) {
        auto* b = named(new QToolButton, name);
        b->setText(tip);
        b->setToolTip(tip);
        icons->addWidget(b);
        return b;
    };
    imgPrevious = icon("imgPrevious", "Previous");
    imgNext = icon("imgNext", "Next");
    imgPrint = icon("imgPrint", "Print Event Details");
    imgMessage = icon("imgMessage", "Send a Message about this Event");
    icons->addStretch();
    top->addLayout(icons);

    auto* f = new QFormLayout;
    f->addRow("Event Name:", txtEventName = makeLineEdit(this, "txtEventName", false, 100));
    auto* dates = new QHBoxLayout;
    dates->addWidget(chkContinuous = named(new QCheckBox("Continuous"), "chkContinuous"));
    dates->addWidget(txtStartingDate = makeLineEdit(this, "txtStartingDate", false, 10));
    dates->addWidget(new QLabel("Through"));
    dates->addWidget(txtThroughDate = makeLineEdit(this, "txtThroughDate", false, 10));
    txtStartingDate->setPlaceholderText(Formats::ShortDateHint);
    txtThroughDate->setPlaceholderText(Formats::ShortDateHint);
    f->addRow("Starting Date:", dates);
    f->addRow("Time:", txtEventTime = makeLineEdit(this, "txtEventTime", false, 50));
    f->addRow("Location:", txtLocation = makeLineEdit(this, "txtLocation", false, 100));
    f->addRow("Telephone:", txtTelephone = makeLineEdit(this, "txtTelephone", false, 50));
    auto* prices = new QHBoxLayout;
    prices->addWidget(txtLowPrice = makeLineEdit(this, "txtLowPrice", false, 20));
    prices->addWidget(new QLabel("High:"));
    prices->addWidget(txtHighPrice = makeLineEdit(this, "txtHighPrice", false, 20));
    f->addRow("Low Price:", prices);
    f->addRow("Dark:", txtDark = makeLineEdit(this, "txtDark", false, 100));
    f->addRow("Type of Event:", cboEventType = named(new QComboBox, "cboEventType"));
    f->addRow(chkPrintOnList = named(new QCheckBox("Print on the Guest Lists"), "chkPrintOnList"));
    top->addLayout(f);

    auto* tabs = new QTabWidget;
    tabs->addTab(txtNotes = named(new QPlainTextEdit, "txtNotes"), "Notes");
    tabs->addTab(buildExceptions(), "Schedule Exceptions");
    tabs->addTab(buildDocuments(), "Linked Documents");
    top->addWidget(tabs, 1);

    auto* stamps = new QHBoxLayout;
    stamps->addWidget(lblUpdated = named(new QLabel, "lblUpdated"));
    stamps->addWidget(lblCreated = named(new QLabel, "lblCreated"));
    top->addLayout(stamps);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSave = named(new QPushButton("&Save"), "cmdSave"));
    buttons->addWidget(cmdDelete = named(new QPushButton("&Delete"), "cmdDelete"));
    buttons->addWidget(cmdClear = named(new QPushButton("C&lear"), "cmdClear"));
    buttons->addStretch();
    buttons->addWidget(cmdClose = named(new QPushButton("&Close"), "cmdClose"));
    top->addLayout(buttons);

    for (QLineEdit* e : {txtEventName, txtStartingDate, txtThroughDate, txtEventTime, txtLocation,
                         txtTelephone, txtLowPrice, txtHighPrice, txtDark})
        connect(e, &QLineEdit::textEdited, this, &frmEvent::markChanged);
    connect(txtNotes, &QPlainTextEdit::textChanged, this, &frmEvent::markChanged);
    connect(cboEventType, &QComboBox::currentIndexChanged, this, &frmEvent::markChanged);
    connect(chkPrintOnList, &QCheckBox::toggled, this, &frmEvent::markChanged);
    connect(chkContinuous, &QCheckBox::toggled, this, &frmEvent::continuousToggled);
    connect(txtEventName, &QLineEdit::editingFinished, this, &frmEvent::nameLeft);
    connect(txtLowPrice, &QLineEdit::editingFinished, this, [this] { priceLeft(txtLowPrice); });
    connect(txtHighPrice, &QLineEdit::editingFinished, this, [this] { priceLeft(txtHighPrice); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, &frmEvent::cmdDelete_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmEvent::cmdClear_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(imgPrevious, &QToolButton::clicked, this, [this] { move(-1); });
    connect(imgNext, &QToolButton::clicked, this, [this] { move(+1); });
    connect(imgPrint, &QToolButton::clicked, this, &frmEvent::imgPrint_Click);
    connect(imgMessage, &QToolButton::clicked, this, &frmEvent::imgMessage_Click);
    imgPrevious->hide();
    imgNext->hide();
}

QWidget* frmEvent::buildExceptions() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->addWidget(grdExceptions = named(new DataGrid, "grdExceptions"), 1);
    grdExceptions->setHeaders({"From", "Through", "Description"});
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(new QLabel("From:"));
    boxes->addWidget(txtSEFrom = makeLineEdit(this, "txtSEFrom", false, 10));
    boxes->addWidget(new QLabel("Through:"));
    boxes->addWidget(txtSEThrough = makeLineEdit(this, "txtSEThrough", false, 10));
    boxes->addWidget(new QLabel("Description:"));
    boxes->addWidget(txtSEDescription = makeLineEdit(this, "txtSEDescription", false, 255), 1);
    boxes->addWidget(cmdSaveSE = named(new QPushButton("Save Exception"), "cmdSaveSE"));
    boxes->addWidget(cmdDeleteSE = named(new QPushButton("Delete Exception"), "cmdDeleteSE"));
    v->addLayout(boxes);
    connect(grdExceptions->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { exceptionChosen(grdExceptions->currentKey()); });
    connect(cmdSaveSE, &QPushButton::clicked, this, &frmEvent::cmdSaveSE_Click);
    connect(cmdDeleteSE, &QPushButton::clicked, this, &frmEvent::cmdDeleteSE_Click);
    return page;
}

QWidget* frmEvent::buildDocuments() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->addWidget(grdDocuments = named(new DataGrid, "grdDocuments"), 1);
    v->addWidget(cmdMaintainDocs =
                     named(new QPushButton("Maintain Linked Documents"), "cmdMaintainDocs"));
    connect(grdDocuments, &DataGrid::rowActivated, this, &frmEvent::openDocument);
    connect(cmdMaintainDocs, &QPushButton::clicked, this, &frmEvent::cmdMaintainDocs_Click);
    return page;
}

void frmEvent::fillTypes() {
    m_loading = true;
    const QString keep = cboEventType->currentText();
    cboEventType->clear();
    cboEventType->addItem(QString());
    cboEventType->addItems(GetEventTypeNames(m_ctx));
    cboEventType->setCurrentText(keep);
    m_loading = false;
}

bool frmEvent::mayEdit() const {
    return !IsGuestViewer(m_ctx.session) && MayDo(m_ctx, Rights::EventsEdit);
}

void frmEvent::applyRights() {
    const bool edit = mayEdit();
    cmdSave->setVisible(edit);
    cmdDelete->setVisible(edit);
    cmdClear->setVisible(edit);
    cmdSaveSE->setVisible(edit);
    cmdDeleteSE->setVisible(edit);
}

void frmEvent::setNeighbours(std::function<qint64(qint64, int)> neighbour) {
    m_neighbour = std::move(neighbour);
    imgPrevious->setVisible(bool(m_neighbour));
    imgNext->setVisible(bool(m_neighbour));
}

void frmEvent::markChanged() {
    if (!m_loading) m_changed = true;
}

void frmEvent::showNew() {
    Event e;
    display(e);
}

bool frmEvent::load(qint64 id) {
    const std::optional<Event> e = GetTheEvent(m_ctx, id);
    if (!e) return false;
    display(*e);
    return true;
}

void frmEvent::display(const Event& e) {
    m_loading = true;
    m_event = e;
    txtEventName->setText(e.name);
    chkContinuous->setChecked(e.id > 0 && e.continuous());
    txtStartingDate->setEnabled(!chkContinuous->isChecked());
    txtStartingDate->setText(Formats::ShortDateOfStored(e.startingDate));
    txtThroughDate->setText(Formats::ShortDateOfStored(e.throughDate));
    txtEventTime->setText(e.eventTime);
    txtLocation->setText(e.location);
    txtTelephone->setText(e.telephone);
    txtLowPrice->setText(FormatPrice(e.lowPrice));
    txtHighPrice->setText(FormatPrice(e.highPrice));
    txtDark->setText(e.dark);
    if (!e.eventType.isEmpty() && cboEventType->findText(e.eventType) < 0)
        cboEventType->addItem(e.eventType); // a type deleted meanwhile still shows
    cboEventType->setCurrentText(e.eventType);
    chkPrintOnList->setChecked(e.printOnList);
    txtNotes->setPlainText(e.notes);
    m_loading = false;
    m_changed = false;
    showStamps();
    refreshExceptions();
    refreshDocuments();
}

void frmEvent::showStamps() {
    const Event& e = m_event;
    lblUpdated->setText(e.id > 0 ? "Updated: " + Formats::ShortDateOfStored(e.updateDate) +
                                       "  By: " + e.luInitials
                                 : QString());
    const QDate created = Formats::ParseStoredDate(e.entryDate);
    const QTime at = Formats::ParseTime(e.entryTime);
    lblCreated->setText(created.isValid() ? "Created: " + Formats::CreatedDate(created) + "  " +
                                                Formats::Time12Lower(at) + "  By: " + e.enteredBy
                                          : QString());
}

void frmEvent::continuousToggled(bool on) {
    if (on) txtStartingDate->clear();
    txtStartingDate->setEnabled(!on);
    markChanged();
}

void frmEvent::nameLeft() {
    if (m_properCase && !txtEventName->text().isEmpty()) {
        const QString proper = EventNameProperCase(txtEventName->text());
        if (proper != txtEventName->text()) {
            txtEventName->setText(proper);
            markChanged();
        }
    }
}

void frmEvent::priceLeft(QLineEdit* box) {
    bool ok = true;
    const auto price = ParsePrice(box->text(), ok);
    if (ok && price) box->setText(FormatPrice(price)); // a bad one is refused by the save
}

bool frmEvent::cmdSave_Click() {
    if (!mayEdit()) return false;
    Prompt& prompt = m_ctx.prompt();
    EventInput in{txtEventName->text(),   chkContinuous->isChecked(),  txtStartingDate->text(),
                  txtThroughDate->text(), cboEventType->currentText(), txtLowPrice->text(),
                  txtHighPrice->text()};
    const QString refusal = CheckEvent(in);
    if (!refusal.isEmpty()) {
        prompt.message(refusal);
        return false;
    }
    Event e = m_event;
    e.name = txtEventName->text().trimmed();
    const QDate start = Formats::ParseShortDate(in.startingDate.trimmed());
    const QDate through = Formats::ParseShortDate(in.throughDate.trimmed());
    e.startingDate = in.continuous ? QString() : Formats::StoredDate(start);
    e.throughDate = through.isValid() ? Formats::StoredDate(through) : QString();
    e.eventTime = txtEventTime->text().trimmed();
    e.location = txtLocation->text().trimmed();
    e.telephone = txtTelephone->text().trimmed();
    bool ok = true;
    e.lowPrice = ParsePrice(in.lowPrice, ok);
    e.highPrice = ParsePrice(in.highPrice, ok);
    e.dark = txtDark->text().trimmed();
    e.eventType = in.eventType.trimmed();
    e.printOnList = chkPrintOnList->isChecked();
    e.notes = txtNotes->toPlainText();
    try {
        const EventSave outcome = e.id == 0 ? InsertEvent(m_ctx, e) : UpdateEvent(m_ctx, e);
        switch (outcome) {
        case EventSave::Saved:
            break;
        case EventSave::Duplicate:
            prompt.message(MsgEventDuplicate());
            return false;
        case EventSave::Gone:
            prompt.message(GoneElsewhereMessage("Event"), {}, Icon::Exclamation);
            return false;
        case EventSave::Changed:
            if (prompt.ask(ChangedElsewhereQuestion("Event"), {}, Buttons::YesNo, Icon::Exclamation,
                           Answer::No) == Answer::Yes)
                load(e.id);
            return false;
        }
        // What was written, as the next read would show it (stored forms).
        load(e.id);
        Q_EMIT eventSaved(e.id);
        return true;
    } catch (const DbError& err) {
        ReportError(prompt, err, "cmdSave_Click", FormName, true);
        return false;
    }
}

void frmEvent::cmdDelete_Click() {
    if (m_event.id <= 0 || !mayEdit()) return;
    try {
        if (!MayDoOrSay(m_ctx, Rights::EventsDelete, "You are not authorized to Delete Events."))
            return;
        if (m_ctx.prompt().ask(MsgDeleteEvent()) != Answer::Yes) return;
        const qint64 id = m_event.id;
        if (!DeleteEvent(m_ctx, id))
            m_ctx.prompt().message(GoneElsewhereMessage("Event"), {}, Icon::Exclamation);
        m_changed = false;
        Q_EMIT eventDeleted(id);
        accept();
    } catch (const DbError& err) {
        ReportError(m_ctx.prompt(), err, "cmdDelete_Click", FormName, true);
    }
}

bool frmEvent::keepOrDiscardChanges() {
    if (!m_changed || !mayEdit()) return true;
    if (m_ctx.prompt().ask(MsgSaveChanges) != Answer::Yes) return true; // discarded
    return cmdSave_Click(); // a save that fails keeps the screen as it is
}

void frmEvent::cmdClear_Click() {
    if (!keepOrDiscardChanges()) return;
    showNew();
}

void frmEvent::move(int step) {
    if (!m_neighbour || m_event.id <= 0) return;
    const qint64 next = m_neighbour(m_event.id, step);
    if (next <= 0 || !keepOrDiscardChanges()) return;
    try {
        if (!load(next)) {
            m_ctx.prompt().message(GoneElsewhereMessage("Event"), {}, Icon::Exclamation);
            return;
        }
        Q_EMIT movedTo(next);
    } catch (const DbError& err) {
        ReportError(m_ctx.prompt(), err, step < 0 ? "imgPrevious_Click" : "imgNext_Click", FormName,
                    true);
    }
}

void frmEvent::closeEvent(QCloseEvent* e) {
    if (m_changed && mayEdit()) {
        if (m_ctx.prompt().ask(MsgSaveChanges) == Answer::Yes && !cmdSave_Click()) {
            e->ignore();
            return;
        }
    }
    m_changed = false;
    QDialog::closeEvent(e);
}

} // namespace vm
