#include "bookings/BookingTimes.h"
#include "bookings/DaySheet.h"
#include "bookings/TsBookings.h"
#include "bookings/TsLogNote.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "core/Settings.h"
#include "security/CardData.h"
#include "security/CardStore.h"

namespace vm {

namespace {

// A refusal found inside the transaction: thrown to roll it back.
struct Refusal {
    QString message;
};

QDate typedDate(const QString& typed) {
    QDate d = Formats::ParseShortDate(typed.trimmed());
    if (!d.isValid()) d = Formats::ParseStoredDate(typed.trimmed());
    return d;
}

// An empty gratuity is 0; anything else must be an amount.
std::optional<double> typedAmount(const QString& typed) {
    QString t = typed.trimmed();
    if (t.isEmpty()) return 0.0;
    t.remove(QLatin1Char(','));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || v < 0) return std::nullopt;
    return v;
}

// The card number as the cipher takes it: blanks and dashes out, digits only.
QString cardDigits(const QString& typed) {
    QString digits = typed;
    digits.remove(QLatin1Char('-')).remove(QLatin1Char(' '));
    return digits;
}

// Why the provider cannot take `rows` rows from `start` on the day: "" when it can.
QString checkProviderHours(AppContext& ctx, qint64 providerId, const QDate& day, int start,
                           int rows) {
    const TsDay d = GetProviderScheduleForDate(ctx, providerId, day).day(WeekdayNumber(day));
    const int end = start + rows * TsSlotMinutes;
    if (!d.works || d.start < 0 || d.end < 0 || start < d.start || end > d.end)
        return MsgTsNotWorking;
    // The meal rows are those starting from the meal's start to its end, both included.
    if (d.hasMeal())
        for (int k = 0; k < rows; ++k) {
            const int m = start + k * TsSlotMinutes;
            if (m >= d.mealStart && m <= d.mealEnd) return MsgTsMealBreak;
        }
    return {};
}

// Whether another booking of the provider that day meets [start, end).
bool providerBusy(Database& db, qint64 providerId, const QString& day, int start, int end) {
    for (const Row& r : db.query("SELECT [ReferTime], [Duration] FROM [TimedService] WHERE "
                                 "[ProviderID] = ? AND [ReferDate] = ?",
                                 {providerId, day})) {
        const int at = SlotMinute(r.trimmedText("ReferTime"));
        if (at < 0) continue;
        const int until = at + TsSlotCount(int(r.number("Duration"))) * TsSlotMinutes;
        if (at < end && start < until) return true;
    }
    return false;
}

TsSaveResult refused(const QString& message) {
    TsSaveResult r;
    r.message = message;
    return r;
}

} // namespace

TsBooking TsBookingFromRow(const Row& r) {
    TsBooking b;
    b.id = r.number("TimedServiceID");
    b.categoryId = r.number("CategoryID");
    b.serviceId = r.number("ServicesID");
    b.providerId = r.number("ProviderID");
    b.locationId = r.number("LocationID");
    b.logbookId = r.number("LogbookID");
    b.profileId = r.number("ProfileID");
    b.duration = int(r.number("Duration"));
    b.price = r.real("Price");
    b.gratuity = r.real("Gratuity");
    b.lastName = r.trimmedText("LastName");
    b.firstName = r.trimmedText("FirstName");
    b.referDate = r.trimmedText("ReferDate");
    b.referTime = r.trimmedText("ReferTime");
    b.confirmation = r.trimmedText("Confirmation");
    b.posNumber = r.trimmedText("POSNumber");
    for (int i = 0; i < 5; ++i)
        b.status[i] = r.flag(QString("Status%1").arg(i));
    return b;
}

std::optional<TsBooking> GetTimedService(AppContext& ctx, qint64 timedServiceId) {
    const auto r = ctx.db().queryOne("SELECT * FROM [TimedService] WHERE [TimedServiceID] = ?",
                                     {timedServiceId});
    if (!r) return std::nullopt;
    TsBooking b = TsBookingFromRow(*r);
    b.instructions = GetECT(ctx, b.id, TextKind::BookingInstructions);
    return b;
}

QString CheckTsBooking(AppContext& ctx, const TypedTsBooking& t) {
    Q_UNUSED(ctx);
    // A booking without a date is on no sheet: the date is required.
    if (!typedDate(t.referDate).isValid()) return MsgTsReferDate;
    if (t.categoryId <= 0) return MsgTsCategory;
    if (t.serviceId <= 0) return MsgTsService;
    if (t.providerId <= 0) return MsgTsProvider;
    if (SlotMinute(t.referTime.trimmed()) < 0) return MsgTsTime;
    if (t.lastName.trimmed().isEmpty()) return MsgTsLastName;
    if (t.firstName.trimmed().isEmpty()) return MsgTsFirstName;
    if (!typedAmount(t.gratuity)) return MsgTsGratuity;
    return {};
}

int ScreenTsBookingNames(AppContext& ctx, TypedTsBooking& t, qint64 recordId,
                         const std::function<bool(const QString&, const QString&)>& removeNumber) {
    static const QString form = QStringLiteral("Timed Services");
    int found = 0;
    for (auto [field, text] : {std::pair{QStringLiteral("txtLastName"), &t.lastName},
                               std::pair{QStringLiteral("txtFirstName"), &t.firstName}}) {
        const QString trimmed = text->trimmed();
        if (!CheckForCCNumber(trimmed)) continue;
        ++found;
        const bool remove = removeNumber(form, field);
        *text = ApplyCardScreening(ctx, form, field, recordId, trimmed, remove);
    }
    return found;
}

TsSaveResult SaveTimedService(AppContext& ctx, qint64 id, const TypedTsBooking& t) {
    if (const QString refusal = CheckTsBooking(ctx, t); !refusal.isEmpty()) return refused(refusal);
    const QString card = cardDigits(t.typedCard);
    if (!card.isEmpty()) {
        for (QChar c : card)
            if (!c.isDigit()) return refused(MsgTsCardDigits);
        if (!GetBooleanSetting(ctx.db(), "NoCreditCards") &&
            CardNumbersState(ctx) != CardKeyState::Ready)
            return refused(MsgTsCardsOff);
    }
    const double gratuity = *typedAmount(t.gratuity);
    Database& db = ctx.db();
    TsSaveResult result;

    try {
        if (id > 0) {
            // What was booked stays: a move is a delete and a new booking.
            db.transaction([&] {
                auto b = GetTimedService(ctx, id);
                if (!b) throw Refusal{MsgTsBookingGone};
                b->lastName = StoredText(CleanSqlTextKeepAmp(t.lastName));
                b->firstName = StoredText(CleanSqlTextKeepAmp(t.firstName));
                b->confirmation = StoredText(CleanSqlText(t.confirmation));
                b->posNumber = StoredText(CleanSqlText(t.posNumber));
                b->gratuity = gratuity;
                for (int i = 0; i < 3; ++i)
                    b->status[i] = t.status[i];
                b->profileId = t.profileId;
                b->instructions = t.instructions;
                db.exec("UPDATE [TimedService] SET [LastName] = ?, [FirstName] = ?, "
                        "[Confirmation] = ?, [POSNumber] = ?, [Gratuity] = ?, [Status0] = ?, "
                        "[Status1] = ?, [Status2] = ?, [ProfileID] = ? WHERE [TimedServiceID] = ?",
                        {CleanSqlTextKeepAmp(t.lastName), CleanSqlTextKeepAmp(t.firstName),
                         CleanSqlText(t.confirmation), CleanSqlText(t.posNumber), gratuity,
                         t.status[0], t.status[1], t.status[2], t.profileId, id});
                PutECT(ctx, id, TextKind::BookingInstructions, t.instructions);
                if (const QString m = UpdateTsLogEntry(ctx, *b, card); !m.isEmpty())
                    throw Refusal{m};
                result.id = id;
                result.logbookId = b->logbookId;
            });
            result.saved = true;
            return result;
        }

        const auto service = GetService(ctx, t.serviceId);
        if (!service) return refused(MsgTsServiceGone);
        const QDate day = typedDate(t.referDate);
        const int start = SlotMinute(t.referTime.trimmed());
        const int rows = TsSlotCount(service->duration);
        if (const QString m = checkProviderHours(ctx, t.providerId, day, start, rows); !m.isEmpty())
            return refused(m);

        TsBooking b;
        b.categoryId = t.categoryId;
        b.serviceId = t.serviceId;
        b.providerId = t.providerId;
        b.locationId = service->locationId;
        b.profileId = t.profileId;
        b.duration = service->duration;
        b.price = service->price;
        b.gratuity = gratuity;
        b.lastName = StoredText(CleanSqlTextKeepAmp(t.lastName));
        b.firstName = StoredText(CleanSqlTextKeepAmp(t.firstName));
        b.referDate = Formats::StoredDate(day);
        b.referTime = SlotText(start);
        b.confirmation = StoredText(CleanSqlText(t.confirmation));
        b.posNumber = StoredText(CleanSqlText(t.posNumber));
        for (int i = 0; i < 3; ++i)
            b.status[i] = t.status[i];
        b.instructions = t.instructions;

        db.transaction([&] {
            // Desks booking the same provider take turns here; the rows are
            // then checked against what the others committed.
            if (!LockRowForBooking(db, "Providers", "ProvidersID", b.providerId))
                throw Refusal{MsgTsProviderGone};
            if (providerBusy(db, b.providerId, b.referDate, start, start + rows * TsSlotMinutes))
                throw Refusal{MsgTsTaken};
            b.id = db.insert(
                "INSERT INTO [TimedService] ([CategoryID], [ServicesID], [ProviderID], "
                "[LocationID], [LogbookID], [ProfileID], [Duration], [Gratuity], [Price], "
                "[LastName], [FirstName], [ReferDate], [ReferTime], [Confirmation], [POSNumber], "
                "[Status0], [Status1], [Status2], [Status3], [Status4]) "
                "VALUES (?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                {b.categoryId, b.serviceId, b.providerId, b.locationId, b.profileId, b.duration,
                 b.gratuity, b.price, CleanSqlTextKeepAmp(t.lastName),
                 CleanSqlTextKeepAmp(t.firstName), b.referDate, b.referTime,
                 CleanSqlText(t.confirmation), CleanSqlText(t.posNumber), b.status[0], b.status[1],
                 b.status[2], false, false},
                "TimedServiceID");
            PutECT(ctx, b.id, TextKind::BookingInstructions, t.instructions);
            if (const auto link = GetTsLogLink(ctx, b.categoryId);
                link && link->logTypeId > 0 && !link->logType.trimmed().isEmpty()) {
                b.logbookId = FileTsLogEntry(ctx, *link, b, card);
                db.exec("UPDATE [TimedService] SET [LogbookID] = ? WHERE [TimedServiceID] = ?",
                        {b.logbookId, b.id});
            }
        });
        result.saved = true;
        result.id = b.id;
        result.logbookId = b.logbookId;
        return result;
    } catch (const Refusal& r) {
        return refused(r.message);
    }
}

bool DeleteTimedService(AppContext& ctx, qint64 timedServiceId) {
    if (timedServiceId <= 0) return false; // an unsaved booking
    Database& db = ctx.db();
    bool deleted = false;
    db.transaction([&] {
        const QVariant logId = db.scalar(
            "SELECT [LogbookID] FROM [TimedService] WHERE [TimedServiceID] = ?", {timedServiceId});
        if (!logId.isValid()) return;
        DeleteECT(ctx, timedServiceId, {TextKind::BookingInstructions});
        deleted =
            db.exec("DELETE FROM [TimedService] WHERE [TimedServiceID] = ?", {timedServiceId}) > 0;
        CancelTsLogEntry(ctx, logId.toLongLong());
    });
    return deleted;
}

int PurgeTimedServices(AppContext& ctx, const QDate& before) {
    if (!before.isValid()) return 0;
    Database& db = ctx.db();
    const QString date = Formats::StoredDate(before);
    int deleted = 0;
    db.transaction([&] {
        LongTextDb(ctx, TextKind::BookingInstructions)
            .exec("DELETE FROM [EvConText] WHERE [EvConType] = ? AND [EvConKey] IN (SELECT "
                  "[TimedServiceID] FROM [TimedService] WHERE [ReferDate] < ?)",
                  {TextKind::BookingInstructions, date});
        deleted = db.exec("DELETE FROM [TimedService] WHERE [ReferDate] < ?", {date});
    });
    return deleted;
}

QString CheckTsPurgeDate(AppContext& ctx, const QString& typed) {
    const QDate d = typedDate(typed);
    if (!d.isValid()) return MsgTsPurgeDate;
    if (d > ctx.clock().today()) return MsgTsPurgeFuture;
    return {};
}

QString TsPurgeQuestion(const QDate& before) {
    return "Do you wish to delete ALL Timed Service \r\nentries prior to " +
           Formats::ShortDate(before);
}

QString TsPurgeDoneMessage(const QDate& before) {
    return "ALL Timed Service entries prior to " + Formats::ShortDate(before) +
           " have been deleted.  Thank you.";
}

} // namespace vm
