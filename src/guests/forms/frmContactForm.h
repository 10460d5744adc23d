#pragma once
// The contact screen: one contact of the directory with its extra data,
// linked documents, texts, keywords and online-reservation identity.

#include "core/AppContext.h"

#include <QDialog>
#include <functional>
#include <memory>

namespace vm {

class ContactFormUi;

class frmContactForm : public QDialog {
    Q_OBJECT
public:
    frmContactForm(AppContext& ctx, qint64 contactId /*0 = new*/, QWidget* parent = nullptr);
    ~frmContactForm() override;

    // The contact shown (0 while a new one is not saved yet).
    qint64 contactId() const;
    // How "previous" and "next" find the neighbour of a contact in the caller's
    // list: direction -1 or +1; the answer is 0 at either end.
    void setNeighbours(std::function<qint64(qint64 key, int direction)> neighbour);

Q_SIGNALS:
    void contactSaved(qint64 contactId);
    void contactDeleted(qint64 contactId);

protected:
    void closeEvent(QCloseEvent* e) override;

public Q_SLOTS:
    // Escape closes like the Close button: unsaved changes are asked about.
    void reject() override;

private:
    std::unique_ptr<ContactFormUi> m_ui;
};

} // namespace vm
