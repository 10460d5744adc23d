#pragma once
// One provider's working weeks: the default week, dated exceptions and named
// master weeks, and applying the masters over a number of weeks.

#include "core/AppContext.h"

#include <QDialog>

namespace vm {

class frmTSPSchedule : public QDialog {
    Q_OBJECT
public:
    frmTSPSchedule(AppContext& ctx, qint64 providerId, QWidget* parent = nullptr);

signals:
    // A week, exception or master was saved or deleted (day sheets redraw).
    void schedulesChanged();

private:
    struct Ui;
    Ui* ui = nullptr; // owned through Qt's parent chain
    AppContext& m_ctx;
    qint64 m_providerId;
};

} // namespace vm
