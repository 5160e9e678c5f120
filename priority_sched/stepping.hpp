#ifndef PRIORITY_SCHED_STEPPING_HPP
#define PRIORITY_SCHED_STEPPING_HPP

#include "process_table.hpp"
#include "progress.hpp"
#include "run_trace.hpp"

#include <cstdint>

// The stepping phase, from the first tick until every process has finished or a step
// finds a process ready with the clock at or past the last arrival. Reports each process
// that finishes on the way, and returns the number of finished processes. The table is
// in arrival order after the first tick; `clock` is the time after it. Records the run
// in `trace`, if there is one, and tells `progress` of the steps.
std::int32_t step_to_last_arrival(process_table& t, std::int32_t finished, long long& clock,
                                  const finish_report& report, run_trace* trace, progress_meter& progress);

#endif
