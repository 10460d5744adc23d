#include "BenchResults.h"

#include <QFile>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace vm::bench {

void AppendResult(const QString& action, double rows, double programMs, double engineMs,
                  const QString& statements, const QString& verdict) {
    const char* path = std::getenv("VELMORA_BENCH_RESULTS");
    if (!path || !*path) return;
    QFile f(QString::fromLocal8Bit(path));
    if (!f.open(QIODevice::Append | QIODevice::Text)) {
        std::fprintf(stderr, "cannot append to %s\n", path);
        return;
    }
    auto clean = [](QString s) { return s.replace('\t', ' ').replace('\n', ' '); };
    const QStringList cells{QString::fromLocal8Bit(program_invocation_short_name),
                            clean(action),
                            QString::number(rows, 'f', 0),
                            QString::number(programMs, 'f', 3),
                            engineMs < 0 ? QString() : QString::number(engineMs, 'f', 3),
                            clean(statements),
                            clean(verdict)};
    f.write((cells.join('\t') + '\n').toUtf8());
}

} // namespace vm::bench
