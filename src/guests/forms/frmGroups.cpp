#include "guests/forms/frmGroups.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "guests/Groups.h"
#include "guests/forms/frmGroupsD.h"
#include "logbook/EntryRules.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmGroups");
}

frmGroups::frmGroups(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(FormName);
    setWindowTitle("Groups and Conventions");
    auto* top = new QVBoxLayout(this);
    auto* choose = new QHBoxLayout;
    choose->addWidget(optInHouse = named(new QRadioButton("Groups &In House"), "optInHouse"));
    choose->addWidget(optAll = named(new QRadioButton("&All Groups"), "optAll"));
    choose->addStretch();
    top->addLayout(choose);
    optInHouse->setChecked(true);
    top->addWidget(grdGroups = named(new DataGrid, "grdGroups"), 1);
    grdGroups->setHeaders({"Group Name", "Atttendees", "Arrival Date", "Departure Date",
                           "Group Contact", "Group Manager", "Notes"});
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAdd = named(new QPushButton("A&dd a Group"), "cmdAdd"));
    buttons->addWidget(cmdOpen = named(new QPushButton("&Open"), "cmdOpen"));
    buttons->addWidget(cmdDeleteOld = named(new QPushButton("Delete Old &Groups"), "cmdDeleteOld"));
    buttons->addWidget(cmdPrintList = named(new QPushButton("&Print List"), "cmdPrintList"));
    buttons->addWidget(cmdItineraries =
                           named(new QPushButton("Guest &Itineraries"), "cmdItineraries"));
    cmdItineraries->setToolTip("Print an Itinerary for each Guest of the selected Group");
    buttons->addStretch();
    buttons->addWidget(cmdClose = named(new QPushButton("&Close"), "cmdClose"));
    top->addLayout(buttons);
    resize(900, 480);

    connect(optInHouse, &QRadioButton::toggled, this, [this] { refresh(); });
    connect(grdGroups, &DataGrid::rowActivated, this, [this](qint64 id) { openGroup(id); });
    connect(cmdAdd, &QPushButton::clicked, this, &frmGroups::cmdAdd_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &frmGroups::cmdOpen_Click);
    connect(cmdDeleteOld, &QPushButton::clicked, this, &frmGroups::cmdDeleteOld_Click);
    connect(cmdPrintList, &QPushButton::clicked, this, &frmGroups::cmdPrintList_Click);
    connect(cmdItineraries, &QPushButton::clicked, this, &frmGroups::cmdItineraries_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    refresh();
}

void frmGroups::refresh() {
    const qint64 current = grdGroups->currentKey();
    grdGroups->clearRows();
    try {
        for (const Group& g : GetTheGroups(m_ctx, optAll->isChecked()))
            grdGroups->setRow(g.id, {g.name, QString::number(g.attendees),
                                     Formats::ShortDateOfStored(g.arrivalDate),
                                     Formats::ShortDateOfStored(g.departureDate), g.groupContact,
                                     g.groupMgr, g.notes});
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "GetTheGroups", FormName, true);
    }
    if (current) grdGroups->selectKey(current);
}

frmGroupsD* frmGroups::openGroup(qint64 groupId) {
    auto* details = new frmGroupsD(m_ctx, groupId, this);
    details->setAttribute(Qt::WA_DeleteOnClose);
    connect(details, &frmGroupsD::groupsChanged, this, &frmGroups::refresh);
    TrackSessionWindow(m_ctx, details);
    details->show();
    return details;
}

void frmGroups::cmdAdd_Click() {
    if (!MayDoOrSay(m_ctx, Rights::OthersGroupsAdd, MsgNotAuthorizedAddGroups)) return;
    openGroup(0);
}

void frmGroups::cmdOpen_Click() {
    if (const qint64 id = grdGroups->currentKey()) openGroup(id);
}

void frmGroups::cmdDeleteOld_Click() {
    if (!MayDoOrSay(m_ctx, Rights::OthersGroupsAdd, MsgNotAuthorizedAddGroups)) return;
    if (m_ctx.prompt().ask(MsgDeleteOldGroups, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    try {
        DeleteGroups(m_ctx);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "DeleteGroups", FormName, true);
    }
    refresh();
}

void frmGroups::cmdPrintList_Click() {
    if (!MayDoOrSay(m_ctx, Rights::OthersGroupPrint, MsgNotAuthorizedGroupPrint)) return;
    OpenReport(m_ctx, {"PrintGroupList", "Group List", {{"showAll", optAll->isChecked()}}}, this);
}

void frmGroups::cmdItineraries_Click() {
    if (!MayDoOrSay(m_ctx, Rights::OthersGroupPrint, MsgNotAuthorizedGroupPrint)) return;
    const qint64 id = grdGroups->currentKey();
    if (!id) {
        m_ctx.prompt().message(MsgSelectGroupForItineraries);
        return;
    }
    OpenReport(m_ctx, {"PrintGroupItineraries", "Group Itineraries", {{"groupId", id}}}, this);
}

} // namespace vm
