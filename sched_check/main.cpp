// sched_check: checks a program against the reports of one of the suite's programs.

#include "batches.hpp"
#include "check.hpp"
#include "child.hpp"
#include "command_line.hpp"
#include "options.hpp"
#include "results.hpp"

#include <cstdio>
#include <fstream>

namespace {

std::string standard_input()
{
	std::string text;
	char block[65536];
	for (std::size_t got; (got = std::fread(block, 1, sizeof block, stdin)) > 0;)
		text.append(block, got);
	if (std::ferror(stdin))
		throw sched_check::trouble("cannot read standard input");
	return text;
}

int list(const std::vector<sched_check::batch>& batches)
{
	for (const sched_check::batch& b : batches)
		if (std::printf("%s\n", b.name.c_str()) < 0)
			return 2;
	return std::fflush(stdout) == 0 ? 0 : 2;
}

// The results go to the file that --output names, or to standard output; a check that
// could not be done is said on standard error, and in the results where a grader reads
// them.
int write_results(const sched_check::options& o, const sched_check::check_results& r)
{
	if (!r.trouble.empty())
		std::fprintf(stderr, "sched_check: %s\n", r.trouble.c_str());
	const bool said = !r.trouble.empty() && o.format == sched_check::results_format::text && !o.output;
	const std::string text = said ? "" : sched_check::format_results(o, r);
	bool written;
	if (o.output) {
		std::ofstream file(*o.output, std::ios::binary);
		written = static_cast<bool>(file << text) && static_cast<bool>(file.flush());
	} else {
		written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
	}
	if (!written) {
		std::fprintf(stderr, "sched_check: cannot write %s\n", o.output ? o.output->c_str() : "standard output");
		return 2;
	}
	return r.exit_status();
}

} // namespace

int main(int argc, char** argv)
{
	sched::use_binary_streams();
	sched_check::options o;
	if (const std::optional<int> status = sched_check::read_options(argc, argv, o))
		return *status;
	sched_check::ignore_broken_pipes();
	sched_check::check_results results{o.checked->name, o.seed};
	try {
		if (o.answer_file)
			return write_results(o, sched_check::check_answer(o, standard_input()));
		const std::vector<sched_check::batch> batches = sched_check::make_batches(o);
		if (o.list)
			return list(batches);
		if (o.export_to) {
			sched_check::export_batches(o, batches);
			return 0;
		}
		results = sched_check::check_program(o, batches);
	} catch (const std::exception& e) {
		// Trouble of the checker's own, or of the machine: either way no check.
		results.trouble = e.what();
	}
	return write_results(o, results);
}
