#include "rule.hpp"

#include "orderings.hpp"

#include <algorithm>
#include <utility>

namespace priority_sched {

namespace {

class rule_run {
public:
	rule_run(process_table t, const rule_report& report, rule_recorder* recorder)
	    : t_(std::move(t)), report_(report), recorder_(recorder)
	{
	}

	void run()
	{
		if (n() == 0 || !order(ordering_kind::first_arrival, 0, n()))
			return;
		const std::int32_t last_arrival = t_.arrival[n() - 1];
		first_tick();
		if (!stepping_phase(last_arrival))
			return;
		final_phase();
	}

private:
	std::int32_t n() const { return t_.size(); }
	bool listening() const { return recorder_ == nullptr || recorder_->listening(); }

	// The orderings' own loop (orderings.hpp), moving the record number with the five
	// columns that arrival_sort and priority_sort move, so that each process is known
	// wherever it goes, and telling the recorder of each exchange.
	bool order(ordering_kind kind, std::int32_t start, std::int32_t end)
	{
		if (recorder_ != nullptr && !recorder_->ordering(t_, kind, start, end, clock_))
			return false;
		const bool by_arrival = kind == ordering_kind::first_arrival || kind == ordering_kind::arrival;
		const column<std::int32_t>& key = by_arrival ? t_.arrival : t_.priority;
		selection_exchange(key.data(), start, end, [&](std::int32_t p, std::int32_t i) {
			if (recorder_ != nullptr)
				recorder_->exchange(t_, kind, p, i, clock_);
			exchange_slots(p, i);
		});
		return true;
	}

	void exchange_slots(std::int32_t p, std::int32_t i)
	{
		std::swap(t_.name[p], t_.name[i]);
		std::swap(t_.priority[p], t_.priority[i]);
		std::swap(t_.arrival[p], t_.arrival[i]);
		std::swap(t_.burst[p], t_.burst[i]);
		std::swap(t_.remaining[p], t_.remaining[i]);
		std::swap(t_.record[p], t_.record[i]);
	}

	void finish(std::int32_t slot)
	{
		if (recorder_ != nullptr)
			recorder_->finish(t_, slot, clock_);
		report_(t_.record[slot], clock_);
	}

	// The earliest arrival runs one unit, whatever the priorities.
	void first_tick()
	{
		if (recorder_ != nullptr)
			recorder_->first_tick(t_, t_.arrival[0]);
		clock_ = t_.arrival[0] + 1LL;
		if (--t_.remaining[0] == 0) {
			finish(0);
			finished_ = 1;
		}
	}

	// Returns true where the final phase follows.
	bool stepping_phase(std::int32_t last_arrival)
	{
		while (finished_ < n()) {
			const column<std::int32_t> before(t_.record.begin() + finished_, t_.record.end());
			if (!order(ordering_kind::arrival, finished_, n()))
				return false;
			std::int32_t ready_end = finished_;
			while (ready_end < n() && t_.arrival[ready_end] <= clock_ && t_.remaining[ready_end] != 0)
				ready_end++;
			if (ready_end == finished_) {
				// An idle step changes nothing but the clock, up to the next arrival.
				if (recorder_ != nullptr)
					recorder_->idle(clock_, t_.arrival[finished_]);
				clock_ = t_.arrival[finished_];
				continue;
			}
			if (clock_ >= last_arrival)
				return true;
			if (recorder_ != nullptr)
				recorder_->arrival_order(t_, finished_, ready_end, clock_);
			if (!order(ordering_kind::priority, finished_, ready_end))
				return false;
			run_front(came_round_unchanged(before) ? t_.arrival[ready_end] : clock_ + 1, ready_end);
			if (!listening())
				return false;
		}
		return false;
	}

	// A step that leaves every slot as it found it is followed by the very same step, the
	// orderings seeing the same keys in the same places, until a process arrives (at the
	// slot behind the ready range, whose arrival is later than the clock, as the clock is
	// before the last arrival) or the process in front finishes.
	bool came_round_unchanged(const column<std::int32_t>& before) const
	{
		return std::equal(before.begin(), before.end(), t_.record.begin() + finished_);
	}

	void run_front(long long until, std::int32_t ready_end)
	{
		const long long units = std::min<long long>(until - clock_, t_.remaining[finished_]);
		if (recorder_ != nullptr)
			recorder_->ran(t_, finished_, ready_end, clock_, units);
		clock_ += units;
		t_.remaining[finished_] -= static_cast<std::int32_t>(units);
		if (t_.remaining[finished_] == 0) {
			finish(finished_);
			finished_++;
		}
	}

	// Every unfinished process has arrived: they run to their end in one priority order.
	void final_phase()
	{
		if (!order(ordering_kind::final_priority, finished_, n()))
			return;
		if (recorder_ != nullptr)
			recorder_->final_phase(t_, finished_, clock_);
		for (std::int32_t slot = finished_; slot < n() && listening(); slot++) {
			clock_ += t_.remaining[slot];
			finish(slot);
		}
	}

	process_table t_;
	const rule_report& report_;
	rule_recorder* recorder_;
	long long clock_ = 0;
	std::int32_t finished_ = 0;
};

} // namespace

void run_rule(process_table t, const rule_report& report, rule_recorder* recorder)
{
	rule_run(std::move(t), report, recorder).run();
}

} // namespace priority_sched
