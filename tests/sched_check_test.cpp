// sched_check from the outside: planted faults in small student programs, each found
// with its verdict and made small; the suite's own programs passing against themselves;
// every results format read back; and the checks that cannot be done.

#include "harness.hpp"
#include "json_reader.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace json = sched::json;

// A program as the checker, perhaps itself run by a launcher, names it on its command line.
std::string command_path(const std::string& path)
{
	if (std::string(SCHED_TEST_LAUNCHER) != "wine")
		return path;
	std::string windows = "Z:" + path;
	std::replace(windows.begin(), windows.end(), '/', '\\');
	return windows;
}

run_result check(std::vector<std::string> arguments, const std::string& input = "")
{
	return run_program(SCHED_CHECK, input, arguments);
}

std::vector<std::string> against(const char* program, const std::string& command, std::vector<std::string> options)
{
	options.insert(options.end(), {program, "--", command_path(command)});
	return options;
}

std::string student(const std::string& fault)
{
	return std::string(STUDENTS) + "/priority_student_" + fault;
}

std::size_t processes_of(const std::string& batch)
{
	return static_cast<std::size_t>(std::stoul(batch));
}

TEST(SchedCheck, TheSuitesProgramsPassAgainstThemselves)
{
	const std::pair<const char*, const char*> programs[] = {{"priority_sched", PRIORITY_SCHED},
	                                                        {"srtf_sched", SRTF_SCHED},
	                                                        {"fcfs_sched", FCFS_SCHED},
	                                                        {"fcfs_fixed", FCFS_FIXED},
	                                                        {"sum_cases", SUM_CASES}};
	for (const auto& [name, path] : programs) {
		const run_result r = check(against(name, path, {"--count", "4", "--format", "json"}));
		EXPECT_EQ(r.status, 0) << name << r.err << r.out;
		EXPECT_EQ(r.err, "");
		const json::value document = json::parse(r.out);
		EXPECT_EQ(document["failed"].integer(), 0) << name;
		EXPECT_TRUE(document["smallest_failure"].is_null());
	}
}

TEST(SchedCheck, AnotherProgramFailsAndIsExplained)
{
	const run_result r = check(against("fcfs_fixed", FCFS_SCHED, {"--format", "json"}));
	ASSERT_EQ(r.status, 1) << r.err;
	const json::value story = json::parse(r.out)["smallest_failure"];
	EXPECT_EQ(story["verdict"].text, "wrong answer");
	EXPECT_LE(processes_of(story["batch"].text), 4U) << story["batch"].text;
	EXPECT_NE(story["decided_by"].text.find("tie on arrival"), std::string::npos) << story["decided_by"].text;
}

TEST(SchedCheck, ChecksThatCannotBeDone)
{
	const run_result missing = check(against("priority_sched", "/no/such/program", {"--format", "prairielearn"}));
	EXPECT_EQ(missing.status, 2);
	EXPECT_TRUE(missing.err.starts_with("sched_check: cannot start")) << missing.err;
	EXPECT_FALSE(json::parse(missing.out)["gradable"].boolean);

	const std::filesystem::path folder = std::filesystem::temp_directory_path() / "sched_check_batches";
	std::filesystem::create_directories(folder);
	std::ofstream(folder / "zero.txt") << "1\nA 0 0\n";
	const run_result refused = check({"srtf_sched", "--batches", folder.string(), "--", command_path(SRTF_SCHED)});
	EXPECT_EQ(refused.status, 2);
	EXPECT_NE(refused.err.find("zero.txt: it has a burst of 0"), std::string::npos) << refused.err;
	std::filesystem::remove_all(folder);

	for (const std::vector<std::string>& line : {std::vector<std::string>{"priority_sched"}, {"nosuch", "--list"},
	                                            {"priority_sched", "--only", "nosuch", "--list"},
	                                            {"priority_sched", "--timeout", "0", "--list"}}) {
		const run_result r = check(line);
		EXPECT_EQ(r.status, 2) << r.err;
		EXPECT_TRUE(r.err.starts_with("sched_check: ")) << r.err;
	}
}

TEST(SchedCheck, ExportsAndChecksAnAnswer)
{
	const std::filesystem::path folder = std::filesystem::temp_directory_path() / "sched_check_export";
	std::filesystem::remove_all(folder);
	const run_result r = check({"priority_sched", "--count", "2", "--export", folder.string()});
	ASSERT_EQ(r.status, 0) << r.err;
	std::ifstream input(folder / "tie-arrival-exchange" / "input");
	std::ifstream output(folder / "tie-arrival-exchange" / "output");
	std::stringstream batch, report;
	batch << input.rdbuf();
	report << output.rdbuf();
	EXPECT_EQ(batch.str(), "3\nA 2 1 1\nB 2 1 1\nC 2 0 1\n");
	EXPECT_EQ(report.str(), "C 1 1 0\nB 2 1 0\nA 3 2 1\n");

	std::ofstream(folder / "answer") << "B 2 1 0\nC 1 1 0\nA 3 2 2\n";
	const run_result answered = check({"priority_sched", "--answer", (folder / "answer").string()}, batch.str());
	EXPECT_EQ(answered.status, 1);
	EXPECT_NE(answered.out.find("right lines in the wrong order; a waiting time that is not turnaround minus burst"),
	          std::string::npos)
	    << answered.out;
	std::filesystem::remove_all(folder);

	const run_result listed = check({"priority_sched", "--exercises", "--seed", "7", "--count", "2", "--list"});
	EXPECT_EQ(listed.out, "example\ntie-first-tick\ntie-arrival-exchange\ntie-final-order\ntie-equal-priorities\n"
	                      "exercise-7\nexercise-8\n");
}

// The planted faults: a student program that ties stably, one that gives the first tick
// to the most urgent, one whose waiting forgets the arrival, and the ways output and
// runs go wrong.
TEST(SchedCheckStudents, FindEachPlantedFault)
{
	const struct {
		const char* fault;
		std::vector<std::string> options;
		const char* verdict;
		bool policy;
	} planted[] = {
		{"none", {}, "", false},
		{"stable_ties", {}, "wrong answer", true},
		{"first_tick_by_priority", {}, "wrong answer", true},
		{"waiting_from_zero", {}, "wrong answer", true},
		{"crlf", {}, "presentation error", false},
		{"trailing_blank", {}, "presentation error", false},
		{"crash", {}, "runtime error", false},
		{"endless_loop", {"--timeout", "0.2", "--count", "0"}, "time limit exceeded", false},
		{"endless_output", {"--count", "0"}, "output limit exceeded", false},
	};
	for (const auto& p : planted) {
		std::vector<std::string> options = p.options;
		options.insert(options.end(), {"--format", "json"});
		const run_result r = check(against("priority_sched", student(p.fault), options));
		const json::value story = json::parse(r.out)["smallest_failure"];
		if (*p.verdict == '\0') {
			EXPECT_EQ(r.status, 0) << p.fault << r.out;
			continue;
		}
		EXPECT_EQ(r.status, 1) << p.fault << r.err;
		EXPECT_EQ(story["verdict"].text, p.verdict) << p.fault;
		if (p.policy) {
			EXPECT_LE(processes_of(story["batch"].text), 4U) << p.fault << story["batch"].text;
			EXPECT_FALSE(story["decided_by"].is_null()) << p.fault;
		}
	}
	// Line ends and spacing alone pass where only the lines count.
	EXPECT_EQ(check(against("priority_sched", student("crlf"), {"--compare", "lines"})).status, 0);
	const run_result crlf = check(against("priority_sched", student("crlf"), {"--only", "example"}));
	EXPECT_NE(crlf.out.find("CR LF (as a text-mode stream writes them on Windows)"), std::string::npos) << crlf.out;
}

TEST(SchedCheckStudents, HiddenExpectedReportsStayHidden)
{
	const run_result r = check(against("priority_sched", student("stable_ties"), {"--hide-expected", "--format", "json"}));
	const json::value story = json::parse(r.out)["smallest_failure"];
	EXPECT_TRUE(story["expected"].is_null());
	EXPECT_TRUE(story["decided_by"].is_null());
	for (const json::value& f : story["findings"].items)
		EXPECT_EQ(f["text"].text.find(" finishes before "), std::string::npos) << f["text"].text;
	const run_result text = check(against("priority_sched", student("stable_ties"), {"--hide-expected"}));
	EXPECT_EQ(text.out.find("The expected report"), std::string::npos);
	EXPECT_EQ(text.out.find("Decided by"), std::string::npos);
}

// Just enough XML to tell a well-formed document: elements that close in order, quoted
// attributes, known entities and no raw control bytes.
class xml_checker {
public:
	explicit xml_checker(const std::string& text) : text_(text) {}

	// The names of the elements, in document order; throws where the text is not XML.
	std::vector<std::string> elements()
	{
		if (text_.starts_with("<?xml"))
			at_ = text_.find("?>") + 2;
		skip_space();
		element();
		skip_space();
		if (at_ != text_.size())
			fail("text after the root");
		return names_;
	}

private:
	[[noreturn]] void fail(const std::string& what) const
	{
		throw std::runtime_error(what + " at byte " + std::to_string(at_));
	}
	void skip_space()
	{
		while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])))
			at_++;
	}
	std::string name()
	{
		const std::size_t start = at_;
		while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_'))
			at_++;
		if (at_ == start)
			fail("expected a name");
		return text_.substr(start, at_ - start);
	}
	void characters(char end)
	{
		for (; at_ < text_.size() && text_[at_] != end; at_++) {
			const auto c = static_cast<unsigned char>(text_[at_]);
			if (c == '<' || (c < 0x20 && c != '\n' && c != '\t' && c != '\r'))
				fail("a raw < or control byte");
			if (c == '&') {
				const std::size_t semicolon = text_.find(';', at_);
				const std::string entity = text_.substr(at_, semicolon - at_ + 1);
				if (entity != "&amp;" && entity != "&lt;" && entity != "&gt;" && entity != "&quot;" && entity != "&apos;")
					fail("an unknown entity " + entity);
			}
		}
	}
	void element()
	{
		if (text_[at_++] != '<')
			fail("expected <");
		const std::string tag = name();
		names_.push_back(tag);
		for (skip_space(); text_[at_] != '>' && text_[at_] != '/'; skip_space()) {
			name();
			if (text_.compare(at_, 2, "=\"") != 0)
				fail("an unquoted attribute");
			at_ += 2;
			characters('"');
			at_++;
		}
		if (text_[at_] == '/') {
			at_ += 2;
			return;
		}
		at_++;
		for (;;) {
			characters('<');
			if (text_.compare(at_, 2, "</") == 0)
				break;
			element();
		}
		at_ += 2;
		if (name() != tag || text_[at_++] != '>')
			fail("</" + tag + "> expected");
	}

	const std::string& text_;
	std::size_t at_ = 0;
	std::vector<std::string> names_;
};

TEST(SchedCheckStudents, EveryFormatReadsBack)
{
	auto results = [](const char* format) {
		return check(against("priority_sched", student("stable_ties"), {"--format", format, "--points", "50"})).out;
	};
	const json::value own = json::parse(results("json"));
	EXPECT_EQ(own["format"].integer(), 1);
	EXPECT_EQ(own["passed"].integer() + own["failed"].integer(), static_cast<long long>(own["batches"].items.size()));
	EXPECT_EQ(own["smallest_failure"]["first_difference"].integer() > 0, true);

	const json::value gradescope = json::parse(results("gradescope"));
	double score = 0;
	for (const json::value& test : gradescope["tests"].items) {
		EXPECT_EQ(test["visibility"].text, "visible");
		EXPECT_TRUE(test["status"].text == "passed" || test["status"].text == "failed");
		score += std::stod(test["score"].text);
	}
	EXPECT_NEAR(std::stod(gradescope["score"].text), score, 1e-6);
	EXPECT_LT(score, 50);

	const json::value prairielearn = json::parse(results("prairielearn"));
	EXPECT_TRUE(prairielearn["gradable"].boolean);
	EXPECT_LT(std::stod(prairielearn["score"].text), 1);

	const std::string junit = results("junit");
	const std::vector<std::string> elements = xml_checker(junit).elements();
	EXPECT_EQ(elements.front(), "testsuites");
	EXPECT_GT(std::count(elements.begin(), elements.end(), "failure"), 0);

	const std::string tap = results("tap");
	EXPECT_TRUE(tap.starts_with("TAP version 13\n1..")) << tap;
	EXPECT_NE(tap.find("\nnot ok "), std::string::npos);
}

} // namespace
