#include "guests/forms/ProfilesPanel.h"

#include "core/DataAccess.h"
#include "core/Settings.h"
#include "guests/Groups.h"
#include "guests/OtherLists.h"
#include "guests/Profiles.h"
#include "guests/forms/frmCsvImport.h"
#include "guests/reports/ProfileListReports.h"
#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"
#include "logbook/LogbookList.h"
#include "platform/CsvWriter.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDateEdit>
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
const QString ExtractFileName = QStringLiteral("VmExtract.csv");
const QString AutoDialFileName = QStringLiteral("VmAutoDial.csv");
const QString ImporterName = QStringLiteral("Importer");

const QString ExtractAutoDial = QStringLiteral("Auto-Dial Export to CSV");
const QString ExtractCsv = QStringLiteral("Export Search Results to CSV");
const QString ExtractFax = QStringLiteral("Print the Fax List");
const QString ExtractPhone = QStringLiteral("Print the Telephone List");

// The importer of the installation: "Importer" beside the program (".exe" on Windows).
QString importerPath(const AppContext& ctx) {
    const QDir folder(ctx.workstation.programFolder);
    for (const QString& name : {ImporterName, ImporterName + ".exe"})
        if (QFileInfo(folder.filePath(name)).isFile()) return folder.filePath(name);
    return {};
}

void fillCombo(QComboBox* box, const QString& first, const QStringList& items) {
    const QString chosen = box->currentText();
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItem(first);
    box->addItems(items);
    const int at = box->findText(chosen);
    box->setCurrentIndex(at >= 0 ? at : 0);
}

QDateEdit* dateEdit(const QString& name, const QDate& date) {
    auto* e = named(new QDateEdit(date), name);
    e->setCalendarPopup(true);
    return e;
}

} // namespace

ProfilesPanel::ProfilesPanel(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("ProfilesPanel");
    auto* top = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    int row = 0;
    buildSelectBy(g, row);
    g->addWidget(new QLabel("Profile Type Filter:"), row, 0);
    g->addWidget(cboProfileFilter = named(new QComboBox, "cboProfileFilter"), row, 1);
    g->addWidget(new QLabel("Replace Email with..."), row, 2);
    g->addWidget(cboProfileType = named(new QComboBox, "cboProfileType"), row, 3);
    ++row;
    g->addWidget(new QLabel("Sort By:"), row, 0);
    g->addWidget(cboSort = named(new QComboBox, "cboSort"), row, 1);
    g->addWidget(cmdSearch = named(new QPushButton("Search"), "cmdSearch"), row, 2);
    cmdSearch->setToolTip("Search Profiles");
    g->addWidget(cmdAddProfile = named(new QPushButton("&Add a Profile"), "cmdAddProfile"), row, 3);
    g->addWidget(cmdImportProfiles = named(new QPushButton("Import Profiles"), "cmdImportProfiles"),
                 row, 4);
    ++row;
    g->addWidget(new QLabel("Extract Format"), row, 0);
    g->addWidget(cboExtract = named(new QComboBox, "cboExtract"), row, 1);
    cboExtract->addItems({QString(), ExtractAutoDial, ExtractCsv, ExtractFax, ExtractPhone});
    g->addWidget(cmdExtract = named(new QPushButton("Extract"), "cmdExtract"), row, 2);
    g->addWidget(cmdMergeProfiles = named(new QPushButton("Merge Profiles"), "cmdMergeProfiles"),
                 row, 3);
    top->addLayout(g);
    top->addWidget(lblDescription = named(new QLabel, "lblDescription"));
    top->addWidget(grdProfiles = named(new DataGrid, "grdProfiles"), 1);
    top->addWidget(lblCount = named(new QLabel, "lblCount"));
    m_list = RecordList(grdProfiles, lblCount);
    grdProfiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grdProfiles->setHeaders(ProfileListHeaders({}));
    optLastName->setChecked(true);
    modeChanged();

    connect(cmdSearch, &QPushButton::clicked, this, [this] { search(); });
    for (QLineEdit* box : {txtSearch, txtCity, txtIndicatorValue})
        connect(box, &QLineEdit::returnPressed, this, [this] { search(); });
    connect(cmdAddProfile, &QPushButton::clicked, this, &ProfilesPanel::addProfile);
    connect(cmdImportProfiles, &QPushButton::clicked, this, &ProfilesPanel::importProfiles);
    connect(cmdExtract, &QPushButton::clicked, this, &ProfilesPanel::extract);
    connect(cmdMergeProfiles, &QPushButton::clicked, this, &ProfilesPanel::mergeProfiles);
    connect(grdProfiles, &DataGrid::rowActivated, this, [this](qint64 key) {
        if (key > 0 && openProfile) openProfile(key);
    });
}

void ProfilesPanel::buildSelectBy(QGridLayout* g, int& row) {
    auto* modes = new QButtonGroup(this);
    const auto option = [&](QRadioButton*& into, const QString& caption, const QString& name) {
        into = named(new QRadioButton(caption), name);
        modes->addButton(into);
        connect(into, &QRadioButton::toggled, this, [this](bool on) {
            if (on) modeChanged();
        });
        return into;
    };
    g->addWidget(new QLabel("Select By"), row++, 0);
    g->addWidget(option(optLastName, "Last Name", "optLastName"), row, 0);
    g->addWidget(option(optFirstName, "First Name", "optFirstName"), row, 1);
    g->addWidget(option(optUnitState, "State", "optUnitState"), row, 2);
    g->addWidget(txtSearch = named(new QLineEdit, "txtSearch"), row, 3);
    g->addWidget(lblCity = named(new QLabel("Enter City (Opt):"), "lblCity"), row, 4);
    g->addWidget(txtCity = named(new QLineEdit, "txtCity"), row, 5);
    ++row;
    g->addWidget(option(optIndicator, "Indicator", "optIndicator"), row, 0);
    g->addWidget(new QLabel("Select Indicator:"), row, 1);
    g->addWidget(cboIndicator = named(new QComboBox, "cboIndicator"), row, 2);
    g->addWidget(new QLabel("Enter Value (Opt):"), row, 3);
    g->addWidget(txtIndicatorValue = named(new QLineEdit, "txtIndicatorValue"), row, 4);
    ++row;
    g->addWidget(option(optGroup, "Group", "optGroup"), row, 0);
    g->addWidget(new QLabel("Select Group:"), row, 1);
    g->addWidget(cboGroup = named(new QComboBox, "cboGroup"), row, 2);
    ++row;
    g->addWidget(option(optContactType, "Contact Type", "optContactType"), row, 0);
    g->addWidget(new QLabel("Select Contact Type:"), row, 1);
    g->addWidget(cboContactType = named(new QComboBox, "cboContactType"), row, 2);
    g->addWidget(chkNoResults = named(new QCheckBox("With NO Results"), "chkNoResults"), row, 3);
    chkNoResults->setToolTip("Show Only Contacts Where No Result has Been Entered");
    ++row;
    g->addWidget(chkByDate = named(new QCheckBox("Select By Date"), "chkByDate"), row, 1);
    chkByDate->setToolTip("Show Only Contacts for the Selected Dates");
    const QDate today = m_ctx.clock().today();
    g->addWidget(dtpFrom = dateEdit("dtpFrom", today), row, 2);
    g->addWidget(new QLabel("Through"), row, 3);
    g->addWidget(dtpThrough = dateEdit("dtpThrough", today), row, 4);
    ++row;
    g->addWidget(option(optProfileType, "Profile Type", "optProfileType"), row, 0);
    g->addWidget(new QLabel("Select Profile Type:"), row, 1);
    g->addWidget(cboProType = named(new QComboBox, "cboProType"), row, 2);
    g->addWidget(option(optAll, "All Profiles", "optAll"), row, 3);
    g->addWidget(option(optPrivate, "Private Entries", "optPrivate"), row, 4);
    ++row;
    connect(chkByDate, &QCheckBox::toggled, this, [this] { modeChanged(); });
}

ProfileSelectBy ProfilesPanel::mode() const {
    const std::pair<QRadioButton*, ProfileSelectBy> options[] = {
        {optLastName, ProfileSelectBy::LastName},
        {optFirstName, ProfileSelectBy::FirstName},
        {optUnitState, ProfileSelectBy::UnitOrState},
        {optIndicator, ProfileSelectBy::Indicator},
        {optGroup, ProfileSelectBy::Group},
        {optContactType, ProfileSelectBy::ContactType},
        {optProfileType, ProfileSelectBy::ProfileType},
        {optPrivate, ProfileSelectBy::Private}};
    for (const auto& [button, by] : options)
        if (button->isChecked()) return by;
    return ProfileSelectBy::All;
}

void ProfilesPanel::modeChanged() {
    const ProfileSelectBy by = mode();
    const bool residential =
        m_ctx.current && m_ctx.session.loggedOn() && GetBooleanSetting(m_ctx.db(), "IsResidential");
    optUnitState->setText(residential ? "Unit" : "State");
    const bool typed = by == ProfileSelectBy::LastName || by == ProfileSelectBy::FirstName ||
                       by == ProfileSelectBy::UnitOrState;
    txtSearch->setEnabled(typed);
    const bool city = by == ProfileSelectBy::UnitOrState && !residential;
    txtCity->setEnabled(city);
    lblCity->setEnabled(city);
    cboIndicator->setEnabled(by == ProfileSelectBy::Indicator);
    txtIndicatorValue->setEnabled(by == ProfileSelectBy::Indicator);
    cboGroup->setEnabled(by == ProfileSelectBy::Group);
    const bool contacts = by == ProfileSelectBy::ContactType;
    for (QWidget* w : std::initializer_list<QWidget*>{cboContactType, chkNoResults, chkByDate})
        w->setEnabled(contacts);
    dtpFrom->setEnabled(contacts && chkByDate->isChecked());
    dtpThrough->setEnabled(contacts && chkByDate->isChecked());
    cboProType->setEnabled(by == ProfileSelectBy::ProfileType);
    // The last column is the mode's own for indicators and the contact history.
    cboProfileType->setEnabled(by != ProfileSelectBy::Indicator && !contacts);
    const int sort = qMax(0, cboSort->currentIndex());
    const QSignalBlocker quiet(cboSort);
    cboSort->clear();
    cboSort->addItems(ProfileSortCaptions(by));
    cboSort->setCurrentIndex(sort);
}

void ProfilesPanel::refreshLists() {
    if (!m_ctx.session.loggedOn() || !m_ctx.current) return;
    try {
        fillCombo(cboIndicator, QString(), GetProfileTypes(m_ctx, false));
        fillCombo(cboProfileType, QString(), GetProfileTypes(m_ctx, true));
        fillCombo(cboContactType, QString(), GetOtherValues(m_ctx, "Contacted"));
        const QStringList types = GetOtherValues(m_ctx, "ProType");
        fillCombo(cboProType, QString(), types);
        fillCombo(cboProfileFilter, NoProfileFilter, types);
        const qint64 group = cboGroup->currentData().toLongLong();
        const QSignalBlocker quiet(cboGroup);
        cboGroup->clear();
        cboGroup->addItem(QString(), 0);
        for (const auto& [id, name] : GetGroupNames(m_ctx))
            cboGroup->addItem(name, id);
        cboGroup->setCurrentIndex(qMax(0, cboGroup->findData(group)));
        m_plainColor = DataGrid::colorFromSetting(GetTextSetting(m_ctx.db(), "ColorProfile"));
        modeChanged();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetProfileTypes", FormName, true);
    }
}

ProfileQuery ProfilesPanel::query() const {
    ProfileQuery q;
    q.by = mode();
    q.text = txtSearch->text();
    q.city = txtCity->text();
    q.residential = optUnitState->text() == "Unit";
    q.indicator = cboIndicator->currentText();
    q.indicatorValue = txtIndicatorValue->text();
    q.groupId = cboGroup->currentData().toLongLong();
    q.groupName = cboGroup->currentText();
    q.contactType = cboContactType->currentText();
    q.noResults = chkNoResults->isChecked();
    q.byDate = chkByDate->isChecked();
    q.from = dtpFrom->date();
    q.through = dtpThrough->date();
    q.profileType = cboProType->currentText();
    q.filter = cboProfileFilter->currentText();
    q.sort = ProfileSort(qMax(0, cboSort->currentIndex()));
    q.replaceEmailWith = cboProfileType->currentText();
    q.engine = m_ctx.db().engine();
    return q;
}

void ProfilesPanel::clearList() {
    m_list.clear();
    lblDescription->clear();
    m_hasList = false;
}

bool ProfilesPanel::search() {
    try {
        if (IsGuestViewer(m_ctx.session) || !MayDo(m_ctx, Rights::TabProfiles)) {
            m_ctx.prompt().message("You are not authorized to search for Profiles.");
            return false;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "SearchProfiles", FormName, true);
        return false;
    }
    m_plainColor = DataGrid::colorFromSetting(GetTextSetting(m_ctx.db(), "ColorProfile"));
    return runQuery(query(), true);
}

bool ProfilesPanel::runQuery(const ProfileQuery& q, bool guard) {
    Prompt& prompt = m_ctx.prompt();
    try {
        const BuiltProfileQuery built = BuildProfileSelection(q);
        if (!built.refusal.isEmpty()) {
            prompt.message(built.refusal);
            return false;
        }
        // Only a request for every profile is counted first.
        const bool everything = guard && q.by == ProfileSelectBy::All;
        const std::optional<ProfileList> list = ListProfiles(m_ctx, q, built, everything);
        if (!list) return false;
        m_listed = q;
        m_hasList = true;
        grdProfiles->setHeaders(ProfileListHeaders(q));
        grdProfiles->setColumnHidden(PColUnit, !q.residential);
        lblDescription->setText(built.description);
        showList(*list);
        return true;
    } catch (const DbError& e) {
        ReportError(prompt, e, "SearchProfiles", FormName);
        return false;
    }
}

void ProfilesPanel::paintRow(const ProfileRow& row, bool replace) {
    QColor fore = m_plainColor;
    if (row.colorCode)
        if (const std::optional<quint32> rgb = ProfileColorRgb(row.color))
            fore = QColor(QRgb(*rgb));
    if (replace)
        m_list.upsert(row.id, row.cells, fore);
    else
        m_list.add(row.id, row.cells, fore);
}

void ProfilesPanel::showList(const ProfileList& list) {
    m_list.clear();
    // The contact history lists a profile once per contact: every row is kept.
    for (const ProfileRow& r : list.rows)
        paintRow(r, false);
    lblCount->setText(list.caption);
}

void ProfilesPanel::showCount() {
    m_list.showCount();
}

void ProfilesPanel::refreshRow(qint64 profileId) {
    if (!m_hasList) {
        // Nothing listed yet: the saved profile starts a list of its own.
        m_listed = query();
        m_listed.by = ProfileSelectBy::All;
        m_hasList = true;
        grdProfiles->setHeaders(ProfileListHeaders(m_listed));
    }
    try {
        if (m_listed.by == ProfileSelectBy::Indicator ||
            m_listed.by == ProfileSelectBy::ContactType) {
            // Rows of these lists come from the indicators and contacts: list them again.
            const qint64 current = grdProfiles->currentKey();
            runQuery(m_listed, false);
            grdProfiles->selectKey(current);
            return;
        }
        const std::optional<ProfileRow> row = GetTheProfileRow(m_ctx, m_listed, profileId);
        if (!row) {
            removeRow(profileId);
            return;
        }
        paintRow(*row, true);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "RefreshProfileRow", FormName, true);
    }
}

void ProfilesPanel::removeRow(qint64 profileId) {
    m_list.remove(profileId);
}

qint64 ProfilesPanel::neighbour(qint64 profileId, int direction) const {
    // The contact-history list shows a profile once per contact: its other rows are passed over.
    return m_list.neighbour(profileId, direction);
}

void ProfilesPanel::addProfile() {
    try {
        if (IsGuestViewer(m_ctx.session) || !MayDo(m_ctx, Rights::ProfilesAdd)) {
            m_ctx.prompt().message("You are not authorized to Add Profiles Information.");
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdAddProfile_Click", FormName, true);
        return;
    }
    if (openProfile) openProfile(0);
}

void ProfilesPanel::importProfiles() {
    Prompt& prompt = m_ctx.prompt();
    try {
        if (IsGuestViewer(m_ctx.session) || !MayDo(m_ctx, Rights::ProfilesImport)) {
            prompt.message("You are not authorized to Import Profile Information.");
            return;
        }
    } catch (const DbError& e) {
        ReportError(prompt, e, "cmdImportProfiles_Click", FormName, true);
        return;
    }
    if (prompt.ask("Do you wish to process the Profile Import?") != Answer::Yes) return;
    const QString program = importerPath(m_ctx);
    if (program.isEmpty()) {
        // Without the companion program the import is the program's own.
        frmCsvImport::Open(m_ctx, ImportKind::Profiles, this, [this] {
            refreshLists();
            if (m_hasList) runQuery(m_listed, true);
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
                           ? "The Profile Import program could not be run: " +
                                 QDir::toNativeSeparators(program)
                           : "The Profile Import ended with an error (exit code " +
                                 QString::number(exitCode) + ").  Please check the import file.");
        return;
    }
    prompt.message("The Profile Import process has completed.");
    refreshLists();
    if (m_hasList) runQuery(m_listed, true);
}

QString ProfilesPanel::extractPath() const {
    return m_ctx.workstation.outputFolder() + ExtractFileName;
}

QString ProfilesPanel::autoDialPath() const {
    return m_ctx.workstation.outputFolder() + AutoDialFileName;
}

void ProfilesPanel::extract() {
    Prompt& prompt = m_ctx.prompt();
    try {
        if (!MayDoOrSay(m_ctx, Rights::ProfilesExtract,
                        "You are not authorized to Extract Profiles Lists."))
            return;
    } catch (const DbError& e) {
        ReportError(prompt, e, "cmdExtract_Click", FormName, true);
        return;
    }
    const QString format = cboExtract->currentText();
    if (format.isEmpty()) {
        prompt.message("Please select the information you wish to extract.  Thank you");
        return;
    }
    if (grdProfiles->rowCount() == 0) {
        prompt.message("Please select some profiles first.  Then create the extract file.");
        return;
    }
    QList<qint64> ids;
    for (qint64 id : grdProfiles->keys())
        if (!ids.contains(id)) ids << id;
    if (format == ExtractFax || format == ExtractPhone) {
        if (openReport)
            openReport(format == ExtractFax ? ProfileFaxListRequest(ids)
                                            : ProfilePhoneListRequest(ids));
        return;
    }
    const bool dial = format == ExtractAutoDial;
    const QString path = dial ? autoDialPath() : extractPath();
    bool ok = false;
    try {
        WaitCursor wait;
        ok = dial ? writeAutoDial(path) : WriteGridCsv(*grdProfiles, path);
    } catch (const DbError& e) {
        ReportError(prompt, e, "CreateCSVFileP", FormName);
        return;
    }
    prompt.message(FileWrittenMessage(path, ok));
}

// The dialler's file: one line per listed profile that may be called, its
// name and the numbers the guest did not bar.
bool ProfilesPanel::writeAutoDial(const QString& path) {
    QList<qint64> ids;
    for (qint64 id : grdProfiles->keys())
        if (!ids.contains(id)) ids << id;
    const std::vector<ProfilePhones> phones = GetProfilePhones(m_ctx, ids);
    CsvWriter out(path);
    bool ok = out.open() &&
              out.writeRow({"Name", "Home Phone", "Business Phone", "Cell Phone", "Other Phone"});
    for (const ProfilePhones& p : phones) {
        if (!ok) break;
        if (p.home.isEmpty() && p.business.isEmpty() && p.cell.isEmpty() && p.other.isEmpty())
            continue;
        ok = out.writeRow({p.name, p.home, p.business, p.cell, p.other});
    }
    return ok && out.commit();
}

QString ProfilesPanel::listedName(qint64 profileId) const {
    for (int r = 0; r < grdProfiles->rowCount(); ++r)
        if (grdProfiles->keyAt(r) == profileId) {
            const QString last = grdProfiles->cell(r, PColLastName);
            const QString first = grdProfiles->cell(r, PColFirstName);
            return (first.isEmpty() ? last : last + ", " + first) + " (ID " +
                   QString::number(profileId) + ")";
        }
    return "ID " + QString::number(profileId);
}

void ProfilesPanel::mergeProfiles() {
    Prompt& prompt = m_ctx.prompt();
    try {
        if (!MayDoOrSay(m_ctx, Rights::ProfilesMerge, "You are not authorized to Merge Profiles."))
            return;
    } catch (const DbError& e) {
        ReportError(prompt, e, "cmdMergeProfiles_Click", FormName, true);
        return;
    }
    QList<qint64> chosen;
    for (qint64 id : grdProfiles->selectedKeys())
        if (!chosen.contains(id)) chosen << id;
    if (chosen.size() != 2) {
        prompt.message("Please select the two Profiles you wish to merge.  Thank you.");
        return;
    }
    const QString first = listedName(chosen[0]), second = listedName(chosen[1]);
    const Answer a =
        prompt.ask("Press <Yes> to keep " + first + " and merge " + second + " into it." + CRLF +
                       "Press <No> to keep " + second + " and merge " + first + " into it." + CRLF +
                       "Press <Cancel> if you DO NOT wish to merge.",
                   "Merge Profiles", Buttons::YesNoCancel, Icon::Question, Answer::Cancel);
    if (a != Answer::Yes && a != Answer::No) return;
    const qint64 into = a == Answer::Yes ? chosen[0] : chosen[1];
    const qint64 from = a == Answer::Yes ? chosen[1] : chosen[0];
    const QString kept = a == Answer::Yes ? first : second;
    const QString gone = a == Answer::Yes ? second : first;
    try {
        WaitCursor wait;
        if (!MergeProfiles(m_ctx, into, from)) {
            prompt.message("The Profiles could not be merged: one of them is no longer on "
                           "file.");
            refreshRow(into);
            refreshRow(from);
            return;
        }
    } catch (const DbError& e) {
        ReportError(prompt, e, "MergeProfiles", FormName);
        return;
    }
    removeRow(from);
    refreshRow(into);
    prompt.message("The Profile " + gone + " has been merged into " + kept + ".");
}

void ProfilesPanel::printList() {
    if (grdProfiles->rowCount() == 0) {
        m_ctx.prompt().message("Please select some profiles first.  Then print the list.");
        return;
    }
    QStringList headers;
    QList<int> columns;
    for (int c = 0; c < ProfileColumnCount; ++c)
        if (!grdProfiles->isColumnHidden(c)) {
            columns << c;
            headers << grdProfiles->model()->headerData(c, Qt::Horizontal).toString();
        }
    QList<QStringList> rows;
    for (int r = 0; r < grdProfiles->rowCount(); ++r) {
        QStringList cells;
        for (int c : columns)
            cells << grdProfiles->cell(r, c);
        rows << cells;
    }
    if (openReport) openReport(ProfileListRequest(lblDescription->text(), headers, rows));
}

} // namespace vm
