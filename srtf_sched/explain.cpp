#include "explain.hpp"

#include "report.hpp"
#include "rule.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace srtf_sched {

using sched::account;
using sched::batch_record;
using sched::cat;
using sched::with_commas;
namespace json = sched::json;

namespace {

using records = std::vector<std::int32_t>;

records records_of(const process_table& t, std::size_t start, std::size_t end)
{
	return {t.record.begin() + static_cast<std::ptrdiff_t>(start), t.record.begin() + static_cast<std::ptrdiff_t>(end)};
}

// Both orderings are stable, and the ready range keeps the order of time left, then
// arrival, then input order: a process joins it at the back with an arrival later than
// all in it. So two processes with as much time left stand in order of arrival, and of
// record where they arrived together; that is what decides every tie.
class decision_recorder : public rule_recorder {
public:
	decision_recorder(account& a, std::size_t processes) : a_(a), announced_(processes + 1, false) {}

	bool ordering(std::size_t start, std::size_t end, long long clock) override
	{
		const auto k = static_cast<long long>(end - start);
		return a_.spend(k > 1 ? (k - 1) * (k - 1) : 0, clock);
	}

	void first_tick(const process_table& t, long long start) override
	{
		announce_arrivals(t, 0, t.size(), start);
		last_arrival_ = t.arrival.back();
		const std::int32_t runner = t.record[0];
		const records order = records_of(t, 0, t.size());
		a_.add({"first_tick", start,
		        cat(a_.name(runner), " runs the first tick, from ", with_commas(start), " to ", with_commas(start + 1),
		            ", whatever the bursts: it stands first after the arrival ordering (", a_.order(order), ")"),
		        {{"process", json::number(runner)}, {"order", account::records(order)}}});
		records tied{runner};
		for (std::size_t slot = 1; slot < t.size() && t.arrival[slot] == t.arrival[0]; slot++)
			tied.push_back(t.record[slot]);
		if (tied.size() > 1)
			add_tie(start, tied, "arrival", t.arrival[0], cat("; ", a_.name(runner), " runs the first tick: "), false);
		runner_ = runner;
	}

	void idle(long long from, long long to) override
	{
		a_.add({"idle", from,
		        cat("idle from ", with_commas(from), " to ", with_commas(to), ": no unfinished process has arrived"),
		        {{"end", json::number(to)}}});
	}

	void ready(const process_table& t, std::size_t finished, std::size_t ready_end, long long clock) override
	{
		announce_arrivals(t, finished, ready_end, clock);
		slot_order_ = records_of(t, finished, t.size());
		ready_ = ready_end - finished;
	}

	void ran(const process_table& t, std::size_t finished, std::size_t ready_end, long long clock,
	         long long units) override
	{
		const records key_order = records_of(t, finished, ready_end);
		const std::int32_t runner = key_order.front();
		if (runner_ >= 0 && runner != runner_)
			add_preemption(t, clock, runner, finished);
		runner_ = runner;
		records tied{runner};
		for (std::size_t slot = finished + 1; slot < ready_end && t.remaining[slot] == t.remaining[finished]; slot++)
			tied.push_back(t.record[slot]);
		if (tied.size() > 1)
			add_tie(clock, tied, "remaining", t.remaining[finished], cat("; ", a_.name(runner), " runs: "), false);
		a_.add({"step", clock,
		        cat(a_.name(runner), " runs from ", with_commas(clock), " to ", with_commas(clock + units),
		            "; in slot order ", ready_order(), ", by time left ", a_.order(key_order)),
		        {{"end", json::number(clock + units)},
		         {"process", json::number(runner)},
		         {"arrival_order", account::records(slot_order_)},
		         {"ready", json::number(static_cast<long long>(ready_))},
		         {"key_order", account::records(key_order)}}});
	}

	void finish(const process_table& t, std::size_t slot, long long completion) override
	{
		const long long turnaround = completion - t.arrival[slot];
		const sched::report_text text =
			sched::report_line(t.name[slot], {t.arrival[slot], t.burst[slot], completion, turnaround, turnaround - t.burst[slot]});
		const std::string line(text.line, text.size - 1);
		const std::int32_t record = t.record[slot];
		a_.add({"finish", completion, cat(a_.name(record), " finishes: ", line),
		        {{"process", json::number(record)}, {"line", json::bytes(line)}}});
		if (record == runner_)
			runner_ = -1;
	}

	void final_phase(const process_table& t, std::size_t finished, long long clock) override
	{
		announce_arrivals(t, finished, t.size(), clock);
		const records order = records_of(t, finished, t.size());
		a_.add({"final_phase", clock,
		        cat("final phase: the clock has reached the last arrival, ", with_commas(last_arrival_),
		            "; ordered by time left, ", a_.order(order), " run to their end in this order"),
		        {{"order", account::records(order)}}});
		for (std::size_t first = finished; first < t.size();) {
			std::size_t end = first + 1;
			while (end < t.size() && t.remaining[end] == t.remaining[first])
				end++;
			if (end - first > 1)
				add_tie(clock, records_of(t, first, end), "remaining", t.remaining[first], " in the final order: ", true);
			first = end;
		}
	}

	bool listening() const override { return !a_.cut_short(); }

private:
	static constexpr std::size_t most_reasons = 8;

	// Why `ahead` stands before `behind`, two processes with as much time left.
	std::string why_ahead(std::int32_t ahead, std::int32_t behind) const
	{
		const batch_record& r = a_.of(ahead);
		const batch_record& x = a_.of(behind);
		if (r.arrival < x.arrival)
			return cat(a_.name(ahead), " arrived earlier (", with_commas(r.arrival), " before ",
			           with_commas(x.arrival), ")");
		return cat(a_.name(ahead), " and ", a_.name(behind), " arrived together, and ", a_.name(ahead),
		           " comes first in the input");
	}

	static std::string key_text(const std::string& key, long long value)
	{
		return key == "remaining" ? cat(with_commas(value), " left") : cat(key, " ", with_commas(value));
	}

	// `tied` in the order they stand; `verb` joins the subject and the reasons. In the final
	// order each stands before the next; otherwise the first, who runs, before each other.
	void add_tie(long long clock, const records& tied, const std::string& key, long long value, const std::string& verb,
	             bool in_order)
	{
		std::string text = cat(a_.names(tied), key == "remaining" ? " tie with " : " tie on ", key_text(key, value), verb);
		for (std::size_t i = 1; i < tied.size() && i <= most_reasons; i++)
			text += cat(i > 1 ? "; " : "", why_ahead(in_order ? tied[i - 1] : tied[0], tied[i]));
		if (!in_order && text == last_tie_)
			return;
		last_tie_ = text;
		a_.add({"tie", clock, text,
		        {{"key", json::bytes(key)},
		         {"value", json::number(value)},
		         {"processes", account::records(tied)},
		         {"exchanges", "[]"}}});
	}

	void add_preemption(const process_table& t, long long clock, std::int32_t runner, std::size_t front)
	{
		long long was_left = 0;
		for (std::size_t slot = front; slot < t.size(); slot++)
			if (t.record[slot] == runner_)
				was_left = t.remaining[slot];
		std::string reason = cat(with_commas(t.remaining[front]), " left before ", with_commas(was_left));
		if (t.remaining[front] == was_left)
			reason = cat("as much time left, ", with_commas(was_left), ", and ", why_ahead(runner, runner_));
		last_tie_.clear();
		a_.add({"preemption", clock, cat(a_.name(runner), " takes the processor from ", a_.name(runner_), ": ", reason),
		        {{"process", json::number(runner)}, {"from", json::number(runner_)}, {"reason", json::bytes(reason)}}});
	}

	std::string ready_order() const
	{
		const auto ready = static_cast<std::ptrdiff_t>(ready_);
		std::string text = a_.order(records(slot_order_.begin(), slot_order_.begin() + ready));
		if (ready < static_cast<std::ptrdiff_t>(slot_order_.size()))
			text += cat(" | ", a_.order(records(slot_order_.begin() + ready, slot_order_.end())));
		return text;
	}

	void announce_arrivals(const process_table& t, std::size_t start, std::size_t end, long long clock)
	{
		records arrived;
		for (std::size_t slot = start; slot < end; slot++) {
			const auto record = static_cast<std::size_t>(t.record[slot]);
			if (t.arrival[slot] <= clock && !announced_[record]) {
				announced_[record] = true;
				arrived.push_back(t.record[slot]);
			}
		}
		if (!arrived.empty())
			a_.add({"arrival", clock, cat(a_.names(arrived), arrived.size() == 1 ? " arrives" : " arrive"),
			        {{"processes", account::records(arrived)}}});
	}

	account& a_;
	std::vector<bool> announced_;
	std::int32_t runner_ = -1;
	long long last_arrival_ = 0;
	std::string last_tie_;
	records slot_order_;
	std::size_t ready_ = 0;
};

} // namespace

account explain(const process_table& batch, const std::vector<batch_record>& records)
{
	account a(records, most_explaining_work);
	decision_recorder recorder(a, records.size());
	run_rule(batch, [](std::int32_t, long long) {}, &recorder);
	return a;
}

} // namespace srtf_sched
