#include "guests/forms/ContactsPanel.h"

#include "core/DataAccess.h"
#include "core/Settings.h"
#include "guests/Keywords.h"
#include "guests/OtherLists.h"
#include "guests/forms/frmCsvImport.h"
#include "guests/reports/ContactListReports.h"
#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"
#include "platform/CsvWriter.h"
#include "platform/Desktop.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmSearch");
const QString ExtractFileName = QStringLiteral("VmContacts.csv");
const QString ImporterName = QStringLiteral("ImportC");

const std::pair<const char*, ContactSelectBy> SelectChoices[] = {
    {"Primary Name", ContactSelectBy::PrimaryName}, {"Contact Data", ContactSelectBy::ContactData},
    {"Address", ContactSelectBy::Address},          {"Keyword", ContactSelectBy::Keyword},
    {"Open Table", ContactSelectBy::OpenTable},     {"All Contacts", ContactSelectBy::None}};

} // namespace

ContactsPanel::ContactsPanel(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("ContactsPanel");
    auto* top = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    int row = 0;
    g->addWidget(new QLabel("Select by:"), row, 0);
    g->addWidget(cboSelectBy = named(new QComboBox, "cboSelectBy"), row, 1);
    for (const auto& [caption, by] : SelectChoices)
        cboSelectBy->addItem(caption, int(by));
    g->addWidget(txtSearchText = named(new QLineEdit, "txtSearchText"), row, 2);
    g->addWidget(cboKeyword = named(new QComboBox, "cboKeyword"), row, 3);
    g->addWidget(chkStartsWith = named(new QCheckBox("Starts With"), "chkStartsWith"), row, 4);
    chkStartsWith->setToolTip("Check if you wish to use a 'Starts With' search");
    ++row;
    g->addWidget(lblCity = named(new QLabel("City (Optional):"), "lblCity"), row, 0);
    g->addWidget(cboCity = named(new QComboBox, "cboCity"), row, 1);
    g->addWidget(chkUseArea = named(new QCheckBox("Replace Optional City Selection with Area"),
                                    "chkUseArea"),
                 row, 2, 1, 2);
    ++row;
    g->addWidget(new QLabel("Sort by:"), row, 0);
    g->addWidget(cboSort = named(new QComboBox, "cboSort"), row, 1);
    cboSort->addItems(ContactSortCaptions());
    g->addWidget(cmdSearch = named(new QPushButton("Search"), "cmdSearch"), row, 2);
    g->addWidget(cmdAddContact = named(new QPushButton("&Add a Contact"), "cmdAddContact"), row, 3);
    g->addWidget(cmdImport = named(new QPushButton("Import Contacts"), "cmdImport"), row, 4);
    ++row;
    g->addWidget(cmdExtract = named(new QPushButton("Extract List to CSV File"), "cmdExtract"), row,
                 0);
    g->addWidget(cmdPrintList = named(new QPushButton("Print List"), "cmdPrintList"), row, 1);
    auto* guestList = new QHBoxLayout;
    guestList->addWidget(cmdGuestList = named(new QPushButton("Print Guest List"), "cmdGuestList"));
    guestList->addWidget(optPlainPaper = named(new QRadioButton("Plain Paper"), "optPlainPaper"));
    guestList->addWidget(optLetterhead = named(new QRadioButton("Letterhead"), "optLetterhead"));
    optPlainPaper->setChecked(true);
    g->addLayout(guestList, row, 2, 1, 3);
    top->addLayout(g);
    top->addWidget(lblDescription = named(new QLabel, "lblDescription"));
    top->addWidget(grdContacts = named(new DataGrid, "grdContacts"), 1);
    top->addWidget(lblCount = named(new QLabel, "lblCount"));
    grdContacts->setHeaders(ContactListHeaders(false, ContactSort::RankAndName));
    m_list = RecordList(grdContacts, lblCount);
    modeChanged();

    connect(cboSelectBy, &QComboBox::currentIndexChanged, this, &ContactsPanel::modeChanged);
    connect(chkUseArea, &QCheckBox::toggled, this, &ContactsPanel::fillPlaces);
    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(txtSearchText, &QLineEdit::returnPressed, this, [this] { cmdSearch_Click(); });
    connect(cmdAddContact, &QPushButton::clicked, this, &ContactsPanel::cmdAddContact_Click);
    connect(cmdImport, &QPushButton::clicked, this, &ContactsPanel::cmdImport_Click);
    connect(cmdExtract, &QPushButton::clicked, this, &ContactsPanel::cmdExtract_Click);
    connect(cmdGuestList, &QPushButton::clicked, this, &ContactsPanel::cmdGuestList_Click);
    connect(cmdPrintList, &QPushButton::clicked, this, &ContactsPanel::cmdPrintList_Click);
    connect(grdContacts, &DataGrid::rowActivated, this, [this](qint64 key) {
        if (key > 0 && openContact) openContact(key);
    });
}

void ContactsPanel::modeChanged() {
    const auto by = ContactSelectBy(cboSelectBy->currentData().toInt());
    const bool keyword = by == ContactSelectBy::Keyword;
    const bool typed = by == ContactSelectBy::PrimaryName || by == ContactSelectBy::ContactData ||
                       by == ContactSelectBy::Address;
    cboKeyword->setVisible(keyword);
    txtSearchText->setVisible(!keyword);
    txtSearchText->setEnabled(typed);
    chkStartsWith->setEnabled(by == ContactSelectBy::PrimaryName || by == ContactSelectBy::Address);
}

void ContactsPanel::refreshLists() {
    if (!m_ctx.session.loggedOn() || !m_ctx.current) return;
    try {
        m_cities = GetCityNames(m_ctx);
        m_areas = GetOtherValues(m_ctx, "Area");
        const QString keyword = cboKeyword->currentText();
        cboKeyword->clear();
        cboKeyword->addItem(QString());
        cboKeyword->addItems(GetAllKeywords(m_ctx));
        cboKeyword->setCurrentText(keyword);
        fillPlaces();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetCityNames", FormName, true);
    }
}

void ContactsPanel::fillPlaces() {
    const QString chosen = cboCity->currentText();
    cboCity->clear();
    cboCity->addItem(QString());
    cboCity->addItems(chkUseArea->isChecked() ? m_areas : m_cities);
    cboCity->setCurrentText(chosen);
    lblCity->setText(chkUseArea->isChecked() ? "Area (Optional):" : "City (Optional):");
}

void ContactsPanel::clearList() {
    m_list.clear();
    lblDescription->clear();
}

ContactSelection ContactsPanel::selection() const {
    ContactSelection s;
    s.by = ContactSelectBy(cboSelectBy->currentData().toInt());
    s.text = txtSearchText->text();
    s.keyword = cboKeyword->currentText();
    s.startsWith = chkStartsWith->isChecked();
    s.cityOrArea = cboCity->currentText();
    s.useArea = chkUseArea->isChecked();
    s.sort = ContactSort(cboSort->currentIndex());
    s.engine = m_ctx.contactsDb().engine();
    return s;
}

bool ContactsPanel::cmdSearch_Click() {
    Prompt& prompt = m_ctx.prompt();
    try {
        if (!IsGuestViewer(m_ctx.session) &&
            !MayDoOrSay(m_ctx, Rights::ContactsSearch,
                        "You are not authorized to Search for Contacts."))
            return false;
        const ContactSelection s = selection();
        const BuiltContactSelection built = BuildContactSelection(s);
        if (!built.refusal.isEmpty()) {
            prompt.message(built.refusal);
            return false;
        }
        // Only a request for everything is counted first.
        const bool everything = built.filter.clause.isEmpty();
        const std::optional<ContactList> list =
            ListContacts(m_ctx, built.filter, s.sort, everything);
        if (!list) return false;
        m_listedSort = s.sort;
        m_crossStreets = GetBooleanSetting(m_ctx.db(), "CrossStreets");
        m_reservedColor = DataGrid::colorFromSetting(GetTextSetting(m_ctx.db(), "ColorProfile"));
        grdContacts->setHeaders(ContactListHeaders(m_crossStreets, s.sort));
        lblDescription->setText(built.description);
        showList(*list);
        return true;
    } catch (const DbError& e) {
        ReportError(prompt, e, "GetTheContacts", "modDatabase");
        return false;
    }
}

QColor ContactsPanel::rowColor(const ContactRow& row) const {
    if (row.closed) return QColor(Qt::red); // closed wins over the colour code
    if (row.reserved) return m_reservedColor;
    return {};
}

void ContactsPanel::showList(const ContactList& list) {
    m_list.clear();
    for (const ContactRow& r : list.rows)
        m_list.add(r.id, r.shownCells(m_crossStreets), rowColor(r));
    m_list.showCount();
}

void ContactsPanel::refreshRow(qint64 contactId) {
    try {
        const std::optional<ContactRow> row = GetTheContactRow(m_ctx, contactId, m_listedSort);
        if (!row) {
            removeRow(contactId);
            return;
        }
        m_list.upsert(contactId, row->shownCells(m_crossStreets), rowColor(*row));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "RefreshContactRow", FormName, true);
    }
}

void ContactsPanel::removeRow(qint64 contactId) {
    m_list.remove(contactId);
}

qint64 ContactsPanel::neighbour(qint64 contactId, int direction) const {
    return m_list.neighbour(contactId, direction);
}

void ContactsPanel::cmdAddContact_Click() {
    try {
        if (IsGuestViewer(m_ctx.session) || !MayDo(m_ctx, Rights::ContactsAdd)) {
            m_ctx.prompt().message("You are not authorized to Add Contacts.");
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdAddContact_Click", FormName, true);
        return;
    }
    if (openContact) openContact(0);
}

void ContactsPanel::cmdImport_Click() {
    Prompt& prompt = m_ctx.prompt();
    try {
        if (IsGuestViewer(m_ctx.session) || !MayDo(m_ctx, Rights::ContactsImport)) {
            prompt.message("You are not authorized to Import Contacts.");
            return;
        }
    } catch (const DbError& e) {
        ReportError(prompt, e, "cmdImport_Click", FormName, true);
        return;
    }
    if (prompt.ask("Do you wish to process the Contacts Import?") != Answer::Yes) return;
    const QString program = HelperProgramPath(m_ctx.workstation.programFolder, ImporterName);
    if (program.isEmpty()) {
        // Without the companion program the import is the program's own.
        frmCsvImport::Open(m_ctx, ImportKind::Contacts, this, [this] {
            refreshLists();
            if (!lblDescription->text().isEmpty()) cmdSearch_Click();
        });
        return;
    }
    int exitCode = -1;
    {
        WaitCursor wait;
        exitCode = m_ctx.desktop().runAndWait(program);
    }
    if (exitCode != 0) {
        prompt.message(exitCode < 0
                           ? "The Contacts Import program could not be run: " +
                                 QDir::toNativeSeparators(program)
                           : "The Contacts Import ended with an error (exit code " +
                                 QString::number(exitCode) + ").  Please check the import file.");
        return;
    }
    prompt.message("The Contacts Import process has completed.");
    refreshLists();
    cmdSearch_Click();
}

QString ContactsPanel::extractPath() const {
    return m_ctx.workstation.outputFolder() + ExtractFileName;
}

void ContactsPanel::cmdExtract_Click() {
    Prompt& prompt = m_ctx.prompt();
    try {
        if (!MayDoOrSay(m_ctx, Rights::ContactsExtract,
                        "You are not authorized to Extract Contacts to CSV File."))
            return;
    } catch (const DbError& e) {
        ReportError(prompt, e, "cmdExtract_Click", FormName, true);
        return;
    }
    const int rows = grdContacts->rowCount();
    if (rows == 0) {
        prompt.message("Please select some contacts first.  Then create the extract file.");
        return;
    }
    const QString path = extractPath();
    WaitCursor wait;
    prompt.message(FileWrittenMessage(path, WriteGridCsv(*grdContacts, path)));
}

void ContactsPanel::cmdGuestList_Click() {
    Prompt& prompt = m_ctx.prompt();
    try {
        if (!MayDoOrSay(m_ctx, Rights::ContactsGuestList,
                        "You are not authorized to Print Guest Lists."))
            return;
    } catch (const DbError& e) {
        ReportError(prompt, e, "cmdGuestList_Click", FormName, true);
        return;
    }
    const QString keyword = cboKeyword->currentText().trimmed();
    if (keyword.isEmpty()) {
        prompt.message("Please select the keyword of the Guest List you wish to print.  Thank "
                       "you.");
        return;
    }
    const QString place = cboCity->currentText().trimmed();
    const bool area = chkUseArea->isChecked();
    if (openReport)
        openReport(GuestContactListRequest(keyword, area ? QString() : place,
                                           area ? place : QString(), optLetterhead->isChecked()));
}

void ContactsPanel::cmdPrintList_Click() {
    const QList<qint64> keys = grdContacts->keys();
    if (keys.isEmpty()) {
        m_ctx.prompt().message("Please select some contacts first.  Then print the list.");
        return;
    }
    if (openReport) openReport(ContactListRequest(keys, int(m_listedSort)));
}

} // namespace vm
