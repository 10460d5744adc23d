#pragma once
// The member's own message centre: the kept messages of every page listed,
// a message deleted by double-clicking it, the rest written back as pages.

#include "core/AppContext.h"
#include "desk/MessagePages.h"

#include <QWidget>

class QPushButton;

namespace vm {

class DataGrid;

class frmEditMsgCtr : public QWidget {
    Q_OBJECT
public:
    explicit frmEditMsgCtr(AppContext& ctx, QWidget* parent = nullptr);

    // Reads the pages again; false when there are no messages on them.
    bool load();
    bool isDirty() const { return m_dirty; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void deleteRow(qint64 key);
    bool cmdSave_Click();
    void fill();

    AppContext& m_ctx;
    DataGrid* m_grid;
    QPushButton* m_save;
    QList<PageRow> m_rows;
    bool m_dirty = false;
};

inline const QString MsgNoMessagesToEdit =
    QStringLiteral("There are no messages to edit on your page.");
inline const QString MsgDoubleClickToDelete =
    QStringLiteral("Please select the Message to be deleted by double-clicking on it.  Thank you.");
QString MsgDeleteKeptQuestion();
QString MsgSaveMsgCtrQuestion();

// The Others icon: the member's page in the editor; a missing page or one
// without messages is said instead.
void EditPersonalMessageCenter(AppContext& ctx, QWidget* owner);

} // namespace vm
