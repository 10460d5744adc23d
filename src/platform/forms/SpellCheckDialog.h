#pragma once
// The spelling check of one text box: walks the text's wrong words one at a
// time.  Changes made before Cancel stay, as in a word processor.

#include "platform/Prompt.h"
#include "platform/SpellChecker.h"

#include <QDialog>
#include <QHash>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace vm {

inline const QString MsgSpellCheckComplete = QStringLiteral("The spelling check is complete.");
inline const QString MsgSpellCheckUnavailable =
    QStringLiteral("Spell checking is not available: no dictionary is installed on this computer.");
inline const QString MsgPersonalWordNotSaved = QStringLiteral(
    "The word could not be saved in your dictionary; it is accepted until the program ends.");

// One replacement, at a position of the text as the earlier ones left it.
struct SpellingEdit {
    int position = 0;
    int length = 0;
    QString replacement;
};

class SpellCheckDialog : public QDialog {
    Q_OBJECT
public:
    SpellCheckDialog(SpellChecker& checker, Prompt& prompt, const QString& text,
                     QWidget* parent = nullptr);

    // The text with the changes made so far, and those changes in order.
    const QString& text() const { return m_text; }
    const QList<SpellingEdit>& edits() const { return m_edits; }
    // The word shown; nullopt once the walk reached the end.
    const std::optional<Misspelling>& current() const { return m_current; }
    // True when the walk reached the end (the dialog then accepts).
    bool isComplete() const { return !m_current.has_value(); }

    void cmdIgnore_Click();
    void cmdIgnoreAll_Click();
    void cmdChange_Click();
    void cmdChangeAll_Click();
    void cmdAddToDictionary_Click();
    void cmdCancel_Click();

    QTextEdit* txtNotInDictionary;
    QLineEdit* txtChangeTo;
    QListWidget* lstSuggestions;
    QPushButton *cmdIgnore, *cmdIgnoreAll, *cmdChange, *cmdChangeAll, *cmdAddToDictionary,
        *cmdCancel;

private:
    void advance(int from);
    void showWord(const Misspelling& m);
    // Answers where the replacement ends.
    int replace(int position, int length, const QString& replacement);

    SpellChecker& m_checker;
    Prompt& m_prompt;
    QString m_text;
    QList<SpellingEdit> m_edits;
    std::optional<Misspelling> m_current;
};

// The sentence (or line) around a word, cut to `reach` characters on either
// side; `wordAt` receives the word's position in the answer.
QString SentenceAround(const QString& text, int position, int length, int* wordAt, int reach = 120);

// Spell-checks `text` in the dialog (modal).  Answers the text with the
// user's changes; `edits` receives them in order.  Shows the closing message
// itself (complete / no dictionary); Cancel gives no message.
QString SpellCheckText(const QString& text, SpellChecker& checker, Prompt& prompt, QWidget* parent,
                       QList<SpellingEdit>* edits = nullptr);

// Spell-checks a text box and writes the changes into it as one undo step
// (the rest of the box, its cursor and scroll stay).  True when it changed.
bool RunSpellCheck(QPlainTextEdit* box, SpellChecker& checker, Prompt& prompt, QWidget* parent);
bool RunSpellCheck(QLineEdit* box, SpellChecker& checker, Prompt& prompt, QWidget* parent);

} // namespace vm
