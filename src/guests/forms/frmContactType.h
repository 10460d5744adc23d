#pragma once
// "Maintain Contact Types": the kinds of a contact's extra numbers and
// addresses, their kind letter and display order.

#include "core/AppContext.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vm {

class DataGrid;
struct ContactTypeRow;

class frmContactType : public QDialog {
    Q_OBJECT
public:
    explicit frmContactType(AppContext& ctx, QWidget* parent = nullptr);
    // Whether a type was added, changed, renumbered or deleted.
    bool typesChanged() const { return m_changed; }

private:
    void refresh(qint64 selectId = 0);
    void showType(qint64 id);
    QString chosenKind() const;
    void cmdSave_Click();
    void cmdClear_Click();
    void cmdDelete_Click();
    void cmdResequence_Click();

    AppContext& m_ctx;
    qint64 m_typeId = 0; // the type on the fields; 0 for a new one
    bool m_changed = false;
    DataGrid* grdTypes;
    QLineEdit* txtDescription;
    QLineEdit* txtSequence;
    QRadioButton *optTelephone, *optEmail, *optInternet, *optOther;
    QPushButton *cmdResequence, *cmdSave, *cmdClear, *cmdDelete, *cmdClose;
};

// Opens the editor modally; answers whether the types changed (callers then
// reload their combos).
bool MaintainContactTypes(AppContext& ctx, QWidget* parent);

} // namespace vm
