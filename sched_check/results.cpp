#include "results.hpp"

#include "account.hpp"

#include <cstdio>

namespace sched_check {

namespace {

using sched::cat;
namespace json = sched::json;

// A line of a report as a person can read it: control bytes written as escapes, so that a
// CR or a tab shows.
std::string visible(std::string_view line)
{
	static constexpr char hex[] = "0123456789abcdef";
	std::string out;
	for (const char c : line) {
		const auto byte = static_cast<unsigned char>(c);
		if (c == '\r')
			out += "\\r";
		else if (c == '\t')
			out += "\\t";
		else if (byte < 0x20 || byte == 0x7f)
			out += cat("\\x", std::string(1, hex[byte >> 4]), std::string(1, hex[byte & 0xf]));
		else
			out += c;
	}
	return out;
}

// A report's lines, numbered, the first differing one marked.
std::string numbered(const std::string& report, std::size_t marked)
{
	std::string out;
	std::size_t number = 0;
	for (std::size_t start = 0; start < report.size();) {
		std::size_t end = report.find('\n', start);
		const bool ended = end != std::string::npos;
		if (!ended)
			end = report.size();
		number++;
		char head[32];
		std::snprintf(head, sizeof head, "%s%4zu  ", number == marked ? "  > " : "    ", number);
		out += cat(head, visible(report.substr(start, end - start)), ended ? "\n" : "   (no line feed)\n");
		start = end + 1;
	}
	if (marked > number) {
		char head[32];
		std::snprintf(head, sizeof head, "  > %4zu  ", marked);
		out += cat(head, "(nothing: the text ends before this line)\n");
	}
	return out.empty() ? "    (nothing)\n" : out;
}

std::string finding_text(const options& o, const sched::finding& f)
{
	return o.hide_expected ? f.hint : f.text;
}

// The story of the first failure, for a person.
std::string story_text(const options& o, const failure_story& s)
{
	std::string out = cat("The first failure, ", s.name);
	if (s.shrunk)
		out += cat(", made small in ", std::to_string(s.shrinking_runs), " runs");
	out += cat(": ", sched::verdict_name(s.verdict), s.detail.empty() ? "" : ": ", s.detail, "\n\nThe batch:\n");
	out += numbered(s.batch, 0);
	if (!o.hide_expected)
		out += cat("\nThe expected report:\n", numbered(s.expected, s.first_difference));
	out += cat("\nThe program's output:\n", numbered(s.actual, s.first_difference));
	if (!s.findings.empty())
		out += "\n";
	for (const sched::finding& f : s.findings)
		out += cat(finding_text(o, f), "\n");
	if (!o.hide_expected && !s.decided_by.empty())
		out += cat("\nDecided by the program's account: ", s.decided_by, "\n");
	return out;
}

std::string text_results(const options& o, const check_results& r)
{
	if (!r.trouble.empty())
		return cat("sched_check: ", r.trouble, "\n");
	std::string out = cat(r.program, ": ", std::to_string(r.passed()), " of ", std::to_string(r.batches.size()),
	                      " batches passed\n");
	for (const batch_result& b : r.batches) {
		char verdict[32];
		std::snprintf(verdict, sizeof verdict, "%-22s", sched::verdict_name(b.verdict));
		out += cat("  ", verdict, b.name, b.detail.empty() ? "" : ": ", b.detail, "\n");
	}
	if (r.first_failure)
		out += cat("\n", story_text(o, *r.first_failure));
	return out;
}

double points_each(const options& o, const check_results& r)
{
	return o.points && !r.batches.empty() ? *o.points / static_cast<double>(r.batches.size()) : 1;
}

std::string number(double value)
{
	char text[32];
	std::snprintf(text, sizeof text, "%.10g", value);
	return text;
}

std::string nullable(bool present, const std::string& text)
{
	return present ? json::bytes(text) : "null";
}

std::string json_story(const options& o, const failure_story& s)
{
	std::string findings = "[";
	for (const sched::finding& f : s.findings)
		findings += cat(findings.size() > 1 ? "," : "", "{\"line\":", std::to_string(f.line), ",\"kind\":",
		                json::bytes(f.kind), ",\"text\":", json::bytes(finding_text(o, f)), "}");
	return cat("{\"name\":", json::bytes(s.name), ",\"batch\":", json::bytes(s.batch), ",\"shrunk\":",
	           s.shrunk ? "true" : "false", ",\"verdict\":", json::bytes(sched::verdict_name(s.verdict)),
	           ",\"detail\":", json::bytes(s.detail), ",\"expected\":", nullable(!o.hide_expected, s.expected),
	           ",\"actual\":", json::bytes(s.actual), ",\"first_difference\":", std::to_string(s.first_difference),
	           ",\"findings\":", findings, "]", ",\"decided_by\":",
	           nullable(!o.hide_expected && !s.decided_by.empty(), s.decided_by), "}");
}

std::string json_results(const options& o, const check_results& r)
{
	std::string batches = "[";
	for (const batch_result& b : r.batches)
		batches += cat(batches.size() > 1 ? ",\n" : "\n", "{\"name\":", json::bytes(b.name), ",\"verdict\":",
		               json::bytes(sched::verdict_name(b.verdict)), ",\"detail\":", json::bytes(b.detail), "}");
	return cat("{\"format\":1,\"program\":", json::bytes(r.program), ",\"version\":", json::bytes(SCHED_VERSION),
	           ",\"seed\":", std::to_string(r.seed), ",\"passed\":", std::to_string(r.passed()), ",\"failed\":",
	           std::to_string(r.batches.size() - r.passed()), ",\"batches\":", batches, "],\n\"smallest_failure\":",
	           r.first_failure ? json_story(o, *r.first_failure) : "null", ",\n\"error\":",
	           nullable(!r.trouble.empty(), r.trouble), "}\n");
}

// What a grader shows for one batch: its verdict and, for the first failure, its story.
std::string batch_output(const options& o, const check_results& r, const batch_result& b)
{
	std::string out = cat(sched::verdict_name(b.verdict), b.detail.empty() ? "" : ": ", b.detail);
	if (r.first_failure && r.first_failure->name == b.name)
		out += cat("\n\n", story_text(o, *r.first_failure));
	return out;
}

std::string summary(const check_results& r)
{
	return r.trouble.empty() ? cat(r.program, ": ", std::to_string(r.passed()), " of ",
	                               std::to_string(r.batches.size()), " batches passed")
	                         : cat("sched_check: ", r.trouble);
}

std::string gradescope_results(const options& o, const check_results& r)
{
	const double each = points_each(o, r);
	std::string tests = "[";
	for (const batch_result& b : r.batches) {
		const bool passed = b.verdict == sched::verdict::passed;
		tests += cat(tests.size() > 1 ? ",\n" : "\n", "{\"name\":", json::bytes(b.name), ",\"score\":",
		             number(passed ? each : 0), ",\"max_score\":", number(each), ",\"status\":",
		             passed ? "\"passed\"" : "\"failed\"", ",\"output\":", json::bytes(batch_output(o, r, b)),
		             ",\"visibility\":", json::bytes(o.visibility), "}");
	}
	return cat("{\"score\":", number(each * static_cast<double>(r.passed())), ",\"output\":",
	           json::bytes(summary(r)), ",\"tests\":", tests, "]}\n");
}

// PrairieLearn takes at most a megabyte of results: each message and output is cut to its
// share, and the shares halved until the whole fits.
std::string cut(const std::string& text, std::size_t most)
{
	return text.size() <= most ? text : cat(text.substr(0, most), "\n(cut short)");
}

constexpr std::size_t most_prairielearn_bytes = 1'000'000;

std::string prairielearn_results(const options& o, const check_results& r, std::size_t share)
{
	const double each = points_each(o, r);
	std::string tests = "[";
	for (const batch_result& b : r.batches) {
		const bool passed = b.verdict == sched::verdict::passed;
		const std::string message = cat(sched::verdict_name(b.verdict), b.detail.empty() ? "" : ": ", b.detail);
		tests += cat(tests.size() > 1 ? ",\n" : "\n", "{\"name\":", json::bytes(cut(b.name, share)), ",\"points\":",
		             number(passed ? each : 0), ",\"max_points\":", number(each), ",\"message\":",
		             json::bytes(cut(message, share)), ",\"output\":", json::bytes(cut(batch_output(o, r, b), share)), "}");
	}
	const double score = r.batches.empty() ? 0 : static_cast<double>(r.passed()) / static_cast<double>(r.batches.size());
	const std::string results =
		cat("{\"gradable\":", r.trouble.empty() ? "true" : "false", ",\"score\":", number(r.trouble.empty() ? score : 0),
		    ",\"message\":", json::bytes(cut(summary(r), share)), ",\"tests\":", tests, "]}\n");
	if (results.size() > most_prairielearn_bytes && share > 16)
		return prairielearn_results(o, r, share / 2);
	return results;
}

std::string prairielearn_results(const options& o, const check_results& r)
{
	return prairielearn_results(o, r, 100'000);
}

// Text for XML: the five special characters escaped, control bytes written as "\xNN",
// and every byte from 0x80 up as the character of the same code, so that any name gives
// well-formed XML.
std::string xml(std::string_view text)
{
	std::string out;
	for (const char c : text) {
		const auto byte = static_cast<unsigned char>(c);
		switch (c) {
		case '&': out += "&amp;"; break;
		case '<': out += "&lt;"; break;
		case '>': out += "&gt;"; break;
		case '"': out += "&quot;"; break;
		case '\'': out += "&apos;"; break;
		default:
			if (byte >= 0x80) {
				out += static_cast<char>(0xC0 | (byte >> 6));
				out += static_cast<char>(0x80 | (byte & 0x3F));
			} else if (byte < 0x20 && c != '\n' && c != '\t') {
				out += visible(std::string_view(&c, 1));
			} else {
				out += c;
			}
		}
	}
	return out;
}

std::string junit_results(const options& o, const check_results& r)
{
	std::size_t failures = 0;
	std::size_t errors = 0;
	std::string cases;
	for (const batch_result& b : r.batches) {
		cases += cat("    <testcase classname=\"", xml(r.program), "\" name=\"", xml(b.name), "\"");
		if (b.verdict == sched::verdict::passed) {
			cases += "/>\n";
			continue;
		}
		const bool failure = b.verdict == sched::verdict::wrong_answer || b.verdict == sched::verdict::presentation_error;
		(failure ? failures : errors)++;
		const char* element = failure ? "failure" : "error";
		cases += cat(">\n      <", element, " type=\"", sched::verdict_name(b.verdict), "\" message=\"", xml(b.detail),
		             "\">", xml(batch_output(o, r, b)), "</", element, ">\n    </testcase>\n");
	}
	if (!r.trouble.empty()) {
		errors++;
		cases += cat("    <testcase classname=\"", xml(r.program), "\" name=\"sched_check\">\n      <error message=\"",
		             xml(r.trouble), "\"/>\n    </testcase>\n");
	}
	const std::string counts = cat("tests=\"", std::to_string(r.batches.size() + (r.trouble.empty() ? 0 : 1)),
	                               "\" failures=\"", std::to_string(failures), "\" errors=\"", std::to_string(errors), "\"");
	return cat("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"sched_check\" ", counts,
	           ">\n  <testsuite name=\"", xml(r.program), "\" ", counts, ">\n", cases, "  </testsuite>\n</testsuites>\n");
}

// A YAML block scalar of TAP's diagnostics: every line indented.
std::string indented(const std::string& text, const char* indent)
{
	std::string out;
	for (std::size_t start = 0; start < text.size();) {
		std::size_t end = text.find('\n', start);
		if (end == std::string::npos)
			end = text.size();
		out += cat(indent, visible(text.substr(start, end - start)), "\n");
		start = end + 1;
	}
	return out;
}

std::string tap_results(const options& o, const check_results& r)
{
	std::string out = cat("TAP version 13\n1..", std::to_string(r.batches.size()), "\n");
	std::size_t number = 0;
	for (const batch_result& b : r.batches) {
		number++;
		const bool passed = b.verdict == sched::verdict::passed;
		out += cat(passed ? "ok " : "not ok ", std::to_string(number), " - ", visible(b.name), "\n");
		if (!passed)
			out += cat("  ---\n  verdict: ", sched::verdict_name(b.verdict), "\n  output: |\n",
			           indented(batch_output(o, r, b), "    "), "  ...\n");
	}
	if (!r.trouble.empty())
		out += cat("Bail out! ", visible(r.trouble), "\n");
	return out;
}

} // namespace

std::string format_results(const options& o, const check_results& r)
{
	switch (o.format) {
	case results_format::text:
		return text_results(o, r);
	case results_format::json:
		return json_results(o, r);
	case results_format::gradescope:
		return gradescope_results(o, r);
	case results_format::prairielearn:
		return prairielearn_results(o, r);
	case results_format::junit:
		return junit_results(o, r);
	case results_format::tap:
		return tap_results(o, r);
	}
	return "";
}

} // namespace sched_check
