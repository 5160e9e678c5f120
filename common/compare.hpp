#ifndef SCHED_COMMON_COMPARE_HPP
#define SCHED_COMMON_COMPARE_HPP

// A report held against the program's own: the verdict in the words programming judges
// use, and each mistake named by its kind, as a person would say it. The console's
// checker and the page's answer check both judge with this one comparison.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sched {

enum class verdict {
	passed,
	presentation_error,
	wrong_answer,
	runtime_error,
	time_limit_exceeded,
	output_limit_exceeded
};

// "passed", "presentation error", "wrong answer", ...
const char* verdict_name(verdict v);

// Whether spacing and line ends count: exactly, or only the lines' words.
enum class compare_mode { exact, lines };

// How a program's report lines are made.
enum class report_rules {
	preemptive,  // name, completion, turnaround = completion - arrival, waiting = turnaround - burst
	echoing,     // name, arrival, burst, then as preemptive
	from_zero,   // name, completion, turnaround = completion, waiting = turnaround - burst
	cases,       // the adder's prompt and answers: no names
};

// One mistake. `text` says it with the figures; `hint` names its kind without giving any
// figure or order of the expected report away.
struct finding {
	std::string kind; // order, completion, turnaround, waiting, arrival, burst, missing, extra, name, line, spacing
	std::size_t line = 0;        // of the answer, from 1; 0 where it has none (a missing line)
	std::size_t expected_line = 0; // of the expected report, from 1; 0 where it has none (an extra line)
	std::int32_t record = 0;     // the process concerned, where known
	std::int32_t ahead = 0;      // for an order: the process that comes first
	std::string text;
	std::string hint;
};

struct comparison {
	verdict outcome = verdict::passed;
	// The kinds of mistake in words of their own, which give nothing of the expected
	// report away.
	std::string detail;
	// The first line, from 1, at which the two texts differ; 0 where they are the same.
	std::size_t first_difference = 0;
	// The first mistakes, at most `most_findings` of them, line by line.
	std::vector<finding> findings;
};

constexpr std::size_t most_findings = 100;

// Holds `answer` against `expected`, the program's report. `line_records` gives, where
// known, the process of each expected line by its record number.
comparison compare_reports(report_rules rules, std::string_view expected, std::string_view answer, compare_mode mode,
                           const std::vector<std::int32_t>& line_records = {});

// An entry of the program's account, as far as finding the one behind a line goes.
struct account_entry {
	std::string kind;
	long long clock = 0;
	std::string text;
	std::vector<std::int32_t> processes; // every process the entry names
};

// The entry that decided what a finding is about: for an order, the tie or preemption
// between the two processes; for a figure that does not follow from the line's own
// completion, the process's finish; otherwise the last tie, preemption or phase that
// placed the process, up to its finish.
std::optional<std::size_t> deciding_entry(const std::vector<account_entry>& entries, const finding& f);

// What a comparison takes from a scheduler's JSON document (--json): the report, the
// process of each report line by its record number, and the account's entries with every
// process each one names.
struct expected_report {
	std::string report;
	std::vector<std::int32_t> line_records;
	std::vector<account_entry> account;
};

// Throws std::runtime_error for a text that is not such a document.
expected_report read_expected_report(const std::string& document);

} // namespace sched

#endif
