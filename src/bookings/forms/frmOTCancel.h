#pragma once
// Cancels the online table reservation of one logbook entry: the screen
// names the reservation, shows the service's progress while it asks for the
// cancellation and closes with the outcome.  A confirmed cancellation is
// written into the entry at once.

#include "bookings/OnlineTables.h"
#include "core/AppContext.h"

#include <QDialog>
#include <memory>

class QLabel;
class QPushButton;

namespace vm {

class frmOTCancel : public QDialog {
    Q_OBJECT
public:
    // `reservation` is the entry's reservation number, `restaurant` the
    // restaurant contact it was booked at.
    frmOTCancel(AppContext& ctx, qint64 logId, const OTConfig& config,
                const OTRestaurant& restaurant, const QString& reservation,
                QWidget* parent = nullptr);
    ~frmOTCancel() override;

    // Asks the service now (otherwise it starts as the screen first shows).
    void run();
    bool cancelled() const { return m_cancelled; }
    OTService& service() { return *m_service; }

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    AppContext& m_ctx;
    qint64 m_logId;
    OTRestaurant m_restaurant;
    QString m_reservation;
    OTConfig m_config;
    std::unique_ptr<OTService> m_service;
    bool m_started = false, m_busy = false, m_cancelled = false;

    QLabel *lblCancelling, *lblStatus;
    QPushButton* cmdClose;
};

} // namespace vm
