#include "guests/forms/frmContactForm.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "core/Settings.h"
#include "guests/Maps.h"
#include "guests/OtherLists.h"
#include "guests/forms/ContactFormUi.h"
#include "guests/forms/frmEvtMessager.h"
#include "guests/forms/frmOtherData.h"
#include "logbook/Categories.h"
#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"
#include "logbook/forms/LogbookModule.h"
#include "logbook/forms/frmLogbook.h"
#include "output/forms/PrintPreview.h"
#include "platform/VersionedSave.h"
#include "platform/forms/FormHelpers.h"
#include "security/forms/frmCCQuery.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmContactForm");

QToolButton* IconButton(QWidget* parent, const char* name, const QString& text) {
    auto* b = named(new QToolButton(parent), name);
    b->setText(text);
    b->setToolTip(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

// The logbook's module lives in the main window, whichever window opened us.
LogbookModule* FindLogbookModule() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = w->findChild<LogbookModule*>("LogbookModule")) return m;
    return nullptr;
}

} // namespace

ContactFormUi::ContactFormUi(AppContext& c, frmContactForm* form) : ctx(c), q(form) {}

void ContactFormUi::build() {
    auto* layout = new QVBoxLayout(q);
    auto* head = new QGridLayout;
    auto line = [&](const char* name, int maxLength = 50) {
        QLineEdit* e = makeLineEdit(q, name, false, maxLength);
        watch(e);
        return e;
    };
    txtContactName = line("txtContactName", 100);
    txtNickName = line("txtNickName", 100);
    txtAddress = line("txtAddress", 100);
    txtCrossStreets = line("txtCrossStreets", 100);
    txtCity = line("txtCity");
    txtState = line("txtState");
    txtPostalCode = line("txtPostalCode", 20);
    txtCountry = line("txtCountry");
    txtKeywords = line("txtKeywords", 250);
    txtProximity = line("txtProximity");
    const QList<QPair<QString, QWidget*>> fields{{"Primary Name:", txtContactName},
                                                 {"Contact Data:", txtNickName},
                                                 {"Address:", txtAddress},
                                                 {"Cross Streets:", txtCrossStreets},
                                                 {"City:", txtCity},
                                                 {"State:", txtState},
                                                 {"Postal Code:", txtPostalCode},
                                                 {"Country:", txtCountry},
                                                 {"Keywords:", txtKeywords},
                                                 {"Proximity:", txtProximity}};
    for (int i = 0; i < fields.size(); ++i) {
        head->addWidget(new QLabel(fields[i].first, q), i / 2, (i % 2) * 2);
        head->addWidget(fields[i].second, i / 2, (i % 2) * 2 + 1);
    }
    layout->addLayout(head);

    auto* choices = new QHBoxLayout;
    cboLogType = named(new QComboBox(q), "cboLogType");
    cboArea = named(new QComboBox(q), "cboArea");
    cmdMaintainAreas = named(new QPushButton("Maintain the List of Areas", q), "cmdMaintainAreas");
    cboLanguage = named(new QComboBox(q), "cboLanguage");
    cboLanguage->addItems(ContactLanguages());
    cboLanguage->setToolTip("Select the Language to be Used When Printing Forms");
    cmdClone = named(new QPushButton("Clone this Entry for Another Language ->", q), "cmdClone");
    for (QComboBox* c : {cboLogType, cboArea, cboLanguage})
        watch(c);
    choices->addWidget(new QLabel("Log Type:", q));
    choices->addWidget(cboLogType);
    choices->addWidget(new QLabel("Area:", q));
    choices->addWidget(cboArea);
    choices->addWidget(cmdMaintainAreas);
    choices->addWidget(cmdClone);
    choices->addWidget(cboLanguage);
    layout->addLayout(choices);

    auto* flags = new QHBoxLayout;
    chkClosed =
        named(new QCheckBox("Color Code in Red to Indicate \"Closed\" Status", q), "chkClosed");
    chkColorCode =
        named(new QCheckBox("Color Code this Contact on Search Display", q), "chkColorCode");
    chkPrivate =
        named(new QCheckBox("Private Entry (Shown Only to Authorized Users)", q), "chkPrivate");
    for (QCheckBox* c : {chkClosed, chkColorCode, chkPrivate}) {
        watch(c);
        flags->addWidget(c);
    }
    layout->addLayout(flags);
    auto* stamps = new QHBoxLayout;
    lblLastUpdated = named(new QLabel(q), "lblLastUpdated");
    lblCreated = named(new QLabel(q), "lblCreated");
    stamps->addWidget(lblLastUpdated);
    stamps->addWidget(lblCreated);
    layout->addLayout(stamps);

    layout->addWidget(buildTabs());

    auto* icons = new QHBoxLayout;
    imgLogbook = IconButton(q, "imgLogbook", "Create A Logbook Entry");
    imgReminder = IconButton(q, "imgReminder", "Set a reminder for this entry");
    imgMap = IconButton(q, "imgMap", "Create Printable Map with Directions");
    imgPrintDetails = IconButton(q, "imgPrintDetails", "DoubleClick to Print Details");
    imgPrintGuestList = IconButton(q, "imgPrintGuestList", "DoubleClick to Print");
    imgPrevious = IconButton(q, "imgPrevious", "Get previous contact");
    imgNext = IconButton(q, "imgNext", "Get next contact");
    imgBrowser = IconButton(q, "imgBrowser", "Show Linked Document in Browser");
    imgMessage = IconButton(q, "imgMessage", "Send a Message about this Contact");
    for (QToolButton* b : {imgLogbook, imgReminder, imgMap, imgPrintDetails, imgPrintGuestList,
                           imgPrevious, imgNext, imgBrowser, imgMessage})
        icons->addWidget(b);
    layout->addLayout(icons);

    auto* buttons = new QHBoxLayout;
    cmdSave = named(new QPushButton("&Save", q), "cmdSave");
    cmdDelete = named(new QPushButton("&Delete", q), "cmdDelete");
    cmdClear = named(new QPushButton("C&lear", q), "cmdClear");
    cmdClose = named(new QPushButton("&Close", q), "cmdClose");
    buttons->addStretch();
    for (QPushButton* b : {cmdSave, cmdDelete, cmdClear, cmdClose}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    mayEdit = MayDo(ctx, Rights::ContactsEdit);
    for (QPushButton* b : {cmdSave, cmdDelete, cmdClear})
        b->setVisible(mayEdit);

    connect(cmdSave, &QPushButton::clicked, this, [this] { save(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { deleteContact(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { clear(); });
    connect(cmdClose, &QPushButton::clicked, q, &QDialog::close);
    connect(cmdClone, &QPushButton::clicked, this, [this] { cloneContact(); });
    connect(cmdMaintainAreas, &QPushButton::clicked, this, [this] { maintainAreas(); });
    connect(imgLogbook, &QToolButton::clicked, this, [this] { createLogbookEntry(); });
    connect(imgReminder, &QToolButton::clicked, this, [this] { editTicklers(); });
    connect(imgMap, &QToolButton::clicked, this, [this] { showMap(); });
    connect(imgPrintDetails, &QToolButton::clicked, this, [this] { printDetails(); });
    connect(imgPrintGuestList, &QToolButton::clicked, this, [this] { printGuestList(); });
    connect(imgPrevious, &QToolButton::clicked, this, [this] { step(-1); });
    connect(imgNext, &QToolButton::clicked, this, [this] { step(+1); });
    connect(imgBrowser, &QToolButton::clicked, this, [this] { showInBrowser(); });
    connect(imgMessage, &QToolButton::clicked, this, [this] { sendMessage(); });
    fillLists();
}

void ContactFormUi::watch(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w))
        connect(e, &QLineEdit::textChanged, this, &ContactFormUi::markDirty);
    else if (auto* t = qobject_cast<QPlainTextEdit*>(w))
        connect(t, &QPlainTextEdit::textChanged, this, &ContactFormUi::markDirty);
    else if (auto* c = qobject_cast<QComboBox*>(w))
        connect(c, &QComboBox::currentIndexChanged, this, &ContactFormUi::markDirty);
    else if (auto* b = qobject_cast<QCheckBox*>(w))
        connect(b, &QCheckBox::toggled, this, &ContactFormUi::markDirty);
}

void ContactFormUi::markDirty() {
    if (!loading) dirty = true;
}

Contact ContactFormUi::readScreen() const {
    Contact c = contact;
    c.name = txtContactName->text();
    c.nickName = txtNickName->text();
    c.address = txtAddress->text();
    c.crossStreets = txtCrossStreets->text();
    c.city = txtCity->text();
    c.state = txtState->text();
    c.postalCode = txtPostalCode->text();
    c.country = txtCountry->text();
    c.keywordSet = txtKeywords->text();
    c.proximity = txtProximity->text();
    c.affiliation = cboLogType->currentText();
    c.area = cboArea->currentText();
    c.language = std::max(0, cboLanguage->currentIndex());
    c.isClosed = chkClosed->isChecked();
    c.colorCode = chkColorCode->isChecked();
    c.isPrivate = chkPrivate->isChecked();
    readTabs(c);
    return c;
}

void ContactFormUi::showContact(const Contact& c) {
    loading = true;
    contact = c;
    txtContactName->setText(c.name);
    txtNickName->setText(c.nickName);
    txtAddress->setText(c.address);
    txtCrossStreets->setText(c.crossStreets);
    txtCity->setText(c.city);
    txtState->setText(c.state);
    txtPostalCode->setText(c.postalCode);
    txtCountry->setText(c.country);
    txtKeywords->setText(c.keywordSet);
    txtProximity->setText(c.proximity);
    auto choose = [](QComboBox* box, const QString& value) {
        int i = box->findText(value);
        if (i < 0 && !value.isEmpty()) {
            box->addItem(value); // a value the list no longer has stays visible
            i = box->count() - 1;
        }
        box->setCurrentIndex(std::max(0, i));
    };
    choose(cboLogType, c.affiliation);
    choose(cboArea, c.area);
    cboLanguage->setCurrentIndex(std::clamp(c.language, 0, int(ContactLanguages().size()) - 1));
    chkClosed->setChecked(c.isClosed);
    chkColorCode->setChecked(c.colorCode);
    chkPrivate->setChecked(c.isPrivate);
    showTabs(c);
    showStamps();
    q->setWindowTitle(ContactFormCaption + c.name);
    loading = false;
    dirty = false;
}

void ContactFormUi::showStamps() {
    const Contact& c = contact;
    lblLastUpdated->setText(c.id ? "Last Updated: " + c.updateDate + "  By: " + c.luInitials
                                 : QString());
    const QDate entered = Formats::ParseStoredDate(c.entryDate);
    const QTime at = Formats::ParseTime(c.entryTime);
    lblCreated->setText(c.id && entered.isValid()
                            ? "Created by " + c.enteredBy + " on " + Formats::LongDate(entered) +
                                  (at.isValid() ? " at " + Formats::Time12(at) : QString())
                            : QString());
}

void ContactFormUi::load(qint64 id) {
    try {
        const std::optional<Contact> c = GetTheContact(ctx, id);
        if (!c) {
            ctx.prompt().message(GoneElsewhereMessage("Contact"), {}, Icon::Exclamation);
            startNew();
            return;
        }
        loadedLanguage = c->language;
        showContact(*c);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "GetTheContact", FormName, true);
    }
}

void ContactFormUi::startNew() {
    Contact c;
    c.language = ctx.session.language;
    try {
        c.country = GetTextSetting(ctx.db(), "DefaultCountry").trimmed();
    } catch (const DbError&) {
        // a new contact without a default country is still a contact
    }
    loadedLanguage.reset();
    showContact(c);
    txtContactName->setFocus();
}

bool ContactFormUi::save() {
    if (!mayEdit) return false;
    Contact c = readScreen();
    const QString refusal = CheckContact(ctx, c, loadedLanguage);
    if (!refusal.isEmpty()) {
        ctx.prompt().message(refusal, {}, Icon::Exclamation);
        return false;
    }
    try {
        if (CheckFormCCFields(ctx, q, "Contacts", c.id) > 0) c = readScreen();
        if (c.id == 0) {
            InsertContact(ctx, c);
        } else {
            const qint64 id = c.id;
            if (!SettleVersionedSave(ctx.prompt(), UpdateContact(ctx, c), "Contact",
                                     [&] { load(id); }))
                return false;
        }
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "cmdSave_Click", FormName, true);
        return false;
    }
    loadedLanguage = c.language;
    showContact(c);
    refreshExtra();
    refreshDocuments();
    Q_EMIT q->contactSaved(c.id);
    return true;
}

bool ContactFormUi::maybeSave() {
    if (!dirty || !mayEdit) return true;
    if (ctx.prompt().ask(MsgSaveChanges, {}, Buttons::YesNo) == Answer::No) {
        dirty = false;
        return true;
    }
    return save();
}

bool ContactFormUi::needsSaved(const QString& refusal) {
    if (contact.id > 0) return true;
    ctx.prompt().message(refusal);
    return false;
}

void ContactFormUi::deleteContact() {
    if (contact.id == 0) return;
    if (!MayDoOrSay(ctx, Rights::ContactsDelete, MsgDeleteRight)) return;
    if (ctx.prompt().ask(MsgDeleteContact, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    const qint64 id = contact.id;
    try {
        if (!DeleteContact(ctx, id))
            ctx.prompt().message(GoneElsewhereMessage("Contact"), {}, Icon::Exclamation);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "cmdDelete_Click", FormName, true);
        return;
    }
    dirty = false;
    Q_EMIT q->contactDeleted(id);
    q->close();
}

void ContactFormUi::clear() {
    if (!maybeSave()) return;
    startNew();
}

void ContactFormUi::step(int direction) {
    if (!neighbour || contact.id == 0) return;
    if (!maybeSave()) return;
    const qint64 next = neighbour(contact.id, direction);
    if (next > 0) load(next);
}

void ContactFormUi::cloneContact() {
    if (!MayDoOrSay(ctx, Rights::ContactsClone, MsgCloneRight)) return;
    if (!needsSaved(MsgSaveBeforeClone)) return;
    const int language = cboLanguage->currentIndex();
    if (loadedLanguage && language == *loadedLanguage) {
        ctx.prompt().message(MsgSelectCloneLanguage);
        return;
    }
    try {
        const qint64 copy = CloneContact(ctx, contact.id, language);
        if (copy == 0) {
            ctx.prompt().message(GoneElsewhereMessage("Contact"), {}, Icon::Exclamation);
            return;
        }
        load(copy);
        Q_EMIT q->contactSaved(copy);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "cmdClone_Click", FormName, true);
    }
}

void ContactFormUi::maintainAreas() {
    if (!MaintainOtherList(ctx, "Area", q)) return;
    const QString chosen = cboArea->currentText();
    const bool wasDirty = dirty;
    loading = true;
    cboArea->clear();
    cboArea->addItem(QString());
    cboArea->addItems(GetOtherValues(ctx, "Area"));
    cboArea->setCurrentIndex(std::max(0, cboArea->findText(chosen)));
    loading = false;
    dirty = wasDirty;
}

void ContactFormUi::createLogbookEntry() {
    if (IsGuestViewer(ctx.session)) {
        ctx.prompt().message(MsgGuestViewerNoLogbook);
        return;
    }
    if (!MayDoOrSay(ctx, Rights::LogbookAdd, MsgAddEntries)) return;
    if (!needsSaved(MsgSaveBeforeLogbook)) return;
    LogbookModule* module = FindLogbookModule();
    if (!module) return;
    LogEntry prefill;
    prefill.contactId = contact.id;
    prefill.entryType = contact.affiliation;
    if (frmLogbook* f = module->openNewEntry(prefill)) f->show();
}

void ContactFormUi::showMap() {
    const MapSettings s = LoadMapSettings(ctx);
    const QString refusal = CheckMapSetUp(s);
    if (!refusal.isEmpty()) {
        ctx.prompt().message(refusal);
        return;
    }
    if (MapOpensInBrowser(s)) {
        const Contact c = readScreen();
        ctx.desktop().openUrl(
            QUrl::fromEncoded(BuildMapURL(s, {c.name, c.address, c.city, c.state}).toUtf8()));
        return;
    }
    if (!needsSaved(MsgSaveContactBeforePrint)) return;
    OpenReport(ctx, {"PrintMapPointMap", "Directions", {{"contactId", contact.id}}}, q);
}

void ContactFormUi::printDetails() {
    if (!MayDoOrSay(ctx, Rights::ContactsPrint, MsgPrintRight)) return;
    if (!needsSaved(MsgSaveContactBeforePrint)) return;
    if (tabContact->currentIndex() == directionsTab)
        OpenReport(ctx, {"PrintContactD", "Contact Directions", {{"contactId", contact.id}}}, q);
    else
        OpenReport(ctx, {"PrintContactEntry", "Contact Entry", {{"contactId", contact.id}}}, q);
}

void ContactFormUi::printGuestList() {
    if (!MayDoOrSay(ctx, Rights::ContactsPrint, MsgPrintRight)) return;
    if (!needsSaved(MsgSaveContactBeforePrint)) return;
    OpenReport(ctx, {"PrintContactExtras", "Contact Guest List", {{"contactId", contact.id}}}, q);
}

void ContactFormUi::editTicklers() {
    if (!MayDoOrSay(ctx, Rights::ContactsStatusMessages, MsgStatusMessagesRight)) return;
    if (!needsSaved(MsgSaveContactBeforeTicklers)) return;
    LogbookModule* module = FindLogbookModule();
    if (!module || !module->hooks.editContactTicklers) {
        ctx.prompt().message(MsgRemindersNotInstalled);
        return;
    }
    module->hooks.editContactTicklers(contact.id, contact.name, q);
}

void ContactFormUi::sendMessage() {
    if (!MayDoOrSay(ctx, Rights::ContactsMessages, MsgMessagesRight)) return;
    if (!needsSaved(MsgSaveBeforeMessage)) return;
    SendRecordMessage(ctx, RecordKind::Contact, contact.id, q);
}

frmContactForm::frmContactForm(AppContext& ctx, qint64 contactId, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<ContactFormUi>(ctx, this)) {
    setObjectName("frmContactForm");
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_ui->build();
    if (contactId > 0)
        m_ui->load(contactId);
    else
        m_ui->startNew();
}

frmContactForm::~frmContactForm() = default;

qint64 frmContactForm::contactId() const {
    return m_ui->contact.id;
}

void frmContactForm::setNeighbours(std::function<qint64(qint64, int)> neighbour) {
    m_ui->neighbour = std::move(neighbour);
}

void frmContactForm::closeEvent(QCloseEvent* e) {
    if (m_ui->maybeSave())
        e->accept();
    else
        e->ignore();
}

void frmContactForm::reject() {
    close();
}

} // namespace vm
