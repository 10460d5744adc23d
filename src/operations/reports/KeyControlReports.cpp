#include "operations/reports/KeyControlReports.h"

#include "core/Formats.h"
#include "output/GridTable.h"

namespace vm {

using namespace doc;

namespace {

QString loanPeriod(const KeyRecord& k) {
    return QString::number(k.outDuration) + " " + k.outHoursDays;
}

// "From 03/01/2026 through 03/31/2026", open ends left out.
QString dateRange(const QDate& from, const QDate& through) {
    QString s;
    if (from.isValid()) s += "From " + Formats::ShortDate(from);
    if (through.isValid())
        s += QString(s.isEmpty() ? "Through " : " through ") + Formats::ShortDate(through);
    return s;
}

// A table of the headings: times on one line, descriptions and names wider.
Table keyTable(const QStringList& headings) {
    QList<Column> columns;
    for (const QString& h : headings) {
        double weight = 1.3;
        if (h.startsWith("Date/Time") || h == "Due Back") weight = 1.9;
        else if (h == "Description" || h == "Checked Out By" || h == "Employee") weight = 2.2;
        columns << Column{h, weight};
    }
    return GridTable(columns);
}

} // namespace

QStringList KeyListHeadings(KeyListKind kind) {
    switch (kind) {
    case KeyListKind::KeysOut:
        return {"Key Group", "Key Number", "Description", "Date/Time Out", "Date/Time Due",
                "Checked Out By", "Job Title"};
    case KeyListKind::KeysIn:
        return {"Key Group", "Key Number", "Description", "Loan Period"};
    case KeyListKind::AllKeys:
        break;
    }
    return {"Key Group", "Key Number", "Description", "Loan Period", "Status", "Checked Out By"};
}

QStringList KeyListCells(KeyListKind kind, const KeyRecord& k) {
    switch (kind) {
    case KeyListKind::KeysOut:
        return {k.groupName, k.keyNumber, k.description, k.dateTimeOut, k.dateTimeDue,
                k.employeeName, k.jobTitle};
    case KeyListKind::KeysIn:
        return {k.groupName, k.keyNumber, k.description, loanPeriod(k)};
    case KeyListKind::AllKeys:
        break;
    }
    return {k.groupName, k.keyNumber, k.description, loanPeriod(k), k.isOut() ? "Out" : "In",
            k.isOut() ? k.employeeName : QString()};
}

std::vector<KeyRecord> KeyListRows(AppContext& ctx, KeyListKind kind) {
    switch (kind) {
    case KeyListKind::KeysOut: return KeyKeyReport1(ctx);
    case KeyListKind::KeysIn: return KeyKeyReport2(ctx);
    case KeyListKind::AllKeys: break;
    }
    return KeyKeyReport3(ctx);
}

QStringList KeyActivityHeadings(bool byKey) {
    QStringList h{"Date/Time Out", "Date/Time Due", "Date/Time Back"};
    if (byKey) h << "Minutes Late" << "Employee" << "Job Title";
    else h << "Key Group" << "Key Number" << "Description";
    return h;
}

QStringList KeyActivityCells(bool byKey, const KeyLoanRow& row) {
    QStringList c{row.dateTimeOut, row.dateTimeDue, row.dateTimeBack};
    if (byKey)
        c << (row.returned() ? QString::number(row.minutesFromDue) : QString())
          << row.employeeName << row.jobTitle;
    else
        c << row.groupName << row.keyNumber << row.description;
    return c;
}

QStringList KeyOverdueHeadings() {
    return {"Due Back", "Key Group", "Key Number", "Description", "Checked Out By", "Job Title"};
}

QStringList KeyOverdueCells(const KeyLoanRow& row) {
    return {row.dateTimeDue, row.groupName,    row.keyNumber,
            row.description, row.employeeName, row.jobTitle};
}

Document BuildKeyList(AppContext& ctx, const PrintRequest& r, KeyListKind kind) {
    const std::vector<KeyRecord> keys = KeyListRows(ctx, kind);
    if (keys.empty()) throw ReportRefused(kKeyNothingToPrint);
    const QString heading = kind == KeyListKind::KeysOut  ? QStringLiteral("Keys Checked Out")
                            : kind == KeyListKind::KeysIn ? QStringLiteral("Keys Checked In")
                                                          : QStringLiteral("All Keys");
    Document d = ListSheet(r, heading, heading, Formats::LongDate(ctx.clock().today()));
    d.page.landscape = kind == KeyListKind::KeysOut;
    Table t = keyTable(KeyListHeadings(kind));
    for (const KeyRecord& k : keys)
        t.rows << TableRow{KeyListCells(kind, k)};
    d.body << t;
    return d;
}

Document BuildKeyActivity(AppContext& ctx, const PrintRequest& r, bool byKey) {
    const qint64 keyId = r.args.value("keyId").toLongLong();
    const qint64 employeeId = r.args.value("employeeId").toLongLong();
    const QDate from = Formats::ParseStoredDate(r.args.value("from").toString());
    const QDate through = Formats::ParseStoredDate(r.args.value("through").toString());
    QString subject;
    std::vector<KeyLoanRow> rows;
    if (byKey) {
        const auto k = keyId ? KeyGetKey(ctx, keyId) : std::nullopt;
        if (!k) throw ReportRefused(kKeyNothingToPrint);
        subject = k->keyNumber + " - " + k->caption();
        rows = KeyActivityReport2(ctx, keyId, from, through);
    } else {
        const auto e = employeeId ? KeyGetEmployee(ctx, employeeId) : std::nullopt;
        if (!e) throw ReportRefused(kKeyNothingToPrint);
        subject = e->name + " - " + e->jobTitle;
        rows = KeyActivityReport1(ctx, employeeId, from, through);
    }
    if (rows.empty()) throw ReportRefused(kKeyNothingToPrint);
    Document d = ListSheet(r, "Key Activity", "Key Activity: " + subject, dateRange(from, through));
    d.page.landscape = true;
    Table t = keyTable(KeyActivityHeadings(byKey));
    for (const KeyLoanRow& row : rows)
        t.rows << TableRow{KeyActivityCells(byKey, row)};
    d.body << t;
    return d;
}

Document BuildOverdueKeys(AppContext& ctx, const PrintRequest& r) {
    const QDateTime now = ctx.clock().now();
    const std::vector<KeyLoanRow> rows = KeyGetDueOverDue(ctx, now);
    if (rows.empty()) throw ReportRefused(kKeyNothingToPrint);
    Document d = ListSheet(r, "Overdue Keys", "Overdue Keys",
                           "As of " + Formats::ShortDate(now.date()) + " " +
                               Formats::Time12(now.time()));
    d.page.landscape = true;
    Table t = keyTable(KeyOverdueHeadings());
    for (const KeyLoanRow& row : rows)
        t.rows << TableRow{KeyOverdueCells(row)};
    d.body << t;
    return d;
}

void RegisterKeyControlReports(ReportCatalogue& catalogue) {
    const auto list = [](KeyListKind kind) {
        return [kind](AppContext& ctx, const PrintRequest& r) { return BuildKeyList(ctx, r, kind); };
    };
    catalogue.add({RptKeysOut, PreviewWindow::List, false, false, {}, list(KeyListKind::KeysOut)});
    catalogue.add({RptKeysIn, PreviewWindow::List, false, false, {}, list(KeyListKind::KeysIn)});
    catalogue.add({RptAllKeys, PreviewWindow::List, false, false, {}, list(KeyListKind::AllKeys)});
    const auto activity = [](bool byKey) {
        return [byKey](AppContext& ctx, const PrintRequest& r) {
            return BuildKeyActivity(ctx, r, byKey);
        };
    };
    catalogue.add(
        {RptKeyActivityByEmployee, PreviewWindow::List, false, false, {}, activity(false)});
    catalogue.add({RptKeyActivityByKey, PreviewWindow::List, false, false, {}, activity(true)});
    catalogue.add({RptOverdueKeys, PreviewWindow::List, false, false, {}, BuildOverdueKeys});
}

} // namespace vm
