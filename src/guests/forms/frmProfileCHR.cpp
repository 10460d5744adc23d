#include "guests/forms/frmProfileCHR.h"

#include "core/Formats.h"
#include "guests/ProfileRecurring.h"
#include "guests/forms/ProfileTabs.h"
#include "guests/forms/ProfileTabsUi.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vm {

using namespace profiletabs;

frmProfileCHR::frmProfileCHR(AppContext& ctx, qint64 profileId, const QString& contactType,
                             QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_profileId(profileId), m_type(contactType) {
    setObjectName("frmProfileCHR");
    setWindowTitle("Setup Recurring Contacts");
    const QString today = Formats::ShortDate(ctx.clock().today());
    dtpStart = makeLineEdit(this, "dtpStart", false, 10);
    dtpThrough = makeLineEdit(this, "dtpThrough", false, 10);
    for (QLineEdit* box : {dtpStart, dtpThrough}) {
        box->setPlaceholderText(Formats::ShortDateHint);
        box->setText(today);
    }
    optDaily = named(new QRadioButton("Daily", this), "optDaily");
    optWeekly = named(new QRadioButton("Weekly", this), "optWeekly");
    optBiWeekly = named(new QRadioButton("BiWeekly", this), "optBiWeekly");
    optMonthly = named(new QRadioButton("Monthly", this), "optMonthly");
    optWeekly->setChecked(true);
    // The day follows the starting date: the series is counted from it.
    cboDayOfWeek = named(new QComboBox(this), "cboDayOfWeek");
    cboDayOfWeek->addItem(QString());
    cboDayOfWeek->addItems(WeekdayNames());
    cboDayOfWeek->setEnabled(false);
    txtDayOfMonth = makeLineEdit(this, "txtDayOfMonth", false, 2);
    txtDayOfMonth->setReadOnly(true);
    lblDayOfWeek = new QLabel("Day of the Week:", this);
    lblDayOfMonth = new QLabel("Day of the Month:", this);
    cmdCreate = named(new QPushButton("Create", this), "cmdCreate");
    cmdClose = named(new QPushButton("Close", this), "cmdClose");

    auto* form = new QFormLayout;
    form->addRow("Contact Type:", named(new QLabel(contactType, this), "lblContactType"));
    form->addRow("Starting Date:", dtpStart);
    form->addRow("Through Date:", dtpThrough);
    auto* patterns = new QHBoxLayout;
    for (QRadioButton* o : {optDaily, optWeekly, optBiWeekly, optMonthly})
        patterns->addWidget(o);
    form->addRow("Occurs:", patterns);
    form->addRow(lblDayOfWeek, cboDayOfWeek);
    form->addRow(lblDayOfMonth, txtDayOfMonth);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCreate);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(dtpStart, &QLineEdit::textChanged, this, [this] { showDays(); });
    for (QRadioButton* o : {optDaily, optWeekly, optBiWeekly, optMonthly})
        connect(o, &QRadioButton::toggled, this, [this] { showDays(); });
    connect(cmdCreate, &QPushButton::clicked, this, [this] { cmdCreate_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    showDays();
}

void frmProfileCHR::showDays() {
    const QDate start = Formats::ParseShortDate(dtpStart->text());
    cboDayOfWeek->setCurrentIndex(std::max(0, cboDayOfWeek->findText(RecurringDayOfWeek(start))));
    txtDayOfMonth->setText(RecurringDayOfMonth(start));
    const bool weekly = optWeekly->isChecked() || optBiWeekly->isChecked();
    lblDayOfWeek->setVisible(weekly);
    cboDayOfWeek->setVisible(weekly);
    lblDayOfMonth->setVisible(optMonthly->isChecked());
    txtDayOfMonth->setVisible(optMonthly->isChecked());
}

void frmProfileCHR::cmdCreate_Click() {
    if (m_profileId <= 0 ||
        !Allowed(m_ctx, Rights::ProfilesContactHistory, MsgMaintainContactHistory))
        return;
    RecurringRequest r;
    r.startText = dtpStart->text();
    r.throughText = dtpThrough->text();
    r.pattern = optDaily->isChecked()      ? Recurrence::Daily
                : optBiWeekly->isChecked() ? Recurrence::BiWeekly
                : optMonthly->isChecked()  ? Recurrence::Monthly
                                           : Recurrence::Weekly;
    r.dayOfWeek = cboDayOfWeek->currentText();
    r.dayOfMonth = txtDayOfMonth->text();
    const RecurringPlan plan = PlanRecurringContacts(r);
    if (!plan.refusal.isEmpty()) {
        m_ctx.prompt().message(plan.refusal);
        return;
    }
    int made = 0;
    if (!Guarded(m_ctx, "InsertProfileCHRD",
                 [&] { made = InsertRecurringContacts(m_ctx, m_profileId, m_type, plan.dates); }))
        return;
    if (made < 0) { // the store's own limit
        m_ctx.prompt().message(MsgTooManyRecurring());
        return;
    }
    m_created = made;
    accept();
}

} // namespace vm
