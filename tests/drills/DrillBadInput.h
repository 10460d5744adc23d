#pragma once
// Bad input for the parsers of stored and received text: from good samples
// it makes truncated, mutated, binary, oversized and empty inputs in a
// seeded order, and feeds them to a parser for the drill's time.

#include "platform/Database.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <random>

namespace vm::test::drill {

class BadInput {
public:
    BadInput(quint32 seed, QList<QByteArray> samples);
    // The next input; every eighth or so is oversized (about a megabyte).
    QByteArray next();
    // A number below `n`, from the same seeded sequence.
    int below(int n) { return n <= 0 ? 0 : int(m_rng() % unsigned(n)); }
    QString kind() const { return m_kind; } // what the last input was made as

private:
    QByteArray sample() { return m_samples.at(below(int(m_samples.size()))); }
    QByteArray mutated(QByteArray s);
    QByteArray binary(int size);
    QByteArray oversized();

    std::mt19937 m_rng;
    QList<QByteArray> m_samples;
    QString m_kind;
};

struct DriveResult {
    int inputs = 0;
    qint64 slowestMs = 0;
    QString slowestKind;
    QStringList faults;
};

// Feeds inputs to `parse` for the drill's time per parser (at least `minimum`
// inputs); `parse` answers a fault description or "" for a sound result.  An
// exception other than DbError (a reported engine error) is a fault.
DriveResult Drive(BadInput& input, const std::function<QString(const QByteArray&)>& parse,
                  int minimum = 30);
// Milliseconds each parser is fed: VELMORA_DRILL_SECONDS / 4 seconds (2 s by default).
int ParserMillis();

// A digest of every row of every table except `skip`: what the parsers must
// leave as it was.
QByteArray DatabaseDigest(Database& db, const QStringList& skip = {});

// As text for a parser that takes text: invalid UTF-8 becomes replacement characters.
inline QString AsText(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

} // namespace vm::test::drill
