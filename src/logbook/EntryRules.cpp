#include "logbook/EntryRules.h"

#include "core/DataAccess.h"
#include "core/Formats.h"

#include <QRegularExpression>

namespace vm {

StatusFlags ApplyStatusClick(StatusFlags f, StatusBox box, bool ticked) {
    switch (box) {
    case StatusBox::Complete:
        f.complete = ticked;
        if (ticked) f.pending = false;
        break;
    case StatusBox::Pending:
    case StatusBox::OnHold:
        (box == StatusBox::Pending ? f.pending : f.onHold) = ticked;
        if (ticked) f.complete = f.cancelled = false;
        break;
    case StatusBox::Cancelled:
        f.cancelled = ticked;
        if (ticked) f.complete = f.pending = false;
        break;
    }
    return f;
}

TimeResult FormatReferTime(const QString& typed) {
    const QString input = typed.trimmed();
    if (input.isEmpty()) return {true, {}, {}};
    static const QRegularExpression digits("^\\d+$");
    QString t = input;
    if (digits.match(t).hasMatch()) {
        if (t.size() <= 2)
            t += ":00";
        else if (t.size() == 3)
            t = t.left(1) + ":" + t.right(2);
        else if (t.size() == 4)
            t = t.left(2) + ":" + t.right(2);
    }
    // Standard (1:10am, 11:30 pm) and military (14:00) forms.
    static const QRegularExpression form(R"(^(\d{1,2}):(\d{2})\s*([ap])?\.?m?\.?$)",
                                         QRegularExpression::CaseInsensitiveOption);
    const auto m = form.match(t);
    if (m.hasMatch()) {
        int hour = m.captured(1).toInt();
        const int minute = m.captured(2).toInt();
        const QString half = m.captured(3).toLower();
        bool ok = minute <= 59 && hour <= 23;
        if (!half.isEmpty() && hour <= 12) {
            ok = ok && hour >= 1;
            if (half == "p" && hour < 12)
                hour += 12;
            else if (half == "a" && hour == 12)
                hour = 0;
        }
        if (ok) return {true, Formats::Time24(QTime(hour, minute)), {}};
    }
    return {false,
            {},
            "The time you entered '" + input + "' is not valid." + CRLF +
                "You must enter the time in Standard or Military Time format." + CRLF +
                "Examples:" + CRLF + "Standard:  1:10am, 3:00pm,  11:30pm" + CRLF +
                "Military:  1:10,   14:00pm, 23:30"};
}

bool HasNoteSeparator(const QString& text) {
    return text.contains("~~~");
}

static QString checkDate(const QString& typed, const QString& label, bool isNew,
                         const QDate& today) {
    const QDate d = Formats::ParseShortDate(typed);
    if (!d.isValid())
        return "Please enter a valid " + label + " Date for this" + " Logbook Entry.  Thank you.";
    if (isNew && d.daysTo(today) > 180)
        return "The " + label + " Date is greater than 180 days in" +
               " the past.  This is not acceptable for a new entry.";
    if (isNew && today.daysTo(d) > 730)
        return "The " + label + " Date is greater than 730 days in" +
               " the future.  This is not acceptable for a new entry.";
    return {};
}

QString ValidateEntry(const EntryCheck& c, const QDate& today) {
    if (HasNoteSeparator(c.descriptiveText)) return MsgSeparator;
    if (c.guestIdMandatory && c.guestId.trimmed().isEmpty()) return MsgGuestIdMandatory;
    if (c.category.trimmed().isEmpty()) return MsgNoType;
    const std::pair<QString, QString> dates[] = {
        {c.arrivalDate, "Arrival"}, {c.departureDate, "Departure"}, {c.referDate, "Reference"}};
    for (const auto& [typed, label] : dates) {
        // The reference date is required; the stay dates only when filled in.
        if (typed.trimmed().isEmpty() && label != "Reference") continue;
        const QString refusal = checkDate(typed, label, c.isNew, today);
        if (!refusal.isEmpty()) return refusal;
    }
    return {};
}

static QString signature(const QString& initials, const QDateTime& now) {
    return " (" + initials + " " + Formats::StoredDateTime(now) + ")";
}

QString ComposeEntryText(const QString& text, const QString& note, const QString& initials,
                         const QDateTime& now) {
    const QString n = note.trimmed();
    const QString t = text.trimmed();
    if (!n.isEmpty() && t.isEmpty()) return n + signature(initials, now);
    if (!n.isEmpty()) return text + " ~~~ " + n + signature(initials, now);
    if (t.isEmpty()) return signature(initials, now);
    return text;
}

QString ComposeArchiveNote(const QString& text, const QString& note, const QString& initials,
                           const QDateTime& now) {
    const QString n = note.trimmed();
    if (text.trimmed().isEmpty()) return " ~~Post-Archive Note~~ " + n + signature(initials, now);
    return text + " ~~~Post-Archive Note~~~ " + n + signature(initials, now);
}

std::optional<QString> DayLimitMessage(int dayLogs, const QString& category, int count) {
    if (dayLogs <= 0 || count < dayLogs) return std::nullopt;
    return "There are a maximum of " + QString::number(dayLogs) + " entries for " + category +
           " on this date.  We have already logged " + QString::number(count) + " entries.";
}

bool MayDo(AppContext& ctx, const Right& right) {
    const bool cardRight = (right.area == RightsArea::Logbook && right.position >= 18) ||
                           (right.area == RightsArea::Profiles && right.position == 10);
    // Only managers skip the check; restricted and guest sessions are checked
    // like everyone, and card rights are never skipped.
    if (ctx.session.manager && !cardRight) return true;
    return HasRight(ctx.db(), ctx.session.conciergeId, right);
}

bool MayDoOrSay(AppContext& ctx, const Right& right, const QString& refusal) {
    if (MayDo(ctx, right)) return true;
    ctx.prompt().message(refusal);
    return false;
}

} // namespace vm
