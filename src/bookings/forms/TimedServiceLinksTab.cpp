// The logbook links: which logbook category a service category's bookings
// are filed under, and which design line receives each booking value.

#include "bookings/TsSetup.h"
#include "bookings/forms/TimedServiceTabs.h"
#include "bookings/forms/frmTimedServiceRules.h"
#include "core/DataAccess.h"
#include "logbook/Categories.h"
#include "logbook/Designs.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vm {

TimedServiceLinksTab::TimedServiceLinksTab(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabLinks");
    auto* top = new QHBoxLayout(this);
    lstLinks = named(new QListWidget, "lstLinks");
    lstLinks->setMaximumWidth(280);
    top->addWidget(lstLinks);

    auto* right = new QVBoxLayout;
    top->addLayout(right, 1);
    auto* head = new QGridLayout;
    cboLinkCategory = named(new QComboBox, "cboLinkCategory");
    cboLogCategory = named(new QComboBox, "cboLogCategory");
    head->addWidget(new QLabel("Service Category:"), 0, 0);
    head->addWidget(cboLinkCategory, 0, 1);
    head->addWidget(new QLabel("Logbook Category:"), 1, 0);
    head->addWidget(cboLogCategory, 1, 1);
    right->addLayout(head);

    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    auto* rows = new QWidget;
    auto* grid = new QGridLayout(rows);
    grid->addWidget(new QLabel("Booking Value"), 0, 1);
    grid->addWidget(new QLabel("Logbook Field"), 0, 2);
    const QStringList values = QStringList{QString()} + TsLinkValueNames();
    for (int i = 0; i < 15; ++i) {
        cboLinkValue[i] = named(new QComboBox, QString("cboLinkValue_%1").arg(i));
        cboLinkValue[i]->addItems(values);
        cboLinkLabel[i] = named(new QComboBox, QString("cboLinkLabel_%1").arg(i));
        grid->addWidget(new QLabel(QString::number(i + 1)), i + 1, 0);
        grid->addWidget(cboLinkValue[i], i + 1, 1);
        grid->addWidget(cboLinkLabel[i], i + 1, 2);
    }
    scroll->setWidget(rows);
    right->addWidget(scroll, 1);

    cmdSaveLink = named(new QPushButton("&Save"), "cmdSaveLink");
    cmdDeleteLink = named(new QPushButton("&Delete"), "cmdDeleteLink");
    cmdNewLink = named(new QPushButton("&New"), "cmdNewLink");
    auto* buttons = ButtonRow({cmdSaveLink, cmdDeleteLink, cmdNewLink});
    buttons->addStretch();
    right->addLayout(buttons);

    connect(lstLinks, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) showLink(item->data(Qt::UserRole).toLongLong());
    });
    connect(cboLogCategory, &QComboBox::currentIndexChanged, this, [this] { logCategoryChanged(); });
    connect(cmdSaveLink, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDeleteLink, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdNewLink, &QPushButton::clicked, this, [this] {
        lstLinks->setCurrentItem(nullptr);
        clearLink();
    });
    reload();
    clearLink();
}

void TimedServiceLinksTab::reload(qint64 selectId) {
    const QSignalBlocker quiet(lstLinks);
    lstLinks->clear();
    try {
        FillIdCombo(cboLinkCategory, LookupItems(m_ctx, "TService"));
        FillIdCombo(cboLogCategory, GetLogbookCategories(m_ctx.db()));
        for (const TsLogLink& link : GetTsLogLinks(m_ctx)) {
            auto* item = new QListWidgetItem(
                TsCategoryName(m_ctx, link.categoryId).trimmed() + " -> " + link.logType.trimmed(),
                lstLinks);
            item->setData(Qt::UserRole, link.id);
            if (link.id == selectId) lstLinks->setCurrentItem(item);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetTSLogLinks", "modDatabaseTS");
    }
}

void TimedServiceLinksTab::clearLink() {
    m_link = TsLogLink();
    SelectComboId(cboLinkCategory, 0);
    SelectComboId(cboLogCategory, 0);
    logCategoryChanged();
    for (QComboBox* b : cboLinkValue)
        b->setCurrentIndex(0);
}

void TimedServiceLinksTab::logCategoryChanged() {
    QStringList labels{QString()};
    try {
        if (const qint64 logType = ComboId(cboLogCategory))
            for (const DesignLine& line : GetDEEditDefinition(m_ctx.db(), logType))
                if (!line.isEmpty()) labels << line.label.trimmed();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetDEEditDefinition", "modDatabase");
    }
    for (QComboBox* b : cboLinkLabel) {
        const QString keep = b->currentText();
        b->clear();
        b->addItems(labels);
        b->setCurrentIndex(std::max(0, int(labels.indexOf(keep))));
    }
}

void TimedServiceLinksTab::showLink(qint64 id) {
    std::vector<TsLogLink> links;
    try {
        links = GetTsLogLinks(m_ctx);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetTSLogLinks", "modDatabaseTS");
        return;
    }
    clearLink();
    for (const TsLogLink& link : links) {
        if (link.id != id) continue;
        m_link = link;
        SelectComboId(cboLinkCategory, link.categoryId);
        SelectComboId(cboLogCategory, link.logTypeId);
        for (int i = 0; i < 15; ++i) {
            cboLinkValue[i]->setCurrentIndex(
                std::max(0, int(cboLinkValue[i]->findText(link.valueName[i].trimmed()))));
            const int at = cboLinkLabel[i]->findText(link.designLabel[i].trimmed());
            if (at >= 0 || link.designLabel[i].trimmed().isEmpty()) {
                cboLinkLabel[i]->setCurrentIndex(std::max(0, at));
            } else {
                // A label the design no longer has: shown as stored.
                cboLinkLabel[i]->addItem(link.designLabel[i].trimmed());
                cboLinkLabel[i]->setCurrentIndex(cboLinkLabel[i]->count() - 1);
            }
        }
    }
}

void TimedServiceLinksTab::cmdSave_Click() {
    TsLogLink link = m_link;
    link.categoryId = ComboId(cboLinkCategory);
    link.logTypeId = ComboId(cboLogCategory);
    link.logType = link.logTypeId ? cboLogCategory->currentText() : QString();
    for (int i = 0; i < 15; ++i) {
        link.valueName[i] = cboLinkValue[i]->currentText();
        link.designLabel[i] = cboLinkLabel[i]->currentText();
    }
    try {
        if (const QString refusal = SaveTsLogLink(m_ctx, link); !refusal.isEmpty()) {
            m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, m_link.id ? "UpdateTSLogLink" : "InsertTSLogLink",
                    "modDatabaseTS");
        return;
    }
    reload(link.id);
    showLink(link.id);
    Q_EMIT changed();
}

void TimedServiceLinksTab::cmdDelete_Click() {
    if (m_link.id <= 0) {
        m_ctx.prompt().message(MsgTsSelectLink, {}, Icon::Exclamation);
        return;
    }
    if (m_ctx.prompt().ask(DeleteLinkQuestion(), {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    try {
        DeleteTsLogLink(m_ctx, m_link.id);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "DeleteTSLogLink", "modDatabaseTS");
        return;
    }
    reload();
    clearLink();
    Q_EMIT changed();
}

} // namespace vm
