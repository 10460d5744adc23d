#include "output/forms/PrintOptionsPage.h"

#include "core/DataAccess.h"
#include "core/Rights.h"
#include "logbook/EntryRules.h"
#include "output/AddressBookExport.h"
#include "platform/forms/FormHelpers.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmPrintOptions");

} // namespace

void ShowExportResult(AppContext& ctx, const ExportResult& result) {
    ctx.prompt().message(result.message, {}, result.ok ? Icon::Information : Icon::Exclamation);
}

PrintOptionsPage::PrintOptionsPage(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("PrintOptionsPage");
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox("Additional Print Options", this);
    auto* buttons = new QVBoxLayout(box);
    buttons->addWidget(new QLabel("Extract to a CSV file in the output folder:", box));
    cmdAllContacts = named(new QPushButton("Extract All &Contacts", box), "cmdAllContacts");
    cmdAllProfiles = named(new QPushButton("Extract All &Profiles", box), "cmdAllProfiles");
    cmdAllEvents = named(new QPushButton("Extract All &Events", box), "cmdAllEvents");
    cmdAllStaff = named(new QPushButton("Extract All &Staff", box), "cmdAllStaff");
    for (QPushButton* b : {cmdAllContacts, cmdAllProfiles, cmdAllEvents, cmdAllStaff})
        buttons->addWidget(b);
    layout->addWidget(box);
    layout->addStretch();

    connect(cmdAllContacts, &QPushButton::clicked, this, &PrintOptionsPage::extractContacts);
    connect(cmdAllProfiles, &QPushButton::clicked, this, &PrintOptionsPage::extractProfiles);
    connect(cmdAllEvents, &QPushButton::clicked, this, &PrintOptionsPage::extractEvents);
    connect(cmdAllStaff, &QPushButton::clicked, this, &PrintOptionsPage::extractStaff);
}

namespace {

// Asks `allowed` (which tells a refusal itself), then writes the file and
// tells how it went.
void RunExport(AppContext& ctx, const std::function<bool()>& allowed, const QString& procedure,
               ExportResult (*build)(AppContext&)) {
    try {
        if (!allowed()) return;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, procedure, FormName, true);
        return;
    }
    ExportResult result;
    {
        const WaitCursor wait;
        result = build(ctx);
    }
    ShowExportResult(ctx, result);
}

void RunExport(AppContext& ctx, const Right& right, const QString& refusal,
               const QString& procedure, ExportResult (*build)(AppContext&)) {
    RunExport(
        ctx, [&] { return MayDoOrSay(ctx, right, refusal); }, procedure, build);
}

} // namespace

void PrintOptionsPage::extractContacts() {
    RunExport(m_ctx, Rights::ContactsExtract,
              "You are not authorized to Extract Contacts to CSV File.", "cmdAllContacts_Click",
              &BuildAllContactCSV);
}

void PrintOptionsPage::extractProfiles() {
    RunExport(m_ctx, Rights::ProfilesExtract, "You are not authorized to Extract Profiles Lists.",
              "cmdAllProfiles_Click", &BuildAllProfileCSV);
}

void PrintOptionsPage::extractEvents() {
    RunExport(m_ctx, Rights::EventsGuestLists, "You are not authorized to Print Event Lists.",
              "cmdAllEvents_Click", &BuildAllEventsCSV);
}

void PrintOptionsPage::extractStaff() {
    // The staff list belongs to the staff editor, which only managers open.
    const auto manager = [this] {
        if (m_ctx.session.manager) return true;
        m_ctx.prompt().message(MsgNotAuthorizedStaffExtract);
        return false;
    };
    RunExport(m_ctx, manager, "cmdAllStaff_Click", &BuildAllStaffCSV);
}

} // namespace vm
