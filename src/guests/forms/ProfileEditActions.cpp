// The profile screen's lower tabs and what its icons and the e-mail and group
// buttons do: group logbook entries, a new logbook entry for the guest, the
// reminder, the printed details and the indicator e-mail.

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "guests/Groups.h"
#include "guests/ProfilePicker.h"
#include "guests/forms/ContactFormUi.h"
#include "guests/forms/ProfileCardsTab.h"
#include "guests/forms/ProfileEditUi.h"
#include "guests/forms/ProfileTabs.h"
#include "guests/forms/frmEvtMessager.h"
#include "guests/forms/frmOtherData.h"
#include "guests/forms/frmProfileEdit.h"
#include "guests/reports/ProfileReports.h"
#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"
#include "logbook/forms/LogbookModule.h"
#include "logbook/forms/frmLogbook.h"
#include "output/forms/PrintPreview.h"
#include "platform/RegistryValues.h"
#include "platform/forms/FormHelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vm {

namespace {

// The logbook's module lives in the main window, whichever window opened us.
LogbookModule* FindLogbookModule() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = w->findChild<LogbookModule*>("LogbookModule")) return m;
    return nullptr;
}

// An "Arrival Date" indicator is typed free-hand: the stored date when it reads as one.
QString StoredArrival(const QString& typed) {
    const QString t = typed.trimmed();
    QDate d = Formats::ParseStoredDate(t);
    if (!d.isValid()) d = Formats::ParseShortDate(t);
    return d.isValid() ? Formats::StoredDate(d) : QString();
}

QString GuestName(const Profile& p) {
    return p.firstName.trimmed() + " " + p.lastName.trimmed();
}

} // namespace

QWidget* ProfileEditUi::buildLowerTabs() {
    auto* box = new QWidget(q);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    tsTab = named(new QTabWidget(box), "tsTab");
    indicatorsTab = new ProfileIndicatorsTab(ctx, tsTab);
    historyTab = new ProfileHistoryTab(ctx, tsTab);
    groupLogsTab = new ProfileGroupLogsTab(ctx, tsTab);
    logbookTab = new ProfileLogbookTab(ctx, tsTab);
    cardsTab = new ProfileCardsTab(ctx, tsTab);
    tsTab->addTab(indicatorsTab, "Indicators");
    const int historyIndex = tsTab->addTab(historyTab, "Contact History");
    tsTab->addTab(groupLogsTab, "Group Logs");
    tsTab->addTab(logbookTab, "Logbook Entries");
    tsTab->addTab(cardsTab, "Credit Cards");
    tsTab->addTab(buildContactFlags(), "Contact Flags");
    layout->addWidget(tsTab);

    auto* lists = new QHBoxLayout;
    cmdContactTypes = named(new QPushButton("...", box), "cmdContactTypes");
    cmdContactTypes->setToolTip("Maintain the List of Last Contact Methods");
    cmdContactTypes->setAutoDefault(false);
    lists->addStretch();
    lists->addWidget(cmdContactTypes);
    layout->addLayout(lists);
    connect(cmdContactTypes, &QPushButton::clicked, this, [this] {
        if (!MayDoOrSay(ctx, Rights::ProfilesLists, MsgContactTypesRight)) return;
        if (MaintainOtherList(ctx, "Contacted", q)) historyTab->setProfile(profile);
    });

    const int remembered =
        INIRead("Settings", "ProfileTabIndex", ctx.iniFile(), "0").trimmed().toInt();
    if (remembered >= 0 && remembered < tsTab->count()) tsTab->setCurrentIndex(remembered);
    cmdContactTypes->setVisible(tsTab->currentIndex() == historyIndex);
    connect(tsTab, &QTabWidget::currentChanged, this, [this, historyIndex](int index) {
        cmdContactTypes->setVisible(index == historyIndex);
        INIWrite("Settings", "ProfileTabIndex", QString::number(index), ctx.iniFile());
    });
    return box;
}

void ProfileEditUi::showLowerTabs(const Profile& p) {
    indicatorsTab->setProfile(p);
    historyTab->setProfile(p);
    groupLogsTab->setProfile(p);
    logbookTab->setProfile(p);
    cardsTab->setProfile(p.id);
}

void ProfileEditUi::createGroupEntries() {
    if (!MayDoOrSay(ctx, Rights::ProfilesGroupEntries, MsgGroupEntriesRight)) return;
    if (!needsSaved(MsgSaveProfileFirst)) return;
    const qint64 groupId = cboGroupName->currentData().toLongLong();
    if (groupId <= 0) {
        ctx.prompt().message(MsgSelectGroupFirst);
        return;
    }
    const Profile p = readScreen();
    int created = 0;
    try {
        GroupGuest guest;
        guest.profileId = p.id;
        guest.firstName = CleanSqlText(p.firstName).trimmed();
        guest.lastName = CleanSqlText(p.lastName).trimmed();
        guest.guestId = ProfileIndicatorValue(ctx, p.id, "GuestID").trimmed();
        guest.arrivalDate = StoredArrival(ProfileIndicatorValue(ctx, p.id, "Arrival Date"));
        created = CreateGroupLogEntries(ctx, groupId, guest);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "cmdGroupLog_Click", ProfileFormName, true);
        return;
    }
    if (created == 0) {
        ctx.prompt().message(MsgNoGroupEntries);
        return;
    }
    groupLogsTab->refresh();
    logbookTab->refresh();
    showGroupCreated(groupId);
    ctx.prompt().message(QString::number(created) + " Logbook Entries have been created for " +
                         GuestName(p) + "\r\n\r\n" + "Click on the Logbook Entries tab to view " +
                         "the entries and " + "\r\n" +
                         "to add any additional information specific to this " + "guest.");
}

void ProfileEditUi::createLogbookEntry() {
    if (options.fromLogbook) {
        ctx.prompt().message(MsgReturnToLogbook);
        return;
    }
    if (IsGuestViewer(ctx.session)) {
        ctx.prompt().message(MsgGuestViewerNoLogbook);
        return;
    }
    if (!MayDoOrSay(ctx, Rights::ProfilesLogbook, MsgMaintainProfileLogbook)) return;
    if (!needsSaved(MsgSaveProfileFirst)) return;
    LogbookModule* module = FindLogbookModule();
    if (!module) return;
    LogEntry prefill;
    prefill.profileId = profile.id;
    prefill.firstName = profile.firstName.trimmed();
    prefill.lastName = profile.lastName.trimmed();
    prefill.groupId = profile.groupId;
    try {
        prefill.guestId = ProfileIndicatorValue(ctx, profile.id, "GuestID").trimmed();
        prefill.roomNumber = ProfileIndicatorValue(ctx, profile.id, "Room Number").trimmed();
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "imgCreateEntry_Click", ProfileFormName, true);
        return;
    }
    if (frmLogbook* f = module->openNewEntry(prefill)) f->show();
}

void ProfileEditUi::setReminder() {
    if (!needsSaved(MsgSaveProfileFirst)) return;
    SendRecordMessage(ctx, RecordKind::Profile, profile.id, q);
}

void ProfileEditUi::printDetails() {
    if (!MayDoOrSay(ctx, Rights::ProfilesPrint, MsgProfilePrintRight)) return;
    if (!needsSaved(MsgSaveProfileFirst)) return;
    OpenReport(ctx, {ProfileDetailsRoutine, "Profile Details", {{"profileId", profile.id}}}, q);
}

void ProfileEditUi::emailIndicators() {
    if (!MayDoOrSay(ctx, Rights::ProfilesIndicatorEmail, MsgIndicatorEmailRight)) return;
    const std::vector<ProfileIndicator> chosen = indicatorsTab->selectedIndicators();
    if (profile.id <= 0 || chosen.empty()) {
        ctx.prompt().message(MsgSelectIndicators);
        return;
    }
    MailMessage m;
    try {
        m = IndicatorEmail(ctx, readScreen(), chosen);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "cmdEmail_Click", ProfileFormName, true);
        return;
    }
    if (ctx.mailer().send(m)) return;
    if (ctx.desktop().openUrl(MailtoUrl(m.to, m.subject, m.body))) return;
    ctx.prompt().message(MsgNoMailProgram, {}, Icon::Exclamation);
}

} // namespace vm
