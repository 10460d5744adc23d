#pragma once
// The main window: seven tab pages of search panels, a command bar, the
// caption with the property's name and today's date.  Subsystems fill the
// pages through the seams below when they are installed (app/forms/Modules.cpp).

#include "core/AppContext.h"
#include "core/Rights.h"

#include <QHash>
#include <QMainWindow>
#include <functional>
#include <optional>

class QTabWidget;
class QToolBar;
class QTimer;
class QLabel;
class QAbstractButton;
class QGridLayout;
class QHBoxLayout;

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
    // A button of the row above the Administration sub-pages ("Interface
    // Options", "Concierge Staff" …).  `right` is checked before `fn` runs
    // (managers pass); without it the member is told `refusal`.
    QAbstractButton* addAdministrationButton(const QString& text, const QString& objectName,
                                             const Right& right, const QString& refusal,
                                             std::function<void()> fn);
    // Attaches what an icon of the Others page does.  Every icon stands on the
    // page from the start (imgGroups, imgRentals, imgPointToPoint,
    // imgMessageCenter, imgReportWriter, imgReservations, imgIncidents,
    // imgLostAndFound, imgKeyControl, imgTimedServices, imgWebImport); its right
    // is checked before the action runs, and an icon without an action says
    // its module is not installed.  An unknown objectName adds an icon at the end.
    QAbstractButton* addOthersIcon(const QString& text, const QString& objectName,
                                   std::function<void()> fn);
    QAbstractButton* othersIcon(const QString& objectName) const;
    // A command of the command bar.  The bar's own items (cmdQuickViewer,
    // cmdMessageCenter, cmdLogoff, cmdQueryMaster, cmdLogbookExport, cmdPrint,
    // cmdAbout, cmdExit and the entries of mnuTools and mnuHelp) keep their
    // place and caption and get `fn` attached; any other objectName adds a
    // button to the bar.
    QAction* addCommand(const QString& text, const QString& objectName, std::function<void()> fn);
    // Attaches `fn` to an item of the bar or its menus (see addCommand).
    void setCommandAction(const QString& objectName, std::function<void()> fn);
    QAction* commandAction(const QString& objectName) const;
    // Runs an icon or command as a click does: the right, then the action or
    // the not-installed message.
    void launch(const QString& objectName);

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
    // Text kept at the end of the caption (the mail indicator's); "" for none.
    void setCaptionSuffix(const QString& suffix);
    // Window placement kept in VmSettings.ini (with the visual style and the
    // toolbar and tab sizes).
    void applyPlacement();
    // Toolbar and tab sizes from VmSettings.ini.
    void applySizes();
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
    // What an icon or command needs: its right (checked first), its refusal,
    // the module named when nothing is attached, and the attached action.
    struct Launcher {
        std::optional<Right> right;
        QString refusal;
        QString module;
        std::function<void()> fn;
    };

    void buildTabs();
    void buildCommandBar();
    void buildOthersPage();
    QAction* barAction(const QString& text, const QString& objectName);
    bool mayExit();
    void applyRights();
    void finishLogoff();

    AppContext& m_ctx;
    QTabWidget* m_tabs = nullptr;
    QTabWidget* m_adminPages = nullptr;
    QHBoxLayout* m_adminButtons = nullptr;
    QGridLayout* m_othersIcons = nullptr;
    QToolBar* m_commandBar = nullptr;
    QLabel* m_userLabel = nullptr;
    QTimer* m_timer = nullptr;
    SessionWindows* m_sessionWindows = nullptr;
    QHash<QString, std::function<void()>> m_pagePrinters;
    QHash<QString, Launcher> m_launchers;
    QAction* m_exitAction = nullptr;
    std::function<bool()> m_logon;
    std::function<void()> m_logoff;
    bool m_inLogon = false;
    bool m_loggingOff = false;
    QString m_captionSuffix;
};

} // namespace vm
