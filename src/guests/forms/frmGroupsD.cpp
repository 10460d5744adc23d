#include "guests/forms/frmGroupsD.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "guests/OtherLists.h"
#include "guests/forms/frmContactDoc.h"
#include "guests/forms/frmEvtMessager.h"
#include "guests/forms/frmGroupLog.h"
#include "guests/forms/frmOtherData.h"
#include "logbook/EntryRules.h"
#include "output/AddressBookExport.h"
#include "output/forms/PrintOptionsPage.h"
#include "output/forms/PrintPreview.h"
#include "platform/VersionedSave.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmGroupsD");
const QString MsgSaveBeforeTemplates =
    QStringLiteral("Please <Save> this Group before working with Logbook Entries.  Thank you.");
const QString MsgSaveGroupBeforeMessage =
    QStringLiteral("Please <Save> this Group before sending a Message about it.  Thank you.");
const QString MsgSaveGroupBeforePrint =
    QStringLiteral("Please <Save> this Group before printing its Details.  Thank you.");
const QString MsgSaveGroupBeforeExtract =
    QStringLiteral("Please <Save> this Group before extracting its Logbook Entries.  Thank you.");

QComboBox* lookupCombo(const char* name) {
    auto* c = named(new QComboBox, name);
    c->setEditable(false);
    return c;
}

QString shortDate(const QString& stored) {
    return Formats::ShortDateOfStored(stored);
}

QString time12(const QString& stored) {
    const QTime t = Formats::ParseTime(stored);
    return t.isValid() ? Formats::Time12(t) : stored;
}

} // namespace

frmGroupsD::frmGroupsD(AppContext& ctx, qint64 groupId, QWidget* parent)
    : QDialog(parent), m_ctx(ctx) {
    setObjectName(FormName);
    build();
    load(groupId);
}

void frmGroupsD::build() {
    auto* top = new QVBoxLayout(this);
    auto* details = new QGroupBox("Group or Convention");
    auto* form = new QFormLayout(details);
    form->addRow("Group Name:", txtGroupName = makeLineEdit(this, "txtGroupName", false, 255));
    form->addRow("Attendees:", txtAttendees = makeLineEdit(this, "txtAttendees", false, 6));
    auto* dates = new QHBoxLayout;
    dates->addWidget(txtArrival = makeLineEdit(this, "txtArrival", false, 10));
    dates->addWidget(new QLabel("Departure Date:"));
    dates->addWidget(txtDeparture = makeLineEdit(this, "txtDeparture", false, 10));
    txtArrival->setPlaceholderText(Formats::ShortDateHint);
    txtDeparture->setPlaceholderText(Formats::ShortDateHint);
    form->addRow("Arrival Date:", dates);
    auto lookupRow = [&](const QString& label, QComboBox* combo, QPushButton* maintain) {
        auto* row = new QHBoxLayout;
        row->addWidget(combo, 1);
        row->addWidget(maintain);
        form->addRow(label, row);
    };
    cboGroupMgr = lookupCombo("cboGroupMgr");
    cmdMaintainGroupMgr = named(new QPushButton("..."), "cmdMaintainGroupMgr");
    lookupRow("Group Manager:", cboGroupMgr, cmdMaintainGroupMgr);
    cboSalesMgr = lookupCombo("cboSalesMgr");
    cmdMaintainSalesMgr = named(new QPushButton("..."), "cmdMaintainSalesMgr");
    lookupRow("Sales Manager:", cboSalesMgr, cmdMaintainSalesMgr);
    form->addRow("Meeting Planner:",
                 txtMeetingPlanner = makeLineEdit(this, "txtMeetingPlanner", false, 255));
    form->addRow("Group Contact:",
                 txtGroupContact = makeLineEdit(this, "txtGroupContact", false, 255));
    form->addRow("Notes:", txtNotes = makeLineEdit(this, "txtNotes", false, 255));
    top->addWidget(details);

    auto* schedule = new QGroupBox("Meeting Schedule");
    auto* sched = new QVBoxLayout(schedule);
    sched->addWidget(grdSchedule = named(new DataGrid, "grdSchedule"), 1);
    grdSchedule->setHeaders({"Date", "Start", "End", "Function", "Venue"});
    auto* meeting = new QHBoxLayout;
    meeting->addWidget(txtMeetingDate = makeLineEdit(this, "txtMeetingDate", false, 10));
    txtMeetingDate->setPlaceholderText(Formats::ShortDateHint);
    meeting->addWidget(txtMeetingTime = makeLineEdit(this, "txtMeetingTime", false, 8));
    meeting->addWidget(txtEndTime = makeLineEdit(this, "txtEndTime", false, 8));
    meeting->addWidget(txtFunction = makeLineEdit(this, "txtFunction", false, 255), 2);
    meeting->addWidget(cboVenue = lookupCombo("cboVenue"), 1);
    meeting->addWidget(cmdMaintainVenue = named(new QPushButton("..."), "cmdMaintainVenue"));
    sched->addLayout(meeting);
    auto* meetingButtons = new QHBoxLayout;
    meetingButtons->addWidget(cmdSaveMeeting =
                                  named(new QPushButton("Save Meeting"), "cmdSaveMeeting"));
    meetingButtons->addWidget(cmdDeleteMeeting =
                                  named(new QPushButton("Delete Meeting"), "cmdDeleteMeeting"));
    meetingButtons->addWidget(cmdClearMeeting =
                                  named(new QPushButton("Clear Meeting"), "cmdClearMeeting"));
    meetingButtons->addStretch();
    sched->addLayout(meetingButtons);
    top->addWidget(schedule, 1);

    auto* documents = new QGroupBox("Linked Documents");
    auto* docs = new QHBoxLayout(documents);
    docs->addWidget(grdDocuments = named(new DataGrid, "grdDocuments"), 1);
    docs->addWidget(cmdMaintainDocs = named(new QPushButton("Maintain\nLinks"), "cmdMaintainDocs"));
    top->addWidget(documents);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdTemplates = named(new QPushButton("&Logbook Entries"), "cmdTemplates"));
    buttons->addWidget(imgPrint = named(new QToolButton, "imgPrint"));
    imgPrint->setText("Print");
    imgPrint->setToolTip("Print the Group's Details");
    buttons->addWidget(imgItinerary = named(new QToolButton, "imgItinerary"));
    imgItinerary->setText("Itinerary");
    imgItinerary->setToolTip("Print the Group's Itinerary");
    buttons->addWidget(imgMessage = named(new QToolButton, "imgMessage"));
    imgMessage->setText("Message");
    imgMessage->setToolTip("Send a Message about this Group");
    buttons->addWidget(imgExtract = named(new QToolButton, "imgExtract"));
    imgExtract->setText("Extract");
    imgExtract->setToolTip("Extract the Group's Logbook Entries to " + AllGroupLogsFile);
    buttons->addStretch();
    buttons->addWidget(cmdSave = named(new QPushButton("&Save"), "cmdSave"));
    buttons->addWidget(cmdDelete = named(new QPushButton("&Delete"), "cmdDelete"));
    buttons->addWidget(cmdClear = named(new QPushButton("C&lear"), "cmdClear"));
    buttons->addWidget(cmdClose = named(new QPushButton("&Close"), "cmdClose"));
    top->addLayout(buttons);

    for (QLineEdit* e : {txtGroupName, txtAttendees, txtArrival, txtDeparture, txtMeetingPlanner,
                         txtGroupContact, txtNotes})
        connect(e, &QLineEdit::textEdited, this, &frmGroupsD::markChanged);
    for (QComboBox* c : {cboGroupMgr, cboSalesMgr})
        connect(c, &QComboBox::activated, this, &frmGroupsD::markChanged);
    connect(cmdMaintainGroupMgr, &QPushButton::clicked, this,
            [this] { maintainLookup(cboGroupMgr, "GroupMgr"); });
    connect(cmdMaintainSalesMgr, &QPushButton::clicked, this,
            [this] { maintainLookup(cboSalesMgr, "SalesMgr"); });
    connect(cmdMaintainVenue, &QPushButton::clicked, this,
            [this] { maintainLookup(cboVenue, "Venue"); });
    connect(grdSchedule->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = grdSchedule->selectionModel()->selectedRows();
        if (!rows.isEmpty()) showMeeting(grdSchedule->keyAt(rows.first().row()));
    });
    connect(cmdSaveMeeting, &QPushButton::clicked, this, &frmGroupsD::cmdSaveMeeting_Click);
    connect(cmdDeleteMeeting, &QPushButton::clicked, this, &frmGroupsD::cmdDeleteMeeting_Click);
    connect(cmdClearMeeting, &QPushButton::clicked, this, &frmGroupsD::cmdClearMeeting_Click);
    connect(grdDocuments, &DataGrid::rowActivated, this, &frmGroupsD::openDocument);
    connect(cmdMaintainDocs, &QPushButton::clicked, this, &frmGroupsD::cmdMaintainDocs_Click);
    connect(cmdTemplates, &QPushButton::clicked, this, &frmGroupsD::cmdTemplates_Click);
    connect(imgPrint, &QToolButton::clicked, this, &frmGroupsD::imgPrint_Click);
    connect(imgItinerary, &QToolButton::clicked, this, &frmGroupsD::imgItinerary_Click);
    connect(imgMessage, &QToolButton::clicked, this, &frmGroupsD::imgMessage_Click);
    connect(imgExtract, &QToolButton::clicked, this, &frmGroupsD::imgExtract_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmGroupsD::cmdSave_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmGroupsD::cmdDelete_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmGroupsD::cmdClear_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
}

void frmGroupsD::load(qint64 groupId) {
    m_group = Group();
    if (groupId != 0) {
        try {
            if (auto g = GetTheGroup(m_ctx, groupId)) m_group = *g;
        } catch (const std::exception& e) {
            ReportError(m_ctx.prompt(), e, "GetTheGroup", FormName, true);
        }
    }
    showGroup();
}

void frmGroupsD::showGroup() {
    setWindowTitle(m_group.id ? "Group or Convention - " + m_group.name
                              : QStringLiteral("Group or Convention - New Group"));
    txtGroupName->setText(m_group.name);
    txtAttendees->setText(m_group.id ? QString::number(m_group.attendees) : QString());
    txtArrival->setText(shortDate(m_group.arrivalDate));
    txtDeparture->setText(shortDate(m_group.departureDate));
    txtMeetingPlanner->setText(m_group.meetingPlanner);
    txtGroupContact->setText(m_group.groupContact);
    txtNotes->setText(m_group.notes);
    fillLookup(cboGroupMgr, "GroupMgr", m_group.groupMgr);
    fillLookup(cboSalesMgr, "SalesMgr", m_group.salesMgr);
    fillLookup(cboVenue, "Venue", {});
    cmdDelete->setEnabled(m_group.id != 0);
    refreshSchedule();
    cmdClearMeeting_Click();
    refreshDocuments();
    m_changed = false;
}

// The list's values, with the record's own value kept when it left the list.
void frmGroupsD::fillLookup(QComboBox* combo, const QString& type, const QString& current) {
    QStringList values;
    try {
        values = GetOtherValues(m_ctx, type);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "GetOtherValues", FormName, true);
    }
    combo->clear();
    combo->addItem(QString());
    combo->addItems(values);
    if (!current.isEmpty() && combo->findText(current) < 0) combo->addItem(current);
    combo->setCurrentText(current);
}

void frmGroupsD::maintainLookup(QComboBox* combo, const QString& type) {
    const QString current = combo->currentText();
    MaintainOtherList(m_ctx, type, this);
    fillLookup(combo, type, current);
}

bool frmGroupsD::cmdSave_Click() {
    if (!MayDoOrSay(m_ctx, Rights::OthersGroupsAdd, MsgNotAuthorizedAddGroups)) return false;
    const GroupInput in{txtGroupName->text(), txtAttendees->text(), txtArrival->text(),
                        txtDeparture->text()};
    const QString refusal = CheckGroup(in);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
        return false;
    }
    Group g = m_group;
    g.name = in.name.trimmed();
    g.attendees = in.attendees.trimmed().toInt();
    g.arrivalDate = Formats::StoredDate(Formats::ParseShortDate(in.arrival.trimmed()));
    g.departureDate = Formats::StoredDate(Formats::ParseShortDate(in.departure.trimmed()));
    g.groupMgr = cboGroupMgr->currentText();
    g.salesMgr = cboSalesMgr->currentText();
    g.meetingPlanner = txtMeetingPlanner->text().trimmed();
    g.groupContact = txtGroupContact->text().trimmed();
    g.notes = txtNotes->text().trimmed();
    try {
        if (g.id == 0) {
            InsertGroup(m_ctx, g);
        } else {
            const qint64 id = g.id;
            if (!SettleVersionedSave(m_ctx.prompt(), UpdateGroup(m_ctx, g), "Group",
                                     [&] { load(id); }))
                return false;
        }
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdSave_Click", FormName, true);
        return false;
    }
    // Read back: the stored forms are what the screen shows from now on.
    load(g.id);
    Q_EMIT groupsChanged();
    return true;
}

void frmGroupsD::cmdDelete_Click() {
    if (m_group.id == 0) return;
    if (!MayDoOrSay(m_ctx, Rights::OthersGroupsAdd, MsgNotAuthorizedAddGroups)) return;
    if (m_ctx.prompt().ask(MsgDeleteGroup, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    try {
        DeleteGroup(m_ctx, m_group.id);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdDelete_Click", FormName, true);
        return;
    }
    m_changed = false;
    Q_EMIT groupsChanged();
    close();
}

void frmGroupsD::cmdClear_Click() {
    if (m_changed &&
        m_ctx.prompt().ask(MsgSaveChanges, {}, Buttons::YesNo, Icon::Question, Answer::No) ==
            Answer::Yes &&
        !cmdSave_Click())
        return;
    load(0);
}

void frmGroupsD::closeEvent(QCloseEvent* e) {
    if (m_changed) {
        const Answer a =
            m_ctx.prompt().ask(MsgSaveChanges, {}, Buttons::YesNo, Icon::Question, Answer::No);
        // A save that fails keeps the screen open with the changes.
        if (a == Answer::Yes && !cmdSave_Click()) {
            e->ignore();
            return;
        }
    }
    m_changed = false;
    e->accept();
}

void frmGroupsD::refreshSchedule() {
    m_schedule.clear();
    grdSchedule->clearRows();
    if (m_group.id == 0) return;
    try {
        m_schedule = GetGroupSchedule(m_ctx, m_group.id);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "GetGroupSchedule", FormName, true);
    }
    for (const Meeting& m : m_schedule)
        grdSchedule->setRow(
            m.id, {shortDate(m.date), time12(m.time), time12(m.endTime), m.function, m.venue});
}

void frmGroupsD::showMeeting(qint64 meetingId) {
    for (const Meeting& m : m_schedule)
        if (m.id == meetingId) {
            m_meetingId = m.id;
            txtMeetingDate->setText(shortDate(m.date));
            txtMeetingTime->setText(time12(m.time));
            txtEndTime->setText(time12(m.endTime));
            txtFunction->setText(m.function);
            if (cboVenue->findText(m.venue) < 0) cboVenue->addItem(m.venue);
            cboVenue->setCurrentText(m.venue);
        }
}

void frmGroupsD::cmdSaveMeeting_Click() {
    Meeting m;
    const QString refusal =
        CheckMeeting(m_group,
                     {txtMeetingDate->text(), txtMeetingTime->text(), txtEndTime->text(),
                      txtFunction->text(), cboVenue->currentText()},
                     m);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
        return;
    }
    m.id = m_meetingId;
    m.groupId = m_group.id;
    try {
        if (m.id == 0 || !UpdateGroupScheduleEntry(m_ctx, m))
            m.id = InsertGroupScheduleEntry(m_ctx, m);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdSaveMeeting_Click", FormName, true);
        return;
    }
    refreshSchedule();
    cmdClearMeeting_Click();
}

void frmGroupsD::cmdDeleteMeeting_Click() {
    if (m_meetingId == 0) return;
    if (m_ctx.prompt().ask(MsgDeleteMeeting, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    try {
        DeleteGroupScheduleEntry(m_ctx, m_meetingId);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdDeleteMeeting_Click", FormName, true);
    }
    refreshSchedule();
    cmdClearMeeting_Click();
}

void frmGroupsD::cmdClearMeeting_Click() {
    m_meetingId = 0;
    grdSchedule->clearSelection();
    for (QLineEdit* e : {txtMeetingDate, txtMeetingTime, txtEndTime, txtFunction})
        e->clear();
    cboVenue->setCurrentIndex(0);
}

void frmGroupsD::refreshDocuments() {
    m_documents.clear();
    if (m_group.id != 0) {
        try {
            m_documents = GetCDocuments(m_ctx, m_group.id, DocKind::Group);
        } catch (const std::exception& e) {
            ReportError(m_ctx.prompt(), e, "GetCDocuments", FormName, true);
        }
    }
    FillDocumentGrid(grdDocuments, m_documents);
}

bool frmGroupsD::savedOrSay(const QString& refusal) {
    if (m_group.id != 0) return true;
    m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
    return false;
}

void frmGroupsD::cmdMaintainDocs_Click() {
    if (!MayDoOrSay(m_ctx, Rights::OthersGroupDocs, MsgNotAuthorizedGroupDocs) ||
        !savedOrSay(MsgLinkOwnerNotSaved))
        return;
    frmContactDoc editor(m_ctx, DocKind::Group, m_group.id, m_group.name, this);
    editor.exec();
    refreshDocuments();
}

void frmGroupsD::openDocument(qint64 documentId) {
    if (!MayDoOrSay(m_ctx, Rights::OthersGroupViewDocs, MsgNotAuthorizedViewGroupDocs)) return;
    for (const DocumentLink& l : m_documents)
        if (l.id == documentId) OpenDocumentLink(m_ctx, l);
}

void frmGroupsD::cmdTemplates_Click() {
    if (m_group.id == 0) {
        m_ctx.prompt().message(MsgSaveBeforeTemplates, {}, Icon::Exclamation);
        return;
    }
    auto* templates = new frmGroupLog(m_ctx, m_group.id, m_group.name, this);
    templates->setAttribute(Qt::WA_DeleteOnClose);
    templates->show();
}

void frmGroupsD::imgPrint_Click() {
    if (!MayDoOrSay(m_ctx, Rights::OthersGroupPrint, MsgNotAuthorizedGroupPrint) ||
        !savedOrSay(MsgSaveGroupBeforePrint))
        return;
    OpenReport(m_ctx, {"PrintGroupDetails", "Group Details", {{"groupId", m_group.id}}}, this);
}

void frmGroupsD::imgItinerary_Click() {
    if (!MayDoOrSay(m_ctx, Rights::OthersGroupPrint, MsgNotAuthorizedGroupPrint) ||
        !savedOrSay(MsgSaveGroupBeforePrint))
        return;
    OpenReport(m_ctx, {"PrintGroupItinerary", "Group Itinerary", {{"groupId", m_group.id}}}, this);
}

void frmGroupsD::imgMessage_Click() {
    if (!savedOrSay(MsgSaveGroupBeforeMessage)) return;
    SendRecordMessage(m_ctx, RecordKind::Group, m_group.id, this);
}

void frmGroupsD::imgExtract_Click() {
    if (!MayDoOrSay(m_ctx, Rights::OthersGroupExtract, MsgNotAuthorizedGroupExtract) ||
        !savedOrSay(MsgSaveGroupBeforeExtract))
        return;
    ExportResult result;
    {
        const WaitCursor wait;
        result = BuildAllGroupLogsCSV(m_ctx, m_group.id);
    }
    ShowExportResult(m_ctx, result);
}

} // namespace vm
