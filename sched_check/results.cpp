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

// The length of the UTF-8 sequence that starts at `at`, or 0 where none does.
std::size_t utf8_length(std::string_view text, std::size_t at)
{
	const auto lead = static_cast<unsigned char>(text[at]);
	const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
	                           : lead >= 0xF0 && lead < 0xF5                 ? 4
	                                                                         : 0;
	if (length == 0 || at + length > text.size())
		return 0;
	for (std::size_t i = 1; i < length; i++)
		if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
			return 0;
	return length;
}

// Text for a grader that shows text: UTF-8 as it is, any other byte as "\xNN".
std::string as_text(std::string_view bytes)
{
	static constexpr char hex[] = "0123456789abcdef";
	std::string out;
	for (std::size_t at = 0; at < bytes.size();) {
		if (const std::size_t length = utf8_length(bytes, at); length > 0) {
			out.append(bytes.substr(at, length));
			at += length;
			continue;
		}
		const auto byte = static_cast<unsigned char>(bytes[at++]);
		out += cat("\\x", std::string(1, hex[byte >> 4]), std::string(1, hex[byte & 0xf]));
	}
	return out;
}

// A JSON string of text, for the graders' documents, which show it as text.
std::string json_text(std::string_view bytes)
{
	static constexpr char hex[] = "0123456789abcdef";
	std::string out = "\"";
	for (const char c : as_text(bytes)) {
		const auto byte = static_cast<unsigned char>(c);
		if (c == '"' || c == '\\')
			out += cat("\\", std::string(1, c));
		else if (byte < 0x20 || byte == 0x7f)
			out += cat("\\u00", std::string(1, hex[byte >> 4]), std::string(1, hex[byte & 0xf]));
		else
			out += c;
	}
	return out + "\"";
}

// At most this many lines of a report are shown, around the first difference.
constexpr std::size_t lines_shown = 40;

// A report's lines, numbered, the first differing one marked: those around it, where
// there are many.
std::string numbered(const std::string& report, std::size_t marked)
{
	std::string out;
	std::size_t number = 0;
	const std::size_t first = marked > lines_shown / 4 ? marked - lines_shown / 4 : 1;
	for (std::size_t start = 0; start < report.size();) {
		std::size_t end = report.find('\n', start);
		const bool ended = end != std::string::npos;
		if (!ended)
			end = report.size();
		number++;
		const std::string_view line(report.data() + start, end - start);
		start = end + 1;
		if (number < first || number >= first + lines_shown)
			continue;
		char head[32];
		std::snprintf(head, sizeof head, "%s%4zu  ", number == marked ? "  > " : "    ", number);
		out += cat(head, visible(line), ended ? "\n" : "   (no line feed)\n");
	}
	if (number >= first + lines_shown)
		out += cat("          (", std::to_string(number - first - lines_shown + 1), " more lines)\n");
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
	out += cat(s.by_hand ? "\nThe answer:\n" : "\nThe program's output:\n", numbered(s.actual, s.first_difference));
	if (!s.error_output.empty())
		out += cat("\nWhat the program wrote on standard error:\n", numbered(s.error_output, 0));
	if (!s.findings.empty())
		out += "\n";
	for (const sched::finding& f : s.findings)
		out += cat(finding_text(o, f), "\n");
	if (!o.hide_expected && !s.decided_by.empty())
		out += cat("\nDecided by the program's account: ", s.decided_by, "\n");
	return out;
}

std::string summary(const check_results& r)
{
	if (!r.trouble.empty())
		return cat("sched_check: ", r.trouble);
	return cat(r.program, ": ", std::to_string(r.passed()), " of ", std::to_string(r.batches.size()),
	           r.batches.size() == 1 ? " batch passed" : " batches passed");
}

std::string text_results(const options& o, const check_results& r)
{
	if (!r.trouble.empty())
		return cat("sched_check: ", r.trouble, "\n");
	std::string out = cat(summary(r), "\n");
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

// A report in the document: whole up to a size a document can carry.
constexpr std::size_t most_report_bytes = 1 << 16;

std::string json_report(const std::string& report)
{
	return json::bytes(report.size() <= most_report_bytes ? report : report.substr(0, most_report_bytes));
}

std::string json_story(const options& o, const failure_story& s)
{
	std::string findings = "[";
	for (const sched::finding& f : s.findings)
		findings += cat(findings.size() > 1 ? "," : "", "{\"line\":", std::to_string(f.line), ",\"kind\":",
		                json::bytes(f.kind), ",\"text\":", json::bytes(finding_text(o, f)), "}");
	return cat("{\"name\":", json::bytes(s.name), ",\"batch\":", json::bytes(s.batch), ",\"shrunk\":",
	           s.shrunk ? "true" : "false", ",\"shrinking_runs\":", std::to_string(s.shrinking_runs), ",\"verdict\":", json::bytes(sched::verdict_name(s.verdict)),
	           ",\"detail\":", json::bytes(s.detail), ",\"expected\":",
	           o.hide_expected ? std::string("null") : json_report(s.expected), ",\"actual\":", json_report(s.actual),
	           ",\"reports_cut_short\":",
	           std::max(s.expected.size(), s.actual.size()) > most_report_bytes ? "true" : "false",
	           ",\"error_output\":", json_report(s.error_output), ",\"first_difference\":", std::to_string(s.first_difference),
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
	           ",\"strings\":\"bytes\",\"seed\":", o.batch_paths.empty() ? std::to_string(r.seed) : "null", ",\"passed\":", std::to_string(r.passed()), ",\"failed\":",
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

std::string gradescope_results(const options& o, const check_results& r)
{
	const double each = points_each(o, r);
	std::string tests = "[";
	for (const batch_result& b : r.batches) {
		const bool passed = b.verdict == sched::verdict::passed;
		tests += cat(tests.size() > 1 ? ",\n" : "\n", "{\"name\":", json_text(b.name), ",\"score\":",
		             number(passed ? each : 0), ",\"max_score\":", number(each), ",\"status\":",
		             passed ? "\"passed\"" : "\"failed\"", ",\"output\":", json_text(batch_output(o, r, b)),
		             ",\"visibility\":", json_text(o.visibility), "}");
	}
	return cat("{\"score\":", number(each * static_cast<double>(r.passed())), ",\"output\":",
	           json_text(summary(r)), ",\"tests\":", tests, "]}\n");
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
		tests += cat(tests.size() > 1 ? ",\n" : "\n", "{\"name\":", json_text(cut(b.name, share)), ",\"points\":",
		             number(passed ? each : 0), ",\"max_points\":", number(each), ",\"message\":",
		             json_text(cut(message, share)), ",\"output\":", json_text(cut(batch_output(o, r, b), share)), "}");
	}
	const double score = r.batches.empty() ? 0 : static_cast<double>(r.passed()) / static_cast<double>(r.batches.size());
	const std::string results =
		cat("{\"gradable\":", r.trouble.empty() ? "true" : "false", ",\"score\":", number(r.trouble.empty() ? score : 0),
		    ",\"message\":", json_text(cut(summary(r), share)), ",\"tests\":", tests, "]}\n");
	if (results.size() > most_prairielearn_bytes && share > 16)
		return prairielearn_results(o, r, share / 2);
	return results;
}

std::string prairielearn_results(const options& o, const check_results& r)
{
	return prairielearn_results(o, r, 100'000);
}

// Text for XML: the five special characters escaped, and control bytes and bytes that
// are no UTF-8 written as "\xNN", so that any name gives well-formed XML.
std::string xml(std::string_view bytes)
{
	std::string out;
	for (const char c : as_text(bytes)) {
		switch (c) {
		case '&': out += "&amp;"; break;
		case '<': out += "&lt;"; break;
		case '>': out += "&gt;"; break;
		case '"': out += "&quot;"; break;
		case '\'': out += "&apos;"; break;
		default:
			if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t')
				out += visible(std::string_view(&c, 1));
			else
				out += c;
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
		out += cat(indent, visible(as_text(text.substr(start, end - start))), "\n");
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
		out += cat(passed ? "ok " : "not ok ", std::to_string(number), " - ", visible(as_text(b.name)), "\n");
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
