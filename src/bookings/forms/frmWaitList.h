#pragma once
// The wait list of one category and day: who waits and how to reach them.

#include "bookings/Reservations.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vm {

class DataGrid;

class frmWaitList : public QDialog {
    Q_OBJECT
public:
    // `name` prefills the guest's name (the guest just turned away).
    frmWaitList(AppContext& ctx, const ResCategory& category, const QDate& day,
                const QString& name = {}, QWidget* parent = nullptr);

    void refresh();

private:
    void cmdSave_Click();
    void cmdRemove_Click();

    AppContext& m_ctx;
    ResCategory m_category;
    QDate m_day;
    DataGrid* grdWaitList = nullptr;
    QLineEdit* txtName = nullptr;
    QLineEdit* txtHowToContact = nullptr;
    QPushButton *cmdSave = nullptr, *cmdRemove = nullptr, *cmdClose = nullptr;
};

} // namespace vm
