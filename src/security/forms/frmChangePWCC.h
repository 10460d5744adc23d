#pragma once
// The change of the member's card-viewing password.

#include "core/AppContext.h"

#include <QDialog>

class QLineEdit;

namespace vm {

class frmChangePWCC : public QDialog {
    Q_OBJECT
public:
    explicit frmChangePWCC(AppContext& ctx, QWidget* parent = nullptr);
    bool changed() const { return m_changed; }
    void cmdOK_Click();

private:
    AppContext& m_ctx;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_new = nullptr;
    QLineEdit* m_verify = nullptr;
    bool m_changed = false;
};

} // namespace vm
