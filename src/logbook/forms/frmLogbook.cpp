#include "logbook/forms/frmLogbook.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "core/TextLog.h"
#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"
#include "logbook/LogbookCounts.h"
#include "logbook/LogbookStore.h"
#include "logbook/NotifiedValues.h"
#include "logbook/forms/EntryOutput.h"
#include "logbook/forms/NotifiedValuesDialog.h"
#include "platform/SpellChecker.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/WidgetPrompt.h"
#include "security/CardStore.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmLogbook");

QString shownDate(const QString& stored) {
    return Formats::ShortDate(Formats::ParseStoredDate(stored));
}

QString storedDate(const QString& shown) {
    return Formats::StoredDate(Formats::ParseShortDate(shown));
}

} // namespace

frmLogbook::frmLogbook(AppContext& ctx, const LogbookHooks& hooks, qint64 logId, LogSource source,
                       QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_hooks(hooks), m_source(source) {
    setObjectName(FormName);
    setAttribute(Qt::WA_DeleteOnClose, false);
    build();
    QString caption = "Velmora Logbook Manager - " + ctx.session.name + " - " +
                      Formats::LongDate(ctx.clock().today());
    if (ctx.start.localBackup) caption += "    *****   LOCAL Backup -  ";
    setWindowTitle(caption);
    try {
        m_viewer = LoadViewer(ctx.db(), ctx.session);
        fillLists();
        if (logId > 0 && load(logId, source)) return;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "Form_Load", FormName, true);
    }
    showNew();
}

void frmLogbook::build() {
    auto* top = new QVBoxLayout(this);

    auto* identity = new QHBoxLayout;
    identity->addWidget(new QLabel("Logbook ID:"));
    identity->addWidget(lblLogBookID = named(new QLabel("0"), "lblLogBookID"));
    identity->addWidget(lblWhoEntered = named(new QLabel, "lblWhoEntered"));
    identity->addWidget(lblWhenEntered = named(new QLabel, "lblWhenEntered"));
    identity->addWidget(lblArchived = named(new QLabel("ARCHIVED ENTRY"), "lblArchived"));
    identity->addStretch();
    lblCancelValue = named(new QLabel("False"), "lblCancelValue");
    lblCancelValue->hide();
    lblProfileID = named(new QLabel("0"), "lblProfileID");
    lblProfileID->hide();
    // The keys behind the names on screen, for the screens that open this one.
    lblLogTypeID = named(new QLabel("0"), "lblLogTypeID");
    lblEntryType = named(new QLabel, "lblEntryType");
    lblGroupID = named(new QLabel("0"), "lblGroupID");
    lblContactID = named(new QLabel("0"), "lblContactID");
    for (QLabel* key : {lblLogTypeID, lblEntryType, lblGroupID, lblContactID})
        key->hide();
    top->addLayout(identity);

    auto* middle = new QHBoxLayout;
    auto* guest = new QGroupBox("Guest");
    auto* gf = new QFormLayout(guest);
    gf->addRow("Last Name:", txtLastName = named(new QLineEdit, "txtLastName"));
    gf->addRow("First Name:", txtFirstName = named(new QLineEdit, "txtFirstName"));
    const bool residential = GetBooleanSetting(m_ctx.db(), "IsResidential");
    gf->addRow(residential ? "Unit:" : "Room:",
               txtRoomNumber = named(new QLineEdit, "txtRoomNumber"));
    gf->addRow("Guest ID:", txtGuestID = named(new QLineEdit, "txtGuestID"));
    gf->addRow("Group:", cboGroup = named(new QComboBox, "cboGroup"));
    auto* profileRow = new QHBoxLayout;
    profileRow->addWidget(cmdShowProfile = named(new QPushButton("Profile..."), "cmdShowProfile"));
    profileRow->addWidget(cmdDeselectProfile =
                              named(new QPushButton("Deselect"), "cmdDeselectProfile"));
    cmdDeselectProfile->setToolTip("Take the profile off this entry");
    profileRow->addWidget(cmdShowEncCC = named(new QPushButton("Show Card"), "cmdShowEncCC"));
    profileRow->addWidget(lblShowEncCC = named(new QLabel, "lblShowEncCC"));
    gf->addRow(profileRow);
    // A newly typed card number; it is never shown back (the text scan skips it).
    gf->addRow("New Card Number:", txtActualCCN = named(new QLineEdit, "txtActualCCN"));
    txtActualCCN->setEchoMode(QLineEdit::Password);
    middle->addWidget(guest);

    auto* when = new QGroupBox("Dates");
    auto* wf = new QFormLayout(when);
    const char* dateNames[] = {"txtSelect_0", "txtSelect_1", "txtSelect_2"};
    const char* dateLabels[] = {"Reference Date:", "Arrival Date:", "Departure Date:"};
    for (int i = 0; i < 3; ++i) {
        txtSelect[i] = named(new QLineEdit, dateNames[i]);
        txtSelect[i]->setPlaceholderText("MM/DD/YYYY");
        picDropDown[i] = named(new QToolButton, "picDropDown_" + QString::number(i));
        picDropDown[i]->setText("...");
        picDropDown[i]->setToolTip("Pick the date from a calendar");
        connect(picDropDown[i], &QToolButton::clicked, this, [this, i] { pickDate(i); });
        auto* row = new QHBoxLayout;
        row->addWidget(txtSelect[i], 1);
        row->addWidget(picDropDown[i]);
        wf->addRow(dateLabels[i], row);
    }
    wf->addRow("Time:", txtReferTime = named(new QLineEdit, "txtReferTime"));
    auto* notifiedRow = new QHBoxLayout;
    notifiedRow->addWidget(cboNotified = named(new QComboBox, "cboNotified"), 1);
    notifiedRow->addWidget(cmdOther = named(new QPushButton("..."), "cmdOther"));
    cmdOther->setToolTip("Maintain the list of notification methods");
    wf->addRow("Notified:", notifiedRow);
    cboNotified->setEditable(true);
    middle->addWidget(when);

    auto* cat = new QGroupBox("Category");
    auto* cl = new QVBoxLayout(cat);
    cl->addWidget(cboTypes = named(new QComboBox, "cboTypes"));
    cl->addWidget(lstTypes = named(new QListWidget, "lstTypes"));
    cl->addWidget(new QLabel("Most used:"));
    cl->addWidget(lstTypes10 = named(new QListWidget, "lstTypes10"));
    auto* notes = new QHBoxLayout;
    notes->addWidget(lblTNotes = named(new QLabel, "lblTNotes"), 1);
    notes->addWidget(cmdOK = named(new QPushButton("OK"), "cmdOK"));
    lblTNotes->setWordWrap(true);
    cl->addLayout(notes);
    middle->addWidget(cat);
    top->addLayout(middle);

    auto* status = new QHBoxLayout;
    const QString onHold = GetVmSetting(m_ctx.db(), "OnHoldName", "On Hold").remove(':').trimmed();
    status->addWidget(lblCaption = named(new QLabel("Entry is " + onHold + ":"), "lblCaption"));
    status->addWidget(chkComplete = named(new QCheckBox("Complete"), "chkComplete"));
    status->addWidget(chkPending = named(new QCheckBox("Pending"), "chkPending"));
    status->addWidget(chkOnHold = named(new QCheckBox(onHold), "chkOnHold"));
    status->addWidget(chkCancelled = named(new QCheckBox("Cancelled"), "chkCancelled"));
    status->addStretch();
    top->addLayout(status);

    auto* texts = new QGridLayout;
    texts->addWidget(new QLabel("Logbook Entry:"), 0, 0);
    texts->addWidget(txtLogEntry = named(new QPlainTextEdit, "txtLogEntry"), 1, 0);
    texts->addWidget(new QLabel("Descriptive Text:"), 0, 1);
    texts->addWidget(txtDescription = named(new QPlainTextEdit, "txtDescription"), 1, 1);
    texts->addWidget(new QLabel("Current Notes:"), 2, 0);
    texts->addWidget(txtMsgNotes = named(new QPlainTextEdit, "txtMsgNotes"), 3, 0);
    texts->addWidget(new QLabel("History:"), 2, 1);
    texts->addWidget(grdHistory = named(new DataGrid, "grdHistory"), 3, 1);
    grdHistory->setHeaders({"History Date & Time", "Initials", "Reason"});
    auto* body = new QHBoxLayout;
    body->addLayout(texts, 3);
    auto* side = new QVBoxLayout;
    body->addLayout(side, 2);
    top->addLayout(body, 1);

    auto* actions = new QHBoxLayout;
    actions->addWidget(cmdSave = named(new QPushButton("&Save"), "cmdSave"));
    actions->addWidget(cmdSaveAndExit = named(new QPushButton("Save and E&xit"), "cmdSaveAndExit"));
    actions->addWidget(cmdClear = named(new QPushButton("C&lear"), "cmdClear"));
    actions->addWidget(cmdDelete = named(new QPushButton("&Delete"), "cmdDelete"));
    actions->addWidget(cmdCloneEntry = named(new QPushButton("Cl&one"), "cmdCloneEntry"));
    actions->addWidget(cmdSaveAText = named(new QPushButton("Add Archive &Note"), "cmdSaveAText"));
    actions->addWidget(cmdUnsentMsg = named(new QPushButton("&History/Messages"), "cmdUnsentMsg"));
    actions->addWidget(imgReminder = named(new QToolButton, "imgReminder"));
    actions->addWidget(imgPrint = named(new QToolButton, "imgPrint"));
    actions->addWidget(imgEmail = named(new QToolButton, "imgEmail"));
    actions->addWidget(imgNext = named(new QToolButton, "imgNext"));
    imgNext->setText("Next");
    imgNext->setToolTip("Go to the next entry of the list");
    imgNext->hide(); // shown when the screen was opened from a list
    buildLinks(side, actions);
    actions->addStretch();
    actions->addWidget(cmdExit = named(new QPushButton("E&xit"), "cmdExit"));
    imgReminder->setText("Message");
    imgPrint->setText("Print");
    imgEmail->setText("E-mail");
    top->addLayout(actions);

    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdSaveAndExit, &QPushButton::clicked, this, &frmLogbook::cmdSaveAndExit_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmLogbook::cmdClear_Click);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::close);
    connect(cmdDelete, &QPushButton::clicked, this, &frmLogbook::cmdDelete_Click);
    connect(cmdCloneEntry, &QPushButton::clicked, this, &frmLogbook::cmdCloneEntry_Click);
    connect(cmdSaveAText, &QPushButton::clicked, this, &frmLogbook::cmdSaveAText_Click);
    connect(cmdUnsentMsg, &QPushButton::clicked, this, &frmLogbook::cmdUnsentMsg_Click);
    connect(cmdShowProfile, &QPushButton::clicked, this, &frmLogbook::cmdShowProfile_Click);
    connect(cmdDeselectProfile, &QPushButton::clicked, this, &frmLogbook::cmdDeselectProfile_Click);
    connect(cmdShowEncCC, &QPushButton::clicked, this, &frmLogbook::cmdShowEncCC_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmLogbook::cmdOK_Click);
    connect(imgPrint, &QToolButton::clicked, this, &frmLogbook::imgPrint_Click);
    connect(imgEmail, &QToolButton::clicked, this, &frmLogbook::imgEmail_Click);
    connect(imgReminder, &QToolButton::clicked, this, &frmLogbook::imgReminder_Click);
    connect(imgNext, &QToolButton::clicked, this, &frmLogbook::imgNext_Click);
    connect(cmdOther, &QPushButton::clicked, this, &frmLogbook::cmdOther_Click);

    const std::pair<QCheckBox*, StatusBox> boxes[] = {{chkComplete, StatusBox::Complete},
                                                      {chkPending, StatusBox::Pending},
                                                      {chkOnHold, StatusBox::OnHold},
                                                      {chkCancelled, StatusBox::Cancelled}};
    for (const auto& [box, which] : boxes)
        connect(box, &QCheckBox::clicked, this,
                [this, which = which](bool ticked) { statusClicked(int(which), ticked); });

    // Ctrl+R: the entry's contact.  Ctrl+Shift+T: the record dump, behind a code word.
    connect(new QShortcut(QKeySequence("Ctrl+R"), this), &QShortcut::activated, this, [this] {
        if (m_hooks.showContact && m_entry.contactId > 0 && m_entry.openTableId == 0)
            m_hooks.showContact(m_entry.contactId, this);
    });
    connect(new QShortcut(QKeySequence("Ctrl+Shift+T"), this), &QShortcut::activated, this,
            &frmLogbook::dumpRecord);
    // F10: the limousine billing codes, where the limousine interface is on.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            &frmLogbook::limoBillingCodes);
    // Typing into the entry while a status message waits is refused until <OK>.
    for (QPlainTextEdit* e : {txtLogEntry, txtDescription})
        e->installEventFilter(this);

    connect(cboTypes, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        if (!m_loading) categoryChosen(name);
    });
    for (QListWidget* list : {lstTypes, lstTypes10})
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this](QListWidgetItem* item) { cboTypes->setCurrentText(item->text()); });
    connect(txtSelect[0], &QLineEdit::editingFinished, this, &frmLogbook::referDateLeft);
    connect(txtSelect[1], &QLineEdit::editingFinished, this, &frmLogbook::arrivalDateLeft);
    connect(txtReferTime, &QLineEdit::editingFinished, this, &frmLogbook::referTimeLeft);
    connect(cboNotified, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (text.size() > 50) {
            cboNotified->setEditText(text.left(50));
            m_ctx.prompt().message(MsgNotified50);
        }
        markChanged();
    });
    for (QLineEdit* e : {txtLastName, txtFirstName, txtRoomNumber, txtGuestID, txtReferTime,
                         txtSelect[0], txtSelect[1], txtSelect[2], txtActualCCN})
        connect(e, &QLineEdit::textEdited, this, &frmLogbook::markChanged);
    for (QPlainTextEdit* e : {txtLogEntry, txtDescription, txtMsgNotes})
        connect(e, &QPlainTextEdit::textChanged, this, &frmLogbook::markChanged);
    connect(cboGroup, &QComboBox::currentIndexChanged, this, &frmLogbook::markChanged);
}

void frmLogbook::fillLists() {
    m_loading = true;
    cboTypes->clear();
    lstTypes->clear();
    lstTypes10->clear();
    cboTypes->addItem(QString(), 0);
    for (const Category& c : GetLogbookTypes(m_ctx.db(), m_viewer)) {
        cboTypes->addItem(c.name, c.id);
        lstTypes->addItem(c.name);
    }
    fillNotified();
    cboGroup->clear();
    cboGroup->addItem(QString(), 0);
    if (m_hooks.groups)
        for (const auto& [id, name] : m_hooks.groups())
            cboGroup->addItem(name, id);
    m_loading = false;
}

void frmLogbook::fillNotified() {
    const bool wasLoading = m_loading;
    m_loading = true;
    const QString typed = cboNotified->currentText();
    cboNotified->clear();
    cboNotified->addItem(QString());
    cboNotified->addItems(LogbookStore(m_ctx).NotifiedValues());
    cboNotified->setEditText(typed);
    m_loading = wasLoading;
}

bool frmLogbook::isGuestViewer() const {
    return IsGuestViewer(m_ctx.session);
}

void frmLogbook::showNew() {
    m_entry = LogEntry();
    m_entry.enteredBy = m_ctx.session.name;
    m_entry.initials = m_ctx.session.initials;
    m_entry.referDate = Formats::StoredDate(m_ctx.clock().today());
    const QDateTime now = m_ctx.clock().now();
    m_entry.entryDate = Formats::StoredDate(now.date());
    m_entry.entryTime = Formats::Time24(now.time());
    m_source = LogSource::Current;
    m_loadedType.clear();
    showEntry();
}

bool frmLogbook::load(qint64 logId, LogSource source, const QString& keepNote) {
    auto e = LogbookStore(m_ctx, &m_hooks).GetTheLogEntry(logId, source);
    if (!e) return false;
    m_entry = *e;
    m_source = source;
    m_loadedType = e->entryType;
    showEntry();
    if (!keepNote.isEmpty()) {
        txtDescription->setPlainText(keepNote);
        m_changed = true;
    }
    return true;
}

void frmLogbook::showEntry() {
    m_loading = true;
    const LogEntry& e = m_entry;
    lblLogBookID->setText(QString::number(e.logId));
    lblWhoEntered->setText(e.enteredBy);
    const QDateTime created(Formats::ParseStoredDate(e.entryDate), Formats::ParseTime(e.entryTime));
    lblWhenEntered->setText(Formats::LongDate(created.date()) + "   " +
                            Formats::Time12(created.time()));
    lblCancelValue->setText(e.cancelled ? "True" : "False");
    lblProfileID->setText(QString::number(e.profileId));
    lblEntryType->setText(e.entryType);
    lblGroupID->setText(QString::number(e.groupId));
    lblContactID->setText(QString::number(e.contactId));
    txtLastName->setText(e.lastName);
    txtFirstName->setText(e.firstName);
    txtRoomNumber->setText(e.roomNumber);
    txtGuestID->setText(e.guestId);
    txtSelect[0]->setText(shownDate(e.referDate));
    txtSelect[1]->setText(shownDate(e.arrivalDate));
    txtSelect[2]->setText(shownDate(e.departureDate));
    txtReferTime->setText(e.referTime);
    cboNotified->setEditText(e.notified);
    const int group = cboGroup->findData(e.groupId);
    cboGroup->setCurrentIndex(group < 0 ? 0 : group);
    // An entry of a category the member may not pick still shows its category.
    if (!e.entryType.isEmpty() && cboTypes->findText(e.entryType, Qt::MatchFixedString) < 0)
        cboTypes->addItem(e.entryType, GetLogTypeID(m_ctx.db(), e.entryType));
    cboTypes->setCurrentIndex(
        e.entryType.isEmpty() ? 0 : cboTypes->findText(e.entryType, Qt::MatchFixedString));
    lblLogTypeID->setText(QString::number(cboTypes->currentData().toLongLong()));
    txtLogEntry->setPlainText(ToDisplayText(e.text));
    txtDescription->clear();
    txtMsgNotes->setPlainText(ToDisplayText(e.msgNotes));
    setStatusBoxes({e.complete, e.pending, e.onHold, e.cancelled});
    lblShowEncCC->setText(e.encCC.isEmpty() ? QString() : QString("Card on file"));
    txtActualCCN->clear();
    m_carriedCard.clear();
    lblTNotes->clear();
    m_statusUnread = false;
    cmdOK->hide();
    loadHistory();
    applyMode();
    showLinks();
    m_loading = false;
    m_changed = false;
}

void frmLogbook::applyMode() {
    const bool archived = m_source == LogSource::Archive;
    bool readOnly = archived || isGuestViewer() || m_ctx.session.readOnly;
    if (!archived && !m_entry.entryType.isEmpty() && m_entry.logId > 0)
        readOnly =
            readOnly || IsLogTypeReadOnly(m_ctx.db(), GetLogTypeID(m_ctx.db(), m_entry.entryType));
    m_readOnly = readOnly;
    lblArchived->setVisible(archived);
    cmdSaveAText->setVisible(archived && !isGuestViewer());
    for (QWidget* w : std::initializer_list<QWidget*>{cmdSave, cmdSaveAndExit, cmdDelete, cmdClear})
        w->setVisible(!readOnly);
    imgReminder->setVisible(!archived);
    cmdDelete->setEnabled(m_entry.logId > 0);
    for (QLineEdit* e : {txtLastName, txtFirstName, txtRoomNumber, txtGuestID, txtReferTime,
                         txtSelect[0], txtSelect[1], txtSelect[2]})
        e->setReadOnly(readOnly);
    for (QPlainTextEdit* e : {txtLogEntry, txtMsgNotes})
        e->setReadOnly(readOnly);
    // An archived entry still takes a note, which goes to the archive.
    txtDescription->setReadOnly(readOnly && !archived);
    for (QWidget* w : std::initializer_list<QWidget*>{
             cboTypes, cboNotified, cboGroup, lstTypes, lstTypes10, chkComplete, chkPending,
             chkOnHold, chkCancelled, cmdShowProfile, cmdDeselectProfile, cmdShowEncCC, cmdOther})
        w->setEnabled(!readOnly);
    cmdShowEncCC->setVisible(bool(m_hooks.showCard) && !m_entry.encCC.isEmpty());
    imgCorrespondence->setVisible(!archived);
    for (QWidget* w : std::initializer_list<QWidget*>{imgOpenTable, imgOTEntry, picDropDown[0],
                                                      picDropDown[1], picDropDown[2]})
        w->setEnabled(!readOnly);
    cmdSpellCheck->setEnabled(!txtDescription->isReadOnly());

    // Cards are typed only where the card subsystem can protect them.
    if (auto* form = qobject_cast<QFormLayout*>(txtActualCCN->parentWidget()->layout()))
        form->setRowVisible(txtActualCCN, bool(m_hooks.encryptCard) && !readOnly);
}

void frmLogbook::setCategoryRanking(const QStringList& ranking) {
    lstTypes10->clear();
    try {
        lstTypes10->addItems(GetLogbookTypes10(m_ctx.db(), m_viewer, ranking));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetLogbookTypes10", "modDatabase");
    }
}

void frmLogbook::prefill(const LogEntry& v) {
    m_loading = true;
    if (!v.lastName.isEmpty()) txtLastName->setText(v.lastName);
    if (!v.firstName.isEmpty()) txtFirstName->setText(v.firstName);
    if (!v.roomNumber.isEmpty()) txtRoomNumber->setText(v.roomNumber);
    if (!v.guestId.isEmpty()) txtGuestID->setText(v.guestId);
    if (!v.arrivalDate.isEmpty()) txtSelect[1]->setText(shownDate(v.arrivalDate));
    if (!v.departureDate.isEmpty()) txtSelect[2]->setText(shownDate(v.departureDate));
    if (!v.referDate.isEmpty()) txtSelect[0]->setText(shownDate(v.referDate));
    m_entry.profileId = v.profileId ? v.profileId : m_entry.profileId;
    m_entry.contactId = v.contactId ? v.contactId : m_entry.contactId;
    m_entry.groupId = v.groupId ? v.groupId : m_entry.groupId;
    lblProfileID->setText(QString::number(m_entry.profileId));
    lblGroupID->setText(QString::number(m_entry.groupId));
    lblContactID->setText(QString::number(m_entry.contactId));
    m_loading = false;
    if (!v.entryType.isEmpty()) cboTypes->setCurrentText(v.entryType);
    showContactNotes();
}

void frmLogbook::markChanged() {
    if (m_loading) return;
    m_changed = true;
}

QString frmLogbook::typeName() const {
    return cboTypes->currentText().trimmed();
}

void frmLogbook::setStatusBoxes(const StatusFlags& f) {
    chkComplete->setChecked(f.complete);
    chkPending->setChecked(f.pending);
    chkOnHold->setChecked(f.onHold);
    chkCancelled->setChecked(f.cancelled);
}

void frmLogbook::statusClicked(int box, bool ticked) {
    const StatusFlags before{chkComplete->isChecked(), chkPending->isChecked(),
                             chkOnHold->isChecked(), chkCancelled->isChecked()};
    setStatusBoxes(ApplyStatusClick(before, StatusBox(box), ticked));
    markChanged();
}

void frmLogbook::categoryChosen(const QString& name) {
    if (m_entry.logId > 0 && !m_loadedType.isEmpty() &&
        name.compare(m_loadedType, Qt::CaseInsensitive) != 0 && !name.isEmpty()) {
        const Answer a =
            m_ctx.prompt().ask("Do you REALLY wish to change the Type of this Reservation from " +
                               m_loadedType + " to " + name + "?");
        if (a != Answer::Yes) {
            m_loading = true;
            cboTypes->setCurrentText(m_loadedType);
            m_loading = false;
            return;
        }
    }
    lblLogTypeID->setText(QString::number(cboTypes->currentData().toLongLong()));
    markChanged();
    try {
        // The category's tickler notes for the date must be acknowledged.
        lblTNotes->clear();
        m_statusUnread = false;
        cmdOK->hide();
        const QString date = storedDate(txtSelect[0]->text());
        if (m_hooks.categoryTicklers && !date.isEmpty() && !name.isEmpty()) {
            const QStringList notes =
                m_hooks.categoryTicklers(GetLogTypeID(m_ctx.db(), name), date);
            if (!notes.isEmpty()) {
                lblTNotes->setText(notes.join("\n"));
                m_statusUnread = true;
                cmdOK->show();
            }
        }
        checkDayLimit();
        loadDesign();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cboTypes_Click", FormName, true);
    }
}

void frmLogbook::cmdOK_Click() {
    m_statusUnread = false;
    m_contactUnread = false;
    cmdOK->hide();
}

void frmLogbook::referDateLeft() {
    if (m_loading || m_readOnly) return;
    try {
        showContactNotes();
        checkDayLimit();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "txtSelect_LostFocus", FormName, true);
    }
}

void frmLogbook::arrivalDateLeft() {
    if (m_loading || m_readOnly || m_entry.logId != 0) return;
    try {
        if (GetBooleanSetting(m_ctx.db(), "DoNotSyncRefDate")) return;
        // A new entry is usually for the stay: a reference date before the
        // arrival follows the arrival.
        const QDate arrival = Formats::ParseShortDate(txtSelect[1]->text());
        const QDate refer = Formats::ParseShortDate(txtSelect[0]->text());
        if (arrival.isValid() && (!refer.isValid() || refer < arrival)) {
            txtSelect[0]->setText(Formats::ShortDate(arrival));
            checkDayLimit();
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "txtSelect_LostFocus", FormName, true);
    }
}

void frmLogbook::checkDayLimit() {
    const QString date = storedDate(txtSelect[0]->text());
    const QString category = typeName();
    if (date.isEmpty() || category.isEmpty()) return;
    const int limit = GetLogTypeDayLogs(m_ctx.db(), category);
    if (limit <= 0) return;
    const int count = LogbookStore(m_ctx).CountTypeEntriesOnDate(date, category);
    if (auto message = DayLimitMessage(limit, category, count))
        m_ctx.prompt().message(*message); // a warning: the save stays possible
}

void frmLogbook::referTimeLeft() {
    if (m_loading || m_readOnly) return;
    const TimeResult r = FormatReferTime(txtReferTime->text());
    if (r.ok) {
        txtReferTime->setText(r.value);
        return;
    }
    m_ctx.prompt().message(r.message, InvalidReferTimeTitle, Icon::Exclamation);
}

void frmLogbook::loadHistory() {
    grdHistory->clearRows();
    if (m_entry.logId <= 0) return;
    int n = 0;
    for (const HistoryRow& h : LogbookStore(m_ctx).GetTheLogbookHistory(m_entry.logId, m_source))
        grdHistory->setRow(++n, {h.logDateTime, h.initials, h.reason}, {}, {}, false);
}

void frmLogbook::gatherInto(LogEntry& e) const {
    e.lastName = txtLastName->text().trimmed();
    e.firstName = txtFirstName->text().trimmed();
    e.roomNumber = txtRoomNumber->text().trimmed();
    e.guestId = txtGuestID->text().trimmed();
    e.referDate = storedDate(txtSelect[0]->text());
    e.arrivalDate = storedDate(txtSelect[1]->text());
    e.departureDate = storedDate(txtSelect[2]->text());
    e.referTime = txtReferTime->text().trimmed();
    e.notified = cboNotified->currentText().trimmed().left(50);
    e.groupId = cboGroup->currentData().toLongLong();
    e.entryType = typeName();
    e.complete = chkComplete->isChecked();
    e.pending = chkPending->isChecked();
    e.onHold = chkOnHold->isChecked();
    e.cancelled = chkCancelled->isChecked();
    e.msgNotes = ToStoredText(txtMsgNotes->toPlainText());
    e.text = ToStoredText(txtLogEntry->toPlainText());
}

bool frmLogbook::cmdSave_Click() {
    if (isGuestViewer() || m_readOnly) return false;
    Prompt& prompt = m_ctx.prompt();
    if (m_contactUnread) {
        prompt.message(MsgAcknowledgeContactBeforeSave);
        return false;
    }
    if (m_statusUnread) {
        prompt.message(MsgAcknowledgeCategoryBeforeSave);
        return false;
    }
    // A time still being typed is checked before the save, as on leaving the box.
    const TimeResult time = FormatReferTime(txtReferTime->text());
    if (!time.ok) {
        prompt.message(time.message, InvalidReferTimeTitle, Icon::Exclamation);
        return false;
    }
    txtReferTime->setText(time.value);

    if (m_hooks.checkFormCCFields) m_hooks.checkFormCCFields(this, "Logbook", m_entry.logId);

    EntryCheck check;
    check.descriptiveText = txtDescription->toPlainText();
    check.guestId = txtGuestID->text();
    check.category = typeName();
    check.referDate = txtSelect[0]->text();
    check.arrivalDate = txtSelect[1]->text();
    check.departureDate = txtSelect[2]->text();
    check.isNew = m_entry.logId == 0;
    try {
        check.guestIdMandatory = GetBooleanSetting(m_ctx.db(), "UseGuestIDMand");
        const QString refusal = ValidateEntry(check, m_ctx.clock().today());
        if (!refusal.isEmpty()) {
            prompt.message(refusal);
            return false;
        }

        LogEntry e = m_entry;
        gatherInto(e);
        const QString note = ToStoredText(txtDescription->toPlainText());
        e.text = ComposeEntryText(e.text, note, m_ctx.session.initials, m_ctx.clock().now());
        LogbookStore store(m_ctx, &m_hooks);
        // A number typed now wins over the one a clone carried.
        const QString card =
            txtActualCCN->text().trimmed().isEmpty() ? m_carriedCard : txtActualCCN->text();
        if (e.logId == 0) {
            store.InsertLogBook(e, card);
        } else {
            // The first member to save an entry of the web interface takes it over.
            if (e.text.contains("~~~ Entry was added by Web Interface") &&
                store.CountLogbookHistory(e.logId) == 0 &&
                store.Fingerprint(e.logId) == e.fingerprint) {
                store.UpdateWebLogBookName(e.logId);
                e.enteredBy = m_ctx.session.name;
                e.initials = m_ctx.session.initials;
                e.fingerprint = store.Fingerprint(e.logId);
            }
            const SaveOutcome outcome =
                store.UpdateLogBook(e, lblCancelValue->text() == "True", card);
            if (outcome == SaveOutcome::Gone) {
                prompt.message(MsgEntryGone, {}, Icon::Exclamation);
                return false;
            }
            if (outcome == SaveOutcome::Changed) {
                if (prompt.ask(MsgChangedElsewhere, {}, Buttons::YesNo, Icon::Exclamation,
                               Answer::No) == Answer::Yes)
                    load(e.logId, LogSource::Current, txtDescription->toPlainText());
                return false;
            }
        }
        m_entry = e;
        m_loadedType = e.entryType;
        showEntry();
        Q_EMIT entrySaved(e.logId);
        return true;
    } catch (const DbError& err) {
        ReportError(prompt, err, "cmdSave_Click", FormName, true);
        return false;
    }
}

void frmLogbook::cmdSaveAndExit_Click() {
    if (cmdSave_Click()) accept();
}

void frmLogbook::cmdClear_Click() {
    if (!keepOrDiscardChanges()) return;
    showNew();
}

void frmLogbook::cmdDelete_Click() {
    if (m_entry.logId <= 0 || m_readOnly) return;
    if (m_ctx.prompt().ask(MsgDeleteEntry) != Answer::Yes) return;
    try {
        const LogEntry& e = m_entry;
        if (!LogbookStore(m_ctx, &m_hooks).DeleteLogbookEntry(e.logId)) {
            m_ctx.prompt().message(MsgEntryGone, {}, Icon::Exclamation);
            return;
        }
        // Logged once the entry is really gone.
        LogMessage(m_ctx.start.databaseFolder,
                   "User: " + m_ctx.session.name + " Deleted the Logbook Entry for: " +
                       e.firstName + " " + e.lastName + " for the Reference Date: " + e.referDate +
                       " for the Logbook Category: " + e.entryType +
                       " on: " + Formats::AuditStamp(m_ctx.clock().now()) +
                       " at PC Named: " + m_ctx.workstation.computerName,
                   m_ctx.clock());
        const qint64 id = e.logId;
        m_changed = false;
        Q_EMIT entryDeleted(id);
        accept();
    } catch (const DbError& err) {
        ReportError(m_ctx.prompt(), err, "cmdDelete_Click", FormName, true);
    }
}

void frmLogbook::cmdCloneEntry_Click() {
    // The card goes along as a clear number only: its cipher is bound to the old
    // entry's id, so the clone's first save encrypts it again under the new id.
    QString carried;
    const bool hasCard = !m_entry.encCC.trimmed().isEmpty();
    if (hasCard && m_hooks.encryptCard && m_hooks.decryptCard) {
        try {
            if (!MayDo(m_ctx, Rights::LogbookCloneCards)) {
                m_ctx.prompt().message(MsgCloneCards); // cloned without the card
            } else {
                switch (AskCloneCardPassword(m_ctx)) {
                case CloneCardAnswer::Refused:
                    return;
                case CloneCardAnswer::Skip:
                    break;
                case CloneCardAnswer::Carry:
                    carried = m_hooks.decryptCard(m_entry.encCC, m_entry.logId);
                    if (carried.isEmpty()) return; // the cipher has shown its failure
                    break;
                }
            }
        } catch (const DbError& err) {
            ReportError(m_ctx.prompt(), err, "cmdCloneEntry_Click", FormName, true);
            return;
        }
    }
    LogEntry e = m_entry;
    gatherInto(e);
    e.text = ToStoredText(txtLogEntry->toPlainText());
    becomeNew(e);
    m_entry = e;
    m_source = LogSource::Current;
    m_loadedType.clear();
    showEntry();
    m_carriedCard = carried;
    if (!carried.isEmpty()) lblShowEncCC->setText("Card carried over");
    m_changed = true;
}

bool frmLogbook::keepOrDiscardChanges() {
    if (!m_changed || m_readOnly || isGuestViewer()) return true;
    if (m_ctx.prompt().ask(MsgSaveChanges) != Answer::Yes) return true; // discarded
    return cmdSave_Click(); // a save that fails keeps the screen as it is
}

void frmLogbook::setNextEntry(std::function<qint64(qint64)> next, LogSource listSource) {
    m_next = std::move(next);
    m_nextSource = listSource;
    imgNext->setVisible(bool(m_next));
}

void frmLogbook::imgNext_Click() {
    if (!m_next) return;
    const qint64 next = m_next(m_entry.logId);
    if (next <= 0 || !keepOrDiscardChanges()) return;
    try {
        if (!load(next, m_nextSource)) {
            m_ctx.prompt().message(MsgNextGone, {}, Icon::Exclamation);
            return;
        }
        Q_EMIT movedTo(next);
    } catch (const DbError& err) {
        ReportError(m_ctx.prompt(), err, "imgNext_Click", FormName, true);
    }
}

void frmLogbook::cmdOther_Click() {
    LogbookStore store(m_ctx);
    bool untouched = false; // the saved entry is as this screen read it
    try {
        if (!MayDoOrSay(m_ctx, Rights::LogbookNotifications, MsgMaintainNotifications)) return;
        untouched = m_entry.logId > 0 && m_source == LogSource::Current &&
                    store.Fingerprint(m_entry.logId) == m_entry.fingerprint;
    } catch (const DbError& err) {
        ReportError(m_ctx.prompt(), err, "cmdOther_Click", FormName, true);
        return;
    }
    NotifiedValuesDialog dialog(m_ctx, this);
    dialog.exec();
    if (!dialog.listChanged()) return;
    try {
        fillNotified();
        // A renamed value was renamed in the entries too, this one included
        // (followed through every rename made in the editor).
        const auto renamed = [&dialog](QString value) {
            for (int step = 0; step < dialog.renamed().size(); ++step) {
                const auto to = dialog.renamed().constFind(value.trimmed().toLower());
                if (to == dialog.renamed().constEnd()) break;
                value = *to;
            }
            return value;
        };
        const bool wasLoading = m_loading;
        m_loading = true;
        const QString shown = cboNotified->currentText().trimmed();
        if (!shown.isEmpty()) cboNotified->setEditText(renamed(shown));
        m_loading = wasLoading;
        const QString stored = renamed(m_entry.notified);
        if (stored != m_entry.notified) {
            m_entry.notified = stored;
            if (untouched) m_entry.fingerprint = store.Fingerprint(m_entry.logId);
        }
    } catch (const DbError& err) {
        ReportError(m_ctx.prompt(), err, "GetOtherData", FormName, true);
    }
}

void frmLogbook::cmdSaveAText_Click() {
    if (m_source != LogSource::Archive) return;
    Prompt& prompt = m_ctx.prompt();
    const QString note = ToStoredText(txtDescription->toPlainText());
    if (note.trimmed().isEmpty()) {
        prompt.message(MsgArchiveNoteEmpty);
        return;
    }
    if (HasNoteSeparator(note)) {
        prompt.message(MsgSeparator);
        return;
    }
    try {
        const QString text =
            ComposeArchiveNote(m_entry.text, note, m_ctx.session.initials, m_ctx.clock().now());
        LogbookStore(m_ctx).UpdateArchiveText(m_entry.logId, text);
        load(m_entry.logId, LogSource::Archive);
    } catch (const DbError& err) {
        ReportError(prompt, err, "cmdSaveAText_Click", FormName, true);
    }
}

void frmLogbook::cmdUnsentMsg_Click() {
    if (!MayDoOrSay(m_ctx, Rights::LogbookViewMessages, MsgViewMessages)) return;
    if (m_entry.logId <= 0) {
        m_ctx.prompt().message(MsgNotSavedNoMessages);
        return;
    }
    frmLogbookMsgs msgs(m_ctx, m_entry.logId, m_source, this);
    msgs.exec();
}

void frmLogbook::imgReminder_Click() {
    if (isGuestViewer() || m_ctx.session.restricted) {
        m_ctx.prompt().message(MsgNoMessaging);
        return;
    }
    if (GetBooleanSetting(m_ctx.db(), "NoMessaging")) return;
    if (!MayDoOrSay(m_ctx, Rights::LogbookSendMessages, MsgSendMessages)) return;
    if (m_entry.logId <= 0) {
        m_ctx.prompt().message(MsgSaveBeforeReminder);
        return;
    }
    if (m_hooks.sendMessage) m_hooks.sendMessage(m_entry.logId, this);
}

void frmLogbook::imgPrint_Click() {
    ChooseEntryOutput(m_ctx, m_hooks, m_entry, OutputAction::Print, imgPrint);
}

void frmLogbook::imgEmail_Click() {
    ChooseEntryOutput(m_ctx, m_hooks, m_entry, OutputAction::Email, imgEmail);
}

void frmLogbook::cmdShowProfile_Click() {
    // A linked profile opens (editable with right 7); otherwise one is picked.
    if (m_entry.profileId > 0) {
        if (!MayDoOrSay(m_ctx, Rights::LogbookLinkProfile, MsgLinkProfile)) return;
        if (m_hooks.showProfile)
            m_hooks.showProfile(m_entry.profileId, MayDo(m_ctx, Rights::LogbookEditProfile), this);
        return;
    }
    if (!MayDoOrSay(m_ctx, Rights::LogbookSelectProfile, MsgSelectProfile)) return;
    if (!m_hooks.selectProfile) return;
    if (auto p = m_hooks.selectProfile(this)) {
        m_entry.profileId = p->profileId;
        lblProfileID->setText(QString::number(p->profileId));
        txtLastName->setText(p->lastName);
        txtFirstName->setText(p->firstName);
        if (!p->roomNumber.isEmpty()) txtRoomNumber->setText(p->roomNumber);
        if (!p->guestId.isEmpty()) txtGuestID->setText(p->guestId);
        m_changed = true;
        showLinks();
    }
}

void frmLogbook::cmdDeselectProfile_Click() {
    if (m_entry.profileId <= 0 || m_readOnly) return;
    if (!MayDoOrSay(m_ctx, Rights::LogbookDeselectProfile, MsgDeselectProfile)) return;
    m_ctx.prompt().message(MsgDeselectKeepsGroup);
    m_entry.profileId = 0;
    lblProfileID->setText("0");
    m_changed = true;
    showLinks();
}

void frmLogbook::cmdShowEncCC_Click() {
    if (m_entry.logId <= 0) {
        m_ctx.prompt().message("Entry must be <Saved> before the credit card may be decrypted.");
        return;
    }
    if (!MayDoOrSay(m_ctx, Rights::LogbookCloneCards,
                    "You are not authorized to Decrypt Credit Card Numbers."))
        return;
    if (m_hooks.showCard && !m_entry.encCC.isEmpty())
        m_hooks.showCard(m_entry.logId, m_entry.encCC, this);
}

QString frmLogbook::dumpRecord() {
    const auto typed =
        m_ctx.prompt().input("Please enter a password to continue.", "Password Entry", {}, true);
    if (!typed || *typed != RecordDumpCodeWord || m_entry.logId <= 0) return {};
    try {
        const QString text = GetLogbookRecordText(
            m_source == LogSource::Archive ? *m_ctx.archive : m_ctx.db(), m_entry.logId);
        const QString file = m_ctx.workstation.outputFolder() + "LogbookRecord.txt";
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
        out.write(text.toUtf8());
        out.close();
        QDesktopServices::openUrl(QUrl::fromLocalFile(file));
        return file;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetLogbookRecordText", "modDatabase");
        return {};
    }
}

void frmLogbook::limoBillingCodes() {
    try {
        if (GetVmSetting(m_ctx.db(), "OdsLimoInterface", "false")
                .compare("true", Qt::CaseInsensitive))
            return;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "Form_KeyDown", FormName, true);
        return;
    }
    if (!m_hooks.limoBillingCodes) {
        m_ctx.prompt().message("The limousine billing codes are not available: the limousine "
                               "interface module is not installed.");
        return;
    }
    m_hooks.limoBillingCodes(m_entry.logId, this);
}

bool frmLogbook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (m_statusUnread || m_contactUnread) && !m_readOnly) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (!typed.isEmpty() && typed.at(0).isPrint()) {
            m_ctx.prompt().message(m_contactUnread ? MsgAcknowledgeContactFirst
                                                   : MsgAcknowledgeCategoryFirst);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmLogbook::closeEvent(QCloseEvent* e) {
    if (m_changed && !m_readOnly && !isGuestViewer()) {
        const Answer a = m_ctx.prompt().ask(MsgDataChanged, {}, Buttons::YesNo);
        // A save that fails keeps the screen open with the changes.
        if (a == Answer::Yes && !cmdSave_Click()) {
            e->ignore();
            return;
        }
    }
    m_changed = false;
    e->accept();
}

// ---------------------------------------------------------------- frmLogbookMsgs

frmLogbookMsgs::frmLogbookMsgs(AppContext& ctx, qint64 logId, LogSource source, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmLogbookMsgs");
    setWindowTitle("Logbook History and Messages");
    auto* layout = new QVBoxLayout(this);
    grdHistory = named(new DataGrid, "grdHistory");
    grdHistory->setHeaders({"History Date & Time", "Initials", "Reason"});
    grdMessages = named(new DataGrid, "grdMessages");
    grdMessages->setHeaders({"Message Date & Time", "Sent to", "Sent From"});
    layout->addWidget(grdHistory);
    layout->addWidget(grdMessages);
    try {
        LogbookStore store(ctx);
        int n = 0;
        for (const HistoryRow& h : store.GetTheLogbookHistory(logId, source))
            grdHistory->setRow(++n, {h.logDateTime, h.initials, h.reason}, {}, {}, false);
        n = 0;
        if (source == LogSource::Current)
            for (const MessageRow& m : store.GetTheLogbookMessages(logId))
                grdMessages->setRow(++n, {m.msgDateTime, m.conciergeName, m.sentFrom}, {}, {},
                                    false);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "Form_Load", "frmLogbookMsgs", true);
    }
}

} // namespace vm
