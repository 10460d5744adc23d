#pragma once
// The entry screen's texts: the entry's accumulated text, the Descriptive
// Text in which the next note is typed (with its spelling check), the
// working notes, and the entry's history.

#include "core/AppContext.h"
#include "logbook/LogEntry.h"
#include "logbook/LogbookStore.h"

#include <QWidget>
#include <memory>

class QPlainTextEdit;
class QPushButton;

namespace vm {

class DataGrid;
class SpellChecker;

class EntryTextsPanel : public QWidget {
    Q_OBJECT
public:
    explicit EntryTextsPanel(AppContext& ctx, QWidget* parent = nullptr);
    ~EntryTextsPanel() override;

    void show(const LogEntry& e);
    void gather(LogEntry& e) const;
    void showHistory(const std::vector<HistoryRow>& rows);
    // The note typed in the Descriptive Text, as shown and in its stored form.
    QString noteTyped() const;
    QString note() const;
    void setNote(const QString& shown);
    // The box the entry's text is kept in (the custom form writes its lines there).
    QPlainTextEdit* entryTextBox() const { return txtLogEntry; }
    // `notesOnly`: an archived entry still takes a note.
    void setReadOnly(bool readOnly, bool notesOnly);
    // Key presses in the entry text and the note go through `filter` first.
    void watchTyping(QObject* filter);

Q_SIGNALS:
    void edited();

private:
    void cmdSpellCheck_Click();

    AppContext& m_ctx;
    QPlainTextEdit *txtLogEntry, *txtDescription, *txtMsgNotes;
    DataGrid* grdHistory;
    QPushButton* cmdSpellCheck;
    std::unique_ptr<SpellChecker> m_speller; // made on first use
    bool m_showing = false;
};

} // namespace vm
