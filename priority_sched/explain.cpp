#include "explain.hpp"

#include "report.hpp"
#include "rule.hpp"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace priority_sched {

using sched::account;
using sched::batch_record;
using sched::cat;
using sched::decision;
using sched::with_commas;
namespace json = sched::json;

namespace {

using records = std::vector<std::int32_t>;

records records_of(const process_table& t, std::int32_t start, std::int32_t end)
{
	return {t.record.begin() + start, t.record.begin() + end};
}

// Two processes with the same key change places in an ordering only when an exchange
// moves one of them back past the other: a process moved forward only passes larger
// keys. So whenever two processes that tie on priority and on arrival stand the other
// way round from the input, some exchange put them so, and the last one that did is the
// reason. Those exchanges are remembered, up to a number.
struct move_back {
	ordering_kind kind;
	long long clock;
	std::int32_t by; // the process exchanged into the slot that the moved one left
};

class decision_recorder : public rule_recorder {
public:
	decision_recorder(account& a, std::size_t processes) : a_(a), announced_(processes + 1, false) {}

	bool ordering(const process_table&, ordering_kind, std::int32_t start, std::int32_t end, long long clock) override
	{
		const long long k = end - start;
		return a_.spend(k * (k - 1) / 2, clock);
	}

	void exchange(const process_table& t, ordering_kind kind, std::int32_t p, std::int32_t i, long long clock) override
	{
		if (!a_.spend(i - p, clock))
			return;
		const std::int32_t moved = t.record[p];
		const bool by_arrival = kind == ordering_kind::first_arrival || kind == ordering_kind::arrival;
		for (std::int32_t j = p + 1; j < i; j++) {
			const std::int32_t passed = t.record[j];
			if ((by_arrival ? t.arrival[j] == t.arrival[p] : t.priority[j] == t.priority[p]))
				remember({moved, passed}, {kind, clock, t.record[i]});
		}
	}

	void first_tick(const process_table& t, long long start) override
	{
		announce_arrivals(t, 0, t.size(), start);
		last_arrival_ = t.arrival.back();
		const std::int32_t runner = t.record[0];
		std::string text = a_.name(runner) + " runs the first tick, from " + with_commas(start) + " to " +
		                   with_commas(start + 1) + ", whatever the priorities: it stands first after the "
		                   "arrival ordering (" + a_.order(records_of(t, 0, t.size())) + ")";
		a_.add({"first_tick", start, text,
		        {{"process", json::number(runner)}, {"order", account::records(records_of(t, 0, t.size()))}}});
		records tied;
		for (std::int32_t slot = 1; slot < t.size() && t.arrival[slot] == t.arrival[0]; slot++)
			tied.push_back(t.record[slot]);
		if (!tied.empty())
			add_tie(start, runner, tied, false, " runs the first tick: ");
		runner_ = runner;
	}

	void idle(long long from, long long to) override
	{
		a_.add({"idle", from,
		        "idle from " + with_commas(from) + " to " + with_commas(to) + ": no unfinished process has arrived",
		        {{"end", json::number(to)}}});
	}

	void arrival_order(const process_table& t, std::int32_t finished, std::int32_t ready_end, long long clock) override
	{
		announce_arrivals(t, finished, ready_end, clock);
		arrival_order_ = records_of(t, finished, t.size());
		ready_ = ready_end - finished;
	}

	void ran(const process_table& t, std::int32_t finished, std::int32_t ready_end, long long clock,
	         long long units) override
	{
		const records key_order = records_of(t, finished, ready_end);
		const std::int32_t runner = key_order.front();
		if (runner_ >= 0 && runner != runner_)
			add_preemption(clock, runner);
		runner_ = runner;
		records tied;
		for (std::int32_t slot = finished + 1; slot < ready_end && t.priority[slot] == t.priority[finished]; slot++)
			tied.push_back(t.record[slot]);
		if (tied.empty())
			last_tie_.clear();
		else
			add_tie(clock, runner, tied, true, " runs: ");
		add_step(clock, units, runner, key_order);
	}

	void finish(const process_table& t, std::int32_t slot, long long completion) override
	{
		const long long turnaround = completion - t.arrival[slot];
		const sched::report_text text = sched::report_line(t.name[slot], {completion, turnaround, turnaround - t.burst[slot]});
		const std::string line(text.line, text.size);
		const std::int32_t record = t.record[slot];
		a_.add({"finish", completion, a_.name(record) + " finishes: " + line.substr(0, line.size() - 1),
		        {{"process", json::number(record)}, {"line", json::bytes(line.substr(0, line.size() - 1))}}});
		if (record == runner_)
			runner_ = -1;
	}

	void final_phase(const process_table& t, std::int32_t finished, long long clock) override
	{
		announce_arrivals(t, finished, t.size(), clock);
		const records order = records_of(t, finished, t.size());
		a_.add({"final_phase", clock,
		        "final phase: the clock has reached the last arrival, " + with_commas(last_arrival_) +
		            "; after one more priority ordering " + a_.order(order) + " run to their end in this order",
		        {{"order", account::records(order)}}});
		for (std::size_t first = 0; first < order.size();) {
			std::size_t end = first + 1;
			while (end < order.size() && a_.of(order[end]).priority == a_.of(order[first]).priority)
				end++;
			if (end - first > 1)
				add_final_tie(clock, records(order.begin() + static_cast<std::ptrdiff_t>(first),
				                             order.begin() + static_cast<std::ptrdiff_t>(end)));
			first = end;
		}
	}

	bool listening() const override { return !a_.cut_short(); }

private:
	static constexpr std::size_t most_remembered = 200'000;
	static constexpr std::size_t most_reasons = 8;

	static std::uint64_t pair(std::int32_t moved, std::int32_t passed)
	{
		return static_cast<std::uint64_t>(static_cast<std::uint32_t>(moved)) << 32 | static_cast<std::uint32_t>(passed);
	}

	void remember(std::pair<std::int32_t, std::int32_t> moved_passed, move_back why)
	{
		if (forgotten_)
			return;
		if (moved_back_.size() >= most_remembered) {
			moved_back_.clear();
			forgotten_ = true;
			return;
		}
		moved_back_.insert_or_assign(pair(moved_passed.first, moved_passed.second), why);
	}

	const move_back* last_move_back(std::int32_t moved, std::int32_t passed) const
	{
		const auto found = moved_back_.find(pair(moved, passed));
		return found == moved_back_.end() ? nullptr : &found->second;
	}

	std::string key_of(std::int32_t record, ordering_kind kind) const
	{
		const batch_record& r = a_.of(record);
		if (kind == ordering_kind::first_arrival || kind == ordering_kind::arrival)
			return "arrival " + with_commas(r.arrival);
		return "priority " + with_commas(*r.priority);
	}

	static std::string where(const move_back& m)
	{
		switch (m.kind) {
		case ordering_kind::first_arrival:
			return "in the first arrival ordering";
		case ordering_kind::arrival:
			return "in the arrival ordering at " + with_commas(m.clock);
		case ordering_kind::priority:
			return "in the priority ordering at " + with_commas(m.clock);
		case ordering_kind::final_priority:
			break;
		}
		return "in the final priority ordering";
	}

	// Why `ahead` stands before `behind`, two processes of the same priority (or, with
	// `by_priority` false, the same arrival); adds the exchange, if one decided it.
	std::string why_ahead(std::int32_t ahead, std::int32_t behind, bool by_priority, std::string& exchanges) const
	{
		const batch_record& r = a_.of(ahead);
		const batch_record& x = a_.of(behind);
		if (by_priority && r.arrival < x.arrival)
			return a_.name(ahead) + " arrived earlier (" + with_commas(r.arrival) + " before " +
			       with_commas(x.arrival) + ")";
		if (const move_back* m = last_move_back(behind, ahead)) {
			exchanges += std::string(exchanges.size() > 1 ? "," : "") + "{\"moved\":" + json::number(behind) +
			             ",\"by\":" + json::number(m->by) + ",\"behind\":" + json::number(ahead) + "}";
			return a_.name(m->by) + " (" + key_of(m->by, m->kind) + ") was exchanged with " + a_.name(behind) +
			       ", which moved " + a_.name(behind) + " behind " + a_.name(ahead) + " " + where(*m);
		}
		if (forgotten_)
			return a_.name(ahead) + " already stood ahead of " + a_.name(behind);
		return a_.name(ahead) + " came before " + a_.name(behind) + " in the input";
	}

	std::string tie_subject(const records& tied, bool by_priority) const
	{
		const batch_record& r = a_.of(tied.front());
		return a_.names(tied) + " tie on " +
		       (by_priority ? "priority " + with_commas(*r.priority) : "arrival " + with_commas(r.arrival));
	}

	void add_tie(long long clock, std::int32_t runner, const records& others, bool by_priority, const char* verb)
	{
		records tied{runner};
		tied.insert(tied.end(), others.begin(), others.end());
		std::string exchanges = "[";
		std::string text = tie_subject(tied, by_priority) + "; " + a_.name(runner) + verb;
		for (std::size_t i = 0; i < others.size() && i < most_reasons; i++)
			text += (i > 0 ? "; " : "") + why_ahead(runner, others[i], by_priority, exchanges);
		if (text == last_tie_)
			return;
		last_tie_ = text;
		add_tie_entry(clock, tied, by_priority, text, exchanges + "]");
	}

	void add_final_tie(long long clock, const records& tied)
	{
		std::string exchanges = "[";
		std::string text = tie_subject(tied, true) + " in the final order: ";
		for (std::size_t i = 0; i + 1 < tied.size() && i < most_reasons; i++)
			text += (i > 0 ? "; " : "") + why_ahead(tied[i], tied[i + 1], true, exchanges);
		add_tie_entry(clock, tied, true, text, exchanges + "]");
	}

	void add_tie_entry(long long clock, const records& tied, bool by_priority, const std::string& text,
	                   const std::string& exchanges)
	{
		const batch_record& r = a_.of(tied.front());
		a_.add({"tie", clock, text,
		        {{"key", by_priority ? "\"priority\"" : "\"arrival\""},
		         {"value", json::number(by_priority ? *r.priority : r.arrival)},
		         {"processes", account::records(tied)},
		         {"exchanges", exchanges}}});
	}

	void add_preemption(long long clock, std::int32_t runner)
	{
		const batch_record& r = a_.of(runner);
		const batch_record& was = a_.of(runner_);
		std::string reason = "priority " + with_commas(*r.priority) + " before " + with_commas(*was.priority);
		std::string text = a_.name(runner) + " takes the processor from " + a_.name(runner_) + ": ";
		if (*r.priority == *was.priority) {
			std::string unused = "[";
			reason = "the same priority " + with_commas(*r.priority) + ", and " +
			         why_ahead(runner, runner_, true, unused);
		}
		last_tie_.clear();
		a_.add({"preemption", clock, text + reason,
		        {{"process", json::number(runner)}, {"from", json::number(runner_)}, {"reason", json::bytes(reason)}}});
	}

	void add_step(long long clock, long long units, std::int32_t runner, const records& key_order)
	{
		decision* last = a_.last();
		if (last != nullptr && last->kind == "step" && step_runner_ == runner && step_end_ == clock &&
		    step_arrival_order_ == arrival_order_ && step_key_order_ == key_order) {
			// The same process keeps the processor and nothing else changes: one stretch.
			step_end_ = clock + units;
			last->fields[0].second = json::number(step_end_);
			last->text = step_text(last->clock, runner, key_order);
			return;
		}
		step_runner_ = runner;
		step_end_ = clock + units;
		step_arrival_order_ = arrival_order_;
		step_key_order_ = key_order;
		a_.add({"step", clock, step_text(clock, runner, key_order),
		        {{"end", json::number(step_end_)},
		         {"process", json::number(runner)},
		         {"arrival_order", account::records(arrival_order_)},
		         {"ready", json::number(ready_)},
		         {"key_order", account::records(key_order)}}});
	}

	std::string step_text(long long clock, std::int32_t runner, const records& key_order) const
	{
		const std::ptrdiff_t ready = ready_;
		std::string arrived = a_.order(records(arrival_order_.begin(), arrival_order_.begin() + ready));
		if (ready < static_cast<std::ptrdiff_t>(arrival_order_.size()))
			arrived += " | " + a_.order(records(arrival_order_.begin() + ready, arrival_order_.end()));
		return a_.name(runner) + " runs from " + with_commas(clock) + " to " + with_commas(step_end_) +
		       "; arrival order " + arrived + ", priority order " + a_.order(key_order);
	}

	void announce_arrivals(const process_table& t, std::int32_t start, std::int32_t end, long long clock)
	{
		records arrived;
		for (std::int32_t slot = start; slot < end && t.arrival[slot] <= clock; slot++) {
			const auto record = static_cast<std::size_t>(t.record[slot]);
			if (!announced_[record]) {
				announced_[record] = true;
				arrived.push_back(t.record[slot]);
			}
		}
		if (!arrived.empty())
			a_.add({"arrival", clock, a_.names(arrived) + (arrived.size() == 1 ? " arrives" : " arrive"),
			        {{"processes", account::records(arrived)}}});
	}

	account& a_;
	std::vector<bool> announced_;
	std::unordered_map<std::uint64_t, move_back> moved_back_;
	bool forgotten_ = false;
	std::int32_t runner_ = -1;
	long long last_arrival_ = 0;
	std::string last_tie_;
	// The step being told: its arrival order and the stretch it covers so far.
	records arrival_order_;
	std::int32_t ready_ = 0;
	std::int32_t step_runner_ = -1;
	long long step_end_ = 0;
	records step_arrival_order_;
	records step_key_order_;
};

} // namespace

account explain(const process_table& batch, const std::vector<batch_record>& records)
{
	account a(records, most_explaining_work);
	decision_recorder recorder(a, records.size());
	run_rule(batch, [](std::int32_t, long long) {}, &recorder);
	return a;
}

} // namespace priority_sched
