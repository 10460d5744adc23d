#include "admin/forms/frmStaffPlus.h"

#include "admin/forms/frmStaffPlusPages.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Staff.h"
#include "guests/OtherLists.h"
#include "logbook/Categories.h"
#include "output/AddressBookExport.h"
#include "output/forms/PrintOptionsPage.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmStaffPlus");

enum Tab { Identity, RightsTab, Schedule, Categories, Languages, Groups };

const QStringList DayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                              "Thursday", "Friday", "Saturday"};

// Runs `work`; an engine failure is reported under `procedure` and answers false.
bool Guarded(AppContext& ctx, const char* procedure, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, procedure, FormName);
    } catch (const std::exception& e) {
        ReportError(ctx.prompt(), e, procedure, FormName);
    }
    return false;
}

void Tell(AppContext& ctx, const StaffRefusal& r) {
    ctx.prompt().message(r.text, r.title, Icon::Exclamation);
}

} // namespace

frmStaffPlus::frmStaffPlus(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("frmStaffPlus");
    setWindowFlag(Qt::Window);
    setWindowTitle(Caption(ctx.clock().today()));

    auto* top = new QVBoxLayout(this);
    auto* split = new QSplitter(this);
    auto* left = new QWidget(split);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(new QLabel("Staff Members:"));
    leftLayout->addWidget(lstConcierge = named(new QListWidget, "lstConcierge"), 1);
    leftLayout->addWidget(cmdNew = named(new QPushButton("&New Staff Member"), "cmdNew"));
    split->addWidget(left);

    tabStaff = named(new QTabWidget(split), "tabStaff");
    tabStaff->addTab(buildIdentityPage(), "Staff Member");
    tabStaff->addTab(buildRightsPage(), "Rights");
    tabStaff->addTab(buildSchedulePage(), "Schedule");
    tabStaff->addTab(buildCategoriesPage(), "Logbook Categories");
    tabStaff->addTab(buildLanguagesPage(), "Languages");
    tabStaff->addTab(pnlGroups = new StaffGroupsPanel(ctx), "Message Groups");
    split->addWidget(tabStaff);
    split->setStretchFactor(1, 1);
    top->addWidget(split, 1);

    auto* clone = new QHBoxLayout;
    clone->addWidget(new QLabel("Clone from:"));
    clone->addWidget(cboClone = named(new QComboBox, "cboClone"), 1);
    clone->addWidget(cmdClone = named(new QPushButton("Clone &Rights"), "cmdClone"));
    clone->addWidget(cmdCloneL = named(new QPushButton("Clone &Languages"), "cmdCloneL"));
    clone->addWidget(cmdCloneR = named(new QPushButton("Clone Category &Lists"), "cmdCloneR"));
    top->addLayout(clone);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdChange = named(new QPushButton("&Save"), "cmdChange"));
    buttons->addWidget(cmdReset = named(new QPushButton("Reset &Passwords"), "cmdReset"));
    buttons->addWidget(cmdDelete = named(new QPushButton("&Delete"), "cmdDelete"));
    buttons->addStretch();
    buttons->addWidget(cmdAllStaff = named(new QPushButton("AllStaff.csv"), "cmdAllStaff"));
    buttons->addWidget(cmdClose = named(new QPushButton("&Close"), "cmdClose"));
    top->addLayout(buttons);
    resize(980, 660);

    connect(lstConcierge, &QListWidget::currentRowChanged, this, &frmStaffPlus::memberChosen);
    connect(cmdNew, &QPushButton::clicked, this, &frmStaffPlus::cmdNew_Click);
    connect(tabStaff, &QTabWidget::currentChanged, this, &frmStaffPlus::tabChanged);
    connect(cmdChange, &QPushButton::clicked, this, &frmStaffPlus::cmdChange_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmStaffPlus::cmdReset_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmStaffPlus::cmdDelete_Click);
    connect(cmdCheckAll, &QPushButton::clicked, this, [this] { cmdCheckAll_Click(true); });
    connect(cmdUncheckAll, &QPushButton::clicked, this, [this] { cmdCheckAll_Click(false); });
    connect(cmdClone, &QPushButton::clicked, this, [this] { cmdClone_Click(&CloneRights); });
    connect(cmdCloneL, &QPushButton::clicked, this, [this] { cmdClone_Click(&CloneLanguages); });
    connect(cmdCloneR, &QPushButton::clicked, this,
            [this] { cmdClone_Click(&CloneCategoryLists); });
    connect(cmdAllStaff, &QPushButton::clicked, this, &frmStaffPlus::cmdAllStaff_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    // Rights are cloned from members of the same class.
    for (QCheckBox* b : {chkAuthority, chkRestricted})
        connect(b, &QCheckBox::toggled, this, &frmStaffPlus::refreshCloneList);

    Guarded(ctx, "Form_Load", [&] {
        lstCategoriesU->setChoices(GetLogbookTypesArray(ctx.db()));
        lstCategoriesR->setChoices(GetLogbookTypesArray(ctx.db()));
        lstLanguages->setChoices(GetOtherValues(ctx, "Language"));
    });
    refreshList();
    showMember(std::nullopt);
}

QString frmStaffPlus::Caption(const QDate& day) {
    return "Additional Staff Information - " + Formats::LongDate(day);
}

// ---- Pages -------------------------------------------------------------------------

QWidget* frmStaffPlus::buildIdentityPage() {
    auto* page = new QWidget;
    auto* top = new QHBoxLayout(page);
    auto* f = new QFormLayout;
    f->addRow("Name:", txtConcierge = makeLineEdit(page, "txtConcierge", false, 50));
    f->addRow("Initials:", txtInitials = makeLineEdit(page, "txtInitials", false, 5));
    f->addRow("User Profile:", txtUserProfile = makeLineEdit(page, "txtUserProfile", false, 50));
    f->addRow("Job Title:", txtJobTitle = makeLineEdit(page, "txtJobTitle", false, 50));
    f->addRow("Telephone:",
              txtConciergeTelephone = makeLineEdit(page, "txtConciergeTelephone", false, 50));
    f->addRow("E-mail Address:",
              txtEmailAddress = makeLineEdit(page, "txtEmailAddress", false, 100));
    f->addRow("Network User ID:", txtEUserID = makeLineEdit(page, "txtEUserID", false, 50));
    f->addRow("Table Reservations ID:",
              txtOTConciergeID = makeLineEdit(page, "txtOTConciergeID", false, 50));
    top->addLayout(f, 1);
    auto* flags = new QGroupBox("Status", page);
    auto* v = new QVBoxLayout(flags);
    v->addWidget(chkInactive = named(new QCheckBox("Inactive"), "chkInactive"));
    v->addWidget(chkAuthority = named(new QCheckBox("Manager (Authorized)"), "chkAuthority"));
    v->addWidget(chkRestricted = named(new QCheckBox("Restricted"), "chkRestricted"));
    v->addWidget(chkReadOnly = named(new QCheckBox("Read Only"), "chkReadOnly"));
    v->addWidget(chkLanguageOnly = named(new QCheckBox("Language Skills Only"), "chkLanguageOnly"));
    v->addWidget(chkInhibitMsg = named(new QCheckBox("Inhibit Messages"), "chkInhibitMsg"));
    v->addWidget(chkDNIMessages =
                     named(new QCheckBox("Do Not Include in Messages"), "chkDNIMessages"));
    v->addStretch();
    top->addWidget(flags);
    return page;
}

QWidget* frmStaffPlus::buildRightsPage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->addWidget(pnlRights = new StaffRightsPanel, 1);
    auto* h = new QHBoxLayout;
    h->addWidget(cmdCheckAll = named(new QPushButton("Check All"), "cmdCheckAll"));
    h->addWidget(cmdUncheckAll = named(new QPushButton("Uncheck All"), "cmdUncheckAll"));
    h->addStretch();
    v->addLayout(h);
    return page;
}

QWidget* frmStaffPlus::buildSchedulePage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* days = new QGroupBox("Work Schedule", page);
    auto* h = new QHBoxLayout(days);
    for (const QString& day : DayNames) {
        chkDays << named(new QCheckBox(day), "chk" + day);
        h->addWidget(chkDays.last());
    }
    v->addWidget(days);
    auto* f = new QFormLayout;
    f->addRow("Hours / Shift:", txtHoursShift = makeLineEdit(page, "txtHoursShift", false, 50));
    v->addLayout(f);
    v->addWidget(chkAllLogs = named(new QCheckBox("View all logbook categories"), "chkAllLogs"));
    v->addWidget(chkAllRentals = named(new QCheckBox("View all rentals"), "chkAllRentals"));
    v->addStretch();
    return page;
}

QWidget* frmStaffPlus::buildCategoriesPage() {
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);
    h->addWidget(lstCategoriesU = new StaffListEditor("Logbook Categories Used", "CategoriesU"));
    h->addWidget(lstCategoriesR = new StaffListEditor("Second Category List", "CategoriesR"));
    return page;
}

QWidget* frmStaffPlus::buildLanguagesPage() {
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);
    h->addWidget(lstLanguages = new StaffListEditor("Languages Spoken", "Languages"));
    return page;
}

// ---- The list and the member -----------------------------------------------------

void frmStaffPlus::refreshList(qint64 select) {
    QList<StaffEntry> staff;
    if (!Guarded(m_ctx, "GetAllConcierges4Edit",
                 [&] { staff = GetAllConcierges4Edit(m_ctx.db()); }))
        return;
    const QSignalBlocker quiet(lstConcierge);
    lstConcierge->clear();
    for (const StaffEntry& s : staff) {
        auto* item = new QListWidgetItem(s.text, lstConcierge);
        item->setData(Qt::UserRole, s.id);
        if (s.id == select) lstConcierge->setCurrentItem(item);
    }
    refreshCloneList();
}

void frmStaffPlus::refreshCloneList() {
    QList<StaffEntry> from;
    Guarded(m_ctx, "GetAllConcierges2Clone", [&] {
        from = GetAllConcierges2Clone(m_ctx.db(), chkRestricted->isChecked(),
                                      chkAuthority->isChecked());
    });
    const qint64 self = m_member ? m_member->id : 0;
    const QVariant kept = cboClone->currentData();
    cboClone->clear();
    cboClone->addItem(QString(), 0); // nobody chosen
    for (const StaffEntry& s : from)
        if (s.id != self) cboClone->addItem(s.text, s.id);
    const int at = cboClone->findData(kept);
    cboClone->setCurrentIndex(at < 0 ? 0 : at);
}

void frmStaffPlus::memberChosen() {
    QListWidgetItem* item = lstConcierge->currentItem();
    if (!item) return;
    std::optional<StaffMember> m;
    if (!Guarded(m_ctx, "GetConciergeInformation",
                 [&] { m = LoadStaffMember(m_ctx, item->data(Qt::UserRole).toLongLong()); }))
        return;
    showMember(m);
}

void frmStaffPlus::cmdNew_Click() {
    StaffMember m = NewStaffMember();
    // In masked mode the employee id is required: one is proposed.
    if (m_ctx.start.masked &&
        !Guarded(m_ctx, "NextEmployeeId", [&] { m.employeeId = NextEmployeeId(m_ctx); }))
        return;
    {
        const QSignalBlocker quiet(lstConcierge);
        lstConcierge->setCurrentRow(-1);
    }
    showMember(m);
    tabStaff->setCurrentIndex(Identity);
    txtConcierge->setFocus();
}

void frmStaffPlus::showMember(const std::optional<StaffMember>& member) {
    m_member = member;
    const StaffMember m = member.value_or(StaffMember{});
    const std::pair<QLineEdit*, QString> texts[] = {{txtConcierge, m.name},
                                                    {txtInitials, m.initials},
                                                    {txtUserProfile, m.logonName},
                                                    {txtJobTitle, m.jobTitle},
                                                    {txtConciergeTelephone, m.telephone},
                                                    {txtOTConciergeID, m.otConciergeId},
                                                    {txtEmailAddress, m.email},
                                                    {txtEUserID, m.employeeId},
                                                    {txtHoursShift, m.hoursShift}};
    for (const auto& [box, value] : texts)
        box->setText(value.trimmed());
    {
        // The clone list follows the class boxes once, not per box.
        const QSignalBlocker q1(chkAuthority), q2(chkRestricted);
        const std::pair<QCheckBox*, bool> flags[] = {
            {chkInactive, m.inactive},         {chkAuthority, m.manager},
            {chkRestricted, m.restricted},     {chkReadOnly, m.readOnly},
            {chkLanguageOnly, m.languageOnly}, {chkInhibitMsg, m.inhibitMsg},
            {chkDNIMessages, m.dniMessages},   {chkAllLogs, m.allLogs},
            {chkAllRentals, m.allRentals}};
        for (const auto& [box, on] : flags)
            box->setChecked(on);
    }
    for (int i = 0; i < chkDays.size(); ++i)
        chkDays[i]->setChecked(m.workSchedule.mid(i, 1) == "1");
    pnlRights->setRights(m.rights);
    lstCategoriesU->setItems(m.categories);
    lstCategoriesR->setItems(m.secondCategories);
    lstLanguages->setItems(m.languages);
    pnlGroups->setMemberGroups(m.messageGroups);

    const bool chosen = member.has_value();
    for (QWidget* w : {tabStaff->widget(Identity), static_cast<QWidget*>(cmdChange),
                       static_cast<QWidget*>(cmdReset), static_cast<QWidget*>(cmdDelete),
                       static_cast<QWidget*>(cmdClone), static_cast<QWidget*>(cmdCloneL),
                       static_cast<QWidget*>(cmdCloneR)})
        w->setEnabled(chosen);
    refreshCloneList();
}

StaffMember frmStaffPlus::collect() const {
    StaffMember m = m_member.value_or(StaffMember{});
    m.name = txtConcierge->text();
    m.initials = txtInitials->text();
    m.logonName = txtUserProfile->text();
    m.jobTitle = txtJobTitle->text();
    m.telephone = txtConciergeTelephone->text();
    m.otConciergeId = txtOTConciergeID->text();
    m.email = txtEmailAddress->text();
    m.employeeId = txtEUserID->text();
    m.hoursShift = txtHoursShift->text();
    m.inactive = chkInactive->isChecked();
    m.manager = chkAuthority->isChecked();
    m.restricted = chkRestricted->isChecked();
    m.readOnly = chkReadOnly->isChecked();
    m.languageOnly = chkLanguageOnly->isChecked();
    m.inhibitMsg = chkInhibitMsg->isChecked();
    m.dniMessages = chkDNIMessages->isChecked();
    m.allLogs = chkAllLogs->isChecked();
    m.allRentals = chkAllRentals->isChecked();
    QString days;
    for (QCheckBox* d : chkDays)
        days += d->isChecked() ? '1' : '0';
    m.workSchedule = days;
    m.rights = pnlRights->rights();
    m.categories = lstCategoriesU->items();
    m.secondCategories = lstCategoriesR->items();
    m.languages = lstLanguages->items();
    m.messageGroups = pnlGroups->memberGroups();
    return m;
}

void frmStaffPlus::tabChanged(int index) {
    QString refusal;
    // The first tab is where a member is chosen or started.
    if (index != Identity) {
        // The language-only box counts as it stands on screen, saved or not.
        const std::optional<StaffMember> shown =
            m_member ? std::optional<StaffMember>(collect()) : std::nullopt;
        refusal = StaffTabRefusal(shown ? &*shown : nullptr, index == RightsTab);
    }
    if (!refusal.isEmpty()) {
        {
            const QSignalBlocker quiet(tabStaff);
            tabStaff->setCurrentIndex(m_lastTab);
        }
        // Told after switching back, so the refused page is never shown behind the message.
        m_ctx.prompt().message(refusal);
        return;
    }
    m_lastTab = index;
}

void frmStaffPlus::focusField(const QString& objectName) {
    if (objectName.isEmpty()) return;
    auto* w = findChild<QWidget*>(objectName);
    if (!w) return;
    for (int i = 0; i < tabStaff->count(); ++i)
        if (tabStaff->widget(i)->isAncestorOf(w)) {
            const QSignalBlocker quiet(tabStaff);
            tabStaff->setCurrentIndex(i);
            m_lastTab = i;
        }
    w->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
}

// ---- Commands --------------------------------------------------------------------

void frmStaffPlus::cmdChange_Click() {
    if (!m_member) return;
    StaffMember m = collect();
    StaffSavePlan plan;
    if (!Guarded(m_ctx, "cmdChange_Click", [&] { plan = PlanStaffSave(m_ctx, m); })) return;
    if (plan.refusal) {
        Tell(m_ctx, *plan.refusal);
        focusField(plan.refusal->field);
        return;
    }
    // Every question first: the writes then run together or not at all.
    StaffSaveAnswers answers;
    if (!plan.renameQuestion.isEmpty())
        answers.renameLogbook = m_ctx.prompt().ask(plan.renameQuestion) == Answer::Yes;
    if (!plan.deleteMessagesQuestion.isEmpty())
        answers.deleteMessages = m_ctx.prompt().ask(plan.deleteMessagesQuestion) == Answer::Yes;
    StaffSaveResult result;
    {
        const WaitCursor wait;
        if (!Guarded(m_ctx, "cmdChange_Click",
                     [&] { result = SaveStaffMember(m_ctx, m, answers); }))
            return;
    }
    if (result.refusal) {
        Tell(m_ctx, *result.refusal);
        focusField(result.refusal->field);
        return;
    }
    for (const QString& notice : result.notices)
        m_ctx.prompt().message(notice);
    refreshList(result.id);
    std::optional<StaffMember> saved;
    Guarded(m_ctx, "GetConciergeInformation", [&] { saved = LoadStaffMember(m_ctx, result.id); });
    showMember(saved);
}

void frmStaffPlus::cmdReset_Click() {
    StaffResetResult result;
    const qint64 id = m_member ? m_member->id : 0;
    if (!Guarded(m_ctx, "cmdReset_Click", [&] { result = ResetStaffPasswords(m_ctx, id); })) return;
    if (result.refusal) {
        Tell(m_ctx, *result.refusal);
        focusField(result.refusal->field);
        return;
    }
    for (const QString& notice : result.notices)
        m_ctx.prompt().message(notice);
}

void frmStaffPlus::cmdDelete_Click() {
    if (!m_member) return;
    if (m_member->id == 0) {
        // Nothing stored yet: the new member is simply dropped.
        showMember(std::nullopt);
        return;
    }
    if (m_ctx.prompt().ask(DeleteStaffQuestion()) != Answer::Yes) return;
    std::optional<StaffRefusal> refusal;
    const qint64 id = m_member->id;
    if (!Guarded(m_ctx, "cmdDelete_Click", [&] { refusal = DeleteStaffMember(m_ctx, id); })) return;
    if (refusal) {
        Tell(m_ctx, *refusal);
        focusField(refusal->field);
        return;
    }
    showMember(std::nullopt);
    refreshList();
    tabStaff->setCurrentIndex(Identity);
}

void frmStaffPlus::cmdCheckAll_Click(bool allowed) {
    if (!m_member) return;
    StaffMember m = collect();
    SetAllRights(m, allowed);
    pnlRights->setRights(m.rights);
}

void frmStaffPlus::cmdClone_Click(CloneFn clone) {
    if (!m_member) return;
    const qint64 from = cboClone->currentData().toLongLong();
    StaffMember m = collect();
    std::optional<StaffRefusal> refusal;
    if (!Guarded(m_ctx, "cmdClone_Click", [&] { refusal = clone(m_ctx, m, from); })) return;
    if (refusal) {
        Tell(m_ctx, *refusal);
        cboClone->setFocus();
        return;
    }
    // The copied parts are shown; the rest of the screen keeps what was typed.
    pnlRights->setRights(m.rights);
    lstCategoriesU->setItems(m.categories);
    lstCategoriesR->setItems(m.secondCategories);
    lstLanguages->setItems(m.languages);
}

void frmStaffPlus::cmdAllStaff_Click() {
    ExportResult result;
    {
        const WaitCursor wait;
        result = BuildAllStaffCSV(m_ctx);
    }
    ShowExportResult(m_ctx, result);
}

} // namespace vm
