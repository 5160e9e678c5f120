// priority_sched against a plain model: the simulation written out step by step, one
// time unit per step, idle units included, with its own exchange loops and no shortcut
// of any kind. The program skips idle gaps and repeated arrangements, and reaches the
// loops' arrangement of a long range another way; on every batch here both must print
// the very same bytes.

#include "batch_shapes.hpp"
#include "family_table.hpp"
#include "harness.hpp"
#include "priority_model.hpp"
#include "priority_sched.hpp"
#include "report.hpp"
#include "rule.hpp"

#include <cstdint>
#include <string>
#include <vector>

using priority_sched::process_table;
using priority_sched::run_rule;
using sched::run_segment;

namespace {

using namespace priority_model;

const std::string program = PRIORITY_SCHED;

// The shape of a family of random batches.
struct batch_shape {
	int most_processes;
	int priorities;    // priorities are drawn from 0 to priorities-1
	int arrival_span;  // arrivals are drawn from -arrival_span/4 to 3*arrival_span/4
	int longest_burst;
	int names;         // names are drawn from the first `names` capital letters
	int late_arrival = 0; // if not 0, one more process arrives this late
};

std::vector<record> random_batch(seeded_choices& choices, const batch_shape& shape)
{
	const int earliest = -shape.arrival_span / 4;
	const family f{.most_processes = shape.most_processes,
	               .priorities = shape.priorities,
	               .earliest_arrival = earliest,
	               .latest_arrival = earliest + shape.arrival_span,
	               .longest_burst = shape.longest_burst,
	               .names = capitals.substr(0, static_cast<std::size_t>(shape.names)),
	               .late_arrival = shape.late_arrival};
	std::vector<record> batch;
	for (const process& p : draw_family(choices, f))
		batch.push_back({p.name, p.priority, p.arrival, p.burst});
	return batch;
}

// The report of the program's own rule, the plain statement that its account follows.
std::string rule_report(const std::vector<record>& batch)
{
	process_table t;
	for (const record& r : batch) {
		t.name.push_back(r.name);
		t.priority.push_back(r.priority);
		t.arrival.push_back(r.arrival);
		t.burst.push_back(r.burst);
		t.remaining.push_back(r.burst);
		t.record.push_back(t.record.count() + 1);
	}
	std::string report;
	run_rule(t, [&](std::int32_t number, long long completion) {
		const record& r = batch[static_cast<std::size_t>(number - 1)];
		const sched::report_text line = sched::report_line(r.name, {completion, completion - r.arrival, completion - r.arrival - r.burst});
		report.append(line.line, line.size);
	});
	return report;
}

// The program's engine, its rule and the model, on the same batches.
void expect_agreement(std::uint32_t seed, const batch_shape& shape, int batches)
{
	seeded_choices choices(seed);
	for (int i = 0; i < batches; i++) {
		const std::vector<record> batch = random_batch(choices, shape);
		const std::string input = format_batch(batch);
		const std::string model = unit_step_model(batch);
		ASSERT_TRUE(reports(program, input, model)) << "batch " << i << " of seed " << seed;
		ASSERT_EQ(rule_report(batch), model) << input;
	}
}

sched::run_trace traced(const std::vector<record>& batch, std::size_t most_segments)
{
	return run_traced<sched::run_trace>(priority_sched::run, format_batch(batch), most_segments);
}

// The trace a chart is drawn from must be the schedule of the unit steps, segment for
// segment, through skipped idle time and skipped cycles alike.
TEST(PrioritySchedModel, TraceIsTheScheduleOfTheUnitSteps)
{
	seeded_choices choices(21);
	const std::pair<batch_shape, int> shapes[] = {
		{{8, 2, 10, 5, 4}, 40}, {{40, 3, 6, 400, 26, 6000}, 20}, {{300, 5, 600, 20, 26}, 8}};
	for (const auto& [shape, batches] : shapes) {
		for (int i = 0; i < batches; i++) {
			const std::vector<record> batch = random_batch(choices, shape);
			const run expected = unit_step_run(batch);
			const sched::run_trace trace = traced(batch, 1000000);
			std::vector<segment> segments;
			for (const run_segment& s : trace.segments)
				segments.push_back({s.record, s.start, s.end});
			ASSERT_EQ(segments, expected.segments) << format_batch(batch);
			EXPECT_EQ(trace.final_phase_start.value_or(-1), expected.final_phase_start);
			EXPECT_FALSE(trace.cut_short());
			if (expected.segments.size() > 3) {
				const sched::run_trace cut = traced(batch, 3);
				ASSERT_EQ(cut.segments.size(), 3u);
				EXPECT_EQ(cut.segments.back().end, expected.segments[2].end);
				EXPECT_EQ(cut.cut_at, expected.segments[3].start);
			}
		}
	}
}

TEST(PrioritySchedModel, ModelGivesTheWorkedExamples)
{
	EXPECT_EQ(unit_step_model({{'A', 3, 0, 4}, {'B', 1, 1, 3}, {'C', 4, 2, 2}, {'D', 2, 3, 1}, {'E', 5, 4, 2}}),
	          "B 4 3 0\nD 5 2 1\nA 8 8 4\nC 10 8 6\nE 12 8 6\n");
	EXPECT_EQ(unit_step_model({{'A', 2, 0, 2}, {'B', 1, 5, 3}, {'C', 3, 6, 1}}), "A 2 2 0\nB 8 3 0\nC 9 3 2\n");
	EXPECT_EQ(unit_step_model({{'X', 5, 3, 1}}), "X 4 1 0\n");
}

// The families of random batches held to the model, each by its seed.
const family_run<batch_shape> families[] = {
	{"SmallBatchesWithManyTies", 1, {6, 2, 8, 4, 4}, 300},
	{"IdleGapsAndNegativeArrivals", 2, {8, 3, 60, 6, 6}, 200},
	{"LongBurstsWideArrivalsAndManyTies", 3, {24, 2, 400, 150, 5}, 150},
	{"LongBurstsWideArrivalsAndManyTies", 4, {40, 3, 1500, 400, 8}, 60},
	{"CrowdsOfEqualPriorities", 5, {60, 1, 40, 300, 26}, 40},
	{"CrowdsOfEqualPriorities", 6, {60, 2, 200, 60, 3}, 40},
	// Crowds tied on both priority and arrival, kept busy until a late arrival: the keys
	// take hundreds of steps to repeat, and the processes run along long paths.
	{"CrowdsTiedOnBothKeysUntilALateArrival", 7, {40, 3, 6, 400, 26, 6000}, 30},
	{"CrowdsTiedOnBothKeysUntilALateArrival", 8, {25, 2, 4, 2000, 4, 20000}, 30},
	// More priorities and arrivals, in classes of uneven sizes, and long enough for the
	// arranger's moving queues.
	{"CrowdsTiedOnBothKeysUntilALateArrival", 12, {100, 6, 11, 300, 26, 20000}, 4},
	// More work arrives than the processor can serve, so the ready range grows long
	// enough for the program to stop using the exchange loops.
	{"OverloadedBatchesWithLongReadyRanges", 9, {300, 5, 600, 20, 26}, 15},
	{"OverloadedBatchesWithLongReadyRanges", 10, {200, 3, 50, 30, 5}, 15},
	{"OverloadedBatchesWithLongReadyRanges", 11, {160, 3, 6, 300, 26, 40000}, 6},
};

class PrioritySchedModelFamily : public ::testing::TestWithParam<family_run<batch_shape>> {};

TEST_P(PrioritySchedModelFamily, AgreesWithTheModel)
{
	expect_agreement(GetParam().seed, GetParam().shape, GetParam().batches);
}

INSTANTIATE_TEST_SUITE_P(Seeded, PrioritySchedModelFamily, ::testing::ValuesIn(families), family_run_name());

} // namespace
