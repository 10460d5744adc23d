// The stored week: seven work flags and four strings of seven 5-character
// "HH:MM" slots, Sunday first; and the check of a week typed in a grid.

#include "bookings/BookingTimes.h"
#include "bookings/TsRoster.h"
#include "platform/Row.h"

#include <cmath>
#include <stdexcept>

namespace vm {

namespace {

constexpr int SlotWidth = 5;
constexpr int WeekSlots = 7 * SlotWidth;

const char* const DayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

QStringView slotOf(const QString& s, int weekday) {
    const int at = (weekday - 1) * SlotWidth;
    if (at >= s.size()) return {};
    return QStringView(s).mid(at, SlotWidth);
}

// The string with the weekday's slot replaced; a short string is padded first.
void putSlot(QString& s, int weekday, int minute) {
    if (s.size() < WeekSlots) s = s.leftJustified(WeekSlots, QLatin1Char(' '));
    const QString text = minute >= 0 ? Hhmm(minute) : QString(SlotWidth, QLatin1Char(' '));
    s.replace((weekday - 1) * SlotWidth, SlotWidth, text);
}

QString dayMessage(int weekday, const char* text) {
    return QString::fromLatin1(DayNames[weekday - 1]) + ": " + QString::fromLatin1(text) +
           "  Thank you.";
}

int typedMinute(const QString& typed) {
    return SlotMinute(typed.trimmed());
}

} // namespace

namespace ts {

int SlotMinuteOf(QStringView slot) {
    slot = slot.trimmed();
    if (slot.isEmpty()) return -1;
    auto digit = [&](int i) { return slot.at(i).isDigit() ? slot.at(i).digitValue() : -100; };
    if (slot.size() == 5 && slot.at(2) == QLatin1Char(':')) {
        const int h = digit(0) * 10 + digit(1), m = digit(3) * 10 + digit(4);
        if (h >= 0 && h < 24 && m >= 0 && m < 60) return h * 60 + m;
        return -1;
    }
    return SlotMinute(slot.toString());
}

int BookingMinuteOf(const QString& referTime) {
    const QStringView t = QStringView(referTime).trimmed();
    // "hh:mm AM", the form every sheet writes; anything else takes the slow road.
    if (t.size() == 8 && t.at(2) == QLatin1Char(':') && t.at(5) == QLatin1Char(' ')) {
        const int h = t.left(2).toInt(), m = t.mid(3, 2).toInt();
        const QStringView half = t.mid(6, 2);
        const bool am = half.compare(u"AM", Qt::CaseInsensitive) == 0;
        const bool pm = half.compare(u"PM", Qt::CaseInsensitive) == 0;
        if ((am || pm) && h >= 1 && h <= 12 && m >= 0 && m < 60 && t.at(0).isDigit() &&
            t.at(1).isDigit() && t.at(3).isDigit() && t.at(4).isDigit())
            return (h % 12 + (pm ? 12 : 0)) * 60 + m;
    }
    return SlotMinute(t.toString());
}

int SlotRows(int minutes) {
    return std::max(1, RoundHalfEven(minutes / 10.0));
}

TsWeek WeekOf(const Row& r) {
    TsWeek w;
    w.workSchedule = r.text("WorkSchedule");
    w.startArray = r.text("StartArray");
    w.endArray = r.text("EndArray");
    w.startMeal = r.text("StartMeal");
    w.endMeal = r.text("EndMeal");
    return w;
}

QStringList WeekColumns() {
    return {"WorkSchedule", "StartArray", "EndArray", "StartMeal", "EndMeal"};
}

QVariantList WeekValues(const TsWeek& w) {
    RequireWellFormed(w);
    return {w.workSchedule, w.startArray, w.endArray, w.startMeal, w.endMeal};
}

bool AtWork(const TsDay& d, int minute) {
    if (!d.works || d.start < 0 || d.end < 0) return false;
    if (minute < d.start || minute > d.end) return false;
    return !(d.hasMeal() && minute >= d.mealStart && minute <= d.mealEnd);
}

} // namespace ts

TsDay TsWeek::day(int weekday) const {
    TsDay d;
    if (weekday < 1 || weekday > 7) return d;
    d.works = workSchedule.size() >= weekday && workSchedule.at(weekday - 1) == QLatin1Char('1');
    d.start = ts::SlotMinuteOf(slotOf(startArray, weekday));
    d.end = ts::SlotMinuteOf(slotOf(endArray, weekday));
    d.mealStart = ts::SlotMinuteOf(slotOf(startMeal, weekday));
    d.mealEnd = ts::SlotMinuteOf(slotOf(endMeal, weekday));
    return d;
}

void TsWeek::setDay(int weekday, const TsDay& d) {
    if (weekday < 1 || weekday > 7) return;
    if (workSchedule.size() < 7) workSchedule = workSchedule.leftJustified(7, QLatin1Char('0'));
    workSchedule[weekday - 1] = d.works ? QLatin1Char('1') : QLatin1Char('0');
    // A pair is kept only whole: a start without its end would be no hours at all.
    const bool hours = d.start >= 0 && d.end >= 0;
    const bool meal = d.mealStart >= 0 && d.mealEnd >= 0;
    putSlot(startArray, weekday, hours ? d.start : -1);
    putSlot(endArray, weekday, hours ? d.end : -1);
    putSlot(startMeal, weekday, meal ? d.mealStart : -1);
    putSlot(endMeal, weekday, meal ? d.mealEnd : -1);
}

bool TsWeek::wellFormed() const {
    if (workSchedule.size() != 7) return false;
    for (QChar c : workSchedule)
        if (c != QLatin1Char('0') && c != QLatin1Char('1')) return false;
    for (const QString* s : {&startArray, &endArray, &startMeal, &endMeal})
        if (s->size() != WeekSlots) return false;
    return true;
}

void RequireWellFormed(const TsWeek& week) {
    if (!week.wellFormed())
        throw std::invalid_argument(
            "a schedule week must be 7 flags and four 35-character strings");
}

QString CheckTypedWeek(const TypedWeekDay (&days)[7]) {
    for (int weekday = 1; weekday <= 7; ++weekday) {
        const TypedWeekDay& t = days[weekday - 1];
        int start = -1, end = -1;
        if (!t.start.trimmed().isEmpty()) {
            start = typedMinute(t.start);
            if (start < 0) return dayMessage(weekday, "the Start time is not a valid time.");
            end = typedMinute(t.end);
            if (end <= start)
                return dayMessage(weekday, "the End time must be later than the Start time.");
        }
        if (t.mealStart.trimmed().isEmpty()) continue;
        const int mealStart = typedMinute(t.mealStart);
        if (mealStart < 0) return dayMessage(weekday, "the meal Start time is not a valid time.");
        const int mealEnd = typedMinute(t.mealEnd);
        if (mealEnd <= mealStart)
            return dayMessage(weekday, "the meal End time must be later than the meal Start time.");
        if (start < 0 || mealStart < start || mealEnd > end)
            return dayMessage(weekday, "the meal break must lie within the working hours.");
    }
    return {};
}

TsWeek WeekFromTyped(const TypedWeekDay (&days)[7]) {
    TsWeek w;
    for (int weekday = 1; weekday <= 7; ++weekday) {
        const TypedWeekDay& t = days[weekday - 1];
        TsDay d;
        d.works = t.works;
        // An empty Start leaves the pair blank, whatever its End holds.
        if (!t.start.trimmed().isEmpty()) {
            d.start = typedMinute(t.start);
            d.end = typedMinute(t.end);
        }
        if (!t.mealStart.trimmed().isEmpty()) {
            d.mealStart = typedMinute(t.mealStart);
            d.mealEnd = typedMinute(t.mealEnd);
        }
        w.setDay(weekday, d);
    }
    RequireWellFormed(w);
    return w;
}

} // namespace vm
