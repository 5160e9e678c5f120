#include "compare.hpp"

#include "json_reader.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <set>

namespace sched {

const char* verdict_name(verdict v)
{
	switch (v) {
	case verdict::passed:
		return "passed";
	case verdict::presentation_error:
		return "presentation error";
	case verdict::wrong_answer:
		return "wrong answer";
	case verdict::runtime_error:
		return "runtime error";
	case verdict::time_limit_exceeded:
		return "time limit exceeded";
	case verdict::output_limit_exceeded:
		return "output limit exceeded";
	}
	return "";
}

namespace {

// What may differ between two reports that say the same: the ways of spacing a line and
// of ending it, in the order a detail names them.
enum spacing_note {
	crlf,
	trailing_space,
	leading_space,
	wide_spacing,
	glued_name,
	no_break_space,
	blank_lines,
	no_final_line_feed,
	spacing_notes
};

constexpr std::array<const char*, spacing_notes> spacing_words{
	"lines end in CR LF (as a text-mode stream writes them on Windows) where the report ends them with LF alone",
	"white space at the end of a line",
	"white space at the start of a line",
	"more than one blank, or a tab, between the items of a line",
	"no blank between the name and the first figure",
	"a no-break space (the bytes C2 A0) where a blank belongs",
	"blank lines",
	"no line feed after the last line",
};

using notes = std::array<bool, spacing_notes>;

bool is_blank(char c)
{
	return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

// The length of the separator that starts at `at`, or 0: a blank of any kind, or a
// no-break space in UTF-8.
std::size_t separator_at(std::string_view line, std::size_t at, notes& seen)
{
	if (at < line.size() && is_blank(line[at])) {
		if (line[at] != ' ')
			seen[wide_spacing] = true;
		return 1;
	}
	if (at + 1 < line.size() && line[at] == '\xC2' && line[at + 1] == '\xA0') {
		seen[no_break_space] = true;
		return 2;
	}
	return 0;
}

// A line as its words: the name (one byte, whatever it is) and the items after it.
struct words {
	std::size_t line; // in the text, from 1
	char name = 0;
	std::vector<std::string> items;

	std::string joined() const
	{
		std::string out(1, name);
		for (const std::string& item : items)
			out += " " + item;
		return out;
	}
};

std::vector<std::string> split_items(std::string_view rest, notes& seen)
{
	std::vector<std::string> items;
	std::size_t at = 0;
	bool after_separator = true;
	while (at < rest.size()) {
		if (const std::size_t width = separator_at(rest, at, seen); width > 0) {
			if (after_separator && !items.empty())
				seen[wide_spacing] = true;
			at += width;
			after_separator = true;
			continue;
		}
		if (after_separator)
			items.emplace_back();
		items.back() += rest[at++];
		after_separator = false;
	}
	return items;
}

// The lines of a text as words, blank lines left out, with what their spacing showed.
std::vector<words> read_words(std::string_view text, bool named, notes& seen)
{
	std::vector<words> lines;
	std::size_t number = 0;
	for (std::size_t start = 0; start < text.size();) {
		std::size_t end = text.find('\n', start);
		if (end == std::string_view::npos) {
			seen[no_final_line_feed] = true;
			end = text.size();
		}
		std::string_view line = text.substr(start, end - start);
		start = end + 1;
		number++;
		if (line.ends_with('\r')) {
			seen[crlf] = true;
			line.remove_suffix(1);
		}
		std::size_t lead = 0;
		for (std::size_t width; (width = separator_at(line, lead, seen)) > 0;)
			lead += width;
		if (lead == line.size()) {
			seen[blank_lines] = true;
			continue;
		}
		if (lead > 0)
			seen[leading_space] = true;
		line.remove_prefix(lead);
		if (separator_at(line, line.size() - 1, seen) > 0 ||
		    (line.size() >= 2 && separator_at(line, line.size() - 2, seen) == 2))
			seen[trailing_space] = true;
		words w{number, 0, {}};
		if (named) {
			w.name = line[0];
			line.remove_prefix(1);
			if (!line.empty() && separator_at(line, 0, seen) == 0)
				seen[glued_name] = true;
		}
		w.items = split_items(line, seen);
		lines.push_back(std::move(w));
	}
	return lines;
}

struct raw_line {
	std::string_view text;
	bool ended;
};

std::vector<raw_line> raw_lines(std::string_view text)
{
	std::vector<raw_line> lines;
	for (std::size_t start = 0; start < text.size();) {
		const std::size_t end = text.find('\n', start);
		if (end == std::string_view::npos) {
			lines.push_back({text.substr(start), false});
			break;
		}
		lines.push_back({text.substr(start, end - start), true});
		start = end + 1;
	}
	return lines;
}

std::size_t first_difference(std::string_view expected, std::string_view answer)
{
	if (expected == answer)
		return 0;
	const std::vector<raw_line> a = raw_lines(expected);
	const std::vector<raw_line> b = raw_lines(answer);
	std::size_t i = 0;
	while (i < a.size() && i < b.size() && a[i].text == b[i].text && a[i].ended == b[i].ended)
		i++;
	return i + 1;
}

std::optional<long long> whole_number(const std::string& item)
{
	long long value = 0;
	const char* first = item.data() + (item.starts_with('+') ? 1 : 0);
	const char* last = item.data() + item.size();
	const auto [end, error] = std::from_chars(first, last, value);
	if (error != std::errc() || end != last || first == last)
		return std::nullopt;
	return value;
}

std::string name_of(char name)
{
	return std::string(1, name);
}

std::string line_word(std::size_t line)
{
	return "line " + std::to_string(line);
}

// Collects the findings, keeping the first few whole and counting every kind.
class findings {
public:
	void add(finding f)
	{
		counts_[f.kind]++;
		if (kept_.size() < most_findings)
			kept_.push_back(std::move(f));
	}
	std::size_t count(const std::string& kind) const
	{
		const auto found = counts_.find(kind);
		return found == counts_.end() ? 0 : found->second;
	}
	bool any() const { return !kept_.empty(); }
	std::vector<finding> take()
	{
		std::stable_sort(kept_.begin(), kept_.end(), [](const finding& a, const finding& b) {
			return (a.line == 0 ? a.expected_line : a.line) < (b.line == 0 ? b.expected_line : b.line);
		});
		return std::move(kept_);
	}

private:
	std::map<std::string, std::size_t> counts_;
	std::vector<finding> kept_;
};

// A line of the answer held against the line of the report for the same process.
struct figures {
	std::vector<long long> values;
	bool whole = true;
};

figures figures_of(const words& w, std::size_t expected_count)
{
	figures f;
	for (const std::string& item : w.items) {
		const std::optional<long long> value = whole_number(item);
		f.whole = f.whole && value.has_value();
		f.values.push_back(value.value_or(0));
	}
	f.whole = f.whole && f.values.size() == expected_count;
	return f;
}

class scheduler_comparison {
public:
	scheduler_comparison(report_rules rules, const std::vector<words>& expected, const std::vector<words>& answer,
	                     const std::vector<std::int32_t>& line_records)
	    : rules_(rules), expected_(expected), answer_(answer), line_records_(line_records)
	{
	}

	findings run()
	{
		match();
		for (const auto& [a, e] : matched_)
			check_line(answer_[a], expected_[e], e);
		check_order();
		return std::move(found_);
	}

private:
	std::size_t figure_count() const { return rules_ == report_rules::echoing ? 5 : 3; }
	std::int32_t record_of(std::size_t expected_index) const
	{
		return expected_index < line_records_.size() ? line_records_[expected_index] : 0;
	}

	// Lines are matched to the report's by name, the k-th line of a name to the k-th of
	// that name, so that a name that repeats is followed in order.
	void match()
	{
		std::map<char, std::vector<std::size_t>> by_name;
		for (std::size_t e = expected_.size(); e-- > 0;)
			by_name[expected_[e].name].push_back(e);
		for (std::size_t a = 0; a < answer_.size(); a++) {
			const words& w = answer_[a];
			auto found = by_name.find(w.name);
			if (found != by_name.end() && !found->second.empty()) {
				matched_.emplace_back(a, found->second.back());
				found->second.pop_back();
			} else if (found != by_name.end()) {
				found_.add({"extra", w.line, 0, 0, 0,
				            cat(line_word(w.line), " is one line too many for ", name_of(w.name)), "an extra line"});
			} else {
				found_.add({"name", w.line, 0, 0, 0,
				            cat(line_word(w.line), " names ", name_of(w.name), ", which is no process of the batch"),
				            "a name that is no process of the batch"});
			}
		}
		for (const auto& [name, left] : by_name)
			for (const std::size_t e : left)
				found_.add({"missing", 0, expected_[e].line, record_of(e), 0, "no line for " + name_of(name),
				            "a missing line"});
	}

	void check_line(const words& answer, const words& expected, std::size_t e)
	{
		const figures a = figures_of(answer, figure_count());
		const figures x = figures_of(expected, figure_count());
		const std::int32_t record = record_of(e);
		auto add = [&](const char* kind, const std::string& text, const char* hint) {
			found_.add({kind, answer.line, expected.line, record, 0, cat(line_word(answer.line), ": ", text),
			            cat(hint, " on ", line_word(answer.line))});
			wrong_figures_.insert(e);
		};
		if (!a.whole || !x.whole) {
			add("line", cat("not a report line: the name, then ", std::to_string(figure_count()), " whole numbers"),
			    "a line that is not a report line");
			return;
		}
		std::size_t at = 0;
		long long arrival = 0;
		long long burst = 0;
		if (rules_ == report_rules::echoing) {
			arrival = x.values[0];
			burst = x.values[1];
			if (a.values[0] != arrival)
				add("arrival", cat("arrival ", std::to_string(a.values[0]), " is not ", name_of(answer.name),
				                   "'s arrival ", std::to_string(arrival)),
				    "an arrival that is not the batch's");
			if (a.values[1] != burst)
				add("burst", cat("burst ", std::to_string(a.values[1]), " is not ", name_of(answer.name),
				                 "'s burst ", std::to_string(burst)),
				    "a burst that is not the batch's");
			at = 2;
		} else {
			// The report's own line gives the process's arrival and burst back.
			arrival = x.values[0] - x.values[1];
			burst = x.values[1] - x.values[2];
		}
		const long long completion = a.values[at];
		const long long turnaround = a.values[at + 1];
		const long long waiting = a.values[at + 2];
		if (completion != x.values[at])
			add("completion",
			    cat(name_of(answer.name), " completes at ", std::to_string(completion), " where the report has ",
			        std::to_string(x.values[at])),
			    "a wrong completion");
		check_arithmetic(completion, turnaround, waiting, arrival, burst, add);
	}

	template <typename Add>
	void check_arithmetic(long long completion, long long turnaround, long long waiting, long long arrival,
	                      long long burst, Add&& add)
	{
		const std::string c = std::to_string(completion);
		const std::string t = std::to_string(turnaround);
		if (rules_ == report_rules::from_zero && turnaround != completion)
			add("turnaround",
			    cat("turnaround ", t, " is not completion ", c,
			        ": here the turnaround is the completion itself, counted from time 0"),
			    "a turnaround that does not follow from its completion");
		else if (rules_ != report_rules::from_zero && turnaround != completion - arrival)
			add("turnaround", cat("turnaround ", t, " is not completion ", c, " minus arrival ", std::to_string(arrival)),
			    "a turnaround that does not follow from its completion");
		if (waiting != turnaround - burst)
			add("waiting",
			    cat("waiting ", std::to_string(waiting), " is not turnaround ", t, " minus burst ", std::to_string(burst)),
			    "a waiting time that is not turnaround minus burst");
	}

	// The first line that stands before a process the report has ahead of it.
	void check_order()
	{
		std::set<std::size_t> left;
		for (const auto& pair : matched_)
			left.insert(pair.second);
		for (const auto& [a, e] : matched_) {
			const std::size_t first = *left.begin();
			if (e != first) {
				const words& line = answer_[a];
				const std::string text = cat(name_of(expected_[first].name), " finishes before ", name_of(line.name));
				right_lines_in_wrong_order_ = wrong_figures_.count(e) == 0 && wrong_figures_.count(first) == 0;
				found_.add({"order", line.line, expected_[first].line, record_of(e), record_of(first),
				            cat(line_word(line.line), ": ", right_lines_in_wrong_order_ ? "right figures, but " : "", text),
				            cat("lines in the wrong order from ", line_word(line.line))});
				return;
			}
			left.erase(e);
		}
	}

	template <typename... Parts>
	static std::string cat(const Parts&... parts)
	{
		std::string out;
		(out += ... += parts);
		return out;
	}

	report_rules rules_;
	const std::vector<words>& expected_;
	const std::vector<words>& answer_;
	const std::vector<std::int32_t>& line_records_;
	std::vector<std::pair<std::size_t, std::size_t>> matched_; // answer line, expected line, in answer order
	findings found_;
	std::set<std::size_t> wrong_figures_; // expected lines whose answer has a wrong figure

public:
	bool right_lines_in_wrong_order_ = false;
};

// The adder's lines have no names: they are held against the report's line by line.
findings compare_cases(const std::vector<words>& expected, const std::vector<words>& answer)
{
	findings found;
	const std::size_t common = std::min(expected.size(), answer.size());
	for (std::size_t i = 0; i < common; i++)
		if (expected[i].joined() != answer[i].joined())
			found.add({"line", answer[i].line, expected[i].line, 0, 0,
			           line_word(answer[i].line) + " is not the report's " + line_word(expected[i].line),
			           "a wrong line on " + line_word(answer[i].line)});
	for (std::size_t i = common; i < expected.size(); i++)
		found.add({"missing", 0, expected[i].line, 0, 0, "the report's " + line_word(expected[i].line) + " is missing",
		           "a missing line"});
	for (std::size_t i = common; i < answer.size(); i++)
		found.add({"extra", answer[i].line, 0, 0, 0, line_word(answer[i].line) + " is one line too many",
		           "an extra line"});
	return found;
}

std::string counted(std::size_t count, const char* one, const char* many)
{
	return count == 1 ? std::string(one) : std::to_string(count) + " " + many;
}

std::string mistakes_in_words(const findings& found, bool right_lines_in_wrong_order)
{
	struct kind_words {
		const char* kind;
		const char* one;
		const char* many;
	};
	static constexpr kind_words kinds[] = {
		{"completion", "a wrong completion", "wrong completions"},
		{"turnaround", "a turnaround that does not follow from its completion",
		 "turnarounds that do not follow from their completions"},
		{"waiting", "a waiting time that is not turnaround minus burst",
		 "waiting times that are not turnaround minus burst"},
		{"arrival", "an arrival that is not the batch's", "arrivals that are not the batch's"},
		{"burst", "a burst that is not the batch's", "bursts that are not the batch's"},
		{"missing", "a missing line", "missing lines"},
		{"extra", "an extra line", "extra lines"},
		{"name", "a name that is no process of the batch", "names that are no process of the batch"},
		{"line", "a wrong line", "wrong lines"},
	};
	std::vector<std::string> parts;
	if (found.count("order") > 0)
		parts.push_back(right_lines_in_wrong_order ? "right lines in the wrong order" : "lines in the wrong order");
	for (const kind_words& k : kinds)
		if (const std::size_t n = found.count(k.kind); n > 0)
			parts.push_back(counted(n, k.one, k.many));
	std::string out;
	for (const std::string& part : parts)
		out += (out.empty() ? "" : "; ") + part;
	return out;
}

std::string spacing_in_words(const notes& seen)
{
	std::string out;
	for (std::size_t i = 0; i < seen.size(); i++)
		if (seen[i])
			out += (out.empty() ? "" : "; ") + std::string(spacing_words[i]);
	return out;
}

} // namespace

comparison compare_reports(report_rules rules, std::string_view expected, std::string_view answer, compare_mode mode,
                           const std::vector<std::int32_t>& line_records)
{
	comparison result;
	result.first_difference = first_difference(expected, answer);
	if (result.first_difference == 0)
		return result;
	const bool named = rules != report_rules::cases;
	notes expected_seen{};
	notes seen{};
	const std::vector<words> want = read_words(expected, named, expected_seen);
	const std::vector<words> got = read_words(answer, named, seen);
	// What the report itself does is no difference.
	for (std::size_t i = 0; i < seen.size(); i++)
		seen[i] = seen[i] && !expected_seen[i];
	const bool same_words = std::equal(want.begin(), want.end(), got.begin(), got.end(),
	                                   [](const words& a, const words& b) { return a.joined() == b.joined(); });
	if (same_words) {
		result.outcome = mode == compare_mode::lines ? verdict::passed : verdict::presentation_error;
		result.detail = "only spacing and line ends differ: " + spacing_in_words(seen);
		result.findings.push_back({"spacing", result.first_difference, result.first_difference, 0, 0,
		                           result.detail, result.detail});
		return result;
	}
	result.outcome = verdict::wrong_answer;
	bool right_lines_in_wrong_order = false;
	findings found;
	if (named) {
		scheduler_comparison c(rules, want, got, line_records);
		found = c.run();
		right_lines_in_wrong_order = c.right_lines_in_wrong_order_;
	} else {
		found = compare_cases(want, got);
	}
	result.detail = mistakes_in_words(found, right_lines_in_wrong_order);
	// Of the ways of spacing, line ends alone are worth a word beside wrong figures: a
	// program built on Windows ends every line so.
	if (seen[crlf] && mode == compare_mode::exact)
		result.detail += std::string("; besides, ") + spacing_words[crlf];
	result.findings = found.take();
	return result;
}

namespace {

bool names(const account_entry& e, std::int32_t record)
{
	return record != 0 && std::find(e.processes.begin(), e.processes.end(), record) != e.processes.end();
}

// The last entry of one of `kinds`, up to `end`, that names the process (and `other` too,
// where given).
std::optional<std::size_t> last_of(const std::vector<account_entry>& entries, std::size_t end,
                                   std::initializer_list<std::string_view> kinds, std::int32_t record,
                                   std::int32_t other = 0)
{
	for (std::size_t i = end; i-- > 0;) {
		const account_entry& e = entries[i];
		if (std::find(kinds.begin(), kinds.end(), e.kind) != kinds.end() && names(e, record) &&
		    (other == 0 || names(e, other)))
			return i;
	}
	return std::nullopt;
}

// The last tie, preemption or phase that placed the process, up to its finish; or the
// finish itself.
std::optional<std::size_t> placing_entry(const std::vector<account_entry>& entries, std::int32_t record)
{
	const std::optional<std::size_t> finish = last_of(entries, entries.size(), {"finish"}, record);
	const std::size_t end = finish ? *finish + 1 : entries.size();
	for (const auto kinds : {std::initializer_list<std::string_view>{"tie"},
	                         {"preemption"},
	                         {"final_phase", "order"},
	                         {"first_tick"}})
		if (const auto found = last_of(entries, end, kinds, record))
			return found;
	return finish;
}

// Every process an entry names, in whichever of its fields it names them.
std::vector<std::int32_t> processes_named(const json::value& entry)
{
	std::vector<std::int32_t> named;
	for (const char* field : {"process", "from"})
		if (entry.members.count(field) != 0)
			named.push_back(static_cast<std::int32_t>(entry[field].integer()));
	for (const char* field : {"processes", "order"})
		if (entry.members.count(field) != 0)
			for (const json::value& record : entry[field].items)
				named.push_back(static_cast<std::int32_t>(record.integer()));
	return named;
}

} // namespace

std::optional<std::size_t> deciding_entry(const std::vector<account_entry>& entries, const finding& f)
{
	if (f.record == 0)
		return std::nullopt;
	if (f.kind == "turnaround" || f.kind == "waiting" || f.kind == "arrival" || f.kind == "burst")
		return last_of(entries, entries.size(), {"finish"}, f.record);
	if (f.kind != "order" || f.ahead == 0)
		return placing_entry(entries, f.record);
	// Between the two, or else why the one ahead finishes as early as it does.
	for (const auto kinds : {std::initializer_list<std::string_view>{"tie"}, {"preemption"}})
		if (const auto found = last_of(entries, entries.size(), kinds, f.record, f.ahead))
			return found;
	return placing_entry(entries, f.ahead);
}

expected_report read_expected_report(const std::string& document)
{
	const json::value d = json::parse(document);
	expected_report r;
	r.report = d["report"].text;
	for (const json::value& process : d["processes"].items)
		r.line_records.push_back(static_cast<std::int32_t>(process["record"].integer()));
	for (const json::value& entry : d["decisions"].items)
		r.account.push_back({entry["kind"].text, entry["clock"].integer(), entry["text"].text, processes_named(entry)});
	return r;
}

} // namespace sched
