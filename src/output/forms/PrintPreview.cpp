#include "output/forms/PrintPreview.h"

#include "core/AppContext.h"
#include "core/DataAccess.h"
#include "core/Settings.h"
#include "output/forms/DocumentOutput.h"
#include "output/forms/frmPrintPreview.h"
#include "platform/DbError.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <optional>

namespace vm {

namespace {

PrintDialogRunner& DialogRunner() {
    static PrintDialogRunner runner;
    return runner;
}

bool RunPrintDialog(QPrinter& printer, QWidget* parent) {
    if (const PrintDialogRunner& r = DialogRunner()) return r(printer, parent);
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

// The routine's document; nullopt when it refused, failed or built nothing
// (the member has been told).
std::optional<doc::Document> BuildReport(AppContext& ctx, const ReportRoutine& routine,
                                         const PrintRequest& request) {
    const QString window = frmPrintPreview::WindowName(routine);
    try {
        doc::Document d = routine.build(ctx, request);
        if (d.isEmpty()) {
            ctx.prompt().message(MsgNothingToPrint);
            return std::nullopt;
        }
        if (d.title.isEmpty()) d.title = request.title;
        return d;
    } catch (const ReportRefused& r) {
        ctx.prompt().message(r.message());
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, routine.name, window, true);
    } catch (const std::exception& e) {
        ctx.prompt().message(
            MsgPreviewLoadError(DbErrorNumber::General, QString::fromUtf8(e.what()), window), {},
            Icon::Exclamation);
    }
    return std::nullopt;
}

const ReportRoutine* FindRoutine(AppContext& ctx, const QString& name) {
    const ReportRoutine* routine = ctx.reports.find(name);
    if (!routine) ctx.prompt().message(MsgUnknownReport(name), {}, Icon::Exclamation);
    return routine;
}

// The attachment's file name: the title without what file systems refuse.
QString AttachmentName(const QString& title) {
    static const QRegularExpression unsafe(R"([^\p{L}\p{N} _.-]+)");
    QString name = QString(title).replace(unsafe, " ").simplified();
    while (name.startsWith('.'))
        name.remove(0, 1);
    return (name.isEmpty() ? PdfDefaultName : name) + ".pdf";
}

} // namespace

QString MsgPreviewLoadError(int number, const QString& description, const QString& windowName) {
    return "Error " + QString::number(number) + " (" + description + ")" + CRLF +
           "Procedure: Form_Load of Form " + windowName;
}

QString MsgOverwriteFile() {
    return "The file you selected already exists." + CRLF + "Do you wish to over write this file?";
}

void SetPrintDialogRunner(PrintDialogRunner runner) {
    DialogRunner() = std::move(runner);
}

bool PrintWithDialog(AppContext& ctx, const doc::Document& d, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(d, printer);
    if (!RunPrintDialog(printer, parent)) return false;
    WaitCursor wait;
    if (PrintDocument(d, printer)) return true;
    ctx.prompt().message("The document \"" + d.title + "\" could not be printed.", {},
                         Icon::Exclamation);
    return false;
}

QWidget* OpenReport(AppContext& ctx, const PrintRequest& request, QWidget* parent) {
    const ReportRoutine* routine = FindRoutine(ctx, request.routine);
    if (!routine) return nullptr;
    std::optional<doc::Document> d = BuildReport(ctx, *routine, request);
    if (!d) return nullptr;
    if (GetBooleanSetting(ctx.db(), "NoPrintPreview", &ctx.prompt())) {
        PrintWithDialog(ctx, *d, parent);
        return nullptr;
    }
    frmPrintPreview* window = nullptr;
    try {
        window = new frmPrintPreview(ctx, *routine, request, std::move(*d), parent);
    } catch (const std::exception& e) {
        ctx.prompt().message(MsgPreviewLoadError(DbErrorNumber::General,
                                                 QString::fromUtf8(e.what()),
                                                 frmPrintPreview::WindowName(*routine)),
                             {}, Icon::Exclamation);
        return nullptr;
    }
    window->show();
    TrackSessionWindow(ctx, window);
    return window;
}

bool EmailDocument(AppContext& ctx, const doc::Document& d, const QString& title,
                   const QString& to) {
    const QString path = ctx.workstation.outputFolder() + AttachmentName(title);
    QString error;
    {
        WaitCursor wait;
        if (!WritePdf(d, path, &error)) {
            ctx.prompt().message(error, {}, Icon::Exclamation);
            return false;
        }
    }
    MailMessage m;
    m.to = to;
    m.subject = MailSubjectLine(title);
    m.body = MailLineBreaks(GetTextSetting(ctx.db(), "ConfirmationText1", &ctx.prompt()) + CRLF +
                            "From:  " + ctx.session.name + CRLF);
    m.attachments << path;
    if (ctx.mailer().send(m)) return true;
    ctx.prompt().message("No mail program took the message.  The document was saved as " +
                             QDir::toNativeSeparators(path) + " for you to attach it yourself.",
                         {}, Icon::Exclamation);
    return false;
}

bool EmailReport(AppContext& ctx, const PrintRequest& request, const QString& to, QWidget*) {
    const ReportRoutine* routine = FindRoutine(ctx, request.routine);
    if (!routine) return false;
    std::optional<doc::Document> d = BuildReport(ctx, *routine, request);
    return d && EmailDocument(ctx, *d, request.title, to);
}

} // namespace vm
