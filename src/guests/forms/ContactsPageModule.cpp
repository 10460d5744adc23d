#include "guests/forms/ContactsPageModule.h"

#include "app/forms/frmSearch.h"
#include "core/DataAccess.h"
#include "guests/ContactSearch.h"
#include "guests/forms/ContactsPanel.h"
#include "guests/forms/MapPage.h"
#include "guests/forms/frmContactForm.h"
#include "guests/forms/frmGetContact.h"
#include "logbook/forms/LogbookModule.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QToolBar>
#include <QVBoxLayout>

namespace vm {

namespace {

const QStringList Languages = {"English",    "French",  "German",      "Italian",
                               "Portuguese", "Spanish", "User Defined"};

// A contact screen of the session; the page follows its saves and deletes.
frmContactForm* openContactScreen(AppContext& ctx, qint64 contactId, QWidget* parent,
                                  ContactsPanel* panel) {
    auto* f = new frmContactForm(ctx, contactId, parent);
    f->setWindowFlag(Qt::Window);
    f->setAttribute(Qt::WA_DeleteOnClose);
    TrackSessionWindow(ctx, f); // log-off closes it
    if (panel) {
        QPointer<ContactsPanel> page(panel);
        f->setNeighbours([page](qint64 key, int direction) {
            return page ? page->neighbour(key, direction) : 0;
        });
        QObject::connect(f, &frmContactForm::contactSaved, panel, &ContactsPanel::refreshRow);
        QObject::connect(f, &frmContactForm::contactDeleted, panel, &ContactsPanel::removeRow);
    }
    f->show();
    return f;
}

void addLanguageCombo(AppContext& ctx, frmSearch& window, ContactsPanel* panel) {
    auto* bar = window.findChild<QToolBar*>("tbCommands");
    if (!bar) return;
    // The language stands first on the bar.
    QAction* first = bar->actions().value(0);
    bar->insertWidget(first, new QLabel(" Language "));
    auto* combo = named(new QComboBox, "cboWorkLanguage");
    combo->addItems(Languages);
    combo->setToolTip("The language of the contacts listed");
    bar->insertWidget(first, combo);
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [&ctx, panel](int index) {
        if (index < 0) return;
        ctx.session.language = index;
        if (panel) panel->clearList();
    });
    QObject::connect(&window, &frmSearch::loggedOn, combo, [&ctx, combo] {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(qBound(0, ctx.session.language, int(Languages.size()) - 1));
    });
}

void fillEntryHooks(AppContext& ctx, frmSearch& window) {
    auto* logbook = window.findChild<LogbookModule*>("LogbookModule");
    if (!logbook) return;
    LogbookScreenHooks& hooks = logbook->hooks;
    hooks.selectContact = [&ctx](QWidget* parent) { return PickContact(ctx, parent); };
    hooks.showContact = [&ctx](qint64 contactId, QWidget* parent) {
        if (contactId > 0) openContactScreen(ctx, contactId, parent, nullptr);
    };
    hooks.showMap = [&ctx](qint64 contactId, QWidget* parent) {
        OpenContactMap(ctx, contactId, parent);
    };
    hooks.contactDetails = [&ctx](qint64 contactId) {
        try {
            return ContactDetailsLine(ctx, contactId);
        } catch (const DbError& e) {
            ReportError(ctx.prompt(), e, "GetTheContactD", "modDatabase");
            return QString();
        }
    };
}

} // namespace

void InstallContactsPage(AppContext& ctx, frmSearch& window) {
    ContactsPanel* panel = nullptr;
    if (QWidget* page = window.tabPage("Contacts")) {
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        panel = new ContactsPanel(ctx, page);
        layout->addWidget(panel);
        panel->openContact = [&ctx, panel](qint64 contactId) {
            openContactScreen(ctx, contactId, panel, panel);
        };
        panel->openReport = [&ctx, panel](const PrintRequest& request) {
            OpenReport(ctx, request, panel);
        };
        QObject::connect(&window, &frmSearch::loggedOn, panel, [panel] { panel->refreshLists(); });
        QObject::connect(&window, &frmSearch::loggedOff, panel, [panel] { panel->clearList(); });
        window.setPagePrinter("Contacts", [panel] { panel->printList(); });
    }
    addLanguageCombo(ctx, window, panel);
    fillEntryHooks(ctx, window);
}

} // namespace vm
