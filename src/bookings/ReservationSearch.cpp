// Searches over the reservation lists, the purge, and the sign-up sheets.

#include "bookings/ReservationRows.h"
#include "bookings/Reservations.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "guests/DocumentLinks.h"
#include "security/CardData.h"

namespace vm {

using namespace res;

namespace {

// "column >= from AND column <= through" for the ends that are dates.
QString dateRange(const QString& column, const QDate& from, const QDate& through,
                  QVariantList& params) {
    QString cond;
    if (from.isValid()) {
        cond += " AND " + column + " >= ?";
        params << Formats::StoredDate(from);
    }
    if (through.isValid()) {
        cond += " AND " + column + " <= ?";
        params << Formats::StoredDate(through);
    }
    return cond;
}

// Typed text matched as itself inside the column: % _ and \ lose their meaning.
QString containsCondition(Engine engine, const QString& column, const QString& text,
                          QVariantList& params) {
    QString literal;
    for (const QChar ch : text) {
        if (ch == '\\' || ch == '%' || ch == '_') literal += '\\';
        literal += ch;
    }
    params << "%" + literal + "%";
    if (engine == Engine::PostgreSQL)
        return "lower(" + column + "::text) LIKE lower(?) ESCAPE '\\'";
    return column + " LIKE ? ESCAPE '\\'";
}

// A stored date ("yyyy/MM/dd") as a sort key.  The server keeps it in its
// case-insensitive text type, which folds both sides of every comparison;
// digits and slashes have no case, so byte order sorts the same, at half the cost.
QString dateKey(Engine engine, const QString& column) {
    return engine == Engine::PostgreSQL ? column + "::text COLLATE \"C\"" : column;
}

std::vector<ResSearchRow> searchRows(AppContext& ctx, const QString& where,
                                     const QVariantList& params, const QString& order) {
    std::vector<ResSearchRow> out;
    ctx.db().forEach(
        "SELECT [Reservation].[ReservationDate], [Reservation].[ReservationFor], "
        "[ResType].[Category], [Reservation].[ListItem], [Reservation].[AvailableHere], "
        "[Reservation].[Price] FROM [Reservation] LEFT JOIN [ResType] ON "
        "[ResType].[ResTypeID] = [Reservation].[ResTypeID] WHERE " +
            where + " ORDER BY " + order,
        params, [&out](const Row& r) {
            ResSearchRow s;
            s.date = Formats::ShortDateOfStored(r.text(0));
            s.reservedFor = r.trimmedText(1);
            s.category = r.trimmedText(2);
            s.listItem = r.trimmedText(3);
            s.slot = r.trimmedText(4);
            const QVariant price = r.value(5);
            s.price = price.isNull() ? 0.0 : price.toDouble();
            out.push_back(std::move(s));
            return true;
        });
    return out;
}

} // namespace

std::vector<ResSearchRow> SearchReservationsByName(AppContext& ctx, const QString& name,
                                                   const QDate& from, const QDate& through) {
    QVariantList params;
    // The name as it was stored: the same characters were replaced.
    const QString typed = StoredText(CleanSqlTextKeepAmp(name));
    QString where =
        containsCondition(ctx.db().engine(), "[Reservation].[ReservationFor]", typed, params);
    where += dateRange("[Reservation].[ReservationDate]", from, through, params);
    return searchRows(ctx, where, params,
                      dateKey(ctx.db().engine(), "[Reservation].[ReservationDate]") +
                          ", [Reservation].[ReservationID]");
}

std::vector<ResSearchRow> SearchReservationsByCategory(AppContext& ctx, qint64 resTypeId,
                                                       const QDate& from, const QDate& through) {
    QVariantList params{resTypeId};
    const QString where = "[Reservation].[ResTypeID] = ?" +
                          dateRange("[Reservation].[ReservationDate]", from, through, params);
    return searchRows(ctx, where, params,
                      dateKey(ctx.db().engine(), "[Reservation].[ReservationDate]") +
                          " DESC, [Reservation].[ReservationID]");
}

std::vector<UnavailabilityRow> SearchUnavailability(AppContext& ctx, qint64 resTypeId,
                                                    const QDate& from, const QDate& through) {
    QVariantList params{resTypeId};
    const QString where = dateRange("[RequestedDate]", from, through, params);
    std::vector<UnavailabilityRow> out;
    QByteArray stored; // the day as the engine holds it, one buffer for every row
    ctx.db().forEach("SELECT [RequestedDate], [RequestCount] FROM [ResTrackUn] "
                     "WHERE [ResTypeID] = ?" +
                         where + " ORDER BY [RequestedDate], [TrackUnID]",
                     params, [&out, &stored](const Row& r) {
                         stored.resize(0);
                         r.appendUtf8(0, stored);
                         const QDate day = Formats::ParseStoredDateUtf8(stored);
                         QString shown = Formats::ShortDateOfStoredUtf8(stored);
                         if (shown.isEmpty()) shown = Formats::ShortDate(day); // not as stored
                         out.push_back(
                             {std::move(shown), Formats::DayName(day), int(r.number(1))});
                         return true;
                     });
    return out;
}

std::vector<WaitListEntry> SearchWaitList(AppContext& ctx, qint64 resTypeId, const QDate& from,
                                          const QDate& through) {
    QVariantList params{resTypeId};
    const QString where = dateRange("[RequestedDate]", from, through, params);
    std::vector<WaitListEntry> out;
    ctx.db().forEach("SELECT " + WaitListColumns + " FROM [ResWaitList] WHERE [ResTypeID] = ?" +
                         where + " ORDER BY [RequestedDate], [WaitListID]",
                     params, [&out](const Row& r) {
                         out.push_back(waitListFromRow(r));
                         return true;
                     });
    return out;
}

QString SearchCaption(const QDate& from, const QDate& through, const QString& name,
                      const QString& category) {
    QString caption = "Where Reservation Date is between " + Formats::ShortDate(from) + " and " +
                      Formats::ShortDate(through);
    if (!name.trimmed().isEmpty()) caption += " And Reservation Name contains: " + name.trimmed();
    if (!category.trimmed().isEmpty()) caption += " And Category is " + category.trimmed();
    return caption;
}

int DeleteReservations(AppContext& ctx, const QDate& before) {
    Database& db = ctx.db();
    const QString day = Formats::StoredDate(before);
    int removed = 0;
    db.transaction([&] {
        removed = db.exec("DELETE FROM [Reservation] WHERE [ReservationDate] < ?", {day});
        db.exec("DELETE FROM [ResTrackUn] WHERE [RequestedDate] < ?", {day});
        db.exec("DELETE FROM [ResWaitList] WHERE [RequestedDate] < ?", {day});
        db.exec("DELETE FROM [ResRowLimits] WHERE [ReservationDate] < ?", {day});
    });
    return removed;
}

namespace {
const QString SignUpType = QStringLiteral("SignUp");
} // namespace

std::vector<SignUpSheet> GetSignUpSheets(AppContext& ctx) {
    std::vector<SignUpSheet> out;
    for (const Row& r : ctx.db().query("SELECT [OtherID], [OtherValue] FROM [Other] WHERE "
                                       "[OtherType] = ? ORDER BY [OtherValue], [OtherID]",
                                       {SignUpType}))
        out.push_back({r.number("OtherID"), r.trimmedText("OtherValue")});
    return out;
}

QString GetSignUpText(AppContext& ctx, qint64 sheetId) {
    return GetECT(ctx, sheetId, TextKind::SignUpSheet);
}

QString SaveSignUpSheet(AppContext& ctx, SignUpSheet& sheet, const QString& text) {
    if (sheet.name.trimmed().isEmpty())
        return QStringLiteral("The SignUp Sheet must be given a name.  Thank you.");
    if (text.trimmed().isEmpty())
        return QStringLiteral("You must define some text for this SignUp Sheet.  Thank you.");
    if (CheckForCCNumber(text))
        return QStringLiteral("A Credit Card Number may Not be saved in the SignUp Sheet Content.");
    const QString name = CleanSqlTextKeepAmp(sheet.name);
    Database& db = ctx.db();
    QString refusal;
    db.transaction([&] {
        // Sheets are told apart by name on screen and in print.
        if (db.scalar("SELECT COUNT([OtherID]) FROM [Other] WHERE [OtherType] = ? AND "
                      "[OtherValue] = ? AND [OtherID] <> ?",
                      {SignUpType, name, sheet.id})
                .toInt() > 0) {
            refusal = QStringLiteral("A SignUp Sheet of that name already exists.  Thank you.");
            return;
        }
        if (sheet.id == 0)
            sheet.id = db.insert("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
                                 {SignUpType, name}, "OtherID");
        else
            db.exec("UPDATE [Other] SET [OtherValue] = ? WHERE [OtherID] = ? AND [OtherType] = ?",
                    {name, sheet.id, SignUpType});
        PutECT(ctx, sheet.id, TextKind::SignUpSheet, text);
    });
    if (refusal.isEmpty()) sheet.name = StoredText(name);
    return refusal;
}

void DeleteSignUpSheet(AppContext& ctx, qint64 sheetId) {
    Database& db = ctx.db();
    Database& links = DocumentLinksDb(ctx, DocKind::SignUpSheet);
    db.transaction([&] {
        db.exec("DELETE FROM [Other] WHERE [OtherID] = ? AND [OtherType] = ?",
                {sheetId, SignUpType});
        DeleteECT(ctx, sheetId, {TextKind::SignUpSheet});
        links.exec("DELETE FROM [ContactDocs] WHERE [ContactID] = ? AND [SourceType] = ?",
                   {sheetId, DocKind::SignUpSheet});
    });
}

} // namespace vm
