#ifndef SRTF_SCHED_RULE_HPP
#define SRTF_SCHED_RULE_HPP

#include "process_table.hpp"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace srtf_sched {

// The schedule's rule as it stands: the arrival ordering, the first tick, the stepping
// phase with the remaining-time ordering in every step that runs a process, and the final
// phase. It is the plain statement of what the program does; the engine
// (event_stepping.hpp) prints the same bytes, only faster. Here the rule explains runs: a
// recorder follows every decision it makes.

// Told of what the rule does, as it does it; tables are in slot order, each slot with its
// process's record number. A recorder may end the run early, when it has told enough.
class rule_recorder {
public:
	virtual ~rule_recorder() = default;
	// Before ordering slots start to end-1: false ends the run here.
	virtual bool ordering(std::size_t start, std::size_t end, long long clock) = 0;
	virtual void first_tick(const process_table& t, long long start) = 0;
	virtual void idle(long long from, long long to) = 0;
	// A step at `clock` with the ready range from `finished` to `ready_end`, before it is
	// ordered.
	virtual void ready(const process_table& t, std::size_t finished, std::size_t ready_end, long long clock) = 0;
	// Then it ordered the ready range by time left, and the process in front ran `units`
	// units from `clock` on.
	virtual void ran(const process_table& t, std::size_t finished, std::size_t ready_end, long long clock,
	                 long long units) = 0;
	virtual void finish(const process_table& t, std::size_t slot, long long completion) = 0;
	// The final phase has ordered the unfinished slots, from `finished` on.
	virtual void final_phase(const process_table& t, std::size_t finished, long long clock) = 0;
	// False once the recorder has told all it can: the run ends.
	virtual bool listening() const = 0;
};

// Told of each process as it finishes, by its record number.
using rule_report = std::function<void(std::int32_t record, long long completion)>;

// Runs the batch, given in input order with its record numbers, by the rule.
void run_rule(process_table t, const rule_report& report, rule_recorder* recorder = nullptr);

} // namespace srtf_sched

#endif
