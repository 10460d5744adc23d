// The entry screen's surroundings: the custom form of the category, linked
// documents, profile and contact details, the online reservation, spelling,
// export, maps, and the repeat clone.

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "guests/DocumentLinks.h"
#include "guests/forms/frmContactDoc.h"
#include "logbook/DesignText.h"
#include "logbook/EntryRules.h"
#include "logbook/forms/DesignFieldsPanel.h"
#include "logbook/forms/EntryOutput.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/SpellChecker.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SpellCheckDialog.h"

#include <QBoxLayout>
#include <QCalendarWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWidgetAction>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmLogbook");

} // namespace

frmLogbook::~frmLogbook() = default;

void frmLogbook::buildLinks(QBoxLayout* side, QBoxLayout* actions) {
    side->addWidget(designPanel = new DesignFieldsPanel(m_ctx.prompt(), txtLogEntry));
    connect(designPanel, &DesignFieldsPanel::valueEdited, this, &frmLogbook::markChanged);
    connect(designPanel, &DesignFieldsPanel::printFormRequested, this,
            &frmLogbook::imgDEForm_Click);

    side->addWidget(picContactFrame = named(new QLabel, "picContactFrame"));
    picContactFrame->setWordWrap(true);
    picContactFrame->setFrameShape(QFrame::Box);
    picContactFrame->hide();

    auto* profile = new QGroupBox("Profile");
    auto* pl = new QVBoxLayout(profile);
    pl->addWidget(lblProfiled = named(new QLabel("This guest has a profile."), "lblProfiled"));
    lblPicProfileID = named(new QLabel("0"), "lblPicProfileID");
    lblPicProfileID->hide();
    pl->addWidget(grdProfiler = named(new DataGrid, "grdProfiler"));
    grdProfiler->setHeaders({"Preference", "Selection"});
    pl->addWidget(grdCreditCards = named(new DataGrid, "grdCreditCards"));
    grdCreditCards->setHeaders({"Card on the Profile"});
    side->addWidget(profile);

    auto* docs = new QGroupBox("Linked Documents");
    auto* dl = new QVBoxLayout(docs);
    dl->addWidget(grdDocument = named(new DataGrid, "grdDocument"));
    FillDocumentGrid(grdDocument, {});
    dl->addWidget(cmdDocLink = named(new QPushButton("Document &Links..."), "cmdDocLink"));
    side->addWidget(docs);

    auto* online = new QHBoxLayout;
    online->addWidget(imgOpenTable = named(new QToolButton, "imgOpenTable"));
    imgOpenTable->setText("Table Reservation");
    online->addWidget(imgOTEntry = named(new QToolButton, "imgOTEntry"));
    imgOTEntry->setText("Reservation Details");
    online->addWidget(lblOpenTableID = named(new QLabel("0"), "lblOpenTableID"));
    lblOTRestaurantID = named(new QLabel("0"), "lblOTRestaurantID");
    lblOTRestaurantID->hide();
    online->addStretch();
    side->addLayout(online);

    actions->addWidget(cmdClone = named(new QPushButton("&Repeat"), "cmdClone"));
    cmdClone->setToolTip("A new entry for the same guest and request, without the notes");
    actions->addWidget(cmdSpellCheck = named(new QPushButton("S&pelling"), "cmdSpellCheck"));
    cmdSpellCheck->setToolTip("Check the spelling of the Descriptive Text");
    actions->addWidget(cmdExport = named(new QPushButton("Ex&port"), "cmdExport"));
    actions->addWidget(imgCorrespondence = named(new QToolButton, "imgCorrespondence"));
    imgCorrespondence->setText("Letter");
    imgCorrespondence->setToolTip("Print the category's correspondence letter");
    actions->addWidget(imgMap = named(new QToolButton, "imgMap"));
    imgMap->setText("Map");
    imgMap->setToolTip("Directions to the entry's contact");

    connect(cmdClone, &QPushButton::clicked, this, &frmLogbook::cmdClone_Click);
    connect(cmdSpellCheck, &QPushButton::clicked, this, &frmLogbook::cmdSpellCheck_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmLogbook::cmdExport_Click);
    connect(cmdDocLink, &QPushButton::clicked, this, &frmLogbook::cmdDocLink_Click);
    connect(imgCorrespondence, &QToolButton::clicked, this, &frmLogbook::imgCorrespondence_Click);
    connect(imgMap, &QToolButton::clicked, this, &frmLogbook::imgMap_Click);
    connect(imgOpenTable, &QToolButton::clicked, this, &frmLogbook::imgOpenTable_Click);
    connect(imgOTEntry, &QToolButton::clicked, this, &frmLogbook::imgOpenTable_Click);
    connect(grdDocument, &DataGrid::rowActivated, this, [this](qint64 id) {
        try {
            for (const DocumentLink& d : GetCDocuments(m_ctx, m_entry.logId, "L"))
                if (d.id == id) OpenDocumentLink(m_ctx, d);
        } catch (const DbError& e) {
            ReportError(m_ctx.prompt(), e, "grdDocument_DblClick", FormName, true);
        }
    });
}

// Everything around the entry, after the entry's own fields are on screen.
void frmLogbook::showLinks() {
    const LogEntry& e = m_entry;
    lblPicProfileID->setText(QString::number(e.profileId));
    lblProfiled->setVisible(e.profileId > 0);
    grdProfiler->clearRows();
    grdCreditCards->clearRows();
    if (e.profileId > 0) {
        int n = 0;
        if (m_hooks.profileDetails)
            for (const auto& [preference, selection] : m_hooks.profileDetails(e.profileId))
                grdProfiler->setRow(++n, {preference, selection}, {}, {}, false);
        n = 0;
        if (m_hooks.profileCards)
            for (const auto& [key, masked] : m_hooks.profileCards(e.profileId))
                grdCreditCards->setRow(key ? key : ++n, {masked}, {}, {}, false);
    }
    lblOpenTableID->setText(QString::number(e.openTableId));
    imgOpenTable->setToolTip(e.openTableId > 0
                                 ? "Online reservation " + QString::number(e.openTableId)
                                 : QString("DoubleClick to Get Open Table Availability"));
    imgOTEntry->setVisible(e.openTableId > 0);
    lblOpenTableID->setVisible(e.openTableId > 0);
    loadDesign();
    refreshDocuments();
    showContactNotes();
}

void frmLogbook::loadDesign() {
    try {
        const qint64 typeId = GetLogTypeID(m_ctx.db(), typeName());
        designPanel->setDesign(typeId > 0 ? GetLogbookBackPanelItems(m_ctx.db(), typeId)
                                          : std::vector<DesignItem>{});
        designPanel->setReadOnly(m_readOnly);
        // A new choice of category on an entry with a contact: the design line
        // for contacts takes its details when it is still empty.
        const int line = designPanel->contactLine();
        if (m_loading || m_readOnly || line < 0 || m_entry.contactId <= 0 ||
            !m_hooks.contactDetails || !designPanel->values().value(line).isEmpty())
            return;
        designPanel->setValue(line, m_hooks.contactDetails(m_entry.contactId));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetLogbookBackPanelItems", FormName, true);
    }
}

void frmLogbook::showContactNotes() {
    picContactFrame->clear();
    picContactFrame->hide();
    m_contactUnread = false;
    const QString date = Formats::StoredDate(Formats::ParseShortDate(txtSelect[0]->text()));
    if (!m_hooks.contactTicklers || m_entry.contactId <= 0 || date.isEmpty() || m_readOnly) return;
    const QStringList notes = m_hooks.contactTicklers(m_entry.contactId, date);
    if (notes.isEmpty()) return;
    picContactFrame->setText(notes.join("\n"));
    picContactFrame->show();
    m_contactUnread = true;
    cmdOK->show();
}

void frmLogbook::refreshDocuments() {
    std::vector<DocumentLink> links;
    try {
        if (m_entry.logId > 0 && m_source == LogSource::Current)
            links = GetCDocuments(m_ctx, m_entry.logId, "L");
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetCDocuments", FormName, true);
    }
    FillDocumentGrid(grdDocument, links);
    cmdDocLink->setEnabled(!m_readOnly && m_source == LogSource::Current);
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
    e.enteredBy = m_ctx.session.name;
    e.initials = m_ctx.session.initials;
    const QDateTime now = m_ctx.clock().now();
    e.entryDate = Formats::StoredDate(now.date());
    e.entryTime = Formats::Time24(now.time());
    e.complete = e.pending = e.onHold = e.cancelled = false;
    e.notified.clear();
    e.openTableId = 0;
    e.fingerprint.clear();
    e.encCC.clear();
    e.ccCreated = {};
    e.webResId.clear();
}

void frmLogbook::cmdClone_Click() {
    const std::vector<DesignItem> design = designPanel->design();
    const QStringList values = designPanel->values();
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
    e.text = design.empty() ? QString() : DesignLinesOnly(design, values);
    e.msgNotes.clear();
    becomeNew(e);
    if (restaurant > 0) e.contactId = restaurant;
    m_entry = e;
    m_source = LogSource::Current;
    m_loadedType.clear();
    showEntry();
    // The card stays with the original entry; the clone only says so.
    if (hadCard) lblShowEncCC->setText("Card not carried over");
    m_changed = true;
}

void frmLogbook::cmdSpellCheck_Click() {
    if (txtDescription->isReadOnly()) return;
    if (!m_speller)
        m_speller =
            std::make_unique<SpellChecker>(SpellChecker::FindDictionary(),
                                           m_ctx.workstation.userDataFolder + "UserDictionary.txt");
    if (RunSpellCheck(txtDescription, *m_speller, m_ctx.prompt(), this)) markChanged();
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
    m_hooks.openExport(typeName(), this);
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
    ChooseEntryOutput(m_ctx, m_hooks, m_entry, OutputAction::Print, imgCorrespondence,
                      EntryDocument::Correspondence);
}

void frmLogbook::imgDEForm_Click() {
    ChooseEntryOutput(m_ctx, m_hooks, m_entry, OutputAction::Print, designPanel->imgDEForm,
                      EntryDocument::CustomForm);
}

void frmLogbook::imgOpenTable_Click() {
    if (isGuestViewer() || m_ctx.session.restricted) {
        m_ctx.prompt().message("As a Guest or Restricted User you do not have the ability to use "
                               "Reservations.  Thank you.");
        return;
    }
    if (!MayDoOrSay(m_ctx, Rights::LogbookReservations,
                    "You are not authorized to Work with Reservations."))
        return;
    if (!m_hooks.openTable) {
        m_ctx.prompt().message("Online restaurant reservations are not available: the "
                               "reservation service module is not installed.");
        return;
    }
    if (m_entry.logId <= 0) {
        m_ctx.prompt().message("Logbook entry must be <Save>d before working with its online "
                               "reservation.  Thank you.");
        return;
    }
    m_hooks.openTable(m_entry.logId, this);
}

void frmLogbook::pickDate(int box) {
    if (txtSelect[box]->isReadOnly()) return;
    QMenu menu(this);
    auto* calendar = new QCalendarWidget(&menu);
    calendar->setObjectName("calDropDown");
    const QDate shown = Formats::ParseShortDate(txtSelect[box]->text());
    calendar->setSelectedDate(shown.isValid() ? shown : m_ctx.clock().today());
    auto* action = new QWidgetAction(&menu);
    action->setDefaultWidget(calendar);
    menu.addAction(action);
    connect(calendar, &QCalendarWidget::clicked, &menu, [&menu, this, box](QDate d) {
        txtSelect[box]->setText(Formats::ShortDate(d));
        markChanged();
        menu.close();
        if (box == 0) referDateLeft();
        if (box == 1) arrivalDateLeft();
    });
    menu.exec(picDropDown[box]->mapToGlobal(QPoint(0, picDropDown[box]->height())));
}

} // namespace vm
