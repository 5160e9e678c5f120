#include "core_run.hpp"

#include <algorithm>
#include <cstdlib>
#include <fstream>

void report_finding(const std::string& problem, const std::string& input, const core_run& run)
{
	std::fprintf(stderr, "\n==== FINDING: %s\n---- input (%zu bytes):\n", problem.c_str(), input.size());
	std::fwrite(input.data(), 1, input.size(), stderr);
	std::fprintf(stderr, "\n---- status %d, output:\n", run.status);
	std::fwrite(run.out.data(), 1, run.out.size(), stderr);
	std::fprintf(stderr, "\n---- error:\n");
	std::fwrite(run.err.data(), 1, run.err.size(), stderr);
	std::fprintf(stderr, "====\n");
	std::abort();
}

void expect_report(const std::string& input, const core_run& run, const std::string& expected)
{
	if (run.status == 0 && run.err.empty() && run.out == expected)
		return;
	std::size_t line = 1;
	const std::size_t differs = static_cast<std::size_t>(
		std::mismatch(expected.begin(), expected.end(), run.out.begin(), run.out.end()).first - expected.begin());
	for (std::size_t i = 0; i < differs; i++)
		line += expected[i] == '\n' ? 1 : 0;
	std::fprintf(stderr, "\n==== the model's report:\n");
	std::fwrite(expected.data(), 1, expected.size(), stderr);
	report_finding("the report differs from the model's from line " + std::to_string(line) + " on", input, run);
}

void check_outcome(const std::string& program, const std::string& input, const core_run& run,
                   bool output_kept_on_failure)
{
	if (run.status == 0) {
		if (!run.err.empty())
			report_finding("status 0 with a message", input, run);
		return;
	}
	if (run.status != 1)
		report_finding("a status other than 0 or 1", input, run);
	const std::string prefix = program + ": ";
	const bool one_line = run.err.size() > prefix.size() + 1 && run.err.starts_with(prefix) &&
	                      run.err.find('\n') == run.err.size() - 1;
	if (!one_line)
		report_finding("status 1 without exactly one line \"" + prefix + "message\"", input, run);
	if (!output_kept_on_failure && !run.out.empty())
		report_finding("report lines of a refused batch", input, run);
}

void keep_derived_input(const std::string& program, const std::string& input)
{
	const char* path = std::getenv("SCHED_FUZZ_WRITE_INPUT");
	if (path == nullptr || *path == '\0')
		return;
	std::ofstream(path, std::ios::binary) << input;
	std::fprintf(stderr, "derived input: %s, %zu bytes\n", program.c_str(), input.size());
	std::fflush(stderr);
}

int fuzz_program_input(const std::string& program, const core_function& core,
                       const unsigned char* data, std::size_t size, bool output_kept_on_failure)
{
	const std::string input(reinterpret_cast<const char*>(data), size);
	check_outcome(program, input, run_core(core, input), output_kept_on_failure);
	return 0;
}

void expect_account_report(const std::string& input, const core_run& run, const std::string& expected)
{
	if (run.status != 0 || !run.err.empty())
		report_finding("the account of an accepted batch failed", input, run);
	if (run.out.find("the account stops here") != std::string::npos)
		return;
	std::string report;
	const std::string finish = " finishes: ";
	for (std::size_t start = 0; start < run.out.size();) {
		const std::size_t end = run.out.find('\n', start);
		const std::string line = run.out.substr(start, end - start);
		if (const std::size_t at = line.find(finish); at != std::string::npos && line.find(": ") < at)
			report += line.substr(at + finish.size()) + "\n";
		start = end + 1;
	}
	if (report != expected)
		report_finding("the account's finish lines are not the model's report", input, run);
}
