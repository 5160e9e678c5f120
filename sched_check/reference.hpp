#ifndef SCHED_CHECK_REFERENCE_HPP
#define SCHED_CHECK_REFERENCE_HPP

// The reports a program under test is held to: those of the suite's own programs, each
// computed in this process by that program's core.

#include "batch_generator.hpp"
#include "compare.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sched_check {

struct program {
	const char* name;
	sched::report_rules rules;
	sched::batch_kind kind;
	// The batches of the set whose every tie the manual page names.
	std::vector<sched::named_batch> (*tie_cases)();
};

// The program of that name, if it is one of the five.
const program* find_program(std::string_view name);
// "priority_sched, srtf_sched, fcfs_sched, fcfs_fixed or sum_cases"
std::string program_names();

struct reference_report {
	bool accepted = false;
	bool too_slow = false;
	std::string report;
	// Why the program refused the batch, or why it is no batch to check against.
	std::string problem;
	// With the account: the process of each report line, and the account's entries.
	std::vector<std::int32_t> line_records;
	std::vector<sched::account_entry> account;
};

// The program's report of `batch`, computed within `seconds`. Refuses a batch that lies
// outside what the programs are meant for: a burst below 1.
reference_report reference(const program& p, std::string_view batch, double seconds, bool with_account = false);

} // namespace sched_check

#endif
