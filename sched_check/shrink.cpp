#include "shrink.hpp"

#include <chrono>
#include <optional>
#include <sstream>
#include <vector>

namespace sched_check {

namespace {

// A batch as records of a name and numbers: the count is the number of records.
struct record {
	std::string name; // empty for the adder's cases
	std::vector<long long> values;
};

struct readable_batch {
	bool named;
	std::vector<record> records;

	std::string text() const
	{
		std::string out = std::to_string(records.size()) + "\n";
		for (const record& r : records) {
			std::string line = r.name;
			for (const long long value : r.values) {
				if (!line.empty())
					line += ' ';
				line += std::to_string(value);
			}
			out += line;
			out += '\n';
		}
		return out;
	}
};

std::size_t values_per_record(sched::batch_kind kind)
{
	return kind == sched::batch_kind::priority ? 3 : 2;
}

// Reads a batch the way the programs do, as far as shrinking needs: white space between
// items, a name of one character (or a whole token, where names are tokens) that a
// number may follow with no blank.
std::optional<readable_batch> read_batch(sched::batch_kind kind, bool name_tokens, const std::string& text)
{
	std::istringstream in(text);
	std::vector<std::string> items;
	for (std::string item; in >> item;)
		items.push_back(item);
	readable_batch b{kind != sched::batch_kind::cases, {}};
	std::size_t at = 0;
	auto number = [&]() -> std::optional<long long> {
		if (at >= items.size())
			return std::nullopt;
		std::size_t used = 0;
		try {
			const long long value = std::stoll(items[at], &used);
			return used == items[at++].size() ? std::optional(value) : std::nullopt;
		} catch (const std::exception&) {
			return std::nullopt;
		}
	};
	const std::optional<long long> count = number();
	if (!count || *count < 0 || *count > 100000)
		return std::nullopt;
	for (long long i = 0; i < *count; i++) {
		record r;
		if (b.named) {
			if (at >= items.size())
				return std::nullopt;
			std::string& item = items[at];
			r.name = name_tokens ? item : item.substr(0, 1);
			if (name_tokens || item.size() == 1)
				at++;
			else
				item.erase(0, 1);
		}
		for (std::size_t v = 0; v < values_per_record(kind); v++) {
			const std::optional<long long> value = number();
			if (!value)
				return std::nullopt;
			r.values.push_back(*value);
		}
		b.records.push_back(std::move(r));
	}
	return b;
}

class shrinker {
public:
	shrinker(sched::batch_kind kind, readable_batch b, const std::function<bool(const std::string&)>& still_fails,
	         const shrink_budget& budget)
	    : kind_(kind), batch_(std::move(b)), still_fails_(still_fails), budget_(budget),
	      end_(std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
	                                                  std::chrono::duration<double>(budget.seconds)))
	{
	}

	shrunk_batch run()
	{
		remove_records();
		shorten_names();
		simplify_values();
		// Written out again, the batch might not fail as it did: it comes back as it
		// was unless some smaller batch failed.
		return {kept_any_ ? batch_.text() : "", runs_};
	}

private:
	bool spent() const { return runs_ >= budget_.runs || std::chrono::steady_clock::now() >= end_; }

	bool try_batch(const readable_batch& candidate)
	{
		if (spent())
			return false;
		runs_++;
		if (!still_fails_(candidate.text()))
			return false;
		batch_ = candidate;
		kept_any_ = true;
		return true;
	}

	// Chunks of records, halved until single ones, each dropped where the failure stays.
	// One record stays: a batch of none shows nothing.
	void remove_records()
	{
		constexpr std::size_t fewest = 1;
		for (std::size_t chunk = std::max<std::size_t>(batch_.records.size() / 2, 1); chunk >= 1 && !spent();) {
			bool removed = false;
			for (std::size_t start = 0; start < batch_.records.size() && batch_.records.size() > fewest && !spent();) {
				readable_batch candidate = batch_;
				const std::size_t end = std::min(start + chunk, candidate.records.size());
				if (candidate.records.size() - (end - start) < fewest)
					break;
				candidate.records.erase(candidate.records.begin() + static_cast<std::ptrdiff_t>(start),
				                        candidate.records.begin() + static_cast<std::ptrdiff_t>(end));
				if (try_batch(candidate))
					removed = true;
				else
					start += chunk;
			}
			if (chunk == 1 && !removed)
				break;
			if (!removed)
				chunk /= 2;
		}
	}

	// Name tokens cut to the one character that the report shows, all at once.
	void shorten_names()
	{
		readable_batch candidate = batch_;
		bool longer = false;
		for (record& r : candidate.records)
			if (r.name.size() > 1) {
				r.name.resize(1);
				longer = true;
			}
		if (longer)
			try_batch(candidate);
	}

	// The simplest value of a field: arrivals and priorities towards 0, bursts towards 1.
	long long simplest(std::size_t field) const
	{
		const bool is_burst = kind_ != sched::batch_kind::cases && field == values_per_record(kind_) - 1;
		return is_burst ? 1 : 0;
	}

	void simplify_values()
	{
		for (bool changed = true; changed && !spent();) {
			changed = false;
			for (std::size_t r = 0; r < batch_.records.size(); r++)
				for (std::size_t f = 0; f < batch_.records[r].values.size(); f++)
					changed = simplify(r, f) || changed;
		}
	}

	// Tries the simplest value, then ever closer to the present one.
	bool simplify(std::size_t r, std::size_t f)
	{
		const long long target = simplest(f);
		bool changed = false;
		for (long long value = batch_.records[r].values[f]; value != target && !spent();) {
			long long step = target;
			bool moved = false;
			while (step != value && !spent()) {
				readable_batch candidate = batch_;
				candidate.records[r].values[f] = step;
				if (try_batch(candidate)) {
					moved = changed = true;
					break;
				}
				step = value + (step - value) / 2;
			}
			if (!moved)
				break;
			value = batch_.records[r].values[f];
		}
		return changed;
	}

	sched::batch_kind kind_;
	readable_batch batch_;
	const std::function<bool(const std::string&)>& still_fails_;
	shrink_budget budget_;
	std::chrono::steady_clock::time_point end_;
	int runs_ = 0;
	bool kept_any_ = false;
};

} // namespace

shrunk_batch shrink(sched::batch_kind kind, bool name_tokens, const std::string& text,
                    const std::function<bool(const std::string& candidate)>& still_fails, const shrink_budget& budget)
{
	std::optional<readable_batch> b = read_batch(kind, name_tokens, text);
	if (!b)
		return {text, 0};
	shrunk_batch smaller = shrinker(kind, std::move(*b), still_fails, budget).run();
	if (smaller.text.empty())
		smaller.text = text;
	return smaller;
}

} // namespace sched_check
