#pragma once
// Console output of the logbook bench: per benchmark only the best of its
// repetitions (the machine's quietest moment), then the table of the actions,
// program against engine floor.

#include <QString>
#include <benchmark/benchmark.h>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vm::bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    enum Side { Program = 0, Engine = 1 };
    static std::string benchmarkName(const QString& action, Side side);

    // `statements` tells what the two sides ran for one action ("program/engine"),
    // or why the floor is not the program's SQL.
    explicit RatioReporter(std::function<QString(const QString& action)> statements)
        : m_statements(std::move(statements)) {}
    void addAction(const QString& name);

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Figures {
        double ms[2] = {-1, -1};
        double rows = 0;
    };
    std::function<QString(const QString&)> m_statements;
    std::vector<QString> m_order;
    std::map<QString, Figures> m_figures;
};

} // namespace vm::bench
