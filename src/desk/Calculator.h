#pragma once
// The quick viewer's pocket calculator: the keys of a desk calculator and
// what its display shows.  Arithmetic runs left to right as the keys are
// pressed (no precedence), "=" repeated repeats the last operation, and a
// division by zero shows "Error" until the next key starts afresh.

#include <QString>

namespace vm {

class Calculator {
public:
    enum class Op { None, Add, Subtract, Multiply, Divide };

    void digit(int d); // 0..9
    void point();
    void op(Op o);
    void equals();
    // Percent of the running total for + and -, hundredths for × and ÷.
    void percent();
    void negate();
    void backspace();
    void clearEntry(); // CE: the number being typed only
    void clear();      // C: everything but the memory

    void memoryClear();
    void memoryRecall();
    void memoryAdd();      // M+: the shown number into the memory
    void memorySubtract(); // M-
    bool hasMemory() const { return m_memory != 0.0; }

    QString display() const { return m_error ? QStringLiteral("Error") : m_entry; }
    bool error() const { return m_error; }
    double value() const;

    // The longest number the display takes while typing (digits only).
    static constexpr int MaxDigits = 15;

private:
    void show(double v);
    bool apply(Op o, double left, double right, double& result);

    QString m_entry = QStringLiteral("0");
    double m_total = 0.0;
    Op m_pending = Op::None;
    // The last operation and its right-hand number, for "=" pressed again.
    Op m_lastOp = Op::None;
    double m_lastOperand = 0.0;
    bool m_startNew = true; // the next digit begins a new number
    bool m_typed = false;   // a number was typed since the last operator
    bool m_error = false;
    double m_memory = 0.0;
};

} // namespace vm
