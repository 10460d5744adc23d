#pragma once
// The message composer as a dialog (frmSetMessager): opened from a logbook
// entry, the message carries the entry's id.

#include "core/AppContext.h"

#include <QDialog>

class QPushButton;

namespace vm {

class MessageComposer;

class frmSetMessager : public QDialog {
    Q_OBJECT
public:
    frmSetMessager(AppContext& ctx, qint64 logId, QWidget* parent = nullptr);
    bool sent() const { return m_sent; }
    MessageComposer* composer() const { return m_composer; }

private:
    MessageComposer* m_composer;
    QPushButton* cmdCancel;
    bool m_sent = false;
};

// Opens the dialog for the entry and waits for it (the entry screen checked
// its right to send messages).
void SendEntryMessage(AppContext& ctx, qint64 logId, QWidget* parent);

} // namespace vm
