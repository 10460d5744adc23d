#pragma once
// The guest profile screen ("Maintain Guest Profile Information"): the head,
// the address and phone tabs, the lists around the profile, notes, picture
// and the icons.  Other screens open it through ProfileWindows.h.

#include "core/AppContext.h"
#include "guests/forms/ProfileWindows.h"

#include <QDialog>
#include <memory>

namespace vm {

class ProfileEditUi;

class frmProfileEdit : public QDialog {
    Q_OBJECT
public:
    frmProfileEdit(AppContext& ctx, qint64 profileId /*0 = new*/,
                   const ProfileWindowOptions& options, QWidget* parent = nullptr);
    ~frmProfileEdit() override;

    // The profile shown (0 while a new one is not saved yet).
    qint64 profileId() const;

protected:
    void closeEvent(QCloseEvent* e) override;

public Q_SLOTS:
    // Escape closes like the Close button: unsaved changes are asked about.
    void reject() override;

private:
    std::unique_ptr<ProfileEditUi> m_ui;
};

} // namespace vm
