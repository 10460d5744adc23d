#include "operations/forms/frmRental1Items.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "logbook/EntryRules.h"
#include "operations/reports/RentalReports.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmRental1");
// Items that are out are drawn in red (colour value 255).
const QColor OutColor(255, 0, 0);

} // namespace

frmRental1Items::frmRental1Items(AppContext& ctx, int type, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_type(type) {
    setObjectName(QString("fraItems%1").arg(type));
    build();
}

void frmRental1Items::build() {
    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(grdItems = named(new DataGrid, "grdItems"), 1);
    grdItems->setHeaders(ItemGridHeaders());
    left->addWidget(lblCheckOut = named(new QLabel, "lblCheckOut"));
    left->addWidget(grdHistory = named(new DataGrid, "grdHistory"));
    grdHistory->setHeaders({"Renter", "Room", "Out Date", "Return Date", "Charge"});
    grdHistory->setMaximumHeight(150);
    top->addLayout(left, 3);

    auto* right = new QVBoxLayout;
    auto* itemBox = new QGroupBox("Item");
    auto* g = new QGridLayout(itemBox);
    int row = 0;
    const auto field = [&](const QString& label, QWidget* w) {
        g->addWidget(new QLabel(label), row, 0);
        g->addWidget(w, row++, 1);
    };
    field("Category:", cboCategory = named(new QComboBox, "cboCategory"));
    field("Description:", txtItemName = makeLineEdit(this, "txtItemName", false, 50));
    field("Item Number:", txtItemNumber = makeLineEdit(this, "txtItemNumber", false, 25));
    field(m_type == StuffType::Hourly ? "Rental Period (Hours):" : "Rental Period (Days):",
          txtRentalDays = makeLineEdit(this, "txtRentalDays", false, 7));
    field(m_type == StuffType::Hourly ? "Charge per Hour:" : "Charge per Day:",
          txtRentalCharge = makeLineEdit(this, "txtRentalCharge", false, 12));
    field("Par:", txtPar = makeLineEdit(this, "txtPar", false, 7));
    field("On Hand:", txtOnHand = makeLineEdit(this, "txtOnHand", false, 7));
    field("Quantity:", txtQuantity = makeLineEdit(this, "txtQuantity", false, 7));
    auto* stock = new QHBoxLayout;
    stock->addWidget(cmdNew = named(new QPushButton("New Item"), "cmdNew"));
    stock->addWidget(cmdRestock = named(new QPushButton("Restock"), "cmdRestock"));
    g->addLayout(stock, row++, 0, 1, 2);
    right->addWidget(itemBox);

    auto* loanBox = named(new QGroupBox(IsRentalType(m_type) ? "Rental" : "Issue"), "fraLoan");
    auto* l = new QGridLayout(loanBox);
    row = 0;
    const auto loanField = [&](const QString& label, QWidget* w) {
        l->addWidget(new QLabel(label), row, 0);
        l->addWidget(w, row++, 1);
    };
    if (IsRentalType(m_type)) {
        loanField("Name:", txtRenterName = makeLineEdit(this, "txtRenterName", false, 50));
        loanField("Room Number:", txtRoomNumber = makeLineEdit(this, "txtRoomNumber", false, 10));
        loanField("Return Date:", txtReturnDate = makeLineEdit(this, "txtReturnDate", false, 10));
        txtReturnDate->setPlaceholderText(Formats::ShortDateHint);
        loanField("Return Time:", txtReturnTime = makeLineEdit(this, "txtReturnTime", false, 8));
        txtReturnTime->setPlaceholderText("hh:mm AM");
    }
    auto* lend = new QHBoxLayout;
    lend->addWidget(
        cmdCheckOut =
            named(new QPushButton(IsRentalType(m_type) ? "Check Out" : "Issue"), "cmdCheckOut"));
    if (IsRentalType(m_type)) {
        lend->addWidget(cmdCheckIn = named(new QPushButton("Check In"), "cmdCheckIn"));
        lend->addWidget(cmdChangeDate = named(new QPushButton("Change Date"), "cmdChangeDate"));
        lend->addWidget(cmdPrintCharges =
                            named(new QPushButton("Print Charges"), "cmdPrintCharges"));
    }
    l->addLayout(lend, row++, 0, 1, 2);
    right->addWidget(loanBox);
    right->addStretch();
    top->addLayout(right, 2);
    if (!IsRentalType(m_type)) {
        lblCheckOut->hide();
        grdHistory->hide();
    }

    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);
    connect(grdItems->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { itemChosen(grdItems->currentKey()); });
    connect(grdItems, &DataGrid::rowActivated, this, [this](qint64 key) {
        itemChosen(key);
        (IsRentalType(m_type) ? txtRenterName : txtQuantity)->setFocus();
    });
    connect(cmdNew, &QPushButton::clicked, this, [this] {
        grdItems->clearSelection();
        clearItem();
        cboCategory->setFocus();
    });
    connect(cmdRestock, &QPushButton::clicked, this, &frmRental1Items::restock);
    connect(cmdCheckOut, &QPushButton::clicked, this, &frmRental1Items::checkOut);
    if (IsRentalType(m_type)) {
        connect(cmdCheckIn, &QPushButton::clicked, this, &frmRental1Items::checkIn);
        connect(cmdChangeDate, &QPushButton::clicked, this, &frmRental1Items::changeDate);
        connect(cmdPrintCharges, &QPushButton::clicked, this, [this] {
            if (!needItem()) return;
            try {
                auto loan = GetStuffCheckout(m_ctx, m_id);
                if (!loan) {
                    const auto history = GetStuffHistory(m_ctx, m_id);
                    if (!history.empty()) loan = history.back();
                }
                if (!loan) {
                    m_ctx.prompt().message(MsgNoRentalsToPrint);
                    return;
                }
                if (!MayDoOrSay(m_ctx, Rights::OthersRentalsPrint, MsgRentalPrintRefused)) return;
                printCharges(loan->id);
            } catch (const DbError& e) {
                ReportError(m_ctx.prompt(), e, "cmdPrintCharges_Click", FormName, true);
            }
        });
    }
}

void frmRental1Items::refreshCategories() {
    const QString was = cboCategory->currentText();
    cboCategory->clear();
    cboCategory->addItem(QString());
    try {
        cboCategory->addItems(VisibleRentalCategories(m_ctx));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetResTypes", FormName, true);
    }
    cboCategory->setCurrentIndex(qMax(0, cboCategory->findText(was)));
}

void frmRental1Items::refresh() {
    const qint64 keep = m_id;
    std::vector<StuffItem> list;
    try {
        list = GetRentalItems1(m_ctx, m_type);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetRentalItems1", FormName, true);
        return;
    }
    const QSignalBlocker quiet(grdItems->selectionModel());
    grdItems->clearRows();
    for (const StuffItem& i : list)
        grdItems->setRow(i.id, ItemGridCells(i), i.isOut() ? OutColor : QColor());
    if (keep && grdItems->keys().contains(keep)) {
        grdItems->selectKey(keep);
        itemChosen(keep);
    } else {
        clearItem();
    }
}

bool frmRental1Items::showItem(qint64 stuffId) {
    if (!grdItems->keys().contains(stuffId)) return false;
    grdItems->selectKey(stuffId);
    itemChosen(stuffId);
    return true;
}

void frmRental1Items::clearItem() {
    m_id = 0;
    m_onHandLoaded.reset();
    cboCategory->setCurrentIndex(0);
    for (QLineEdit* e : findChildren<QLineEdit*>())
        e->clear();
    lblCheckOut->clear();
    grdHistory->clearRows();
}

void frmRental1Items::itemChosen(qint64 stuffId) {
    if (stuffId == 0) return;
    std::optional<StuffItem> item;
    try {
        item = GetStuffItem(m_ctx, stuffId);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetStuffItem", FormName, true);
        return;
    }
    if (!item) return;
    m_id = item->id;
    m_onHandLoaded = item->onHand;
    const int at = cboCategory->findText(item->category);
    if (at < 0) cboCategory->addItem(item->category); // filed under a category renamed since
    cboCategory->setCurrentIndex(cboCategory->findText(item->category));
    txtItemName->setText(item->itemName);
    txtItemNumber->setText(item->itemNumber);
    txtRentalDays->setText(QString::number(item->rentalDays));
    txtRentalCharge->setText(ShownRate(item->rentalCharge).trimmed());
    txtPar->setText(QString::number(item->par));
    txtOnHand->setText(QString::number(item->onHand));
    txtQuantity->clear();
    if (IsRentalType(m_type)) {
        txtRenterName->setText(item->renterName);
        txtRoomNumber->setText(item->roomNumber);
        txtReturnDate->setText(item->isOut() ? Formats::ShortDateOfStored(item->returnDate)
                                             : QString());
        txtReturnTime->setText(item->returnTime);
        showLoan();
    }
}

void frmRental1Items::showLoan() {
    grdHistory->clearRows();
    try {
        lblCheckOut->setText(CheckoutCaption(GetStuffCheckout(m_ctx, m_id)));
        for (const StuffLoan& l : GetStuffHistory(m_ctx, m_id))
            grdHistory->setRow(
                l.id, {l.renterName, l.roomNumber, Formats::ShortDateOfStored(l.checkoutDate),
                       Formats::ShortDateOfStored(l.returnDate), ShownLineCharge(l.charge)});
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetStuffHistory", FormName, true);
    }
}

bool frmRental1Items::refuse(const RentalRefusal& refusal) {
    if (!refusal.refused()) return false;
    m_ctx.prompt().message(refusal.message);
    if (!refusal.field.isEmpty())
        if (auto* w = findChild<QWidget*>(refusal.field)) w->setFocus();
    return true;
}

bool frmRental1Items::needItem() {
    if (m_id != 0) return true;
    m_ctx.prompt().message(MsgRentalSelectItem);
    return false;
}

TypedLoan frmRental1Items::typedLoan() const {
    TypedLoan t;
    if (IsRentalType(m_type)) {
        t.renterName = txtRenterName->text();
        t.roomNumber = txtRoomNumber->text();
        t.returnDate = txtReturnDate->text();
        t.returnTime = txtReturnTime->text();
    }
    t.quantity = txtQuantity->text();
    return t;
}

void frmRental1Items::save() {
    TypedItem typed{cboCategory->currentText(), txtItemName->text(),     txtItemNumber->text(),
                    txtRentalDays->text(),      txtRentalCharge->text(), txtPar->text(),
                    txtOnHand->text()};
    if (refuse(CheckStuffItem(m_type, typed))) return;
    StuffItem item = StoredItem(m_type, typed);
    item.id = m_id;
    try {
        if (SaveStuffItem(m_ctx, item, m_onHandLoaded) == 0) {
            m_ctx.prompt().message(MsgRentalGone);
            m_id = 0;
        } else {
            m_id = item.id;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, m_id ? "UpdateItem" : "InsertItem", FormName, true);
        return;
    }
    refresh();
    emit changed();
}

void frmRental1Items::deleteItem() {
    if (!needItem()) return;
    if (m_ctx.prompt().ask(MsgRentalDelete, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    try {
        const QString refusal = DeleteStuffItem(m_ctx, m_id);
        if (!refusal.isEmpty()) {
            m_ctx.prompt().message(refusal);
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "DeleteItem", FormName, true);
        return;
    }
    m_id = 0;
    refresh();
    emit changed();
}

void frmRental1Items::checkOut() {
    if (!needItem()) return;
    RentalOutcome o;
    try {
        o = CheckOutItem(m_ctx, m_id, typedLoan());
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdCheckOut_Click", FormName, true);
        return;
    }
    if (refuse(o.refusal)) return;
    if (o.loanId) {
        try {
            if (GetRentalDefaults(m_ctx).printCheckOut) printCharges(o.loanId);
        } catch (const DbError& e) {
            ReportError(m_ctx.prompt(), e, "PrintCheckOut", FormName, true);
        }
    }
    refresh();
    emit changed();
}

void frmRental1Items::checkIn() {
    if (!needItem()) return;
    RentalOutcome o;
    try {
        o = CheckInItem(m_ctx, m_id);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdCheckIn_Click", FormName, true);
        return;
    }
    if (refuse(o.refusal)) return;
    if (o.loanId) {
        try {
            if (GetRentalDefaults(m_ctx).printCheckIn) printCharges(o.loanId);
        } catch (const DbError& e) {
            ReportError(m_ctx.prompt(), e, "PrintCheckIn", FormName, true);
        }
    }
    refresh();
    emit changed();
}

void frmRental1Items::changeDate() {
    if (!needItem()) return;
    try {
        if (refuse(ChangeItemDate(m_ctx, m_id, typedLoan()).refusal)) return;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "ChangeItemDate", FormName, true);
        return;
    }
    refresh();
    emit changed();
}

void frmRental1Items::restock() {
    if (!needItem()) return;
    try {
        if (refuse(RestockItem(m_ctx, m_id, txtQuantity->text()).refusal)) return;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "RestockItem", FormName, true);
        return;
    }
    refresh();
    emit changed();
}

void frmRental1Items::printCharges(qint64 loanId) {
    OpenReport(m_ctx, {RptRentalCharges, TitleRentalCharges, {{"loanId", loanId}}}, window());
}

} // namespace vm
