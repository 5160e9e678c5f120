// srtf_sched against two independent models, on seeded random batches:
//  - the simulation written out step by step, one time unit per step, idle units
//    included, with no shortcut (bursts of any sign): the program skips idle gaps and
//    runs of unchanged steps, and must print the very same bytes;
//  - for bursts of at least 1, the policy stated as a rule: after the first tick each
//    unit goes to the arrived, unfinished process with the least time left, ties to the
//    earliest arrival, then to the first in input order.

#include "batch_shapes.hpp"
#include "family_table.hpp"
#include "harness.hpp"
#include "orderings.hpp"
#include "report.hpp"
#include "rule.hpp"
#include "srtf_model.hpp"
#include "srtf_sched.hpp"

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

using srtf_sched::process_table;
using srtf_sched::run_rule;
using sched::run_segment;

namespace {

using namespace srtf_model;

const std::string program = SRTF_SCHED;

struct batch_shape {
	int most_processes;
	int arrival_span; // arrivals are drawn from -arrival_span/4 to 3*arrival_span/4
	int shortest_burst;
	int longest_burst;
};

// Names of every character from 0 to z, signs and letters among them.
std::string names_0_to_z()
{
	std::string names;
	for (char c = '0'; c <= 'z'; c++)
		names += c;
	return names;
}

const std::string any_names = names_0_to_z();

std::vector<record> random_batch(seeded_choices& choices, const batch_shape& shape)
{
	const int earliest = -shape.arrival_span / 4;
	const family f{.most_processes = shape.most_processes,
	               .earliest_arrival = earliest,
	               .latest_arrival = earliest + shape.arrival_span,
	               .shortest_burst = shape.shortest_burst,
	               .longest_burst = shape.longest_burst,
	               .names = any_names};
	return timed_records<record>(draw_family(choices, f));
}

// The report of the program's own rule, the plain statement that its account follows.
std::string program_rule_report(const std::vector<record>& batch)
{
	process_table t;
	for (const record& r : batch) {
		t.name.push_back(r.name);
		t.arrival.push_back(r.arrival);
		t.remaining.push_back(r.burst);
		t.burst.push_back(r.burst);
		t.record.push_back(static_cast<std::int32_t>(t.record.size()) + 1);
	}
	std::string report;
	run_rule(t, [&](std::int32_t number, long long completion) {
		const record& r = batch[static_cast<std::size_t>(number - 1)];
		const long long turnaround = completion - r.arrival;
		const sched::report_text line = sched::report_line(r.name, {r.arrival, r.burst, completion, turnaround, turnaround - r.burst});
		report.append(line.line, line.size);
	});
	return report;
}

// The program, its own rule and both models, on the same batches.
void expect_agreement(std::uint32_t seed, const batch_shape& shape, int batches)
{
	seeded_choices choices(seed);
	for (int i = 0; i < batches; i++) {
		const std::vector<record> batch = random_batch(choices, shape);
		const std::string expected = unit_step_model(batch);
		if (shape.shortest_burst >= 1) {
			ASSERT_EQ(rule_model(batch), expected) << format_batch(batch);
		}
		ASSERT_EQ(program_rule_report(batch), expected) << format_batch(batch);
		ASSERT_TRUE(reports(program, format_batch(batch), expected)) << "batch " << i << " of seed " << seed;
	}
}

// The trace a chart is drawn from must be the rule's schedule, segment for segment,
// though the program jumps from event to event.
TEST(SrtfSchedModel, TraceIsTheRulesSchedule)
{
	seeded_choices choices(31);
	for (const batch_shape& shape : {batch_shape{8, 20, 1, 6}, batch_shape{300, 600, 1, 20}}) {
		for (int i = 0; i < 60; i++) {
			const std::vector<record> batch = random_batch(choices, shape);
			std::vector<segment> segments;
			for (const sched::run_segment& s : run_traced<sched::run_trace>(srtf_sched::run, format_batch(batch), 1000000).segments)
				segments.push_back({s.record, s.start, s.end});
			ASSERT_EQ(segments, rule_segments(batch)) << format_batch(batch);
		}
	}
}

TEST(SrtfSchedModel, ModelsGiveTheWorkedExamples)
{
	const std::vector<record> batch = {{'A', 0, 8}, {'B', 1, 4}, {'C', 2, 9}, {'D', 3, 5}};
	const std::string expected = "B 1 4 5 4 0\nD 3 5 10 7 2\nA 0 8 17 17 9\nC 2 9 26 24 15\n";
	EXPECT_EQ(unit_step_model(batch), expected);
	EXPECT_EQ(rule_model(batch), expected);
	EXPECT_EQ(unit_step_model({{'A', 0, 5}, {'B', 0, 2}, {'C', 0, 3}}), "B 0 2 3 3 1\nC 0 3 6 6 3\nA 0 5 10 10 5\n");
	EXPECT_EQ(rule_model({{'X', 4, 2}, {'Y', 1, 3}, {'Z', 1, 1}}), "Z 1 1 3 2 1\nY 1 3 5 4 1\nX 4 2 7 3 1\n");
}

// The families of random batches held to the models, each by its seed.
const family_run<batch_shape> families[] = {
	{"SmallBatchesWithManyTies", 11, {6, 6, 1, 4}, 300},
	{"IdleGapsAndNegativeArrivals", 12, {8, 80, 1, 6}, 200},
	{"LongBurstsAndWideArrivals", 13, {30, 600, 1, 200}, 100},
	{"ZeroAndNegativeBursts", 14, {8, 20, -4, 4}, 300},
	{"ZeroAndNegativeBursts", 15, {20, 300, -100, 100}, 100},
	// Batches large enough for the orderings to sort rather than exchange, with several
	// times more work arriving than the processor can do, so that the ready processes
	// pile up and many finish only in the final phase.
	{"OverloadedBatches", 16, {400, 400, 1, 20}, 12},
	{"OverloadedBatches", 17, {400, 400, -20, 20}, 12},
};

class SrtfSchedModelFamily : public ::testing::TestWithParam<family_run<batch_shape>> {};

TEST_P(SrtfSchedModelFamily, AgreesWithTheModels)
{
	expect_agreement(GetParam().seed, GetParam().shape, GetParam().batches);
}

INSTANTIATE_TEST_SUITE_P(Seeded, SrtfSchedModelFamily, ::testing::ValuesIn(families), family_run_name());

} // namespace
