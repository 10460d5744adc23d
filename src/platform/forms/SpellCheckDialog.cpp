#include "platform/forms/SpellCheckDialog.h"

#include "platform/forms/FormHelpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmSpellCheck");
const QChar Ellipsis(u'\u2026');

bool EndsSentence(QChar c) {
    return c == u'.' || c == u'!' || c == u'?';
}

} // namespace

QString SentenceAround(const QString& text, int position, int length, int* wordAt, int reach) {
    const int n = int(text.size());
    const auto startsSentence = [&text](int i) {
        if (i == 0 || text.at(i - 1) == u'\n') return true;
        return text.at(i - 1).isSpace() && i >= 2 && EndsSentence(text.at(i - 2));
    };
    int start = position;
    while (!startsSentence(start) && start > position - reach)
        --start;
    const bool cutBefore = !startsSentence(start);
    while (start < position && text.at(start).isSpace())
        ++start;
    int end = position + length;
    bool cutAfter = false;
    while (end < n) {
        if (text.at(end) == u'\n') break;
        if (EndsSentence(text.at(end)) && (end + 1 == n || text.at(end + 1).isSpace())) {
            ++end;
            break;
        }
        if (end >= position + length + reach) {
            cutAfter = true;
            break;
        }
        ++end;
    }
    QString sentence = text.mid(start, end - start).trimmed();
    *wordAt = position - start;
    if (cutBefore) {
        sentence.prepend(Ellipsis);
        ++*wordAt;
    }
    if (cutAfter) sentence.append(Ellipsis);
    return sentence;
}

SpellCheckDialog::SpellCheckDialog(SpellChecker& checker, Prompt& prompt, const QString& text,
                                   QWidget* parent)
    : QDialog(parent), m_checker(checker), m_prompt(prompt), m_text(text) {
    setObjectName(FormName);
    setWindowTitle(QStringLiteral("Spell Check"));
    setModal(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Not in Dictionary:")), 0, 0);
    txtNotInDictionary = named(new QTextEdit, "txtNotInDictionary");
    txtNotInDictionary->setReadOnly(true);
    txtNotInDictionary->setTabChangesFocus(true);
    txtNotInDictionary->setFocusPolicy(Qt::NoFocus);
    txtNotInDictionary->setFixedHeight(txtNotInDictionary->fontMetrics().lineSpacing() * 4 + 12);
    grid->addWidget(txtNotInDictionary, 1, 0);
    auto* changeToLabel = new QLabel(QStringLiteral("Change &To:"));
    grid->addWidget(changeToLabel, 2, 0);
    txtChangeTo = named(new QLineEdit, "txtChangeTo");
    changeToLabel->setBuddy(txtChangeTo);
    grid->addWidget(txtChangeTo, 3, 0);
    auto* suggestionsLabel = new QLabel(QStringLiteral("Su&ggestions:"));
    grid->addWidget(suggestionsLabel, 4, 0);
    lstSuggestions = named(new QListWidget, "lstSuggestions");
    suggestionsLabel->setBuddy(lstSuggestions);
    grid->addWidget(lstSuggestions, 5, 0);
    grid->setRowStretch(5, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdIgnore = named(new QPushButton(QStringLiteral("&Ignore")), "cmdIgnore"));
    buttons->addWidget(cmdIgnoreAll =
                           named(new QPushButton(QStringLiteral("I&gnore All")), "cmdIgnoreAll"));
    buttons->addWidget(cmdChange = named(new QPushButton(QStringLiteral("&Change")), "cmdChange"));
    buttons->addWidget(cmdChangeAll =
                           named(new QPushButton(QStringLiteral("C&hange All")), "cmdChangeAll"));
    buttons->addWidget(
        cmdAddToDictionary =
            named(new QPushButton(QStringLiteral("&Add to Dictionary")), "cmdAddToDictionary"));
    buttons->addStretch();
    buttons->addWidget(cmdCancel = named(new QPushButton(QStringLiteral("Cancel")), "cmdCancel"));
    grid->addLayout(buttons, 0, 1, 6, 1);
    // Enter in the "Change To" box or the list changes the word; Esc cancels (QDialog).
    cmdChange->setDefault(true);

    connect(lstSuggestions, &QListWidget::currentTextChanged, this, [this](const QString& s) {
        if (!s.isEmpty()) txtChangeTo->setText(s);
    });
    connect(lstSuggestions, &QListWidget::itemDoubleClicked, this,
            &SpellCheckDialog::cmdChange_Click);
    connect(cmdIgnore, &QPushButton::clicked, this, &SpellCheckDialog::cmdIgnore_Click);
    connect(cmdIgnoreAll, &QPushButton::clicked, this, &SpellCheckDialog::cmdIgnoreAll_Click);
    connect(cmdChange, &QPushButton::clicked, this, &SpellCheckDialog::cmdChange_Click);
    connect(cmdChangeAll, &QPushButton::clicked, this, &SpellCheckDialog::cmdChangeAll_Click);
    connect(cmdAddToDictionary, &QPushButton::clicked, this,
            &SpellCheckDialog::cmdAddToDictionary_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &SpellCheckDialog::cmdCancel_Click);
    resize(460, 300);
    advance(0);
}

void SpellCheckDialog::advance(int from) {
    m_current = m_checker.nextMisspelling(m_text, from);
    if (m_current) {
        showWord(*m_current);
    } else {
        txtNotInDictionary->clear();
        txtChangeTo->clear();
        lstSuggestions->clear();
        accept();
    }
}

void SpellCheckDialog::showWord(const Misspelling& m) {
    int wordAt = 0;
    txtNotInDictionary->setPlainText(SentenceAround(m_text, m.position, m.length, &wordAt));
    QTextCursor mark(txtNotInDictionary->document());
    mark.setPosition(wordAt);
    mark.setPosition(wordAt + m.length, QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setForeground(Qt::red);
    format.setFontWeight(QFont::Bold);
    mark.mergeCharFormat(format);
    txtNotInDictionary->setTextCursor(mark);
    txtNotInDictionary->ensureCursorVisible();

    const QStringList suggestions = m_checker.suggestions(m.word);
    lstSuggestions->blockSignals(true);
    lstSuggestions->clear();
    lstSuggestions->addItems(suggestions);
    if (!suggestions.isEmpty()) lstSuggestions->setCurrentRow(0);
    lstSuggestions->blockSignals(false);
    txtChangeTo->setText(suggestions.isEmpty() ? m.word : suggestions.first());
    txtChangeTo->selectAll();
    txtChangeTo->setFocus();
}

int SpellCheckDialog::replace(int position, int length, const QString& replacement) {
    if (replacement.isEmpty()) {
        // A deleted word takes one of its spaces along.
        if (position > 0 && m_text.at(position - 1) == u' ') {
            --position;
            ++length;
        } else if (position + length < m_text.size() && m_text.at(position + length) == u' ') {
            ++length;
        }
    }
    if (m_text.mid(position, length) != replacement) {
        m_text.replace(position, length, replacement);
        m_edits.append({position, length, replacement});
    }
    return position + int(replacement.size());
}

void SpellCheckDialog::cmdIgnore_Click() {
    if (!m_current) return;
    advance(m_current->position + m_current->length);
}

void SpellCheckDialog::cmdIgnoreAll_Click() {
    if (!m_current) return;
    m_checker.ignoreAll(m_current->word);
    advance(m_current->position + m_current->length);
}

void SpellCheckDialog::cmdChange_Click() {
    if (!m_current) return;
    // On past the replacement: the words after it moved by the change in length.
    advance(replace(m_current->position, m_current->length, txtChangeTo->text()));
}

void SpellCheckDialog::cmdChangeAll_Click() {
    if (!m_current) return;
    const Misspelling first = *m_current;
    const QString replacement = txtChangeTo->text();
    QList<TextWord> same;
    for (const TextWord& w : CheckableWords(m_text))
        if (w.position >= first.position && w.word == first.word) same << w;
    // From the last one back, so the positions of those not yet changed hold;
    // the first one is changed last and its end is where the walk goes on.
    int next = first.position + first.length;
    for (auto w = same.crbegin(); w != same.crend(); ++w)
        next = replace(w->position, w->length, replacement);
    advance(next);
}

void SpellCheckDialog::cmdAddToDictionary_Click() {
    if (!m_current) return;
    if (!m_checker.addToPersonal(m_current->word))
        m_prompt.message(MsgPersonalWordNotSaved, {}, Icon::Exclamation);
    advance(m_current->position + m_current->length);
}

void SpellCheckDialog::cmdCancel_Click() {
    reject();
}

QString SpellCheckText(const QString& text, SpellChecker& checker, Prompt& prompt, QWidget* parent,
                       QList<SpellingEdit>* edits) {
    if (edits) edits->clear();
    if (!checker.isAvailable()) {
        prompt.message(MsgSpellCheckUnavailable, {}, Icon::Exclamation);
        return text;
    }
    if (!checker.nextMisspelling(text, 0)) {
        prompt.message(MsgSpellCheckComplete);
        return text;
    }
    SpellCheckDialog dialog(checker, prompt, text, parent);
    dialog.exec();
    if (dialog.isComplete()) prompt.message(MsgSpellCheckComplete);
    if (edits) *edits = dialog.edits();
    return dialog.text();
}

bool RunSpellCheck(QPlainTextEdit* box, SpellChecker& checker, Prompt& prompt, QWidget* parent) {
    QList<SpellingEdit> edits;
    SpellCheckText(box->toPlainText(), checker, prompt, parent, &edits);
    if (edits.isEmpty()) return false;
    // Edit by edit through a cursor: one undo step, and the rest of the box stays put.
    QTextCursor cursor(box->document());
    cursor.beginEditBlock();
    for (const SpellingEdit& e : edits) {
        cursor.setPosition(e.position);
        cursor.setPosition(e.position + e.length, QTextCursor::KeepAnchor);
        cursor.insertText(e.replacement);
    }
    cursor.endEditBlock();
    return true;
}

bool RunSpellCheck(QLineEdit* box, SpellChecker& checker, Prompt& prompt, QWidget* parent) {
    QList<SpellingEdit> edits;
    const QString corrected = SpellCheckText(box->text(), checker, prompt, parent, &edits);
    if (edits.isEmpty()) return false;
    box->selectAll();
    box->insert(corrected); // undoable, unlike setText
    return true;
}

} // namespace vm
