#ifndef SCHED_ACCOUNT_HPP
#define SCHED_ACCOUNT_HPP

// The account of a run: the decisions behind a report, entry by entry, as --explain
// prints them and as --json and the page give them. All four schedulers explain
// themselves in this one form; what each records is its own.

#include "run_trace.hpp"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sched {

// One record of the batch, as read.
struct batch_record {
	char name;
	std::optional<std::int32_t> priority; // only where records give one
	std::int32_t arrival;
	std::int32_t burst;
};

// One report line's figures, in report order.
struct finished_process {
	std::int32_t record;
	long long completion;
	long long turnaround;
	long long waiting;
};

// JSON text for the values of an entry. Strings are bytes: every byte stands as the
// character of the same code, from U+0000 to U+00FF.
namespace json {
std::string bytes(std::string_view text);
std::string number(long long value);
} // namespace json

// One decision: what happened at `clock`, in a sentence, and the same as named fields
// whose values are JSON text.
struct decision {
	std::string kind;
	long long clock;
	std::string text;
	std::vector<std::pair<std::string, std::string>> fields;
};

// The decisions of a run, up to a number an account can show. Past it, or past the work
// that the program may spend on explaining, the account ends with a last entry that says
// so; the report is made apart from it and stays whole.
class account {
public:
	static constexpr std::size_t most_entries = 5000;
	// Processes named in one list of an entry; a longer list says how long it is.
	static constexpr std::size_t most_listed = 100;

	account(const std::vector<batch_record>& batch, long long most_work);

	// The name of a process in a sentence: its own character, and its record number too
	// where another process has the same name.
	std::string name(std::int32_t record) const;
	// Names in a list: "A", "A and B", "A, B and C".
	std::string names(const std::vector<std::int32_t>& records) const;
	// Names in an order: "A B C".
	std::string order(const std::vector<std::int32_t>& records) const;
	const batch_record& of(std::int32_t record) const { return batch_[static_cast<std::size_t>(record - 1)]; }

	// Adds an entry unless the account is full; false when it is.
	bool add(decision d);
	// The last entry, for a stretch that goes on.
	decision* last() { return entries_.empty() ? nullptr : &entries_.back(); }
	// Spends `work` of what explaining may cost: false, and the account ends, once it runs
	// out. Each comparison of an ordering counts one.
	bool spend(long long work, long long clock);
	bool cut_short() const { return cut_short_; }

	const std::vector<decision>& entries() const { return entries_; }

	// JSON text of a list of records, at most `most_listed` of them.
	static std::string records(const std::vector<std::int32_t>& records);

private:
	// The names, `between` each two and `before_last` before the last.
	std::string listed(const std::vector<std::int32_t>& records, const char* between, const char* before_last) const;
	void cut(long long clock, const std::string& why);

	const std::vector<batch_record>& batch_;
	std::vector<int> name_count_;
	long long work_left_;
	std::vector<decision> entries_;
	bool cut_short_ = false;
};

// The parts one after another, as one string. (GCC 12 warns falsely of overlapping
// copies where a literal is added to a temporary string.)
template <typename... Parts>
std::string cat(const Parts&... parts)
{
	std::string out;
	(out += ... += parts);
	return out;
}

// A number as a sentence writes it: 1,005 and -2,000,000.
std::string with_commas(long long value);

// --explain: one line per entry, "CLOCK: TEXT". Returns false when a write failed.
bool write_explanation(std::FILE* out, const account& a);

// Everything --json tells of a run.
struct run_document {
	const char* program;
	const std::vector<batch_record>& batch;
	std::size_t most_records; // records and processes listed; the console lists all
	const std::string& report;
	const run_trace& trace;
	const std::vector<finished_process>& processes;
	const account& decisions;
};

// --json: the document, one JSON object and a line feed. Returns false when a write failed.
bool write_document(std::FILE* out, const run_document& d);

} // namespace sched

#endif
