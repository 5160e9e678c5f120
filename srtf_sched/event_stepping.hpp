#ifndef SRTF_SCHED_EVENT_STEPPING_HPP
#define SRTF_SCHED_EVENT_STEPPING_HPP

#include "process_table.hpp"
#include "run_trace.hpp"

#include <cstddef>

namespace srtf_sched {

// The stepping phase, from the first tick until every process has finished or a step
// finds a process ready with the clock at or past the last arrival, taken from one
// arrival or finish to the next instead of one time unit at a time. It prints the same
// bytes as the rule written out in rule.hpp, only faster: the tests and the fuzz targets
// hold the two, and the plain models, to the same reports. Reports each process
// that finishes on the way and returns the number of finished processes; the unfinished
// ones are then in the slots from that number on, in arrival order, ready for the final
// phase. The table is in arrival order after the first tick, which has run slot 0, and
// `finished` is 1 if that finished it, else 0; `clock` is the time after it. Records the
// run in `trace`, if there is one.
std::size_t step_to_last_arrival(process_table& t, std::size_t finished, long long& clock,
                                 const finish_report& report, sched::run_trace* trace);

} // namespace srtf_sched

#endif
