#include "logbook/forms/LogbookModule.h"

#include "app/forms/frmSearch.h"
#include "logbook/EntryRules.h"
#include "logbook/forms/LogbookCategoriesPage.h"
#include "logbook/forms/LogbookOutputHooks.h"
#include "logbook/forms/LogbookPanel.h"
#include "logbook/forms/ReportWriterModule.h"
#include "logbook/forms/frmExport.h"
#include "logbook/forms/frmLogbook.h"
#include "output/forms/PrintPreview.h"
#include "security/CardData.h"
#include "security/forms/CardDialogs.h"
#include "security/forms/frmCCQuery.h"

#include <QVBoxLayout>

namespace vm {

LogbookModule::LogbookModule(AppContext& ctx, frmSearch& window) : QObject(&window) {
    setObjectName("LogbookModule");
    // Card data: the entry's id is the record value of its card cipher.
    hooks.encryptCard = [&ctx](const QString& number, qint64 logId) {
        return EncryptCC(ctx, number, QString::number(logId));
    };
    hooks.decryptCard = [&ctx](const QString& stored, qint64 logId) {
        return DecryptCC(ctx, stored, QString::number(logId));
    };
    // Without a usable card key the entry screen offers no card field.
    if (CardNumbersState(ctx) != CardKeyState::Ready) hooks.encryptCard = hooks.decryptCard = {};
    hooks.checkFormCCFields = [&ctx](QWidget* form, const QString& formName, qint64 recordId) {
        CheckFormCCFields(ctx, form, formName, recordId);
    };
    hooks.showCard = [&ctx](qint64 logId, const QString& stored, QWidget* parent) {
        ShowStoredCard(ctx, 'L', logId, stored, parent);
    };
    InstallLogbookOutput(ctx, hooks);
    hooks.openExport = [&ctx](const QString& category, QWidget* parent) {
        frmExport dialog(ctx, category, parent);
        dialog.exec();
    };
    // The main window checks the export right before this runs.
    window.addCommand("Export", "cmdLogbookExport", [&ctx, &window] {
        frmExport dialog(ctx, {}, &window);
        dialog.exec();
    });
    if (QWidget* page = window.tabPage("Logbook")) {
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        panel = new LogbookPanel(ctx, hooks, page);
        layout->addWidget(panel);
        window.setPagePrinter("Logbook", [this] { panel->printList(); });
    }
    categories = new LogbookCategoriesPage(ctx);
    categories->openReport = [&ctx](const PrintRequest& request, QWidget* parent) {
        OpenReport(ctx, request, parent);
    };
    window.addAdministrationPage("Logbook Categories", categories);

    connect(&window, &frmSearch::loggedOn, this, [this] {
        categories->refresh();
        if (panel) {
            panel->refreshCategories();
            panel->cmdToday_Click();
        }
    });
    connect(&window, &frmSearch::loggedOff, this, [this] {
        if (panel) panel->clearList();
    });
    connect(categories, &LogbookCategoriesPage::categoriesChanged, this, [this] {
        if (panel) panel->refreshCategories();
    });
}

frmLogbook* LogbookModule::openNewEntry(const LogEntry& prefill) {
    frmLogbook* f = panel ? panel->addEntry() : nullptr;
    if (f) f->prefill(prefill);
    return f;
}

frmLogbook* LogbookModule::openEntry(qint64 logId) {
    // The current database even while the Logbook page lists the archive.
    return openEntry(logId, LogSource::Current);
}

frmLogbook* LogbookModule::openEntry(qint64 logId, LogSource source) {
    return panel ? panel->openEntry(logId, source) : nullptr;
}

void InstallLogbook(AppContext& ctx, frmSearch& window) {
    new LogbookModule(ctx, window);
    InstallReportWriter(ctx, window);
}

} // namespace vm
