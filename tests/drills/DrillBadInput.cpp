#include "drills/DrillBadInput.h"

#include "drills/DrillProcess.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QVariant>

namespace vm::test::drill {

BadInput::BadInput(quint32 seed, QList<QByteArray> samples)
    : m_rng(seed), m_samples(std::move(samples)) {
    if (m_samples.isEmpty()) m_samples << QByteArray();
}

QByteArray BadInput::binary(int size) {
    QByteArray b(size, '\0');
    for (char& c : b)
        c = char(m_rng() & 0xff);
    return b;
}

QByteArray BadInput::mutated(QByteArray s) {
    // Bytes that mean something to the formats read here.
    static const QByteArray special("<>\"'=:;,%\r\n\t|&/\\#~@.-ñ\xf1\xc3\x00", 30);
    const int edits = 1 + below(8);
    for (int i = 0; i < edits; ++i) {
        const int at = below(int(s.size()) + 1);
        const char c = below(2) ? special.at(below(int(special.size()))) : char(m_rng() & 0xff);
        switch (below(4)) {
        case 0: s.insert(at, c); break;
        case 1: if (at < s.size()) s[at] = c; break;
        case 2: s.remove(at, 1 + below(16)); break;
        default: s.insert(at, s.mid(below(int(s.size()) + 1), below(64))); // a piece repeated
        }
    }
    return s;
}

QByteArray BadInput::oversized() {
    constexpr int Size = 1 << 20;
    switch (below(3)) {
    case 0: { // a sample over and over
        const QByteArray s = sample().isEmpty() ? QByteArray("x") : sample();
        return s.repeated(Size / int(s.size()) + 1).left(Size);
    }
    case 1: { // one meaningful byte over and over
        static const QByteArray runs("<:=,%\n\r\"&a0 ");
        return QByteArray(Size, runs.at(below(int(runs.size()))));
    }
    default:
        return binary(Size);
    }
}

QByteArray BadInput::next() {
    const int pick = below(16);
    if (pick < 2) {
        m_kind = "oversized";
        return oversized();
    }
    if (pick < 6) {
        m_kind = "truncated";
        const QByteArray s = sample();
        return s.left(below(int(s.size()) + 1));
    }
    if (pick < 12) {
        m_kind = "mutated";
        return mutated(sample());
    }
    if (pick < 15) {
        m_kind = "binary";
        return binary(below(4096));
    }
    m_kind = "empty";
    return {};
}

int ParserMillis() {
    return DrillSeconds(8) * 1000 / 4;
}

DriveResult Drive(BadInput& input, const std::function<QString(const QByteArray&)>& parse,
                  int minimum) {
    DriveResult r;
    QElapsedTimer total;
    total.start();
    const int budget = ParserMillis();
    while (total.elapsed() < budget || r.inputs < minimum) {
        const QByteArray bytes = input.next();
        QElapsedTimer one;
        one.start();
        QString fault;
        try {
            fault = parse(bytes);
        } catch (const DbError&) {
            // an engine error the caller reports: a clean refusal
        } catch (const std::exception& e) {
            fault = QString("exception: ") + e.what();
        }
        const qint64 ms = one.elapsed();
        if (ms > r.slowestMs) {
            r.slowestMs = ms;
            r.slowestKind = input.kind();
        }
        if (!fault.isEmpty() && r.faults.size() < 10)
            r.faults << QString("%1 input of %2 bytes (%3...): %4")
                            .arg(input.kind(), QString::number(bytes.size()),
                                 QString::fromLatin1(bytes.left(120).toPercentEncoding()), fault);
        ++r.inputs;
    }
    return r;
}

QByteArray DatabaseDigest(Database& db, const QStringList& skip) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString& table : db.tables()) {
        if (skip.contains(table, Qt::CaseInsensitive)) continue;
        hash.addData(table.toUtf8());
        db.forEach("SELECT * FROM " + db.quoteName(table), {}, [&](const Row& row) {
            for (int i = 0; i < row.count(); ++i)
                hash.addData(row.value(i).toString().toUtf8().append('\x1f'));
            hash.addData("\x1e");
            return true;
        });
    }
    return hash.result();
}

} // namespace vm::test::drill
