#pragma once
// The entry screen's category: the member's categories as a drop-down and a
// list, the ten most used, and the category's status message that must be
// acknowledged with <OK>.

#include "logbook/Categories.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace vm {

class EntryCategoryPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit EntryCategoryPanel(QWidget* parent = nullptr);

    void fill(const std::vector<Category>& categories);
    void setRanking(const QStringList& mostUsed);
    // Shows the entry's category without reacting to it; a category the
    // member may not pick (id `id`) is added for this entry.
    void show(const QString& name, qint64 id);
    // Chooses a category as the member would (chosen() follows).
    void choose(const QString& name);
    QString current() const;
    qint64 currentId() const;
    // Status messages waiting for <OK>: the category's in the box, or only
    // the button (the contact's message stands elsewhere).
    void showNotes(const QStringList& notes);
    void clearNotes();
    void askForOk();
    void setReadOnly(bool readOnly);

Q_SIGNALS:
    void chosen(const QString& name);
    void acknowledged();

private:
    QComboBox* cboTypes;
    QListWidget *lstTypes, *lstTypes10;
    QLabel* lblTNotes;
    QPushButton* cmdOK;
    bool m_showing = false;
};

} // namespace vm
