#include "logbook/forms/EntryTextsPanel.h"

#include "platform/SpellChecker.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SpellCheckDialog.h"
#include "platform/forms/WidgetPrompt.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vm {

EntryTextsPanel::EntryTextsPanel(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel("Logbook Entry:"), 0, 0);
    grid->addWidget(txtLogEntry = named(new QPlainTextEdit, "txtLogEntry"), 1, 0);
    auto* noteHead = new QHBoxLayout;
    noteHead->addWidget(new QLabel("Descriptive Text:"), 1);
    noteHead->addWidget(cmdSpellCheck = named(new QPushButton("S&pelling"), "cmdSpellCheck"));
    cmdSpellCheck->setToolTip("Check the spelling of the Descriptive Text");
    grid->addLayout(noteHead, 0, 1);
    grid->addWidget(txtDescription = named(new QPlainTextEdit, "txtDescription"), 1, 1);
    grid->addWidget(new QLabel("Current Notes:"), 2, 0);
    grid->addWidget(txtMsgNotes = named(new QPlainTextEdit, "txtMsgNotes"), 3, 0);
    grid->addWidget(new QLabel("History:"), 2, 1);
    grid->addWidget(grdHistory = named(new DataGrid, "grdHistory"), 3, 1);
    grdHistory->setHeaders({"History Date & Time", "Initials", "Reason"});

    for (QPlainTextEdit* e : {txtLogEntry, txtDescription, txtMsgNotes})
        connect(e, &QPlainTextEdit::textChanged, this, [this] {
            if (!m_showing) Q_EMIT edited();
        });
    connect(cmdSpellCheck, &QPushButton::clicked, this, &EntryTextsPanel::cmdSpellCheck_Click);
}

EntryTextsPanel::~EntryTextsPanel() = default;

void EntryTextsPanel::show(const LogEntry& e) {
    m_showing = true;
    txtLogEntry->setPlainText(ToDisplayText(e.text));
    txtDescription->clear();
    txtMsgNotes->setPlainText(ToDisplayText(e.msgNotes));
    m_showing = false;
}

void EntryTextsPanel::gather(LogEntry& e) const {
    e.msgNotes = ToStoredText(txtMsgNotes->toPlainText());
    e.text = ToStoredText(txtLogEntry->toPlainText());
}

void EntryTextsPanel::showHistory(const std::vector<HistoryRow>& rows) {
    grdHistory->clearRows();
    int n = 0;
    for (const HistoryRow& h : rows)
        grdHistory->setRow(++n, {h.logDateTime, h.initials, h.reason}, {}, {}, false);
}

QString EntryTextsPanel::noteTyped() const {
    return txtDescription->toPlainText();
}

QString EntryTextsPanel::note() const {
    return ToStoredText(txtDescription->toPlainText());
}

void EntryTextsPanel::setNote(const QString& shown) {
    txtDescription->setPlainText(shown);
}

void EntryTextsPanel::setReadOnly(bool readOnly, bool notesOnly) {
    txtLogEntry->setReadOnly(readOnly);
    txtMsgNotes->setReadOnly(readOnly);
    txtDescription->setReadOnly(readOnly && !notesOnly);
    cmdSpellCheck->setEnabled(!txtDescription->isReadOnly());
}

void EntryTextsPanel::watchTyping(QObject* filter) {
    for (QPlainTextEdit* e : {txtLogEntry, txtDescription})
        e->installEventFilter(filter);
}

void EntryTextsPanel::cmdSpellCheck_Click() {
    if (txtDescription->isReadOnly()) return;
    if (!m_speller)
        m_speller =
            std::make_unique<SpellChecker>(SpellChecker::FindDictionary(),
                                           m_ctx.workstation.userDataFolder + "UserDictionary.txt");
    if (RunSpellCheck(txtDescription, *m_speller, m_ctx.prompt(), this)) Q_EMIT edited();
}

} // namespace vm
