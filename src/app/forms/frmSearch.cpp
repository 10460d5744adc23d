#include "app/forms/frmSearch.h"

#include "app/forms/VisualStyles.h"
#include "app/forms/WindowCommands.h"
#include "core/Databases.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "platform/Prompt.h"
#include "platform/RegistryValues.h"
#include "platform/forms/SessionWindows.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vm {

namespace {
const QStringList TabNames = {"Contacts", "Events",   "Logbook",       "Messages",
                              "Others",   "Profiles", "Administration"};
const Right TabRights[] = {Rights::TabContacts,      Rights::TabEvents, Rights::TabLogbook,
                           Rights::TabMessages,      Rights::TabOthers, Rights::TabProfiles,
                           Rights::TabAdministration};
} // namespace

frmSearch::frmSearch(AppContext& ctx, QWidget* parent) : QMainWindow(parent), m_ctx(ctx) {
    setObjectName("frmSearch");
    m_sessionWindows = new SessionWindows(this);
    m_ctx.sessionWindows = m_sessionWindows;
    m_commandBar = addToolBar("Commands");
    m_commandBar->setObjectName("tbCommands");
    m_commandBar->setMovable(false);
    buildTabs();
    buildCommandBar();
    buildOthersPage();
    m_userLabel = new QLabel(this);
    m_userLabel->setObjectName("lblUser");
    statusBar()->addPermanentWidget(m_userLabel);
    setCommandAction("cmdLogoff", [this] { Logoff(); });
    AttachWindowCommands(m_ctx, *this);
    m_timer = new QTimer(this);
    m_timer->setObjectName("tmrMain");
    m_timer->setInterval(1000);
    m_timer->start();
    resize(1100, 720);
    applyRights();
    refreshCaption();
}

frmSearch::~frmSearch() {
    if (m_ctx.sessionWindows == m_sessionWindows) m_ctx.sessionWindows = nullptr;
}

void frmSearch::buildTabs() {
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("tabMain");
    for (const QString& name : TabNames) {
        auto* page = new QWidget(m_tabs);
        page->setObjectName("tab" + name);
        m_tabs->addTab(page, name);
    }
    // Administration holds sub-pages.
    QWidget* admin = tabPage("Administration");
    auto* layout = new QVBoxLayout(admin);
    m_adminButtons = new QHBoxLayout;
    m_adminButtons->addStretch();
    layout->addLayout(m_adminButtons);
    m_adminPages = new QTabWidget(admin);
    m_adminPages->setObjectName("tabAdministration");
    layout->addWidget(m_adminPages);
    setCentralWidget(m_tabs);
}

QWidget* frmSearch::tabPage(const QString& name) const {
    const int i = TabNames.indexOf(name);
    return i < 0 ? nullptr : m_tabs->widget(i);
}

void frmSearch::addAdministrationPage(const QString& title, QWidget* page) {
    m_adminPages->addTab(page, title);
}

QAbstractButton* frmSearch::addAdministrationButton(const QString& text, const QString& objectName,
                                                   const Right& right, const QString& refusal,
                                                   std::function<void()> fn) {
    auto* button = new QPushButton(text, tabPage("Administration"));
    button->setObjectName(objectName);
    m_adminButtons->insertWidget(m_adminButtons->count() - 1, button);
    connect(button, &QPushButton::clicked, this, [this, right, refusal, fn = std::move(fn)] {
        if (!m_ctx.session.manager && !HasRight(m_ctx.db(), m_ctx.session.conciergeId, right)) {
            m_ctx.prompt().message(refusal);
            return;
        }
        fn();
    });
    return button;
}

void frmSearch::setPagePrinter(const QString& tabName, std::function<void()> print) {
    m_pagePrinters.insert(tabName, std::move(print));
}

void frmSearch::printActivePage() {
    const int i = m_tabs->currentIndex();
    const auto printer = m_pagePrinters.constFind(i >= 0 ? TabNames.value(i) : QString());
    if (printer == m_pagePrinters.constEnd() || !*printer) {
        m_ctx.prompt().message("Print feature is not available for this panel.");
        return;
    }
    if (!m_ctx.session.manager && !m_ctx.session.guest &&
        !HasRight(m_ctx.db(), m_ctx.session.conciergeId, Rights::MaintenancePrintLists)) {
        m_ctx.prompt().message("You are not authorized to Print Search Lists.");
        return;
    }
    (*printer)();
}

void frmSearch::markEmptyPages() {
    for (const QString& name : TabNames) {
        QWidget* page = tabPage(name);
        if (page->layout()) continue;
        auto* layout = new QVBoxLayout(page);
        auto* note =
            new QLabel("The " + name + " page is not part of this installation yet.", page);
        note->setObjectName("lblNotInstalled" + name);
        note->setAlignment(Qt::AlignCenter);
        note->setEnabled(false);
        layout->addWidget(note);
    }
}

void frmSearch::refreshCaption() {
    QString caption = "Velmora - " + m_ctx.globals.propertyName + " - " +
                      Formats::LongDate(m_ctx.clock().today());
    if (m_ctx.start.localBackup) caption = "   *****   LOCAL Backup - " + caption;
    setWindowTitle(caption + m_captionSuffix);
    m_userLabel->setText(m_ctx.session.loggedOn() ? m_ctx.session.name : QString());
}

void frmSearch::setCaptionSuffix(const QString& suffix) {
    if (suffix == m_captionSuffix) return;
    m_captionSuffix = suffix;
    refreshCaption();
}

void frmSearch::applyRights() {
    const bool on = m_ctx.session.loggedOn();
    // Nobody logged on: nothing to work with until the logon.
    m_tabs->setEnabled(on);
    m_commandBar->setEnabled(on);
    for (int i = 0; i < TabNames.size(); ++i) {
        bool allowed = on;
        if (on && !m_ctx.session.guest && m_ctx.current)
            allowed = HasRight(m_ctx.db(), m_ctx.session.conciergeId, TabRights[i]);
        if (on && m_ctx.session.guest) allowed = TabNames[i] != "Administration";
        m_tabs->setTabEnabled(i, allowed);
        m_tabs->setTabVisible(i, allowed || !on);
    }
}

void frmSearch::Logon() {
    if (m_inLogon || m_ctx.session.loggedOn() || !m_logon) return;
    m_inLogon = true;
    const bool ok = m_logon();
    m_inLogon = false;
    if (ok && m_ctx.session.loggedOn()) {
        applyRights();
        // The desk's day starts on the logbook.
        const int logbook = TabNames.indexOf("Logbook");
        if (m_tabs->isTabEnabled(logbook)) m_tabs->setCurrentIndex(logbook);
        refreshCaption();
        Q_EMIT loggedOn();
    }
}

bool frmSearch::Logoff(LogoffReason reason) {
    if (m_loggingOff) return false;
    if (reason == LogoffReason::Manual) {
        if (!m_sessionWindows->closeAll()) return false;
        finishLogoff();
        return true;
    }
    // The session ends once the closed windows' code has run out (a question
    // they were asking returns as cancelled); nothing can be started meanwhile.
    m_loggingOff = true;
    m_tabs->setEnabled(false);
    m_commandBar->setEnabled(false);
    m_sessionWindows->discardAll([this] {
        m_loggingOff = false;
        finishLogoff();
    });
    return true;
}

void frmSearch::finishLogoff() {
    if (m_logoff) m_logoff();
    m_ctx.session.clear();
    applyRights();
    refreshCaption();
    Q_EMIT loggedOff();
    // Back to the logon dialog once the event that asked for it has finished.
    QTimer::singleShot(0, this, [this] { Logon(); });
}

void frmSearch::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    // Desktops without a window manager never activate the window: ask at once.
    if (!m_ctx.session.loggedOn()) QTimer::singleShot(0, this, [this] { Logon(); });
}

bool frmSearch::event(QEvent* e) {
    const bool handled = QMainWindow::event(e);
    if (e->type() == QEvent::WindowActivate && !m_ctx.session.loggedOn())
        QTimer::singleShot(0, this, [this] { Logon(); });
    return handled;
}

void frmSearch::applyPlacement() {
    const QString ini = m_ctx.iniFile();
    bool okTop = false, okLeft = false, okHeight = false, okWidth = false;
    const int top = INIRead("Screen", "Top", ini).toInt(&okTop);
    const int left = INIRead("Screen", "Left", ini).toInt(&okLeft);
    const int height = INIRead("Screen", "Height", ini).toInt(&okHeight);
    const int width = INIRead("Screen", "Width", ini).toInt(&okWidth);
    if (okTop && okLeft && okHeight && okWidth && height > 100 && width > 100)
        setGeometry(left, top, width, height);
    ApplyVisualStyle(StoredVisualStyle(m_ctx));
    applySizes();
    // A stored minimised state is shown as normal.
    if (INIRead("Screen", "WindowState", ini, "0") == "2")
        setWindowState(windowState() | Qt::WindowMaximized);
}

void frmSearch::applySizes() {
    const QString ini = m_ctx.iniFile();
    // Toolbar and tab sizes: 1 small, 2 medium, 3 large.
    const int toolbar = std::clamp(INIRead("Settings", "ToolbarSize", ini, "1").toInt(), 1, 3);
    m_commandBar->setIconSize(QSize(8 + 8 * toolbar, 8 + 8 * toolbar));
    const int tabSize = std::clamp(INIRead("Settings", "TabSize", ini, "2").toInt(), 1, 3);
    QFont tabFont = m_tabs->tabBar()->font();
    tabFont.setPointSize(7 + tabSize + (tabSize == 3 ? 1 : 0));
    m_tabs->tabBar()->setFont(tabFont);
}

void frmSearch::savePlacement() {
    const QString ini = m_ctx.iniFile();
    const QRect g = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
    INIWrite("Screen", "Top", QString::number(g.top()), ini);
    INIWrite("Screen", "Left", QString::number(g.left()), ini);
    INIWrite("Screen", "Height", QString::number(g.height()), ini);
    INIWrite("Screen", "Width", QString::number(g.width()), ini);
    INIWrite("Screen", "WindowState", isMaximized() ? "2" : isMinimized() ? "1" : "0", ini);
}

bool frmSearch::mayExit() {
    return m_ctx.prompt().ask(MsgExitQuestion, {}, Buttons::YesNo, Icon::Question, Answer::No) ==
           Answer::Yes;
}

void frmSearch::closeEvent(QCloseEvent* e) {
    // Leaving the program ends the session: its windows ask their questions
    // after the exit question, and one that refuses keeps the program open.
    if (!mayExit() || (m_ctx.session.loggedOn() && !m_sessionWindows->closeAll())) {
        e->ignore();
        return;
    }
    Q_EMIT closing();
    if (m_ctx.session.loggedOn() && m_logoff) m_logoff();
    savePlacement();
    CloseDatabase(m_ctx);
    e->accept();
}

} // namespace vm
