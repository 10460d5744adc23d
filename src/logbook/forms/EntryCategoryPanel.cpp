#include "logbook/forms/EntryCategoryPanel.h"

#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

EntryCategoryPanel::EntryCategoryPanel(QWidget* parent) : QGroupBox("Category", parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cboTypes = named(new QComboBox, "cboTypes"));
    layout->addWidget(lstTypes = named(new QListWidget, "lstTypes"));
    layout->addWidget(new QLabel("Most used:"));
    layout->addWidget(lstTypes10 = named(new QListWidget, "lstTypes10"));
    auto* notes = new QHBoxLayout;
    notes->addWidget(lblTNotes = named(new QLabel, "lblTNotes"), 1);
    notes->addWidget(cmdOK = named(new QPushButton("OK"), "cmdOK"));
    lblTNotes->setWordWrap(true);
    cmdOK->hide();
    layout->addLayout(notes);

    connect(cboTypes, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        if (!m_showing) Q_EMIT chosen(name);
    });
    // Double-clicking an item of either list chooses it.
    for (QListWidget* list : {lstTypes, lstTypes10})
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this](QListWidgetItem* item) { choose(item->text()); });
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        cmdOK->hide();
        Q_EMIT acknowledged();
    });
}

void EntryCategoryPanel::fill(const std::vector<Category>& categories) {
    m_showing = true;
    cboTypes->clear();
    lstTypes->clear();
    cboTypes->addItem(QString(), 0);
    for (const Category& c : categories) {
        cboTypes->addItem(c.name, c.id);
        lstTypes->addItem(c.name);
    }
    m_showing = false;
}

void EntryCategoryPanel::setRanking(const QStringList& mostUsed) {
    lstTypes10->clear();
    lstTypes10->addItems(mostUsed);
}

void EntryCategoryPanel::show(const QString& name, qint64 id) {
    m_showing = true;
    if (!name.isEmpty() && cboTypes->findText(name, Qt::MatchFixedString) < 0)
        cboTypes->addItem(name, id);
    cboTypes->setCurrentIndex(name.isEmpty() ? 0 : cboTypes->findText(name, Qt::MatchFixedString));
    m_showing = false;
}

void EntryCategoryPanel::choose(const QString& name) {
    cboTypes->setCurrentText(name);
}

QString EntryCategoryPanel::current() const {
    return cboTypes->currentText().trimmed();
}

qint64 EntryCategoryPanel::currentId() const {
    return cboTypes->currentData().toLongLong();
}

void EntryCategoryPanel::showNotes(const QStringList& notes) {
    lblTNotes->setText(notes.join("\n"));
    cmdOK->show();
}

void EntryCategoryPanel::clearNotes() {
    lblTNotes->clear();
    cmdOK->hide();
}

void EntryCategoryPanel::askForOk() {
    cmdOK->show();
}

void EntryCategoryPanel::setReadOnly(bool readOnly) {
    for (QWidget* w : std::initializer_list<QWidget*>{cboTypes, lstTypes, lstTypes10})
        w->setEnabled(!readOnly);
}

} // namespace vm
