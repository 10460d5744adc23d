#include "desk/forms/frmSetMessager.h"

#include "desk/forms/MessageComposer.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

frmSetMessager::frmSetMessager(AppContext& ctx, qint64 logId, QWidget* parent) : QDialog(parent) {
    setObjectName("frmSetMessager");
    setWindowTitle(logId > 0 ? "Send a Message - Logbook Entry #" + QString::number(logId)
                             : QStringLiteral("Send a Message"));
    auto* top = new QVBoxLayout(this);
    m_composer = new MessageComposer(ctx, MessageComposer::Mode::Dialog, logId, this);
    top->addWidget(m_composer, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCancel = named(new QPushButton("&Cancel"), "cmdCancel"));
    top->addLayout(buttons);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_composer, &MessageComposer::sent, this, [this] {
        m_sent = true;
        accept();
    });
    resize(720, 520);
}

void SendEntryMessage(AppContext& ctx, qint64 logId, QWidget* parent) {
    frmSetMessager dialog(ctx, logId, parent);
    TrackSessionWindow(ctx, &dialog); // log-off ends it
    dialog.exec();
}

} // namespace vm
