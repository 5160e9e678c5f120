#include "account.hpp"

#include <algorithm>

namespace sched {

namespace json {

std::string bytes(std::string_view text)
{
	static constexpr char hex[] = "0123456789abcdef";
	std::string out = "\"";
	for (const char c : text) {
		const auto byte = static_cast<unsigned char>(c);
		if (c == '"' || c == '\\') {
			out += '\\';
			out += c;
		} else if (byte < 0x20 || byte >= 0x7f) {
			out += "\\u00";
			out += hex[byte >> 4];
			out += hex[byte & 0xf];
		} else {
			out += c;
		}
	}
	return out + '"';
}

std::string number(long long value)
{
	return std::to_string(value);
}

} // namespace json

std::string with_commas(long long value)
{
	const std::string digits = std::to_string(value < 0 ? -static_cast<unsigned long long>(value)
	                                                    : static_cast<unsigned long long>(value));
	std::string out = value < 0 ? "-" : "";
	for (std::size_t i = 0; i < digits.size(); i++) {
		if (i > 0 && (digits.size() - i) % 3 == 0)
			out += ',';
		out += digits[i];
	}
	return out;
}

account::account(const std::vector<batch_record>& batch, long long most_work)
    : batch_(batch), name_count_(256, 0), work_left_(most_work)
{
	for (const batch_record& r : batch)
		name_count_[static_cast<unsigned char>(r.name)]++;
}

std::string account::name(std::int32_t record) const
{
	const char c = of(record).name;
	std::string out(1, c);
	if (name_count_[static_cast<unsigned char>(c)] > 1)
		out += cat("#", std::to_string(record));
	return out;
}

std::string account::names(const std::vector<std::int32_t>& records) const
{
	return listed(records, ", ", " and ");
}

std::string account::order(const std::vector<std::int32_t>& records) const
{
	return listed(records, " ", " ");
}

std::string account::listed(const std::vector<std::int32_t>& records, const char* between,
                            const char* before_last) const
{
	const std::size_t shown = std::min(records.size(), most_listed);
	std::string out;
	for (std::size_t i = 0; i < shown; i++) {
		if (i > 0)
			out += i + 1 == records.size() ? before_last : between;
		out += name(records[i]);
	}
	if (shown < records.size())
		out += cat(" and ", with_commas(static_cast<long long>(records.size() - shown)), " more");
	return out;
}

std::string account::records(const std::vector<std::int32_t>& records)
{
	const std::size_t shown = std::min(records.size(), most_listed);
	std::string out = "[";
	for (std::size_t i = 0; i < shown; i++) {
		if (i > 0)
			out += ',';
		out += json::number(records[i]);
	}
	return out + ']';
}

bool account::add(decision d)
{
	if (cut_short_)
		return false;
	if (entries_.size() + 1 == most_entries) {
		cut(d.clock, cat("after ", with_commas(static_cast<long long>(most_entries - 1)), " entries"));
		return false;
	}
	entries_.push_back(std::move(d));
	return true;
}

bool account::spend(long long work, long long clock)
{
	if (cut_short_)
		return false;
	work_left_ -= work;
	if (work_left_ >= 0)
		return true;
	cut(clock, "where explaining the orderings would cost more than the account may spend");
	return false;
}

void account::cut(long long clock, const std::string& why)
{
	entries_.push_back({"cut_short", clock,
	                    cat("the account stops here, ", why,
	                        "; the report itself is whole and unaffected: run the program without --explain or "
	                        "--json for it"),
	                    {}});
	cut_short_ = true;
}

bool write_explanation(std::FILE* out, const account& a)
{
	for (const decision& d : a.entries()) {
		const std::string line = with_commas(d.clock) + ": " + d.text + "\n";
		if (std::fwrite(line.data(), 1, line.size(), out) != line.size())
			return false;
	}
	return true;
}

namespace {

// Sums of a large batch's times pass 64 bits: a million completions near 2^52 each.
__extension__ using wide = __int128;

std::string decimal(wide value)
{
	if (value < 0)
		return cat("-", decimal(-value));
	std::string digits;
	do {
		digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
		value /= 10;
	} while (value > 0);
	return digits;
}

// A mean of whole numbers, rounded to six decimals, as JSON.
std::string mean(wide sum, std::size_t count)
{
	const auto n = static_cast<wide>(count);
	const wide magnitude = sum < 0 ? -sum : sum;
	const wide micro = (magnitude * 2000000 + n) / (2 * n);
	std::string decimals = decimal(micro % 1000000);
	decimals.insert(0, 6 - decimals.size(), '0');
	while (!decimals.empty() && decimals.back() == '0')
		decimals.pop_back();
	const std::string whole = cat(sum < 0 && micro > 0 ? "-" : "", decimal(micro / 1000000));
	return decimals.empty() ? whole : whole + "." + decimals;
}

std::string number_or_null(const std::optional<long long>& value)
{
	return value ? json::number(*value) : "null";
}

std::string record_object(const batch_record& r, std::int32_t record)
{
	std::string out = cat("{\"record\":", json::number(record), ",\"name\":", json::bytes({&r.name, 1}));
	if (r.priority)
		out += cat(",\"priority\":", json::number(*r.priority));
	return out + ",\"arrival\":" + json::number(r.arrival) + ",\"burst\":" + json::number(r.burst) + "}";
}

std::string entry_object(const decision& d)
{
	std::string out = cat("{\"kind\":", json::bytes(d.kind), ",\"clock\":", json::number(d.clock), ",\"text\":",
	                      json::bytes(d.text));
	for (const auto& [field, value] : d.fields)
		out += cat(",\"", field, "\":", value);
	return out + "}";
}

class document_writer {
public:
	explicit document_writer(std::FILE* out) : out_(out) {}

	void put(const std::string& text)
	{
		if (ok_ && std::fwrite(text.data(), 1, text.size(), out_) != text.size())
			ok_ = false;
	}
	// A list, its items from `item(i)` for i below `count`.
	template <typename Item>
	void list(std::size_t count, Item item)
	{
		put("[");
		for (std::size_t i = 0; i < count; i++)
			put(cat(i > 0 ? "," : "", item(i)));
		put("]");
	}
	bool ok() const { return ok_; }

private:
	std::FILE* out_;
	bool ok_ = true;
};

} // namespace

bool write_document(std::FILE* out, const run_document& d)
{
	document_writer w(out);
	const std::size_t records = std::min(d.batch.size(), d.most_records);
	const std::size_t processes = std::min(d.processes.size(), d.most_records);
	w.put(cat("{\"format\":1,\"program\":", json::bytes(d.program), ",\"strings\":\"bytes\",\"report\":",
	          json::bytes(d.report), ",\n\"records\":"));
	w.list(records, [&](std::size_t i) { return record_object(d.batch[i], static_cast<std::int32_t>(i + 1)); });
	w.put(std::string(",\"records_cut_short\":") + (records < d.batch.size() ? "true" : "false") +
	      ",\n\"segments\":");
	w.list(d.trace.segments.size(), [&](std::size_t i) {
		const run_segment& s = d.trace.segments[i];
		return cat("[", json::number(s.record), ",", json::number(s.start), ",", json::number(s.end), "]");
	});
	w.put(cat(",\"segments_cut_short\":", d.trace.cut_short() ? "true" : "false", ",\"segments_cut_at\":",
	          number_or_null(d.trace.cut_at), ",\"final_phase_start\":", number_or_null(d.trace.final_phase_start),
	          ",\n\"processes\":"));
	wide turnaround = 0;
	wide waiting = 0;
	for (const finished_process& p : d.processes) {
		turnaround += p.turnaround;
		waiting += p.waiting;
	}
	w.list(processes, [&](std::size_t i) {
		const finished_process& p = d.processes[i];
		const batch_record& r = d.batch[static_cast<std::size_t>(p.record - 1)];
		return cat("{\"record\":", json::number(p.record), ",\"name\":", json::bytes({&r.name, 1}), ",\"arrival\":",
		           json::number(r.arrival), ",\"burst\":", json::number(r.burst), ",\"completion\":",
		           json::number(p.completion), ",\"turnaround\":", json::number(p.turnaround), ",\"waiting\":",
		           json::number(p.waiting), "}");
	});
	const std::string averages =
		d.processes.empty() ? std::string("null")
		                    : cat("{\"turnaround\":", mean(turnaround, d.processes.size()), ",\"waiting\":",
		                          mean(waiting, d.processes.size()), "}");
	w.put(cat(",\"totals\":{\"turnaround\":", decimal(turnaround), ",\"waiting\":", decimal(waiting),
	          "},\"averages\":", averages, ",\n\"decisions\":[\n"));
	const std::vector<decision>& entries = d.decisions.entries();
	for (std::size_t i = 0; i < entries.size(); i++)
		w.put(entry_object(entries[i]) + (i + 1 < entries.size() ? ",\n" : "\n"));
	w.put(std::string("],\"decisions_cut_short\":") + (d.decisions.cut_short() ? "true" : "false") + "}\n");
	return w.ok();
}

} // namespace sched
