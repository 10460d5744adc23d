// The "Calculator" page: the keys of desk/Calculator, by mouse or keyboard.

#include "desk/forms/QuickViewerTabs.h"
#include "platform/forms/FormHelpers.h"

#include <QGridLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

struct Key {
    const char* name;
    const char* caption;
    int row, column;
    std::function<void(Calculator&)> press;
};

std::function<void(Calculator&)> digitKey(int d) {
    return [d](Calculator& c) { c.digit(d); };
}
std::function<void(Calculator&)> opKey(Calculator::Op o) {
    return [o](Calculator& c) { c.op(o); };
}

QList<Key> Keys() {
    using Op = Calculator::Op;
    return {
        {"cmdCalcMC", "MC", 0, 0, [](Calculator& c) { c.memoryClear(); }},
        {"cmdCalcMR", "MR", 0, 1, [](Calculator& c) { c.memoryRecall(); }},
        {"cmdCalcMPlus", "M+", 0, 2, [](Calculator& c) { c.memoryAdd(); }},
        {"cmdCalcMMinus", "M-", 0, 3, [](Calculator& c) { c.memorySubtract(); }},
        {"cmdCalcClear", "C", 1, 0, [](Calculator& c) { c.clear(); }},
        {"cmdCalcClearEntry", "CE", 1, 1, [](Calculator& c) { c.clearEntry(); }},
        {"cmdCalcBack", "\u2190", 1, 2, [](Calculator& c) { c.backspace(); }},
        {"cmdCalcDivide", "\u00F7", 1, 3, opKey(Op::Divide)},
        {"cmdCalc7", "7", 2, 0, digitKey(7)},
        {"cmdCalc8", "8", 2, 1, digitKey(8)},
        {"cmdCalc9", "9", 2, 2, digitKey(9)},
        {"cmdCalcMultiply", "\u00D7", 2, 3, opKey(Op::Multiply)},
        {"cmdCalc4", "4", 3, 0, digitKey(4)},
        {"cmdCalc5", "5", 3, 1, digitKey(5)},
        {"cmdCalc6", "6", 3, 2, digitKey(6)},
        {"cmdCalcSubtract", "\u2212", 3, 3, opKey(Op::Subtract)},
        {"cmdCalc1", "1", 4, 0, digitKey(1)},
        {"cmdCalc2", "2", 4, 1, digitKey(2)},
        {"cmdCalc3", "3", 4, 2, digitKey(3)},
        {"cmdCalcAdd", "+", 4, 3, opKey(Op::Add)},
        {"cmdCalcNegate", "\u00B1", 5, 0, [](Calculator& c) { c.negate(); }},
        {"cmdCalc0", "0", 5, 1, digitKey(0)},
        {"cmdCalcPoint", ".", 5, 2, [](Calculator& c) { c.point(); }},
        {"cmdCalcEquals", "=", 5, 3, [](Calculator& c) { c.equals(); }},
        {"cmdCalcPercent", "%", 6, 3, [](Calculator& c) { c.percent(); }},
    };
}

} // namespace

CalculatorTab::CalculatorTab(QWidget* parent) : QWidget(parent) {
    setObjectName("tabCalculator");
    auto* outer = new QHBoxLayout(this);
    auto* panel = new QVBoxLayout;
    txtCalcDisplay = named(new QLineEdit("0", this), "txtCalcDisplay");
    txtCalcDisplay->setReadOnly(true);
    txtCalcDisplay->setAlignment(Qt::AlignRight);
    txtCalcDisplay->setFocusPolicy(Qt::NoFocus);
    QFont big = txtCalcDisplay->font();
    big.setPointSize(big.pointSize() + 6);
    txtCalcDisplay->setFont(big);
    lblCalcMemory = named(new QLabel(this), "lblCalcMemory");
    panel->addWidget(lblCalcMemory);
    panel->addWidget(txtCalcDisplay);
    auto* keys = new QGridLayout;
    for (const Key& k : Keys()) {
        auto* b = named(new QPushButton(QString::fromUtf8(k.caption), this), k.name);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumSize(52, 36);
        const auto press = k.press;
        connect(b, &QPushButton::clicked, this, [this, press] { this->press(press); });
        keys->addWidget(b, k.row, k.column);
    }
    panel->addLayout(keys);
    panel->addStretch();
    outer->addLayout(panel);
    outer->addStretch();
    setFocusPolicy(Qt::StrongFocus);
}

void CalculatorTab::press(const std::function<void(Calculator&)>& key) {
    key(m_calc);
    txtCalcDisplay->setText(m_calc.display());
    lblCalcMemory->setText(m_calc.hasMemory() ? QStringLiteral("M") : QString());
}

void CalculatorTab::keyPressEvent(QKeyEvent* e) {
    using Op = Calculator::Op;
    const QString t = e->text();
    if (t.size() == 1 && t[0].isDigit()) {
        const int d = t[0].digitValue();
        press([d](Calculator& c) { c.digit(d); });
        return;
    }
    static const QHash<QString, std::function<void(Calculator&)>> typed = {
        {"+", opKey(Op::Add)},
        {"-", opKey(Op::Subtract)},
        {"*", opKey(Op::Multiply)},
        {"/", opKey(Op::Divide)},
        {".", [](Calculator& c) { c.point(); }},
        {",", [](Calculator& c) { c.point(); }},
        {"%", [](Calculator& c) { c.percent(); }},
        {"=", [](Calculator& c) { c.equals(); }}};
    if (const auto it = typed.find(t); it != typed.end()) {
        press(*it);
        return;
    }
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        press([](Calculator& c) { c.equals(); });
        return;
    case Qt::Key_Escape:
        press([](Calculator& c) { c.clear(); });
        return;
    case Qt::Key_Delete:
        press([](Calculator& c) { c.clearEntry(); });
        return;
    case Qt::Key_Backspace:
        press([](Calculator& c) { c.backspace(); });
        return;
    default:
        QWidget::keyPressEvent(e);
    }
}

} // namespace vm
