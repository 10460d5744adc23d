// The "Contact History" tab: when and how the guest was contacted, with the
// result; recurring contacts and letters start here.

#include "core/Formats.h"
#include "guests/OtherLists.h"
#include "guests/forms/ProfileTabs.h"
#include "guests/forms/ProfileTabsUi.h"
#include "guests/forms/frmProfileCHR.h"
#include "guests/forms/frmProfileCor.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

using namespace profiletabs;

QString MsgSelectContact(const QString& button) {
    return "Please select the Contact History entry before pressing the " + button +
           " button.  Thank you.";
}

QString MsgConfirmDeleteByDate(const QDate& before) {
    return "Do you wish to delete ALL Contact History entries prior to " +
           Formats::ShortDate(before);
}

ProfileHistoryTab::ProfileHistoryTab(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("ProfileHistoryTab");
    grdContactHistory = named(new DataGrid(this), "grdContactHistory");
    grdContactHistory->setHeaders({"Date", "Contact Type", "Contact Result"});
    dtpContactDate = makeLineEdit(this, "dtpContactDate", false, 10);
    dtpDeleteBefore = makeLineEdit(this, "dtpDeleteBefore", false, 10);
    for (QLineEdit* box : {dtpContactDate, dtpDeleteBefore})
        box->setPlaceholderText(Formats::ShortDateHint);
    cboContactType = named(new QComboBox(this), "cboContactType");
    cboContactResult = named(new QComboBox(this), "cboContactResult");
    cmdAddContact = named(new QPushButton("Add", this), "cmdAddContact");
    cmdChangeContact = named(new QPushButton("Change", this), "cmdChangeContact");
    cmdDeleteContact = named(new QPushButton("Delete", this), "cmdDeleteContact");
    cmdDeleteByDate = named(new QPushButton("Delete by Date", this), "cmdDeleteByDate");
    cmdRecurring = named(new QPushButton("Recurring", this), "cmdRecurring");
    cmdCorrespondence = named(new QPushButton("Correspondence", this), "cmdCorrespondence");

    auto* input = new QFormLayout;
    input->addRow("Date:", dtpContactDate);
    input->addRow("Contact Type:", cboContactType);
    input->addRow("Contact Result:", cboContactResult);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b :
         {cmdAddContact, cmdChangeContact, cmdDeleteContact, cmdRecurring, cmdCorrespondence})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* byDate = new QHBoxLayout;
    byDate->addWidget(cmdDeleteByDate);
    byDate->addWidget(dtpDeleteBefore);
    byDate->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grdContactHistory, 1);
    layout->addLayout(input);
    layout->addLayout(buttons);
    layout->addLayout(byDate);

    connect(grdContactHistory->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showSelected(); });
    connect(cmdAddContact, &QPushButton::clicked, this, [this] { cmdAddContact_Click(); });
    connect(cmdChangeContact, &QPushButton::clicked, this, [this] { cmdChangeContact_Click(); });
    connect(cmdDeleteContact, &QPushButton::clicked, this, [this] { cmdDeleteContact_Click(); });
    connect(cmdDeleteByDate, &QPushButton::clicked, this, [this] { cmdDeleteByDate_Click(); });
    connect(cmdRecurring, &QPushButton::clicked, this, [this] { cmdRecurring_Click(); });
    connect(cmdCorrespondence, &QPushButton::clicked, this, [this] { cmdCorrespondence_Click(); });
    setEnabled(false);
}

void ProfileHistoryTab::setProfile(const Profile& p) {
    m_profile = p;
    dtpContactDate->setText(Formats::ShortDate(m_ctx.clock().today()));
    dtpDeleteBefore->clear();
    loadLists();
    ShowButtons({cmdAddContact, cmdChangeContact, cmdDeleteContact, cmdDeleteByDate, cmdRecurring,
                 cmdCorrespondence},
                Holds(m_ctx, Rights::ProfilesContactHistory));
    setEnabled(p.id > 0);
    refresh();
}

void ProfileHistoryTab::loadLists() {
    QStringList types, results;
    Guarded(m_ctx, "GetOtherData", [&] {
        types = GetOtherValues(m_ctx, "Contacted");
        results = GetOtherValues(m_ctx, "Result");
    });
    // The blank first item: no type chosen, and no result yet.
    cboContactType->clear();
    cboContactType->addItem(QString());
    cboContactType->addItems(types);
    cboContactResult->clear();
    cboContactResult->addItem(QString());
    cboContactResult->addItems(results);
}

void ProfileHistoryTab::refresh(qint64 selectId) {
    grdContactHistory->clearRows();
    m_rows.clear();
    if (m_profile.id <= 0) return;
    Guarded(m_ctx, "GetProfileCH", [&] { m_rows = GetProfileCH(m_ctx, m_profile.id); });
    for (const ContactHistoryRow& r : m_rows)
        grdContactHistory->setRow(r.id, {Formats::ShortDateOfStored(r.date), r.type, r.result});
    if (selectId > 0) grdContactHistory->selectKey(selectId);
}

void ProfileHistoryTab::showSelected() {
    const qint64 key = grdContactHistory->currentKey();
    for (const ContactHistoryRow& r : m_rows)
        if (r.id == key) {
            dtpContactDate->setText(Formats::ShortDateOfStored(r.date));
            for (auto [box, value] :
                 {std::pair{cboContactType, r.type}, std::pair{cboContactResult, r.result}}) {
                int at = box->findText(value, Qt::MatchFixedString);
                // A value since taken off its list still shows, so a change keeps it.
                if (at < 0) {
                    box->addItem(value);
                    at = box->count() - 1;
                }
                box->setCurrentIndex(at);
            }
            return;
        }
}

bool ProfileHistoryTab::mayMaintain() {
    return m_profile.id > 0 &&
           Allowed(m_ctx, Rights::ProfilesContactHistory, MsgMaintainContactHistory);
}

bool ProfileHistoryTab::readInput(QDate& date, QString& type) {
    date = Formats::ParseShortDate(dtpContactDate->text());
    if (!date.isValid()) {
        m_ctx.prompt().message(MsgContactDate);
        return false;
    }
    type = cboContactType->currentText().trimmed();
    if (type.isEmpty()) {
        m_ctx.prompt().message(MsgContactType);
        return false;
    }
    return true;
}

QString ProfileHistoryTab::chosenResult() const {
    return cboContactResult->currentText().trimmed();
}

qint64 ProfileHistoryTab::selectedRow(const QString& button) {
    const QList<qint64> selected = grdContactHistory->selectedKeys();
    if (selected.isEmpty()) {
        m_ctx.prompt().message(MsgSelectContact(button));
        return 0;
    }
    return selected.first();
}

void ProfileHistoryTab::cmdAddContact_Click() {
    QDate date;
    QString type;
    if (!mayMaintain() || !readInput(date, type)) return;
    qint64 id = 0;
    if (!Guarded(m_ctx, "InsertProfileCH",
                 [&] { id = InsertProfileCH(m_ctx, m_profile.id, date, type, chosenResult()); }))
        return;
    refresh(id);
}

void ProfileHistoryTab::cmdChangeContact_Click() {
    if (!mayMaintain()) return;
    const qint64 id = selectedRow("Change");
    QDate date;
    QString type;
    if (id <= 0 || !readInput(date, type)) return;
    if (!Guarded(m_ctx, "UpdateProfileCH",
                 [&] { UpdateProfileCH(m_ctx, id, date, type, chosenResult()); }))
        return;
    refresh(id);
}

void ProfileHistoryTab::cmdDeleteContact_Click() {
    if (!mayMaintain()) return;
    const qint64 id = selectedRow("Delete");
    if (id <= 0) return;
    Guarded(m_ctx, "DeleteProfileCH", [&] { DeleteProfileCH(m_ctx, id); });
    refresh();
}

void ProfileHistoryTab::cmdDeleteByDate_Click() {
    if (!mayMaintain()) return;
    const QDate before = Formats::ParseShortDate(dtpDeleteBefore->text());
    if (!before.isValid()) {
        m_ctx.prompt().message(MsgDeleteByDateDate);
        return;
    }
    if (m_ctx.prompt().ask(MsgConfirmDeleteByDate(before), {}, Buttons::YesNo, Icon::Question,
                           Answer::No) != Answer::Yes)
        return;
    Guarded(m_ctx, "DeleteProfileCHBefore",
            [&] { DeleteProfileCHBefore(m_ctx, m_profile.id, before); });
    refresh();
}

void ProfileHistoryTab::cmdRecurring_Click() {
    if (!mayMaintain()) return;
    const QString type = cboContactType->currentText().trimmed();
    if (type.isEmpty()) {
        m_ctx.prompt().message(MsgRecurringType);
        return;
    }
    frmProfileCHR dialog(m_ctx, m_profile.id, type, this);
    dialog.exec();
    if (dialog.created() > 0) refresh();
}

void ProfileHistoryTab::cmdCorrespondence_Click() {
    if (!mayMaintain()) return;
    frmProfileCor dialog(m_ctx, m_profile, cboContactType->currentText(), this);
    dialog.exec();
    if (dialog.posted()) refresh();
}

} // namespace vm
