#include "logbook/forms/DesignFieldsPanel.h"

#include "logbook/DesignText.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/WidgetPrompt.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>

namespace vm {

namespace {

// Keeps pasted text in a numbers-only line to the characters it accepts.
class NumberFieldValidator : public QValidator {
public:
    NumberFieldValidator(QString currency, QObject* parent)
        : QValidator(parent), m_currency(std::move(currency)) {}
    State validate(QString& input, int&) const override {
        for (QChar c : input)
            if (!IsNumberFieldCharacter(c, m_currency)) return Invalid;
        return Acceptable;
    }

private:
    QString m_currency;
};

} // namespace

DesignFieldsPanel::DesignFieldsPanel(Prompt& prompt, QPlainTextEdit* entryText, QWidget* parent)
    : QGroupBox("Custom Form", parent), m_prompt(prompt), m_text(entryText),
      m_currency(QLocale::system().currencySymbol()) {
    setObjectName("grpCustomForm");
    auto* layout = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    head->addWidget(imgShowForm = named(new QToolButton, "imgShowForm"));
    imgShowForm->setText("Hide Fields");
    imgShowForm->setCheckable(true);
    imgShowForm->setChecked(true);
    imgShowForm->setToolTip("Show or hide the fields of the category's custom form");
    head->addWidget(imgDEForm = named(new QToolButton, "imgDEForm"));
    imgDEForm->setText("Print Form");
    imgDEForm->setToolTip("Print the category's custom form for this entry");
    head->addStretch();
    layout->addLayout(head);

    m_fields = new QWidget;
    auto* body = new QHBoxLayout(m_fields);
    body->setContentsMargins(0, 0, 0, 0);
    m_form = new QFormLayout;
    body->addLayout(m_form, 1);
    body->addWidget(lstDeElements = named(new QListWidget, "lstDeElements"));
    lstDeElements->setToolTip("Double-click a line to go to its field");
    lstDeElements->setMaximumWidth(160);
    layout->addWidget(m_fields);

    for (int i = 0; i < MaxLines; ++i) {
        auto* label = named(new QLabel, "lblLabel_" + QString::number(i));
        auto* box = makeLineEdit(this, "txtTextBox_" + QString::number(i), false, 255);
        lblLabel << label;
        txtTextBox << box;
        m_form->addRow(label, box);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, [this, i] { fieldEdited(i); });
    }

    connect(imgShowForm, &QToolButton::toggled, this, &DesignFieldsPanel::showFields);
    connect(imgDEForm, &QToolButton::clicked, this, &DesignFieldsPanel::printFormRequested);
    connect(lstDeElements, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int i = lstDeElements->row(item);
        if (i >= 0 && i < txtTextBox.size()) txtTextBox[i]->setFocus();
    });
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_syncing) refreshFromText();
    });
    setDesign({});
}

void DesignFieldsPanel::setDesign(std::vector<DesignItem> items) {
    if (items.size() > size_t(MaxLines)) items.resize(MaxLines);
    m_items = std::move(items);
    lstDeElements->clear();
    for (int i = 0; i < MaxLines; ++i) {
        const bool used = size_t(i) < m_items.size();
        QLineEdit* box = txtTextBox[i];
        m_form->setRowVisible(i, used);
        box->setValidator(nullptr);
        if (!used) {
            box->clear();
            continue;
        }
        const DesignItem& item = m_items[size_t(i)];
        lblLabel[i]->setText(item.labelText);
        lstDeElements->addItem(item.labelText);
        if (item.encryptThis) box->setValidator(new NumberFieldValidator(m_currency, box));
    }
    setVisible(hasDesign());
    refreshFromText();
}

QStringList DesignFieldsPanel::values() const {
    QStringList out;
    for (size_t i = 0; i < m_items.size(); ++i) {
        const QString v = txtTextBox[int(i)]->text();
        out << (v == DamagedDesignValue || v.isNull() ? QString("") : v);
    }
    return out;
}

void DesignFieldsPanel::setValue(int index, const QString& value) {
    if (index < 0 || size_t(index) >= m_items.size()) return;
    txtTextBox[index]->setText(value);
    fieldEdited(index);
}

int DesignFieldsPanel::contactLine() const {
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].contact2DE) return int(i);
    return -1;
}

void DesignFieldsPanel::setReadOnly(bool readOnly) {
    for (QLineEdit* box : txtTextBox)
        box->setReadOnly(readOnly);
}

void DesignFieldsPanel::refreshFromText() {
    const QStringList now = ReadDesignValues(ToStoredText(m_text->toPlainText()), m_items);
    for (int i = 0; i < now.size(); ++i)
        if (txtTextBox[i]->text() != now[i]) txtTextBox[i]->setText(now[i]);
}

void DesignFieldsPanel::fieldEdited(int index) {
    if (size_t(index) >= m_items.size()) return;
    // Only the edited line is written: a line the text holds cut short keeps
    // its words until someone types over it.
    const QString stored = ToStoredText(m_text->toPlainText());
    // The first value typed into a text without the design's lines brings
    // every line, so the text shows the whole form.
    const bool fresh = ReadDesignValues(stored, m_items).join(QString()).isEmpty() &&
                       std::none_of(m_items.begin(), m_items.end(), [&stored](const DesignItem& d) {
                           return stored.contains(d.labelText, Qt::CaseInsensitive);
                       });
    QStringList only;
    for (size_t i = 0; i < m_items.size(); ++i)
        only << (fresh || int(i) == index ? values()[int(i)] : QString());
    const QString written = WriteDesignValues(stored, m_items, only);
    if (written == stored) return;
    m_syncing = true;
    m_text->setPlainText(ToDisplayText(written));
    m_syncing = false;
    Q_EMIT valueEdited();
}

void DesignFieldsPanel::showFields(bool shown) {
    m_fields->setVisible(shown);
    imgShowForm->setText(shown ? "Hide Fields" : "Show Fields");
}

bool DesignFieldsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QGroupBox::eventFilter(watched, event);
    const int i = txtTextBox.indexOf(static_cast<QLineEdit*>(watched));
    if (i < 0 || size_t(i) >= m_items.size() || !m_items[size_t(i)].encryptThis) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString typed = key->text();
    // Editing keys and shortcuts carry no printable text.
    if (typed.isEmpty() || !typed.at(0).isPrint() || key->modifiers() & Qt::ControlModifier)
        return false;
    for (QChar c : typed)
        if (!IsNumberFieldCharacter(c, m_currency)) {
            m_prompt.message(NumberFieldMessage(m_currency), {}, Icon::Exclamation);
            return true;
        }
    return false;
}

} // namespace vm
