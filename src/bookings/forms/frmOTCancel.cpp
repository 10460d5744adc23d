#include "bookings/forms/frmOTCancel.h"

#include "bookings/forms/frmOpenTableEntry.h"
#include "core/DataAccess.h"
#include "platform/forms/FormHelpers.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmOTCancel");

const QString MsgCancelled = QStringLiteral("The reservation has been cancelled.");
const QString MsgCancelFailed =
    QStringLiteral("An error occured while trying to cancel the Open Table \r\n"
                   "reservation.  You may want to follow up with Open Table or \r\n"
                   "the restaurant manually.");

QString notRecordedText(const QString& number) {
    return "Reservation #" + number +
           " is cancelled, but the logbook entry could not be updated.  Please note the "
           "cancellation in the entry by hand.";
}

} // namespace

frmOTCancel::frmOTCancel(AppContext& ctx, qint64 logId, const OTConfig& config,
                         const OTRestaurant& restaurant, const QString& reservation,
                         QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_logId(logId), m_restaurant(restaurant),
      m_reservation(reservation), m_config(config),
      m_service(std::make_unique<OTService>(ctx.prompt(), config)) {
    setObjectName(FormName);
    setWindowTitle("Cancel Open Table Reservation - " + restaurant.name);
    auto* top = new QVBoxLayout(this);
    top->addWidget(lblCancelling =
                       named(new QLabel("Cancelling reservation #" + reservation), "lblCancelling"));
    top->addWidget(lblStatus = named(new QLabel, "lblStatus"));
    top->addWidget(cmdClose = named(new QPushButton("&Close"), "cmdClose"), 0, Qt::AlignRight);
    cmdClose->setAutoDefault(false);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    m_service->statusChanged = [this](const QString& text) { lblStatus->setText(text); };
    m_service->busyChanged = [this](bool busy) {
        m_busy = busy;
        cmdClose->setEnabled(!busy);
    };
}

frmOTCancel::~frmOTCancel() {
    m_service->statusChanged = {};
    m_service->busyChanged = {};
    m_service->Disconnect();
}

void frmOTCancel::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!m_started) QTimer::singleShot(0, this, &frmOTCancel::run);
}

void frmOTCancel::run() {
    if (m_started) return;
    m_started = true;
    if (!m_service->Connect(OTHostFor(m_restaurant, m_config))) {
        reject();
        return;
    }
    if (!m_service->Cancel(m_restaurant.restaurantId, m_reservation)) {
        m_ctx.prompt().message(MsgCancelFailed, {}, Icon::Exclamation);
        reject();
        return;
    }
    m_cancelled = true;
    // The entry learns of it before the message waits for the desk.
    SaveOutcome outcome = SaveOutcome::Gone;
    try {
        LogEntry saved;
        outcome = SaveOtCancelToEntry(m_ctx, m_logId, saved);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "frmOTCancel", FormName, true);
    }
    m_ctx.prompt().message(MsgCancelled);
    if (outcome != SaveOutcome::Saved)
        m_ctx.prompt().message(notRecordedText(m_reservation), {}, Icon::Exclamation);
    accept();
}

void frmOTCancel::closeEvent(QCloseEvent* e) {
    if (m_busy) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void frmOTCancel::reject() {
    if (!m_busy) QDialog::reject();
}

} // namespace vm
