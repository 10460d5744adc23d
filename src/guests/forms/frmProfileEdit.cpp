#include "guests/forms/frmProfileEdit.h"

#include "core/DataAccess.h"
#include "core/Rights.h"
#include "core/Settings.h"
#include "guests/Groups.h"
#include "guests/OtherLists.h"
#include "guests/PhoneFormat.h"
#include "guests/forms/ProfileCardsTab.h"
#include "guests/forms/ProfileEditUi.h"
#include "guests/forms/frmOtherData.h"
#include "logbook/EntryRules.h"
#include "platform/VersionedSave.h"
#include "platform/forms/FormHelpers.h"
#include "security/forms/frmCCQuery.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

namespace {

QToolButton* IconButton(QWidget* parent, const char* name, const QString& text) {
    auto* b = named(new QToolButton(parent), name);
    b->setText(text);
    b->setToolTip(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

QPushButton* ListButton(QWidget* parent, const char* name, const QString& tip) {
    auto* b = named(new QPushButton("...", parent), name);
    b->setToolTip(tip);
    b->setAutoDefault(false);
    b->setMaximumWidth(30);
    return b;
}

// Chooses `value` in the combo; a value the list no longer has stays visible.
void Choose(QComboBox* box, const QString& value) {
    int i = box->findText(value);
    if (i < 0 && !value.isEmpty()) {
        box->addItem(value);
        i = box->count() - 1;
    }
    box->setCurrentIndex(std::max(0, i));
}

} // namespace

ProfileEditUi::ProfileEditUi(AppContext& c, frmProfileEdit* form, ProfileWindowOptions o)
    : ctx(c), q(form), options(std::move(o)) {}

void ProfileEditUi::build() {
    Database& db = ctx.db();
    bool residential = false;
    try {
        residential = GetBooleanSetting(db, "IsResidential");
        properCase = GetBooleanSetting(db, "ProperCaseName");
        defaultCountry = GetTextSetting(db, "DefaultCountry").trimmed();
        defaultAreaCode = GetTextSetting(db, "DefaultAreaCode").trimmed();
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "Form_Load", ProfileFormName, true);
    }
    q->setWindowTitle(ProfileFormTitle);
    auto* layout = new QVBoxLayout(q);
    auto* head = new QGridLayout;
    auto line = [&](const char* name, int maxLength = 50) {
        QLineEdit* e = makeLineEdit(q, name, false, maxLength);
        watch(e);
        return e;
    };
    txtFirstName = line("txtFirstName");
    txtLastName = line("txtLastName");
    txtUnit = line("txtUnit", 20);
    txtCompanyName = line("txtCompanyName", 100);
    txtJobTitle = line("txtJobTitle");
    cboSalutation = named(new QComboBox(q), "cboSalutation");
    cboProType = named(new QComboBox(q), "cboProType");
    cboGroupName = named(new QComboBox(q), "cboGroupName");
    for (QComboBox* c : {cboSalutation, cboProType, cboGroupName})
        watch(c);
    cmdSalutations = ListButton(q, "cmdSalutations", "Maintain the List of Salutations");
    cmdProfileTypes = ListButton(q, "cmdProfileTypes", "Maintain the List of Profile Types");
    cmdGroupLog = named(new QPushButton("Create Group Logbook Entries", q), "cmdGroupLog");
    cmdGroupLog->setAutoDefault(false);
    lblGroupCreated = named(new QLabel(q), "lblGroupCreated");

    auto* required = new QLabel("Required information includes:", q);
    head->addWidget(required, 0, 0, 1, 2);
    head->addWidget(new QLabel("First Name:", q), 1, 0);
    head->addWidget(txtFirstName, 1, 1);
    head->addWidget(new QLabel("Last Name:", q), 1, 2);
    head->addWidget(txtLastName, 1, 3);
    head->addWidget(cboSalutation, 1, 4);
    head->addWidget(cmdSalutations, 1, 5);
    auto* unitLabel = new QLabel("Unit:", q);
    head->addWidget(unitLabel, 2, 0);
    head->addWidget(txtUnit, 2, 1);
    unitLabel->setVisible(residential);
    txtUnit->setVisible(residential);
    head->addWidget(new QLabel("Profile Type:", q), 2, 2);
    head->addWidget(cboProType, 2, 3);
    head->addWidget(cmdProfileTypes, 2, 5);
    head->addWidget(new QLabel("Company Name:", q), 3, 0);
    head->addWidget(txtCompanyName, 3, 1);
    head->addWidget(new QLabel("Job/Title:", q), 3, 2);
    head->addWidget(txtJobTitle, 3, 3);
    head->addWidget(new QLabel("Group Name:", q), 4, 0);
    head->addWidget(cboGroupName, 4, 1);
    head->addWidget(lblGroupCreated, 4, 2);
    head->addWidget(cmdGroupLog, 4, 3);
    layout->addLayout(head);

    auto* flags = new QHBoxLayout;
    chkColorCode = named(new QCheckBox("Color Code", q), "chkColorCode");
    optGreen = named(new QRadioButton("Green", q), "optGreen");
    optBlack = named(new QRadioButton("Black", q), "optBlack");
    optBlue = named(new QRadioButton("Blue", q), "optBlue");
    chkPubPriv =
        named(new QCheckBox("Private Entry (Shown Only to Authorized Users)", q), "chkPubPriv");
    for (QWidget* w :
         std::initializer_list<QWidget*>{chkColorCode, optGreen, optBlack, optBlue, chkPubPriv}) {
        watch(w);
        flags->addWidget(w);
    }
    flags->addStretch();
    layout->addLayout(flags);

    auto* middle = new QHBoxLayout;
    middle->addWidget(buildUpperTabs(), 3);
    middle->addWidget(buildSideTabs(), 2);
    layout->addLayout(middle);
    layout->addWidget(buildLowerTabs(), 1);

    auto* icons = new QHBoxLayout;
    imgCreateEntry = IconButton(q, "imgCreateEntry", "Create A Logbook Entry");
    imgReminder = IconButton(q, "imgReminder", "Set a reminder for this entry");
    imgPrevious = IconButton(q, "imgPrevious", "Get previous entry");
    imgNext = IconButton(q, "imgNext", "Get next entry");
    imgPrint = IconButton(q, "imgPrint", "DoubleClick to Print Details");
    for (QToolButton* b : {imgCreateEntry, imgReminder, imgPrevious, imgNext, imgPrint})
        icons->addWidget(b);
    icons->addStretch();
    cmdEmail = named(new QPushButton("&Email", q), "cmdEmail");
    cmdClear = named(new QPushButton("C&lear", q), "cmdClear");
    cmdDelete = named(new QPushButton("&Delete", q), "cmdDelete");
    cmdSave = named(new QPushButton("&Save", q), "cmdSave");
    cmdClose = named(new QPushButton("&Close", q), "cmdClose");
    for (QPushButton* b : {cmdEmail, cmdClear, cmdDelete, cmdSave, cmdClose}) {
        b->setAutoDefault(false);
        icons->addWidget(b);
    }
    layout->addLayout(icons);
    lblProfileID = named(new QLabel(q), "lblProfileID");
    auto* status = new QStatusBar(q);
    status->setSizeGripEnabled(false);
    status->addWidget(lblProfileID);
    layout->addWidget(status);

    // Buttons whose right is missing are not shown; their clicks still ask.
    try {
        mayEdit = !options.readOnly && MayDo(ctx, Rights::ProfilesEdit);
        cmdEmail->setVisible(MayDo(ctx, Rights::ProfilesIndicatorEmail));
        cmdGroupLog->setVisible(MayDo(ctx, Rights::ProfilesGroupEntries));
        txtNotes->setReadOnly(!mayEdit || !MayDo(ctx, Rights::ProfilesNotes));
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "Form_Load", ProfileFormName, true);
    }
    for (QPushButton* b : {cmdSave, cmdDelete, cmdClear, cmdUpdatePicture})
        b->setVisible(mayEdit);
    if (options.readOnly) {
        QList<QLineEdit*> boxes = tsTab2->findChildren<QLineEdit*>();
        boxes << txtFirstName << txtLastName << txtUnit << txtCompanyName << txtJobTitle;
        for (QLineEdit* e : boxes)
            e->setReadOnly(true);
        for (QWidget* w :
             std::initializer_list<QWidget*>{cboSalutation, cboProType, cboGroupName, chkColorCode,
                                             optGreen, optBlack, optBlue, chkPubPriv})
            w->setEnabled(false);
        for (QCheckBox* b : tsTab2->findChildren<QCheckBox*>())
            b->setEnabled(false);
        for (QCheckBox* b : dnu)
            b->setEnabled(false);
    }

    connect(cmdSave, &QPushButton::clicked, this, [this] { save(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { deleteProfile(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { clear(); });
    connect(cmdClose, &QPushButton::clicked, q, &QDialog::close);
    connect(cmdEmail, &QPushButton::clicked, this, [this] { emailIndicators(); });
    connect(cmdGroupLog, &QPushButton::clicked, this, [this] { createGroupEntries(); });
    connect(cmdSalutations, &QPushButton::clicked, this,
            [this] { maintainList(cboSalutation, "Salutation", MsgSalutationsRight); });
    connect(cmdProfileTypes, &QPushButton::clicked, this,
            [this] { maintainList(cboProType, "ProType", MsgProfileTypesRight); });
    connect(imgCreateEntry, &QToolButton::clicked, this, [this] { createLogbookEntry(); });
    connect(imgReminder, &QToolButton::clicked, this, [this] { setReminder(); });
    connect(imgPrint, &QToolButton::clicked, this, [this] { printDetails(); });
    connect(imgPrevious, &QToolButton::clicked, this, [this] { step(-1); });
    connect(imgNext, &QToolButton::clicked, this, [this] { step(+1); });
    connect(chkColorCode, &QCheckBox::toggled, this, [this](bool on) {
        for (QRadioButton* b : {optGreen, optBlack, optBlue})
            b->setEnabled(on && !options.readOnly);
    });
    for (QLineEdit* name : {txtFirstName, txtLastName})
        connect(name, &QLineEdit::editingFinished, this, [this, name] {
            if (properCase && !name->isReadOnly()) name->setText(ProperCaseName(name->text()));
        });
    fillLists();
}

void ProfileEditUi::watch(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w))
        connect(e, &QLineEdit::textChanged, this, &ProfileEditUi::markDirty);
    else if (auto* t = qobject_cast<QPlainTextEdit*>(w))
        connect(t, &QPlainTextEdit::textChanged, this, &ProfileEditUi::markDirty);
    else if (auto* c = qobject_cast<QComboBox*>(w))
        connect(c, &QComboBox::currentIndexChanged, this, &ProfileEditUi::markDirty);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        connect(b, &QAbstractButton::toggled, this, &ProfileEditUi::markDirty);
}

void ProfileEditUi::markDirty() {
    if (!loading) dirty = true;
}

void ProfileEditUi::fillCombo(QComboBox* box, const QString& otherType) {
    const QString chosen = box->currentText();
    const bool wasLoading = loading;
    loading = true;
    box->clear();
    box->addItem(QString());
    box->addItems(GetOtherValues(ctx, otherType));
    Choose(box, chosen);
    loading = wasLoading;
}

void ProfileEditUi::fillLists() {
    try {
        fillCombo(cboSalutation, "Salutation");
        fillCombo(cboProType, "ProType");
        loading = true;
        cboGroupName->clear();
        cboGroupName->addItem(QString(), qint64(0));
        for (const auto& [id, name] : GetGroupNames(ctx))
            cboGroupName->addItem(name, id);
        loading = false;
    } catch (const DbError& e) {
        loading = false;
        ReportError(ctx.prompt(), e, "Form_Load", ProfileFormName, true);
    }
}

Profile ProfileEditUi::readScreen() const {
    Profile p = profile;
    p.firstName = txtFirstName->text();
    p.lastName = txtLastName->text();
    p.salutation = cboSalutation->currentText();
    p.unit = txtUnit->text();
    p.profileType = cboProType->currentText();
    p.company = txtCompanyName->text();
    p.title = txtJobTitle->text();
    p.groupId = cboGroupName->currentData().toLongLong();
    p.colorCode = chkColorCode->isChecked();
    p.color = optGreen->isChecked()  ? ProfileColorGreen
              : optBlue->isChecked() ? ProfileColorBlue
                                     : ProfileColorBlack;
    p.isPrivate = chkPubPriv->isChecked();
    p.notes = txtNotes->toPlainText();
    readUpperTabs(p);
    bool* flags[] = {&p.dnuSnailMail, &p.dnuEmail,         &p.dnuEmailB,   &p.dnuHomePhone,
                     &p.dnuCellPhone, &p.dnuBusinessPhone, &p.dnuFaxPhone, &p.dnuOtherPhone};
    for (size_t i = 0; i < dnu.size(); ++i)
        *flags[i] = dnu[i]->isChecked();
    return p;
}

void ProfileEditUi::showProfile(const Profile& p) {
    loading = true;
    profile = p;
    txtFirstName->setText(p.firstName.trimmed());
    txtLastName->setText(p.lastName.trimmed());
    Choose(cboSalutation, p.salutation.trimmed());
    txtUnit->setText(p.unit.trimmed());
    Choose(cboProType, p.profileType.trimmed());
    txtCompanyName->setText(p.company.trimmed());
    txtJobTitle->setText(p.title.trimmed());
    int group = cboGroupName->findData(p.groupId);
    if (group < 0 && p.groupId > 0) { // a group gone from the list stays visible
        cboGroupName->addItem(GetGroupName(ctx, p.groupId), p.groupId);
        group = cboGroupName->count() - 1;
    }
    cboGroupName->setCurrentIndex(std::max(0, group));
    chkColorCode->setChecked(p.colorCode);
    const QString color = p.color.trimmed().toUpper();
    optGreen->setChecked(color == ProfileColorGreen);
    optBlue->setChecked(color == ProfileColorBlue);
    optBlack->setChecked(color != ProfileColorGreen && color != ProfileColorBlue);
    for (QRadioButton* b : {optGreen, optBlack, optBlue})
        b->setEnabled(p.colorCode && !options.readOnly);
    chkPubPriv->setChecked(p.isPrivate);
    txtNotes->setPlainText(p.notes);
    const bool f[] = {p.dnuSnailMail, p.dnuEmail,         p.dnuEmailB,   p.dnuHomePhone,
                      p.dnuCellPhone, p.dnuBusinessPhone, p.dnuFaxPhone, p.dnuOtherPhone};
    for (size_t i = 0; i < dnu.size(); ++i)
        dnu[i]->setChecked(f[i]);
    showUpperTabs(p);
    showLowerTabs(p);
    showGroupCreated(p.groupId);
    lblProfileID->setText(" ProfileID: " + QString::number(p.id));
    const bool saved = p.id > 0;
    for (QWidget* w :
         std::initializer_list<QWidget*>{imgCreateEntry, imgReminder, imgPrint, cmdGroupLog})
        w->setEnabled(saved);
    loading = false;
    dirty = false;
}

void ProfileEditUi::showGroupCreated(qint64 groupId) {
    lblGroupCreated->clear();
    if (profile.id <= 0 || groupId <= 0) return;
    try {
        for (const ProfileGroupLog& g : GetProfileGL(ctx, profile.id))
            if (g.groupId == groupId) { // newest first
                lblGroupCreated->setText(GroupLinkCaption(g.created));
                return;
            }
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "GetProfileEditInformation", ProfileFormName, true);
    }
}

bool ProfileEditUi::load(qint64 id) {
    try {
        const std::optional<Profile> p = GetProfile(ctx, id);
        if (!p) {
            ctx.prompt().message(GoneElsewhereMessage("Profile"), {}, Icon::Exclamation);
            return false;
        }
        if (p->isPrivate && !ctx.session.manager) {
            ctx.prompt().message(MsgPrivateProfile, {}, Icon::Exclamation);
            return false;
        }
        showProfile(*p);
        return true;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "GetProfileEditInformation", ProfileFormName, true);
        return false;
    }
}

void ProfileEditUi::startNew() {
    Profile p = options.prefill.value_or(Profile{});
    p.id = 0;
    p.rowVersion = 0;
    showProfile(p);
    // Prefilled values are the caller's, not the member's: they still need saving.
    dirty = options.prefill.has_value();
    txtFirstName->setFocus();
}

bool ProfileEditUi::save() {
    if (!mayEdit) return false;
    Profile p = readScreen();
    if (const QString refusal = CheckProfile(p); !refusal.isEmpty()) {
        ctx.prompt().message(refusal, {}, Icon::Exclamation);
        (refusal == MsgProfileLastName ? txtLastName : txtFirstName)->setFocus();
        return false;
    }
    try {
        // Card numbers typed into any box are asked about before anything is stored.
        if (CheckFormCCFields(ctx, q, "Guest Profile", p.id) > 0) p = readScreen();
        if (p.id > 0 && GetBooleanSetting(ctx.db(), "UseGuestID") &&
            ProfileIndicatorValue(ctx, p.id, "GuestID").trimmed().isEmpty()) {
            ctx.prompt().message(MsgGuestIdRequired, {}, Icon::Exclamation);
            return false;
        }
        if (p.id == 0) {
            InsertProfile(ctx, p);
        } else {
            const qint64 id = p.id;
            if (!SettleVersionedSave(ctx.prompt(), UpdateProfile(ctx, p), "Profile",
                                     [&] { load(id); }))
                return false;
        }
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "cmdSave_Click", ProfileFormName, true);
        return false;
    }
    const bool wasNew = profile.id == 0;
    if (options.saved) options.saved(p.id);
    showProfile(p);
    if (wasNew) {
        try {
            if (GetBooleanSetting(ctx.db(), "UseGuestID") &&
                ProfileIndicatorValue(ctx, p.id, "GuestID").trimmed().isEmpty())
                ctx.prompt().message(MsgGuestIdReminder);
        } catch (const DbError& e) {
            ReportError(ctx.prompt(), e, "cmdSave_Click", ProfileFormName, true);
        }
    }
    return true;
}

bool ProfileEditUi::maybeSave() {
    if (!dirty || !mayEdit) return true;
    if (ctx.prompt().ask(MsgSaveChanges, {}, Buttons::YesNo) == Answer::No) {
        dirty = false;
        return true;
    }
    return save();
}

bool ProfileEditUi::needsSaved(const QString& refusal) {
    if (profile.id > 0) return true;
    ctx.prompt().message(refusal);
    return false;
}

void ProfileEditUi::deleteProfile() {
    if (!mayEdit || profile.id == 0) return;
    if (ctx.prompt().ask(MsgDeleteProfile, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    const qint64 id = profile.id;
    try {
        if (!DeleteProfile(ctx, id))
            ctx.prompt().message(GoneElsewhereMessage("Profile"), {}, Icon::Exclamation);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "cmdDelete_Click", ProfileFormName, true);
        return;
    }
    if (options.deleted) options.deleted(id);
    options.prefill.reset();
    startNew();
}

void ProfileEditUi::clear() {
    if (!maybeSave()) return;
    options.prefill.reset();
    startNew();
}

void ProfileEditUi::step(int direction) {
    if (!options.neighbour || profile.id == 0) return;
    if (!maybeSave()) return;
    const qint64 next = options.neighbour(profile.id, direction);
    if (next > 0) load(next);
}

void ProfileEditUi::maintainList(QComboBox* box, const QString& otherType, const QString& refusal) {
    if (!MayDoOrSay(ctx, Rights::ProfilesLists, refusal)) return;
    if (!MaintainOtherList(ctx, otherType, q)) return;
    const bool wasDirty = dirty;
    fillCombo(box, otherType);
    dirty = wasDirty;
}

frmProfileEdit::frmProfileEdit(AppContext& ctx, qint64 profileId,
                               const ProfileWindowOptions& options, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<ProfileEditUi>(ctx, this, options)) {
    setObjectName(ProfileFormName);
    m_ui->build();
    if (profileId <= 0 || !m_ui->load(profileId)) m_ui->startNew();
}

frmProfileEdit::~frmProfileEdit() = default;

qint64 frmProfileEdit::profileId() const {
    return m_ui->profile.id;
}

void frmProfileEdit::closeEvent(QCloseEvent* e) {
    if (m_ui->maybeSave())
        e->accept();
    else
        e->ignore();
}

void frmProfileEdit::reject() {
    close();
}

} // namespace vm
