#pragma once
// The logon dialog: name and password, the checks, the counting of failed
// attempts and the lock-out, and the compulsory password changes.

#include "core/AppContext.h"
#include "security/forms/frmChangePW.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {

class frmLogon : public QDialog {
    Q_OBJECT
public:
    explicit frmLogon(AppContext& ctx, QWidget* parent = nullptr);

    // Runs a password change; answers the new password, or nullopt when the
    // dialog was left without a change.  Sets `endProgram` when the user chose
    // to end the program.  Replaceable (tests); the default opens frmChangePW.
    struct ChangeRequest {
        ChangeMode mode;
        QString logonName;
        QString password;
    };
    using ChangeRunner =
        std::function<std::optional<QString>(const ChangeRequest&, bool& endProgram)>;
    void setChangeRunner(ChangeRunner runner) { m_change = std::move(runner); }

    // The lock-out (or a refused compulsory change) ends the program.
    bool programMustEnd() const { return m_endProgram; }
    int failedAttempts() const { return m_failures; }

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdChangePassword_Click();

    static QString InactiveText();
    static QString AccessDeniedText();

private:
    bool checkPasscode();
    void refuse(const QString& logonName);
    bool finishLogon(const QString& logonName, const QString& password);
    std::optional<QString> runChange(ChangeMode mode, const QString& name, const QString& pw);
    void audit(bool successful, const QString& logonName);
    void endProgram();

    AppContext& m_ctx;
    QLineEdit* m_logonName = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_passcode = nullptr;
    QLabel* m_dbChanged = nullptr;
    ChangeRunner m_change;
    int m_failures = 0;
    bool m_endProgram = false;
};

} // namespace vm
