#pragma once
// A week of the provider schedule window: the grid of the seven days
// ("Day of Week", work "Start" / "End", meal "Start" / "End"), a work box per
// day, and the time pickers that set the times of the day chosen on the grid.
// Every control carries the index of its tab as a suffix ("grdWeek_1").

#include <QWidget>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace vm {

class DataGrid;
struct TsWeek;
struct TypedWeekDay;
class Prompt;

class TsPSchedWeek : public QWidget {
    Q_OBJECT
public:
    TsPSchedWeek(Prompt& prompt, int tabIndex, QWidget* parent = nullptr);
    ~TsPSchedWeek() override;

    void setWeek(const TsWeek& week);
    void clear();
    void typed(TypedWeekDay (&days)[7]) const;

    DataGrid* grid() const { return grdWeek; }

private:
    void showDay(int weekday);
    void cmdSetTimes_Click();

    Prompt& m_prompt;
    std::unique_ptr<TypedWeekDay[]> m_days; // the 7 days the grid shows, Sunday first
    DataGrid* grdWeek;
    std::array<QCheckBox*, 7> chkWork{}; // Sunday first
    QComboBox *cboStart, *cboEnd, *cboMealStart, *cboMealEnd;
    QPushButton* cmdSetTimes;
};

} // namespace vm
