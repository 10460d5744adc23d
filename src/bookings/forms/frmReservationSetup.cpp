// The category set-up and row-limit pages of the reservation desk.

#include "bookings/forms/frmReservation.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTime>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmReservation");
const char* const Days[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const OptionCaptions[5] = {
    "Through Time and Item pickers", "Single item (one column, 50-character name)",
    "One of Many choice", "Party size instead of price", "Bookings span days"};

void setTime(QComboBox* hour, QComboBox* minute, QComboBox* ampm, const QString& stored) {
    const QTime t = Formats::ParseTime(stored);
    if (!t.isValid()) return;
    const int h12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    hour->setCurrentIndex(hour->findText(QString("%1").arg(h12, 2, 10, QChar('0'))));
    const int m = minute->findText(QString("%1").arg(t.minute(), 2, 10, QChar('0')));
    minute->setCurrentIndex(m < 0 ? 0 : m);
    ampm->setCurrentIndex(t.hour() < 12 ? 0 : 1);
}

QString typedTime(QComboBox* hour, QComboBox* minute, QComboBox* ampm) {
    return hour->currentText() + ":" + minute->currentText() + " " + ampm->currentText();
}

} // namespace

void frmReservation::buildSetup(QWidget* page) {
    auto* top = new QVBoxLayout(page);
    auto* g = new QGridLayout;
    int row = 0;
    g->addWidget(new QLabel("Category:"), row, 0);
    g->addWidget(cboSetupCategory = named(new QComboBox, "cboSetupCategory"), row, 1, 1, 2);
    g->addWidget(cmdNewCategory = named(new QPushButton("New Category"), "cmdNewCategory"), row,
                 3);
    ++row;
    g->addWidget(new QLabel("Name:"), row, 0);
    g->addWidget(txtCategory = makeLineEdit(page, "txtCategory", false, 50), row, 1, 1, 2);
    ++row;
    g->addWidget(new QLabel("Type of List:"), row, 0);
    g->addWidget(cboTypeOfList = named(new QComboBox, "cboTypeOfList"), row, 1);
    cboTypeOfList->addItems({"Timed List", "Item List"});
    g->addWidget(new QLabel("Interval:"), row, 2);
    g->addWidget(cboInterval = named(new QComboBox, "cboInterval"), row, 3);
    for (int i = 0; i < 5; ++i)
        cboInterval->addItem(QString::number(ResIntervalMinutes(i)) + " Minutes", i);
    ++row;
    g->addWidget(lblSetupPrice = named(new QLabel("Price per Unit:"), "lblSetupPrice"), row, 0);
    g->addWidget(txtSetupPrice = makeLineEdit(page, "txtSetupPrice", false, 10), row, 1);
    ++row;
    auto* days = new QHBoxLayout;
    for (int i = 0; i < 7; ++i)
        days->addWidget(chkWorkSchedule[size_t(i)] =
                            named(new QCheckBox(Days[i]), QString("chkWorkSchedule_%1").arg(i)));
    g->addWidget(new QLabel("Open on:"), row, 0);
    g->addLayout(days, row, 1, 1, 3);
    ++row;
    const auto timePicker = [&](const char* caption, const QString& prefix, QComboBox*& hour,
                                QComboBox*& minute, QComboBox*& ampm) {
        auto* box = new QHBoxLayout;
        box->addWidget(hour = named(new QComboBox, prefix + "Hour"));
        for (int h = 1; h <= 12; ++h)
            hour->addItem(QString("%1").arg(h, 2, 10, QChar('0')));
        box->addWidget(minute = named(new QComboBox, prefix + "Minute"));
        box->addWidget(ampm = named(new QComboBox, prefix + "AmPm"));
        ampm->addItems({"AM", "PM"});
        g->addWidget(new QLabel(caption), row, 0);
        g->addLayout(box, row, 1, 1, 2);
        ++row;
    };
    timePicker("Available From:", "cboFrom", cboFromHour, cboFromMinute, cboFromAmPm);
    timePicker("Available Through:", "cboThrough", cboThroughHour, cboThroughMinute,
               cboThroughAmPm);
    g->addWidget(new QLabel("Column Header:"), row, 0);
    g->addWidget(txtColumnHeader = makeLineEdit(page, "txtColumnHeader", false, 50), row, 1, 1, 2);
    ++row;
    for (int i = 0; i < 5; ++i) {
        g->addWidget(chkOption[size_t(i)] = named(new QCheckBox(OptionCaptions[i]),
                                                  QString("chkOption_%1").arg(i)),
                     row + i / 2, 1 + i % 2);
    }
    row += 3;
    g->addWidget(cmdSave[0] = named(new QPushButton("Save Category"), "cmdSave_0"), row, 1);
    g->addWidget(cmdDeleteCategory = named(new QPushButton("Delete Category"), "cmdDeleteCategory"),
                 row, 2);
    top->addLayout(g);

    top->addWidget(grdItems = named(new DataGrid, "grdItems"), 1);
    grdItems->setHeaders({"Sequence", "Item"});
    auto* item = new QHBoxLayout;
    item->addWidget(lblItemName = named(new QLabel, "lblItemName"));
    item->addWidget(txtItemName = makeLineEdit(page, "txtItemName", false, 50), 1);
    item->addWidget(new QLabel("Sequence:"));
    item->addWidget(txtSequence = makeLineEdit(page, "txtSequence", false, 6));
    top->addLayout(item);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdNewItem = named(new QPushButton("New Item"), "cmdNewItem"));
    buttons->addWidget(cmdSave[1] = named(new QPushButton("Save Item"), "cmdSave_1"));
    buttons->addWidget(cmdResequence = named(new QPushButton("Resequence"), "cmdResequence"));
    buttons->addWidget(cmdDeleteItem = named(new QPushButton("Delete Item"), "cmdDeleteItem"));
    buttons->addStretch();
    top->addLayout(buttons);
    for (QPushButton* b : {cmdNewCategory, cmdSave[0], cmdSave[1], cmdDeleteCategory, cmdNewItem,
                           cmdResequence, cmdDeleteItem})
        b->setAutoDefault(false);

    connect(cboSetupCategory, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling) setupCategoryChanged();
    });
    connect(cmdNewCategory, &QPushButton::clicked, this,
            [this] { cboSetupCategory->setCurrentIndex(0); });
    connect(cboTypeOfList, &QComboBox::currentIndexChanged, this, &frmReservation::setupKindChanged);
    connect(cboInterval, &QComboBox::currentIndexChanged, this, &frmReservation::fillMinutePicks);
    connect(chkOption[1], &QCheckBox::toggled, this, &frmReservation::setupKindChanged);
    connect(chkOption[3], &QCheckBox::toggled, this, &frmReservation::setupKindChanged);
    for (int i = 0; i < 2; ++i)
        connect(cmdSave[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdSave_Click(i); });
    connect(cmdDeleteCategory, &QPushButton::clicked, this,
            &frmReservation::cmdDeleteCategory_Click);
    connect(grdItems->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmReservation::itemSelected);
    connect(grdItems, &DataGrid::rowActivated, this, [this] { txtItemName->setFocus(); });
    connect(cmdNewItem, &QPushButton::clicked, this, [this] {
        m_itemId = 0;
        grdItems->clearSelection();
        txtItemName->clear();
        txtSequence->clear();
        txtItemName->setFocus();
    });
    connect(cmdResequence, &QPushButton::clicked, this, &frmReservation::cmdResequence_Click);
    connect(cmdDeleteItem, &QPushButton::clicked, this, &frmReservation::cmdDeleteItem_Click);
    fillMinutePicks();
    setupKindChanged();
}

void frmReservation::refreshSetupCategories(qint64 select) {
    m_filling = true;
    cboSetupCategory->clear();
    cboSetupCategory->addItem("(New Category)", 0);
    try {
        for (const ResCategory& c : GetResTypes(m_ctx))
            cboSetupCategory->addItem(c.category, c.id);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetResTypes", FormName, true);
    }
    const int at = cboSetupCategory->findData(select);
    cboSetupCategory->setCurrentIndex(at < 0 ? 0 : at);
    m_filling = false;
    setupCategoryChanged();
}

void frmReservation::setupCategoryChanged() {
    const qint64 id = cboSetupCategory->currentData().toLongLong();
    std::optional<ResCategory> c;
    try {
        if (id) c = GetResType(m_ctx, id);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetResType", FormName, true);
    }
    showSetupCategory(c.value_or(ResCategory{}));
}

void frmReservation::showSetupCategory(const ResCategory& c) {
    m_setupId = c.id;
    txtCategory->setText(c.category);
    cboTypeOfList->setCurrentIndex(int(c.kind));
    cboInterval->setCurrentIndex(c.intervalIndex);
    fillMinutePicks();
    txtSetupPrice->setText(c.id ? Formats::FormatNumber(c.price, "#.00") : QString());
    for (int i = 0; i < 7; ++i)
        chkWorkSchedule[size_t(i)]->setChecked(c.id == 0 || c.dayOfWeek.contains(Days[i]));
    setTime(cboFromHour, cboFromMinute, cboFromAmPm, c.id ? c.availableFrom : "08:00 AM");
    setTime(cboThroughHour, cboThroughMinute, cboThroughAmPm,
            c.id ? c.availableThrough : "05:00 PM");
    txtColumnHeader->setText(c.columnHeader);
    for (int i = 0; i < 5; ++i)
        chkOption[size_t(i)]->setChecked(c.option[i]);
    setupKindChanged();
    refreshItems();
}

void frmReservation::setupKindChanged() {
    const bool timed = cboTypeOfList->currentIndex() == int(ResListKind::Timed);
    for (QComboBox* b : {cboFromHour, cboFromMinute, cboFromAmPm, cboThroughHour,
                         cboThroughMinute, cboThroughAmPm, cboInterval})
        b->setEnabled(timed);
    txtColumnHeader->setEnabled(!timed);
    lblSetupPrice->setText(chkOption[3]->isChecked() ? "Default Row Total:" : "Price per Unit:");
    const bool longNames = chkOption[1]->isChecked() || !timed;
    lblItemName->setText(longNames ? "Item Name (Max 50 Characters)"
                                   : "Item Name (Max 20 Characters)");
    txtItemName->setMaxLength(longNames ? 50 : 20);
}

void frmReservation::fillMinutePicks() {
    const int interval = std::max(0, cboInterval->currentIndex());
    for (QComboBox* minute : {cboFromMinute, cboThroughMinute}) {
        const QString was = minute->currentText();
        minute->clear();
        minute->addItems(ResMinutePicks(interval));
        const int at = minute->findText(was);
        minute->setCurrentIndex(at < 0 ? 0 : at);
    }
}

ResCategory frmReservation::typedCategory() const {
    ResCategory c;
    c.id = m_setupId;
    c.category = txtCategory->text().trimmed();
    c.kind = ResListKind(cboTypeOfList->currentIndex());
    c.intervalIndex = std::max(0, cboInterval->currentIndex());
    c.price = txtSetupPrice->text().trimmed().toDouble();
    for (int i = 0; i < 7; ++i)
        if (chkWorkSchedule[size_t(i)]->isChecked()) c.dayOfWeek += Days[i];
    if (c.kind == ResListKind::Timed) {
        c.availableFrom = typedTime(cboFromHour, cboFromMinute, cboFromAmPm);
        c.availableThrough = typedTime(cboThroughHour, cboThroughMinute, cboThroughAmPm);
    }
    c.columnHeader = txtColumnHeader->text().trimmed();
    for (int i = 0; i < 5; ++i)
        c.option[i] = chkOption[size_t(i)]->isChecked();
    return c;
}

void frmReservation::cmdSave_Click(int index) {
    if (index == 0)
        saveCategory();
    else
        saveItem();
}

void frmReservation::saveCategory() {
    Prompt& prompt = m_ctx.prompt();
    ResCategory c = typedCategory();
    const QString typedPrice = txtSetupPrice->text().trimmed();
    bool number = true;
    if (!typedPrice.isEmpty()) typedPrice.toDouble(&number);
    QString refusal = CheckResType(c);
    if (refusal.isEmpty() && !number)
        refusal = "The " + lblSetupPrice->text().chopped(1) + " must be a number.  Thank you.";
    if (!refusal.isEmpty()) {
        prompt.message(refusal);
        return;
    }
    try {
        std::vector<qint64> drop;
        if (c.id && c.kind == ResListKind::Timed) {
            const auto off = VerifyReservationItemChange(m_ctx, c);
            if (!off.empty()) {
                prompt.message("There are " + QString::number(off.size()) +
                                   " reservations in the system that fall outside of the Time "
                                   "range specified. These items must be removed before this "
                                   "change can be made.",
                               "Reservation Warning", Icon::Exclamation);
                if (prompt.ask("Would you like to DELETE all the reservations which fall outside "
                               "the Time range specified?",
                               "Reservation Warning", Buttons::YesNo, Icon::Question,
                               Answer::No) != Answer::Yes)
                    return;
                for (const ReservationRow& r : off)
                    drop.push_back(r.id);
            }
        }
        SaveResType(m_ctx, c, drop);
    } catch (const DbError& e) {
        ReportError(prompt, e, c.id ? "UpdateResType" : "InsertResType", FormName, true);
        return;
    }
    refreshSetupCategories(c.id);
    refreshCategoryLists();
}

void frmReservation::refreshItems() {
    grdItems->clearRows();
    m_itemId = 0;
    txtItemName->clear();
    txtSequence->clear();
    if (!m_setupId) return;
    try {
        for (const ResItem& i : GetResItems(m_ctx, m_setupId))
            grdItems->setRow(i.id, {QString::number(i.sequence), i.itemName});
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetResItem", FormName, true);
    }
}

void frmReservation::itemSelected() {
    const qint64 id = grdItems->currentKey();
    if (!id) return;
    for (int r = 0; r < grdItems->rowCount(); ++r)
        if (grdItems->keyAt(r) == id) {
            m_itemId = id;
            txtSequence->setText(grdItems->cell(r, 0));
            txtItemName->setText(grdItems->cell(r, 1));
        }
}

void frmReservation::saveItem() {
    Prompt& prompt = m_ctx.prompt();
    ResItem item;
    item.id = m_itemId;
    item.resTypeId = m_setupId;
    item.itemName = txtItemName->text().trimmed();
    const QString typedSequence = txtSequence->text().trimmed();
    bool number = true;
    if (!typedSequence.isEmpty()) item.sequence = typedSequence.toInt(&number); // else at the end
    try {
        const ResCategory c = m_setupId ? GetResType(m_ctx, m_setupId).value_or(ResCategory{})
                                        : ResCategory{};
        QString refusal = CheckResItem(m_ctx, c, item);
        if (refusal.isEmpty() && !number)
            refusal = QStringLiteral("The Sequence must be a whole number.  Thank you.");
        if (!refusal.isEmpty()) {
            prompt.message(refusal);
            return;
        }
        SaveResItem(m_ctx, c, item);
    } catch (const DbError& e) {
        ReportError(prompt, e, item.id ? "UpdateResItem" : "InsertResItem", FormName, true);
        return;
    }
    refreshItems();
    if (m_cat && m_cat->id == m_setupId) loadGrid();
}

void frmReservation::cmdResequence_Click() {
    if (!m_setupId) return;
    try {
        ResequenceItems(m_ctx, m_setupId);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "ResequenceItems", FormName, true);
    }
    refreshItems();
}

void frmReservation::cmdDeleteItem_Click() {
    Prompt& prompt = m_ctx.prompt();
    if (!m_setupId || !m_itemId) {
        prompt.message("Please select the List Item before attempting to delete it.  Thank you.");
        return;
    }
    try {
        const auto c = GetResType(m_ctx, m_setupId);
        if (!c) return;
        QString name;
        for (int r = 0; r < grdItems->rowCount(); ++r)
            if (grdItems->keyAt(r) == m_itemId) name = grdItems->cell(r, 1);
        const int n = CountItemReservations(m_ctx, *c, name);
        if (n > 0) {
            prompt.message("You currently have " + QString::number(n) + " reservation entries for " +
                           name + ". This item may only be deleted if all existing entries for " +
                           name + " are removed.");
            if (prompt.ask("Would you like to remove the existing entries for " + name + "?",
                           "Confirm Removal", Buttons::YesNo, Icon::Question,
                           Answer::No) != Answer::Yes)
                return;
        }
        if (prompt.ask("Do You Wish to Delete this Item?", {}, Buttons::YesNo, Icon::Question,
                       Answer::No) != Answer::Yes)
            return;
        DeleteResItem(m_ctx, *c, m_itemId, n > 0);
    } catch (const DbError& e) {
        ReportError(prompt, e, "DeleteResItem", FormName, true);
        return;
    }
    refreshItems();
    if (m_cat && m_cat->id == m_setupId) loadGrid();
}

void frmReservation::cmdDeleteCategory_Click() {
    Prompt& prompt = m_ctx.prompt();
    if (!m_setupId) {
        prompt.message("Please select the Category before attempting to delete it.  Thank you.");
        return;
    }
    try {
        const QString refusal = CheckDeleteResType(m_ctx, m_setupId);
        if (!refusal.isEmpty()) {
            prompt.message(refusal);
            return;
        }
        if (prompt.ask("Do You Wish to Delete this Category?", {}, Buttons::YesNo, Icon::Question,
                       Answer::No) != Answer::Yes)
            return;
        if (!DeleteResType(m_ctx, m_setupId)) { // booked at another desk meanwhile
            prompt.message(CheckDeleteResType(m_ctx, m_setupId));
            return;
        }
    } catch (const DbError& e) {
        ReportError(prompt, e, "DeleteResType", FormName, true);
        return;
    }
    refreshSetupCategories();
    refreshCategoryLists();
}

void frmReservation::buildRowLimits(QWidget* page) {
    auto* top = new QVBoxLayout(page);
    top->addWidget(new QLabel("Places per row for the category and date of the Reservations page "
                              "(type a number to change a row):"));
    top->addWidget(grdRowLimits = named(new QTableWidget, "grdRowLimits"), 1);
    grdRowLimits->setColumnCount(2);
    grdRowLimits->setHorizontalHeaderLabels({"Row", "Places"});
    grdRowLimits->verticalHeader()->hide();
    grdRowLimits->setColumnWidth(0, 160);
    connect(grdRowLimits, &QTableWidget::cellChanged, this, &frmReservation::rowLimitEdited);
}

void frmReservation::refreshRowLimits() {
    const bool was = m_filling;
    m_filling = true;
    grdRowLimits->setRowCount(0);
    const QDate day = bookingDate();
    if (m_cat && day.isValid()) {
        try {
            const auto limits = GetRowLimits(m_ctx, *m_cat, day);
            grdRowLimits->setRowCount(int(limits.size()));
            for (int r = 0; r < int(limits.size()); ++r) {
                auto* text = new QTableWidgetItem(limits[size_t(r)].rowText);
                text->setFlags(text->flags() & ~Qt::ItemIsEditable);
                grdRowLimits->setItem(r, 0, text);
                grdRowLimits->setItem(r, 1, new QTableWidgetItem(
                                                QString::number(limits[size_t(r)].total, 'g', 10)));
            }
        } catch (const DbError& e) {
            ReportError(m_ctx.prompt(), e, "GetRowLimit", FormName, true);
        }
    }
    m_filling = was;
}

void frmReservation::rowLimitEdited(int row, int column) {
    if (m_filling || column != 1 || !m_cat) return;
    const QString rowText = grdRowLimits->item(row, 0)->text();
    const QString typed = grdRowLimits->item(row, 1)->text().trimmed();
    try {
        const QString refusal = SaveRowLimit(m_ctx, *m_cat, bookingDate(), rowText, typed);
        if (!refusal.isEmpty()) m_ctx.prompt().message(refusal);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "UpdateRowLimit", FormName, true);
    }
    // The places left follow the new total; a refused entry shows the stored
    // one again.  (Not from inside the grid's own signal: it rebuilds the grid.)
    QMetaObject::invokeMethod(this, [this] { loadGrid(); }, Qt::QueuedConnection);
}

} // namespace vm
