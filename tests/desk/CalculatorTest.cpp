#include "desk/Calculator.h"

#include <gtest/gtest.h>

using namespace vm;

namespace {

// Presses the keys of `keys`: digits, ".", "+-*/", "=", "%", n (±), b (←),
// E (CE), C, M (M+), m (M-), R (MR), Z (MC).
QString run(Calculator& c, const QString& keys) {
    using Op = Calculator::Op;
    for (QChar k : keys) {
        if (k.isDigit()) {
            c.digit(k.digitValue());
            continue;
        }
        switch (k.unicode()) {
        case '.':
            c.point();
            break;
        case '+':
            c.op(Op::Add);
            break;
        case '-':
            c.op(Op::Subtract);
            break;
        case '*':
            c.op(Op::Multiply);
            break;
        case '/':
            c.op(Op::Divide);
            break;
        case '=':
            c.equals();
            break;
        case '%':
            c.percent();
            break;
        case 'n':
            c.negate();
            break;
        case 'b':
            c.backspace();
            break;
        case 'E':
            c.clearEntry();
            break;
        case 'C':
            c.clear();
            break;
        case 'M':
            c.memoryAdd();
            break;
        case 'm':
            c.memorySubtract();
            break;
        case 'R':
            c.memoryRecall();
            break;
        case 'Z':
            c.memoryClear();
            break;
        default:
            ADD_FAILURE() << "no key " << k.toLatin1();
        }
    }
    return c.display();
}

struct KeyCase {
    const char* keys;
    const char* shows;
};

class CalculatorKeys : public ::testing::TestWithParam<KeyCase> {};

} // namespace

TEST_P(CalculatorKeys, ShowWhatADeskCalculatorShows) {
    Calculator c;
    EXPECT_EQ(run(c, GetParam().keys), GetParam().shows) << GetParam().keys;
}

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, CalculatorKeys,
    ::testing::Values(KeyCase{"", "0"}, KeyCase{"007", "7"}, KeyCase{"12+7=", "19"},
                      KeyCase{"12-20=", "-8"}, KeyCase{"6*7=", "42"}, KeyCase{"7/2=", "3.5"},
                      KeyCase{"1/3=", "0.333333333333333"},
                      // Left to right as pressed: no precedence of × over +.
                      KeyCase{"2+3*4=", "20"},
                      // The running total shows when the next operator is pressed.
                      KeyCase{"2+3*", "5"}, KeyCase{"2+3*4", "4"},
                      // A second operator in a row replaces the first.
                      KeyCase{"9+-4=", "5"},
                      // "=" again repeats the last operation with its number.
                      KeyCase{"5+2==", "9"}, KeyCase{"100/2===", "12.5"},
                      // With no second number the first is used.
                      KeyCase{"5*=", "25"},
                      // Decimal noise of binary fractions stays hidden.
                      KeyCase{".1+.2=", "0.3"}, KeyCase{"1.1*1.1=", "1.21"},
                      // One decimal point per number.
                      KeyCase{"1..5+1=", "2.5"}, KeyCase{"3.=", "3"},
                      // Percent: of the total for + and -, hundredths for × and ÷.
                      KeyCase{"200+10%", "20"}, KeyCase{"200+10%=", "220"},
                      KeyCase{"200-10%=", "180"}, KeyCase{"50*10%=", "5"}, KeyCase{"50%", "0.5"},
                      // Sign change of the number typed and of a result.
                      KeyCase{"5n", "-5"}, KeyCase{"5nn", "5"}, KeyCase{"0n", "0"},
                      KeyCase{"3-5=n", "2"}, KeyCase{"5n+2=", "-3"},
                      // Backspace, clear entry and clear.
                      KeyCase{"123b", "12"}, KeyCase{"7bb", "0"}, KeyCase{"12+34E5=", "17"},
                      KeyCase{"12+34C", "0"}, KeyCase{"12+34C5=", "5"},
                      // A result is not edited by backspace; a digit starts a new number.
                      KeyCase{"2+3=b", "5"}, KeyCase{"2+3=7", "7"}, KeyCase{"2+3=7+1=", "8"},
                      // The display takes fifteen digits, no more.
                      KeyCase{"1234567890123456789", "123456789012345"}));

INSTANTIATE_TEST_SUITE_P(DivisionByZero, CalculatorKeys,
                         ::testing::Values(KeyCase{"5/0=", "Error"}, KeyCase{"5/0=+3=", "3"},
                                           KeyCase{"5/0*", "Error"}, KeyCase{"5/0=C", "0"},
                                           KeyCase{"5/0=E", "0"}, KeyCase{"5/0=7+1=", "8"},
                                           KeyCase{"8/0+", "Error"}));

INSTANTIATE_TEST_SUITE_P(Memory, CalculatorKeys,
                         ::testing::Values(KeyCase{"12MR", "12"}, KeyCase{"12M3MR", "15"},
                                           KeyCase{"12M3mR", "9"}, KeyCase{"12MCR", "12"},
                                           KeyCase{"12MZR", "0"}, KeyCase{"4M2*R=", "8"}));

TEST(Calculator, MemoryIndicatorAndValue) {
    Calculator c;
    EXPECT_FALSE(c.hasMemory());
    run(c, "25M");
    EXPECT_TRUE(c.hasMemory());
    EXPECT_DOUBLE_EQ(c.value(), 25.0);
    run(c, "C");
    EXPECT_TRUE(c.hasMemory()) << "C leaves the memory alone";
    run(c, "Z");
    EXPECT_FALSE(c.hasMemory());
    run(c, "5/0=");
    EXPECT_TRUE(c.error());
    EXPECT_DOUBLE_EQ(c.value(), 0.0);
}
