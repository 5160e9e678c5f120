// fcfs_fixed: first come, first served from a table of 100 slots.
//
// Reads a process count of at most 100 and that many records of a one-character name,
// arrival and burst, dispatches the processes in order of arrival, back to back from
// time 0, and prints one line per process once all are computed: name, completion,
// turnaround, waiting.

#include "fcfs_fixed.hpp"

#include "account.hpp"
#include "explain.hpp"
#include "input.hpp"
#include "ordering.hpp"
#include "report_line.hpp"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::int32_t capacity = 100;

[[noreturn]] void fail_write()
{
	throw failure(std::string("cannot write standard output: ") + std::strerror(errno));
}

void write_out(bool written, std::FILE* out)
{
	if (!written || std::fflush(out) != 0 || std::ferror(out))
		fail_write();
}

void run(batch_reader& input, std::FILE* out, const run_options& options)
{
	std::array<std::int32_t, capacity> record{}; // where the process stood in the input, for a trace
	std::array<char, capacity> name{};
	std::array<std::int32_t, capacity> arrival{};
	std::array<std::int32_t, capacity> burst{};
	std::array<long long, capacity> completion{};
	std::array<long long, capacity> turnaround{};
	std::array<long long, capacity> waiting{};

	const std::int32_t count = input.count();
	if (count > capacity)
		throw failure("process count is above 100");
	// A count of 0 or less reads nothing and reports nothing; the loops below then
	// never run.
	const std::size_t used = count > 0 ? static_cast<std::size_t>(count) : 0;

	for (std::size_t slot = 0; slot < used; slot++) {
		record[slot] = static_cast<std::int32_t>(slot) + 1;
		name[slot] = input.name(record[slot]);
		arrival[slot] = input.number(record[slot], "arrival");
		burst[slot] = input.number(record[slot], "burst");
	}
	input.end();

	std::vector<batch_record> records;
	for (std::size_t slot = 0; slot < used; slot++)
		records.push_back({name[slot], std::nullopt, arrival[slot], burst[slot]});

	selection_exchange(used, arrival, [&](std::size_t p, std::size_t i) {
		std::swap(burst[p], burst[i]);
		std::swap(name[p], name[i]);
		std::swap(arrival[p], arrival[i]);
		std::swap(record[p], record[i]);
	});

	// Turnaround is measured from time 0, not from the arrival, and a late arrival
	// leaves no idle time: the processes simply run back to back.
	run_trace document_trace;
	document_trace.most_segments = options.most_listed;
	run_trace* trace = options.form == output_form::json ? &document_trace : options.trace;
	for (std::size_t slot = 0; slot < used; slot++) {
		completion[slot] = burst[slot] + (slot > 0 ? completion[slot - 1] : 0);
		turnaround[slot] = completion[slot];
		waiting[slot] = turnaround[slot] - burst[slot];
		if (trace != nullptr)
			trace->ran(record[slot], waiting[slot], burst[slot]);
	}

	std::string report;
	std::vector<finished_process> processes;
	for (std::size_t slot = 0; slot < used; slot++) {
		const report_text text = report_line(name[slot], completion[slot], turnaround[slot], waiting[slot]);
		if (options.form == output_form::json) {
			report.append(text.line, text.size);
			processes.push_back({record[slot], completion[slot], turnaround[slot], waiting[slot]});
		} else if (options.form == output_form::report && std::fwrite(text.line, 1, text.size, out) != text.size) {
			fail_write();
		}
	}
	const std::vector<std::int32_t> dispatch(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(used));
	if (options.form == output_form::explain)
		write_out(write_explanation(out, explain(records, dispatch)), out);
	else if (options.form == output_form::json)
		write_out(write_document(out, {"fcfs_fixed", records, options.most_listed, report, document_trace, processes,
		                               explain(records, dispatch)}),
		          out);
	else
		write_out(true, out);
}

} // namespace

int fcfs_fixed(std::FILE* in, std::FILE* out, std::FILE* err, const run_options& options)
{
	try {
		batch_reader input(in);
		run(input, out, options);
		return 0;
	} catch (const failure& problem) {
		std::fprintf(err, "fcfs_fixed: %s\n", problem.what());
	} catch (const std::bad_alloc&) {
		std::fprintf(err, "fcfs_fixed: out of memory\n");
	}
	return 1;
}
