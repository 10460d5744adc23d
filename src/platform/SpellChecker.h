#pragma once
// Spelling of the free-text boxes: a Hunspell dictionary (an .aff/.dic pair),
// the user's personal word list and the words ignored for this checker's life.

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class Hunspell;

namespace vm {

// A stretch of a text: position and length in QChar units of that text.
struct TextWord {
    int position = 0;
    int length = 0;
    QString word;
    bool operator==(const TextWord&) const = default;
};
using Misspelling = TextWord;

// The words of a text worth checking.  A word is letters (accents and
// combining marks included) with inner apostrophes or hyphens ("don't",
// "check-in"); an apostrophe or hyphen at either end is not part of it.
// Skipped: anything holding a digit (room 1204, 7:30pm, card numbers),
// e-mail and web addresses, and words in capitals only (VIP, HVAC, ETA),
// which at a desk are codes and abbreviations far more often than typos.
QList<TextWord> CheckableWords(const QString& text);

class SpellChecker {
public:
    // `dictionaryBase` is the pair's path without extension
    // ("/usr/share/hunspell/en_US").  `personalFile` holds the user's own
    // words, one a line (UTF-8); empty keeps added words for this checker only.
    SpellChecker(const QString& dictionaryBase, const QString& personalFile);
    ~SpellChecker();
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    // The folders where the system's dictionaries are installed.
    static QStringList StandardFolders();
    // The dictionary to use: the one VELMORA_DICTIONARY names, else the first found.
    static QString FindDictionary();
    // `wanted` may be a base path, an .aff/.dic file, a folder to search or a
    // language ("en_GB") looked up in `folders`.  When it is empty or names
    // nothing installed: en_US, else the first pair (by name) in `folders`.
    // Empty when there is none.
    static QString FindDictionary(const QString& wanted, const QStringList& folders);

    bool isAvailable() const;
    QString dictionaryBase() const { return m_base; }
    QString personalFile() const { return m_personalFile; }
    // The dictionary's character set as it declares it ("UTF-8", "ISO8859-1").
    QString encoding() const;

    // A word the dictionary cannot judge (no dictionary, or letters its
    // character set lacks) counts as correct.
    bool isCorrect(const QString& word) const;
    QStringList suggestions(const QString& word) const;
    void ignoreAll(const QString& word);
    // Accepted at once and kept in the personal file (rewritten whole, or
    // left as it was).  False when the file could not be written; the word
    // is then accepted for this checker's life only.
    bool addToPersonal(const QString& word);
    QStringList personalWords() const { return m_personal; }

    QList<Misspelling> misspellings(const QString& text) const;
    // The first wrong word starting at or after `from`.
    std::optional<Misspelling> nextMisspelling(const QString& text, int from) const;

private:
    struct Codec;
    std::optional<std::string> encode(const QString& word) const;
    QString decode(const std::string& bytes) const;
    bool spell(const QString& word) const;
    void loadPersonal();

    QString m_base;
    QString m_personalFile;
    std::unique_ptr<Hunspell> m_hunspell;
    std::unique_ptr<Codec> m_codec;
    QStringList m_personal;
    QSet<QString> m_ignored;
};

} // namespace vm
