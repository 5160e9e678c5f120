#ifndef SCHED_CHECK_OPTIONS_HPP
#define SCHED_CHECK_OPTIONS_HPP

#include "batch_generator.hpp"
#include "compare.hpp"
#include "reference.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sched_check {

enum class results_format { text, json, gradescope, prairielearn, junit, tap };

// What a check is asked to do, as its command line says.
struct options {
	const program* checked = nullptr;
	std::vector<std::string> command; // the program under test
	std::optional<std::string> export_to;
	std::optional<std::string> answer_file;
	bool list = false;

	std::uint32_t seed = 2026;
	std::int32_t count = 16; // random batches in all
	bool exercises = false;
	sched::exercise_options exercise;
	bool exercise_options_given = false;
	std::vector<std::string> batch_paths;
	std::optional<std::string> only;

	sched::compare_mode compare = sched::compare_mode::exact;
	bool zero_status_only = false;
	double timeout = 5;
	std::size_t memory_bytes = 0;
	bool hide_expected = false;

	results_format format = results_format::text;
	std::string visibility = "visible";
	std::optional<std::string> output;
	std::optional<double> points;
};

// Reads the command line into `o`. Returns an exit status where the run ends here
// (--help, --version, or a line that cannot be used, said on standard error).
std::optional<int> read_options(int argc, char** argv, options& o);

} // namespace sched_check

#endif
