#pragma once
// Composing a staff message: recipients (members, message groups, everyone),
// the text with its spelling check, the delivery date and time, urgent.
// The Messages page and frmSetMessager are this one widget.

#include "core/AppContext.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;

namespace vm {

class SpellChecker;

class MessageComposer : public QWidget {
    Q_OBJECT
public:
    // The page checks the member's messaging right itself when sending; the
    // dialog is opened by screens that checked their own right first.
    enum class Mode { Page, Dialog };
    MessageComposer(AppContext& ctx, Mode mode, qint64 logId, QWidget* parent = nullptr);
    ~MessageComposer() override;

    // Recipients from the staff list again, nothing selected, the delivery now.
    void reload();
    // Validates, screens the text for card numbers and sends to every
    // recipient; true when the message went.
    bool send();

Q_SIGNALS:
    void sent(const QStringList& reached);

private:
    void moveItem(QListWidget* from, QListWidget* to, QListWidgetItem* item);
    void cmdSetNow_Click();
    void cmdPresetTime_Click();
    void cmdSpellCheck_Click();
    void keepInOwnCenter(const QDateTime& due, const QStringList& addresses, const QString& text);
    bool mayCompose();

    AppContext& m_ctx;
    Mode m_mode;
    qint64 m_logId;
    std::unique_ptr<SpellChecker> m_speller; // made on first use

    QListWidget *lstConcierges, *lstSelected;
    QPlainTextEdit* txtMessage;
    QLineEdit *txtDeliverDate, *txtDeliverTime;
    QCheckBox *chkUrgent, *chkToMessageCenter = nullptr;
    QPushButton *cmdSpellCheck, *cmdSetNow, *cmdPresetTime, *cmdSendMessage;
    QLabel* lblSent;
};

} // namespace vm
