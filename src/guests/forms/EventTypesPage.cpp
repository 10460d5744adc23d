#include "guests/forms/EventTypesPage.h"

#include "core/DataAccess.h"
#include "core/Rights.h"
#include "guests/Events.h"
#include "logbook/EntryRules.h"
#include "platform/forms/FormHelpers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmSearch");
const QString AddCaption = QStringLiteral("Add Event Type");
const QString ReplaceCaption = QStringLiteral("Replace");
} // namespace

EventTypesPage::EventTypesPage(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("EventTypesPage");
    auto* top = new QHBoxLayout(this);
    top->addWidget(lstEventTypes = named(new QListWidget, "lstEventTypes"), 1);
    auto* right = new QVBoxLayout;
    auto* f = new QFormLayout;
    f->addRow("Event Type:", txtEventType = makeLineEdit(this, "txtEventType", false, 50));
    f->addRow("Replace With:", txtReplaceWith = makeLineEdit(this, "txtReplaceWith", false, 50));
    right->addLayout(f);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAddType = named(new QPushButton(AddCaption), "cmdAddType"));
    buttons->addWidget(cmdDelete = named(new QPushButton("Delete"), "cmdDelete"));
    right->addLayout(buttons);
    right->addStretch();
    top->addLayout(right, 1);

    connect(lstEventTypes, &QListWidget::currentTextChanged, txtEventType, &QLineEdit::setText);
    // Typing a replacement turns the add button into "Replace".
    connect(txtReplaceWith, &QLineEdit::textChanged, this, [this](const QString& text) {
        cmdAddType->setText(text.trimmed().isEmpty() ? AddCaption : ReplaceCaption);
    });
    connect(cmdAddType, &QPushButton::clicked, this, &EventTypesPage::cmdAddType_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &EventTypesPage::cmdDelete_Click);
}

void EventTypesPage::refresh() {
    const QString keep = txtEventType->text();
    lstEventTypes->clear();
    if (!m_ctx.current) return;
    try {
        lstEventTypes->addItems(GetEventTypeNames(m_ctx));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetMntEventTypes", "modDatabase");
    }
    txtEventType->setText(keep);
}

bool EventTypesPage::mayMaintain() {
    return MayDoOrSay(m_ctx, Rights::EventsTypes,
                      "You are not authorized to Maintain Event Types.");
}

void EventTypesPage::cmdAddType_Click() {
    if (!mayMaintain()) return;
    const bool replacing = !txtReplaceWith->text().trimmed().isEmpty();
    try {
        const QString refusal = replacing ? ReplaceEventType(m_ctx, txtEventType->text().trimmed(),
                                                             txtReplaceWith->text().trimmed())
                                          : InsertEventType(m_ctx, txtEventType->text().trimmed());
        if (!refusal.isEmpty()) {
            m_ctx.prompt().message(refusal);
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, replacing ? "ReplaceTypeInEvents" : "InsertEventType",
                    "modDatabase");
        return;
    }
    txtEventType->clear();
    txtReplaceWith->clear();
    refresh();
    Q_EMIT typesChanged();
}

void EventTypesPage::cmdDelete_Click() {
    if (!mayMaintain()) return;
    QListWidgetItem* item = lstEventTypes->currentItem();
    if (!item) {
        m_ctx.prompt().message(MsgSelectTypeToDelete);
        return;
    }
    const QString type = item->text();
    try {
        // A type whose events cannot be counted is kept, as one in use is.
        const qint64 inUse = CountEventsOfType(m_ctx, type);
        if (inUse > 0) {
            m_ctx.prompt().message(MsgTypeInUse(inUse));
            return;
        }
        if (m_ctx.prompt().ask(MsgDeleteTypeQuestion()) != Answer::Yes) return;
        DeleteEventType(m_ctx, type);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdDeleteEventType_Click", FormName, true);
        return;
    }
    txtEventType->clear();
    refresh();
    Q_EMIT typesChanged();
}

} // namespace vm
