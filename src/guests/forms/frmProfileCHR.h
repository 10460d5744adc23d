#pragma once
// "Setup Recurring Contacts": contact-history rows of one contact type on a
// daily, weekly, fortnightly or monthly pattern between two dates.

#include "core/AppContext.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vm {

class frmProfileCHR : public QDialog {
public:
    frmProfileCHR(AppContext& ctx, qint64 profileId, const QString& contactType,
                  QWidget* parent = nullptr);
    // How many rows the dialog stored (0 until Create succeeded).
    int created() const { return m_created; }

private:
    void showDays();
    void cmdCreate_Click();

    AppContext& m_ctx;
    qint64 m_profileId;
    QString m_type;
    int m_created = 0;
    QLineEdit *dtpStart, *dtpThrough, *txtDayOfMonth;
    QRadioButton *optDaily, *optWeekly, *optBiWeekly, *optMonthly;
    QComboBox* cboDayOfWeek;
    QLabel *lblDayOfWeek, *lblDayOfMonth;
    QPushButton *cmdCreate, *cmdClose;
};

} // namespace vm
