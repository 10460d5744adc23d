// The entry screen's surroundings: the custom form of the category, linked
// documents, profile, card and contact details, the online reservation, the
// notification list, export, maps, the repeat clone and the hidden keys.

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "guests/DocumentLinks.h"
#include "guests/forms/frmContactDoc.h"
#include "logbook/DesignText.h"
#include "logbook/EntryRules.h"
#include "logbook/LogbookStore.h"
#include "logbook/NotifiedValues.h"
#include "logbook/forms/DesignFieldsPanel.h"
#include "logbook/forms/EntryCardPanel.h"
#include "logbook/forms/EntryCategoryPanel.h"
#include "logbook/forms/EntryContactPanel.h"
#include "logbook/forms/EntryDatesPanel.h"
#include "logbook/forms/EntryGuestPanel.h"
#include "logbook/forms/EntryLinksPanel.h"
#include "logbook/forms/EntryOutput.h"
#include "logbook/forms/NotifiedValuesDialog.h"
#include "logbook/forms/RecordDump.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/WidgetPrompt.h"

#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmLogbook");

} // namespace

frmLogbook::~frmLogbook() = default;

// Everything around the entry, after the entry's own fields are on screen.
void frmLogbook::showLinks() {
    m_links->showProfile(m_entry.profileId);
    m_links->showOnlineReservation(m_entry.openTableId);
    loadDesign();
    refreshDocuments();
    m_contact->showContact(m_entry.contactId);
    showContactNotes();
}

void frmLogbook::loadDesign() {
    DesignFieldsPanel* design = m_links->design();
    try {
        const qint64 typeId = GetLogTypeID(m_ctx.db(), m_category->current());
        design->setDesign(typeId > 0 ? GetLogbookBackPanelItems(m_ctx.db(), typeId)
                                     : std::vector<DesignItem>{});
        design->setReadOnly(m_readOnly);
        // A new choice of category on an entry with a contact: the design line
        // for contacts takes its details when it is still empty.
        const int line = design->contactLine();
        if (m_loading || m_readOnly || line < 0 || m_entry.contactId <= 0 ||
            !m_hooks.contactDetails || !design->values().value(line).isEmpty())
            return;
        design->setValue(line, m_hooks.contactDetails(m_entry.contactId));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetLogbookBackPanelItems", FormName, true);
    }
}

void frmLogbook::showContactNotes() {
    m_contactUnread = false;
    QStringList notes;
    const QString date = m_dates->stored(EntryDatesPanel::Reference);
    if (m_hooks.contactTicklers && m_entry.contactId > 0 && !date.isEmpty() && !m_readOnly)
        notes = m_hooks.contactTicklers(m_entry.contactId, date);
    m_links->showContactNotes(notes);
    if (notes.isEmpty()) return;
    m_contactUnread = true;
    m_category->askForOk();
}

void frmLogbook::refreshDocuments() {
    std::vector<DocumentLink> links;
    try {
        if (m_entry.logId > 0 && m_source == LogSource::Current)
            links = GetCDocuments(m_ctx, m_entry.logId, "L");
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetCDocuments", FormName, true);
    }
    m_links->showDocuments(links, !m_readOnly && m_source == LogSource::Current);
}

void frmLogbook::openDocument(qint64 id) {
    try {
        for (const DocumentLink& d : GetCDocuments(m_ctx, m_entry.logId, "L"))
            if (d.id == id) OpenDocumentLink(m_ctx, d);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "grdDocument_DblClick", FormName, true);
    }
}

void frmLogbook::cmdDocLink_Click() {
    if (m_readOnly || m_source != LogSource::Current) return;
    if (m_entry.logId <= 0) {
        m_ctx.prompt().message("Please save the Logbook Entry before adding Linked Documents, "
                               "thank you.");
        return;
    }
    const QString owner = (m_entry.firstName + " " + m_entry.lastName).trimmed();
    frmContactDoc editor(m_ctx, "L", m_entry.logId, owner, this);
    editor.exec();
    if (editor.linksChanged()) refreshDocuments();
}

// Resets an entry taken from the screen into a new, unsaved one of the member.
void frmLogbook::becomeNew(LogEntry& e) {
    e.logId = 0;
    e.rowVersion = 0;
    e.enteredBy = m_ctx.session.name;
    e.initials = m_ctx.session.initials;
    const QDateTime now = m_ctx.clock().now();
    e.entryDate = Formats::StoredDate(now.date());
    e.entryTime = Formats::Time24(now.time());
    e.complete = e.pending = e.onHold = e.cancelled = false;
    e.notified.clear();
    e.openTableId = 0;
    e.encCC.clear();
    e.ccCreated = {};
    e.webResId.clear();
}

void frmLogbook::cmdClone_Click() {
    DesignFieldsPanel* design = m_links->design();
    const std::vector<DesignItem> items = design->design();
    const QStringList values = design->values();
    LogEntry e = m_entry;
    gatherInto(e);
    const bool hadCard = !m_entry.encCC.trimmed().isEmpty();
    qint64 restaurant = 0;
    try {
        if (e.openTableId > 0 && m_hooks.reservationContact)
            restaurant = m_hooks.reservationContact(e.openTableId);
    } catch (const DbError& err) {
        ReportError(m_ctx.prompt(), err, "cmdClone_Click", FormName, true);
        return;
    }
    e.text = items.empty() ? QString() : DesignLinesOnly(items, values);
    e.msgNotes.clear();
    becomeNew(e);
    if (restaurant > 0) e.contactId = restaurant;
    m_entry = e;
    m_source = LogSource::Current;
    m_loadedType.clear();
    showEntry();
    // The card stays with the original entry; the clone only says so.
    if (hadCard) m_card->setNote("Card not carried over");
    m_changed = true;
}

void frmLogbook::cmdExport_Click() {
    if (!MayDoOrSay(m_ctx, Rights::LogbookExport,
                    "You are not authorized to Export Logbook Information."))
        return;
    if (!m_hooks.openExport) {
        m_ctx.prompt().message("Logbook export is not available: the export module is not "
                               "installed.");
        return;
    }
    m_hooks.openExport(m_category->current(), this);
}

void frmLogbook::imgMap_Click() {
    if (m_entry.contactId <= 0) {
        m_ctx.prompt().message("This Logbook Entry has no contact to show on a map.");
        return;
    }
    if (!m_hooks.showMap) {
        m_ctx.prompt().message("Maps are not available: the mapping module is not installed.");
        return;
    }
    m_hooks.showMap(m_entry.contactId, this);
}

void frmLogbook::imgCorrespondence_Click() {
    ChooseEntryOutput(m_ctx, m_hooks, m_entry, m_source, OutputAction::Print, imgCorrespondence,
                      EntryDocument::Correspondence);
}

void frmLogbook::imgDEForm_Click() {
    ChooseEntryOutput(m_ctx, m_hooks, m_entry, m_source, OutputAction::Print,
                      m_links->design()->imgDEForm, EntryDocument::CustomForm);
}

bool frmLogbook::readyForOnlineTables(bool hookInstalled) {
    if (isGuestViewer() || m_ctx.session.restricted) {
        m_ctx.prompt().message("As a Guest or Restricted User you do not have the ability to use "
                               "Reservations.  Thank you.");
        return false;
    }
    if (!MayDoOrSay(m_ctx, Rights::LogbookReservations,
                    "You are not authorized to Work with Reservations."))
        return false;
    if (!hookInstalled) {
        m_ctx.prompt().message("Online restaurant reservations are not available: the "
                               "reservation service module is not installed.");
        return false;
    }
    if (m_entry.logId <= 0) {
        m_ctx.prompt().message("Logbook entry must be <Save>d before working with its online "
                               "reservation.  Thank you.");
        return false;
    }
    // The reservation screens read and write the stored entry: edits on the
    // screen are saved first so that neither side loses the other's.
    return !m_changed || cmdSave_Click();
}

void frmLogbook::reloadAfterOnlineTables() {
    try {
        if (LogbookStore(m_ctx, &m_hooks).StoredVersion(m_entry.logId) == m_entry.rowVersion)
            return;
        if (load(m_entry.logId, LogSource::Current)) Q_EMIT entrySaved(m_entry.logId);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetTheLogEntry", FormName, true);
    }
}

void frmLogbook::imgOpenTable_Click() {
    if (!readyForOnlineTables(bool(m_hooks.openTable))) return;
    m_hooks.openTable(m_entry.logId, this);
    reloadAfterOnlineTables();
}

void frmLogbook::imgOTEntry_Click() {
    if (!readyForOnlineTables(bool(m_hooks.cancelTable))) return;
    m_hooks.cancelTable(m_entry.logId, this);
    reloadAfterOnlineTables();
}

void frmLogbook::cmdOther_Click() {
    LogbookStore store(m_ctx);
    std::optional<qint64> before; // the saved entry's version, when it is as this screen read it
    try {
        if (!MayDoOrSay(m_ctx, Rights::LogbookNotifications, MsgMaintainNotifications)) return;
        if (m_entry.logId > 0 && m_source == LogSource::Current) {
            before = store.StoredVersion(m_entry.logId);
            if (before != m_entry.rowVersion) before.reset();
        }
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
        // (followed through every rename made in the editor); each rename that
        // reached this entry raised its version once.
        const auto renamed = [&dialog](QString value, int* hops = nullptr) {
            for (int step = 0; step < dialog.renamed().size(); ++step) {
                const auto to = dialog.renamed().constFind(value.trimmed().toLower());
                if (to == dialog.renamed().constEnd()) break;
                value = *to;
                if (hops) ++*hops;
            }
            return value;
        };
        const QString shown = m_dates->notified();
        if (!shown.isEmpty()) m_dates->setNotified(renamed(shown));
        int hops = 0;
        const QString stored = renamed(m_entry.notified, &hops);
        if (hops == 0) return;
        m_entry.notified = stored;
        // Only the editor's own renames are taken, never another desk's save.
        if (before && store.StoredVersion(m_entry.logId) == *before + hops)
            m_entry.rowVersion = *before + hops;
    } catch (const DbError& err) {
        ReportError(m_ctx.prompt(), err, "GetOtherData", FormName, true);
    }
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
    LogEntry typed;
    m_guest->gather(typed);
    PickedProfile seed; // a profile made new from the picker starts from the entry's guest
    seed.firstName = typed.firstName;
    seed.lastName = typed.lastName;
    seed.roomNumber = typed.roomNumber;
    seed.guestId = typed.guestId;
    if (auto p = m_hooks.selectProfile(seed, this)) {
        m_entry.profileId = p->profileId;
        m_guest->showPicked(*p);
        m_changed = true;
        showLinks();
    }
}

void frmLogbook::cmdDeselectProfile_Click() {
    if (m_entry.profileId <= 0 || m_readOnly) return;
    if (!MayDoOrSay(m_ctx, Rights::LogbookDeselectProfile, MsgDeselectProfile)) return;
    m_ctx.prompt().message(MsgDeselectKeepsGroup);
    m_entry.profileId = 0;
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
    if (m_entry.logId <= 0) return {};
    return DumpLogbookRecord(m_ctx, m_entry.logId, m_source);
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

// ---------------------------------------------------------------- frmLogbookMsgs

frmLogbookMsgs::frmLogbookMsgs(AppContext& ctx, qint64 logId, LogSource source, QWidget* parent,
                               std::function<void(QWidget*)> print)
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
    cmdPrint = named(new QPushButton("Print Messages", this), "cmdPrint");
    cmdPrint->setVisible(false);
    connect(cmdPrint, &QPushButton::clicked, this, [this, print] { print(this); });
    layout->addWidget(cmdPrint, 0, Qt::AlignRight);
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
        cmdPrint->setVisible(print && n > 0);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "Form_Load", "frmLogbookMsgs", true);
    }
}

} // namespace vm
