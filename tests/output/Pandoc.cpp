#include "output/Pandoc.h"

#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace vm::test {

QString PandocOf(const QByteArray& rtf, const QString& format) {
    QProcess pandoc;
    pandoc.start("pandoc", {"-f", "rtf", "-t", format, "--wrap=none"});
    if (!pandoc.waitForStarted(30000)) {
        ADD_FAILURE() << "pandoc cannot be started: " << pandoc.errorString().toStdString();
        return {};
    }
    pandoc.write(rtf);
    pandoc.closeWriteChannel();
    if (!pandoc.waitForFinished(60000)) ADD_FAILURE() << "pandoc did not finish";
    EXPECT_EQ(pandoc.exitCode(), 0) << pandoc.readAllStandardError().toStdString();
    return QString::fromUtf8(pandoc.readAllStandardOutput());
}

QList<QStringList> HtmlTableRows(const QString& html) {
    static const QRegularExpression row("<tr[^>]*>(.*?)</tr>",
                                        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cell("<t[dh][^>]*>(.*?)</t[dh]>",
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag("<[^>]*>");
    QList<QStringList> rows;
    for (const auto& r : row.globalMatch(html)) {
        QStringList cells;
        for (const auto& c : cell.globalMatch(r.captured(1))) {
            QString text = c.captured(1).remove(tag).trimmed();
            text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
            cells << text.replace("&amp;", "&");
        }
        rows << cells;
    }
    return rows;
}

QByteArray GroupAt(const QByteArray& rtf, qsizetype from) {
    int depth = 0;
    for (qsizetype i = from; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i; // an escaped brace or backslash does not count
        } else if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}' && --depth == 0) {
            return rtf.mid(from, i - from + 1);
        }
    }
    return {};
}

QByteArray LineWith(const QByteArray& rtf, const QByteArray& marker) {
    for (const QByteArray& line : rtf.split('\n'))
        if (line.contains(marker)) return line;
    return {};
}

} // namespace vm::test
