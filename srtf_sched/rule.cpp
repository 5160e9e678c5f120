#include "rule.hpp"

#include "orderings.hpp"

#include <algorithm>
#include <utility>

namespace srtf_sched {

namespace {

class rule_run {
public:
	rule_run(process_table t, const rule_report& report, rule_recorder* recorder)
	    : t_(std::move(t)), report_(report), recorder_(recorder)
	{
	}

	void run()
	{
		if (n() == 0 || !order(t_.arrival, 0, n()))
			return;
		const std::int32_t last_arrival = t_.arrival[n() - 1];
		first_tick();
		if (!stepping_phase(last_arrival) || !order(t_.remaining, finished_, n()))
			return;
		final_phase();
	}

private:
	std::size_t n() const { return t_.size(); }
	bool listening() const { return recorder_ == nullptr || recorder_->listening(); }

	// The orderings' own loop (orderings.hpp), moving the record number with the four
	// columns that arrival_sort and burst_sort move, so that each process is known
	// wherever it goes.
	template <typename Key>
	bool order(const std::vector<Key>& key, std::size_t start, std::size_t end)
	{
		if (recorder_ != nullptr && !recorder_->ordering(start, end, clock_))
			return false;
		neighbour_exchange(key.data(), static_cast<std::int32_t>(start), static_cast<std::int32_t>(end),
		                   [&](std::int32_t j) {
			                   const auto slot = static_cast<std::size_t>(j);
			                   std::swap(t_.arrival[slot], t_.arrival[slot + 1]);
			                   std::swap(t_.remaining[slot], t_.remaining[slot + 1]);
			                   std::swap(t_.name[slot], t_.name[slot + 1]);
			                   std::swap(t_.burst[slot], t_.burst[slot + 1]);
			                   std::swap(t_.record[slot], t_.record[slot + 1]);
		                   });
		return true;
	}

	void finish(std::size_t slot)
	{
		if (recorder_ != nullptr)
			recorder_->finish(t_, slot, clock_);
		report_(t_.record[slot], clock_);
	}

	// The earliest arrival runs one unit, whatever the bursts.
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
			std::size_t ready_end = finished_;
			for (std::size_t slot = finished_; slot < n(); slot++)
				if (t_.arrival[slot] <= clock_)
					ready_end++;
			if (ready_end == finished_) {
				// An idle step changes nothing but the clock, up to the next arrival: the
				// slots that have never been ready stand in arrival order.
				if (recorder_ != nullptr)
					recorder_->idle(clock_, t_.arrival[finished_]);
				clock_ = t_.arrival[finished_];
				continue;
			}
			if (clock_ >= last_arrival)
				return true;
			if (recorder_ != nullptr)
				recorder_->ready(t_, finished_, ready_end, clock_);
			if (!order(t_.remaining, finished_, ready_end))
				return false;
			run_front(ready_end);
			if (!listening())
				return false;
		}
		return false;
	}

	// Once ordered, the ready range stays in order while its front runs, as the front's
	// time left only falls: the orderings of the steps that follow exchange nothing until
	// a process arrives (at the slot behind the range, whose arrival is later than the
	// clock, which is before the last arrival) or the front finishes. A front whose time
	// left is 0 or less never reaches 0 and runs until the arrival.
	void run_front(std::size_t ready_end)
	{
		long long units = t_.arrival[ready_end] - clock_;
		if (t_.remaining[finished_] > 0)
			units = std::min(units, t_.remaining[finished_]);
		if (recorder_ != nullptr)
			recorder_->ran(t_, finished_, ready_end, clock_, units);
		clock_ += units;
		t_.remaining[finished_] -= units;
		if (t_.remaining[finished_] == 0) {
			finish(finished_);
			finished_++;
		}
	}

	// Every unfinished process has arrived: they run to their end, shortest first.
	void final_phase()
	{
		if (recorder_ != nullptr)
			recorder_->final_phase(t_, finished_, clock_);
		for (std::size_t slot = finished_; slot < n() && listening(); slot++) {
			clock_ += t_.remaining[slot];
			finish(slot);
		}
	}

	process_table t_;
	const rule_report& report_;
	rule_recorder* recorder_;
	long long clock_ = 0;
	std::size_t finished_ = 0;
};

} // namespace

void run_rule(process_table t, const rule_report& report, rule_recorder* recorder)
{
	rule_run(std::move(t), report, recorder).run();
}

} // namespace srtf_sched
