#include "logbook/forms/EntryCardPanel.h"

#include "platform/forms/FormHelpers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vm {

EntryCardPanel::EntryCardPanel(QWidget* parent) : QGroupBox("Card", parent) {
    m_form = new QFormLayout(this);
    auto* shown = new QHBoxLayout;
    shown->addWidget(lblShowEncCC = named(new QLabel, "lblShowEncCC"), 1);
    shown->addWidget(cmdShowEncCC = named(new QPushButton("Show Card"), "cmdShowEncCC"));
    m_form->addRow(shown);
    // The card scan of the save skips this box: a number typed here is meant.
    m_form->addRow("New Card Number:", txtActualCCN = named(new QLineEdit, "txtActualCCN"));
    txtActualCCN->setEchoMode(QLineEdit::Password);
    connect(txtActualCCN, &QLineEdit::textEdited, this, &EntryCardPanel::edited);
    connect(cmdShowEncCC, &QPushButton::clicked, this, &EntryCardPanel::showCardClicked);
}

void EntryCardPanel::show(const LogEntry& e, bool canShow) {
    m_hasCard = !e.encCC.trimmed().isEmpty();
    m_canShow = canShow;
    lblShowEncCC->setText(m_hasCard ? QString("Card on file") : QString());
    txtActualCCN->clear();
}

void EntryCardPanel::setNote(const QString& note) {
    lblShowEncCC->setText(note);
}

QString EntryCardPanel::typedNumber() const {
    return txtActualCCN->text();
}

void EntryCardPanel::setReadOnly(bool readOnly, bool canType) {
    cmdShowEncCC->setVisible(m_canShow && m_hasCard);
    cmdShowEncCC->setEnabled(!readOnly);
    // Cards are typed only where the card subsystem can protect them.
    m_form->setRowVisible(txtActualCCN, canType && !readOnly);
}

} // namespace vm
