#include "security/forms/SecurityLogPage.h"

#include "core/DataAccess.h"
#include "security/CardStore.h"
#include "security/Logon.h"

#include <QBrush>
#include <QColor>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vm {

namespace {
enum Kind { LogonAttempts, SuspiciousActivity, ProfileViews, LogbookViews, LostFoundViews };

void fill(QTableWidget* grid, const std::vector<Row>& rows, const QStringList& columns,
          const QString& failedColumn = {}) {
    grid->clear();
    grid->setColumnCount(int(columns.size()));
    grid->setHorizontalHeaderLabels(columns);
    grid->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const bool failed = !failedColumn.isEmpty() && !rows[r].flag(failedColumn);
        for (int c = 0; c < columns.size(); ++c) {
            auto* item = new QTableWidgetItem(StoredText(rows[r].text(columns[c])));
            if (failed) item->setForeground(QBrush(QColor(Qt::red)));
            grid->setItem(r, c, item);
        }
    }
    grid->resizeColumnsToContents();
}
} // namespace

SecurityLogPage::SecurityLogPage(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("SecurityLogPage");
    m_kind = new QComboBox(this);
    m_kind->setObjectName("cboLog");
    m_kind->addItems({"Logon Attempts", "Suspicious Activity", "Profile Credit Card Views",
                      "Logbook Credit Card Views", "Lost and Found Credit Card Views"});
    m_scope = new QComboBox(this);
    m_scope->setObjectName("cboScope");
    m_scope->addItems({"All", "Good", "Bad"});
    auto* refresh = new QPushButton("Show", this);
    refresh->setObjectName("cmdRefresh");
    m_days = new QSpinBox(this);
    m_days->setObjectName("txtDays");
    m_days->setRange(1, 3650);
    m_days->setValue(90);
    auto* purge = new QPushButton("Delete older entries", this);
    purge->setObjectName("cmdPurge");
    m_grid = new QTableWidget(this);
    m_grid->setObjectName("grdLog");
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setAlternatingRowColors(true);
    connect(refresh, &QPushButton::clicked, this, &SecurityLogPage::cmdRefresh_Click);
    connect(purge, &QPushButton::clicked, this, &SecurityLogPage::cmdPurge_Click);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_kind);
    bar->addWidget(m_scope);
    bar->addWidget(refresh);
    bar->addStretch();
    bar->addWidget(new QLabel("Days to keep:", this));
    bar->addWidget(m_days);
    bar->addWidget(purge);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_grid);
}

void SecurityLogPage::cmdRefresh_Click() {
    if (!m_ctx.session.manager) {
        m_ctx.prompt().message("Only a manager may read the security logs.");
        return;
    }
    const QString scope = m_scope->currentText();
    const QStringList views{"LastName",  "FirstName",   "Viewed", "LogDateTime",
                            "Concierge", "Workstation", "Reason"};
    try {
        switch (m_kind->currentIndex()) {
        case LogonAttempts:
            fill(m_grid, GetFailedLogons(m_ctx, scope),
                 {"Workstation", "LogDateTime", "MsgSource", "LogonName", "Password"});
            break;
        case SuspiciousActivity:
            fill(m_grid, GetSuspiciousActivity(m_ctx),
                 {"VmMName", "DateTimeSA", "Concierge", "Workstation", "VmModule", "FieldSA",
                  "DataSA", "RecordID"});
            break;
        case ProfileViews:
            fill(m_grid, GetCCVComplete(m_ctx, scope), views, "Viewed");
            break;
        case LogbookViews:
            fill(m_grid, GetCCVLComplete(m_ctx, scope), views, "Viewed");
            break;
        case LostFoundViews:
            fill(m_grid, GetCCVFComplete(m_ctx, scope), views, "Viewed");
            break;
        default:
            break;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdRefresh_Click", "SecurityLogPage", true);
    }
}

void SecurityLogPage::cmdPurge_Click() {
    if (!m_ctx.session.manager) {
        m_ctx.prompt().message("Only a manager may delete entries of the security logs.");
        return;
    }
    const int days = m_days->value();
    if (m_ctx.prompt().ask("Delete the entries of the " + m_kind->currentText() +
                               " log that are more than " + QString::number(days) + " days old?",
                           {}, Buttons::YesNo, Icon::Question, Answer::No) != Answer::Yes)
        return;
    try {
        switch (m_kind->currentIndex()) {
        case LogonAttempts:
            DeleteFailedLogons(m_ctx, days);
            break;
        case SuspiciousActivity:
            DeleteSuspicious(m_ctx, days);
            break;
        case ProfileViews:
            DeleteCCViews(m_ctx, days);
            break;
        default:
            DeleteCCLViews(m_ctx, days);
            break;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdPurge_Click", "SecurityLogPage", true);
        return;
    }
    cmdRefresh_Click();
}

} // namespace vm
