#pragma once
// The entry screen's dates: reference, arrival and departure date (typed or
// picked from a calendar), the reference time, and who was notified.

#include "core/AppContext.h"
#include "logbook/LogEntry.h"

#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace vm {

class EntryDatesPanel : public QGroupBox {
    Q_OBJECT
public:
    enum Box { Reference, Arrival, Departure };

    explicit EntryDatesPanel(AppContext& ctx, QWidget* parent = nullptr);

    void show(const LogEntry& e);
    // Only the values another screen handed over.
    void prefill(const LogEntry& values);
    void gather(LogEntry& e) const;
    // A date as typed (checked by the save) and in its stored form ("" when not a date).
    QString typed(Box box) const;
    QString stored(Box box) const;
    void setDate(Box box, const QDate& d);
    // The reference time rewritten as on leaving the box; false (and the
    // message shown) when it is not a time.
    bool acceptReferTime();
    // The pick list of notification methods; the value on screen stays.
    void fillNotified(const QStringList& values);
    QString notified() const;
    void setNotified(const QString& value);
    void setReadOnly(bool readOnly);

Q_SIGNALS:
    void edited();
    void referDateLeft();
    void arrivalDateLeft();
    void maintainNotifiedClicked();

private:
    void pickDate(Box box);

    AppContext& m_ctx;
    QLineEdit* txtSelect[3];
    QToolButton* picDropDown[3];
    QLineEdit* txtReferTime;
    QComboBox* cboNotified;
    QPushButton* cmdOther;
    bool m_showing = false;
    bool m_readOnly = false;
};

} // namespace vm
