#pragma once
// Where a manager reads and trims the logon-attempt, suspicious-activity and
// card-viewing logs.

#include "core/AppContext.h"

#include <QWidget>

class QComboBox;
class QSpinBox;
class QTableWidget;

namespace vm {

class SecurityLogPage : public QWidget {
    Q_OBJECT
public:
    explicit SecurityLogPage(AppContext& ctx, QWidget* parent = nullptr);
    void cmdRefresh_Click();
    void cmdPurge_Click();

private:
    AppContext& m_ctx;
    QComboBox* m_kind = nullptr;
    QComboBox* m_scope = nullptr;
    QSpinBox* m_days = nullptr;
    QTableWidget* m_grid = nullptr;
};

} // namespace vm
