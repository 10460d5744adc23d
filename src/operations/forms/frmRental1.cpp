#include "operations/forms/frmRental1.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "logbook/EntryRules.h"
#include "operations/forms/frmRental1Items.h"
#include "operations/reports/RentalReports.h"
#include "output/forms/PrintPreview.h"
#include "platform/CsvWriter.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/WidgetPrompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmRental1");
constexpr qint64 TotalKey = -1; // the search grid's TOTAL line

QPushButton* button(const QString& text, const char* name) {
    auto* b = named(new QPushButton(text), name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmRental1::frmRental1(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(FormName);
    setWindowTitle("Rental and Inventory Items - " + Formats::LongDate(ctx.clock().today()));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* top = new QVBoxLayout(this);
    top->addWidget(tabs = named(new QTabWidget, "tabRentals"));
    auto* out = named(new QWidget, "tabItemsOut");
    tabs->addTab(out, "Items Out");
    buildItemsOut(out);
    const char* captions[] = {"Inventory or Need-it-Now Items", "Items Rented by the Day",
                              "Items Rented by the Hour"};
    for (int type = StuffType::Inventory; type <= StuffType::Hourly; ++type) {
        auto* tab = new frmRental1Items(ctx, type);
        m_items[size_t(type - 1)] = tab;
        tabs->addTab(tab, captions[type - 1]);
        connect(tab, &frmRental1Items::changed, this, &frmRental1::refreshLists);
    }
    auto* search = named(new QWidget, "tabSearch");
    tabs->addTab(search, "Search by Dates");
    buildSearch(search);
    auto* texts = named(new QWidget, "tabTexts");
    tabs->addTab(texts, "Rental Texts");
    buildTexts(texts);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPrintDueBack = button("Items Due Back", "cmdPrintDueBack"));
    buttons->addWidget(cmdPrintInventory = button("Inventory List", "cmdPrintInventory"));
    buttons->addWidget(cmdPrintShopping = button("Shopping List", "cmdPrintShopping"));
    buttons->addWidget(cmdPrintResults = button("Rental Results", "cmdPrintResults"));
    buttons->addWidget(cmdExtract = button("Extract", "cmdExtract"));
    buttons->addStretch();
    buttons->addWidget(cmdDelete = button("&Delete", "cmdDelete"));
    buttons->addWidget(cmdSave = button("&Save", "cmdSave"));
    auto* cmdClose = button("&Close", "cmdClose");
    buttons->addWidget(cmdClose);
    top->addLayout(buttons);
    resize(1100, 700);

    connect(tabs, &QTabWidget::currentChanged, this, &frmRental1::tabChanged);
    connect(cmdPrintDueBack, &QPushButton::clicked, this, [this] {
        print(RptDueBack, TitleDueBack,
              {{"date", m_dueBy.isValid() ? Formats::StoredDate(m_dueBy) : QString()}});
    });
    connect(cmdPrintInventory, &QPushButton::clicked, this,
            [this] { print(RptInventoryList, TitleInventoryList); });
    connect(cmdPrintShopping, &QPushButton::clicked, this,
            [this] { print(RptShoppingList, TitleShoppingList); });
    connect(cmdPrintResults, &QPushButton::clicked, this, [this] {
        if (m_searchArgs.isEmpty()) {
            m_ctx.prompt().message(MsgNoRentalsToPrint);
            return;
        }
        print(RptRentalResults, TitleRentalResults, m_searchArgs);
    });
    connect(cmdExtract, &QPushButton::clicked, this, &frmRental1::cmdExtract_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] {
        if (auto* tab = itemsTab()) tab->save();
    });
    connect(cmdDelete, &QPushButton::clicked, this, [this] {
        if (auto* tab = itemsTab()) tab->deleteItem();
    });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);

    refreshCategories();
    for (frmRental1Items* tab : m_items)
        tab->refresh();
    refreshLists();
    tabChanged();
}

frmRental1Items* frmRental1::itemsTab() const {
    return qobject_cast<frmRental1Items*>(tabs->currentWidget());
}

void frmRental1::tabChanged() {
    const bool items = itemsTab() != nullptr;
    cmdSave->setEnabled(items);
    cmdDelete->setEnabled(items);
}

void frmRental1::buildItemsOut(QWidget* page) {
    auto* top = new QVBoxLayout(page);
    auto* pick = new QHBoxLayout;
    pick->addWidget(new QLabel("Due Back By:"));
    pick->addWidget(txtDueBy = makeLineEdit(page, "txtDueBy", false, 10));
    txtDueBy->setPlaceholderText(Formats::ShortDateHint);
    txtDueBy->setMaximumWidth(110);
    pick->addWidget(cmdShowDue = button("Show Due Back", "cmdShowDue"));
    pick->addWidget(cmdShowAll = button("Show All Out", "cmdShowAll"));
    pick->addStretch();
    top->addLayout(pick);
    top->addWidget(new QLabel("Items Out:"));
    top->addWidget(grdItemsOut = named(new DataGrid, "grdItemsOut"), 2);
    grdItemsOut->setHeaders(ItemsOutHeaders());
    top->addWidget(new QLabel("Shopping List (fewer on hand than par):"));
    top->addWidget(grdRestock = named(new DataGrid, "grdRestock"), 1);
    grdRestock->setHeaders(RestockHeaders());
    connect(cmdShowDue, &QPushButton::clicked, this, [this] { showItemsOut(true); });
    connect(txtDueBy, &QLineEdit::returnPressed, this, [this] { showItemsOut(true); });
    connect(cmdShowAll, &QPushButton::clicked, this, [this] { showItemsOut(false); });
    connect(grdItemsOut, &DataGrid::rowActivated, this, &frmRental1::openItem);
    connect(grdRestock, &DataGrid::rowActivated, this, &frmRental1::openItem);
}

void frmRental1::showItemsOut(bool dueOnly) {
    if (dueOnly) {
        const QDate d = Formats::ParseShortDate(txtDueBy->text());
        if (!d.isValid()) {
            m_ctx.prompt().message(MsgRentalSearchDate);
            txtDueBy->setFocus();
            return;
        }
        m_dueBy = d;
    } else {
        m_dueBy = {};
        txtDueBy->clear();
    }
    refreshLists();
}

void frmRental1::refreshLists() {
    try {
        const auto out = GetItemsRented(m_ctx, m_dueBy);
        const auto restock = GetReStockItems(m_ctx);
        grdItemsOut->clearRows();
        for (const StuffItem& i : out)
            grdItemsOut->setRow(i.id, ItemsOutCells(i));
        grdRestock->clearRows();
        for (const StuffItem& i : restock)
            grdRestock->setRow(i.id, RestockCells(i));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetItemsRented", FormName, true);
    }
}

void frmRental1::openItem(qint64 stuffId) {
    for (frmRental1Items* tab : m_items)
        if (tab->showItem(stuffId)) {
            tabs->setCurrentWidget(tab);
            return;
        }
}

void frmRental1::refreshCategories() {
    QStringList names;
    try {
        names = VisibleRentalCategories(m_ctx);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetResTypes", FormName, true);
    }
    for (QComboBox* box : {cboSearchCategory, cboTextCategory}) {
        const QSignalBlocker quiet(box);
        box->clear();
        box->addItem(QString());
        box->addItems(names);
    }
    for (frmRental1Items* tab : m_items)
        tab->refreshCategories();
}

void frmRental1::buildSearch(QWidget* page) {
    auto* top = new QVBoxLayout(page);
    auto* g = new QGridLayout;
    g->addWidget(optByReturn = named(new QRadioButton("By Return Date"), "optByReturn"), 0, 0);
    g->addWidget(optByCheckout = named(new QRadioButton("By Check-Out Date"), "optByCheckout"), 0,
                 1);
    optByReturn->setChecked(true);
    g->addWidget(new QLabel("From:"), 1, 0);
    g->addWidget(txtFromDate = makeLineEdit(page, "txtFromDate", false, 10), 1, 1);
    g->addWidget(new QLabel("Through:"), 1, 2);
    g->addWidget(txtThroughDate = makeLineEdit(page, "txtThroughDate", false, 10), 1, 3);
    for (QLineEdit* e : {txtFromDate, txtThroughDate})
        e->setPlaceholderText(Formats::ShortDateHint);
    g->addWidget(new QLabel("Category:"), 2, 0);
    g->addWidget(cboSearchCategory = named(new QComboBox, "cboSearchCategory"), 2, 1, 1, 3);
    g->addWidget(cmdSearch = button("Search", "cmdSearch"), 1, 4);
    top->addLayout(g);
    top->addWidget(grdSearch = named(new DataGrid, "grdSearch"), 1);
    grdSearch->setHeaders(SearchHeaders());
    grdSearch->setPinnedLast(TotalKey);
    connect(cmdSearch, &QPushButton::clicked, this, &frmRental1::cmdSearch_Click);
    connect(txtThroughDate, &QLineEdit::returnPressed, this, &frmRental1::cmdSearch_Click);
}

void frmRental1::cmdSearch_Click() {
    Prompt& prompt = m_ctx.prompt();
    try {
        if (!MayDoOrSay(m_ctx, Rights::OthersRentalsSearch, MsgRentalSearchRefused)) return;
    } catch (const DbError& e) {
        ReportError(prompt, e, "cmdSearch_Click", FormName, true);
        return;
    }
    const QString refusal = CheckLoanSearch(txtFromDate->text(), txtThroughDate->text());
    if (!refusal.isEmpty()) {
        prompt.message(refusal);
        (Formats::ParseShortDate(txtFromDate->text()).isValid() ? txtThroughDate : txtFromDate)
            ->setFocus();
        return;
    }
    const QDate from = Formats::ParseShortDate(txtFromDate->text());
    const QDate through = Formats::ParseShortDate(txtThroughDate->text());
    const bool byCheckout = optByCheckout->isChecked();
    qint64 categoryId = 0;
    std::vector<StuffLoan> loans;
    try {
        WaitCursor wait;
        if (!cboSearchCategory->currentText().isEmpty())
            categoryId = RentalCategoryId(m_ctx, cboSearchCategory->currentText());
        loans = GetStuffSearch(m_ctx, from, through, byCheckout, categoryId);
    } catch (const DbError& e) {
        ReportError(prompt, e, "GetStuffSearch", FormName, true);
        return;
    }
    grdSearch->clearRows();
    for (const StuffLoan& l : loans)
        grdSearch->setRow(l.id, SearchCells(l));
    grdSearch->setRow(TotalKey, SearchTotalCells(loans));
    m_searchArgs = {{"from", Formats::StoredDate(from)},
                    {"through", Formats::StoredDate(through)},
                    {"byCheckout", byCheckout},
                    {"categoryId", categoryId}};
}

void frmRental1::buildTexts(QWidget* page) {
    auto* top = new QHBoxLayout(page);
    auto* defaults = new QGroupBox("Default Rental Texts");
    auto* d = new QVBoxLayout(defaults);
    d->addWidget(new QLabel("Printed above the rental details:"));
    d->addWidget(txtRentConf1 = named(new QPlainTextEdit, "txtRentConf1"));
    d->addWidget(new QLabel("Printed below the rental details:"));
    d->addWidget(txtRentConf2 = named(new QPlainTextEdit, "txtRentConf2"));
    d->addWidget(chkPrintCheckOut = named(new QCheckBox("Print the Rental Charges at Check-Out"),
                                          "chkPrintCheckOut"));
    d->addWidget(chkPrintCheckIn = named(new QCheckBox("Print the Rental Charges at Check-In"),
                                         "chkPrintCheckIn"));
    d->addWidget(cmdSaveDefaults = button("Save Defaults", "cmdSaveDefaults"));
    top->addWidget(defaults);

    auto* perCategory = new QGroupBox("Rental Texts of a Category");
    auto* c = new QVBoxLayout(perCategory);
    auto* pick = new QHBoxLayout;
    pick->addWidget(new QLabel("Category:"));
    pick->addWidget(cboTextCategory = named(new QComboBox, "cboTextCategory"), 1);
    c->addLayout(pick);
    c->addWidget(new QLabel("Printed above the rental details:"));
    c->addWidget(txtCatRentConf1 = named(new QPlainTextEdit, "txtCatRentConf1"));
    c->addWidget(new QLabel("Printed below the rental details:"));
    c->addWidget(txtCatRentConf2 = named(new QPlainTextEdit, "txtCatRentConf2"));
    c->addWidget(cmdSaveText = button("Save Category Text", "cmdSaveText"));
    top->addWidget(perCategory);

    try {
        const RentalDefaults saved = GetRentalDefaults(m_ctx);
        txtRentConf1->setPlainText(ToDisplayText(saved.texts.conf1));
        txtRentConf2->setPlainText(ToDisplayText(saved.texts.conf2));
        chkPrintCheckOut->setChecked(saved.printCheckOut);
        chkPrintCheckIn->setChecked(saved.printCheckIn);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetRentalDefaults", FormName, true);
    }
    connect(cboTextCategory, &QComboBox::currentIndexChanged, this,
            &frmRental1::textCategoryChanged);
    connect(cmdSaveText, &QPushButton::clicked, this, &frmRental1::cmdSaveText_Click);
    connect(cmdSaveDefaults, &QPushButton::clicked, this, &frmRental1::cmdSaveDefaults_Click);
}

void frmRental1::textCategoryChanged() {
    txtCatRentConf1->clear();
    txtCatRentConf2->clear();
    if (cboTextCategory->currentText().isEmpty()) return;
    try {
        const RentalTexts t =
            GetRentalText(m_ctx, RentalCategoryId(m_ctx, cboTextCategory->currentText()));
        txtCatRentConf1->setPlainText(ToDisplayText(t.conf1));
        txtCatRentConf2->setPlainText(ToDisplayText(t.conf2));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetRentalText", FormName, true);
    }
}

void frmRental1::cmdSaveText_Click() {
    try {
        const qint64 id = cboTextCategory->currentText().isEmpty()
                              ? 0
                              : RentalCategoryId(m_ctx, cboTextCategory->currentText());
        const QString refusal = SaveRentalText(m_ctx, id,
                                               {ToStoredText(txtCatRentConf1->toPlainText()),
                                                ToStoredText(txtCatRentConf2->toPlainText())});
        if (!refusal.isEmpty()) {
            m_ctx.prompt().message(refusal);
            if (refusal == MsgRentalTextCategory) cboTextCategory->setFocus();
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "SaveRentalText", FormName, true);
    }
}

void frmRental1::cmdSaveDefaults_Click() {
    RentalDefaults d;
    d.texts = {ToStoredText(txtRentConf1->toPlainText()),
               ToStoredText(txtRentConf2->toPlainText())};
    d.printCheckOut = chkPrintCheckOut->isChecked();
    d.printCheckIn = chkPrintCheckIn->isChecked();
    try {
        const QString refusal = SaveRentalDefaults(m_ctx, d);
        if (!refusal.isEmpty()) m_ctx.prompt().message(refusal);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "SaveRentalDefaults", FormName, true);
    }
}

void frmRental1::cmdExtract_Click() {
    // The list of the tab shown.
    const DataGrid* grid = nullptr;
    if (auto* tab = itemsTab())
        grid = tab->grid();
    else if (tabs->currentIndex() == 0)
        grid = grdItemsOut;
    else if (tabs->currentWidget()->objectName() == "tabSearch")
        grid = grdSearch;
    if (!grid || grid->rowCount() == 0 || (grid == grdSearch && grid->rowCount() == 1)) {
        m_ctx.prompt().message(MsgRentalNothingToExport);
        return;
    }
    const QString path = m_ctx.workstation.outputFolder() + RentalExportFileName;
    WaitCursor wait;
    m_ctx.prompt().message(FileWrittenMessage(path, WriteGridCsv(*grid, path)));
}

void frmRental1::print(const QString& routine, const QString& title, const QVariantMap& args) {
    try {
        if (!MayDoOrSay(m_ctx, Rights::OthersRentalsPrint, MsgRentalPrintRefused)) return;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdPrint_Click", FormName, true);
        return;
    }
    OpenReport(m_ctx, {routine, title, args}, this);
}

} // namespace vm
