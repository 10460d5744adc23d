// The change history of found items: one row per field changed by a save.

#include "operations/LostFound.h"

#include "core/DataAccess.h"
#include "core/Formats.h"

namespace vm {

namespace {

QString money(double v) {
    return QString::number(v, 'f', 2);
}

// The caption of a list item, or its number when it is gone.
QString listItemText(AppContext& ctx, qint64 enumId) {
    if (enumId <= 0) return {};
    const QVariant caption = ctx.db().scalar(
        "SELECT [caption] FROM [UserDefinedEnumItems] WHERE [enumID] = ?", {enumId});
    return caption.isValid() ? StoredText(caption.toString()) : QString::number(enumId);
}

int digitsAt(const QString& s, int from, int count) {
    int n = 0;
    for (int i = from; i < from + count; ++i) {
        const char16_t c = s.at(i).unicode();
        if (c < u'0' || c > u'9') return -1;
        n = n * 10 + (c - u'0');
    }
    return n;
}

// The moment a change was logged, as its date and time: a local date-time
// would look the time zone up again for every row.
struct Logged {
    QDate date;
    QTime time;
};

// The server hands a timestamp, the file engine "yyyy-MM-dd HH:mm:ss" text,
// read by position (a history shows one per change and the pattern parser
// costs more than the row).
Logged loggedAt(const Row& r, int i) {
    const QVariant v = r.value(i);
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime at = v.toDateTime();
        return {at.date(), at.time()};
    }
    const QString s = v.toString();
    if (s.size() >= 19 && s.at(4) == u'-' && s.at(7) == u'-' && s.at(13) == u':') {
        const QDate d(digitsAt(s, 0, 4), digitsAt(s, 5, 2), digitsAt(s, 8, 2));
        const QTime t(digitsAt(s, 11, 2), digitsAt(s, 14, 2), digitsAt(s, 17, 2));
        if (d.isValid() && t.isValid()) return {d, t};
    }
    const QDateTime at = r.dateTime(r.name(i));
    return {at.date(), at.time()};
}

// Formats::Time12 ("hh:mm AM") put together by hand.
QString time12(const QTime& t) {
    const int hour = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    const QChar text[] = {QChar(u'0' + hour / 10), QChar(u'0' + hour % 10), u':',
                          QChar(u'0' + t.minute() / 10), QChar(u'0' + t.minute() % 10), u' ',
                          t.hour() < 12 ? u'A' : u'P', u'M'};
    return QString(text, 8);
}

} // namespace

std::vector<LfFieldChange> LfChangedFields(AppContext& ctx, const LfItem& was, const LfItem& now) {
    std::vector<LfFieldChange> out;
    auto compare = [&](const QString& field, const QString& a, const QString& b) {
        if (a != b) out.push_back({field, a, b});
    };
    compare("Description", was.itemText, now.itemText);
    compare("Category", was.category, now.category);
    compare("Room Number", was.roomNumber, now.roomNumber);
    compare("Date Found", Formats::ShortDateOfStored(was.foundDate),
            Formats::ShortDateOfStored(now.foundDate));
    compare("Where Found", was.foundLocation, now.foundLocation);
    compare("Where Stored", was.storedLocation, now.storedLocation);
    compare("Tag Number", was.tagNumber, now.tagNumber);
    compare("Finder Name", was.finderName, now.finderName);
    compare("Est. Found Value", money(was.estValueFound), money(now.estValueFound));
    compare("Disposition", was.disposition, now.disposition);
    compare("Photograph", was.photographName, now.photographName);
    std::vector<LfUdList> lists;
    for (int n = 0; n < 5; ++n) {
        if (was.udCategory[n] == now.udCategory[n]) continue;
        if (lists.empty()) lists = GetLostAndFoundUserDefinedCats(ctx);
        QString field = "UdCategory" + QString::number(n + 1);
        for (const LfUdList& l : lists)
            if (l.slot == n + 1) field = l.name;
        out.push_back(
            {field, listItemText(ctx, was.udCategory[n]), listItemText(ctx, now.udCategory[n])});
    }
    return out;
}

void CreateChangeInLFHistory(AppContext& ctx, qint64 lfId, const QString& field,
                             const QString& origVal, const QString& newVal) {
    // Sized as the columns are: a longer value keeps its beginning.
    ctx.db().exec("INSERT INTO [LostAndFoundHistory] ([lfID], [userID], [logDate], [field], "
                  "[origVal], [newVal]) VALUES (?, ?, ?, ?, ?, ?)",
                  {lfId, ctx.session.conciergeId, ctx.clock().now(), field.left(100),
                   origVal.left(250), newVal.left(250)});
}

QString GetLfHistry(AppContext& ctx, qint64 lfId) {
    QString text;
    ctx.db().forEach(
        "SELECT H.[logDate], H.[field], H.[origVal], H.[newVal], C.[Concierge] FROM "
        "[LostAndFoundHistory] H LEFT JOIN [Concierge] C ON C.[ConciergeID] = H.[userID] "
        "WHERE H.[lfID] = ? ORDER BY H.[logDate] DESC, H.[id] DESC",
        {lfId}, [&text](const Row& r) {
            const Logged when = loggedAt(r, 0);
            // Appended piece by piece: a chain of + makes a string per step.
            text += Formats::ShortDate(when.date);
            text += u' ';
            if (when.date.isValid() && when.time.isValid()) text += time12(when.time);
            text += CRLF;
            text += r.trimmedText(4);
            text += QLatin1String(" modified '");
            text += r.text(1);
            text += u'\'';
            text += CRLF;
            text += QLatin1String("Old Value: ");
            text += r.text(2);
            text += CRLF;
            text += QLatin1String("New: ");
            text += r.text(3);
            text += CRLF;
            return true;
        });
    return text;
}

} // namespace vm
