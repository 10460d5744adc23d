#pragma once
// The availability search of timed services: services by category, service
// or location across the day's 10-minute rows (mode "S"), or one provider's
// day sheet (mode "P").  A chosen time goes back to the booking screen.

#include "core/AppContext.h"

#include <QDate>
#include <QDialog>

namespace vm {

struct TsAvailability;

struct TsCalendarChoice {
    QDate day;
    qint64 categoryId = 0, serviceId = 0, providerId = 0, locationId = 0;
    QString time; // "hh:mm AM"
};

class frmTSCalendar : public QDialog {
    Q_OBJECT
public:
    frmTSCalendar(AppContext& ctx, const QDate& day, QWidget* parent = nullptr);

    // "S" while searching services, "P" while showing a provider's day.
    QString mode() const { return QString(QChar::fromLatin1(m_mode)); }
    QDate day() const { return m_day; }

signals:
    // cmdSelect: a provider and service chosen for a free time.
    void timeSelected(const vm::TsCalendarChoice& choice);
    // A booked cell clicked: the booking to load on the booking screen.
    void bookingChosen(qint64 timedServiceId);

private:
    void build();
    void fillChoices();
    void categoryChanged();
    void serviceChanged();
    void dayChanged();
    void cmdSearch_Click();
    void cmdProvider_Click();
    void cmdSelect_Click();
    void timeClicked(int row);
    void resultChosen();
    void showEmptyDay();
    bool showProviderDay(qint64 providerId);
    void drawSheet();
    void clearResults();
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The chosen category, service and location (0 = none).
    qint64 chosen(int picker) const;
    const TsAvailability* chosenResult() const;

    struct Ui;
    Ui* ui = nullptr;
    AppContext& m_ctx;
    QDate m_day;
    char m_mode = 'S';
    QString m_time; // the time clicked in a service search ("" none)
};

} // namespace vm
