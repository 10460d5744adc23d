// The mass delete of old bookings and the printed sheets of a day.

#include "bookings/TsBookings.h"
#include "bookings/forms/TimedServiceTabs.h"
#include "bookings/forms/frmTimedServiceRules.h"
#include "bookings/reports/TimedServiceReports.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/FormHelpers.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

TimedServiceToolsTab::TimedServiceToolsTab(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabTools");
    auto* top = new QVBoxLayout(this);

    auto* purge = new QGroupBox("Delete Timed Services");
    auto* pg = new QGridLayout(purge);
    txtDeleteDate = makeLineEdit(this, "txtDeleteDate", false, 10);
    txtDeleteDate->setPlaceholderText(Formats::ShortDateHint);
    cmdDeleteTS = named(new QPushButton("Delete Timed Services"), "cmdDeleteTS");
    pg->addWidget(new QLabel("Delete every Timed Service dated before:"), 0, 0);
    pg->addWidget(txtDeleteDate, 0, 1);
    pg->addWidget(cmdDeleteTS, 0, 2);
    top->addWidget(purge);

    auto* printing = new QGroupBox("Print");
    auto* pr = new QGridLayout(printing);
    txtPrintDate = makeLineEdit(this, "txtPrintDate", false, 10);
    txtPrintDate->setPlaceholderText(Formats::ShortDateHint);
    txtPrintDate->setText(Formats::ShortDate(ctx.clock().today()));
    cmdPrintLocationSheets = named(new QPushButton("Location Sheets"), "cmdPrintLocationSheets");
    cmdPrintProviderSheets = named(new QPushButton("Provider Sheets"), "cmdPrintProviderSheets");
    pr->addWidget(new QLabel("Date:"), 0, 0);
    pr->addWidget(txtPrintDate, 0, 1);
    pr->addWidget(cmdPrintLocationSheets, 0, 2);
    pr->addWidget(cmdPrintProviderSheets, 0, 3);
    top->addWidget(printing);
    top->addStretch();

    for (QPushButton* b : {cmdDeleteTS, cmdPrintLocationSheets, cmdPrintProviderSheets})
        b->setAutoDefault(false);
    connect(cmdDeleteTS, &QPushButton::clicked, this, [this] { cmdDeleteTS_Click(); });
    connect(cmdPrintLocationSheets, &QPushButton::clicked, this, [this] { print(true); });
    connect(cmdPrintProviderSheets, &QPushButton::clicked, this, [this] { print(false); });
}

void TimedServiceToolsTab::cmdDeleteTS_Click() {
    const QString text = txtDeleteDate->text().trimmed();
    if (const QString refusal = CheckTsPurgeDate(m_ctx, text); !refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
        txtDeleteDate->setFocus();
        return;
    }
    QDate before = Formats::ParseShortDate(text);
    if (!before.isValid()) before = Formats::ParseStoredDate(text);
    if (m_ctx.prompt().ask(TsPurgeQuestion(before), {}, Buttons::YesNo, Icon::Question,
                           Answer::No) != Answer::Yes)
        return;
    try {
        WaitCursor wait;
        PurgeTimedServices(m_ctx, before);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "PurgeTimedServices", "modDatabaseTS");
        return;
    }
    Q_EMIT purged();
    m_ctx.prompt().message(TsPurgeDoneMessage(before));
}

void TimedServiceToolsTab::print(bool locationSheets) {
    const TypedDay typed = CheckSheetsDate(txtPrintDate->text(), locationSheets);
    if (!typed.refusal.isEmpty()) {
        m_ctx.prompt().message(typed.refusal, {}, Icon::Exclamation);
        txtPrintDate->setFocus();
        return;
    }
    PrintRequest request;
    request.routine = locationSheets ? RoutineLocationSheets : RoutineProviderSheets;
    request.title = locationSheets ? QStringLiteral("Location Sheets")
                                   : QStringLiteral("Provider Sheets");
    request.args.insert("date", Formats::StoredDate(typed.day));
    OpenReport(m_ctx, request, this);
}

} // namespace vm
