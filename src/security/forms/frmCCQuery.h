#pragma once
// The question asked when a card number is found in a text box before a save,
// and the helper every form calls before saving.

#include "core/AppContext.h"

#include <QDialog>
#include <functional>

namespace vm {

// Yes: remove the number; No: keep the text.  There is no other way out.
class frmCCQuery : public QDialog {
    Q_OBJECT
public:
    frmCCQuery(const QString& formName, const QString& fieldName, QWidget* parent = nullptr);
    bool removeNumber() const { return m_remove; }
    bool answered() const { return m_answered; }
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void answer(bool remove);
    bool m_remove = false;
    bool m_answered = false;
};

// Asks about one field; answers true for "remove the number".
using CCQuestion = std::function<bool(const QString& formName, const QString& fieldName)>;
// The question as frmCCQuery asks it on screen; a question ended without an
// answer (log-off) removes the number.
bool AskCCQuery(const QString& formName, const QString& fieldName, QWidget* parent);

// Screens every text box of `form` (line edits that are not password fields,
// text edits) for card numbers before the record `recordId` is saved.  Each
// finding is asked about; the text box is updated when the number goes.
// Answers the number of findings.
int CheckFormCCFields(AppContext& ctx, QWidget* form, const QString& formName, qint64 recordId,
                      const CCQuestion& ask = {});

} // namespace vm
