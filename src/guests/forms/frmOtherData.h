#pragma once
// The editor of one lookup list of table Other (areas, salutations, meeting
// rooms, ...): add, rename and delete its values.

#include "core/AppContext.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vm {

class frmOtherData : public QDialog {
    Q_OBJECT
public:
    frmOtherData(AppContext& ctx, const QString& type, QWidget* parent = nullptr);
    // Whether a value was added, renamed or deleted.
    bool listChanged() const { return m_listChanged; }

private:
    void refresh(qint64 selectId = 0);
    void showSelected();
    qint64 selectedId() const;
    bool refused(const QString& refusal);
    void cmdAdd_Click();
    void cmdChange_Click();
    void cmdDelete_Click();

    AppContext& m_ctx;
    QString m_type;
    bool m_abbreviation = false;
    bool m_listChanged = false;
    QLabel* lblCaption;
    QListWidget* lstValues;
    QLineEdit* txtValue;
    QLineEdit* txtAbbreviation = nullptr;
    QPushButton *cmdAdd, *cmdChange, *cmdDelete, *cmdClose;
};

// Opens the editor of the list of this type modally; answers whether the
// list changed (callers then reload their combos).
bool MaintainOtherList(AppContext& ctx, const QString& type, QWidget* parent);

} // namespace vm
