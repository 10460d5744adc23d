#include "logbook/forms/LogbookPanel.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "logbook/EntryRules.h"
#include "logbook/LogbookSearch.h"
#include "logbook/LogbookStore.h"
#include "logbook/ProfileTypes.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmSearch");

// The page's "Sort Selection By" entries in the order they are offered, with
// the sort index each stands for.
const std::pair<const char*, int> SortChoices[] = {{"Last Name, First Name", 0},
                                                   {"Room Number and Reference Date", 1},
                                                   {"Logbook Category and Name", 3},
                                                   {"Notification Type or Guest ID", 4},
                                                   {"Reference Date and Name", 2},
                                                   {"Reference Date and Category", 6},
                                                   {"Who Entered and Name", 5},
                                                   {"Reference Date and Logbook ID", 7},
                                                   {"Status and Date", 8},
                                                   {"Status and Name", 9},
                                                   {"Entry Date and Time", 10},
                                                   {"Reference Date and Time", 11},
                                                   {"Reference Date (Desc) and Name", 12}};

const std::pair<const char*, SelectBy> SelectChoices[] = {
    {"Refer Date", SelectBy::ReferDate},
    {"Arrival Date", SelectBy::ArrivalDate},
    {"Departure Date", SelectBy::DepartureDate},
    {"Entry Date", SelectBy::EntryDate},
    {"Update Date", SelectBy::UpdateDate},
    {"Concierge", SelectBy::Concierge},
    {"Last Name", SelectBy::LastName},
    {"First Name", SelectBy::FirstName},
    {"Room Number", SelectBy::RoomNumber},
    {"Logbook ID", SelectBy::LogbookId},
    {"Guest ID", SelectBy::GuestId},
    {"Group", SelectBy::Group},
    {"All Entries", SelectBy::None}};

const int HiddenColumns =
    7; // LogID, EnteredBy, Complete, ArrivalDate, ReferDate, ReferTime, ContactID

} // namespace

LogbookPanel::LogbookPanel(AppContext& ctx, const LogbookScreenHooks& hooks, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_hooks(hooks) {
    setObjectName("LogbookPanel");
    auto* top = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    int row = 0;
    g->addWidget(new QLabel("Select by:"), row, 0);
    g->addWidget(cboSelectBy = named(new QComboBox, "cboSelectBy"), row, 1);
    for (const auto& [caption, by] : SelectChoices)
        cboSelectBy->addItem(caption, int(by));
    g->addWidget(txtSearchText = named(new QLineEdit, "txtSearchText"), row, 2);
    g->addWidget(txtFrom = named(new QLineEdit, "txtFrom"), row, 3);
    g->addWidget(new QLabel("Through"), row, 4);
    g->addWidget(txtThrough = named(new QLineEdit, "txtThrough"), row, 5);
    g->addWidget(cboGroup = named(new QComboBox, "cboGroup"), row, 6);
    txtFrom->setPlaceholderText(Formats::ShortDateHint);
    txtThrough->setPlaceholderText(Formats::ShortDateHint);
    ++row;
    auto* optional = new QHBoxLayout;
    optional->addWidget(lblCategory = named(new QLabel("Category (Opt):"), "lblCategory"));
    optional->addWidget(cmdToggleCategory = named(new QPushButton("<>"), "cmdToggleCategory"));
    cmdToggleCategory->setToolTip("Toggle between Profile Type and Category");
    g->addLayout(optional, row, 0);
    auto* optionalBoxes = new QHBoxLayout;
    optionalBoxes->addWidget(cboCategory = named(new QComboBox, "cboCategory"));
    optionalBoxes->addWidget(cboProfileType = named(new QComboBox, "cboProfileType"));
    cboProfileType->hide();
    g->addLayout(optionalBoxes, row, 1);
    g->addWidget(new QLabel("Logbook Status:"), row, 2);
    g->addWidget(cboStatus = named(new QComboBox, "cboStatus"), row, 3);
    cboStatus->addItems({"All", "Open", "Closed"});
    g->addWidget(chkNoCancelled = named(new QCheckBox("No 'Cancelled'"), "chkNoCancelled"), row, 4);
    g->addWidget(new QLabel("Entered Time Frame:"), row, 5);
    g->addWidget(cboTimeFrame = named(new QComboBox, "cboTimeFrame"), row, 6);
    cboTimeFrame->addItem("All Dates", int(ListWindow::AllDates));
    cboTimeFrame->addItem("Last 7 Days", int(ListWindow::Last7Days));
    cboTimeFrame->addItem("Yesterday and Today", int(ListWindow::YesterdayAndToday));
    ++row;
    g->addWidget(new QLabel("Sort Selection By:"), row, 0);
    g->addWidget(cboSort = named(new QComboBox, "cboSort"), row, 1);
    for (const auto& [caption, index] : SortChoices)
        cboSort->addItem(caption, index);
    cboSort->setCurrentIndex(4); // Reference Date and Name
    g->addWidget(cboSource = named(new QComboBox, "cboSource"), row, 2);
    cboSource->addItems({"Current", "Archive"});
    g->addWidget(cmdSearch = named(new QPushButton("Search"), "cmdSearch"), row, 3);
    g->addWidget(cmdToday = named(new QPushButton("Show Today's Logbook Entries"), "cmdToday"), row,
                 4);
    g->addWidget(cmdUpdatedToday = named(new QPushButton("Updated Today"), "cmdUpdatedToday"), row,
                 5);
    cmdUpdatedToday->setToolTip("Show All Logbook Entries Updated Today");
    g->addWidget(cmdAddLogbook = named(new QPushButton("&Add Logbook Entry"), "cmdAddLogbook"), row,
                 6);
    ++row;
    g->addWidget(new QLabel("Quick Search:"), row, 0);
    g->addWidget(txtQuickSearch = named(new QLineEdit, "txtQuickSearch"), row, 1);
    txtQuickSearch->setToolTip("Last name, or last name, first name; Enter to search");
    g->addWidget(cmdDueOverdue = named(new QPushButton("&Due and Overdue"), "cmdDueOverdue"), row,
                 3);
    g->addWidget(cmdItinerary =
                     named(new QPushButton("Launch Itinerary Print Panel"), "cmdItinerary"),
                 row, 4);
    g->addWidget(cmdConfirmations =
                     named(new QPushButton("Print Confirmations"), "cmdConfirmations"),
                 row, 5);
    cmdConfirmations->setToolTip(
        "Print Confirmations for Selected Logbook Entries (Complete and Pending Only)");
    g->addWidget(cmdPrintList = named(new QPushButton("Print List"), "cmdPrintList"), row, 6);
    top->addLayout(g);
    top->addWidget(lblDescription = named(new QLabel, "lblDescription"));
    top->addWidget(grdLogbook = named(new DataGrid, "grdLogbook"), 1);
    grdLogbook->setSelectionMode(QAbstractItemView::ExtendedSelection);
    top->addWidget(lblCount = named(new QLabel, "lblCount"));
    m_list = RecordList(grdLogbook, lblCount, cboSource);

    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(txtSearchText, &QLineEdit::returnPressed, this, [this] { cmdSearch_Click(); });
    connect(cmdToday, &QPushButton::clicked, this, &LogbookPanel::cmdToday_Click);
    connect(cmdToggleCategory, &QPushButton::clicked, this, &LogbookPanel::cmdToggleCategory_Click);
    connect(cmdUpdatedToday, &QPushButton::clicked, this, &LogbookPanel::cmdUpdatedToday_Click);
    connect(cmdDueOverdue, &QPushButton::clicked, this, &LogbookPanel::cmdDueOverdue_Click);
    connect(cmdConfirmations, &QPushButton::clicked, this, &LogbookPanel::cmdConfirmations_Click);
    connect(cmdItinerary, &QPushButton::clicked, this, &LogbookPanel::cmdItinerary_Click);
    connect(cmdPrintList, &QPushButton::clicked, this, &LogbookPanel::cmdPrintList_Click);
    connect(txtQuickSearch, &QLineEdit::returnPressed, this, &LogbookPanel::txtQuickSearch_Enter);
    connect(cmdAddLogbook, &QPushButton::clicked, this, [this] {
        if (frmLogbook* f = addEntry()) f->show();
    });
    connect(grdLogbook, &DataGrid::rowActivated, this, [this](qint64 key) {
        if (frmLogbook* f = openEntry(key)) f->show();
    });
}

LogSource LogbookPanel::source() const {
    return m_list.archiveChosen() && m_ctx.hasArchive() ? LogSource::Archive : LogSource::Current;
}

LogSource LogbookPanel::listedSource() const {
    return m_list.listsArchive() ? LogSource::Archive : LogSource::Current;
}

void LogbookPanel::refreshCategories() {
    const QString chosen = cboCategory->currentText();
    cboCategory->clear();
    cboCategory->addItem(QString());
    const QString profileType = cboProfileType->currentText();
    cboProfileType->clear();
    cboProfileType->addItem(QString());
    cboGroup->clear();
    cboGroup->addItem(QString(), 0);
    m_rankedAt = QDateTime(); // read again for the next entry screen
    if (!m_ctx.session.loggedOn() || !m_ctx.current) return;
    try {
        const bool useGuestId = GetBooleanSetting(m_ctx.db(), "UseGuestID");
        grdLogbook->setHeaders(ListHeaders(useGuestId) +
                               QStringList{"LogID", "EnteredBy", "Complete", "ArrivalDate",
                                           "ReferDate", "ReferTime", "ContactID"});
        for (int c = ListColumnCount; c < ListColumnCount + HiddenColumns; ++c)
            grdLogbook->setColumnHidden(c, true);
        for (const Category& c : GetLogbookTypes(m_ctx.db(), LoadViewer(m_ctx.db(), m_ctx.session)))
            cboCategory->addItem(c.name);
        cboCategory->setCurrentText(chosen);
        cboProfileType->addItems(GetProfileTypeNames(m_ctx.db()));
        cboProfileType->setCurrentText(profileType);
        if (m_hooks.groups)
            for (const auto& [id, name] : m_hooks.groups())
                cboGroup->addItem(name, id);
        applyGridColors();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "LoadLogbookPage", FormName, true);
    }
}

void LogbookPanel::applyGridColors() {
    const GridColors& colors = m_ctx.globals.gridColors;
    grdLogbook->setDefaultColors(
        DataGrid::colorFromSetting(GetVmSetting(m_ctx.db(), "LogbookGridForeColor")),
        DataGrid::colorFromSetting(GetVmSetting(m_ctx.db(), "LogbookGridBackColor")));
    const QString alt = colors.get("UseGridAltColor", "True").trimmed().toLower();
    grdLogbook->setAlternation(alt == "true" || alt == "1" || alt == "-1",
                               DataGrid::colorFromSetting(colors.get("GridSearchAltColor1")),
                               DataGrid::colorFromSetting(colors.get("GridSearchAltColor2")));
}

void LogbookPanel::clearList() {
    m_list.clear();
    lblDescription->clear();
}

void LogbookPanel::paintRow(const ListRow& r, bool replace) {
    const GridColors& colors = m_ctx.globals.gridColors;
    const QStringList cells = r.cells + QStringList{QString::number(r.logId),
                                                    r.enteredBy,
                                                    r.complete ? "True" : "False",
                                                    r.arrivalDate,
                                                    r.referDate,
                                                    r.referTime,
                                                    QString::number(r.contactId)};
    const QColor fore = DataGrid::colorFromSetting(colors.get(r.status + "ForeColor"));
    const QColor back = DataGrid::colorFromSetting(colors.get(r.status + "BackColor"));
    if (replace)
        m_list.upsert(r.logId, cells, fore, back);
    else
        m_list.add(r.logId, cells, fore, back);
}

void LogbookPanel::showList(const LogList& list) {
    m_list.clear();
    for (const ListRow& r : list.rows)
        paintRow(r, false);
    m_list.showCount();
}

bool LogbookPanel::runSelection(const LogbookSelection& s, bool guardSize) {
    LogbookSelection onThisEngine = s;
    onThisEngine.engine = m_ctx.db().engine();
    return runBuilt(BuildLogbookSelection(onThisEngine), s.sortIndex, s.window, guardSize);
}

bool LogbookPanel::runBuilt(const BuiltSelection& built, int sortIndex, ListWindow window,
                            bool guardSize) {
    Prompt& prompt = m_ctx.prompt();
    if (!built.refusal.isEmpty()) {
        prompt.message(built.refusal);
        return false;
    }
    try {
        ListRequest request;
        request.sortIndex = sortIndex;
        request.window = window;
        request.filter = built.filter;
        request.source = source();
        const std::optional<LogList> list = ListSelection(m_ctx, request, guardSize);
        if (!list) return false;
        m_list.setListsArchive(request.source == LogSource::Archive);
        lblDescription->setText(built.description);
        showList(*list);
        return true;
    } catch (const DbError& e) {
        ReportError(prompt, e, "GetTheLogEntries", "modDatabase");
        return false;
    }
}

bool LogbookPanel::cmdSearch_Click() {
    LogbookSelection s;
    s.by = SelectBy(cboSelectBy->currentData().toInt());
    s.text = txtSearchText->text();
    s.from = Formats::ParseShortDate(txtFrom->text());
    s.through = Formats::ParseShortDate(txtThrough->text());
    s.groupId = cboGroup->currentData().toLongLong();
    s.groupName = cboGroup->currentText();
    // One optional filter at a time; profile types exist only in the current database.
    if (!m_byProfileType)
        s.category = cboCategory->currentText();
    else if (source() == LogSource::Current)
        s.profileType = cboProfileType->currentText();
    s.status = StatusChoice(cboStatus->currentIndex());
    s.noCancelled = chkNoCancelled->isChecked();
    s.window = ListWindow(cboTimeFrame->currentData().toInt());
    s.sortIndex = cboSort->currentData().toInt();
    // Only a request for everything is counted first.
    const bool everything = s.by == SelectBy::None && s.category.trimmed().isEmpty() &&
                            s.profileType.trimmed().isEmpty() && s.status == StatusChoice::All &&
                            !s.noCancelled;
    return runSelection(s, everything);
}

void LogbookPanel::cmdToggleCategory_Click() {
    m_byProfileType = !m_byProfileType;
    lblCategory->setText(m_byProfileType ? "Profile Type (Opt):" : "Category (Opt):");
    cboCategory->setVisible(!m_byProfileType);
    cboProfileType->setVisible(m_byProfileType);
}

void LogbookPanel::cmdToday_Click() {
    LogbookSelection s;
    s.by = SelectBy::ReferDate;
    s.from = m_ctx.clock().today();
    s.sortIndex = cboSort->currentData().toInt();
    runSelection(s, false);
}

void LogbookPanel::cmdUpdatedToday_Click() {
    LogbookSelection s;
    s.by = SelectBy::UpdateDate;
    s.from = m_ctx.clock().today();
    s.sortIndex = cboSort->currentData().toInt();
    runSelection(s, false);
}

void LogbookPanel::cmdDueOverdue_Click() {
    try {
        if (!MayDoOrSay(m_ctx, Rights::LogbookDueOverdue,
                        "You are not authorized to Show the Due and Overdue Entries."))
            return;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdDueOverdue_Click", FormName, true);
        return;
    }
    runBuilt(DueAndOverdueSelection(m_ctx.clock().today()), 2, ListWindow::AllDates, false);
}

void LogbookPanel::txtQuickSearch_Enter() {
    LogbookSelection s;
    s.by = SelectBy::LastName;
    s.text = txtQuickSearch->text();
    s.sortIndex = 0;
    runSelection(s, false);
}

frmLogbook* LogbookPanel::entryScreen(qint64 logId, LogSource source) {
    auto* f = new frmLogbook(m_ctx, m_hooks, logId, source, this);
    f->setWindowFlag(Qt::Window);
    f->setAttribute(Qt::WA_DeleteOnClose);
    TrackSessionWindow(m_ctx, f); // log-off closes it
    try {
        const QDateTime now = m_ctx.clock().now();
        if (!m_rankedAt.isValid() || m_rankedAt.secsTo(now) > 3600) {
            m_ranking = CategoryRanking(m_ctx.db());
            m_rankedAt = now;
        }
        f->setCategoryRanking(m_ranking);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetLogbookTypes10", "modDatabase");
    }
    f->setNextEntry([this](qint64 current) { return nextKey(current); }, source);
    connect(f, &frmLogbook::movedTo, grdLogbook, &DataGrid::selectKey);
    connect(f, &frmLogbook::entrySaved, this, &LogbookPanel::refreshRow);
    connect(f, &frmLogbook::entryDeleted, this, &LogbookPanel::removeRow);
    return f;
}

frmLogbook* LogbookPanel::openEntry(qint64 logId) {
    return openEntry(logId, listedSource());
}

frmLogbook* LogbookPanel::openEntry(qint64 logId, LogSource source) {
    if (logId <= 0) return nullptr;
    return entryScreen(logId, source);
}

frmLogbook* LogbookPanel::addEntry() {
    const bool guestViewer =
        m_ctx.session.guest || m_ctx.session.name.compare("Guest Viewer", Qt::CaseInsensitive) == 0;
    try {
        if (guestViewer || !MayDo(m_ctx, Rights::LogbookAdd)) {
            m_ctx.prompt().message(MsgAddEntries);
            return nullptr;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdAddLogbook_Click", FormName, true);
        return nullptr;
    }
    return entryScreen(0, LogSource::Current);
}

void LogbookPanel::refreshRow(qint64 logId) {
    if (listedSource() != LogSource::Current) return;
    try {
        LogbookStore store(m_ctx);
        auto e = store.GetTheLogEntry(logId);
        QHash<QString, Category> categories;
        for (const Category& c : GetAllCategories4Edit(m_ctx.db()))
            categories.insert(c.name.toLower(), c);
        if (!e || !EntryVisible(LoadViewer(m_ctx.db(), m_ctx.session), categories, e->entryType,
                                e->restricted)) {
            removeRow(logId);
            return;
        }
        const QString profileType = store.ProfileTypeOf(e->profileId);
        paintRow(MakeListRow(*e, profileType, GetBooleanSetting(m_ctx.db(), "UseGuestID")), true);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "RefreshLogbookRow", FormName, true);
    }
}

qint64 LogbookPanel::nextKey(qint64 logId) {
    return m_list.neighbour(logId, +1);
}

void LogbookPanel::removeRow(qint64 logId) {
    m_list.remove(logId);
}

void LogbookPanel::cmdConfirmations_Click() {
    if (!MayDoOrSay(m_ctx, Rights::LogbookBulkConfirmations,
                    "You are not authorized to print Guest Confirmations."))
        return;
    const QList<qint64> chosen = grdLogbook->selectedKeys();
    try {
        const std::vector<qint64> ids = LogbookStore(m_ctx).ConfirmableEntries(
            std::vector<qint64>(chosen.begin(), chosen.end()), listedSource());
        if (ids.empty()) {
            m_ctx.prompt().message("Please select the Complete or Pending Logbook Entries whose "
                                   "Guest Confirmations you wish to print.");
            return;
        }
        if (m_hooks.printEntries) m_hooks.printEntries(ids, "Confirmation", listedSource(), this);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdConfirmations_Click", "frmSearch", true);
    }
}

void LogbookPanel::cmdItinerary_Click() {
    if (!MayDoOrSay(m_ctx, Rights::LogbookItineraries,
                    "You are not authorized to print Guest Itineraries."))
        return;
    if (!m_hooks.openItinerary) {
        m_ctx.prompt().message("Guest itineraries are not available: the itinerary module is not "
                               "installed.");
        return;
    }
    m_hooks.openItinerary(this);
}

void LogbookPanel::cmdPrintList_Click() {
    const QList<qint64> keys = grdLogbook->keys();
    if (keys.isEmpty()) {
        m_ctx.prompt().message("Please select some Logbook Entries first.  Then print the list.");
        return;
    }
    if (!m_hooks.printLogbookList) return;
    m_hooks.printLogbookList(std::vector<qint64>(keys.begin(), keys.end()), m_list.listsArchive(),
                             this);
}

} // namespace vm
