#include "check.hpp"

#include "account.hpp"
#include "child.hpp"
#include "command_line.hpp"
#include "shrink.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace sched_check {

namespace {

// A run may print this much before it is ended: a few times the report, and a megabyte
// at least.
std::size_t output_cap(const std::string& expected)
{
	return std::max<std::size_t>(std::size_t{1} << 20, 4 * expected.size());
}

std::string seconds_text(double seconds)
{
	char text[32];
	std::snprintf(text, sizeof text, "%g s", seconds);
	return text;
}

struct judgement {
	sched::verdict verdict = sched::verdict::passed;
	std::string detail;
	std::string output;
	sched::comparison comparison;
	std::string error_output;
};

judgement judge_output(const options& o, const std::string& expected, std::string output,
                       const std::vector<std::int32_t>& line_records = {})
{
	judgement j;
	j.comparison = sched::compare_reports(o.checked->rules, expected, output, o.compare, line_records);
	j.verdict = j.comparison.outcome;
	j.detail = j.comparison.detail;
	j.output = std::move(output);
	return j;
}

// A run that the report decides nothing of.
judgement ended(sched::verdict verdict, std::string detail, const child_outcome& run)
{
	judgement j;
	j.verdict = verdict;
	j.detail = std::move(detail);
	j.output = run.out;
	return j;
}

judgement judge_run(const options& o, const std::string& batch, const std::string& expected,
                    const std::vector<std::int32_t>& line_records = {})
{
	const child_outcome run = run_child(o.command, batch, {o.timeout, output_cap(expected), o.memory_bytes});
	judgement j;
	switch (run.how) {
	case child_outcome::ending::not_started:
		throw trouble("cannot start " + o.command.front() + ": " + run.problem);
	case child_outcome::ending::timed_out:
		j = ended(sched::verdict::time_limit_exceeded, "no end within the time limit of " + seconds_text(o.timeout), run);
		break;
	case child_outcome::ending::output_limit:
		j = ended(sched::verdict::output_limit_exceeded,
		          "more than " + sched::with_commas(static_cast<long long>(output_cap(expected))) + " bytes of output",
		          run);
		break;
	case child_outcome::ending::crashed:
		j = ended(sched::verdict::runtime_error, run.problem, run);
		break;
	case child_outcome::ending::exited:
		if (o.zero_status_only && run.status != 0)
			j = ended(sched::verdict::runtime_error, "exit status " + std::to_string(run.status), run);
		else
			j = judge_output(o, expected, run.out, line_records);
		break;
	}
	j.error_output = run.err;
	return j;
}

// The report of a batch of the set, or the trouble of a batch that is none to check by.
reference_report reference_of(const options& o, const std::string& name, const std::string& file,
                              const std::string& text, bool with_account = false)
{
	reference_report r = reference(*o.checked, text, o.timeout, with_account);
	if (!r.accepted)
		throw trouble((file.empty() ? "batch " + name : file) + ": " + r.problem);
	return r;
}

std::string entry_text(const sched::account_entry& e)
{
	return "at " + sched::with_commas(e.clock) + ", " + e.text;
}

// The account's entry behind the finding about the first differing line, or else behind
// the first finding. A missing line has none: nothing decided that it is missing.
std::string decided_by(const failure_story& story, const std::vector<sched::account_entry>& account)
{
	const auto about_first = std::find_if(story.findings.begin(), story.findings.end(), [&](const sched::finding& f) {
		return f.line == story.first_difference || f.expected_line == story.first_difference;
	});
	const sched::finding* f = about_first != story.findings.end() ? &*about_first
	                          : story.findings.empty()            ? nullptr
	                                                              : &story.findings.front();
	if (f == nullptr || f->kind == "missing")
		return "";
	const std::optional<std::size_t> entry = sched::deciding_entry(account, *f);
	return entry ? entry_text(account[*entry]) : "";
}

void tell(failure_story& story, const reference_report& r, const judgement& j)
{
	story.verdict = j.verdict;
	story.detail = j.detail;
	story.expected = r.report;
	story.actual = j.output;
	story.first_difference = j.comparison.first_difference;
	story.findings = j.comparison.findings;
	story.error_output = j.error_output;
	story.decided_by = decided_by(story, r.account);
}

// A line rewritten in place on standard error, where a person watches at a terminal.
class progress_line {
public:
	explicit progress_line(std::size_t batches) : shown_(sched::error_is_terminal()), batches_(batches) {}
	progress_line(const progress_line&) = delete;
	progress_line& operator=(const progress_line&) = delete;
	~progress_line() { erase(); }

	void show(const check_results& r, const char* doing = "")
	{
		// A few times a second is all a person can read.
		const auto now = std::chrono::steady_clock::now();
		if (!shown_ || (*doing == '\0' && now < next_))
			return;
		next_ = now + std::chrono::milliseconds(100);
		const std::size_t run = r.batches.size();
		const int width = std::fprintf(stderr, "\rsched_check: %zu of %zu batches run, %zu passed, %zu failed%s", run,
		                               batches_, r.passed(), run - r.passed(), doing);
		if (width > 0 && width < width_)
			std::fprintf(stderr, "%*s", width_ - width, "");
		width_ = std::max(width_, width);
		std::fflush(stderr);
	}
	void erase()
	{
		if (width_ > 0)
			std::fprintf(stderr, "\r%*s\r", width_, "");
		width_ = 0;
	}

private:
	bool shown_;
	std::size_t batches_;
	int width_ = 0;
	std::chrono::steady_clock::time_point next_;
};

// The verdict and the kinds of mistake, or how the program crashed: what a smaller
// batch must still show.
std::pair<sched::verdict, std::set<std::string>> failure_kind(const judgement& j)
{
	std::set<std::string> kinds;
	for (const sched::finding& f : j.comparison.findings)
		kinds.insert(f.kind);
	if (j.verdict == sched::verdict::runtime_error)
		kinds.insert(j.detail);
	return {j.verdict, kinds};
}

failure_story first_failure(const options& o, const batch& b, const judgement& failed)
{
	failure_story story{b.name, b.text};
	// A time limit takes the whole limit on every try, and is not worth the wait.
	if (failed.verdict != sched::verdict::time_limit_exceeded) {
		const auto kind = failure_kind(failed);
		const std::function<bool(const std::string&)> still_fails = [&](const std::string& candidate) {
			const reference_report r = reference(*o.checked, candidate, o.timeout);
			return r.accepted && failure_kind(judge_run(o, candidate, r.report)) == kind;
		};
		const shrunk_batch smallest = shrink(o.checked->kind, std::string(o.checked->name) == "fcfs_sched", b.text,
		                                     still_fails, {});
		story.batch = smallest.text;
		story.shrinking_runs = smallest.runs;
		story.shrunk = smallest.text != b.text;
	}
	const reference_report r = reference_of(o, b.name, b.file, story.batch, true);
	tell(story, r, judge_run(o, story.batch, r.report, r.line_records));
	return story;
}

std::string read_answer(const std::string& path)
{
	std::ifstream file(path, std::ios::binary);
	std::ostringstream text;
	text << file.rdbuf();
	if (!file)
		throw trouble("cannot read " + path);
	return text.str();
}

void write_file(const std::filesystem::path& path, const std::string& text)
{
	std::ofstream file(path, std::ios::binary);
	file << text;
	file.close();
	if (!file)
		throw trouble("cannot write " + path.string());
}

} // namespace

std::size_t check_results::passed() const
{
	return static_cast<std::size_t>(std::count_if(batches.begin(), batches.end(), [](const batch_result& b) {
		return b.verdict == sched::verdict::passed;
	}));
}

check_results check_program(const options& o, const std::vector<batch>& batches)
{
	check_results results{o.checked->name, o.seed};
	progress_line progress(batches.size());
	try {
		const batch* failed = nullptr;
		judgement failure;
		for (const batch& b : batches) {
			progress.show(results);
			const reference_report r = reference_of(o, b.name, b.file, b.text);
			judgement j = judge_run(o, b.text, r.report);
			results.batches.push_back({b.name, j.verdict, j.detail});
			if (j.verdict != sched::verdict::passed && failed == nullptr) {
				failed = &b;
				failure = std::move(j);
			}
		}
		if (failed != nullptr) {
			progress.show(results, "; making the first failure small");
			results.first_failure = first_failure(o, *failed, failure);
		}
	} catch (const trouble& t) {
		results.trouble = t.what();
	}
	return results;
}

check_results check_answer(const options& o, const std::string& text)
{
	check_results results{o.checked->name, o.seed};
	try {
		const reference_report r = reference_of(o, "answer", "standard input", text, true);
		const judgement j = judge_output(o, r.report, read_answer(*o.answer_file), r.line_records);
		results.batches.push_back({"answer", j.verdict, j.detail});
		if (j.verdict != sched::verdict::passed) {
			failure_story story{"answer", text};
			story.by_hand = true;
			tell(story, r, j);
			results.first_failure = story;
		}
	} catch (const trouble& t) {
		results.trouble = t.what();
	}
	return results;
}

void export_batches(const options& o, const std::vector<batch>& batches)
{
	namespace fs = std::filesystem;
	for (const batch& b : batches) {
		const reference_report r = reference_of(o, b.name, b.file, b.text);
		const fs::path folder = fs::path(*o.export_to) / b.name;
		std::error_code error;
		fs::create_directories(folder, error);
		if (error)
			throw trouble("cannot make the folder " + folder.string() + ": " + error.message());
		write_file(folder / "input", b.text);
		write_file(folder / "output", r.report);
	}
}

} // namespace sched_check
