// fcfs_fixed: first come, first served from a table of 100 slots.
//
// Reads a process count of at most 100 and that many records of a one-character name,
// arrival and burst, dispatches the processes in order of arrival, back to back from
// time 0, and prints one line per process once all are computed: name, completion,
// turnaround, waiting.

#include "fcfs_fixed.hpp"

#include "batch_reader.hpp"
#include "fcfs_account.hpp"
#include "ordering.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace fcfs_fixed {

namespace {

constexpr std::int32_t capacity = 100;

// The process table: a hundred slots, of which the first `used` hold the batch.
struct process_table {
	std::size_t used = 0;
	std::array<std::int32_t, capacity> record{}; // where the process stood in the input, for a trace
	std::array<char, capacity> name{};
	std::array<std::int32_t, capacity> arrival{};
	std::array<std::int32_t, capacity> burst{};
	std::array<long long, capacity> completion{};
	std::array<long long, capacity> turnaround{};
	std::array<long long, capacity> waiting{};
};

process_table read_batch(sched::batch_reader& input)
{
	process_table t;
	const std::int32_t count = input.count();
	if (count > capacity)
		throw sched::failure("process count is above 100");
	// A count of 0 or less reads nothing and reports nothing; the loops below then
	// never run.
	t.used = count > 0 ? static_cast<std::size_t>(count) : 0;
	for (std::size_t slot = 0; slot < t.used; slot++) {
		t.record[slot] = static_cast<std::int32_t>(slot) + 1;
		t.name[slot] = input.name(t.record[slot]);
		t.arrival[slot] = input.number(t.record[slot], "arrival");
		t.burst[slot] = input.number(t.record[slot], "burst");
	}
	input.end();
	return t;
}

std::vector<sched::batch_record> records_of(const process_table& t)
{
	std::vector<sched::batch_record> records;
	for (std::size_t slot = 0; slot < t.used; slot++)
		records.push_back({t.name[slot], std::nullopt, t.arrival[slot], t.burst[slot]});
	return records;
}

void order_by_arrival(process_table& t)
{
	selection_exchange(t.used, t.arrival, [&](std::size_t p, std::size_t i) {
		std::swap(t.burst[p], t.burst[i]);
		std::swap(t.name[p], t.name[i]);
		std::swap(t.arrival[p], t.arrival[i]);
		std::swap(t.record[p], t.record[i]);
	});
}

// Turnaround is measured from time 0, not from the arrival, and a late arrival leaves no
// idle time: the processes simply run back to back.
void compute(process_table& t)
{
	for (std::size_t slot = 0; slot < t.used; slot++) {
		t.completion[slot] = t.burst[slot] + (slot > 0 ? t.completion[slot - 1] : 0);
		t.turnaround[slot] = t.completion[slot];
		t.waiting[slot] = t.turnaround[slot] - t.burst[slot];
	}
}

// The lines are printed only once every slot has been computed.
void print(const process_table& t, const sched::report_writer& writer, sched::run_trace* trace)
{
	for (std::size_t slot = 0; slot < t.used; slot++) {
		if (trace != nullptr)
			trace->ran(t.record[slot], t.waiting[slot], t.burst[slot]);
		writer.line(sched::report_line(t.name[slot], {t.completion[slot], t.turnaround[slot], t.waiting[slot]}),
		            {t.record[slot], t.completion[slot], t.turnaround[slot], t.waiting[slot]});
	}
}

sched::account explain(const std::vector<sched::batch_record>& records, const process_table& t)
{
	const std::vector<std::int32_t> dispatch(t.record.begin(), t.record.begin() + static_cast<std::ptrdiff_t>(t.used));
	const auto n = static_cast<long long>(records.size());
	return sched::explain_dispatch(
		records, dispatch,
		[](const std::vector<std::int32_t>& arrival, const sched::slot_exchange& exchange) {
			selection_exchange(arrival.size(), arrival, exchange);
		},
		n * n / 2);
}

} // namespace

int run(std::FILE* in, std::FILE* out, std::FILE* err, const sched::run_options& options)
{
	return sched::run_guarded("fcfs_fixed", out, err, [&] {
		sched::batch_reader input(in);
		process_table t = read_batch(input);
		const std::vector<sched::batch_record> records = records_of(t);
		order_by_arrival(t);
		compute(t);
		sched::write_form({"fcfs_fixed", [&] { return records; },
		                   [&](const std::vector<sched::batch_record>& read) { return explain(read, t); },
		                   [&](const sched::report_writer& writer, sched::run_trace* trace) { print(t, writer, trace); }},
		                  out, options);
	});
}

} // namespace fcfs_fixed
