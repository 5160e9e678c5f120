#include "reference.hpp"

#include "fcfs_fixed.hpp"
#include "fcfs_sched.hpp"
#include "in_memory.hpp"
#include "priority_sched.hpp"
#include "progress.hpp"
#include "srtf_sched.hpp"
#include "sum_cases.hpp"

#include <chrono>

namespace sched_check {

namespace {

std::vector<sched::named_batch> priority_ties()
{
	return {{"tie-first-tick", "3\nA 3 0 2\nB 1 0 2\nC 2 0 2\n"},
	        {"tie-arrival-exchange", "3\nA 2 1 1\nB 2 1 1\nC 2 0 1\n"},
	        {"tie-final-order", "4\nX 3 0 2\nY 2 0 2\nZ 3 0 2\nW 1 1 2\n"},
	        {"tie-equal-priorities", "3\nA 1 0 3\nB 1 0 3\nC 1 1 2\n"}};
}

std::vector<sched::named_batch> srtf_ties()
{
	return {{"tie-first-tick", "3\nA 0 5\nB 0 2\nC 0 3\n"},
	        {"tie-equal-newcomer", "2\nA 0 3\nB 1 2\n"},
	        {"tie-time-left", "3\nA 0 4\nB 1 3\nC 2 3\n"},
	        {"tie-first-in-input", "2\nA 0 2\nB 0 1\n"}};
}

std::vector<sched::named_batch> fcfs_ties()
{
	return {{"tie-equal-first-arrivals", "3\nA 0 1\nB 0 2\nC 1 3\n"},
	        {"tie-equal-late-arrivals", "3\nA 1 1\nB 1 2\nC 0 3\n"},
	        {"tie-no-idle-time", "2\nX 0 2\nY 10 3\n"}};
}

std::vector<sched::named_batch> case_edges()
{
	return {{"cases-ten", "10\n1 2\n3 4\n5 6\n7 8\n9 10\n-1 -2\n-3 4\n0 0\n100 -100\n2147483647 0\n"},
	        {"cases-eleven", "11\n"},
	        {"cases-none", "0\n"},
	        {"cases-negative", "2\n5 -7\n-3 -4\n"}};
}

const program programs[] = {
	{"priority_sched", sched::report_rules::preemptive, sched::batch_kind::priority, priority_ties},
	{"srtf_sched", sched::report_rules::echoing, sched::batch_kind::arrival_burst, srtf_ties},
	{"fcfs_sched", sched::report_rules::from_zero, sched::batch_kind::arrival_burst, fcfs_ties},
	{"fcfs_fixed", sched::report_rules::from_zero, sched::batch_kind::fixed_table, fcfs_ties},
	{"sum_cases", sched::report_rules::cases, sched::batch_kind::cases, case_edges},
};

// Ends a run of priority_sched, the one program whose runs can take long, once it has
// taken its time: the engine tells the hook how far it has come now and then.
class deadline : public priority_sched::progress_hook {
public:
	explicit deadline(double seconds)
	    : end_(std::chrono::steady_clock::now() +
	           std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(seconds)))
	{
		priority_sched::show_progress_on(this);
	}
	deadline(const deadline&) = delete;
	deadline& operator=(const deadline&) = delete;
	~deadline() override { priority_sched::show_progress_on(nullptr); }

	void show(const priority_sched::progress_point&) override
	{
		if (std::chrono::steady_clock::now() < end_)
			return;
		passed_ = true;
		throw sched::failure("the time limit has passed");
	}
	bool passed() const { return passed_; }

private:
	std::chrono::steady_clock::time_point end_;
	bool passed_ = false;
};

sched::captured_run run_program(const program& p, std::string_view batch, sched::output_form form)
{
	const std::string name = p.name;
	return sched::run_in_memory(
		[&](std::FILE* in, std::FILE* out, std::FILE* err) {
			const sched::run_options options{.form = form};
			if (name == "priority_sched")
				return priority_sched::run(in, out, err, options);
			if (name == "srtf_sched")
				return srtf_sched::run(in, out, err, options);
			if (name == "fcfs_sched")
				return fcfs_sched::run(in, out, err, options);
			if (name == "fcfs_fixed")
				return fcfs_fixed::run(in, out, err, options);
			return sum_cases::run(in, out, err);
		},
		batch);
}

// The burst of each report line, as the line gives it back.
std::optional<long long> burst_below_one(sched::report_rules rules, const std::string& report)
{
	for (std::size_t start = 0; start < report.size();) {
		const std::size_t end = report.find('\n', start);
		long long figures[5] = {};
		std::size_t count = 0;
		for (std::size_t at = start + 1; at < end && count < 5;) {
			const std::size_t next = report.find(' ', at + 1);
			figures[count++] = std::stoll(report.substr(at + 1, std::min(next, end) - at - 1));
			at = std::min(next, end);
		}
		start = end + 1;
		// Turnaround minus waiting, or the burst itself where the line repeats it.
		const long long burst = rules == sched::report_rules::echoing ? figures[1] : figures[1] - figures[2];
		if (burst < 1)
			return burst;
	}
	return std::nullopt;
}

} // namespace

const program* find_program(std::string_view name)
{
	for (const program& p : programs)
		if (name == p.name)
			return &p;
	return nullptr;
}

std::string program_names()
{
	return "priority_sched, srtf_sched, fcfs_sched, fcfs_fixed or sum_cases";
}

reference_report reference(const program& p, std::string_view batch, double seconds, bool with_account)
{
	reference_report r;
	const bool document = with_account && p.rules != sched::report_rules::cases;
	sched::captured_run run;
	{
		const deadline limit(seconds);
		run = run_program(p, batch, document ? sched::output_form::json : sched::output_form::report);
		r.too_slow = limit.passed();
	}
	if (r.too_slow) {
		r.problem = "the reference takes longer than the time limit to compute its report";
		return r;
	}
	if (run.status != 0) {
		r.problem = "the program refuses it: " + run.err.substr(0, run.err.find('\n'));
		return r;
	}
	if (document) {
		sched::expected_report expected = sched::read_expected_report(run.out);
		r.report = std::move(expected.report);
		r.line_records = std::move(expected.line_records);
		r.account = std::move(expected.account);
	} else
		r.report = std::move(run.out);
	if (p.rules != sched::report_rules::cases)
		if (const std::optional<long long> burst = burst_below_one(p.rules, r.report)) {
			r.problem = "it has a burst of " + std::to_string(*burst) + ", and every burst must be at least 1";
			return r;
		}
	r.accepted = true;
	return r;
}

} // namespace sched_check
