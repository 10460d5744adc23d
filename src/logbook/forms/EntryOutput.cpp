#include "logbook/forms/EntryOutput.h"

#include "core/DataAccess.h"
#include "core/Settings.h"
#include "logbook/Categories.h"
#include "logbook/EntryRules.h"
#include "platform/forms/FormHelpers.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>
#include <memory>

namespace vm {

namespace {

// The letter goes to the mail program; when none takes it, to TempMail.txt.
bool EmailLetter(AppContext& ctx, const LogEntry& entry, EntryDocument d) {
    Database& db = ctx.db();
    QString categoryText;
    if (const QString type = EntryDocumentTextType(d); !type.isEmpty()) {
        const qint64 logTypeId = GetLogTypeID(db, entry.entryType);
        if (logTypeId > 0) categoryText = GetCategoryText(db, logTypeId, type);
    }
    const QString letter =
        ComposeEntryLetter(d, entry, categoryText, LoadLetterSettings(db), ctx.session.name);
    const QString subject = MailSubject(d, GetTextSetting(db, "ConfirmationText1", &ctx.prompt()));
    if (ctx.mailer().send({QString(), subject, letter, {}})) return true;

    const QString folder = ctx.workstation.outputFolder();
    const QString path = WriteTempMail(folder, "Subject: " + subject + CRLF + CRLF + letter);
    if (path.isEmpty()) {
        ctx.prompt().message(MsgTempMailNotWritten(folder), {}, Icon::Exclamation);
        return false;
    }
    if (ctx.desktop().openFile(path)) return true;
    ctx.prompt().message(MsgTempMailNotOpened(path), {}, Icon::Exclamation);
    return false;
}

} // namespace

QString MsgTempMailNotWritten(const QString& folder) {
    return "No mail program took the letter, and it could not be written to " + folder +
           TempMailName + ".";
}

QString MsgTempMailNotOpened(const QString& path) {
    return "No mail program took the letter.  It was saved to " + path +
           " for you to copy into your mail.";
}

QMenu* BuildEntryOutputMenu(QWidget* parent) {
    auto* menu = named(new QMenu(parent), "mnuEntryOutput");
    for (EntryDocument d : AllEntryDocuments()) {
        QAction* a = menu->addAction(EscapeAmpersand(EntryDocumentCaption(d)));
        a->setObjectName(EntryDocumentActionName(d));
        a->setData(int(d));
    }
    return menu;
}

void ChooseEntryOutput(AppContext& ctx, const LogbookScreenHooks& hooks, const LogEntry& entry,
                       LogSource source, OutputAction action, QWidget* anchor,
                       std::optional<EntryDocument> only, const EntryMenuRunner& execMenu) {
    // Refusals that hold for every document come before the menu.
    if (entry.logId <= 0) {
        ctx.prompt().message(action == OutputAction::Print ? MsgSaveBeforePrint
                                                           : MsgSaveBeforeEmail);
        return;
    }
    if (action == OutputAction::Email && IsGuestViewer(ctx.session)) {
        ctx.prompt().message(MsgGuestViewerNoEmail);
        return;
    }
    if (!only) {
        std::unique_ptr<QMenu> menu(BuildEntryOutputMenu(anchor));
        const QPoint at =
            anchor ? anchor->mapToGlobal(QPoint(0, anchor->height())) : QCursor::pos();
        QAction* chosen = execMenu ? execMenu(*menu, at) : menu->exec(at);
        if (!chosen || !chosen->data().isValid()) return;
        only = EntryDocument(chosen->data().toInt());
    }
    PerformEntryOutput(ctx, hooks, entry, source, action, *only, anchor);
}

bool PerformEntryOutput(AppContext& ctx, const LogbookScreenHooks& hooks, const LogEntry& entry,
                        LogSource source, OutputAction action, EntryDocument d, QWidget* parent) {
    const bool print = action == OutputAction::Print;
    try {
        if (const QString refusal = CheckEntryOutput(ctx, entry, d, action); !refusal.isEmpty()) {
            ctx.prompt().message(refusal);
            return false;
        }
        // Without the output hooks (a screen built on its own) nothing is printed.
        if (print) {
            if (!hooks.printEntry) return false;
            hooks.printEntry(entry.logId, EntryDocumentName(d), source, parent);
            return true;
        }
        // The custom form is a laid-out page, not a letter: it goes as an attachment.
        if (d == EntryDocument::CustomForm)
            return hooks.emailEntry &&
                   hooks.emailEntry(entry.logId, EntryDocumentName(d), source, parent);
        return EmailLetter(ctx, entry, d);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, print ? "imgPrint_Click" : "imgEmail_Click", "frmLogbook",
                    true);
        return false;
    }
}

} // namespace vm
