#include "maint/TableSums.h"

#include "maint/AdminProperty.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <algorithm>

namespace vm::maint {

using schema::Type;

namespace {

std::optional<QDateTime> dateOf(const QVariant& v) {
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime();
    if (v.typeId() == QMetaType::QDate) return v.toDate().startOfDay();
    QString s = v.toString().trimmed();
    if (s.size() > 10 && s.at(10) == ' ') s[10] = 'T';
    for (Qt::DateFormat f : {Qt::ISODateWithMs, Qt::ISODate}) {
        const QDateTime d = QDateTime::fromString(s, f);
        if (d.isValid()) return d;
    }
    const QDate day = QDate::fromString(s, Qt::ISODate);
    if (day.isValid()) return day.startOfDay();
    return std::nullopt;
}

std::optional<bool> boolOf(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (ok) return n != 0;
    const QString s = v.toString().trimmed().toLower();
    if (s == "true" || s == "t") return true;
    if (s == "false" || s == "f") return false;
    return std::nullopt;
}

bool isWhole(Type t) {
    return t == Type::AutoId || t == Type::Long || t == Type::Integer || t == Type::Byte;
}

} // namespace

QString StoreName(schema::Store store) {
    switch (store) {
    case schema::Current:
        return "current";
    case schema::Archive:
        return "archive";
    case schema::Common:
        return "common";
    }
    return {};
}

std::optional<schema::Store> StoreNamed(const QString& name) {
    for (schema::Store s : {schema::Current, schema::Archive, schema::Common})
        if (StoreName(s) == name) return s;
    return std::nullopt;
}

QByteArray NormalisedValue(const QVariant& v, Type type) {
    if (!v.isValid() || v.isNull()) return "N";
    const QByteArray asText = "?" + v.toString().toUtf8();
    if (type == Type::Boolean) {
        const auto b = boolOf(v);
        return b ? QByteArray(*b ? "V1" : "V0") : asText;
    }
    if (type == Type::Date) {
        const auto d = dateOf(v);
        return d ? "V" + d->toString("yyyy-MM-dd HH:mm:ss.zzz").toUtf8() : asText;
    }
    if (isWhole(type)) {
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        if (ok) return "V" + QByteArray::number(n);
        const double d = v.toDouble(&ok);
        if (ok && d == double(qlonglong(d))) return "V" + QByteArray::number(qlonglong(d));
        return asText;
    }
    if (type == Type::Double || type == Type::Currency) {
        bool ok = false;
        const double d = v.toDouble(&ok);
        return ok ? "V" + QByteArray::number(d, 'g', 17) : asText;
    }
    return "V" + v.toString().toUtf8();
}

QVariant TypedValue(const QVariant& v, Type type) {
    if (!v.isValid() || v.isNull()) return QVariant();
    if (type == Type::Boolean) {
        const auto b = boolOf(v);
        return b ? QVariant(*b) : v;
    }
    if (type == Type::Date) {
        // The engines' own text form, with the milliseconds when there are any.
        const auto d = dateOf(v);
        if (!d) return v;
        return d->toString(d->time().msec() ? "yyyy-MM-dd HH:mm:ss.zzz" : EngineDateTime);
    }
    if (isWhole(type)) {
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        return ok ? QVariant(n) : v;
    }
    if (type == Type::Double || type == Type::Currency) {
        bool ok = false;
        const double d = v.toDouble(&ok);
        return ok ? QVariant(d) : v;
    }
    return QVariant(v.toString());
}

QList<const schema::Column*> PresentColumns(Database& db, const schema::Table& t) {
    QSet<QString> present;
    for (const QString& c : db.columnNames(t.name))
        present.insert(c.toLower());
    QList<const schema::Column*> out;
    for (const schema::Column& c : t.columns)
        if (present.contains(c.name.toLower())) out << &c;
    return out;
}

TableSum SumTable(Database& db, const schema::Table& t) {
    TableSum sum;
    sum.table = t.name;
    if (!db.tableExists(t.name)) {
        sum.rows = -1;
        sum.sha256 = "missing";
        return sum;
    }
    const auto columns = PresentColumns(db, t);
    QStringList names;
    for (const auto* c : columns)
        names << "[" + c->name + "]";
    std::vector<QByteArray> digests;
    db.forEach("SELECT " + names.join(", ") + " FROM [" + t.name + "]", {}, [&](const Row& r) {
        QCryptographicHash row(QCryptographicHash::Sha256);
        for (int i = 0; i < columns.size(); ++i) {
            const QByteArray field = NormalisedValue(r.value(i), columns[i]->type);
            row.addData(QByteArray::number(field.size()) + ":");
            row.addData(field);
        }
        digests.push_back(row.result());
        return true;
    });
    std::sort(digests.begin(), digests.end());
    QCryptographicHash all(QCryptographicHash::Sha256);
    for (const QByteArray& d : digests)
        all.addData(d);
    sum.rows = qint64(digests.size());
    sum.sha256 = QString::fromLatin1(all.result().toHex());
    return sum;
}

DatabaseSums SumDatabase(Database& db, const QString& base, schema::Store store) {
    DatabaseSums out;
    out.base = base;
    out.store = StoreName(store);
    db.snapshot([&] {
        for (const schema::Table& t : schema::Registry::all().tables())
            if (t.stores & store) out.tables << SumTable(db, t);
    });
    return out;
}

const TableSum* DatabaseSums::find(const QString& table) const {
    for (const TableSum& t : tables)
        if (t.table.compare(table, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

QStringList CompareSums(const QList<DatabaseSums>& expected, const QList<DatabaseSums>& actual) {
    QStringList out;
    auto describe = [](const TableSum& t) {
        return t.rows < 0 ? QString("missing")
                          : QString("%1 rows %2").arg(t.rows).arg(t.sha256.left(16));
    };
    for (const DatabaseSums& e : expected) {
        const auto a = std::find_if(actual.begin(), actual.end(),
                                    [&](const DatabaseSums& x) { return x.store == e.store; });
        if (a == actual.end()) {
            out << e.base + ": the " + e.store + " database is missing";
            continue;
        }
        for (const TableSum& t : e.tables) {
            const TableSum* other = a->find(t.table);
            if (!other)
                out << e.base + " " + t.table + ": missing";
            else if (other->rows != t.rows || other->sha256 != t.sha256)
                out << e.base + " " + t.table + ": " + describe(t) + " but " + describe(*other);
        }
        for (const TableSum& t : a->tables)
            if (!e.find(t.table)) out << a->base + " " + t.table + ": not expected";
    }
    for (const DatabaseSums& a : actual)
        if (std::none_of(expected.begin(), expected.end(),
                         [&](const DatabaseSums& x) { return x.store == a.store; }))
            out << a.base + ": the " + a.store + " database is not expected";
    return out;
}

QStringList SumLines(const QList<DatabaseSums>& sums) {
    QStringList out;
    for (const DatabaseSums& d : sums)
        for (const TableSum& t : d.tables)
            out << QString("%1 %2 %3 %4")
                       .arg(d.base, -7)
                       .arg(t.table, -22)
                       .arg(t.rows < 0 ? QString("missing") : QString::number(t.rows) + " rows", 12)
                       .arg(t.sha256);
    return out;
}

QJsonObject Manifest::toJson() const {
    QJsonArray dbs;
    for (const DatabaseSums& d : databases) {
        QJsonArray tables;
        for (const TableSum& t : d.tables)
            tables.append(
                QJsonObject{{"name", t.table}, {"rows", double(t.rows)}, {"sha256", t.sha256}});
        dbs.append(QJsonObject{
            {"base", d.base}, {"store", d.store}, {"place", d.place}, {"tables", tables}});
    }
    return QJsonObject{{"format", 1},          {"engine", engine}, {"created", created},
                       {"level", level},       {"masked", masked}, {"schemaPrefix", schemaPrefix},
                       {"dumpFile", dumpFile}, {"databases", dbs}};
}

Manifest Manifest::fromJson(const QJsonObject& o) {
    Manifest m;
    m.engine = o.value("engine").toString();
    m.created = o.value("created").toString();
    m.level = o.value("level").toInt();
    m.masked = o.value("masked").toBool();
    m.schemaPrefix = o.value("schemaPrefix").toString();
    m.dumpFile = o.value("dumpFile").toString();
    for (const QJsonValue& v : o.value("databases").toArray()) {
        const QJsonObject d = v.toObject();
        DatabaseSums sums;
        sums.base = d.value("base").toString();
        sums.store = d.value("store").toString();
        sums.place = d.value("place").toString();
        for (const QJsonValue& tv : d.value("tables").toArray()) {
            const QJsonObject t = tv.toObject();
            sums.tables.append({t.value("name").toString(), qint64(t.value("rows").toDouble()),
                                t.value("sha256").toString()});
        }
        m.databases << sums;
    }
    return m;
}

void WriteManifest(const QString& folder, const Manifest& m) {
    QSaveFile f(QDir(folder).filePath(kManifestFile));
    if (!f.open(QIODevice::WriteOnly) || f.write(QJsonDocument(m.toJson()).toJson()) < 0 ||
        !f.commit())
        throw AdminError(ExitProblem, "cannot write " + f.fileName() + ": " + f.errorString());
}

Manifest ReadManifest(const QString& folder) {
    QFile f(QDir(folder).filePath(kManifestFile));
    if (!f.open(QIODevice::ReadOnly))
        throw AdminError(ExitUsage, "no backup in " + folder + " (" + kManifestFile + " missing)");
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &error);
    const Manifest m = Manifest::fromJson(doc.object());
    if (error.error != QJsonParseError::NoError || m.databases.isEmpty() ||
        (m.engine != "sqlite" && m.engine != "postgresql"))
        throw AdminError(ExitUsage, f.fileName() + " is not a backup manifest");
    return m;
}

} // namespace vm::maint
