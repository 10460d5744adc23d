#pragma once
// The message groups: the names messages are addressed to with "*", kept as
// a list; add a group, rename one (its members follow), delete one.  Placed
// on the Administration tab and meant to be reused by the staff editor.

#include "core/AppContext.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vm {

class MessageGroupsPage : public QWidget {
    Q_OBJECT
public:
    explicit MessageGroupsPage(AppContext& ctx, QWidget* parent = nullptr);

    void refresh();

Q_SIGNALS:
    void groupsChanged();

private:
    void cmdAddGroup_Click();
    void cmdDeleteGroup_Click();
    void showMembers(const QString& group);

    AppContext& m_ctx;
    QListWidget* m_list;
    QLineEdit *m_group, *m_replace;
    QPushButton *m_add, *m_delete;
    QLabel* m_members;
};

inline const QString MsgSelectGroupToDelete =
    QStringLiteral("Please select the Message Group you wish to delete.  Thank you.");
QString MsgDeleteGroupQuestion();
// "Members: n" under the list.
QString GroupMembersLine(int count);

} // namespace vm
