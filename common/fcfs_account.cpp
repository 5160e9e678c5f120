#include "fcfs_account.hpp"

#include "report.hpp"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>

namespace sched {

namespace {

using records = std::vector<std::int32_t>;

// An exchange that carried `moved` past `passed`, two processes of the same arrival.
struct crossing {
	std::int32_t moved;
	std::int32_t passed;
	std::int32_t by; // the process it was exchanged with
	bool behind;     // moved behind `passed`, or ahead of it
};

// The ordering run once more, its loop told of each exchange, to see where two processes
// of the same arrival changed places. An exchange carries both its processes past every
// slot between them; the last crossing of a pair decides its order. Past the work that
// explaining may cost, nothing is known.
class crossings {
public:
	crossings(const std::vector<batch_record>& batch, const arrival_ordering& ordering, long long comparisons)
	{
		if (comparisons > most_dispatch_explaining_work)
			return;
		std::vector<std::int32_t> arrival;
		records slot_record;
		for (std::size_t slot = 0; slot < batch.size(); slot++) {
			arrival.push_back(batch[slot].arrival);
			slot_record.push_back(static_cast<std::int32_t>(slot + 1));
		}
		long long work = comparisons;
		ordering(arrival, [&](std::size_t a, std::size_t b) {
			const std::size_t low = std::min(a, b);
			const std::size_t high = std::max(a, b);
			work += static_cast<long long>(high - low);
			if (work <= most_dispatch_explaining_work)
				for (std::size_t k = low + 1; k < high; k++)
					cross(arrival, slot_record, a, b, k);
			std::swap(arrival[a], arrival[b]);
			std::swap(slot_record[a], slot_record[b]);
		});
		known_ = work <= most_dispatch_explaining_work;
	}

	bool known() const { return known_; }

	const crossing* last(std::int32_t a, std::int32_t b) const
	{
		const auto found = last_.find(pair(a, b));
		return found == last_.end() ? nullptr : &found->second;
	}

private:
	static std::uint64_t pair(std::int32_t a, std::int32_t b)
	{
		return static_cast<std::uint64_t>(static_cast<std::uint32_t>(std::min(a, b))) << 32 |
		       static_cast<std::uint32_t>(std::max(a, b));
	}

	// Slots i and j are about to be exchanged: each of their processes passes slot k.
	void cross(const std::vector<std::int32_t>& arrival, const records& slot_record, std::size_t i, std::size_t j,
	           std::size_t k)
	{
		const std::int32_t passed = slot_record[k];
		if (arrival[i] == arrival[k])
			last_[pair(slot_record[i], passed)] = {slot_record[i], passed, slot_record[j], i < j};
		if (arrival[j] == arrival[k])
			last_[pair(slot_record[j], passed)] = {slot_record[j], passed, slot_record[i], j < i};
	}

	std::unordered_map<std::uint64_t, crossing> last_;
	bool known_ = false;
};

// Why `ahead` runs before `behind`, two processes of the same arrival.
std::string why_ahead(const account& a, const crossings& c, std::int32_t ahead, std::int32_t behind)
{
	if (const crossing* x = c.last(ahead, behind))
		return cat(a.name(x->by), " (arrival ", with_commas(a.of(x->by).arrival), ") was exchanged with ",
		           a.name(x->moved), ", which moved ", a.name(x->moved), x->behind ? " behind " : " ahead of ",
		           a.name(x->passed));
	return cat(a.name(ahead), " came before ", a.name(behind), " in the input");
}

void add_ties(account& a, const crossings& c, const records& order)
{
	for (std::size_t first = 0; first < order.size();) {
		std::size_t end = first + 1;
		while (end < order.size() && a.of(order[end]).arrival == a.of(order[first]).arrival)
			end++;
		const records tied(order.begin() + static_cast<std::ptrdiff_t>(first),
		                   order.begin() + static_cast<std::ptrdiff_t>(end));
		first = end;
		if (tied.size() < 2)
			continue;
		std::string text = cat(a.names(tied), " tie on arrival ", with_commas(a.of(tied[0]).arrival), ": ");
		std::string exchanges = "[";
		for (std::size_t i = 0; i + 1 < tied.size() && i < 8; i++) {
			text += cat(i > 0 ? "; " : "", why_ahead(a, c, tied[i], tied[i + 1]));
			if (const crossing* x = c.last(tied[i], tied[i + 1]))
				exchanges += cat(exchanges.size() > 1 ? "," : "", "{\"moved\":", json::number(x->moved), ",\"by\":",
				                 json::number(x->by), x->behind ? ",\"behind\":" : ",\"ahead_of\":",
				                 json::number(x->passed), "}");
		}
		if (!a.add({"tie", 0, text,
		            {{"key", "\"arrival\""},
		             {"value", json::number(a.of(tied[0]).arrival)},
		             {"processes", account::records(tied)},
		             {"exchanges", exchanges + "]"}}}))
			return;
	}
}

void add_runs(account& a, const records& order)
{
	long long completion = 0;
	for (const std::int32_t record : order) {
		const batch_record& r = a.of(record);
		const long long start = completion;
		completion += r.burst;
		const report_text text = report_line(r.name, {completion, completion, completion - r.burst});
		const std::string line(text.line, text.size - 1);
		std::string sentence = cat(a.name(record), " runs from ", with_commas(start), " to ", with_commas(completion),
		                           " and finishes: ", line);
		if (r.arrival > start)
			sentence += cat(" (it arrives at ", with_commas(r.arrival),
			                ", but an arrival decides only the order: the processes run back to back from 0)");
		if (!a.add({"finish", completion, sentence,
		            {{"process", json::number(record)}, {"start", json::number(start)}, {"line", json::bytes(line)}}}))
			return;
	}
}

} // namespace

account explain_dispatch(const std::vector<batch_record>& records, const std::vector<std::int32_t>& dispatch,
                         const arrival_ordering& ordering, long long comparisons)
{
	account a(records, most_dispatch_explaining_work);
	const crossings c(records, ordering, comparisons);
	std::string text =
		cat("ordered by arrival, the processes run back to back from time 0 in this order: ", a.order(dispatch));
	if (!c.known())
		text += "; what decided among equal arrivals is traced for smaller batches only";
	a.add({"order", 0, text, {{"order", account::records(dispatch)}}});
	if (c.known())
		add_ties(a, c, dispatch);
	add_runs(a, dispatch);
	return a;
}

} // namespace sched
