#ifndef PRIORITY_SCHED_RULE_HPP
#define PRIORITY_SCHED_RULE_HPP

#include "process_table.hpp"

#include <cstdint>
#include <functional>

namespace priority_sched {

// The schedule's rule as it stands, one time unit after another: the arrival ordering,
// the first tick, the stepping phase with both orderings in every step, and the final
// phase. It is the plain statement of what the program does; the engine (stepping.hpp)
// prints the same bytes, only faster. Here the rule explains runs: a recorder follows
// every decision it makes.

// Which ordering a recorder is told of.
enum class ordering_kind { first_arrival, arrival, priority, final_priority };

// Told of what the rule does, as it does it; tables are in slot order, each slot with its
// process's record number. A recorder may end the run early, when it has told enough.
class rule_recorder {
public:
	virtual ~rule_recorder() = default;
	// Before ordering slots start to end-1: false ends the run here.
	virtual bool ordering(const process_table& t, ordering_kind kind, std::int32_t start, std::int32_t end,
	                      long long clock) = 0;
	// Slots p and i, p before i, are about to be exchanged.
	virtual void exchange(const process_table& t, ordering_kind kind, std::int32_t p, std::int32_t i,
	                      long long clock) = 0;
	virtual void first_tick(const process_table& t, long long start) = 0;
	virtual void idle(long long from, long long to) = 0;
	// A step at `clock` has ordered slots `finished` to the end by arrival; the ready range
	// ends at `ready_end`.
	virtual void arrival_order(const process_table& t, std::int32_t finished, std::int32_t ready_end,
	                           long long clock) = 0;
	// Then it ordered the ready range by priority, and the process in front ran `units`
	// units from `clock` on: one, or more where the step came round unchanged.
	virtual void ran(const process_table& t, std::int32_t finished, std::int32_t ready_end, long long clock,
	                 long long units) = 0;
	virtual void finish(const process_table& t, std::int32_t slot, long long completion) = 0;
	// The final phase has ordered the unfinished slots, from `finished` on.
	virtual void final_phase(const process_table& t, std::int32_t finished, long long clock) = 0;
	// False once the recorder has told all it can: the run ends.
	virtual bool listening() const = 0;
};

// Told of each process as it finishes, by its record number.
using rule_report = std::function<void(std::int32_t record, long long completion)>;

// Runs the batch, given in input order with its record numbers, by the rule.
void run_rule(process_table t, const rule_report& report, rule_recorder* recorder = nullptr);

} // namespace priority_sched

#endif
