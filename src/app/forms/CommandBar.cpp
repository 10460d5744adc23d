// The main window's command bar and Others page: every item stands in its
// place from the start; the subsystems attach what the items do.

#include "app/forms/NotInstalled.h"
#include "app/forms/frmSearch.h"
#include "core/DataAccess.h"
#include "logbook/EntryRules.h"

#include <QAction>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

namespace {

struct Item {
    const char* objectName;
    const char* text;
    std::optional<Right> right;
    const char* refusal;
    const char* module; // named when nothing is attached
};

// The Others page, in the order the icons stand.
const Item OthersIcons[] = {
    {"imgGroups", "Work with Groups and Conventions", Rights::OthersGroups,
     "You are not authorized to Work with Groups and Conventions.", "Groups and Conventions"},
    {"imgRentals", "Work with the Rental and Inventory Items", Rights::OthersRentals,
     "You are not authorized to Work with Rental and Inventory Items.", "Rental and Inventory"},
    {"imgPointToPoint", "Create Your Own Point-to-Point Map", Rights::OthersMap,
     "You are not authorized to Create Your Own MapPoint Map.", "The Point-to-Point Map"},
    {"imgMessageCenter", "Work with Your Personal Message Center", Rights::OthersMessageCenter,
     "You are not authorized to Work with Your Personal Message Center.",
     "The Personal Message Center"},
    {"imgReportWriter", "Work with the Logbook Report Writer", Rights::OthersReportWriter,
     "You are not authorized to Work with the Logbook Report Writer.", "The Logbook Report Writer"},
    {"imgReservations", "Work with Reservations", Rights::AddOnsReservations,
     "You are not authorized to Work with Reservations.", "Reservations"},
    {"imgIncidents", "Work with Incident Reporting System", Rights::AddOnsIncidents,
     "You are not authorized to Work with Incident Reporting.", "Incident Reporting"},
    {"imgLostAndFound", "Work with Lost and Found Items", Rights::AddOnsLostAndFound,
     "You are not authorized to Work with Lost and Found.", "Lost and Found"},
    {"imgKeyControl", "Work with Key Control Application", Rights::AddOnsKeyControl,
     "You are not authorized to Work with Key Control.", "Key Control"},
    {"imgTimedServices", "Work with Timed Services", Rights::AddOnsTimedServices,
     "You are not authorized to Work with Timed Services.", "Timed Services"},
    {"imgWebImport", "Import Your Web Site Requests", Rights::OthersWebImport,
     "You are not authorized to Import Web Site Requests.", "The Web Site Import"},
};

const Item WhiteboardItem = {"actWhiteboard", "Whiteboard", Rights::GlobalsWhiteboard,
                             "You are not authorized to view the Whiteboard/Message Center.",
                             "The Whiteboard"};
const Item WebPagesItem = {"actWebPages", "Velmora Web Pages", Rights::MaintenanceWebPages,
                           "You are not authorized to view the Velmora Web Pages.",
                           "The Velmora Web Pages"};

// A launcher of the Others page: a click, Enter or a double-click starts it,
// once (the double-click's second press does not start it again).
class LaunchIcon : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            click();
            return;
        }
        QToolButton::keyPressEvent(e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override { e->accept(); }
};

} // namespace

QAction* frmSearch::barAction(const QString& text, const QString& objectName) {
    auto* a = new QAction(text, this);
    a->setObjectName(objectName);
    connect(a, &QAction::triggered, this, [this, objectName] { launch(objectName); });
    return a;
}

void frmSearch::buildCommandBar() {
    const auto command = [this](const Item& item) {
        m_launchers.insert(item.objectName, {item.right, item.refusal, item.module, {}});
        m_commandBar->addAction(barAction(item.text, item.objectName));
    };
    const auto menu = [this](const QString& title, const QString& objectName, QWidget* parent) {
        auto* m = new QMenu(title, parent);
        m->setObjectName(objectName);
        m->menuAction()->setObjectName(objectName + "Action");
        return m;
    };
    const auto entry = [this](QMenu* m, const Item& item) {
        m_launchers.insert(item.objectName, {item.right, item.refusal, item.module, {}});
        m->addAction(barAction(item.text, item.objectName));
    };
    const Item none{};
    const auto plain = [&](const char* objectName, const char* text, const char* module) {
        Item i = none;
        i.objectName = objectName;
        i.text = text;
        i.module = module;
        return i;
    };

    command({"cmdQuickViewer", "Quick Viewer", Rights::TabQuickViewer,
             "You are not authorized to use the Quick Viewer.", "The Quick Viewer"});
    command({"cmdMessageCenter", "Message Center", Rights::GlobalsWhiteboard,
             "You are not authorized to view the Whiteboard/Message Center.",
             "The Message Center"});
    command(plain("cmdLogoff", "Logoff", "Logoff"));
    command({"cmdQueryMaster", "Query Master", Rights::OthersReportWriter,
             "You are not authorized to Work with the Logbook Report Writer.",
             "The Logbook Report Writer"});

    QMenu* tools = menu("Tools", "mnuTools", this);
    entry(tools, WhiteboardItem);
    entry(tools, WebPagesItem);
    QMenu* styles = menu("Visual Styles", "mnuVisualStyles", tools);
    for (const auto& [objectName, caption] :
         {std::pair{"actStyleWinXPLuna", "XP (Luna)"},
          std::pair{"actStyleWinXPRoyale", "XP (Royale)"},
          std::pair{"actStyleOffice2007", "Office 2007"}, std::pair{"actStyleNone", "None"}})
        entry(styles, plain(objectName, caption, "Visual Styles"));
    tools->addMenu(styles);
    QMenu* toolbar = menu("Toolbar Size", "mnuToolbarSize", tools);
    entry(toolbar, plain("actToolbarSmall", "Small Icons", "Toolbar Size"));
    entry(toolbar, plain("actToolbarLarge", "Large Icons", "Toolbar Size"));
    tools->addMenu(toolbar);
    QMenu* tabs = menu("Tab Size", "mnuTabSize", tools);
    entry(tabs, plain("actTabSmall", "Small Tabs", "Tab Size"));
    entry(tabs, plain("actTabMedium", "Medium Tabs", "Tab Size"));
    entry(tabs, plain("actTabLarge", "Large Tabs", "Tab Size"));
    tools->addMenu(tabs);
    m_commandBar->addAction(tools->menuAction());

    command({"cmdLogbookExport", "Export", Rights::LogbookExport,
             "You are not authorized to work with Logbook Export.", "Logbook Export"});
    command(plain("cmdPrint", "Print", "Printing"));

    QMenu* help = menu("Help", "mnuHelp", this);
    entry(help, plain("actHelpOnline", "Help Online", "Help Online"));
    entry(help, plain("actTutorials", "Online Tutorials", "Online Tutorials"));
    entry(help, plain("actMakerSite", "Velmora on the Web", "Velmora on the Web"));
    entry(help, plain("actRemoteSupport", "Remote Support", "Remote Support"));
    m_commandBar->addAction(help->menuAction());

    command(plain("cmdAbout", "About", "About"));
    command(plain("cmdExit", "Exit", "Exit"));
    m_exitAction = commandAction("cmdExit");

    // The menus open on a click of their button.
    for (QMenu* m : {tools, help})
        if (auto* b = qobject_cast<QToolButton*>(m_commandBar->widgetForAction(m->menuAction())))
            b->setPopupMode(QToolButton::InstantPopup);
}

void frmSearch::buildOthersPage() {
    QWidget* page = tabPage("Others");
    auto* layout = new QVBoxLayout(page);
    auto* intro =
        new QLabel("This is where we present the options that defy easy categorization.", page);
    intro->setObjectName("lblOthersIntro");
    auto* hint =
        new QLabel("Double-Click on the associated Icon to launch the selected program", page);
    hint->setObjectName("lblOthersHint");
    layout->addWidget(intro);
    layout->addWidget(hint);
    m_othersIcons = new QGridLayout;
    layout->addLayout(m_othersIcons);
    layout->addStretch(1);
    for (const Item& item : OthersIcons) {
        m_launchers.insert(item.objectName, {item.right, item.refusal, item.module, {}});
        addOthersIcon(item.text, item.objectName, {});
    }
    // Incident reporting is a separate system, not a module of this program.
    setCommandAction("imgIncidents", [this] {
        m_ctx.prompt().message("The Incident Reporting System is not part of Velmora.  Please "
                               "use your property's own incident reporting system.");
    });
}

QAbstractButton* frmSearch::othersIcon(const QString& objectName) const {
    return tabPage("Others")->findChild<QAbstractButton*>(objectName);
}

QAbstractButton* frmSearch::addOthersIcon(const QString& text, const QString& objectName,
                                          std::function<void()> fn) {
    QAbstractButton* button = othersIcon(objectName);
    if (!button) {
        // Two launchers to a row.
        const int at = m_othersIcons->count();
        button = new LaunchIcon(tabPage("Others"));
        button->setObjectName(objectName);
        button->setText(text);
        static_cast<QToolButton*>(button)->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_othersIcons->addWidget(button, at / 2, at % 2);
        connect(button, &QAbstractButton::clicked, this,
                [this, objectName] { launch(objectName); });
        if (!m_launchers.contains(objectName)) m_launchers.insert(objectName, {{}, {}, text, {}});
    }
    if (fn) setCommandAction(objectName, std::move(fn));
    return button;
}

QAction* frmSearch::addCommand(const QString& text, const QString& objectName,
                               std::function<void()> fn) {
    QAction* a = commandAction(objectName);
    if (!a) {
        a = barAction(text, objectName);
        m_commandBar->insertAction(m_exitAction, a);
        m_launchers.insert(objectName, {{}, {}, text, {}});
    }
    setCommandAction(objectName, std::move(fn));
    return a;
}

void frmSearch::setCommandAction(const QString& objectName, std::function<void()> fn) {
    const auto it = m_launchers.find(objectName);
    if (it != m_launchers.end()) it->fn = std::move(fn);
}

QAction* frmSearch::commandAction(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void frmSearch::launch(const QString& objectName) {
    const auto it = m_launchers.constFind(objectName);
    if (it == m_launchers.constEnd()) return;
    const Launcher launcher = *it; // the action may attach others meanwhile
    if (launcher.right) {
        if (!m_ctx.session.loggedOn()) return;
        try {
            if (!MayDoOrSay(m_ctx, *launcher.right, launcher.refusal)) return;
        } catch (const DbError& e) {
            ReportError(m_ctx.prompt(), e, objectName + "_Click", "frmSearch", true);
            return;
        }
    }
    if (launcher.fn)
        launcher.fn();
    else
        SayNotInstalled(m_ctx, launcher.module);
}

} // namespace vm
