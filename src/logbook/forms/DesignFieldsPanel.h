#pragma once
// The custom form of the entry screen: one labelled box per line of the
// category's data-entry design.  The entry's text box stays the one record
// of the values: typing in a field rewrites its line in the text, and editing
// the text refreshes the fields.

#include "logbook/Categories.h"
#include "platform/Prompt.h"

#include <QGroupBox>
#include <QVector>

class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QToolButton;

namespace vm {

class DesignFieldsPanel : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int MaxLines = 15;

    DesignFieldsPanel(Prompt& prompt, QPlainTextEdit* entryText, QWidget* parent = nullptr);

    // The category's design (at most 15 lines are shown); none hides the fields.
    void setDesign(std::vector<DesignItem> items);
    const std::vector<DesignItem>& design() const { return m_items; }
    bool hasDesign() const { return !m_items.empty(); }
    // The values on screen; a line the text holds cut short gives "".
    QStringList values() const;
    // Sets one line's value (and its line in the text), e.g. contact details.
    void setValue(int index, const QString& value);
    // The line that takes the details of a contact attached to the entry; -1 when none.
    int contactLine() const;
    void setReadOnly(bool readOnly);
    // Reads the values again from the entry's text.
    void refreshFromText();

    QVector<QLineEdit*> txtTextBox;
    QVector<QLabel*> lblLabel;
    QListWidget* lstDeElements;
    QToolButton *imgShowForm, *imgDEForm;

Q_SIGNALS:
    void valueEdited();
    void printFormRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fieldEdited(int index);
    void showFields(bool shown);

    Prompt& m_prompt;
    QPlainTextEdit* m_text;
    QWidget* m_fields;
    QFormLayout* m_form;
    std::vector<DesignItem> m_items;
    QString m_currency;
    bool m_syncing = false;
};

} // namespace vm
