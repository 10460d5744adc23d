#pragma once
// The Administration tab's whiteboard pages: "Concierge Whiteboard" (the
// board with a simple editor: add a message, delete one) and "Check
// Whiteboard Usage" (who looked when, and reminders for those who did not).

#include "core/AppContext.h"
#include "desk/MessagePages.h"

#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class QTextBrowser;

namespace vm {

class DataGrid;

class WhiteboardPage : public QWidget {
    Q_OBJECT
public:
    explicit WhiteboardPage(AppContext& ctx, QWidget* parent = nullptr);

    void refresh();

private:
    void cmdAddToBoard_Click();
    void cmdDeleteFromBoard_Click();

    AppContext& m_ctx;
    QTextBrowser* m_view;
    DataGrid* m_rows;
    QPlainTextEdit* m_text;
    QList<PageRow> m_shown;
};

class WhiteboardUsagePage : public QWidget {
    Q_OBJECT
public:
    explicit WhiteboardUsagePage(AppContext& ctx, QWidget* parent = nullptr);

    void refresh();

private:
    void cmdSendReminders_Click();

    AppContext& m_ctx;
    DataGrid* m_grid;
};

// What the sender of the reminders is told.
QString MsgRemindersSent(const QStringList& names);
inline const QString MsgNoRemindersNeeded =
    QStringLiteral("Every member has checked the Whiteboard within the last two days.  "
                   "No reminders were sent.");
inline const QString MsgSelectBoardRow =
    QStringLiteral("Please select the Whiteboard message you wish to delete.  Thank you.");
inline const QString MsgBoardRowGone =
    QStringLiteral("That message is no longer on the Whiteboard: it was changed at another "
                   "desk.  The Whiteboard has been read again.");
inline const QString MsgEnterBoardText =
    QStringLiteral("Please enter the message to be placed on the Whiteboard.  Thank you.");
QString MsgDeleteBoardRowQuestion();

} // namespace vm
