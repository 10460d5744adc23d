#include "platform/SpellChecker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

#include <hunspell/hunspell.hxx>
#include <iconv.h>

namespace vm {

namespace {

const QChar Apostrophe(u'\'');
const QChar RightQuote(u'\u2019'); // typographic apostrophe, as word processors type it

bool IsJoiner(QChar c) {
    return c == Apostrophe || c == RightQuote || c == u'-' || c == u'\u2010';
}

// Letters, marks, digits and the underscore make tokens; digits and
// underscores then rule a token out (numbers, codes, identifiers).
bool IsTokenChar(char32_t c) {
    return QChar::isLetterOrNumber(c) || QChar::isMark(c) || c == U'_';
}

char32_t CodeAt(const QString& s, int i, int* width) {
    const QChar c = s.at(i);
    if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
        *width = 2;
        return QChar::surrogateToUcs4(c, s.at(i + 1));
    }
    *width = 1;
    return c.unicode();
}

bool IsAddress(const QString& blob) {
    static const QString openers = QStringLiteral("([{<\"'\u201c\u2018\u00ab");
    static const QString closers = QStringLiteral(")]}>\"'\u201d\u2019\u00bb.,;:!?");
    int b = 0, e = blob.size();
    while (b < e && openers.contains(blob.at(b)))
        ++b;
    while (e > b && closers.contains(blob.at(e - 1)))
        --e;
    const QString core = blob.mid(b, e - b);
    if (core.isEmpty()) return false;
    static const QRegularExpression address(
        QStringLiteral(
            R"(^(?:[a-z][a-z0-9+.-]*://|www\.|mailto:)|\w@\w)"
            // a bare host: a dotted name followed by a path or ending in a common domain
            R"(|^[a-z0-9-]+(?:\.[a-z0-9-]+)+/)"
            R"(|^(?:[a-z0-9-]+\.)+(?:com|net|org|info|biz|edu|gov|io|co|uk|us|ca|de|fr|it|es|ch|at|nl|be|eu|au|jp)$)"),
        QRegularExpression::CaseInsensitiveOption);
    return address.match(core).hasMatch();
}

bool Checkable(const QString& word) {
    bool lower = false, upper = false;
    for (const QChar c : word) {
        if (c.isNumber() || c == u'_') return false;
        lower = lower || c.isLower();
        upper = upper || c.isUpper();
    }
    // Capitals and no small letter: a word in capitals (or a lone capital).
    // Scripts without case are checked.
    return lower || !upper;
}

QString IconvName(const QString& declared) {
    QString n = declared.trimmed().toUpper();
    if (n.startsWith(QLatin1String("MICROSOFT-"))) n = n.mid(10);  // microsoft-cp1251
    if (n.startsWith(QLatin1String("ISO8859"))) n.insert(3, u'-'); // ISO8859-1
    if (n == QLatin1String("TIS620-2533")) n = QStringLiteral("TIS-620");
    return n;
}

std::optional<std::string> Convert(iconv_t cd, const char* data, size_t size) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // a fresh shift state
    std::string out(size * 4 + 16, '\0');
    char* in = const_cast<char*>(data);
    size_t inLeft = size;
    char* o = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &in, &inLeft, &o, &outLeft) == size_t(-1)) return std::nullopt;
    if (iconv(cd, nullptr, nullptr, &o, &outLeft) == size_t(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

bool HasPair(const QString& base) {
    return QFileInfo(base + QLatin1String(".aff")).isFile() &&
           QFileInfo(base + QLatin1String(".dic")).isFile();
}

// Every pair in a folder, by name.
QStringList PairsIn(const QString& folder) {
    QStringList out;
    const QDir dir(folder);
    for (const QString& aff : dir.entryList({QStringLiteral("*.aff")}, QDir::Files, QDir::Name)) {
        const QString base = dir.filePath(aff.chopped(4));
        if (HasPair(base)) out << base;
    }
    return out;
}

QString Search(const QStringList& folders) {
    for (const QString& folder : folders)
        if (HasPair(QDir(folder).filePath(QStringLiteral("en_US"))))
            return QDir(folder).filePath(QStringLiteral("en_US"));
    for (const QString& folder : folders) {
        const QStringList pairs = PairsIn(folder);
        if (!pairs.isEmpty()) return pairs.first();
    }
    return {};
}

} // namespace

QList<TextWord> CheckableWords(const QString& text) {
    QList<TextWord> words;
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        if (text.at(i).isSpace()) {
            ++i;
            continue;
        }
        int blobEnd = i;
        while (blobEnd < n && !text.at(blobEnd).isSpace())
            ++blobEnd;
        if (IsAddress(text.mid(i, blobEnd - i))) {
            i = blobEnd;
            continue;
        }
        int p = i;
        while (p < blobEnd) {
            int w = 0;
            if (!IsTokenChar(CodeAt(text, p, &w))) {
                p += w;
                continue;
            }
            const int start = p;
            p += w;
            while (p < blobEnd) {
                if (IsTokenChar(CodeAt(text, p, &w))) {
                    p += w;
                } else if (IsJoiner(text.at(p)) && p + 1 < blobEnd &&
                           IsTokenChar(CodeAt(text, p + 1, &w))) {
                    p += 1 + w;
                } else {
                    break;
                }
            }
            const QString word = text.mid(start, p - start);
            if (Checkable(word)) words.append({start, p - start, word});
        }
        i = blobEnd;
    }
    return words;
}

// The dictionary's character set, through iconv when it is not UTF-8.
struct SpellChecker::Codec {
    explicit Codec(const QString& declared) {
        const QString name = IconvName(declared);
        if (name.isEmpty() || name == QLatin1String("UTF-8") || name == QLatin1String("UTF8"))
            return;
        utf8 = false;
        const QByteArray charset = name.toLatin1();
        toDict = iconv_open(charset.constData(), "UTF-8");
        fromDict = iconv_open("UTF-8", charset.constData());
        valid = toDict != iconv_t(-1) && fromDict != iconv_t(-1);
    }
    ~Codec() {
        if (toDict != iconv_t(-1)) iconv_close(toDict);
        if (fromDict != iconv_t(-1)) iconv_close(fromDict);
    }
    bool utf8 = true;
    bool valid = true;
    iconv_t toDict = iconv_t(-1);
    iconv_t fromDict = iconv_t(-1);
};

SpellChecker::SpellChecker(const QString& dictionaryBase, const QString& personalFile)
    : m_base(dictionaryBase), m_personalFile(personalFile) {
    if (m_base.isEmpty() || !HasPair(m_base)) return;
    const QByteArray aff = QFile::encodeName(m_base + QLatin1String(".aff"));
    const QByteArray dic = QFile::encodeName(m_base + QLatin1String(".dic"));
    m_hunspell = std::make_unique<Hunspell>(aff.constData(), dic.constData());
    m_codec = std::make_unique<Codec>(QString::fromLatin1(m_hunspell->get_dict_encoding()));
    if (!m_codec->valid) {
        // A character set this system cannot convert: no trustworthy answers.
        m_hunspell.reset();
        return;
    }
    loadPersonal();
}

SpellChecker::~SpellChecker() = default;

QStringList SpellChecker::StandardFolders() {
    return {QStringLiteral("/usr/share/hunspell"), QStringLiteral("/usr/share/myspell/dicts"),
            QStringLiteral("/usr/share/myspell")};
}

QString SpellChecker::FindDictionary() {
    return FindDictionary(qEnvironmentVariable("VELMORA_DICTIONARY"), StandardFolders());
}

QString SpellChecker::FindDictionary(const QString& wanted, const QStringList& folders) {
    QString w = wanted.trimmed();
    if (w.endsWith(QLatin1String(".aff")) || w.endsWith(QLatin1String(".dic"))) w.chop(4);
    if (!w.isEmpty()) {
        if (QFileInfo(w).isDir()) {
            const QString found = Search({w});
            if (!found.isEmpty()) return found;
        } else if (w.contains(u'/')) {
            if (HasPair(w)) return w;
        } else {
            QString language = w;
            language.replace(u'-', u'_');
            for (const QString& folder : folders)
                if (HasPair(QDir(folder).filePath(language)))
                    return QDir(folder).filePath(language);
        }
        // Named but not installed: a stale setting should not cost the desk
        // its spelling, so the usual search follows.
    }
    return Search(folders);
}

bool SpellChecker::isAvailable() const {
    return m_hunspell != nullptr;
}

QString SpellChecker::encoding() const {
    return m_hunspell ? QString::fromLatin1(m_hunspell->get_dict_encoding()) : QString();
}

std::optional<std::string> SpellChecker::encode(const QString& word) const {
    const QByteArray utf8 = word.normalized(QString::NormalizationForm_C).toUtf8();
    if (m_codec->utf8) return utf8.toStdString();
    return Convert(m_codec->toDict, utf8.constData(), size_t(utf8.size()));
}

QString SpellChecker::decode(const std::string& bytes) const {
    if (m_codec->utf8) return QString::fromStdString(bytes);
    const auto utf8 = Convert(m_codec->fromDict, bytes.data(), bytes.size());
    return utf8 ? QString::fromStdString(*utf8) : QString::fromLatin1(bytes);
}

bool SpellChecker::spell(const QString& word) const {
    const auto bytes = encode(word);
    if (!bytes)
        return !word.contains(RightQuote) || spell(QString(word).replace(RightQuote, Apostrophe));
    if (m_hunspell->spell(*bytes)) return true;
    // Dictionaries list "don't" with the plain apostrophe.
    return word.contains(RightQuote) && spell(QString(word).replace(RightQuote, Apostrophe));
}

bool SpellChecker::isCorrect(const QString& word) const {
    if (!m_hunspell || word.isEmpty() || m_ignored.contains(word)) return true;
    return spell(word);
}

QStringList SpellChecker::suggestions(const QString& word) const {
    if (!m_hunspell || word.isEmpty()) return {};
    const bool curly = word.contains(RightQuote);
    const auto bytes = encode(curly ? QString(word).replace(RightQuote, Apostrophe) : word);
    if (!bytes) return {};
    QStringList out;
    for (const std::string& s : m_hunspell->suggest(*bytes)) {
        QString suggestion = decode(s);
        // Keep the apostrophe the writer types.
        if (curly) suggestion.replace(Apostrophe, RightQuote);
        if (!suggestion.isEmpty() && !out.contains(suggestion)) out << suggestion;
    }
    return out;
}

void SpellChecker::ignoreAll(const QString& word) {
    if (!word.isEmpty()) m_ignored.insert(word);
}

void SpellChecker::loadPersonal() {
    if (m_personalFile.isEmpty()) return;
    QFile file(m_personalFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString word = in.readLine().trimmed();
        if (word.isEmpty() || m_personal.contains(word)) continue;
        m_personal << word;
        if (const auto bytes = encode(word)) m_hunspell->add(*bytes);
    }
}

bool SpellChecker::addToPersonal(const QString& word) {
    const QString w = word.trimmed();
    if (w.isEmpty() || w.contains(QRegularExpression(QStringLiteral("\\s")))) return false;
    if (m_hunspell)
        if (const auto bytes = encode(w)) m_hunspell->add(*bytes);
    if (!m_personal.contains(w)) m_personal << w;
    if (m_personalFile.isEmpty()) return true;

    // Read again before writing: another window or desk of this user may have
    // added words since this checker loaded the list.
    QStringList lines;
    QFile current(m_personalFile);
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly | QIODevice::Text)) {
            m_ignored.insert(w);
            return false; // unreadable: rewriting it would lose its words
        }
        QTextStream in(&current);
        while (!in.atEnd()) {
            const QString line = in.readLine().trimmed();
            if (!line.isEmpty()) lines << line;
        }
        current.close();
    }
    if (lines.contains(w)) return true;
    lines << w;

    QDir().mkpath(QFileInfo(m_personalFile).absolutePath());
    QSaveFile out(m_personalFile);
    // Unbuffered, so a short write (disk full, size limit) shows here: through
    // the buffer it would be flushed at commit and the cut list kept.
    bool written = out.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (written) {
        const QByteArray bytes = (lines.join(u'\n') + u'\n').toUtf8();
        written = out.write(bytes) == bytes.size() && out.commit();
    }
    if (!written) m_ignored.insert(w); // still accepted while this checker lives
    return written;
}

QList<Misspelling> SpellChecker::misspellings(const QString& text) const {
    QList<Misspelling> out;
    if (!m_hunspell) return out;
    for (const TextWord& w : CheckableWords(text))
        if (!isCorrect(w.word)) out << w;
    return out;
}

std::optional<Misspelling> SpellChecker::nextMisspelling(const QString& text, int from) const {
    if (!m_hunspell) return std::nullopt;
    for (const TextWord& w : CheckableWords(text))
        if (w.position >= from && !isCorrect(w.word)) return w;
    return std::nullopt;
}

} // namespace vm
