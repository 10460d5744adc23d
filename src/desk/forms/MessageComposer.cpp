#include "desk/forms/MessageComposer.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "core/Staff.h"
#include "desk/MessagePages.h"
#include "desk/MessageRules.h"
#include "desk/Messages.h"
#include "guests/RecordMessage.h"
#include "guests/forms/frmEvtMessager.h"
#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"
#include "platform/SpellChecker.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SpellCheckDialog.h"
#include "platform/forms/WidgetPrompt.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmSetMessager");
constexpr int OrderRole = Qt::UserRole; // place in the staff list
} // namespace

MessageComposer::MessageComposer(AppContext& ctx, Mode mode, qint64 logId, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_mode(mode), m_logId(logId) {
    setObjectName("MessageComposer");
    auto* top = new QGridLayout(this);

    auto* who = named(new QGroupBox("Select Message Recipient(s)"), "fraRecipients");
    auto* whoLayout = new QGridLayout(who);
    whoLayout->addWidget(named(new QLabel("Available (Dbl-Click to add)"), "lblAvailable"), 0, 0);
    whoLayout->addWidget(named(new QLabel("Recipients(s)"), "lblSelected"), 0, 1);
    whoLayout->addWidget(lstConcierges = named(new QListWidget, "lstConcierges"), 1, 0);
    whoLayout->addWidget(lstSelected = named(new QListWidget, "lstSelected"), 1, 1);
    top->addWidget(who, 0, 0, 1, 2);

    auto* what = named(new QGroupBox("Message Text"), "fraMessage");
    auto* whatLayout = new QVBoxLayout(what);
    whatLayout->addWidget(txtMessage = named(new QPlainTextEdit, "txtMessage"), 1);
    auto* spell = new QHBoxLayout;
    spell->addStretch();
    spell->addWidget(cmdSpellCheck = named(new QPushButton("Spell Check"), "cmdSpellCheck"));
    whatLayout->addLayout(spell);
    top->addWidget(what, 1, 0);

    auto* options = named(new QGroupBox("Send Options"), "fraSendOptions");
    auto* optionsLayout = new QGridLayout(options);
    optionsLayout->addWidget(named(new QLabel("Deliver:"), "lblDeliver"), 0, 0);
    txtDeliverDate = makeLineEdit(options, "txtDeliverDate", false, 10);
    txtDeliverDate->setPlaceholderText(Formats::ShortDateHint);
    txtDeliverTime = makeLineEdit(options, "txtDeliverTime", false, 8);
    optionsLayout->addWidget(txtDeliverDate, 0, 1);
    optionsLayout->addWidget(txtDeliverTime, 0, 2);
    optionsLayout->addWidget(cmdSetNow = named(new QPushButton("Set as &Now"), "cmdSetNow"), 1, 1);
    cmdPresetTime = named(new QPushButton("05:00 AM / 11:00 AM / 03:00 PM"), "cmdPresetTime");
    cmdPresetTime->setToolTip("Step the delivery time through 05:00 AM, 11:00 AM and 03:00 PM");
    optionsLayout->addWidget(cmdPresetTime, 1, 2);
    optionsLayout->addWidget(chkUrgent = named(new QCheckBox("Flag as Urgent"), "chkUrgent"), 2, 0,
                             1, 3);
    if (mode == Mode::Page) {
        chkToMessageCenter = named(new QCheckBox("Send to Message Center"), "chkToMessageCenter");
        chkToMessageCenter->setToolTip("Also keep the message in your Personal Message Center");
        optionsLayout->addWidget(chkToMessageCenter, 3, 0, 1, 3);
    }
    cmdSendMessage = named(new QPushButton("&Send Message"), "cmdSendMessage");
    optionsLayout->addWidget(cmdSendMessage, 4, 0, 1, 3);
    optionsLayout->setRowStretch(5, 1);
    top->addWidget(options, 1, 1);
    top->addWidget(lblSent = named(new QLabel, "lblSent"), 2, 0, 1, 2);
    top->setRowStretch(0, 1);
    top->setRowStretch(1, 1);

    connect(lstConcierges, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { moveItem(lstConcierges, lstSelected, item); });
    connect(lstSelected, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { moveItem(lstSelected, lstConcierges, item); });
    connect(cmdSetNow, &QPushButton::clicked, this, &MessageComposer::cmdSetNow_Click);
    connect(cmdPresetTime, &QPushButton::clicked, this, &MessageComposer::cmdPresetTime_Click);
    connect(cmdSpellCheck, &QPushButton::clicked, this, &MessageComposer::cmdSpellCheck_Click);
    connect(cmdSendMessage, &QPushButton::clicked, this, &MessageComposer::send);
    reload();
}

MessageComposer::~MessageComposer() = default;

void MessageComposer::reload() {
    lstConcierges->clear();
    lstSelected->clear();
    cmdSetNow_Click();
    if (!m_ctx.current || !m_ctx.session.loggedOn()) return;
    try {
        int order = 0;
        for (const StaffEntry& s : GetAllConcierges(m_ctx.db(), true)) {
            auto* item = new QListWidgetItem(s.text, lstConcierges);
            item->setData(OrderRole, order++);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetAllConcierges", FormName, true);
    }
}

void MessageComposer::moveItem(QListWidget* from, QListWidget* to, QListWidgetItem* item) {
    if (!item) return;
    from->takeItem(from->row(item));
    // Back in the available list an entry returns to its place.
    int row = to->count();
    if (to == lstConcierges) {
        for (int i = 0; i < to->count(); ++i) {
            if (to->item(i)->data(OrderRole).toInt() > item->data(OrderRole).toInt()) {
                row = i;
                break;
            }
        }
    }
    to->insertItem(row, item);
}

void MessageComposer::cmdSetNow_Click() {
    const QDateTime now = m_ctx.clock().now();
    txtDeliverDate->setText(Formats::ShortDate(now.date()));
    txtDeliverTime->setText(Formats::Time12(now.time()));
}

void MessageComposer::cmdPresetTime_Click() {
    const QDateTime next = NextPresetDelivery(m_ctx.clock().now(),
                                              Formats::ParseTime(txtDeliverTime->text().trimmed()));
    txtDeliverDate->setText(Formats::ShortDate(next.date()));
    txtDeliverTime->setText(Formats::Time12(next.time()));
}

void MessageComposer::cmdSpellCheck_Click() {
    if (!m_speller)
        m_speller =
            std::make_unique<SpellChecker>(SpellChecker::FindDictionary(),
                                           m_ctx.workstation.userDataFolder + "UserDictionary.txt");
    RunSpellCheck(txtMessage, *m_speller, m_ctx.prompt(), this);
}

bool MessageComposer::mayCompose() {
    try {
        if (m_mode == Mode::Page && !MayUseMessaging(m_ctx)) return false;
        if (IsGuestViewer(m_ctx.session) || m_ctx.session.restricted ||
            GetBooleanSetting(m_ctx.db(), "NoMessaging", &m_ctx.prompt())) {
            m_ctx.prompt().message(MsgNoMessaging);
            return false;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdSendMessage_Click", FormName, true);
        return false;
    }
    return true;
}

bool MessageComposer::send() {
    if (!mayCompose()) return false;
    QStringList addresses;
    for (int i = 0; i < lstSelected->count(); ++i)
        addresses << lstSelected->item(i)->text();
    if (addresses.isEmpty()) {
        m_ctx.prompt().message(MsgSelectRecipients);
        return false;
    }
    QString text = ToStoredText(txtMessage->toPlainText());
    if (text.trimmed().isEmpty()) {
        m_ctx.prompt().message(MsgEnterMessageText);
        return false;
    }
    OutgoingMessage m;
    m.urgent = chkUrgent->isChecked();
    if (m.urgent) {
        m.due = m_ctx.clock().now();
    } else {
        const QDate day = Formats::ParseShortDate(txtDeliverDate->text().trimmed());
        if (!day.isValid()) {
            m_ctx.prompt().message(MsgDeliverDate);
            return false;
        }
        const QTime time = Formats::ParseTime(txtDeliverTime->text().trimmed());
        if (!time.isValid()) {
            m_ctx.prompt().message(MsgDeliverTime);
            return false;
        }
        m.due = QDateTime(day, QTime(time.hour(), time.minute()));
    }
    text = ScreenMessageCardNumber(m_ctx, text, addresses, txtMessage, this);
    m.sender = m_ctx.session.name;
    m.text = text;
    m.logId = m_logId;
    QStringList reached;
    try {
        for (const QString& address : addresses) {
            m.recipient = address;
            reached << InsertTheMessage(m_ctx, m);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "InsertTheMessage", FormName, true);
        return false;
    }
    if (reached.isEmpty()) {
        m_ctx.prompt().message(MsgReachedNobody(addresses));
        return false;
    }
    reached.removeDuplicates();
    if (chkToMessageCenter && chkToMessageCenter->isChecked())
        keepInOwnCenter(m.urgent ? m_ctx.clock().now() : m.due, addresses, text);
    lblSent->setText("Message sent to: " + reached.join(", "));
    txtMessage->clear();
    chkUrgent->setChecked(false);
    while (lstSelected->count() > 0)
        moveItem(lstSelected, lstConcierges, lstSelected->item(0));
    cmdSetNow_Click();
    Q_EMIT sent(reached);
    return true;
}

void MessageComposer::keepInOwnCenter(const QDateTime& due, const QStringList& addresses,
                                      const QString& text) {
    // Only the sender's own page: the recipients' pages are theirs to keep.
    const PageRow row{Formats::StoredDateTime(due),
                      m_ctx.session.name + " to " + addresses.join(", "), text};
    try {
        if (KeepInPersonalCenter(m_ctx, row)) m_ctx.prompt().message(MsgPersonalPageTooLong);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "KeepInPersonalCenter", FormName, true);
    }
}

} // namespace vm
