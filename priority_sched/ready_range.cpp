#include "ready_range.hpp"

#include "orderings.hpp"

#include <algorithm>

namespace priority_sched {

ready_range::ready_range(const process_table& t, std::int32_t finished, sched::run_observer& observer)
    : first_slot_(finished), processes_(t.size() - finished), priority_(t.priority.data() + finished),
      arrival_(t.arrival.data() + finished), record_(t.record.data() + finished),
      left_(t.remaining.begin() + finished, t.remaining.end()), arrival_label_(static_cast<std::size_t>(processes_)),
      observer_(&observer), waiting_(0)
{
}

bool ready_range::admit_arrived(long long clock)
{
	const std::int32_t first = waiting_;
	while (!all_admitted() && arrival_[waiting_] <= clock) {
		// Admitted processes arrive later than any in the range: their labels come last.
		const std::int32_t process = waiting_;
		if (newest_label_ < 0 || process == 0 || arrival_[process] != arrival_[process - 1])
			newest_label_++;
		arrival_label_[process] = newest_label_;
		order_.push_back(waiting_++);
		prepared_ = false;
	}
	return waiting_ != first;
}

void ready_range::prepare_orderings()
{
	prepared_ = true;
	rank_at_.resize(order_.size());
	from_.resize(order_.size());
	moved_.resize(order_.size());
	label_arrivals();
	label_priorities();
	for (std::int32_t i = 0; i < size(); i++)
		rank_at_[i] = priority_label_[order_[i]];
	by_priority_.prepare(rank_at_.data(), size());
	for (std::int32_t i = 0; i < size(); i++)
		rank_at_[i] = arrival_label_[order_[i]];
	by_arrival_.prepare(rank_at_.data(), size());
}

// The arrangers want ranks with few gaps. The batch's own ranks serve while there are
// not many more of them than processes in the range; otherwise the range is ranked anew.
void ready_range::label_priorities()
{
	if (priority_rank_.empty())
		rank_priorities();
	if (priority_ranks_ <= 8 * size()) {
		for (const std::int32_t process : order_)
			priority_label_[process] = priority_rank_[process];
		return;
	}
	std::vector<std::int32_t> ranks;
	for (const std::int32_t process : order_)
		ranks.push_back(priority_rank_[process]);
	ranks = dense_ranks(ranks);
	for (std::int32_t i = 0; i < size(); i++)
		priority_label_[order_[i]] = ranks[static_cast<std::size_t>(i)];
}

void ready_range::rank_priorities()
{
	const std::vector<std::int32_t> ranks = dense_ranks({priority_, priority_ + processes_});
	priority_rank_.assign(ranks.begin(), ranks.end());
	for (const std::int32_t rank : priority_rank_)
		priority_ranks_ = std::max(priority_ranks_, rank + 1);
	priority_label_.resize(priority_rank_.size());
}

// Labels of processes that have finished leave gaps; closing them keeps the labels from
// running far ahead of the processes in the range.
void ready_range::label_arrivals()
{
	column<std::int32_t>& closed = closed_labels_;
	closed.assign(static_cast<std::size_t>(newest_label_ + 1), 0);
	for (const std::int32_t process : order_)
		closed[arrival_label_[process]] = 1;
	std::int32_t next = 0;
	for (std::int32_t& label : closed)
		label = label != 0 ? next++ : -1;
	for (const std::int32_t process : order_)
		arrival_label_[process] = closed[arrival_label_[process]];
	newest_label_ = next - 1;
}

// A short range goes through the exchange loop itself, on the process numbers where they
// stand: an exchange of two slots moves their processes, and each key goes with its
// process. Nothing is copied and nothing prepared, which is most of the cost of a range
// of one to three processes. A long one is moved to the arrangement the loop leaves; the
// arrangers compare labels in place of the values, which keep their order. Its labels may
// gather gaps while the range is short, which the first long range closes, at a cost of
// the labels handed out since.
void ready_range::arrange(const column<std::int32_t>& label, exchange_arranger& arranger,
                          bool by_priority)
{
	const std::int32_t n = size();
	if (n <= longest_range_for_the_loops) {
		exchange_in_place(by_priority ? priority_ : arrival_);
		return;
	}
	if (!prepared_)
		prepare_orderings();
	for (std::int32_t i = 0; i < n; i++)
		rank_at_[i] = label[order_[i]];
	arranger.arrange(rank_at_.data(), from_.data());
	for (std::int32_t i = 0; i < n; i++)
		moved_[i] = order_[from_[i]];
	std::swap(order_, moved_);
}

// selection_exchange (orderings.hpp), the key of each slot read through its process.
void ready_range::exchange_in_place(const std::int32_t* key)
{
	const std::int32_t n = size();
	std::int32_t* const order = order_.data();
	for (std::int32_t p = 0; p < n - 1; p++) {
		std::int32_t key_at_p = key[order[p]];
		for (std::int32_t i = p + 1; i < n; i++) {
			if (key[order[i]] < key_at_p) {
				std::swap(order[p], order[i]);
				key_at_p = key[order[p]];
			}
		}
	}
}

std::uint64_t ready_range::key_hash(const std::int32_t* order) const
{
	std::uint64_t hash = 14695981039346656037ULL;
	for (std::int32_t i = 0; i < size(); i++) {
		const std::int32_t process = order[i];
		const auto key = static_cast<std::uint64_t>(static_cast<std::uint32_t>(priority_[process])) << 32 |
		                 static_cast<std::uint32_t>(arrival_[process]);
		hash = (hash ^ key) * 1099511628211ULL;
	}
	return hash;
}

bool ready_range::keys_stand_as_in(const std::int32_t* order) const
{
	for (std::int32_t i = 0; i < size(); i++)
		if (priority_[order_[i]] != priority_[order[i]] || arrival_[order_[i]] != arrival_[order[i]])
			return false;
	return true;
}

bool ready_range::front_is_fixed() const
{
	if (empty())
		return false;
	const std::int32_t front = priority_[order_.front()];
	return std::all_of(order_.begin(), order_.end(), [&](std::int32_t process) { return priority_[process] >= front; });
}

bool ready_range::arrivals_distinct() const
{
	for (std::int32_t i = 1; i < size(); i++)
		if (arrival_[order_[i]] == arrival_[order_[i - 1]])
			return false;
	return true;
}

void ready_range::move(const column<std::int32_t>& to)
{
	moved_.resize(order_.size());
	for (std::int32_t i = 0; i < size(); i++)
		moved_[to[i]] = order_[i];
	std::swap(order_, moved_);
}

std::int32_t ready_range::finish_front()
{
	const std::int32_t process = order_.front();
	order_.erase(order_.begin());
	prepared_ = false;
	return first_slot_ + process;
}

// The rows of the unfinished processes are gathered before any is written, as they go
// to slots that others may hold.
void ready_range::write_back(process_table& t, std::int32_t slot) const
{
	column<std::int32_t> unfinished = order_;
	for (std::int32_t process = waiting_; process < processes_; process++)
		unfinished.push_back(process);
	process_table rows;
	for (const std::int32_t process : unfinished) {
		const std::int32_t from = first_slot_ + process;
		rows.name.push_back(t.name[from]);
		rows.priority.push_back(t.priority[from]);
		rows.arrival.push_back(t.arrival[from]);
		rows.burst.push_back(t.burst[from]);
		rows.remaining.push_back(static_cast<std::int32_t>(left_[process]));
		rows.record.push_back(t.record[from]);
	}
	auto put = [slot](auto& to, const auto& from) { std::copy(from.begin(), from.end(), to.begin() + slot); };
	put(t.name, rows.name);
	put(t.priority, rows.priority);
	put(t.arrival, rows.arrival);
	put(t.burst, rows.burst);
	put(t.remaining, rows.remaining);
	put(t.record, rows.record);
}

} // namespace priority_sched
