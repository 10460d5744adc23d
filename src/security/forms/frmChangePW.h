#pragma once
// The change of the logon password: voluntary, forced (after a reset or on
// expiry) or "FORCE" (the factory account's first logon).

#include "core/AppContext.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {

enum class ChangeMode { Voluntary, Forced, Force };

class frmChangePW : public QDialog {
    Q_OBJECT
public:
    frmChangePW(AppContext& ctx, ChangeMode mode, const QString& logonName = {},
                const QString& currentPassword = {}, QWidget* parent = nullptr);

    bool changed() const { return m_changed; }
    QString newPassword() const;
    // The user chose to end the program instead of changing the default
    // password, or the lockout flagged the account.
    bool programMustEnd() const { return m_endProgram; }

    void cmdOK_Click();
    void cmdCancel_Click();
    void reject() override;

    inline static const QString ForceLabel = QStringLiteral(
        "You must change your password the first time you use Velmora. Please change your "
        "password below.");

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QLineEdit* field(const QString& name) const;

    AppContext& m_ctx;
    ChangeMode m_mode;
    QLabel* m_label = nullptr;
    QLineEdit* m_logonName = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_new = nullptr;
    QLineEdit* m_verify = nullptr;
    bool m_changed = false;
    bool m_endProgram = false;
    bool m_closing = false;
};

} // namespace vm
