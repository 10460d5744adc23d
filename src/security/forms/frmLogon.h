#pragma once
// The logon dialog: name and password, the checks, the lock-out (counted in
// the database, see Lockout.h), the compulsory password changes, and the
// support challenges: one for the SUPPORT logon and, in masked mode, one for
// the passcode.  A challenge lives as long as the dialog.

#include "core/AppContext.h"
#include "security/SupportAccess.h"
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

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdChangePassword_Click();
    void done(int result) override;

    static QString InactiveText();
    static QString AccessDeniedText();
    static QString ChangeRefusedText();

private:
    bool checkPasscode();
    void showSupportChallenge();
    // A failed check of the name's password: the lockout's step decides the message.
    void refuse(const QString& logonName, const QString& wrongText);
    bool finishLogon(const QString& logonName, const QString& password);
    std::optional<QString> runChange(ChangeMode mode, const QString& name, const QString& pw);
    void audit(bool successful, const QString& logonName);
    void endProgram();

    AppContext& m_ctx;
    QLineEdit* m_logonName = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_passcode = nullptr;
    QLabel* m_dbChanged = nullptr;
    QLabel* m_passcodeLine = nullptr; // the passcode challenge as shown
    QLabel* m_supportLine = nullptr;  // the support challenge as shown
    SupportChallenge m_passcodeChallenge;
    SupportChallenge m_supportChallenge;
    ChangeRunner m_change;
    bool m_endProgram = false;
};

} // namespace vm
