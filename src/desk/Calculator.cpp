#include "desk/Calculator.h"

#include <cmath>

namespace vm {

namespace {

// Fifteen significant digits hide the binary noise of decimal fractions
// (0.1 + 0.2 shows 0.3) and keep integers of a desk's size exact.
QString formatted(double v) {
    if (v == 0.0) return QStringLiteral("0"); // no "-0"
    return QString::number(v, 'g', Calculator::MaxDigits);
}

int digitsIn(const QString& entry) {
    int n = 0;
    for (QChar c : entry)
        if (c.isDigit()) ++n;
    return n;
}

} // namespace

double Calculator::value() const {
    return m_error ? 0.0 : m_entry.toDouble();
}

void Calculator::show(double v) {
    if (!std::isfinite(v)) {
        m_error = true;
        return;
    }
    m_entry = formatted(v);
}

bool Calculator::apply(Op o, double left, double right, double& result) {
    switch (o) {
    case Op::Add:
        result = left + right;
        break;
    case Op::Subtract:
        result = left - right;
        break;
    case Op::Multiply:
        result = left * right;
        break;
    case Op::Divide:
        if (right == 0.0) return false;
        result = left / right;
        break;
    case Op::None:
        result = right;
        break;
    }
    return std::isfinite(result);
}

void Calculator::digit(int d) {
    if (d < 0 || d > 9) return;
    if (m_error) clear();
    if (m_startNew) {
        m_entry = QStringLiteral("0");
        m_startNew = false;
    }
    if (digitsIn(m_entry) >= MaxDigits) return;
    if (m_entry == "0")
        m_entry = QString::number(d);
    else if (m_entry == "-0")
        m_entry = "-" + QString::number(d);
    else
        m_entry += QString::number(d);
    m_typed = true;
}

void Calculator::point() {
    if (m_error) clear();
    if (m_startNew) {
        m_entry = QStringLiteral("0");
        m_startNew = false;
    }
    if (!m_entry.contains('.')) m_entry += '.';
    m_typed = true;
}

void Calculator::op(Op o) {
    if (m_error) return;
    // A second operator in a row only changes its mind.
    if (m_pending != Op::None && m_typed) {
        double result = 0;
        if (!apply(m_pending, m_total, value(), result)) {
            m_error = true;
            return;
        }
        show(result);
    }
    m_total = value();
    m_pending = o;
    m_startNew = true;
    m_typed = false;
}

void Calculator::equals() {
    if (m_error) return;
    double result = 0;
    if (m_pending != Op::None) {
        m_lastOp = m_pending;
        m_lastOperand = value();
        if (!apply(m_pending, m_total, m_lastOperand, result)) {
            m_error = true;
            return;
        }
    } else if (m_lastOp != Op::None) {
        if (!apply(m_lastOp, value(), m_lastOperand, result)) {
            m_error = true;
            return;
        }
    } else {
        result = value();
    }
    show(result);
    m_pending = Op::None;
    m_total = result;
    m_startNew = true;
    m_typed = false;
}

void Calculator::percent() {
    if (m_error) return;
    const double v = value();
    const bool ofTotal = m_pending == Op::Add || m_pending == Op::Subtract;
    show(ofTotal ? m_total * v / 100.0 : v / 100.0);
    m_startNew = true;
    m_typed = true; // the percentage is the right-hand number of the pending operation
}

void Calculator::negate() {
    if (m_error) return;
    if (m_entry.startsWith('-'))
        m_entry.remove(0, 1);
    else if (m_entry != "0")
        m_entry.prepend('-');
    if (m_startNew && m_pending == Op::None) m_total = value();
}

void Calculator::backspace() {
    if (m_error || m_startNew) return;
    m_entry.chop(1);
    if (m_entry.isEmpty() || m_entry == "-") m_entry = QStringLiteral("0");
}

void Calculator::clearEntry() {
    if (m_error) {
        clear();
        return;
    }
    m_entry = QStringLiteral("0");
    m_startNew = true;
}

void Calculator::clear() {
    const double memory = m_memory;
    *this = Calculator();
    m_memory = memory;
}

void Calculator::memoryClear() {
    m_memory = 0.0;
}

void Calculator::memoryRecall() {
    if (m_error) clear();
    show(m_memory);
    m_startNew = true;
    m_typed = true;
}

void Calculator::memoryAdd() {
    if (m_error) return;
    m_memory += value();
    m_startNew = true;
}

void Calculator::memorySubtract() {
    if (m_error) return;
    m_memory -= value();
    m_startNew = true;
}

} // namespace vm
