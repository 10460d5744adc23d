#pragma once
// "Manage Messages" on the Administration tab: every staff message listed by
// recipient, sender or date, active or disposed of; deleting a whole
// selection at once and restoring a disposed message.

#include "core/AppContext.h"
#include "desk/Messages.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vm {

class DataGrid;

class ManageMessagesPage : public QWidget {
    Q_OBJECT
public:
    explicit ManageMessagesPage(AppContext& ctx, QWidget* parent = nullptr);

    // Reads the names and empties the list.
    void refresh();
    // refresh(), then lists the current choice again when it is complete.
    void relist();
    // The listing the controls describe; false (after saying why) when incomplete.
    bool currentQuery(MsgListQuery& query);

private:
    void refreshNames();
    void cmdList_Click();
    void cmdDelete_Click();
    void cmdRestore_Click();
    void updateButtons();

    AppContext& m_ctx;
    QRadioButton *m_all, *m_byRecipient, *m_bySender, *m_beforeDate;
    QRadioButton *m_active, *m_disposed, *m_byDate, *m_byName;
    QComboBox* m_names;
    QLineEdit* m_before;
    DataGrid* m_grid;
    QLabel* m_count;
    QPushButton *m_delete, *m_restore;
};

inline const QString MsgSelectMsgName =
    QStringLiteral("Please select the name whose messages you wish to work with.  Thank you.");
inline const QString MsgEnterBeforeDate =
    QStringLiteral("Please enter a valid date: messages due before it are selected.  Thank you.");
inline const QString MsgNoMessagesToDelete =
    QStringLiteral("There are no messages in this selection to delete.");
inline const QString MsgSelectMessageToRestore =
    QStringLiteral("Please select the disposed message you wish to restore.  Thank you.");
// The delete question names how many messages go and which.
QString MsgDeleteMessagesQuestion(int count, const QString& which);

} // namespace vm
