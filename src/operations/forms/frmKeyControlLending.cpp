// The check-out and check-in pages, and the small helpers every page of the
// key-control screen shares.

#include "core/DataAccess.h"
#include "guests/OtherLists.h"
#include "operations/forms/frmKeyControlTabs.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vm {

bool KeyGuarded(AppContext& ctx, const char* procedure, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, procedure, "frmKeyControl", true);
    } catch (const std::exception& e) {
        ReportError(ctx.prompt(), e, procedure, "frmKeyControl", true);
    }
    return false;
}

void EnterMovesOn(QLineEdit* box) {
    QObject::connect(box, &QLineEdit::returnPressed, box, [box] {
        if (QWidget* next = box->nextInFocusChain()) {
            // Labels and the like take no focus: walk on to one that does.
            while (next != box && !(next->focusPolicy() & Qt::TabFocus && next->isEnabled() &&
                                    next->isVisibleTo(box->window())))
                next = next->nextInFocusChain();
            next->setFocus(Qt::TabFocusReason);
        }
    });
}

QPushButton* KeyButton(const QString& text, const char* objectName) {
    auto* b = named(new QPushButton(text), objectName);
    b->setAutoDefault(false);
    return b;
}

QStringList GridHeadings(const DataGrid& grid) {
    QStringList headings;
    for (int c = 0; c < grid.model()->columnCount(); ++c)
        if (!grid.isColumnHidden(c))
            headings << grid.model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    return headings;
}

std::vector<QStringList> GridRows(const DataGrid& grid) {
    std::vector<QStringList> rows;
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.model()->columnCount(); ++c)
            if (!grid.isColumnHidden(c)) cells << grid.cell(r, c);
        rows.push_back(cells);
    }
    return rows;
}

void FillKeyGroups(AppContext& ctx, QComboBox* box) {
    const QString keep = box->currentText();
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItem(QString());
    box->addItems(GetOtherValues(ctx, "KeyGroup"));
    box->setCurrentIndex(std::max(0, box->findText(keep)));
}

// ---- Check-out and check-in -------------------------------------------------------

namespace {
const QString MsgEmployeeInvalid = QStringLiteral("Employee Number is Invalid");
} // namespace

KeyLendTab::KeyLendTab(AppContext& ctx, KeyLendMode mode, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_mode(mode) {
    const bool out = mode == KeyLendMode::CheckOut;
    setObjectName(out ? "tabCheckOut" : "tabCheckIn");
    const QString s = suffix();
    auto* top = new QVBoxLayout(this);
    auto* form = new QGridLayout;
    int r = 0;
    form->addWidget(new QLabel("Employee Number:"), r, 0);
    form->addWidget(txtEmployeeNumber = makeLineEdit(this, "txtEmployeeNumber" + s, false, 50), r,
                    1);
    ++r;
    form->addWidget(new QLabel("Employee Name:"), r, 0);
    form->addWidget(lblEmployeeName = named(new QLabel, "lblEmployeeName" + s), r, 1);
    ++r;
    form->addWidget(new QLabel("Job Title:"), r, 0);
    form->addWidget(lblJobTitle = named(new QLabel, "lblJobTitle" + s), r, 1);
    ++r;
    form->addWidget(new QLabel("Key Number:"), r, 0);
    form->addWidget(txtKeyNumber = makeLineEdit(this, "txtKeyNumber" + s, false, 50), r, 1);
    ++r;
    form->addWidget(lblKeyLine1 = named(new QLabel, "lblKeyLine1" + s), r++, 1);
    form->addWidget(lblKeyLine2 = named(new QLabel, "lblKeyLine2" + s), r++, 1);
    if (!out) {
        form->addWidget(new QLabel("Time Out:"), r, 0);
        form->addWidget(lblTimeOut = named(new QLabel, "lblTimeOut" + s), r++, 1);
    }
    for (QLabel* l : {lblKeyLine1, lblKeyLine2}) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    cmdLend = named(new QPushButton(out ? "Check Out" : "Check In"), out ? "cmdCheckOut" : "cmdCheckIn");
    // The button takes Enter once it has the focus: a scanned key then an Enter lends it.
    cmdLend->setAutoDefault(true);
    form->addWidget(cmdLend, r++, 1, Qt::AlignLeft);
    form->addWidget(lblLastAction = named(new QLabel, "lblLastAction" + s), r++, 0, 1, 2);
    form->setColumnStretch(1, 1);
    top->addLayout(form);
    top->addWidget(new QLabel(out ? "Keys this employee may check out:" : "Keys checked out by this employee:"));
    top->addWidget(grdKeys = named(new DataGrid, out ? "grdKeysAvailable" : "grdKeysOut"), 1);
    if (out)
        grdKeys->setHeaders({"Key Group", "Key Number", "Description", "Loan Period"});
    else
        grdKeys->setHeaders(
            {"Key Group", "Key Number", "Description", "Date/Time Out", "Date/Time Due"});
    setTabOrder(txtEmployeeNumber, txtKeyNumber);
    setTabOrder(txtKeyNumber, cmdLend);
    setTabOrder(cmdLend, grdKeys);

    connect(txtEmployeeNumber, &QLineEdit::editingFinished, this, [this] { checkEmployee(); });
    connect(txtEmployeeNumber, &QLineEdit::returnPressed, this, [this] {
        checkEmployee();
        txtKeyNumber->setFocus(Qt::TabFocusReason);
    });
    connect(txtKeyNumber, &QLineEdit::editingFinished, this, [this] { checkKey(); });
    connect(txtKeyNumber, &QLineEdit::returnPressed, this, [this] {
        checkKey();
        if (m_key) cmdLend->setFocus(Qt::TabFocusReason);
        else txtKeyNumber->selectAll(); // ready for the next scan
    });
    connect(cmdLend, &QPushButton::clicked, this, [this] { lend(); });
    // A key of the list chosen (double-click or Enter) is typed into the key box.
    connect(grdKeys, &DataGrid::rowActivated, this, [this](qint64 keyId) {
        for (int row = 0; row < grdKeys->rowCount(); ++row)
            if (grdKeys->keyAt(row) == keyId) txtKeyNumber->setText(grdKeys->cell(row, 1));
        checkKey();
        txtKeyNumber->setFocus(Qt::TabFocusReason);
    });
}

QString KeyLendTab::suffix() const { return m_mode == KeyLendMode::CheckOut ? "Out" : "In"; }

void KeyLendTab::reload() {
    if (!txtEmployeeNumber->text().trimmed().isEmpty()) checkEmployee();
    else showKeys();
}

void KeyLendTab::checkEmployee() {
    const QString typed = txtEmployeeNumber->text().trimmed();
    std::optional<KeyEmployeeRecord> found;
    if (!typed.isEmpty() &&
        !KeyGuarded(m_ctx, "txtEmployeeNumber_LostFocus",
                    [&] { found = KeyCheckEmployeeNumber(m_ctx, typed); }))
        return;
    m_employee = found;
    lblEmployeeName->setText(found ? found->name : typed.isEmpty() ? QString() : MsgEmployeeInvalid);
    lblJobTitle->setText(found ? found->jobTitle : QString());
    showKeys();
    // Whether a key may go out depends on who takes it.
    checkKey();
}

void KeyLendTab::showKeys() {
    grdKeys->clearRows();
    if (!m_employee) return;
    std::vector<KeyRecord> keys;
    const bool out = m_mode == KeyLendMode::CheckOut;
    if (!KeyGuarded(m_ctx, "FillKeysGrid", [&] {
            keys = out ? KeyGetAssigned(m_ctx, m_employee->id, "I")
                       : KeyGetKeysOutTo(m_ctx, m_employee->id);
        }))
        return;
    for (const KeyRecord& k : keys) {
        if (out)
            grdKeys->setRow(k.id, {k.groupName, k.keyNumber, k.description,
                                   QString::number(k.outDuration) + " " + k.outHoursDays});
        else
            grdKeys->setRow(k.id, {k.groupName, k.keyNumber, k.description,
                                   k.dateTimeOut, k.dateTimeDue});
    }
}

void KeyLendTab::clearKey() {
    m_key.reset();
    lblKeyLine1->clear();
    lblKeyLine2->clear();
    if (lblTimeOut) lblTimeOut->clear();
}

void KeyLendTab::checkKey() {
    const QString typed = txtKeyNumber->text().trimmed();
    clearKey();
    if (typed.isEmpty()) return;
    KeyNumberCheck c;
    if (!KeyGuarded(m_ctx, "txtKeyNumber_LostFocus", [&] {
            c = KeyCheckKeyNumber(m_ctx, typed, m_mode, m_employee ? m_employee->id : 0);
        }))
        return;
    m_key = c.key;
    lblKeyLine1->setText(c.line1);
    lblKeyLine2->setText(c.line2);
    if (lblTimeOut && c.key) lblTimeOut->setText(c.key->dateTimeOut);
}

void KeyLendTab::lend() {
    Prompt& prompt = m_ctx.prompt();
    // What is typed now counts, whether or not the boxes were left.
    checkEmployee();
    if (!m_employee) {
        prompt.message(kKeyEnterEmployeeNumber, {}, Icon::Exclamation);
        txtEmployeeNumber->setFocus();
        return;
    }
    if (!m_key) {
        prompt.message(txtKeyNumber->text().trimmed().isEmpty()
                           ? kKeyEnterNumber
                           : lblKeyLine1->text() + CRLF + lblKeyLine2->text(),
                       {}, Icon::Exclamation);
        txtKeyNumber->setFocus();
        txtKeyNumber->selectAll();
        return;
    }
    const bool out = m_mode == KeyLendMode::CheckOut;
    const KeyRecord key = *m_key;
    KeyLendResult result;
    if (!KeyGuarded(m_ctx, out ? "cmdCheckOut_Click" : "cmdCheckIn_Click", [&] {
            result = out ? KeyCheckOut(m_ctx, key.id, m_employee->id)
                         : KeyCheckIn(m_ctx, key.id, m_employee->id);
        }))
        return;
    if (!result.done) {
        prompt.message(result.message, {}, Icon::Exclamation);
        checkKey();
        return;
    }
    if (out)
        lblLastAction->setText("Key " + key.keyNumber + " checked out to " + m_employee->name +
                               ", due back " + result.dateTimeDue + ".");
    else
        lblLastAction->setText(
            "Key " + key.keyNumber + " checked in, " +
            (result.minutesFromDue > 0
                 ? QString::number(result.minutesFromDue) + " minutes late."
                 : result.minutesFromDue < 0 ? QString::number(-result.minutesFromDue) +
                                                   " minutes early."
                                             : QString("on time.")));
    txtKeyNumber->clear();
    clearKey();
    showKeys();
    txtKeyNumber->setFocus();
    emit changed();
}

} // namespace vm
