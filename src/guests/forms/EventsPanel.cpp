#include "guests/forms/EventsPanel.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "guests/forms/frmCsvImport.h"
#include "guests/forms/frmEvent.h"
#include "guests/reports/EventReports.h"
#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmSearch");

const std::pair<const char*, EventSelectBy> SelectChoices[] = {
    {"Event Date", EventSelectBy::EventDate},
    {"Event Name", EventSelectBy::EventName},
    {"Location", EventSelectBy::Location},
    {"Updated Date", EventSelectBy::UpdatedDate},
    {"All Events", EventSelectBy::None}};

} // namespace

QString MsgImporterNotStarted(const QString& path) {
    return "The Events importer " + QDir::toNativeSeparators(path) +
           " could not be started.  Nothing was imported.";
}

QString EventsPanel::ImporterPath(const AppContext& ctx) {
    return QDir::cleanPath(ctx.workstation.programFolder) + "/ImportE";
}

EventsPanel::EventsPanel(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("EventsPanel");
    auto* top = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    g->addWidget(new QLabel("Select by:"), 0, 0);
    g->addWidget(cboSelectBy = named(new QComboBox, "cboSelectBy"), 0, 1);
    for (const auto& [caption, by] : SelectChoices)
        cboSelectBy->addItem(caption, int(by));
    g->addWidget(txtSearchText = named(new QLineEdit, "txtSearchText"), 0, 2);
    g->addWidget(txtFrom = named(new QLineEdit, "txtFrom"), 0, 3);
    g->addWidget(new QLabel("Through"), 0, 4);
    g->addWidget(txtThrough = named(new QLineEdit, "txtThrough"), 0, 5);
    txtFrom->setPlaceholderText(Formats::ShortDateHint);
    txtThrough->setPlaceholderText(Formats::ShortDateHint);
    g->addWidget(new QLabel("Event Type (Optional):"), 1, 0);
    g->addWidget(cboEventType = named(new QComboBox, "cboEventType"), 1, 1);
    g->addWidget(new QLabel("Sort by:"), 1, 2);
    g->addWidget(cboSort = named(new QComboBox, "cboSort"), 1, 3);
    for (int i = 0; i < EventSortCaptions().size(); ++i)
        cboSort->addItem(EventSortCaptions()[i], i);
    cboSort->setCurrentIndex(int(EventSort::Date));
    g->addWidget(cmdSearch = named(new QPushButton("Search"), "cmdSearch"), 1, 4);
    g->addWidget(cmdAddEvent = named(new QPushButton("&Add an Event"), "cmdAddEvent"), 1, 5);
    g->addWidget(cmdImport = named(new QPushButton("Import Events"), "cmdImport"), 1, 6);
    g->addWidget(cmdContinuous = named(new QPushButton("Continuous"), "cmdContinuous"), 2, 1);
    cmdContinuous->setToolTip("Will List Events with No Starting or Ending Date");
    g->addWidget(cmdLimited = named(new QPushButton("Limited Dates"), "cmdLimited"), 2, 2);
    cmdLimited->setToolTip(
        "Will List Events with With Starting Date of -7 to + 21 Days (Or Selected Dates)");
    g->addWidget(cmdFuture = named(new QPushButton("Future Events"), "cmdFuture"), 2, 3);
    cmdFuture->setToolTip(
        "Will List Events with With Starting Date Greater Than 21 Days from Today");
    g->addWidget(chkLetterhead = named(new QCheckBox("Print on Letterhead"), "chkLetterhead"), 2,
                 4);
    g->addWidget(cmdPrintList = named(new QPushButton("Print List"), "cmdPrintList"), 2, 5);
    top->addLayout(g);
    top->addWidget(lblDescription = named(new QLabel, "lblDescription"));
    top->addWidget(grdEvents = named(new DataGrid, "grdEvents"), 1);
    grdEvents->setHeaders(EventGridHeaders());
    top->addWidget(lblCount = named(new QLabel, "lblCount"));
    m_list = RecordList(grdEvents, lblCount);

    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(txtSearchText, &QLineEdit::returnPressed, this, [this] { cmdSearch_Click(); });
    connect(cmdAddEvent, &QPushButton::clicked, this, [this] {
        if (frmEvent* f = addEvent()) f->show();
    });
    connect(grdEvents, &DataGrid::rowActivated, this, [this](qint64 key) {
        if (frmEvent* f = openEvent(key)) f->show();
    });
    connect(cmdImport, &QPushButton::clicked, this, &EventsPanel::cmdImport_Click);
    connect(cmdContinuous, &QPushButton::clicked, this,
            [this] { printGuestList(GuestList::Continuous); });
    connect(cmdLimited, &QPushButton::clicked, this,
            [this] { printGuestList(GuestList::Limited); });
    connect(cmdFuture, &QPushButton::clicked, this, [this] { printGuestList(GuestList::Future); });
    connect(cmdPrintList, &QPushButton::clicked, this, &EventsPanel::cmdPrintList_Click);
}

void EventsPanel::refreshTypes() {
    const QString keep = cboEventType->currentText();
    cboEventType->clear();
    cboEventType->addItem(QString());
    if (!m_ctx.session.loggedOn() || !m_ctx.current) return;
    try {
        cboEventType->addItems(GetEventTypeNames(m_ctx));
        cboEventType->setCurrentText(keep);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetAllEventTypes", "modDatabase");
    }
}

void EventsPanel::clearList() {
    m_list.clear();
    lblDescription->clear();
}

void EventsPanel::showEvents(const std::vector<Event>& events) {
    m_list.clear();
    for (const Event& e : events)
        m_list.add(e.id, EventGridCells(e));
    m_list.showCount();
}

bool EventsPanel::cmdSearch_Click() {
    EventSelection s;
    s.by = EventSelectBy(cboSelectBy->currentData().toInt());
    s.text = txtSearchText->text();
    s.from = Formats::ParseShortDate(txtFrom->text().trimmed());
    s.through = Formats::ParseShortDate(txtThrough->text().trimmed());
    s.eventType = cboEventType->currentText();
    s.sort = EventSort(cboSort->currentData().toInt());
    const BuiltEventSelection built = BuildEventSelection(s);
    Prompt& prompt = m_ctx.prompt();
    if (!built.refusal.isEmpty()) {
        prompt.message(built.refusal);
        return false;
    }
    try {
        // Only a request for everything is counted first.
        if (built.filter.where.isEmpty() && !EventListGuard.allows(prompt, CountEvents(m_ctx)))
            return false;
        const std::vector<Event> events = GetTheEvents(m_ctx, built.filter, s.sort);
        lblDescription->setText(built.description);
        showEvents(events);
        return true;
    } catch (const DbError& e) {
        ReportError(prompt, e, "GetTheEvents", "modDatabase");
        return false;
    }
}

frmEvent* EventsPanel::openEvent(qint64 eventId) {
    auto* f = new frmEvent(m_ctx, eventId, this);
    f->setWindowFlag(Qt::Window);
    f->setAttribute(Qt::WA_DeleteOnClose);
    TrackSessionWindow(m_ctx, f); // log-off closes it
    f->sendMessage = sendMessage;
    f->setNeighbours([this](qint64 id, int step) { return neighbourKey(id, step); });
    connect(f, &frmEvent::movedTo, grdEvents, &DataGrid::selectKey);
    connect(f, &frmEvent::eventSaved, this, &EventsPanel::refreshRow);
    connect(f, &frmEvent::eventDeleted, this, &EventsPanel::removeRow);
    return f;
}

frmEvent* EventsPanel::addEvent() {
    try {
        if (IsGuestViewer(m_ctx.session) || !MayDo(m_ctx, Rights::EventsAdd)) {
            m_ctx.prompt().message("You are not authorized to Add Events.");
            return nullptr;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdAddEvent_Click", FormName, true);
        return nullptr;
    }
    return openEvent(0);
}

void EventsPanel::refreshRow(qint64 eventId) {
    try {
        const std::optional<Event> e = GetTheEvent(m_ctx, eventId);
        if (!e) {
            removeRow(eventId);
            return;
        }
        m_list.upsert(eventId, EventGridCells(*e));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "RefreshEventRow", FormName, true);
    }
}

void EventsPanel::removeRow(qint64 eventId) {
    m_list.remove(eventId);
}

qint64 EventsPanel::neighbourKey(qint64 eventId, int step) const {
    return m_list.neighbour(eventId, step);
}

void EventsPanel::cmdImport_Click() {
    if (!MayDoOrSay(m_ctx, Rights::EventsImport, "You are not authorized to Import Events."))
        return;
    if (m_ctx.prompt().ask(MsgImportEvents) != Answer::Yes) return;
    const QString program = ImporterPath(m_ctx);
    if (!QFileInfo(program).isExecutable()) {
        // Without the companion program the import is the program's own.
        frmCsvImport::Open(m_ctx, ImportKind::Events, this, [this] {
            if (!lblDescription->text().isEmpty()) cmdSearch_Click();
        });
        return;
    }
    if (!m_ctx.desktop().startDetached(program))
        m_ctx.prompt().message(MsgImporterNotStarted(program), {}, Icon::Exclamation);
}

void EventsPanel::printGuestList(GuestList list) {
    if (!MayDoOrSay(m_ctx, Rights::EventsGuestLists,
                    "You are not authorized to Print Event Lists."))
        return;
    // The limited list takes the page's dates when they are given.
    const QDate from = Formats::ParseShortDate(txtFrom->text().trimmed());
    const QDate through = Formats::ParseShortDate(txtThrough->text().trimmed());
    if (list == GuestList::Limited && from.isValid() && through.isValid() && through < from) {
        m_ctx.prompt().message(MsgThroughBeforeFrom);
        return;
    }
    const DayRange days = LimitedListDays(m_ctx.clock().today(), from, through);
    OpenReport(m_ctx, GuestListRequest(list, days, chkLetterhead->isChecked()), this);
}

void EventsPanel::cmdPrintList_Click() {
    const QList<qint64> keys = grdEvents->keys();
    if (keys.isEmpty()) {
        m_ctx.prompt().message(MsgSelectEventsFirst);
        return;
    }
    OpenReport(m_ctx, EventListRequest(keys), this);
}

} // namespace vm
