// The "Daily Diary" page: a day's coloured notes (one diary group or all),
// notes added over a run of days, and the day's group meetings.

#include "core/Formats.h"
#include "desk/QuickViewer.h"
#include "desk/forms/QuickViewerTabs.h"
#include "guests/OtherLists.h"
#include "platform/forms/FormHelpers.h"

#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

enum NoteRole { NoteIdRole = Qt::UserRole, AuthorRole, GroupRole, ColorRole };

const QList<QPair<QString, DiaryRepeat>> Repeats = {{"None", DiaryRepeat::None},
                                                    {"Daily", DiaryRepeat::Daily},
                                                    {"Weekly", DiaryRepeat::Weekly},
                                                    {"BiWeekly", DiaryRepeat::BiWeekly},
                                                    {"Monthly", DiaryRepeat::Monthly}};

} // namespace

DiaryTab::DiaryTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabDiary");
    build();
    const QString today = Formats::ShortDate(ctx.clock().today());
    txtDiaryDate->setText(today);
    txtStartDate->setText(today);
    txtThroughDate->setText(today);
}

void DiaryTab::build() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    txtDiaryDate = QvDateBox(this, "txtDiaryDate");
    cboDiaryGroup = named(new QComboBox(this), "cboDiaryGroup");
    top->addWidget(new QLabel("Date:", this));
    top->addWidget(txtDiaryDate);
    top->addWidget(QvButton(this, "cmdDiaryShow", "Show", [this] { loadNotes(); }));
    top->addWidget(new QLabel("Diary Group:", this));
    top->addWidget(cboDiaryGroup);
    top->addStretch();
    top->addWidget(QvButton(this, "cmdPrintDiary", "Print", [this] { cmdPrintDiary_Click(); }));
    layout->addLayout(top);

    auto* lists = new QHBoxLayout;
    lstNotes = named(new QListWidget(this), "lstNotes");
    lstGroupDiary = named(new QListWidget(this), "lstGroupDiary");
    lists->addWidget(lstNotes, 2);
    lists->addWidget(lstGroupDiary, 1);
    layout->addLayout(lists, 1);

    auto* edit = new QGridLayout;
    txtNoteText = named(new QPlainTextEdit(this), "txtNoteText");
    txtNoteText->setMaximumHeight(70);
    cmdNoteColor = QvButton(this, "cmdNoteColor", "Colour...", [this] { cmdNoteColor_Click(); });
    txtStartDate = QvDateBox(this, "txtStartDate");
    txtThroughDate = QvDateBox(this, "txtThroughDate");
    cboRepeat = named(new QComboBox(this), "cboRepeat");
    for (const auto& r : Repeats)
        cboRepeat->addItem(r.first);
    cboWeekday = named(new QComboBox(this), "cboWeekday");
    cboWeekday->addItem(QString(), 0);
    const QLocale english(QLocale::English);
    for (int qtDay : {7, 1, 2, 3, 4, 5, 6}) // Sunday first, as the desk's weeks run
        cboWeekday->addItem(english.dayName(qtDay), qtDay);
    txtDayOfMonth = makeLineEdit(this, "txtDayOfMonth", false, 2);
    edit->addWidget(new QLabel("Note:", this), 0, 0);
    edit->addWidget(txtNoteText, 0, 1, 1, 7);
    edit->addWidget(cmdNoteColor, 0, 8);
    edit->addWidget(new QLabel("Starting:", this), 1, 0);
    edit->addWidget(txtStartDate, 1, 1);
    edit->addWidget(new QLabel("Through:", this), 1, 2);
    edit->addWidget(txtThroughDate, 1, 3);
    edit->addWidget(new QLabel("Repeat:", this), 1, 4);
    edit->addWidget(cboRepeat, 1, 5);
    edit->addWidget(cboWeekday, 1, 6);
    edit->addWidget(txtDayOfMonth, 1, 7);
    layout->addLayout(edit);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(QvButton(this, "cmdAddNote", "Add", [this] { cmdAddNote_Click(); }));
    buttons->addWidget(
        QvButton(this, "cmdUpdateNote", "Update", [this] { cmdUpdateNote_Click(); }));
    buttons->addWidget(
        QvButton(this, "cmdDeleteNote", "Delete", [this] { cmdDeleteNote_Click(); }));
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(txtDiaryDate, &QLineEdit::returnPressed, this, [this] { loadNotes(); });
    connect(cboDiaryGroup, &QComboBox::activated, this, [this] { loadNotes(); });
    connect(lstNotes, &QListWidget::currentRowChanged, this, [this] { showNote(); });
    setNoteColor(Qt::black);
}

void DiaryTab::refresh() {
    const QString group = cboDiaryGroup->currentText();
    cboDiaryGroup->clear();
    cboDiaryGroup->addItem(QString());
    cboDiaryGroup->addItems(GetOtherValues(m_ctx, "Diary"));
    cboDiaryGroup->setCurrentIndex(std::max(0, cboDiaryGroup->findText(group)));
    loadNotes();
}

QDate DiaryTab::diaryDay() {
    const QDate d = Formats::ParseShortDate(txtDiaryDate->text());
    return d.isValid() ? d : m_ctx.clock().today();
}

void DiaryTab::loadNotes() {
    const QDate day = Formats::ParseShortDate(txtDiaryDate->text());
    if (!day.isValid()) {
        m_ctx.prompt().message(MsgValidDate, {}, Icon::Exclamation);
        return;
    }
    lstNotes->clear();
    for (const DiaryNote& n : GetNotes(m_ctx, day, cboDiaryGroup->currentText())) {
        auto* item = new QListWidgetItem(n.text, lstNotes);
        item->setForeground(NoteColor(n.color));
        item->setToolTip(n.author + (n.group.isEmpty() ? QString() : "  (" + n.group + ")"));
        item->setData(NoteIdRole, n.noteId);
        item->setData(AuthorRole, n.author);
        item->setData(GroupRole, n.group);
        item->setData(ColorRole, n.color);
    }
    lstGroupDiary->clear();
    lstGroupDiary->addItems(GroupDiaryLines(m_ctx, day));
}

void DiaryTab::showNote() {
    const QListWidgetItem* item = lstNotes->currentItem();
    if (!item) return;
    txtNoteText->setPlainText(item->text());
    setNoteColor(NoteColor(item->data(ColorRole).toLongLong()));
}

void DiaryTab::setNoteColor(const QColor& c) {
    m_color = NoteColorValue(c);
    cmdNoteColor->setStyleSheet("color: " + NoteColor(m_color).name() + ";");
}

void DiaryTab::cmdNoteColor_Click() {
    const QColor chosen = QColorDialog::getColor(NoteColor(m_color), this, "Note Colour");
    if (chosen.isValid()) setNoteColor(chosen);
}

void DiaryTab::cmdAddNote_Click() {
    DiaryRequest r;
    r.from = Formats::ParseShortDate(txtStartDate->text());
    r.through = Formats::ParseShortDate(txtThroughDate->text());
    if (!r.from.isValid() || !r.through.isValid()) {
        m_ctx.prompt().message(MsgValidDate, {}, Icon::Exclamation);
        return;
    }
    r.repeat = Repeats.value(cboRepeat->currentIndex()).second;
    r.weekday = cboWeekday->currentData().toInt();
    r.dayOfMonth = txtDayOfMonth->text().trimmed().toInt();
    r.group = cboDiaryGroup->currentText();
    r.text = txtNoteText->toPlainText().trimmed();
    r.color = m_color;
    const QString refusal = InsertDatedNotes(m_ctx, r);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
        return;
    }
    txtNoteText->clear();
    loadNotes();
    Q_EMIT changed();
}

void DiaryTab::cmdUpdateNote_Click() {
    const QListWidgetItem* item = lstNotes->currentItem();
    if (!item) return;
    DiaryNote n;
    n.noteId = item->data(NoteIdRole).toLongLong();
    n.author = item->data(AuthorRole).toString();
    n.group = cboDiaryGroup->currentText();
    n.color = m_color;
    n.text = txtNoteText->toPlainText().trimmed();
    const QString refusal = UpdateNote(m_ctx, n);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
        return;
    }
    loadNotes();
}

void DiaryTab::cmdDeleteNote_Click() {
    const QListWidgetItem* item = lstNotes->currentItem();
    // The store refuses another member's note; one's own goes without a
    // question, as a single day's line is easily written again.
    if (!item) return;
    const QString refusal = DeleteNote(m_ctx, item->data(NoteIdRole).toLongLong());
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
        return;
    }
    txtNoteText->clear();
    loadNotes();
    Q_EMIT changed();
}

void DiaryTab::cmdPrintDiary_Click() {
    QvPrint(m_ctx, this, "PrintDailyDiary", "Daily Diary",
            {{"date", Formats::StoredDate(diaryDay())}, {"group", cboDiaryGroup->currentText()}});
}

} // namespace vm
