#include "security/forms/frmCCQuery.h"

#include "platform/forms/WidgetPrompt.h"
#include "security/CardData.h"
#include "security/CardStore.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace vm {

frmCCQuery::frmCCQuery(const QString& formName, const QString& fieldName, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmCCQuery");
    setWindowTitle("Possible Credit Card Number");
    setModal(true);
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
    auto* text = new QLabel(
        "What looks like a credit card number was typed in '" + fieldName + "' of '" + formName +
            "'.\n\nCredit card numbers may not be stored in free text.\n"
            "Do you wish to remove the number (Yes) or keep the text as it is (No)?",
        this);
    text->setObjectName("lblQuery");
    text->setWordWrap(true);
    auto* yes = new QPushButton("Yes", this);
    yes->setObjectName("cmdYes");
    yes->setDefault(true);
    auto* no = new QPushButton("No", this);
    no->setObjectName("cmdNo");
    connect(yes, &QPushButton::clicked, this, [this] { answer(true); });
    connect(no, &QPushButton::clicked, this, [this] { answer(false); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
}

void frmCCQuery::answer(bool remove) {
    m_remove = remove;
    m_answered = true;
    accept();
}

void frmCCQuery::reject() {
    if (m_answered) QDialog::reject();
}

void frmCCQuery::closeEvent(QCloseEvent* e) {
    if (!m_answered) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

bool AskCCQuery(const QString& formName, const QString& fieldName, QWidget* parent) {
    frmCCQuery q(formName, fieldName, parent);
    q.exec();
    // Ended unanswered (the session was logged off): the number does not stay.
    return q.removeNumber() || !q.answered();
}

int CheckFormCCFields(AppContext& ctx, QWidget* form, const QString& formName, qint64 recordId,
                      const CCQuestion& ask) {
    const CCQuestion question =
        ask ? ask : [form](const QString& f, const QString& n) { return AskCCQuery(f, n, form); };
    int found = 0;
    auto screen = [&](QWidget* box, const QString& text, auto setText) {
        const QString trimmed = text.trimmed();
        // Parcel tracking numbers look like card numbers and are kept.
        if (trimmed.contains("Tracking Number") || !CheckForCCNumber(trimmed)) return;
        ++found;
        const bool remove = question(formName, box->objectName());
        const QString kept =
            ApplyCardScreening(ctx, formName, box->objectName(), recordId, trimmed, remove);
        if (remove) setText(kept);
    };
    for (QLineEdit* e : form->findChildren<QLineEdit*>()) {
        if (e->echoMode() != QLineEdit::Normal) continue;
        screen(e, e->text(), [e](const QString& t) { e->setText(t); });
    }
    for (QTextEdit* e : form->findChildren<QTextEdit*>())
        screen(e, e->toPlainText(), [e](const QString& t) { e->setPlainText(t); });
    for (QPlainTextEdit* e : form->findChildren<QPlainTextEdit*>())
        screen(e, e->toPlainText(), [e](const QString& t) { e->setPlainText(t); });
    return found;
}

} // namespace vm
