#pragma once
// The entry screen's card: whether one is on file, the way to see it, and a
// box for a newly typed number, which is never shown back.

#include "logbook/LogEntry.h"

#include <QGroupBox>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {

class EntryCardPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit EntryCardPanel(QWidget* parent = nullptr);

    // `canShow`: a screen that shows stored cards is installed.
    void show(const LogEntry& e, bool canShow);
    // A word about the card instead of "Card on file" (a clone's card).
    void setNote(const QString& note);
    QString typedNumber() const;
    // `canType`: a typed number can be protected (the card subsystem is there).
    void setReadOnly(bool readOnly, bool canType);

Q_SIGNALS:
    void edited();
    void showCardClicked();

private:
    QFormLayout* m_form;
    QPushButton* cmdShowEncCC;
    QLabel* lblShowEncCC;
    QLineEdit* txtActualCCN;
    bool m_hasCard = false, m_canShow = false;
};

} // namespace vm
