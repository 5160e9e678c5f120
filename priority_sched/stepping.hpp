#ifndef PRIORITY_SCHED_STEPPING_HPP
#define PRIORITY_SCHED_STEPPING_HPP

#include "process_table.hpp"
#include "progress.hpp"
#include "run_trace.hpp"

#include <cstdint>

namespace priority_sched {

// The engine of the stepping phase. It prints the same bytes as the rule written out in
// rule.hpp, one unit at a time with both orderings in every step, only faster (how, and
// why it may: docs/design.md); the tests and the fuzz targets hold the two, and a plain
// model, to the same reports.
//
// The stepping phase, from the first tick until every process has finished or a step
// finds a process ready with the clock at or past the last arrival. Reports each process
// that finishes on the way, and returns the number of finished processes. The table is
// in arrival order after the first tick; `clock` is the time after it. Tells `observer`
// who runs when, and `progress` of the steps.
std::int32_t step_to_last_arrival(process_table& t, std::int32_t finished, long long& clock,
                                  const finish_report& report, sched::run_observer& observer,
                                  progress_meter& progress);

} // namespace priority_sched

#endif
