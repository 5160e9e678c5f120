// A scheduler's account of its decisions (--explain) and its document (--json), held
// against its own report over seeded random batches: the document is valid JSON whatever
// bytes the names are, its report is the report byte for byte, the finish entries of the
// account are the report's lines in order (so the rule that the account follows and the
// engine that prints the report agree), the segments add up to every burst without
// overlapping, and the final phase runs the report's tail. Compiled once per scheduler.

#include SCHED_PROGRAM_HEADER

#include "batch_shapes.hpp"
#include "harness.hpp"
#include "json_reader.hpp"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

namespace json = sched::json;

struct ran {
	int status;
	std::string out;
	std::string err;
};

ran run_core(std::string input, const sched::run_options& options)
{
	std::FILE* in = fmemopen(input.data(), input.size(), "r");
	char* out_text = nullptr;
	char* err_text = nullptr;
	std::size_t out_size = 0;
	std::size_t err_size = 0;
	std::FILE* out = open_memstream(&out_text, &out_size);
	std::FILE* err = open_memstream(&err_text, &err_size);
	const int status = SCHED_PROGRAM::run(in, out, err, options);
	std::fclose(in);
	std::fclose(out);
	std::fclose(err);
	ran r{status, {out_text, out_size}, {err_text, err_size}};
	std::free(out_text);
	std::free(err_text);
	return r;
}

// Names of every kind a batch may hold, the bytes that JSON must escape among them.
const std::string name_pool = std::string("AB\"\\#-9\x01\x7f\xc3\xa9") + "CDE";

const family small_batches{.most_processes = 12,
                           .priorities = 3,
                           .earliest_arrival = -2,
                           .latest_arrival = 12,
                           .longest_burst = 5,
                           .names = name_pool};

std::string text_of(const std::vector<process>& batch)
{
	std::string text = std::to_string(batch.size()) + "\n";
	for (const process& r : batch) {
		text += r.name;
		std::vector<int> numbers{r.arrival, r.burst};
		if (SCHED_HAS_PRIORITY)
			numbers.insert(numbers.begin(), r.priority);
		for (const int number : numbers) {
			text += ' ';
			text += std::to_string(number);
		}
		text += '\n';
	}
	return text;
}

std::vector<std::string> lines_of(const std::string& text)
{
	std::vector<std::string> lines;
	for (std::size_t start = 0; start < text.size();) {
		const std::size_t end = text.find('\n', start);
		lines.push_back(text.substr(start, end - start));
		start = end + 1;
	}
	return lines;
}

void expect_document_tells_the_report(const std::vector<process>& batch)
{
	const std::string input = text_of(batch);
	const ran report = run_core(input, {});
	ASSERT_EQ(report.status, 0) << report.err;
	const ran document = run_core(input, {.form = sched::output_form::json});
	ASSERT_EQ(document.status, 0);
	const json::value d = json::parse(document.out);
	EXPECT_EQ(d["report"].text, report.out);
	ASSERT_EQ(d["records"].items.size(), batch.size());
	for (std::size_t i = 0; i < batch.size(); i++)
		EXPECT_EQ(d["records"][i]["name"].text, std::string(1, batch[i].name));

	// The finish entries are the report, line by line.
	std::vector<std::string> finished;
	std::vector<long long> final_order;
	for (const json::value& entry : d["decisions"].items) {
		if (entry["kind"].text == "finish")
			finished.push_back(entry["line"].text);
		if (entry["kind"].text == "final_phase")
			for (const json::value& r : entry["order"].items)
				final_order.push_back(r.integer());
	}
	EXPECT_FALSE(d["decisions_cut_short"].boolean);
	EXPECT_EQ(finished, lines_of(report.out)) << input;

	// The schedule: every burst run in full, one process at a time.
	std::map<long long, long long> ran_units;
	long long busy_until = std::numeric_limits<long long>::min();
	for (const json::value& s : d["segments"].items) {
		EXPECT_GE(s[1].integer(), busy_until) << input;
		busy_until = s[2].integer();
		ran_units[s[0].integer()] += s[2].integer() - s[1].integer();
	}
	for (std::size_t i = 0; i < batch.size(); i++)
		EXPECT_EQ(ran_units[static_cast<long long>(i + 1)], batch[i].burst) << input;

	// The final phase runs the report's last processes, in the report's order.
	const std::vector<json::value>& processes = d["processes"].items;
	ASSERT_LE(final_order.size(), processes.size());
	for (std::size_t i = 0; i < final_order.size(); i++)
		EXPECT_EQ(final_order[i], processes[processes.size() - final_order.size() + i]["record"].integer()) << input;

	// --explain prints the same entries, a line each.
	const ran explained = run_core(input, {.form = sched::output_form::explain});
	const std::vector<std::string> lines = lines_of(explained.out);
	ASSERT_EQ(lines.size(), d["decisions"].items.size());
	for (std::size_t i = 0; i < lines.size(); i++)
		EXPECT_TRUE(lines[i].ends_with(": " + d["decisions"][i]["text"].text)) << lines[i];
}

TEST(SCHED_TEST_SUITE, DocumentAndAccountTellTheReport)
{
	seeded_choices choices(20);
	for (int i = 0; i < 400; i++)
		expect_document_tells_the_report(draw_family(choices, small_batches));
}

// A schedule longer than a document may list is cut at its bound, and says where: the
// processes here run one after another, a segment each.
TEST(SCHED_TEST_SUITE, DocumentsCutTheirSegmentsAtTheirBound)
{
	// Small enough for fcfs_fixed's hundred slots.
	const std::size_t bound = 50;
	std::string batch = std::to_string(bound + 30) + "\n";
	for (std::size_t i = 0; i < bound + 30; i++)
		batch += std::string(SCHED_HAS_PRIORITY ? "A 1 " : "A ") + std::to_string(2 * i) + " 1\n";
	const json::value d = json::parse(run_core(batch, {.form = sched::output_form::json, .most_listed = bound}).out);
	const std::vector<json::value>& segments = d["segments"].items;
	EXPECT_TRUE(d["segments_cut_short"].boolean);
	ASSERT_EQ(segments.size(), bound);
	EXPECT_GE(d["segments_cut_at"].integer(), segments.back()[2].integer());
}

// A refused batch is refused the same way whatever is asked of the run.
TEST(SCHED_TEST_SUITE, BadInputUnderEitherFlag)
{
	for (const std::string input : {"x", "2\nA 1", "1\nA 2.5 1 1\n", "1\nA 1 2x"}) {
		const ran report = run_core(input, {});
		ASSERT_EQ(report.status, 1);
		for (const sched::output_form form : {sched::output_form::explain, sched::output_form::json}) {
			const ran r = run_core(input, {.form = form});
			EXPECT_EQ(r.status, 1);
			EXPECT_EQ(r.out, "");
			EXPECT_EQ(r.err, report.err);
		}
	}
}

} // namespace
