#pragma once
// The two dialogs that show a stored card number to a member who types the
// card-viewing password: frmShowEncCC for logbook entries and lost-and-found
// items (a reason is required), frmShowEncCCP for guest profiles.  Every
// attempt is logged; wrong passwords count towards the member's card-viewing
// lock (Lockout.h).  The clear number lives only in txtActualCCN and goes
// with the dialog.

#include "core/AppContext.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {

class CardViewDialog : public QDialog {
    Q_OBJECT
public:
    void cmdShowCCN_Click();
    QString clearNumber() const; // "" until shown

protected:
    CardViewDialog(AppContext& ctx, const QString& objectName, const QString& masked,
                   const QString& stored, const QString& recordValue, bool reasonRequired,
                   QWidget* parent);
    virtual void logView(bool viewed, const QString& reason) = 0;
    AppContext& m_ctx;

private:
    QString m_stored;
    QString m_recordValue;
    bool m_reasonRequired;
    QLineEdit* m_reason = nullptr;
    QLineEdit* m_actual = nullptr;
    QPushButton* m_show = nullptr;
    bool m_shown = false;
};

class frmShowEncCC : public CardViewDialog {
    Q_OBJECT
public:
    // `source` 'L' for a logbook entry (id = LogID), 'F' for a lost-and-found item (ItemID).
    frmShowEncCC(AppContext& ctx, QChar source, qint64 id, const QString& masked,
                 const QString& stored, const QString& recordValue, QWidget* parent = nullptr);

protected:
    void logView(bool viewed, const QString& reason) override;

private:
    QChar m_source;
    qint64 m_id;
};

class frmShowEncCCP : public CardViewDialog {
    Q_OBJECT
public:
    frmShowEncCCP(AppContext& ctx, qint64 profileId, qint64 profileCCId, const QString& masked,
                  const QString& stored, const QString& recordValue, QWidget* parent = nullptr);

protected:
    void logView(bool viewed, const QString& reason) override;

private:
    qint64 m_profileId;
    qint64 m_cardId;
};

} // namespace vm
