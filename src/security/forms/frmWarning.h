#pragma once
// The idle warning: the member is about to be logged off.  Closes itself when
// its own time runs out; cmdResponse keeps the session.

#include <QDialog>

class QLabel;
class QTimer;

namespace vm {

class frmWarning : public QDialog {
    Q_OBJECT
public:
    explicit frmWarning(int seconds = 60, QWidget* parent = nullptr);
    bool responded() const { return m_responded; }
    int secondsLeft() const { return m_left; }
    QTimer* countdown() const { return m_timer; }

private:
    void tick();
    void showSecondsLeft();
    QLabel* m_label = nullptr;
    QTimer* m_timer = nullptr;
    int m_left;
    bool m_responded = false;
};

} // namespace vm
