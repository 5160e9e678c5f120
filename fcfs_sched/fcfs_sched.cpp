// fcfs_sched: first come, first served.
//
// Reads a process count and that many records of name token, arrival and burst,
// dispatches the processes in order of arrival, back to back from time 0, and prints one
// line per process: name, completion, turnaround, waiting.

#include "fcfs_sched.hpp"

#include "arrival_order.hpp"
#include "batch_reader.hpp"
#include "fcfs_account.hpp"
#include "sort.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace fcfs_sched {

namespace {

// The batch in input order: slot k holds record k + 1.
struct process_table {
	std::vector<char> name;
	std::vector<std::int32_t> arrival;
	std::vector<std::int32_t> burst;

	std::int32_t size() const { return static_cast<std::int32_t>(name.size()); }
};

std::int32_t record_of(std::int32_t slot)
{
	return slot + 1;
}

// The table grows record by record, from the room that records_to_reserve gives, instead
// of being sized from the count: a count that promises more records than the input holds
// then ends at the end of the input, without first claiming memory for records that
// never come.
process_table read_batch(sched::batch_reader& input)
{
	process_table t;
	const std::int32_t count = input.record_count();
	t.name.reserve(sched::records_to_reserve(count));
	t.arrival.reserve(sched::records_to_reserve(count));
	t.burst.reserve(sched::records_to_reserve(count));
	for (long long record = 1; record <= count; record++) {
		t.name.push_back(input.name_token(record));
		t.arrival.push_back(input.number(record, "arrival"));
		t.burst.push_back(input.number(record, "burst"));
	}
	input.end();
	return t;
}

// A column of the table in the order of `order`, in a loop of its own, whose reads all
// over the table overlap: the report loop, reading them itself, waited for each in turn
// and took several times as long.
template <typename T>
std::vector<T> in_order(const std::vector<T>& column, const std::vector<std::int32_t>& order)
{
	std::vector<T> ordered(order.size());
	for (std::size_t k = 0; k < order.size(); k++)
		ordered[k] = column[static_cast<std::size_t>(order[k])];
	return ordered;
}

// Turnaround is measured from time 0, not from the arrival, and a late arrival leaves no
// idle time: the processes simply run back to back, in `order` (slots of the table).
// Each line is written as soon as its slot is computed.
void schedule(const process_table& t, const std::vector<std::int32_t>& order, const sched::report_writer& writer,
              sched::run_trace* trace)
{
	const std::vector<char> name = in_order(t.name, order);
	const std::vector<std::int32_t> burst = in_order(t.burst, order);
	long long completion = 0;
	for (std::size_t k = 0; k < order.size(); k++) {
		completion += burst[k];
		const long long turnaround = completion;
		const long long waiting = turnaround - burst[k];
		writer.line(sched::report_line(name[k], {completion, turnaround, waiting}),
		            {record_of(order[k]), completion, turnaround, waiting});
		if (trace != nullptr)
			trace->ran(record_of(order[k]), waiting, burst[k]);
	}
}

std::vector<sched::batch_record> records_of(const process_table& t)
{
	std::vector<sched::batch_record> records;
	for (std::size_t slot = 0; slot < t.name.size(); slot++)
		records.push_back({t.name[slot], std::nullopt, t.arrival[slot], t.burst[slot]});
	return records;
}

sched::account explain(const std::vector<sched::batch_record>& records, const std::vector<std::int32_t>& order)
{
	std::vector<std::int32_t> dispatch(order.size());
	std::transform(order.begin(), order.end(), dispatch.begin(), record_of);
	const auto n = static_cast<long long>(records.size());
	return sched::explain_dispatch(
		records, dispatch,
		[](const std::vector<std::int32_t>& arrival, const sched::slot_exchange& exchange) {
			all_pairs_exchange(static_cast<std::int32_t>(arrival.size()), arrival.data(),
			                   [&](std::int32_t i, std::int32_t j) {
						   exchange(static_cast<std::size_t>(i), static_cast<std::size_t>(j));
					   });
		},
		n * n);
}

} // namespace

int run(std::FILE* in, std::FILE* out, std::FILE* err, const sched::run_options& options)
{
	return sched::run_guarded("fcfs_sched", out, err, [&] {
		sched::batch_reader input(in);
		const process_table t = read_batch(input);
		const std::vector<std::int32_t> order = arrival_order(t.size(), t.arrival.data());
		sched::write_form({"fcfs_sched", [&] { return records_of(t); },
		                   [&](const std::vector<sched::batch_record>& records) { return explain(records, order); },
		                   [&](const sched::report_writer& writer, sched::run_trace* trace) {
					   schedule(t, order, writer, trace);
				   }},
		                  out, options);
	});
}

} // namespace fcfs_sched
