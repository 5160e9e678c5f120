#ifndef SCHED_CHECK_CHECK_HPP
#define SCHED_CHECK_CHECK_HPP

#include "batches.hpp"
#include "options.hpp"

#include <optional>
#include <utility>
#include <string>
#include <vector>

namespace sched_check {

struct batch_result {
	std::string name;
	sched::verdict verdict;
	std::string detail;
};

// The first failing batch, made as small as the budget allows, and why it fails.
struct failure_story {
	failure_story(std::string batch_name, std::string text) : name(std::move(batch_name)), batch(std::move(text)) {}

	std::string name;
	std::string batch;
	bool shrunk = false;
	int shrinking_runs = 0;
	sched::verdict verdict = sched::verdict::passed;
	std::string detail;
	std::string expected;
	std::string actual;
	// Where the report was written by hand rather than printed by a program.
	bool by_hand = false;
	// The start of what the program wrote on its standard error.
	std::string error_output;
	std::size_t first_difference = 0;
	std::vector<sched::finding> findings;
	// The entry of the program's account that decided the first differing line.
	std::string decided_by;
};

struct check_results {
	check_results(std::string checked, std::uint32_t check_seed) : program(std::move(checked)), seed(check_seed) {}

	std::string program;
	std::uint32_t seed = 0;
	std::vector<batch_result> batches;
	std::optional<failure_story> first_failure;
	// What kept the check from being done, where something did.
	std::string trouble;

	std::size_t passed() const;
	int exit_status() const { return !trouble.empty() ? 2 : passed() == batches.size() ? 0 : 1; }
};

// Runs the program under test on each batch and judges what it prints.
check_results check_program(const options& o, const std::vector<batch>& batches);

// Judges a report written by hand, in `o.answer_file`, of the batch `text`.
check_results check_answer(const options& o, const std::string& text);

// Writes each batch and its report as DIR/NAME/input and DIR/NAME/output.
void export_batches(const options& o, const std::vector<batch>& batches);

} // namespace sched_check

#endif
