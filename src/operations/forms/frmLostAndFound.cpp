#include "operations/forms/frmLostAndFound.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "core/Settings.h"
#include "logbook/EntryRules.h"
#include "operations/forms/frmLostDisposed.h"
#include "operations/forms/frmLostFound.h"
#include "operations/forms/frmLostLost.h"
#include "operations/forms/frmLostParts.h"
#include "operations/reports/LostFoundReports.h"
#include "output/forms/PrintPreview.h"
#include "platform/DbError.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmLostAndFound");

QString boolText(bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); }

} // namespace

frmLostAndFound::frmLostAndFound(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(FormName);
    setWindowTitle("Lost and Found");
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* top = new QVBoxLayout(this);
    top->addWidget(tabs = named(new QTabWidget, "tabLostAndFound"));
    const auto page = [this](const QString& caption, const char* objectName) {
        auto* w = named(new QWidget, objectName);
        tabs->addTab(w, caption);
        return w;
    };
    buildSearch(page("Search", "tabSearch"));
    buildMaintenance(page("Dispose and Delete", "tabMaintenance"));
    buildOptions(page("Options", "tabOptions"));
    buildLists(page("User Defined Categories", "tabUdCategories"));
    resize(980, 680);
    showOptions();
    refreshLists();
}

// ---- search page ----------------------------------------------------------

void frmLostAndFound::buildSearch(QWidget* page) {
    auto* top = new QVBoxLayout(page);
    auto* lists = new QHBoxLayout;
    lists->addWidget(optLost = named(new QRadioButton("Lost Items"), "optLost"));
    lists->addWidget(optFound = named(new QRadioButton("Found Items"), "optFound"));
    lists->addWidget(optClosed = named(new QRadioButton("Closed Items"), "optClosed"));
    lists->addStretch();
    optLost->setChecked(true);
    auto* listGroup = new QButtonGroup(page);
    for (QRadioButton* b : {optLost, optFound, optClosed})
        listGroup->addButton(b);
    top->addLayout(lists);

    auto* g = new QGridLayout;
    auto* criteria = new QButtonGroup(page);
    int row = 0;
    const auto criterion = [&](QRadioButton*& opt, const QString& caption, const char* name,
                               QWidget* input, QWidget* second = nullptr) {
        opt = named(new QRadioButton(caption), name);
        criteria->addButton(opt);
        g->addWidget(opt, row, 0);
        if (input) g->addWidget(input, row, 1);
        if (second) g->addWidget(second, row, 2);
        if (input) // typing or choosing a value picks its criterion
            for (QWidget* w : {input, second}) {
                if (auto* e = qobject_cast<QLineEdit*>(w))
                    connect(e, &QLineEdit::textEdited, opt, [opt] { opt->setChecked(true); });
                if (auto* c = qobject_cast<QComboBox*>(w))
                    connect(c, &QComboBox::activated, opt, [opt] { opt->setChecked(true); });
            }
        ++row;
    };
    criterion(optAll, "All Items", "optAll", nullptr);
    criterion(optWord, "Search Word:", "optWord",
              txtSearchWord = makeLineEdit(page, "txtSearchWord", false, 50));
    criterion(optDateRange, "Date Range:", "optDateRange",
              txtFromDate = makeLineEdit(page, "txtFromDate", false, 10),
              txtThroughDate = makeLineEdit(page, "txtThroughDate", false, 10));
    for (QLineEdit* e : {txtFromDate, txtThroughDate})
        e->setPlaceholderText(Formats::ShortDateHint);
    criterion(optDisposition, "Select Disposition:", "optDisposition",
              cboSearchDisposition = MakeLookupBox(m_ctx, "cboSearchDisposition", "Disposal"));
    criterion(optLocation, "Select Location:", "optLocation",
              cboSearchLocation = MakeLookupBox(m_ctx, "cboSearchLocation", "LFLocation"));
    criterion(optRoom, "Room Number:", "optRoom",
              txtRoomNumber = makeLineEdit(page, "txtRoomNumber", false, 20));
    criterion(optStorage, "Storage Location:", "optStorage",
              cboSearchStorage = MakeLookupBox(m_ctx, "cboSearchStorage", "LFStorage"));
    QString tagCaption = QStringLiteral("Tag Number");
    try {
        tagCaption = LfTagCaption(m_ctx);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "LfTagCaption", FormName, true);
    }
    criterion(optTag, tagCaption + ":", "optTag",
              txtTagNumber = makeLineEdit(page, "txtTagNumber", false, 50));
    criterion(optLastName, "Last Name:", "optLastName",
              txtLastName = makeLineEdit(page, "txtLastName", false, 50));
    criterion(optFinder, "Finder Name:", "optFinder",
              txtFinderName = makeLineEdit(page, "txtFinderName", false, 50));
    optAll->setChecked(true);
    g->addWidget(new QLabel("Category:"), row, 0);
    g->addWidget(cboCategoryFilter = MakeLookupBox(m_ctx, "cboCategoryFilter", "LFCategory"), row, 1);
    g->setColumnStretch(3, 1);
    top->addLayout(g);

    auto* actions = new QHBoxLayout;
    actions->addWidget(cmdSearch = named(new QPushButton("Search"), "cmdSearch"));
    actions->addWidget(lblCount = named(new QLabel, "lblCount"), 1);
    top->addLayout(actions);
    top->addWidget(grdLostFound = named(new DataGrid, "grdLostFound"), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAddLost = named(new QPushButton("Add Lost Item"), "cmdAddLost"));
    buttons->addWidget(cmdAddFound = named(new QPushButton("Add Found Item"), "cmdAddFound"));
    buttons->addStretch();
    buttons->addWidget(cmdPrint = named(new QPushButton("Print"), "cmdPrint"));
    top->addLayout(buttons);
    cmdPrint->setEnabled(false);
    for (QPushButton* b : {cmdSearch, cmdAddLost, cmdAddFound, cmdPrint})
        b->setAutoDefault(false);
    connect(cmdSearch, &QPushButton::clicked, this, &frmLostAndFound::cmdSearch_Click);
    for (QLineEdit* e : {txtSearchWord, txtRoomNumber, txtTagNumber, txtLastName, txtFinderName,
                         txtThroughDate})
        connect(e, &QLineEdit::returnPressed, this, &frmLostAndFound::cmdSearch_Click);
    connect(grdLostFound, &DataGrid::rowActivated, this, &frmLostAndFound::openItem);
    connect(cmdAddLost, &QPushButton::clicked, this, [this] { cmdAdd_Click(true); });
    connect(cmdAddFound, &QPushButton::clicked, this, [this] { cmdAdd_Click(false); });
    connect(cmdPrint, &QPushButton::clicked, this, &frmLostAndFound::cmdPrint_Click);
}

QString frmLostAndFound::listStatus() const {
    if (optFound->isChecked()) return kLfFound;
    if (optClosed->isChecked()) return kLfClosed;
    return kLfLost;
}

LfSearch frmLostAndFound::typedSearch() const {
    LfSearch s;
    s.status = listStatus();
    s.category = LookupValue(cboCategoryFilter);
    const QList<std::tuple<QRadioButton*, LfSearchKind, QString>> kinds{
        {optWord, LfSearchKind::Word, txtSearchWord->text()},
        {optDateRange, LfSearchKind::DateRange, {}},
        {optDisposition, LfSearchKind::Disposition, LookupValue(cboSearchDisposition)},
        {optLocation, LfSearchKind::Location, LookupValue(cboSearchLocation)},
        {optRoom, LfSearchKind::RoomNumber, txtRoomNumber->text()},
        {optStorage, LfSearchKind::Storage, LookupValue(cboSearchStorage)},
        {optTag, LfSearchKind::TagOrId, txtTagNumber->text()},
        {optLastName, LfSearchKind::LastName, txtLastName->text()},
        {optFinder, LfSearchKind::FinderName, txtFinderName->text()}};
    for (const auto& [opt, kind, value] : kinds)
        if (opt->isChecked()) {
            s.kind = kind;
            s.value = value.trimmed();
        }
    if (s.kind == LfSearchKind::DateRange) {
        s.from = Formats::ParseShortDate(txtFromDate->text().trimmed());
        s.through = Formats::ParseShortDate(txtThroughDate->text().trimmed());
    }
    return s;
}

void frmLostAndFound::cmdSearch_Click() { runSearch(typedSearch()); }

void frmLostAndFound::runSearch(const LfSearch& s) {
    LfSearchResult result;
    try {
        WaitCursor wait;
        result = LFSearchItems(m_ctx, s);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdSearch_Click", FormName, true);
        return;
    }
    if (!result.refusal.isEmpty()) {
        m_ctx.prompt().message(result.refusal);
        return;
    }
    grdLostFound->clearRows();
    if (s.status == kLfLost) {
        grdLostFound->setHeaders({"Description", "Category", "Date Lost", "Where Lost", "Owner",
                                  "Room Number"});
        for (const LfListRow& i : result.rows)
            grdLostFound->setRow(i.id, {i.itemText, i.category, ShownDate(i.lostDate),
                                        i.lostLocation, i.ownerName(), i.roomNumber.trimmed()});
    } else if (s.status == kLfFound) {
        grdLostFound->setHeaders({"Description", "Category", "Date Found", "Where Found",
                                  "Where Stored", LfTagCaption(m_ctx), "Finder Name"});
        const bool idAsTag = LfUseItemIdAsTag(m_ctx);
        for (const LfListRow& i : result.rows)
            grdLostFound->setRow(i.id, {i.itemText, i.category, ShownDate(i.foundDate),
                                        i.foundLocation, i.storedLocation,
                                        idAsTag ? QString::number(i.id) : i.tagNumber.trimmed(),
                                        i.finderName});
    } else {
        grdLostFound->setHeaders({"Description", "Category", "Date Disposed", "Disposition",
                                  "Returned To", "Return Method"});
        for (const LfListRow& i : result.rows)
            grdLostFound->setRow(i.id, {i.itemText, i.category, ShownDate(i.disposedDate),
                                        i.disposition, i.ownerName(), i.returnMethod});
    }
    lblCount->setText(LfEntriesSelectedText(int(result.rows.size())));
    m_searched = s;
    cmdPrint->setEnabled(!result.rows.empty());
}

void frmLostAndFound::openForm(QDialog* form) {
    form->setAttribute(Qt::WA_DeleteOnClose);
    TrackSessionWindow(m_ctx, form);
    form->show();
}

void frmLostAndFound::openItem(qint64 id) {
    if (!id || !m_searched) return;
    const QString status = m_searched->status;
    if (status == kLfLost) {
        auto* form = new frmLostLost(m_ctx, id, this);
        connect(form, &frmLostLost::changed, this, [this] { runSearch(*m_searched); });
        openForm(form);
    } else if (status == kLfFound) {
        auto* form = new frmLostFound(m_ctx, id, this);
        connect(form, &frmLostFound::changed, this, [this] { runSearch(*m_searched); });
        openForm(form);
    } else {
        openForm(new frmLostDisposed(m_ctx, id, this));
    }
}

void frmLostAndFound::cmdAdd_Click(bool lost) {
    if (!MayDoOrSay(m_ctx, Rights::AddOnsLostAndFound, kLfMsgNotAuthorizedAdd)) return;
    const auto refresh = [this] {
        if (m_searched) runSearch(*m_searched);
    };
    if (lost) {
        auto* form = new frmLostLost(m_ctx, 0, this);
        connect(form, &frmLostLost::changed, this, refresh);
        openForm(form);
    } else {
        auto* form = new frmLostFound(m_ctx, 0, this);
        connect(form, &frmLostFound::changed, this, refresh);
        openForm(form);
    }
}

void frmLostAndFound::cmdPrint_Click() {
    if (!m_searched) return;
    const LfSearch& s = *m_searched;
    const QVariantMap args{
        {"status", s.status},
        {"kind", int(s.kind)},
        {"value", s.value},
        {"from", s.from.isValid() ? Formats::StoredDate(s.from) : QString()},
        {"through", s.through.isValid() ? Formats::StoredDate(s.through) : QString()},
        {"category", s.category}};
    OpenReport(m_ctx, {RptLostFoundList, LfListHeading(s.status), args}, this);
}

// ---- dispose and delete ---------------------------------------------------

void frmLostAndFound::buildMaintenance(QWidget* page) {
    auto* top = new QVBoxLayout(page);
    auto* dispose = new QGroupBox("Dispose of Found Items");
    auto* d = new QHBoxLayout(dispose);
    d->addWidget(new QLabel("Dispose of all Found Items found before:"));
    d->addWidget(txtDisposeDate = makeLineEdit(page, "txtDisposeDate", false, 10));
    d->addWidget(cmdDispose = named(new QPushButton("Dispose"), "cmdDispose"));
    d->addStretch();
    top->addWidget(dispose);
    auto* remove = new QGroupBox("Delete Old Entries");
    auto* r = new QGridLayout(remove);
    r->addWidget(optDeleteLost = named(new QRadioButton("Lost Items (by Date Lost)"), "optDeleteLost"),
                 0, 0);
    r->addWidget(optDeleteClosed = named(new QRadioButton("Closed Items (by Date Disposed)"),
                                         "optDeleteClosed"),
                 0, 1);
    optDeleteLost->setChecked(true);
    r->addWidget(new QLabel("Delete all entries before:"), 1, 0);
    r->addWidget(txtDeleteDate = makeLineEdit(page, "txtDeleteDate", false, 10), 1, 1);
    r->addWidget(cmdDeleteLF = named(new QPushButton("Delete"), "cmdDeleteLF"), 1, 2);
    top->addWidget(remove);
    top->addStretch();
    for (QLineEdit* e : {txtDisposeDate, txtDeleteDate})
        e->setPlaceholderText(Formats::ShortDateHint);
    for (QPushButton* b : {cmdDispose, cmdDeleteLF})
        b->setAutoDefault(false);
    connect(cmdDispose, &QPushButton::clicked, this, &frmLostAndFound::cmdDispose_Click);
    connect(cmdDeleteLF, &QPushButton::clicked, this, &frmLostAndFound::cmdDeleteLF_Click);
}

void frmLostAndFound::cmdDispose_Click() {
    runMass(LfMassKind::DisposeFound, Formats::ParseShortDate(txtDisposeDate->text().trimmed()));
}

void frmLostAndFound::cmdDeleteLF_Click() {
    runMass(optDeleteClosed->isChecked() ? LfMassKind::DeleteDisposed : LfMassKind::DeleteLost,
            Formats::ParseShortDate(txtDeleteDate->text().trimmed()));
}

void frmLostAndFound::runMass(LfMassKind kind, const QDate& prior) {
    Prompt& prompt = m_ctx.prompt();
    if (const QString refusal = LFCheckMassDate(m_ctx, kind, prior); !refusal.isEmpty()) {
        prompt.message(refusal);
        return;
    }
    if (prompt.ask(LFMassConfirmText(kind, prior), {}, Buttons::YesNo, Icon::Question,
                   Answer::No) != Answer::Yes)
        return;
    QProgressDialog progress(kind == LfMassKind::DisposeFound ? "Disposing of Found Items..."
                                                              : "Deleting entries...",
                             QString(), 0, 0, this);
    progress.setObjectName("dlgProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    const LfProgress step = [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done); // a modal progress dialog keeps the window painting
    };
    LfMassResult result;
    try {
        WaitCursor wait;
        switch (kind) {
        case LfMassKind::DisposeFound: result = LFDisposeItems(m_ctx, prior, step); break;
        case LfMassKind::DeleteLost: result = LFDeleteLostItems(m_ctx, prior, step); break;
        case LfMassKind::DeleteDisposed: result = LFDeleteDisposedItems(m_ctx, prior, step); break;
        }
    } catch (const DbError& e) {
        progress.reset();
        ReportError(prompt, e, kind == LfMassKind::DisposeFound ? "cmdDispose_Click"
                                                                : "cmdDeleteLF_Click",
                    FormName, true);
        return;
    }
    progress.reset();
    prompt.message(result.message);
    if (m_searched) runSearch(*m_searched);
}

// ---- options --------------------------------------------------------------

void frmLostAndFound::buildOptions(QWidget* page) {
    auto* top = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    form->addRow("Default Disposition for Found Items:",
                 cboFoundDisposition = MakeLookupBox(m_ctx, "cboFoundDisposition", "Disposal"));
    form->addRow("Default Disposition for Matched Items:",
                 cboMatchedDisposition = MakeLookupBox(m_ctx, "cboMatchedDisposition", "Disposal"));
    top->addLayout(form);
    top->addWidget(chkLockCategoryItems =
                       named(new QCheckBox("Lock the User Defined Category Items on the Item screens"),
                             "chkLockCategoryItems"));
    top->addWidget(chkLockEditing = named(new QCheckBox("Saved Found Items open Read-Only"),
                                          "chkLockEditing"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSave = named(new QPushButton("Save"), "cmdSave"));
    buttons->addStretch();
    top->addLayout(buttons);
    top->addStretch();
    cmdSave->setAutoDefault(false);
    connect(cmdSave, &QPushButton::clicked, this, &frmLostAndFound::cmdSave_Click);
}

void frmLostAndFound::showOptions() {
    try {
        const LfOptions o = GetOptionsLF(m_ctx);
        SetLookupValue(cboFoundDisposition, o.foundDisposition);
        SetLookupValue(cboMatchedDisposition, o.matchedDisposition);
        chkLockCategoryItems->setChecked(LfLockCategoryItems(m_ctx));
        chkLockEditing->setChecked(LfLockEditing(m_ctx));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetOptionsLF", FormName, true);
    }
}

void frmLostAndFound::cmdSave_Click() {
    LfOptions o;
    o.foundDisposition = LookupValue(cboFoundDisposition);
    o.matchedDisposition = LookupValue(cboMatchedDisposition);
    if (const QString refusal = CheckOptionsLF(o); !refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        (refusal == kLfMsgOptionFoundDisposition ? cboFoundDisposition : cboMatchedDisposition)
            ->setFocus();
        return;
    }
    try {
        m_ctx.db().transaction([&] {
            SetOptionsLF(m_ctx, o);
            SetValueFromKey(m_ctx.db(), "LockLNFCategoryItems",
                            boolText(chkLockCategoryItems->isChecked()));
            SetValueFromKey(m_ctx.db(), "LockLNFEditing", boolText(chkLockEditing->isChecked()));
        });
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "SetOptionsLF", FormName, true);
    }
}

// ---- user-defined lists ---------------------------------------------------

void frmLostAndFound::buildLists(QWidget* page) {
    auto* top = new QHBoxLayout(page);
    const auto column = [&](const QString& caption, QListWidget*& list, const char* listName,
                            QList<std::pair<QPushButton**, std::pair<const char*, const char*>>> buttons) {
        auto* box = new QGroupBox(caption);
        auto* v = new QVBoxLayout(box);
        v->addWidget(list = named(new QListWidget, listName), 1);
        auto* row = new QHBoxLayout;
        for (auto& [button, text] : buttons) {
            row->addWidget(*button = named(new QPushButton(text.first), text.second));
            (*button)->setAutoDefault(false);
        }
        v->addLayout(row);
        top->addWidget(box, 1);
    };
    column("User Defined Categories", lstUdCats, "lstUdCats",
           {{&cmdNewUdCat, {"New Category", "cmdNewUdCat"}},
            {&cmdRenameUdCat, {"Rename Category", "cmdRenameUdCat"}}});
    column("Category Items", lstUdItems, "lstUdItems",
           {{&cmdNewUdItem, {"New Item", "cmdNewUdItem"}},
            {&cmdRenameUdItem, {"Rename Item", "cmdRenameUdItem"}},
            {&cmdDeleteUdItem, {"Delete Item", "cmdDeleteUdItem"}}});
    connect(lstUdCats, &QListWidget::currentRowChanged, this, [this] { refreshListItems(); });
    connect(cmdNewUdCat, &QPushButton::clicked, this, &frmLostAndFound::cmdNewList_Click);
    connect(cmdRenameUdCat, &QPushButton::clicked, this, &frmLostAndFound::cmdRenameList_Click);
    connect(cmdNewUdItem, &QPushButton::clicked, this, &frmLostAndFound::cmdNewListItem_Click);
    connect(cmdRenameUdItem, &QPushButton::clicked, this, &frmLostAndFound::cmdRenameListItem_Click);
    connect(cmdDeleteUdItem, &QPushButton::clicked, this, &frmLostAndFound::cmdDeleteListItem_Click);
}

qint64 frmLostAndFound::currentList() const {
    const QListWidgetItem* i = lstUdCats->currentItem();
    return i ? i->data(Qt::UserRole).toLongLong() : 0;
}

qint64 frmLostAndFound::currentListItem() const {
    const QListWidgetItem* i = lstUdItems->currentItem();
    return i ? i->data(Qt::UserRole).toLongLong() : 0;
}

void frmLostAndFound::refreshLists(qint64 selectCat) {
    const QSignalBlocker block(lstUdCats);
    lstUdCats->clear();
    try {
        for (const LfUdList& l : GetLostAndFoundUserDefinedCats(m_ctx)) {
            auto* item = new QListWidgetItem(l.name, lstUdCats);
            item->setData(Qt::UserRole, l.catId);
            if (l.catId == selectCat || (!selectCat && lstUdCats->count() == 1))
                lstUdCats->setCurrentItem(item);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetLostAndFoundUserDefinedCats", FormName, true);
    }
    refreshListItems();
}

void frmLostAndFound::refreshListItems(qint64 selectItem) {
    lstUdItems->clear();
    const qint64 cat = currentList();
    if (!cat) return;
    try {
        for (const LfUdListItem& i : GetUserDefinedCategoryItems(m_ctx, cat)) {
            auto* item = new QListWidgetItem(i.caption, lstUdItems);
            item->setData(Qt::UserRole, i.enumId);
            if (i.enumId == selectItem) lstUdItems->setCurrentItem(item);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetUserDefinedCategoryItems", FormName, true);
    }
}

bool frmLostAndFound::shown(const LfListResult& r) {
    if (!r.ok && !r.message.isEmpty()) m_ctx.prompt().message(r.message, r.title);
    return r.ok;
}

void frmLostAndFound::cmdNewList_Click() {
    Prompt& prompt = m_ctx.prompt();
    try {
        // Refused before a name is asked for.
        if (GetLostAndFoundUserDefinedCats(m_ctx).size() >= 5) {
            prompt.message(kLfMsgTooManyLists, kLfTitleTooManyLists);
            return;
        }
        const auto name = prompt.input(kLfMsgNewList, kLfTitleNewList);
        if (!name || name->trimmed().isEmpty()) return;
        const LfListResult r = CreateLostAndFoundUdCategory(m_ctx, name->trimmed());
        if (shown(r)) refreshLists(r.id);
    } catch (const DbError& e) {
        ReportError(prompt, e, "CreateLostAndFoundUdCategory", FormName, true);
    }
}

void frmLostAndFound::cmdRenameList_Click() {
    const qint64 cat = currentList();
    if (!cat) return;
    const QString was = lstUdCats->currentItem()->text();
    const auto name = m_ctx.prompt().input(LfRenameListText(was), kLfTitleRenameList, was);
    if (!name || name->trimmed().isEmpty() || name->trimmed() == was) return;
    try {
        if (shown(RenameLostAndFoundUdCategory(m_ctx, cat, name->trimmed()))) refreshLists(cat);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "RenameLostAndFoundUdCategory", FormName, true);
    }
}

void frmLostAndFound::cmdNewListItem_Click() {
    const qint64 cat = currentList();
    if (!cat) return;
    const auto caption = m_ctx.prompt().input(kLfMsgNewListItem, kLfTitleNewListItem);
    if (!caption || caption->trimmed().isEmpty()) return;
    try {
        const LfListResult r = CreateLostAndFoundUdCategoryItem(m_ctx, cat, caption->trimmed());
        if (shown(r)) refreshListItems(r.id);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "CreateLostAndFoundUdCategoryItem", FormName, true);
    }
}

void frmLostAndFound::cmdRenameListItem_Click() {
    const qint64 id = currentListItem();
    if (!id) return;
    const QString was = lstUdItems->currentItem()->text();
    const auto caption =
        m_ctx.prompt().input(LfRenameListItemText(was), kLfTitleRenameListItem, was);
    if (!caption || caption->trimmed().isEmpty() || caption->trimmed() == was) return;
    try {
        if (shown(RenameLostAndFoundUdCategoryItem(m_ctx, id, caption->trimmed())))
            refreshListItems(id);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "RenameLostAndFoundUdCategoryItem", FormName, true);
    }
}

void frmLostAndFound::cmdDeleteListItem_Click() {
    const qint64 id = currentListItem();
    if (!id) return;
    if (m_ctx.prompt().ask(kLfMsgDeleteListItem, kLfTitleDeleteListItem, Buttons::YesNo,
                           Icon::Exclamation, Answer::No) != Answer::Yes)
        return;
    try {
        DeleteLostAndFoundUdCategoryItem(m_ctx, id);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "DeleteLostAndFoundUdCategoryItem", FormName, true);
    }
    refreshListItems();
}

} // namespace vm
