#pragma once
// "Create Profile Correspondence": a letter to the guest from a template with
// the profile's merge fields filled in, printed or e-mailed, and noted in the
// contact history.

#include "core/AppContext.h"
#include "guests/Profiles.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace vm {

class frmProfileCor : public QDialog {
public:
    // `contactType` is the type chosen on the contact-history tab: what a
    // posted letter is recorded as unless the member picks another here.
    frmProfileCor(AppContext& ctx, const Profile& profile, const QString& contactType,
                  QWidget* parent = nullptr);
    // Whether a contact-history row was added.
    bool posted() const { return m_posted; }

private:
    void loadTemplates();
    void lstTemplates_DblClick();
    void cmdSend_Click();
    void cmdPost_Click();
    void cmdTemplates_Click();
    bool emailLetter(const QString& letter);

    AppContext& m_ctx;
    Profile m_profile;
    bool m_posted = false;
    QListWidget* lstTemplates;
    QPlainTextEdit* txtLetter;
    QRadioButton *optPostal, *optEmail;
    QCheckBox* chkLetterhead;
    QComboBox* cboContactType;
    QPushButton *cmdSend, *cmdPost, *cmdTemplates, *cmdClose;
};

inline const QString MsgNoLetter = QStringLiteral(
    "Please choose a letter template (double-click it) or type the letter first.  Thank you.");
inline const QString MsgLetterPosted =
    QStringLiteral("The letter has been posted to the Contact History.");

} // namespace vm
