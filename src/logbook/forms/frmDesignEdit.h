#pragma once
// The editor of a category's data-entry design: up to 15 labelled lines with
// their markers, opened from the Administration's category page.

#include "core/AppContext.h"
#include "logbook/Designs.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace vm {

class frmDesignEdit : public QDialog {
    Q_OBJECT
public:
    frmDesignEdit(AppContext& ctx, qint64 logTypeId, QWidget* parent = nullptr);

    // Grid columns after the label: the markers, in this order.
    enum Column { ColLabel, ColNumbers, ColDoNotPrint, ColContact, ColLocked, ColumnCount };

    // Rereads the saved design (unsaved changes are lost).
    void refresh();
    // Adds the label typed in txtLabel at the first free line.
    void cmdAdd_Click();
    // Removes the current line; the lines below move up.
    void cmdRemove_Click();
    void cmdMoveUp_Click();
    void cmdMoveDown_Click();
    // Replaces the lines with the design of the category chosen in cboCloneFrom.
    void cmdClone_Click();
    // Answers whether the design was saved (a refusal or an error keeps the changes).
    bool cmdSave_Click();
    void cmdClose_Click();

    // Whether a save of this editor changed the stored design.
    bool designSaved() const { return m_saved; }
    bool hasUnsavedChanges() const { return m_dirty; }
    bool isLocked() const { return m_locked; }
    // The lines as the grid holds them (always 15).
    const std::vector<DesignLine>& lines() const { return m_lines; }

    QTableWidget* grdDesign;
    QLabel* lblLocked;
    QLineEdit* txtLabel;
    QComboBox* cboCloneFrom;
    QPushButton *cmdAdd, *cmdRemove, *cmdMoveUp, *cmdMoveDown, *cmdClone, *cmdSave, *cmdClose;

Q_SIGNALS:
    // The stored design changed (the caller refreshes what shows it).
    void designChanged();

protected:
    void showEvent(QShowEvent* e) override;
    // Escape, the window frame and Close: unsaved changes are saved or discarded first.
    void reject() override;

private:
    void build();
    void showLines();
    void gridItemChanged(QTableWidgetItem* item);
    void moveCurrent(int by);
    int currentLine() const;
    bool refusedLocked();

    AppContext& m_ctx;
    qint64 m_logTypeId;
    QString m_category;
    std::vector<DesignLine> m_lines;
    bool m_locked = false;
    bool m_lockedTold = false;
    bool m_dirty = false;
    bool m_saved = false;
    bool m_showing = false; // the grid is being filled: its changes are not edits
};

} // namespace vm
