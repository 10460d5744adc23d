#include "logbook/reports/LetterParts.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "platform/Mailer.h"

namespace vm {

using namespace doc;

LetterContext LoadLetterContext(AppContext& ctx) {
    LetterContext lc;
    lc.settings = LoadPrintSettings(ctx);
    lc.today = ctx.clock().today();
    lc.staffName = ctx.session.name.trimmed();
    lc.jobTitle = JobTitleOf(ctx.db(), ctx.session.conciergeId);
    lc.db = &ctx.db();
    return lc;
}

Document LetterDocument(const QString& title, const PrintSettings& s, LetterKind kind) {
    Document d;
    d.title = title;
    d.page.margins = kind == LetterKind::Confirmation ? s.confirmationMargins : s.letterMargins;
    d.page.base.family = s.fontName;
    d.page.base.pointSize = s.fontSize;
    if (s.useLogo) {
        Image logo;
        logo.path = s.logoPath;
        logo.heightInches = 0.9;
        logo.align = Align::Center;
        d.header << logo;
    }
    return d;
}

QString AddresseeName(const LetterContext& lc, const LogEntry& e) {
    QString name = GuestFullName(e);
    if (lc.settings.printSpouseName && lc.db) {
        const QString spouse = SpouseName(*lc.db, e.profileId);
        if (!spouse.isEmpty()) name = name.isEmpty() ? spouse : name + " and " + spouse;
    }
    return name;
}

void AppendOpening(QList<Block>& body, const LetterContext& lc, const LogEntry& e) {
    const PrintSettings& s = lc.settings;
    Paragraph date = Para(Formats::LongDate(lc.today), Align::Right);
    date.spaceAfter = 18;
    body << date;
    const QString name = AddresseeName(lc, e);
    if (!name.isEmpty()) body << Para(name);
    if (s.printRoom && !e.roomNumber.trimmed().isEmpty())
        body << Para("Room Number: " + e.roomNumber.trimmed());
    if (s.printMasterId && !e.guestId.trimmed().isEmpty())
        body << Para("Guest ID: " + e.guestId.trimmed());
    Paragraph dear = Para("Dear " + (name.isEmpty() ? QStringLiteral("Guest") : name) + ",");
    dear.spaceBefore = 18;
    dear.spaceAfter = 12;
    body << dear;
}

void AppendEntryFacts(QList<Block>& body, const LetterContext& lc, const LogEntry& e) {
    const PrintSettings& s = lc.settings;
    if (s.printLogId) body << Para("Logbook ID: " + QString::number(e.logId));
    if (const QString arriving = PrintedDate(e.arrivalDate, s.arrivalDateFormat);
        !arriving.isEmpty())
        body << Para("Arriving: " + arriving);
    if (const QString when = PrintedReferWhen(e, s); !when.isEmpty()) body << Para("Date: " + when);
}

void AppendWording(QList<Block>& body, const QString& wording, const PrintSettings& s) {
    const QString text = PaperText(MailLineBreaks(wording).trimmed(), s);
    if (text.isEmpty()) return;
    Paragraph p = Para(text);
    p.spaceBefore = 12;
    body << p;
}

void AppendClosing(QList<Block>& body, const LetterContext& lc, const LogEntry& e,
                   const QString& defaultValediction) {
    const PrintSettings& s = lc.settings;
    if (s.printTeam && !e.enteredBy.trimmed().isEmpty()) {
        Paragraph team = Para("Completed by Concierge:  " + e.enteredBy.trimmed());
        team.spaceBefore = 12;
        body << team;
    }
    Paragraph valediction = Para(s.valediction.isEmpty() ? defaultValediction : s.valediction);
    valediction.spaceBefore = 18;
    valediction.keepWithNext = true;
    body << valediction;
    // Room for a handwritten signature: the wide spacing leaves about an inch.
    body << Spacer{s.signatureSpacing ? 72.0 : 30.0};
    Paragraph line = Para(QString(40, '_'));
    line.keepWithNext = true;
    body << line;
    QStringList signer;
    if (!lc.staffName.isEmpty()) signer << lc.staffName;
    if (!lc.jobTitle.isEmpty()) signer << lc.jobTitle;
    if (!s.confirmationText1.isEmpty()) signer << s.confirmationText1;
    for (const QString& l : signer)
        body << Para(l);
}

} // namespace vm
