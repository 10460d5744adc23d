#include "desk/MessagePages.h"

#include "core/WebPages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QUrl>

#include <algorithm>

namespace vm {

namespace {

const QString Crlf = QStringLiteral("\r\n");
const QString PersonalTitlePrefix = QStringLiteral("Personal Message Center for ");
const QString PageLinkCaption = QStringLiteral("Go to Page Number ");

// A line break of the text becomes "<br>" followed by the break itself, so a
// reader gets back exactly the characters that were kept ("\r\n", "\n" or "\r").
QString EscapeCell(const QString& value) {
    const QString escaped = value.toHtmlEscaped();
    QString out;
    out.reserve(escaped.size() + 16);
    for (int i = 0; i < escaped.size(); ++i) {
        const QChar c = escaped.at(i);
        if (c == '\r' || c == '\n') {
            out += QStringLiteral("<br>");
            out += c;
            if (c == '\r' && i + 1 < escaped.size() && escaped.at(i + 1) == '\n')
                out += escaped.at(++i);
        } else {
            out += c;
        }
    }
    return out;
}

QString DecodeEntity(const QString& name) {
    static const QHash<QString, QString> named = {{"lt", "<"},    {"gt", ">"},   {"amp", "&"},
                                                  {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
    if (name.startsWith('#')) {
        bool ok = false;
        const uint code = name.startsWith("#x", Qt::CaseInsensitive) ? name.mid(2).toUInt(&ok, 16)
                                                                     : name.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF) {
            const char32_t cp = code;
            return QString::fromUcs4(&cp, 1);
        }
        return {};
    }
    return named.value(name.toLower());
}

// The reverse of EscapeCell: "<br>" that is followed by a line break gives
// that break; a lone "<br>" (a page edited by hand) gives "\n"; other tags go.
QString UnescapeCell(const QString& html) {
    QString out;
    out.reserve(html.size());
    for (int i = 0; i < html.size();) {
        const QChar c = html.at(i);
        if (c == '<') {
            const int close = html.indexOf('>', i);
            if (close < 0) {
                out += html.mid(i);
                break;
            }
            const QString tag = html.mid(i + 1, close - i - 1).trimmed().toLower();
            i = close + 1;
            if (tag == "br" || tag == "br/" || tag == "br /") {
                const bool breakFollows =
                    i < html.size() && (html.at(i) == '\r' || html.at(i) == '\n');
                if (!breakFollows) out += '\n';
            }
            continue;
        }
        if (c == '&') {
            const int semi = html.indexOf(';', i);
            if (semi > i + 1 && semi - i <= 10) {
                const QString decoded = DecodeEntity(html.mid(i + 1, semi - i - 1));
                if (!decoded.isEmpty()) {
                    out += decoded;
                    i = semi + 1;
                    continue;
                }
            }
        }
        out += c;
        ++i;
    }
    return out;
}

struct RowSpan {
    qsizetype start = 0; // of "<tr"
    qsizetype end = 0;   // past "</tr>"
    PageRow row;
};

// The message rows of a page: the rows with three cells.  Escaped text holds
// no "<", so a cell ends at the first "</td>" after it.
QList<RowSpan> MessageRows(const QString& html) {
    static const QRegularExpression rowRe(QStringLiteral("<tr\\b[^>]*>(.*?)</tr\\s*>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cellRe(QStringLiteral("<td\\b[^>]*>(.*?)</td\\s*>"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    QList<RowSpan> rows;
    for (auto it = rowRe.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QStringList cells;
        for (auto c = cellRe.globalMatch(m.captured(1)); c.hasNext();)
            cells << UnescapeCell(c.next().captured(1));
        if (cells.size() < 3) continue; // the header row and anything that is not a message
        rows.append({m.capturedStart(), m.capturedEnd(), {cells[0], cells[1], cells[2]}});
    }
    return rows;
}

QString RowHtml(const PageRow& row) {
    return Crlf + "<tr>" + Crlf + "<td valign=top>" + EscapeCell(row.when) + "</td>" + Crlf +
           "<td valign=top>" + EscapeCell(row.sender) + "</td>" + Crlf + "<td>" +
           EscapeCell(row.text) + "</td>" + Crlf + "</tr>" + Crlf;
}

QString PageFileName(const QString& baseFile, int number) {
    if (number <= 1) return baseFile;
    const QFileInfo info(baseFile);
    const QString name = info.completeBaseName() + " - Page " + QString::number(number) +
                         (info.suffix().isEmpty() ? QString() : "." + info.suffix());
    const QString dir = info.path();
    return (dir == "." && !baseFile.startsWith("./")) ? name : QDir(dir).filePath(name);
}

QString NextPageLink(const QString& baseFile, int number) {
    const QString target = QFileInfo(PageFileName(baseFile, number)).fileName();
    const QString href = QString::fromUtf8(QUrl::toPercentEncoding(target, "-._~"));
    return "<p><a href=\"" + href.toHtmlEscaped() + "\">" + PageLinkCaption +
           QString::number(number) + "</a></p>" + Crlf;
}

// Page n of a paginated set: the template, its rows and, when another page
// follows, the link to it after the table.
QString BuildPage(const QString& title, const QString& rowsHtml, const QString& link) {
    QString page = MessagePageTemplate(title);
    const int at = page.indexOf(MessageMarker);
    page.insert(at, rowsHtml);
    if (!link.isEmpty()) page.insert(page.indexOf("</body>"), link);
    return page;
}

QString ReadFileText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

void SayNotWritten(AppContext& ctx, const QString& path, const QString& why) {
    ctx.prompt().message("The message page " + QDir::toNativeSeparators(path) +
                             " could not be written." + Crlf + why,
                         {}, Icon::Exclamation);
}

QString PersonalTitle(const AppContext& ctx) {
    return PersonalTitlePrefix + ctx.session.name;
}

} // namespace

QString MessagePageTemplate(const QString& title) {
    const QString t = title.toHtmlEscaped();
    return "<!DOCTYPE html>" + Crlf + "<html>" + Crlf + "<head>" + Crlf +
           "<meta charset=\"utf-8\">" + Crlf + "<title>" + t + "</title>" + Crlf + "</head>" +
           Crlf + "<body>" + Crlf + "<h1>" + t + "</h1>" + Crlf + "<table border=1 cellpadding=4>" +
           Crlf + "<tr><th>Date and Time</th><th>Sender</th><th>Message</th></tr>" + Crlf +
           MessageMarker + Crlf + "</table>" + Crlf + "</body>" + Crlf + "</html>" + Crlf;
}

QString InsertPageRow(const QString& html, const PageRow& row) {
    // Only the first marker: user text is escaped and never forms one, but a
    // page edited by hand may hold a second, and a row must land once.
    const int at = html.indexOf(MessageMarker);
    if (at < 0) return html + RowHtml(row) + MessageMarker + Crlf;
    QString out = html;
    out.insert(at, RowHtml(row));
    return out;
}

QList<PageRow> ReadPageRows(const QString& html) {
    QList<PageRow> rows;
    for (const RowSpan& r : MessageRows(html))
        rows.append(r.row);
    return rows;
}

QString RemovePageRow(const QString& html, int index) {
    const QList<RowSpan> rows = MessageRows(html);
    if (index < 0 || index >= rows.size()) return html;
    QString out = html;
    qsizetype start = rows[index].start;
    qsizetype end = rows[index].end;
    // The line breaks written around the row go with it (the exact reverse of
    // inserting), so the rest of the page stays as it was written.
    if (out.mid(start - Crlf.size(), Crlf.size()) == Crlf) {
        start -= Crlf.size();
        if (out.mid(end, Crlf.size()) == Crlf) end += Crlf.size();
    }
    out.remove(start, end - start);
    return out;
}

QList<QPair<QString, QString>> PaginatePages(const QString& baseFile, const QString& title,
                                             const QList<PageRow>& rows, int limit) {
    // Each page but the last carries a link; its size is counted for every
    // page so that adding the link never pushes a full page over the limit.
    QList<QString> pieces;
    for (const PageRow& r : rows)
        pieces << RowHtml(r);
    QList<QPair<QString, QString>> pages;
    int next = 0;
    int number = 1;
    do {
        const int frame =
            int(MessagePageTemplate(title).size() + NextPageLink(baseFile, number + 1).size());
        QString body;
        // A single row larger than a page still gets a page of its own.
        while (next < pieces.size() &&
               (body.isEmpty() || frame + body.size() + pieces[next].size() <= limit))
            body += pieces[next++];
        const QString link = next < pieces.size() ? NextPageLink(baseFile, number + 1) : QString();
        pages.append({PageFileName(baseFile, number), BuildPage(title, body, link)});
        ++number;
    } while (next < pieces.size());
    return pages;
}

QString WhiteboardFile(const AppContext& ctx) {
    return QDir(MessagePagesFolder(ctx)).filePath("Messages.htm");
}

bool WritePageFile(const QString& path, const QString& html, QString* error) {
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(html.toUtf8());
        if (f.commit()) return true;
    }
    if (error) *error = f.errorString();
    return false;
}

QString ReadPageFile(const QString& path) {
    return ReadFileText(path);
}

void PreparePersonalPage(AppContext& ctx) {
    QDir().mkpath(MessagePagesFolder(ctx));
    QString why;
    const QString board = WhiteboardFile(ctx);
    if (!QFileInfo::exists(board) &&
        !WritePageFile(board, MessagePageTemplate(WhiteboardTitle), &why))
        SayNotWritten(ctx, board, why);
    if (!ctx.session.loggedOn()) return;
    const QString mine = PersonalMessagePage(ctx);
    if (!QFileInfo::exists(mine) &&
        !WritePageFile(mine, MessagePageTemplate(PersonalTitle(ctx)), &why))
        SayNotWritten(ctx, mine, why);
}

bool KeepInPersonalCenter(AppContext& ctx, const PageRow& row) {
    QDir().mkpath(MessagePagesFolder(ctx));
    const QString path = PersonalMessagePage(ctx);
    QString html = ReadFileText(path);
    if (html.isEmpty()) html = MessagePageTemplate(PersonalTitle(ctx));
    html = InsertPageRow(html, row);
    QString why;
    if (!WritePageFile(path, html, &why)) {
        SayNotWritten(ctx, path, why);
        return false;
    }
    return html.size() > PersonalPageWarnSize;
}

bool AddWhiteboardRow(AppContext& ctx, const PageRow& row) {
    QDir().mkpath(MessagePagesFolder(ctx));
    const QString board = WhiteboardFile(ctx);
    QString html = ReadFileText(board);
    if (html.isEmpty()) html = MessagePageTemplate(WhiteboardTitle);
    QString why;
    if (WritePageFile(board, InsertPageRow(html, row), &why)) return true;
    SayNotWritten(ctx, board, why);
    return false;
}

BoardEdit RemoveWhiteboardRow(AppContext& ctx, const PageRow& row) {
    const QString board = WhiteboardFile(ctx);
    const QString html = ReadFileText(board);
    const QList<PageRow> rows = ReadPageRows(html);
    const auto same = [&row](const PageRow& r) {
        return r.when == row.when && r.sender == row.sender && r.text == row.text;
    };
    const auto at = std::find_if(rows.begin(), rows.end(), same);
    if (at == rows.end()) return BoardEdit::NotFound;
    QString why;
    if (WritePageFile(board, RemovePageRow(html, int(at - rows.begin())), &why))
        return BoardEdit::Done;
    SayNotWritten(ctx, board, why);
    return BoardEdit::NotWritten;
}

QList<PageRow> ReadPersonalPages(const AppContext& ctx) {
    QList<PageRow> rows;
    const QString first = PersonalMessagePage(ctx);
    for (int n = 1;; ++n) {
        const QString path = PageFileName(first, n);
        if (!QFileInfo::exists(path)) break;
        rows += ReadPageRows(ReadFileText(path));
    }
    return rows;
}

bool WritePersonalPages(AppContext& ctx, const QList<PageRow>& rows) {
    QDir().mkpath(MessagePagesFolder(ctx));
    const QString first = PersonalMessagePage(ctx);
    const auto pages = PaginatePages(first, PersonalTitle(ctx), rows, PersonalPageWarnSize);
    QString why;
    for (const auto& [path, html] : pages)
        if (!WritePageFile(path, html, &why)) {
            SayNotWritten(ctx, path, why);
            return false;
        }
    // Pages left over from a longer set would still be reachable by name and
    // hold rows the member deleted.
    for (int n = int(pages.size()) + 1;; ++n) {
        const QString stale = PageFileName(first, n);
        if (!QFileInfo::exists(stale)) break;
        QFile::remove(stale);
    }
    return true;
}

} // namespace vm
