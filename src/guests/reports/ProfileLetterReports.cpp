#include "guests/reports/ProfileLetterReports.h"

#include "core/Settings.h"
#include "logbook/reports/LetterParts.h"
#include "logbook/reports/ReportData.h"

namespace vm {

using namespace doc;

Document BuildProfileLetter(AppContext& ctx, const PrintRequest& r) {
    const QString text = r.args.value(ArgLetterText).toString();
    if (text.trimmed().isEmpty()) throw ReportRefused(MsgNoLetterToPrint);
    PrintSettings s = LoadPrintSettings(ctx);
    // Plain paper carries the logo the printed letterhead would have shown.
    s.useLogo = !r.args.value(ArgLetterhead).toBool();
    Document d = LetterDocument(r.title.isEmpty() ? QStringLiteral("Letter") : r.title, s);
    QString body = text;
    body.replace("\r\n", "\n");
    for (const QString& line : body.split('\n'))
        d.body << Para(line);
    return d;
}

void RegisterProfileLetterReports(ReportCatalogue& catalogue) {
    catalogue.add(
        {ProfileLetterRoutine, PreviewWindow::Letter, true, false, {}, BuildProfileLetter});
}

QString LetterEmailRecipient(const Profile& p) {
    if (!p.dnuEmail && !p.email.trimmed().isEmpty()) return p.email.trimmed();
    if (!p.dnuEmailB && !p.emailB.trimmed().isEmpty()) return p.emailB.trimmed();
    return {};
}

MailMessage ProfileLetterMail(AppContext& ctx, const Profile& p, const QString& letter) {
    MailMessage m;
    m.to = LetterEmailRecipient(p);
    m.subject =
        MailSubjectLine("A Letter for you from " +
                        GetTextSetting(ctx.db(), "ConfirmationText1", &ctx.prompt()).trimmed());
    m.body = MailLineBreaks(letter);
    return m;
}

} // namespace vm
