#include "ready_range.hpp"

#include "orderings.hpp"

#include <algorithm>

namespace {

template <typename T>
std::vector<T> tail(const std::vector<T>& column, std::int32_t first)
{
	return {column.begin() + first, column.end()};
}

} // namespace

ready_range::ready_range(const process_table& t, std::int32_t finished)
    : name_(tail(t.name, finished)), priority_(tail(t.priority, finished)),
      arrival_(tail(t.arrival, finished)), burst_(tail(t.burst, finished)),
      left_(t.remaining.begin() + finished, t.remaining.end()), priority_rank_(dense_ranks(priority_)),
      priority_label_(priority_.size()), arrival_label_(priority_.size()), first_slot_(finished),
      waiting_(0)
{
	for (const std::int32_t rank : priority_rank_)
		priority_ranks_ = std::max(priority_ranks_, rank + 1);
}

void ready_range::admit(long long clock)
{
	while (!all_admitted() && arrival_[static_cast<std::size_t>(waiting_)] <= clock) {
		// Admitted processes arrive later than any in the range: their labels come last.
		const auto process = static_cast<std::size_t>(waiting_);
		if (newest_label_ < 0 || process == 0 || arrival_[process] != arrival_[process - 1])
			newest_label_++;
		arrival_label_[process] = newest_label_;
		order_.push_back(waiting_++);
		prepared_ = false;
	}
}

void ready_range::prepare_orderings()
{
	prepared_ = true;
	label_arrivals();
	short_ = size() <= longest_range_for_the_loops;
	if (short_)
		return;
	label_priorities();
	rank_at_.resize(order_.size());
	for (std::size_t i = 0; i < order_.size(); i++)
		rank_at_[i] = priority_label_[static_cast<std::size_t>(order_[i])];
	by_priority_.prepare(rank_at_.data(), size());
	for (std::size_t i = 0; i < order_.size(); i++)
		rank_at_[i] = arrival_label_[static_cast<std::size_t>(order_[i])];
	by_arrival_.prepare(rank_at_.data(), size());
	from_.resize(order_.size());
	moved_.resize(order_.size());
}

// The arrangers want ranks with few gaps. The batch's own ranks serve while there are
// not many more of them than processes in the range; otherwise the range is ranked anew.
void ready_range::label_priorities()
{
	if (priority_ranks_ <= 8 * size()) {
		for (const std::int32_t process : order_)
			priority_label_[static_cast<std::size_t>(process)] =
				priority_rank_[static_cast<std::size_t>(process)];
		return;
	}
	std::vector<std::int32_t> ranks;
	for (const std::int32_t process : order_)
		ranks.push_back(priority_rank_[static_cast<std::size_t>(process)]);
	ranks = dense_ranks(ranks);
	for (std::size_t i = 0; i < order_.size(); i++)
		priority_label_[static_cast<std::size_t>(order_[i])] = ranks[i];
}

// Labels of processes that have finished leave gaps; closing them keeps the labels from
// running far ahead of the processes in the range.
void ready_range::label_arrivals()
{
	std::vector<std::int32_t> closed(static_cast<std::size_t>(newest_label_) + 1, 0);
	for (const std::int32_t process : order_)
		closed[static_cast<std::size_t>(arrival_label_[static_cast<std::size_t>(process)])] = 1;
	std::int32_t next = 0;
	for (std::int32_t& label : closed)
		label = label != 0 ? next++ : -1;
	for (const std::int32_t process : order_) {
		std::int32_t& label = arrival_label_[static_cast<std::size_t>(process)];
		label = closed[static_cast<std::size_t>(label)];
	}
	newest_label_ = next - 1;
}

void ready_range::order_by_priority()
{
	arrange(priority_label_, by_priority_, true);
}

void ready_range::order_by_arrival()
{
	arrange(arrival_label_, by_arrival_, false);
}

// The orderings compare labels in place of the values: the labels keep their order.
void ready_range::arrange(const std::vector<std::int32_t>& label, exchange_arranger& arranger,
                          bool by_priority)
{
	if (!prepared_)
		prepare_orderings();
	const auto n = order_.size();
	if (short_) {
		// The loops themselves, on a copy whose remaining column holds the positions.
		process_table& copy = short_copy_;
		copy.name.assign(n, ' ');
		copy.burst.assign(n, 0);
		copy.priority.resize(n);
		copy.arrival.resize(n);
		copy.remaining.resize(n);
		for (std::size_t i = 0; i < n; i++) {
			const auto process = static_cast<std::size_t>(order_[i]);
			copy.priority[i] = priority_[process];
			copy.arrival[i] = arrival_[process];
			copy.remaining[i] = static_cast<std::int32_t>(i);
		}
		const auto sort = by_priority ? priority_sort : arrival_sort;
		sort(copy.arrival.data(), copy.remaining.data(), 0, size(), copy.name.data(), copy.burst.data(),
		     copy.priority.data());
		from_.assign(copy.remaining.begin(), copy.remaining.end());
	} else {
		rank_at_.resize(n);
		for (std::size_t i = 0; i < n; i++)
			rank_at_[i] = label[static_cast<std::size_t>(order_[i])];
		arranger.arrange(rank_at_.data(), from_.data());
	}
	moved_.resize(n);
	for (std::size_t i = 0; i < n; i++)
		moved_[i] = order_[static_cast<std::size_t>(from_[i])];
	std::swap(order_, moved_);
}

const std::vector<std::uint64_t>& ready_range::keys()
{
	keys_.resize(order_.size());
	for (std::size_t i = 0; i < order_.size(); i++) {
		const auto process = static_cast<std::size_t>(order_[i]);
		keys_[i] = static_cast<std::uint64_t>(static_cast<std::uint32_t>(priority_[process])) << 32 |
		           static_cast<std::uint32_t>(arrival_[process]);
	}
	return keys_;
}

void ready_range::move(const std::vector<std::int32_t>& to)
{
	moved_.resize(order_.size());
	for (std::size_t i = 0; i < order_.size(); i++)
		moved_[static_cast<std::size_t>(to[i])] = order_[i];
	std::swap(order_, moved_);
}

void ready_range::finish_front(process_table& t, std::int32_t slot)
{
	copy_process(t, order_.front(), slot);
	order_.erase(order_.begin());
	prepared_ = false;
}

void ready_range::write_back(process_table& t, std::int32_t slot) const
{
	for (const std::int32_t process : order_)
		copy_process(t, process, slot++);
	for (std::int32_t process = waiting_; process < static_cast<std::int32_t>(arrival_.size()); process++)
		copy_process(t, process, slot++);
}

void ready_range::copy_process(process_table& t, std::int32_t process, std::int32_t slot) const
{
	const auto p = static_cast<std::size_t>(process);
	const auto s = static_cast<std::size_t>(slot);
	t.name[s] = name_[p];
	t.priority[s] = priority_[p];
	t.arrival[s] = arrival_[p];
	t.burst[s] = burst_[p];
	t.remaining[s] = static_cast<std::int32_t>(left_[p]);
}
