#pragma once
// The availability search of timed services: services by category, service
// or location across the day's 10-minute rows (mode "S"), or one provider's
// day sheet (mode "P").  A chosen time goes back to the booking screen.

#include "core/AppContext.h"

#include <QDate>
#include <QDialog>

namespace vm {

struct TsCalendarChoice {
    QDate day;
    qint64 categoryId = 0, serviceId = 0, providerId = 0, locationId = 0;
    QString time; // "hh:mm AM"
};

class frmTSCalendar : public QDialog {
    Q_OBJECT
public:
    frmTSCalendar(AppContext& ctx, const QDate& day, QWidget* parent = nullptr);

signals:
    // cmdSelect: a provider and service chosen for a free time.
    void timeSelected(const vm::TsCalendarChoice& choice);
    // A booked cell clicked: the booking to load on the booking screen.
    void bookingChosen(qint64 timedServiceId);

private:
    struct Ui;
    Ui* ui = nullptr;
    AppContext& m_ctx;
};

} // namespace vm
