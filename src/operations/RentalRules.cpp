// Rules of the rental screen that need no database: units and charges, the
// shown amounts, the checks of typed items and quantities, the grids' cells.

#include "operations/Rentals.h"

#include "core/Formats.h"

#include <QRegularExpression>

namespace vm {

namespace {

// Counts above these do not fit the columns on every engine (and are typing errors).
constexpr int MaxCount = 999999;
constexpr double MaxAmount = 9999999.99;

// A whole number from 0 (empty is 0); nullopt for anything else.
std::optional<int> parseCount(const QString& typed, bool emptyIsZero = true) {
    const QString t = typed.trimmed();
    if (t.isEmpty()) return emptyIsZero ? std::optional<int>(0) : std::nullopt;
    static const QRegularExpression digits(QStringLiteral("^\\d{1,7}$"));
    if (!digits.match(t).hasMatch()) return std::nullopt;
    const int n = t.toInt();
    if (n > MaxCount) return std::nullopt;
    return n;
}

// An amount such as "12", "12.5", "1,234.50" or ".50" (empty is 0).
std::optional<double> parseAmount(const QString& typed) {
    QString t = typed.trimmed();
    if (t.isEmpty()) return 0.0;
    t.remove(',');
    static const QRegularExpression amount(
        QStringLiteral("^(\\d{1,7}(\\.\\d{0,2})?|\\.\\d{1,2})$"));
    if (!amount.match(t).hasMatch()) return std::nullopt;
    const double v = t.toDouble();
    if (v > MaxAmount) return std::nullopt;
    return v;
}

} // namespace

bool IsRentalType(int type) {
    return type == StuffType::Daily || type == StuffType::Hourly;
}

bool StuffItem::isOut() const {
    // Text dates compare as text: any "yyyy/MM/dd" is above "0"; " " and "0" are not.
    const QString t = returnDate.trimmed();
    return !t.isEmpty() && t > QStringLiteral("0");
}

QString ReturnTimeSortKey(const QTime& t) {
    return t.isValid() ? t.toString("HHmm") : QStringLiteral(" ");
}

qint64 RentalUnits(int type, const QDateTime& out, const QDateTime& back) {
    if (!out.isValid() || !back.isValid()) return 0;
    if (type != StuffType::Hourly) return Formats::DateDiff("d", out.date(), back.date());
    // Hour boundaries crossed: both moments cut to their hour, on the wall
    // clock (no daylight-saving shift).
    const auto hourOf = [](const QDateTime& t) {
        return QDate(1970, 1, 1).daysTo(t.date()) * 24 + t.time().hour();
    };
    return hourOf(back) - hourOf(out);
}

double RentalChargeFor(double rate, qint64 units) {
    return units > 0 ? double(units) * rate : 0.0;
}

QString ShownRate(double v) {
    return Formats::FormatNumber(v, "####.00");
}
QString ShownCharge(double v) {
    return Formats::FormatNumber(v, "#,###.#0");
}
QString ShownLineCharge(double v) {
    return Formats::FormatNumber(v, "###.00");
}
QString ShownTotal(double v) {
    return Formats::FormatNumber(v, "##,###.00");
}

RentalRefusal CheckStuffItem(int type, const TypedItem& typed) {
    if (typed.category.trimmed().isEmpty()) return {MsgRentalCategory, "cboCategory"};
    if (typed.itemName.trimmed().isEmpty()) return {MsgRentalDescription, "txtItemName"};
    if (IsRentalType(type) && !parseCount(typed.rentalDays, false))
        return {MsgRentalPeriod, "txtRentalDays"};
    if (!IsRentalType(type) && !parseCount(typed.rentalDays))
        return {MsgRentalPeriod, "txtRentalDays"};
    if (!parseAmount(typed.rentalCharge)) return {MsgRentalCharge, "txtRentalCharge"};
    if (!parseCount(typed.par)) return {MsgRentalPar, "txtPar"};
    if (!parseCount(typed.onHand)) return {MsgRentalOnHand, "txtOnHand"};
    return {};
}

StuffItem StoredItem(int type, const TypedItem& typed) {
    StuffItem item;
    item.type = type;
    item.category = typed.category.trimmed();
    item.itemName = typed.itemName.trimmed();
    item.itemNumber = typed.itemNumber.trimmed();
    item.rentalDays = parseCount(typed.rentalDays).value_or(0);
    item.rentalCharge = parseAmount(typed.rentalCharge).value_or(0);
    item.par = parseCount(typed.par).value_or(0);
    item.onHand = parseCount(typed.onHand).value_or(0);
    return item;
}

std::optional<int> ParseQuantity(const QString& typed) {
    const auto n = parseCount(typed, false);
    if (!n || *n < 1) return std::nullopt;
    return n;
}

QStringList ItemGridHeaders() {
    return {"Category", "Return Date", "Item", "Item Number", "Period", "Rate",
            "Par",      "On Hand",     "ID",   "Renter",      "Room"};
}

QStringList ItemGridCells(const StuffItem& i) {
    return {i.category,
            i.isOut() ? Formats::ShortDateOfStored(i.returnDate) : QString(),
            i.itemName,
            i.itemNumber,
            QString::number(i.rentalDays),
            ShownRate(i.rentalCharge),
            QString::number(i.par),
            QString::number(i.onHand),
            QString::number(i.id),
            i.renterName,
            i.roomNumber};
}

QStringList ItemsOutHeaders() {
    return {"Return Date", "Return Time", "Item", "Item Number", "Renter",
            "Room",        "ID",          "Rate", "Type",        "Category"};
}

QStringList ItemsOutCells(const StuffItem& i) {
    return {Formats::ShortDateOfStored(i.returnDate),
            i.returnTime,
            i.itemName,
            i.itemNumber,
            i.renterName,
            i.roomNumber,
            QString::number(i.id),
            ShownRate(i.rentalCharge),
            QString::number(i.type),
            i.category};
}

QStringList RestockHeaders() {
    return {"Item", "Par", "On Hand"};
}

QStringList RestockCells(const StuffItem& i) {
    return {i.itemName, QString::number(i.par), QString::number(i.onHand)};
}

QString CheckLoanSearch(const QString& from, const QString& through) {
    const QDate f = Formats::ParseShortDate(from), t = Formats::ParseShortDate(through);
    if (!f.isValid() || !t.isValid()) return MsgRentalSearchDate;
    if (t < f) return MsgRentalSearchOrder;
    return {};
}

QStringList SearchHeaders() {
    return {"Out Date", "Out Time", "Return Date", "Return Time", "ID",
            "Item",     "Renter",   "Room",        "Charge"};
}

QStringList SearchCells(const StuffLoan& l) {
    return {Formats::ShortDateOfStored(l.checkoutDate),
            l.checkoutTime,
            Formats::ShortDateOfStored(l.returnDate),
            l.returnTime,
            QString::number(l.stuffId),
            l.itemName,
            l.renterName,
            l.roomNumber,
            ShownLineCharge(l.charge)};
}

QStringList SearchTotalCells(const std::vector<StuffLoan>& loans) {
    double sum = 0;
    for (const StuffLoan& l : loans)
        sum += l.charge;
    QStringList cells;
    for (int i = 0; i < SearchHeaders().size() - 2; ++i)
        cells << QString();
    return cells << "TOTAL:" << ShownTotal(sum);
}

QString CheckoutCaption(const std::optional<StuffLoan>& loan) {
    if (!loan) return {};
    return "Checked out " + Formats::ShortDateOfStored(loan->checkoutDate) + " " +
           loan->checkoutTime + "  -  Charge: " + ShownLineCharge(loan->charge);
}

} // namespace vm
