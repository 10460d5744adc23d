// The employee and key lists read from files in the output folder: every
// line is checked before anything is written, then all are written together.

#include "core/DataAccess.h"
#include "guests/OtherLists.h"
#include "operations/KeyControl.h"
#include "operations/KeyRows.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace vm {

using namespace keys;

namespace {

struct Line {
    int number = 0; // physical line in the file, from 1
    QStringList fields;
};

// Physical lines from 1 (a heading is line 1); blank lines are counted but
// not returned.  False when the file cannot be read.
bool readLines(const QString& path, std::vector<Line>& lines) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QString text = QString::fromUtf8(f.readAll());
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    const QStringList physical = text.split('\n');
    for (int i = 0; i < physical.size(); ++i) {
        QString line = physical.at(i);
        if (line.endsWith('\r')) line.chop(1);
        // Plain fields: the files carry no quoting.
        QStringList fields = line.split(',');
        for (QString& field : fields)
            field = field.trimmed();
        if (fields.join(QString()).isEmpty()) continue;
        lines.push_back({i + 1, fields});
    }
    return true;
}

QString field(const Line& l, int i) {
    return i < l.fields.size() ? l.fields.at(i) : QString();
}

QString importPath(AppContext& ctx, const QString& path, const QString& fileName) {
    return path.isEmpty() ? ctx.workstation.outputFolder() + fileName : path;
}

// Reads the file's lines; answers the refusal when it is missing or a line
// has more fields than `limit` allows (the first such line), "" otherwise.
QString readChecked(const QString& path, int limit, std::vector<Line>& lines) {
    if (!QFileInfo::exists(path) || !readLines(path, lines)) return kKeyImportMissingFile + path;
    for (const Line& l : lines)
        if (l.fields.size() > limit) return KeyImportCommaMessage(path, l.number);
    return {};
}

struct EmployeeLine {
    QString name, number, jobTitle;
};

struct KeyLine {
    QString number, group, description, unit;
    int duration = 0;
};

} // namespace

QString KeyImportCommaMessage(const QString& path, int lineNumber) {
    return "The file " + path + " contains at least one comma in row number " +
           QString::number(lineNumber) +
           ".  This will cause the import to fail.   Please repair the file and try again.";
}

QString KeyImportLineMessage(const QString& path, int lineNumber, const QString& reason) {
    return "The file " + path + " cannot be imported: row number " + QString::number(lineNumber) +
           " " + reason + ".  Nothing has been imported.  Please repair the file and try again.";
}

KeyImportResult KeyImportEmployees(AppContext& ctx, const QString& path) {
    const QString file = importPath(ctx, path, kKeyEmployeeFileName);
    KeyImportResult result;
    std::vector<Line> lines;
    result.message = readChecked(file, 4, lines);
    if (!result.message.isEmpty()) return result;

    Database& db = ctx.db();
    const bool zeros = KeyRemoveZeros(ctx);
    std::vector<EmployeeLine> rows;
    QSet<QString> seen;
    for (const Line& l : lines) {
        if (field(l, 0).compare("Employee Name", Qt::CaseInsensitive) == 0) continue;
        EmployeeLine e{field(l, 0), storedNumber(field(l, 1), zeros), field(l, 2)};
        QString reason;
        if (e.name.isEmpty())
            reason = "has no Employee Name";
        else if (e.number.isEmpty())
            reason = "has no Employee Number";
        else if (seen.contains(e.number.toLower()))
            reason = "repeats an Employee Number of an earlier row";
        else if (findEmployeeId(db, e.number, zeros) != 0)
            reason = "has an Employee Number that already exists in your Employee List";
        if (!reason.isEmpty()) {
            result.message = KeyImportLineMessage(file, l.number, reason);
            return result;
        }
        seen.insert(e.number.toLower());
        rows.push_back(e);
    }

    db.transaction([&] {
        for (const EmployeeLine& e : rows)
            db.insert("INSERT INTO [KeyEmployee] ([EmployeeName], [EmployeeNumber], [JobTitle]) "
                      "VALUES (?, ?, ?)",
                      {CleanSqlTextKeepAmp(e.name), e.number, CleanSqlText(e.jobTitle)},
                      "KeyEmployeeID");
    });
    result.done = true;
    result.imported = int(rows.size());
    return result;
}

KeyImportResult KeyImportKeys(AppContext& ctx, const QString& path) {
    const QString file = importPath(ctx, path, kKeyListFileName);
    KeyImportResult result;
    std::vector<Line> lines;
    result.message = readChecked(file, 6, lines);
    if (!result.message.isEmpty()) return result;

    Database& db = ctx.db();
    const bool zeros = KeyRemoveZeros(ctx);
    std::vector<KeyLine> rows;
    QSet<QString> seen;
    for (const Line& l : lines) {
        if (field(l, 0).isEmpty() || field(l, 0).compare("Key Number", Qt::CaseInsensitive) == 0)
            continue;
        KeyLine k;
        k.number = storedNumber(field(l, 0), zeros);
        k.group = field(l, 1);
        k.description = field(l, 2);
        const QString duration = field(l, 3), unit = field(l, 4);
        bool whole = true;
        k.duration = duration.isEmpty() ? 0 : duration.toInt(&whole);
        // A key without a loan period is lent for ten of its units.
        if (k.duration == 0) k.duration = 10;
        if (unit.isEmpty() || unit.compare("D", Qt::CaseInsensitive) == 0 ||
            unit.compare("Days", Qt::CaseInsensitive) == 0)
            k.unit = "Days";
        else if (unit.compare("H", Qt::CaseInsensitive) == 0 ||
                 unit.compare("Hours", Qt::CaseInsensitive) == 0)
            k.unit = "Hours";

        QString reason;
        if (k.number.isEmpty())
            reason = "has a Key Number of zeros only";
        else if (k.group.isEmpty())
            reason = "has no Key Group";
        else if (!whole || k.duration < 0)
            reason = "has a number of Hours or Days that is not a whole number of 0 or more";
        else if (k.unit.isEmpty())
            reason = "has a unit other than D (Days) or H (Hours)";
        else if (seen.contains(k.number.toLower()))
            reason = "repeats a Key Number of an earlier row";
        else if (findKeyId(db, k.number, zeros) != 0)
            reason = "has a Key Number that already exists in your Key List";
        if (!reason.isEmpty()) {
            result.message = KeyImportLineMessage(file, l.number, reason);
            return result;
        }
        seen.insert(k.number.toLower());
        rows.push_back(k);
    }

    db.transaction([&] {
        // A group already listed keeps the list's spelling.
        QHash<QString, QString> groups;
        for (const QString& g : GetOtherValues(ctx, "KeyGroup"))
            groups.insert(g.toLower(), g);
        for (const KeyLine& k : rows) {
            const QString typed = StoredText(CleanSqlText(k.group));
            auto known = groups.constFind(typed.toLower());
            if (known == groups.constEnd()) {
                InsertOtherData(ctx, "KeyGroup", typed);
                known = groups.insert(typed.toLower(), typed);
            }
            db.insert("INSERT INTO [KeyMaster] ([KeyNumber], [KeyStatus], [KeyGroupName], "
                      "[Description], [OutDuration], [OutHoursDays], [KeyEmployeeID]) VALUES "
                      "(?, 'I', ?, ?, ?, ?, 0)",
                      {k.number, CleanSqlText(known.value()), CleanSqlText(k.description),
                       k.duration, k.unit},
                      "KeyMasterID");
        }
    });
    result.done = true;
    result.imported = int(rows.size());
    return result;
}

} // namespace vm
