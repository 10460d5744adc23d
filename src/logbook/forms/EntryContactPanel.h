#pragma once
// The entry's contact on the entry screen: its name and address, the way to
// choose or drop it, and what the guest should know (directions, guest
// information, the restaurant's cuisine and price).

#include "core/AppContext.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vm {

class EntryContactPanel : public QWidget {
    Q_OBJECT
public:
    EntryContactPanel(AppContext& ctx, QWidget* parent = nullptr);

    // Shows the contact (0: none); a contact no longer in the directory says so.
    void showContact(qint64 contactId);
    // `canPick`: the contact picker is part of this build.
    void setReadOnly(bool readOnly, bool canPick);

    QLabel* lblContactName;
    QPushButton *cmdPickContact, *cmdClearContact;
    QPlainTextEdit* txtContactInfo;

Q_SIGNALS:
    void pickClicked();
    void clearClicked();

private:
    AppContext& m_ctx;
    qint64 m_contactId = 0;
    bool m_readOnly = false, m_canPick = false;
    void applyButtons();
};

} // namespace vm
