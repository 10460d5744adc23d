#include "security/forms/frmWarning.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vm {

frmWarning::frmWarning(int seconds, QWidget* parent) : QDialog(parent), m_left(seconds) {
    setObjectName("frmWarning");
    setWindowTitle("Velmora");
    setModal(true);
    m_label = new QLabel(this);
    m_label->setObjectName("lblWarning");
    auto* response = new QPushButton("I am still here", this);
    response->setObjectName("cmdResponse");
    response->setDefault(true);
    connect(response, &QPushButton::clicked, this, [this] {
        m_responded = true;
        accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(response);

    m_timer = new QTimer(this);
    m_timer->setObjectName("tmrWarning");
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &frmWarning::tick);
    m_timer->start();
    showSecondsLeft();
}

void frmWarning::tick() {
    --m_left;
    if (m_left <= 0) {
        m_timer->stop();
        reject();
        return;
    }
    showSecondsLeft();
}

// Only the timer counts down: the dialog closes itself no sooner than a whole
// second after it was shown, even for the shortest warning.
void frmWarning::showSecondsLeft() {
    m_label->setText("You have not used Velmora for a while.\nYou will be logged off in " +
                     QString::number(m_left) + " seconds unless you press the button below.");
}

} // namespace vm
