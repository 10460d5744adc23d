#pragma once
// The main window: seven tab pages of search panels, a command bar, the
// caption with the property's name and today's date.  Subsystems fill the
// pages through the seams below when they are installed (app/forms/Modules.cpp).

#include "core/AppContext.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QTabWidget;
class QToolBar;
class QTimer;
class QLabel;
class QAbstractButton;
class QGridLayout;

namespace vm {

class SessionWindows;

// A member logs off by the command, or the idle watch ends the session.
enum class LogoffReason { Manual, Idle };

class frmSearch : public QMainWindow {
    Q_OBJECT
public:
    explicit frmSearch(AppContext& ctx, QWidget* parent = nullptr);
    ~frmSearch() override;

    AppContext& context() { return m_ctx; }

    // The page of a tab ("Contacts", "Events", "Logbook", "Messages", "Others",
    // "Profiles", "Administration"); a subsystem sets the page's layout/contents.
    QWidget* tabPage(const QString& name) const;
    QTabWidget* tabs() const { return m_tabs; }
    // A sub-page of the Administration tab (e.g. "Logbook Categories").
    void addAdministrationPage(const QString& title, QWidget* page);
    // A launcher on the Others page (the page gets its introduction with the first).
    QAbstractButton* addOthersIcon(const QString& text, const QString& objectName,
                                   std::function<void()> fn);
    // A button on the command bar.
    QAction* addCommand(const QString& text, const QString& objectName, std::function<void()> fn);

    // What "Print the active document" does while the page of this tab is
    // shown (its list as it stands); pages without one say printing is not
    // available for them.
    void setPagePrinter(const QString& tabName, std::function<void()> print);
    // Prints the shown page's list (checks the member's right first).
    void printActivePage();

    // The logon seam: shows the logon dialog, answers true when someone logged on.
    void setLogonHandler(std::function<bool()> handler) { m_logon = std::move(handler); }
    // Log-off seam (the security subsystem stamps the log-off and clears the session).
    void setLogoffHandler(std::function<void()> handler) { m_logoff = std::move(handler); }
    // Runs the logon when nobody is logged on (also on activation).
    void Logon();
    // Closes the session's windows first.  Manual: each asks its own questions
    // and one that refuses cancels the log-off (answer false).  Idle: nobody
    // answers; the windows close without questions, unsaved changes are lost.
    bool Logoff(LogoffReason reason = LogoffReason::Manual);

    // The record windows and card dialogs of the session.
    SessionWindows* sessionWindows() const { return m_sessionWindows; }

    // Pages that no installed subsystem filled say so instead of staying blank.
    void markEmptyPages();

    // "Velmora - " + property + " - " + long date (with the LOCAL Backup prefix).
    void refreshCaption();
    // Window placement kept in VmSettings.ini.
    void applyPlacement();
    void savePlacement();

    // The main window's one-second timer (message polling, idle log-off).
    QTimer* timer() const { return m_timer; }

Q_SIGNALS:
    void loggedOn();
    void loggedOff();
    void closing();

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildTabs();
    void applyRights();
    void finishLogoff();

    AppContext& m_ctx;
    QTabWidget* m_tabs = nullptr;
    QTabWidget* m_adminPages = nullptr;
    QGridLayout* m_othersIcons = nullptr;
    QToolBar* m_commandBar = nullptr;
    QLabel* m_userLabel = nullptr;
    QTimer* m_timer = nullptr;
    SessionWindows* m_sessionWindows = nullptr;
    QHash<QString, std::function<void()>> m_pagePrinters;
    std::function<bool()> m_logon;
    std::function<void()> m_logoff;
    bool m_inLogon = false;
    bool m_loggingOff = false;
};

} // namespace vm
