#include "support/CsvReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace vm::test {

namespace {

const char* const Script = R"(import csv, json, sys
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    rows = list(csv.reader(f, strict=True))
sys.stdout.write(json.dumps(rows))
)";

} // namespace

QList<QStringList> ReadCsv(const QString& path) {
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty()) {
        ADD_FAILURE() << "python3 is needed to read CSV files back (scripts/deps.sh installs it)";
        return {};
    }
    QProcess p;
    p.start(python, {"-c", QString::fromLatin1(Script), path});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "csv reader refused " << path.toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    QList<QStringList> rows;
    for (const QJsonValue& r : QJsonDocument::fromJson(p.readAllStandardOutput()).array()) {
        QStringList cells;
        for (const QJsonValue& c : r.toArray())
            cells << c.toString();
        rows << cells;
    }
    return rows;
}

} // namespace vm::test
