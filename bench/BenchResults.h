#pragma once
// The performance table of all benches: each bench appends one line per
// action to the file $VELMORA_BENCH_RESULTS names (nothing when it is unset);
// `make bench` gathers the lines into docs/performance.md.

#include <QString>

namespace vm::bench {

// `engineMs` < 0: the action has no engine floor (a goal in `statements`).
void AppendResult(const QString& action, double rows, double programMs, double engineMs,
                  const QString& statements, const QString& verdict);

} // namespace vm::bench
