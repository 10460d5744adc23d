#pragma once
// A week of the provider schedule window: the grid of the seven days
// ("Day of Week", work "Start" / "End", meal "Start" / "End"), a work box per
// day, and the time pickers that set the times of the day chosen on the grid.
// Every control carries the index of its tab as a suffix ("grdWeek_1").

#include "bookings/TsSchedule.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace vm {

class DataGrid;
class Prompt;

class TsPSchedWeek : public QWidget {
    Q_OBJECT
public:
    TsPSchedWeek(Prompt& prompt, int tabIndex, QWidget* parent = nullptr);

    void setWeek(const TsWeek& week);
    void clear();
    void typed(TypedWeekDay (&days)[7]) const;

    DataGrid* grid() const { return grdWeek; }

private:
    void showDay(int weekday);
    void cmdSetTimes_Click();

    Prompt& m_prompt;
    TypedWeekDay m_days[7]; // what the grid shows, Sunday first
    DataGrid* grdWeek;
    std::array<QCheckBox*, 7> chkWork{}; // Sunday first
    QComboBox *cboStart, *cboEnd, *cboMealStart, *cboMealEnd;
    QPushButton* cmdSetTimes;
};

} // namespace vm
