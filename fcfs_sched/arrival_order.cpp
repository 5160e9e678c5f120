// The arrangement of the all-pairs ordering, built without its n² comparisons.
//
// What the double loop "for i, for j: if arrival[i] < arrival[j], exchange i and j" does,
// round by round:
//
// Round 0 (i = 0) walks j over the whole table with slot 0 holding the largest arrival
// seen so far: at each strictly larger arrival (a record) the two exchange, so slot 0
// ends with the first largest arrival, the process of slot 0 moves to the first record's
// slot, and each record's process moves on to the next record's slot. Nothing else moves.
//
// Round i (i >= 1) starts with slots 0 to i-1 in non-decreasing order and the largest
// arrival of the table in slot i-1 (true after round 0, and kept by every round). Slot i
// then meets slots 0 to i-1 in turn: it exchanges with the first slot whose arrival is
// strictly larger than its own, so its process lands behind every slot whose arrival is
// at most its own; from then on slot i holds the first process of the next group of equal
// arrivals, passes over the rest of that group (equal, so no exchange) and exchanges
// with the first process of the group after it. Every group behind the newcomer thus
// moves its first process to its end, and the last group's first process ends in slot
// i. Slots i+1 and beyond never exchange with slot i, which now holds the largest
// arrival. Each round therefore inserts one process into the ordered prefix:
//  - appended to the end of its group of equal arrivals;
//  - every group of strictly larger arrivals rotated by one, first process to the end.
//
// The groups never mix, so each can be followed on its own, as a cyclic list read from
// its start: a rotation moves the start one step on, and an append goes in just before
// the start. The rotations of a group between two of its appends are the rounds that
// inserted a smaller arrival in between, counted with a Fenwick tree over the arrival
// ranks; the start's index in the list then follows by arithmetic modulo the group's
// length, and with it the index at which each process enters the list. Where each
// process ends up follows from those indices: placed in reverse order of entry, each
// takes the free place of its index among those that later entries have not taken (a
// second Fenwick tree finds it). Every step is O(log n). The tests hold this against
// the double loop on every table of up to seven slots over three arrival values.

#include "arrival_order.hpp"

#include "sort.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>

namespace fcfs_sched {

namespace {

// Counts at the positions 0 to size-1, with sums of a prefix and the search for where a
// prefix sum is first reached, each in O(log size).
class fenwick {
public:
	explicit fenwick(std::int32_t size) : tree_(static_cast<std::size_t>(size) + 1) {}

	// Every position of 0 to size-1 holds 1; the storage is kept from use to use.
	void assign_ones(std::int32_t size)
	{
		tree_.resize(static_cast<std::size_t>(size) + 1);
		for (std::size_t p = 1; p < tree_.size(); p++)
			tree_[p] = static_cast<std::int32_t>(p & (~p + 1));
	}

	void add(std::int32_t position, std::int32_t amount)
	{
		for (auto p = static_cast<std::size_t>(position) + 1; p < tree_.size(); p += p & (~p + 1))
			tree_[p] += amount;
	}

	// The sum over positions 0 to end-1.
	std::int32_t sum_below(std::int32_t end) const
	{
		std::int32_t sum = 0;
		for (auto p = static_cast<std::size_t>(end); p > 0; p -= p & (~p + 1))
			sum += tree_[p];
		return sum;
	}

	// The smallest position whose prefix sum, itself included, reaches `k` (k >= 1 and at
	// most the total, all counts non-negative).
	std::int32_t reaching(std::int32_t k) const
	{
		std::size_t position = 0;
		std::size_t step = 1;
		while (step * 2 < tree_.size())
			step *= 2;
		for (; step > 0; step /= 2)
			if (position + step < tree_.size() && tree_[position + step] < k) {
				position += step;
				k -= tree_[position];
			}
		return static_cast<std::int32_t>(position);
	}

private:
	std::vector<std::int32_t> tree_;
};

std::size_t at(std::int32_t index)
{
	return static_cast<std::size_t>(index);
}

// Round 0: entry i is the slot whose process stands in slot i once round 0 is over.
std::vector<std::int32_t> after_round_zero(std::int32_t count, const std::int32_t* arrival)
{
	std::vector<std::int32_t> process(at(count));
	std::iota(process.begin(), process.end(), 0);
	std::int32_t held = 0;
	for (std::int32_t j = 1; j < count; j++)
		if (arrival[held] < arrival[j]) {
			process[at(j)] = held;
			held = j;
		}
	process[0] = held;
	return process;
}

// Each slot's arrival and number in one unsigned number that orders as the pair does,
// sorted: a radix sort of the arrivals, stable, a byte a pass.
std::vector<std::uint64_t> sorted_by_arrival(std::int32_t count, const std::int32_t* arrival)
{
	std::vector<std::uint64_t> pair(at(count)), scratch(at(count));
	for (std::int32_t slot = 0; slot < count; slot++)
		pair[at(slot)] = std::uint64_t{static_cast<std::uint32_t>(arrival[slot]) ^ 0x80000000U} << 32 |
		                 static_cast<std::uint32_t>(slot);
	for (unsigned shift = 32; shift < 64; shift += 8) {
		std::array<std::size_t, 257> place{};
		for (const std::uint64_t p : pair)
			place[(p >> shift & 255) + 1]++;
		for (std::size_t digit = 1; digit < place.size(); digit++)
			place[digit] += place[digit - 1];
		for (const std::uint64_t p : pair)
			scratch[place[p >> shift & 255]++] = p;
		pair.swap(scratch);
	}
	return pair;
}

// A group of equal arrivals: where it begins in the ordered table and how many processes
// it holds, and, while the rounds go on, its state as a cyclic list: how many processes
// have entered it, the index of its start, and how many smaller insertions have been
// applied to it as rotations.
struct group {
	std::int32_t begin = 0;
	std::int32_t size = 0;
	std::int32_t length = 0;
	std::int32_t start = 0;
	std::int32_t rotated = 0;
};

} // namespace

std::vector<std::int32_t> all_pairs_arrangement(std::int32_t count, const std::int32_t* arrival)
{
	if (count == 0)
		return {};

	// The groups in increasing order of arrival, and the group of each slot.
	std::vector<group> groups;
	std::vector<std::int32_t> group_of_slot(at(count));
	{
		const std::vector<std::uint64_t> by_arrival = sorted_by_arrival(count, arrival);
		for (std::size_t k = 0; k < by_arrival.size(); k++) {
			if (k == 0 || by_arrival[k] >> 32 != by_arrival[k - 1] >> 32)
				groups.push_back({static_cast<std::int32_t>(k), 0});
			groups.back().size++;
			group_of_slot[by_arrival[k] & 0xFFFFFFFFU] = static_cast<std::int32_t>(groups.size()) - 1;
		}
	}

	fenwick inserted(static_cast<std::int32_t>(groups.size()));
	// A group of one is never rotated into another order, so its rotations go uncounted.
	auto catch_up = [&](std::int32_t g) {
		group& to = groups[at(g)];
		if (to.size == 1)
			return;
		const std::int32_t smaller = inserted.sum_below(g);
		if (to.length > 0)
			to.start = static_cast<std::int32_t>((to.start + static_cast<long long>(smaller - to.rotated)) % to.length);
		to.rotated = smaller;
	};

	// Each group's processes in the order they entered it, group after group, with the
	// index at which each entered the group's list.
	std::vector<std::int32_t> member(at(count)), member_entry(at(count));
	{
		const std::vector<std::int32_t> process = after_round_zero(count, arrival);
		for (std::int32_t round = 0; round < count; round++) {
			const std::int32_t g = group_of_slot[at(process[at(round)])];
			catch_up(g);
			group& to = groups[at(g)];
			const std::int32_t k = to.begin + to.length;
			member[at(k)] = process[at(round)];
			// In just before the start, which then stands one further on.
			member_entry[at(k)] = to.start;
			to.start = to.length == 0 ? 0 : to.start + 1;
			to.length++;
			// Round 0 is counted too, harmlessly: its process has the largest arrival, and
			// no group is larger.
			inserted.add(g, 1);
		}
	}
	group_of_slot = {};

	// Each group on its own: the k-th place still free among its places is where the
	// process that entered at index k-1 goes.
	std::vector<std::int32_t> arrangement(at(count));
	fenwick free(0);
	for (std::int32_t g = 0; g < static_cast<std::int32_t>(groups.size()); g++) {
		catch_up(g);
		const group& of = groups[at(g)];
		free.assign_ones(of.size);
		for (std::int32_t k = of.begin + of.size - 1; k >= of.begin; k--) {
			const std::int32_t place = free.reaching(member_entry[at(k)] + 1);
			free.add(place, -1);
			const auto from_start = static_cast<std::int32_t>((static_cast<long long>(place) - of.start + of.size) % of.size);
			arrangement[at(of.begin + from_start)] = member[at(k)];
		}
	}
	return arrangement;
}

namespace {

template <typename T>
void rearrange(const std::vector<std::int32_t>& arrangement, T* column)
{
	std::vector<T> moved(arrangement.size());
	for (std::size_t k = 0; k < arrangement.size(); k++)
		moved[k] = column[arrangement[k]];
	std::copy(moved.begin(), moved.end(), column);
}

} // namespace

void order_by_arrival(std::int32_t count, char* name, std::int32_t* arrival, std::int32_t* burst,
                      std::int32_t* record)
{
	std::vector<std::int32_t> arrangement;
	if (count > all_pairs_literal_limit) {
		arrangement = all_pairs_arrangement(count, arrival);
	} else {
		// `sort` itself, on a copy whose burst column holds each slot's number, so that
		// the arrangement can move the record numbers too.
		std::vector<char> names(name, name + count);
		std::vector<std::int32_t> arrivals(arrival, arrival + count);
		arrangement.resize(at(count));
		for (std::int32_t slot = 0; slot < count; slot++)
			arrangement[at(slot)] = slot;
		sort(count, names.data(), arrivals.data(), arrangement.data());
	}
	rearrange(arrangement, name);
	rearrange(arrangement, arrival);
	rearrange(arrangement, burst);
	rearrange(arrangement, record);
}

} // namespace fcfs_sched
