#pragma once
// One provider's working weeks: the default week, dated exceptions and named
// master weeks, and applying the masters over a number of weeks.

#include "core/AppContext.h"

#include <QDialog>

namespace vm {

struct ProviderSchedule;
struct TsWeek;

class frmTSPSchedule : public QDialog {
    Q_OBJECT
public:
    frmTSPSchedule(AppContext& ctx, qint64 providerId, QWidget* parent = nullptr);

signals:
    // A week, exception or master was saved or deleted (day sheets redraw).
    void schedulesChanged();

private:
    void build();
    void loadDefault();
    void refreshSchedules(qint64 exceptionToShow = 0, qint64 masterToShow = 0);
    void showException(qint64 id);
    void showMaster(qint64 id);
    void newException();
    void newMaster();
    void saveDefault();
    void saveException();
    void deleteException();
    void saveMaster();
    void deleteMaster();
    void applyMasters();
    // The typed week of a tab's grid, or the refusal shown (false).
    bool typedWeek(int tab, TsWeek& week);
    const ProviderSchedule* scheduleOf(qint64 id) const;

    struct Ui;
    Ui* ui = nullptr; // owned through Qt's parent chain
    AppContext& m_ctx;
    qint64 m_providerId;
    qint64 m_exceptionId = 0; // the exception in the boxes (0: a new one)
    qint64 m_masterId = 0;    // the master in the boxes (0: a new one)
};

} // namespace vm
