#include "logbook/forms/frmLogbook.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "core/TextLog.h"
#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"
#include "logbook/LogbookStore.h"
#include "logbook/forms/DesignFieldsPanel.h"
#include "logbook/forms/EntryCardPanel.h"
#include "logbook/forms/EntryCategoryPanel.h"
#include "logbook/forms/EntryContactPanel.h"
#include "logbook/forms/EntryDatesPanel.h"
#include "logbook/forms/EntryGuestPanel.h"
#include "logbook/forms/EntryLinksPanel.h"
#include "logbook/forms/EntryOutput.h"
#include "logbook/forms/EntryStatusPanel.h"
#include "logbook/forms/EntryTextsPanel.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/WidgetPrompt.h"
#include "security/CardStore.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmLogbook");

// The category's tickler notes for the reference date must be acknowledged
// (`statusUnread`); a contact's note still waiting keeps its <OK>.
void showCategoryNotes(EntryCategoryPanel* category, EntryDatesPanel* dates,
                       const LogbookScreenHooks& hooks, bool readOnly, bool contactUnread,
                       bool& statusUnread) {
    category->clearNotes();
    statusUnread = false;
    const QString date = dates->stored(EntryDatesPanel::Reference);
    if (hooks.categoryTicklers && !readOnly && !date.isEmpty() && !category->current().isEmpty()) {
        const QStringList notes = hooks.categoryTicklers(category->currentId(), date);
        if (!notes.isEmpty()) {
            category->showNotes(notes);
            statusUnread = true;
        }
    }
    if (contactUnread) category->askForOk();
}
} // namespace

frmLogbook::frmLogbook(AppContext& ctx, const LogbookScreenHooks& hooks, qint64 logId,
                       LogSource source, QWidget* parent)
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
    top->addLayout(identity);

    Database& db = m_ctx.db();
    auto* middle = new QHBoxLayout;
    auto* guestColumn = new QVBoxLayout;
    guestColumn->addWidget(m_guest = new EntryGuestPanel(GetBooleanSetting(db, "IsResidential")));
    guestColumn->addWidget(m_card = new EntryCardPanel);
    middle->addLayout(guestColumn);
    middle->addWidget(m_dates = new EntryDatesPanel(m_ctx));
    middle->addWidget(m_category = new EntryCategoryPanel);
    top->addLayout(middle);
    top->addWidget(m_status = new EntryStatusPanel(
                       GetVmSetting(db, "OnHoldName", "On Hold").remove(':').trimmed()));

    top->addWidget(m_contact = new EntryContactPanel(m_ctx));

    auto* body = new QHBoxLayout;
    body->addWidget(m_texts = new EntryTextsPanel(m_ctx), 3);
    body->addWidget(m_links = new EntryLinksPanel(m_ctx.prompt(), m_hooks, m_texts->entryTextBox()),
                    2);
    top->addLayout(body, 1);
    top->addWidget(buildActions());

    connect(m_guest, &EntryGuestPanel::edited, this, &frmLogbook::markChanged);
    connect(m_card, &EntryCardPanel::edited, this, &frmLogbook::markChanged);
    connect(m_dates, &EntryDatesPanel::edited, this, &frmLogbook::markChanged);
    connect(m_status, &EntryStatusPanel::edited, this, &frmLogbook::markChanged);
    connect(m_texts, &EntryTextsPanel::edited, this, &frmLogbook::markChanged);
    connect(m_links->design(), &DesignFieldsPanel::valueEdited, this, &frmLogbook::markChanged);
    connect(m_links->design(), &DesignFieldsPanel::printFormRequested, this,
            &frmLogbook::imgDEForm_Click);
    connect(m_guest, &EntryGuestPanel::profileClicked, this, &frmLogbook::cmdShowProfile_Click);
    connect(m_guest, &EntryGuestPanel::deselectClicked, this,
            &frmLogbook::cmdDeselectProfile_Click);
    connect(m_guest, &EntryGuestPanel::itineraryClicked, this, [this] {
        if (!m_hooks.openGuestItinerary) {
            m_ctx.prompt().message("Guest itineraries are not available: the itinerary module "
                                   "is not installed.");
            return;
        }
        m_hooks.openGuestItinerary(m_guest->guestId().trimmed(), this);
    });
    connect(m_card, &EntryCardPanel::showCardClicked, this, &frmLogbook::cmdShowEncCC_Click);
    connect(m_dates, &EntryDatesPanel::referDateLeft, this, &frmLogbook::referDateLeft);
    connect(m_dates, &EntryDatesPanel::arrivalDateLeft, this, &frmLogbook::arrivalDateLeft);
    connect(m_dates, &EntryDatesPanel::maintainNotifiedClicked, this, &frmLogbook::cmdOther_Click);
    connect(m_category, &EntryCategoryPanel::chosen, this, [this](const QString& name) {
        if (!m_loading) categoryChosen(name);
    });
    connect(m_category, &EntryCategoryPanel::acknowledged, this, &frmLogbook::cmdOK_Click);
    connect(m_links, &EntryLinksPanel::docLinkClicked, this, &frmLogbook::cmdDocLink_Click);
    connect(m_links, &EntryLinksPanel::documentActivated, this, &frmLogbook::openDocument);
    connect(m_links, &EntryLinksPanel::openTableClicked, this, &frmLogbook::imgOpenTable_Click);
    connect(m_links, &EntryLinksPanel::otEntryClicked, this, &frmLogbook::imgOTEntry_Click);
    connect(m_contact, &EntryContactPanel::pickClicked, this, &frmLogbook::cmdPickContact_Click);
    connect(m_contact, &EntryContactPanel::clearClicked, this, &frmLogbook::cmdClearContact_Click);

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
    m_texts->watchTyping(this);
}

QWidget* frmLogbook::buildActions() {
    auto* bar = new QWidget;
    auto* actions = new QHBoxLayout(bar);
    actions->setContentsMargins(0, 0, 0, 0);
    auto button = [&](const char* caption, const char* name) {
        auto* b = named(new QPushButton(caption), name);
        actions->addWidget(b);
        return b;
    };
    auto tool = [&](const char* caption, const char* name) {
        auto* b = named(new QToolButton, name);
        b->setText(caption);
        actions->addWidget(b);
        return b;
    };
    cmdSave = button("&Save", "cmdSave");
    cmdSaveAndExit = button("Save and E&xit", "cmdSaveAndExit");
    cmdClear = button("C&lear", "cmdClear");
    cmdDelete = button("&Delete", "cmdDelete");
    cmdCloneEntry = button("Cl&one", "cmdCloneEntry");
    cmdSaveAText = button("Add Archive &Note", "cmdSaveAText");
    cmdUnsentMsg = button("&History/Messages", "cmdUnsentMsg");
    imgReminder = tool("Message", "imgReminder");
    imgPrint = tool("Print", "imgPrint");
    imgEmail = tool("E-mail", "imgEmail");
    imgNext = tool("Next", "imgNext");
    imgNext->setToolTip("Go to the next entry of the list");
    imgNext->hide(); // shown when the screen was opened from a list
    cmdClone = button("&Repeat", "cmdClone");
    cmdClone->setToolTip("A new entry for the same guest and request, without the notes");
    cmdExport = button("Ex&port", "cmdExport");
    imgCorrespondence = tool("Letter", "imgCorrespondence");
    imgCorrespondence->setToolTip("Print the category's correspondence letter");
    imgMap = tool("Map", "imgMap");
    imgMap->setToolTip("Directions to the entry's contact");
    actions->addStretch();
    cmdExit = button("E&xit", "cmdExit");

    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdSaveAndExit, &QPushButton::clicked, this, &frmLogbook::cmdSaveAndExit_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmLogbook::cmdClear_Click);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::close);
    connect(cmdDelete, &QPushButton::clicked, this, &frmLogbook::cmdDelete_Click);
    connect(cmdCloneEntry, &QPushButton::clicked, this, &frmLogbook::cmdCloneEntry_Click);
    connect(cmdSaveAText, &QPushButton::clicked, this, &frmLogbook::cmdSaveAText_Click);
    connect(cmdUnsentMsg, &QPushButton::clicked, this, &frmLogbook::cmdUnsentMsg_Click);
    connect(imgPrint, &QToolButton::clicked, this, &frmLogbook::imgPrint_Click);
    connect(imgEmail, &QToolButton::clicked, this, &frmLogbook::imgEmail_Click);
    connect(imgReminder, &QToolButton::clicked, this, &frmLogbook::imgReminder_Click);
    connect(imgNext, &QToolButton::clicked, this, &frmLogbook::imgNext_Click);
    connect(cmdClone, &QPushButton::clicked, this, &frmLogbook::cmdClone_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmLogbook::cmdExport_Click);
    connect(imgCorrespondence, &QToolButton::clicked, this, &frmLogbook::imgCorrespondence_Click);
    connect(imgMap, &QToolButton::clicked, this, &frmLogbook::imgMap_Click);
    return bar;
}

void frmLogbook::fillLists() {
    m_loading = true;
    m_category->fill(GetLogbookTypes(m_ctx.db(), m_viewer));
    fillNotified();
    m_guest->fillGroups(m_hooks.groups ? m_hooks.groups()
                                       : std::vector<std::pair<qint64, QString>>{});
    m_loading = false;
}

void frmLogbook::fillNotified() {
    m_dates->fillNotified(LogbookStore(m_ctx).NotifiedValues());
}

bool frmLogbook::isGuestViewer() const {
    return IsGuestViewer(m_ctx.session);
}

void frmLogbook::showNew() {
    m_entry = LogEntry();
    becomeNew(m_entry);
    m_entry.referDate = Formats::StoredDate(m_ctx.clock().today());
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
        m_texts->setNote(keepNote);
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
    m_cancelledAsLoaded = e.cancelled;
    m_guest->show(e);
    m_dates->show(e);
    // An entry of a category the member may not pick still shows its category.
    m_category->show(e.entryType,
                     e.entryType.isEmpty() ? 0 : GetLogTypeID(m_ctx.db(), e.entryType));
    m_status->show({e.complete, e.pending, e.onHold, e.cancelled});
    m_texts->show(e);
    m_card->show(e, bool(m_hooks.showCard));
    m_carriedCard.clear();
    loadHistory();
    applyMode();
    showLinks();
    showCategoryNotes(m_category, m_dates, m_hooks, m_readOnly, m_contactUnread, m_statusUnread);
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
    imgCorrespondence->setVisible(!archived);
    cmdDelete->setEnabled(m_entry.logId > 0);
    m_guest->setReadOnly(readOnly);
    m_card->setReadOnly(readOnly, bool(m_hooks.encryptCard));
    m_dates->setReadOnly(readOnly);
    m_category->setReadOnly(readOnly);
    m_status->setReadOnly(readOnly);
    m_texts->setReadOnly(readOnly, archived); // an archived entry still takes a note
    m_links->setReadOnly(readOnly);
    m_contact->setReadOnly(readOnly, bool(m_hooks.selectContact));
}

void frmLogbook::setCategoryRanking(const QStringList& ranking) {
    try {
        m_category->setRanking(GetLogbookTypes10(m_ctx.db(), m_viewer, ranking));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetLogbookTypes10", "modDatabase");
    }
}

void frmLogbook::prefill(const LogEntry& v) {
    m_loading = true;
    m_guest->prefill(v);
    m_dates->prefill(v);
    if (v.profileId) m_entry.profileId = v.profileId;
    if (v.contactId) m_entry.contactId = v.contactId;
    m_contact->showContact(m_entry.contactId);
    if (v.groupId) m_entry.groupId = v.groupId;
    m_loading = false;
    if (!v.entryType.isEmpty()) m_category->choose(v.entryType);
    showContactNotes();
}

void frmLogbook::markChanged() {
    if (m_loading) return;
    m_changed = true;
}

void frmLogbook::categoryChosen(const QString& name) {
    if (m_entry.logId > 0 && !m_loadedType.isEmpty() &&
        name.compare(m_loadedType, Qt::CaseInsensitive) != 0 && !name.isEmpty()) {
        const Answer a =
            m_ctx.prompt().ask("Do you REALLY wish to change the Type of this Reservation from " +
                               m_loadedType + " to " + name + "?");
        if (a != Answer::Yes) {
            m_category->show(m_loadedType, GetLogTypeID(m_ctx.db(), m_loadedType));
            return;
        }
    }
    markChanged();
    try {
        showCategoryNotes(m_category, m_dates, m_hooks, m_readOnly, m_contactUnread,
                          m_statusUnread);
        checkDayLimit();
        loadDesign();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cboTypes_Click", FormName, true);
    }
}

void frmLogbook::cmdOK_Click() {
    m_statusUnread = false;
    m_contactUnread = false;
}

void frmLogbook::referDateLeft() {
    if (m_loading || m_readOnly) return;
    try {
        showContactNotes();
        showCategoryNotes(m_category, m_dates, m_hooks, m_readOnly, m_contactUnread,
                          m_statusUnread);
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
        const QDate arrival = Formats::ParseShortDate(m_dates->typed(EntryDatesPanel::Arrival));
        const QDate refer = Formats::ParseShortDate(m_dates->typed(EntryDatesPanel::Reference));
        if (arrival.isValid() && (!refer.isValid() || refer < arrival)) {
            m_dates->setDate(EntryDatesPanel::Reference, arrival);
            checkDayLimit();
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "txtSelect_LostFocus", FormName, true);
    }
}

void frmLogbook::checkDayLimit() {
    const QString date = m_dates->stored(EntryDatesPanel::Reference);
    const QString category = m_category->current();
    if (date.isEmpty() || category.isEmpty()) return;
    const int limit = GetLogTypeDayLogs(m_ctx.db(), category);
    if (limit <= 0) return;
    const int count = LogbookStore(m_ctx).CountTypeEntriesOnDate(date, category);
    if (auto message = DayLimitMessage(limit, category, count))
        m_ctx.prompt().message(*message); // a warning: the save stays possible
}

void frmLogbook::loadHistory() {
    m_texts->showHistory(m_entry.logId > 0
                             ? LogbookStore(m_ctx).GetTheLogbookHistory(m_entry.logId, m_source)
                             : std::vector<HistoryRow>{});
}

void frmLogbook::gatherInto(LogEntry& e) const {
    m_guest->gather(e);
    m_dates->gather(e);
    e.entryType = m_category->current();
    const StatusFlags f = m_status->flags();
    e.complete = f.complete;
    e.pending = f.pending;
    e.onHold = f.onHold;
    e.cancelled = f.cancelled;
    m_texts->gather(e);
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
    if (!m_dates->acceptReferTime()) return false;

    if (m_hooks.checkFormCCFields) m_hooks.checkFormCCFields(this, "Logbook", m_entry.logId);

    EntryCheck check;
    check.descriptiveText = m_texts->noteTyped();
    check.guestId = m_guest->guestId();
    check.category = m_category->current();
    check.referDate = m_dates->typed(EntryDatesPanel::Reference);
    check.arrivalDate = m_dates->typed(EntryDatesPanel::Arrival);
    check.departureDate = m_dates->typed(EntryDatesPanel::Departure);
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
        e.text =
            ComposeEntryText(e.text, m_texts->note(), m_ctx.session.initials, m_ctx.clock().now());
        // Ticked by this save (read before showEntry() takes the saved state as loaded).
        const bool cancelling = e.cancelled && !m_cancelledAsLoaded;
        if (!saveEntry(e)) return false;
        m_entry = e;
        m_loadedType = e.entryType;
        showEntry();
        Q_EMIT entrySaved(e.logId);
        // The limousine interface sends the saved entry and may write its
        // confirmation number into it: the screen then shows the entry as stored.
        if (m_hooks.limoDispatch && m_hooks.limoDispatch(e.logId, cancelling, this))
            load(e.logId, LogSource::Current);
        return true;
    } catch (const DbError& err) {
        ReportError(prompt, err, "cmdSave_Click", FormName, true);
        return false;
    }
}

// Writes `e`; answers false when another desk got there first (after the
// member's answer to the question about it).
bool frmLogbook::saveEntry(LogEntry& e) {
    LogbookStore store(m_ctx, &m_hooks);
    // A number typed now wins over the one a clone carried.
    const QString typed = m_card->typedNumber();
    const QString card = typed.trimmed().isEmpty() ? m_carriedCard : typed;
    if (e.logId == 0) {
        store.InsertLogBook(e, card);
        return true;
    }
    switch (store.UpdateLogBook(e, m_cancelledAsLoaded, card)) {
    case SaveOutcome::Saved:
        return true;
    case SaveOutcome::Gone:
        m_ctx.prompt().message(MsgEntryGone, {}, Icon::Exclamation);
        return false;
    case SaveOutcome::Changed:
        if (m_ctx.prompt().ask(MsgChangedElsewhere, {}, Buttons::YesNo, Icon::Exclamation,
                               Answer::No) == Answer::Yes)
            load(e.logId, LogSource::Current, m_texts->noteTyped());
        return false;
    }
    return false;
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
    becomeNew(e);
    m_entry = e;
    m_source = LogSource::Current;
    m_loadedType.clear();
    showEntry();
    m_carriedCard = carried;
    if (!carried.isEmpty()) m_card->setNote("Card carried over");
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

void frmLogbook::cmdSaveAText_Click() {
    if (m_source != LogSource::Archive) return;
    Prompt& prompt = m_ctx.prompt();
    const QString note = m_texts->note();
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
    std::function<void(QWidget*)> print;
    if (m_hooks.printMessages)
        print = [this, logId = m_entry.logId](QWidget* parent) {
            m_hooks.printMessages(logId, parent);
        };
    frmLogbookMsgs msgs(m_ctx, m_entry.logId, m_source, this, print);
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
    ChooseEntryOutput(m_ctx, m_hooks, m_entry, m_source, OutputAction::Print, imgPrint);
}

void frmLogbook::imgEmail_Click() {
    ChooseEntryOutput(m_ctx, m_hooks, m_entry, m_source, OutputAction::Email, imgEmail);
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

} // namespace vm
