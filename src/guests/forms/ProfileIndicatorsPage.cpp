#include "guests/forms/ProfileIndicatorsPage.h"

#include "core/DataAccess.h"
#include "core/Rights.h"
#include "guests/Profiles.h"
#include "logbook/EntryRules.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/WidgetPrompt.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmSearch");
const QString AddCaption = QStringLiteral("Add Indicator");
const QString ReplaceCaption = QStringLiteral("Replace");
constexpr int NameRole = Qt::UserRole;
} // namespace

ProfileIndicatorsPage::ProfileIndicatorsPage(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("ProfileIndicatorsPage");
    auto* top = new QHBoxLayout(this);
    top->addWidget(lstIndicators = named(new QListWidget, "lstIndicators"), 1);
    auto* side = new QVBoxLayout;
    auto* fields = new QFormLayout;
    fields->addRow("Indicator:", txtIndicator = makeLineEdit(this, "txtIndicator"));
    fields->addRow("Replace With:", txtReplaceWith = makeLineEdit(this, "txtReplaceWith"));
    fields->addRow("Entry Hint:", txtEntryHint = makeLineEdit(this, "txtEntryHint", false, 255));
    fields->addRow("Email Address:",
                   txtIndicatorEmail = makeLineEdit(this, "txtIndicatorEmail", false, 255));
    fields->addRow("Sequence:", txtSequence = makeLineEdit(this, "txtSequence", false, 4));
    txtSequence->setValidator(new QIntValidator(0, 9999, txtSequence));
    chkIndicatorPrivate = named(new QCheckBox("Private"), "chkIndicatorPrivate");
    fields->addRow(QString(), chkIndicatorPrivate);
    side->addLayout(fields);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAddIndicator = named(new QPushButton(AddCaption), "cmdAddIndicator"));
    buttons->addWidget(cmdDeleteIndicator = named(new QPushButton("Delete"), "cmdDeleteIndicator"));
    side->addLayout(buttons);
    side->addWidget(
        cmdUpdateSequence =
            named(new QPushButton("Update Entry Hint, Email Address, Sequence and Private Flag"),
                  "cmdUpdateSequence"));
    side->addWidget(lblIndicatorInUse = named(new QLabel, "lblIndicatorInUse"));
    lblIndicatorInUse->setWordWrap(true);
    lblIndicatorInUse->setFrameShape(QFrame::Box);
    side->addStretch(1);
    top->addLayout(side, 1);
    showInUse(0);

    connect(lstIndicators, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) showType(item->data(NameRole).toString());
        showInUse(0);
    });
    // Text in "Replace With:" turns the add into a replace.
    connect(txtReplaceWith, &QLineEdit::textChanged, this, [this](const QString& text) {
        cmdAddIndicator->setText(text.trimmed().isEmpty() ? AddCaption : ReplaceCaption);
    });
    connect(cmdAddIndicator, &QPushButton::clicked, this,
            &ProfileIndicatorsPage::cmdAddIndicator_Click);
    connect(cmdDeleteIndicator, &QPushButton::clicked, this,
            &ProfileIndicatorsPage::cmdDeleteIndicator_Click);
    connect(cmdUpdateSequence, &QPushButton::clicked, this,
            &ProfileIndicatorsPage::cmdUpdateSequence_Click);
}

void ProfileIndicatorsPage::refresh() {
    QSignalBlocker quiet(lstIndicators);
    lstIndicators->clear();
    if (!m_ctx.current) return; // no databases while logged off at start
    try {
        for (const IndicatorType& t : GetAllPreferenceTypes(m_ctx)) {
            auto* item = new QListWidgetItem(IndicatorTypeLabel(t), lstIndicators);
            item->setData(NameRole, t.name);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetAllPreferenceTypes", FormName, true);
    }
}

void ProfileIndicatorsPage::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    refresh();
}

void ProfileIndicatorsPage::showType(const QString& name) {
    std::optional<IndicatorType> t;
    try {
        t = GetPreferenceType(m_ctx, name);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "lstIndicators_Click", FormName, true);
        return;
    }
    if (!t) return;
    txtIndicator->setText(t->name);
    txtEntryHint->setText(t->hint);
    txtIndicatorEmail->setText(t->email);
    txtSequence->setText(QString::number(t->sequence));
    chkIndicatorPrivate->setChecked(t->isPrivate);
}

void ProfileIndicatorsPage::showInUse(int uses) {
    lblIndicatorInUse->setText(uses > 0 ? ToDisplayText(MsgIndicatorInUse(uses)) : QString());
    lblIndicatorInUse->setVisible(uses > 0);
}

IndicatorType ProfileIndicatorsPage::typed(const QString& name) const {
    IndicatorType t;
    t.name = name.trimmed();
    t.sequence = IndicatorSequence(txtSequence->text());
    t.hint = txtEntryHint->text().trimmed();
    t.email = txtIndicatorEmail->text().trimmed();
    t.isPrivate = chkIndicatorPrivate->isChecked();
    return t;
}

bool ProfileIndicatorsPage::mayMaintain() {
    return MayDoOrSay(m_ctx, Rights::ProfilesIndicators, MsgNotAuthorizedIndicators);
}

void ProfileIndicatorsPage::done() {
    for (QLineEdit* e :
         {txtIndicator, txtReplaceWith, txtEntryHint, txtIndicatorEmail, txtSequence})
        e->clear();
    chkIndicatorPrivate->setChecked(false);
    showInUse(0);
    refresh();
    Q_EMIT typesChanged();
}

void ProfileIndicatorsPage::cmdAddIndicator_Click() {
    if (!mayMaintain()) return;
    const bool replace = !txtReplaceWith->text().trimmed().isEmpty();
    QString refusal;
    try {
        refusal = replace ? ReplaceIndicatorType(m_ctx, txtIndicator->text().trimmed(),
                                                 typed(txtReplaceWith->text()))
                          : AddIndicatorType(m_ctx, typed(txtIndicator->text()));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, replace ? "ReplacePrefType" : "InsertProfleType",
                    "modDatabase");
        return;
    }
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return;
    }
    done();
}

void ProfileIndicatorsPage::cmdDeleteIndicator_Click() {
    if (!mayMaintain()) return;
    const QString name = txtIndicator->text().trimmed();
    if (name.isEmpty()) {
        m_ctx.prompt().message(MsgSelectIndicatorToDelete);
        return;
    }
    try {
        if (IsMandatoryGuestIdType(m_ctx, name)) {
            m_ctx.prompt().message(MsgGuestIdNoDelete);
            return;
        }
        const int uses = CountIndicatorUses(m_ctx, name);
        if (uses > 0) {
            showInUse(uses);
            return;
        }
        if (m_ctx.prompt().ask(MsgDeleteIndicatorType, {}, Buttons::YesNo, Icon::Question,
                               Answer::No) != Answer::Yes)
            return;
        const QString refusal = DeleteIndicatorType(m_ctx, name);
        if (!refusal.isEmpty()) {
            // A desk gave a profile the type after the count.
            const int usesNow = CountIndicatorUses(m_ctx, name);
            if (usesNow > 0)
                showInUse(usesNow);
            else
                m_ctx.prompt().message(refusal);
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdDeleteIndicator_Click", FormName, true);
        return;
    }
    done();
}

void ProfileIndicatorsPage::cmdUpdateSequence_Click() {
    if (!mayMaintain()) return;
    QString refusal;
    try {
        refusal = UpdatePrefSequenceNo(m_ctx, typed(txtIndicator->text()));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "UpdatePrefSequenceNo", "modDatabase");
        return;
    }
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return;
    }
    done();
}

} // namespace vm
