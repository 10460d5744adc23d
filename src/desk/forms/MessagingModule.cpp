#include "desk/forms/MessagingModule.h"

#include "app/forms/frmSearch.h"
#include "desk/MessageRules.h"
#include "desk/forms/MessageComposer.h"
#include "desk/forms/frmPresentMsg.h"
#include "desk/forms/frmSetMessager.h"
#include "logbook/forms/LogbookModule.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

MessagingModule::MessagingModule(AppContext& ctx, frmSearch& window)
    : QObject(&window), m_ctx(ctx), m_window(window) {
    setObjectName("MessagingModule");
    MessagePoller::Seams seams;
    seams.mayPresentNow = [&ctx] {
        return ctx.session.loggedOn() && !QApplication::activeModalWidget() &&
               !QApplication::activePopupWidget();
    };
    seams.present = [this](const StaffMsg& m) { present(m); };
    seams.showCaption = [&window](const QString& suffix) { window.setCaptionSuffix(suffix); };
    seams.showCount = [this](int count) { showCount(count); };
    m_poller = std::make_unique<MessagePoller>(ctx, std::move(seams));

    lblMail = named(new QToolButton(&window), "lblMail");
    lblMail->setAutoRaise(true);
    lblMail->setToolTip("Click to Retrieve Your Messages Now");
    window.statusBar()->addPermanentWidget(lblMail);
    connect(lblMail, &QToolButton::clicked, this, &MessagingModule::retrieve);
    showCount(0);

    buildPage();
    connect(window.timer(), &QTimer::timeout, this, [this] { m_poller->tick(); });
    connect(&window, &frmSearch::loggedOn, this, [this] {
        m_poller->reset();
        if (composer) composer->reload();
    });
    connect(&window, &frmSearch::loggedOff, this, [this] {
        m_poller->reset();
        if (composer) composer->reload();
    });
}

MessagingModule::~MessagingModule() = default;

void MessagingModule::buildPage() {
    QWidget* page = m_window.tabPage("Messages");
    if (!page) return;
    auto* layout = new QVBoxLayout(page);
    composer = new MessageComposer(m_ctx, MessageComposer::Mode::Page, 0, page);
    layout->addWidget(composer, 1);
    auto* buttons = new QHBoxLayout;
    auto* retrieveButton = named(new QPushButton("Retrieve Messages"), "cmdRetrieveMessages");
    retrieveButton->setToolTip("Click to Retrieve Your Messages Now");
    auto* center = named(new QPushButton("Message &Center"), "cmdMessageCenter2");
    buttons->addWidget(retrieveButton);
    buttons->addWidget(center);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(retrieveButton, &QPushButton::clicked, this, &MessagingModule::retrieve);
    connect(center, &QPushButton::clicked, this, [this] {
        if (MayUseMessaging(m_ctx)) m_window.launch("imgMessageCenter");
    });
}

void MessagingModule::retrieve() {
    if (!MayUseMessaging(m_ctx) || m_poller->presenting()) return;
    if (m_poller->retrieveNow() == 0) m_ctx.prompt().message(MsgNoMessagesNow);
}

void MessagingModule::showCount(int count) {
    lblMail->setText(count > 0 ? "Messages Waiting: " + QString::number(count)
                               : QStringLiteral("No Messages"));
}

void MessagingModule::present(const StaffMsg& message) {
    auto* f = new frmPresentMsg(m_ctx, message, &m_window);
    f->setWindowFlag(Qt::Window);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->setWindowModality(Qt::ApplicationModal);
    f->openEntry = [this](qint64 logId, LogSource source) {
        auto* logbook = m_window.findChild<LogbookModule*>("LogbookModule");
        frmLogbook* entry = logbook ? logbook->openEntry(logId, source) : nullptr;
        if (!entry) return;
        // Above the message, which is modal too: the member comes back to it.
        entry->setWindowModality(Qt::ApplicationModal);
        entry->show();
    };
    // Idle log-off ends it without a disposition; the message stays due.
    TrackSessionWindow(m_ctx, f);
    connect(f, &QDialog::finished, this, [this, f] {
        const bool disposed = f->disposed();
        // The next message is shown once this one's closing has run out.
        QTimer::singleShot(0, this, [this, disposed] { m_poller->presenterClosed(disposed); });
    });
    m_presenter = f;
    f->show();
}

void InstallMessaging(AppContext& ctx, frmSearch& window) {
    new MessagingModule(ctx, window);
    if (auto* logbook = window.findChild<LogbookModule*>("LogbookModule"))
        logbook->hooks.sendMessage = [&ctx](qint64 logId, QWidget* parent) {
            SendEntryMessage(ctx, logId, parent);
        };
}

} // namespace vm
