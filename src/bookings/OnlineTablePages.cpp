// Reading the service's pages, and the times it talks in.

#include "bookings/OnlineTables.h"

#include <QRegularExpression>

#include <functional>

namespace vm {

namespace {

struct Tag {
    QString name; // lower case
    QList<QPair<QString, QString>> attributes; // names lower case, values raw
    qsizetype begin = 0, end = 0;               // '<' and one past '>'

    const QString* attribute(const QString& n) const {
        for (const auto& a : attributes)
            if (a.first == n)
                return &a.second;
        return nullptr;
    }
};

bool isSpace(QChar c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// Reads the tag starting at html[at] == '<'; answers its end (one past '>').
qsizetype readTag(const QString& html, qsizetype at, Tag& tag) {
    const qsizetype n = html.size();
    qsizetype i = at + 1;
    tag = Tag{};
    tag.begin = at;
    while (i < n && !isSpace(html[i]) && html[i] != '>' && html[i] != '/')
        tag.name += html[i++].toLower();
    while (i < n && html[i] != '>') {
        if (isSpace(html[i]) || html[i] == '/') {
            ++i;
            continue;
        }
        QString name;
        while (i < n && !isSpace(html[i]) && html[i] != '>' && html[i] != '=' && html[i] != '/')
            name += html[i++].toLower();
        while (i < n && isSpace(html[i]))
            ++i;
        QString value;
        if (i < n && html[i] == '=') {
            ++i;
            while (i < n && isSpace(html[i]))
                ++i;
            if (i < n && (html[i] == '"' || html[i] == '\'')) {
                const QChar quote = html[i++];
                const qsizetype close = html.indexOf(quote, i);
                const qsizetype stop = close < 0 ? n : close;
                value = html.mid(i, stop - i);
                i = close < 0 ? n : close + 1;
            } else {
                while (i < n && !isSpace(html[i]) && html[i] != '>')
                    value += html[i++];
            }
        }
        if (!name.isEmpty())
            tag.attributes.append({name, value});
    }
    tag.end = i < n ? i + 1 : n;
    return tag.end;
}

// Calls `fn` for every tag outside comments, in page order.
void forEachTag(const QString& html, const std::function<void(const Tag&)>& fn) {
    qsizetype i = 0;
    Tag tag;
    while ((i = html.indexOf('<', i)) >= 0) {
        if (html.mid(i, 4) == QLatin1String("<!--")) {
            const qsizetype close = html.indexOf(QLatin1String("-->"), i + 4);
            if (close < 0)
                return;
            i = close + 3;
            continue;
        }
        i = readTag(html, i, tag);
        fn(tag);
    }
}

// Page text knows four entities; attribute values also quotes and numeric
// references.
QString decodeEntities(const QString& text, bool inValue) {
    static const QRegularExpression textEntity(QStringLiteral("&(nbsp|amp|lt|gt);"));
    static const QRegularExpression valueEntity(
        QStringLiteral("&(nbsp|amp|lt|gt|quot|apos|#[0-9]{1,7}|#[xX][0-9A-Fa-f]{1,6});"));
    QString out;
    qsizetype last = 0;
    auto it = (inValue ? valueEntity : textEntity).globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        const QString name = m.captured(1);
        if (name.startsWith('#')) {
            const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
            bool ok = false;
            const uint code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
            if (ok && code > 0 && code <= 0x10FFFF)
                out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
            else
                out += m.captured(0);
        } else {
            out += name == "nbsp"   ? " "
                   : name == "amp"  ? "&"
                   : name == "lt"   ? "<"
                   : name == "gt"   ? ">"
                   : name == "quot" ? "\""
                                    : "'";
        }
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

QString simplifiedText(const QString& html) {
    return OTPageText(html).simplified();
}

} // namespace

QString OTPageText(const QString& html) {
    QString out;
    qsizetype last = 0, i = 0;
    Tag tag;
    while ((i = html.indexOf('<', last)) >= 0) {
        out += html.mid(last, i - last);
        if (html.mid(i, 4) == QLatin1String("<!--")) {
            const qsizetype close = html.indexOf(QLatin1String("-->"), i + 4);
            last = close < 0 ? html.size() : close + 3;
        } else {
            last = readTag(html, i, tag);
        }
    }
    out += html.mid(last);
    return decodeEntities(out, false);
}

QStringList OTElementValues(const QString& html, const QString& name) {
    QStringList values;
    const QString wanted = name.toLower();
    forEachTag(html, [&](const Tag& tag) {
        const QString* n = tag.attribute(QStringLiteral("name"));
        if (!n || n->trimmed().toLower() != wanted)
            return;
        if (const QString* v = tag.attribute(QStringLiteral("value")))
            values.append(decodeEntities(*v, true));
    });
    return values;
}

QString OTElementValue(const QString& html, const QString& name) {
    const QStringList values = OTElementValues(html, name);
    return values.isEmpty() ? QString() : values.first();
}

std::optional<QString> OTErrorPageMessage(const QString& html) {
    QString marker;
    forEachTag(html, [&](const Tag& tag) {
        if (tag.name != QLatin1String("meta") || !marker.isNull())
            return;
        const QString* n = tag.attribute(QStringLiteral("name"));
        if (!n || n->trimmed().compare(QLatin1String("description"), Qt::CaseInsensitive) != 0)
            return;
        const QString* content = tag.attribute(QStringLiteral("content"));
        marker = content ? decodeEntities(*content, true) : QString("");
    });
    if (!marker.contains(QLatin1String("error"), Qt::CaseInsensitive))
        return std::nullopt;
    // The message is the page's body; the head's title is no part of it.
    QString body = html;
    static const QRegularExpression bodyStart(QStringLiteral("<body[^>]*>"),
                                              QRegularExpression::CaseInsensitiveOption);
    const auto m = bodyStart.match(html);
    if (m.hasMatch())
        body = html.mid(m.capturedEnd());
    const QString text = simplifiedText(body);
    return text.isEmpty() ? marker.trimmed() : text;
}

QString OTServiceMessage(const QString& html) {
    QString block = html;
    const qsizetype start = html.indexOf(QLatin1String("<form "), 0, Qt::CaseInsensitive);
    if (start >= 0) {
        const qsizetype stop = html.indexOf(QLatin1String("</form>"), start, Qt::CaseInsensitive);
        block = html.mid(start, stop < 0 ? -1 : stop + 7 - start);
    }
    QString text = OTPageText(block).trimmed();
    // Line breaks and tabs of the page's source separate words like blanks.
    text.replace('\r', ' ').replace('\n', ' ').replace('\t', ' ');
    while (text.contains(QLatin1String("  ")))
        text.replace(QLatin1String("  "), QLatin1String(" "));
    text = text.trimmed();
    text.replace(QLatin1String(". "), QLatin1String(".\r\n"));
    return text;
}

QString OTNoTimesText(const QString& serviceMessage) {
    return "The OpenTable Service was unable to retrieve any reservation times. \r\n"
           "The service returned the following message: \r\n\r\n" +
           serviceMessage;
}

std::optional<QTime> ParseOTTime(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^(\\d{1,2})(?::(\\d{2}))?(?::(\\d{2}))?\\s*(?:([aApP])\\.?(?:[mM]\\.?)?)?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const bool hasMinutes = m.capturedLength(2) > 0;
    const bool hasHalf = m.capturedLength(4) > 0;
    if (!hasMinutes && !hasHalf)
        return std::nullopt; // a bare number is no time
    int hour = m.captured(1).toInt();
    const int minute = hasMinutes ? m.captured(2).toInt() : 0;
    const int second = m.capturedLength(3) > 0 ? m.captured(3).toInt() : 0;
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    if (hasHalf && hour <= 12) {
        const bool pm = m.captured(4).compare(QLatin1String("p"), Qt::CaseInsensitive) == 0;
        if (hour == 12)
            hour = pm ? 12 : 0;
        else if (pm)
            hour += 12;
    }
    return QTime(hour, minute, second);
}

std::optional<QString> NormaliseOTTime(const QString& text) {
    const QString t = text.trimmed();
    // A dot between digits ("7.30 pm"), or an hour past noon with am/pm.
    static const QRegularExpression dotted(QStringLiteral("\\d.*\\..*\\d"));
    static const QRegularExpression lateHalf(
        QStringLiteral("^(1[3-9]|2[0-3]).*[aApP]"));
    if (t.contains(dotted) || t.contains(lateHalf))
        return std::nullopt;
    const auto time = ParseOTTime(t);
    if (!time)
        return std::nullopt;
    return OTTimeText(*time);
}

QString OTTimeText(const QTime& t) {
    const int h12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    return QStringLiteral("%1:%2 %3")
        .arg(h12, 2, 10, QChar('0'))
        .arg(t.minute(), 2, 10, QChar('0'))
        .arg(t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

} // namespace vm
