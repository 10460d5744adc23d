#pragma once
// The news board as a list: each item in its own colour and boldness, in id
// order.  Double-click (or Enter) on an item opens frmNewsItem to rewrite it;
// the guest viewer only reads.  Used docked in the main window and inside
// frmNewsNote.

#include "core/AppContext.h"

#include <QDialog>
#include <QListWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vm {

class NewsBoardView : public QListWidget {
    Q_OBJECT
public:
    explicit NewsBoardView(AppContext& ctx, QWidget* parent = nullptr);

    // Reads the items again (nothing while nobody is logged on).
    void refresh();
    // Opens the editor of one item; the board refreshes when it saved.
    void editItem(qint64 newsBookId);

Q_SIGNALS:
    // An item was rewritten from this board.
    void newsChanged();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    AppContext& m_ctx;
};

// One news item: its text, its colour (chosen in a colour dialog) and bold.
class frmNewsItem : public QDialog {
    Q_OBJECT
public:
    frmNewsItem(AppContext& ctx, qint64 newsBookId, QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& c);
    bool saved() const { return m_saved; }

private:
    void cmdColor_Click();
    void cmdOK_Click();

    AppContext& m_ctx;
    qint64 m_id;
    QColor m_color;
    bool m_saved = false;
    QLineEdit* txtNewsItem;
    QCheckBox* chkBold;
    QPushButton *cmdColor, *cmdOK, *cmdCancel;
};

// The board in a window of its own.
class frmNewsNote : public QDialog {
    Q_OBJECT
public:
    explicit frmNewsNote(AppContext& ctx, QWidget* parent = nullptr);
    NewsBoardView* board() const { return m_board; }

private:
    NewsBoardView* m_board;
};

} // namespace vm
