#include "PdfReader.h"

#include <QProcess>
#include <QRegularExpression>

namespace vm::test {

namespace {

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

QStringList PdfPages(const QString& path) {
    const QString text = Run("pdftotext", {"-layout", "-enc", "UTF-8", path, "-"});
    QStringList pages = text.split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

QSizeF PdfPageSize(const QString& path) {
    static const QRegularExpression size(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)");
    const auto m = size.match(Run("pdfinfo", {path}));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

bool InOrder(const QString& text, const QStringList& parts) {
    qsizetype at = 0;
    for (const QString& p : parts) {
        at = text.indexOf(p, at);
        if (at < 0) return false;
        at += p.size();
    }
    return true;
}

} // namespace vm::test
