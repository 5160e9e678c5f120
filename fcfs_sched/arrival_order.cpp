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
// inserted a smaller arrival in between: with the rounds ordered by arrival (a radix
// sort) and the groups taken in that order, each marking its rounds once it is placed,
// those are the marked rounds between the two. A short group is then simply turned and
// appended to entry by entry. For a long one, the start's index in the list follows by
// arithmetic modulo the group's length, and with it the index at which each process
// enters the list; where each process ends up follows from those indices: placed in
// reverse order of entry, each takes the free place of its index among those that later
// entries have not taken (a Fenwick tree finds it). Every step is O(log n) but for the
// short groups' turns, a few at most. The tests hold this against the double loop on
// every table of up to seven slots over three arrival values, and on large random ones.

#include "arrival_order.hpp"

#include "key_order.hpp"
#include "sort.hpp"

#include <algorithm>
#include <array>
#include <bit>
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

// Marks on the places 0 to size-1, with the count of marks below a place: a bit a place,
// the count of marks in each word of 64 bits, and a Fenwick tree over the marks of each
// 64 words. A count adds up the tree's few steps, at most 63 word counts and the bits
// below the place in its word; all of it stays in the processor's caches for a million
// places, where a tree over the places themselves would not.
class marks {
public:
	explicit marks(std::int32_t size)
	    : bits_(at(size) / 64 + 1), word_marks_(bits_.size()), spans_(static_cast<std::int32_t>(bits_.size() / 64 + 1))
	{
	}

	void mark(std::int32_t place)
	{
		const std::size_t word = at(place) / 64;
		bits_[word] |= std::uint64_t{1} << (place % 64);
		word_marks_[word]++;
		spans_.add(static_cast<std::int32_t>(word / 64), 1);
	}

	std::int32_t count_below(std::int32_t place) const
	{
		const std::size_t word = at(place) / 64;
		std::int32_t count = spans_.sum_below(static_cast<std::int32_t>(word / 64));
		for (std::size_t w = word - word % 64; w < word; w++)
			count += word_marks_[w];
		return count + std::popcount(bits_[word] & ((std::uint64_t{1} << (place % 64)) - 1));
	}

private:
	std::vector<std::uint64_t> bits_;
	std::vector<std::uint8_t> word_marks_;
	fenwick spans_;
};

// Each round's process in the order of the finished table: by arrival, and in the order
// of the rounds that inserted them among equal arrivals.
std::vector<std::uint64_t> rounds_by_arrival(const std::vector<std::int32_t>& process, const std::int32_t* arrival)
{
	std::vector<std::uint64_t> rounds;
	rounds.reserve(process.size());
	for (std::size_t round = 0; round < process.size(); round++)
		rounds.push_back(sched::keyed_index(arrival[process[round]], static_cast<std::uint32_t>(round)));
	sched::order_by_key(rounds);
	return rounds;
}

std::int32_t round_of(std::uint64_t keyed)
{
	return static_cast<std::int32_t>(sched::index_of(keyed));
}

// The groups of equal arrivals, in increasing order of arrival, each placed in its part
// of the arrangement, by round, as the rounds leave its cyclic list. Groups of one, most
// of them where arrivals spread, need nothing but their place.
class group_arranger {
public:
	explicit group_arranger(const std::vector<std::uint64_t>& rounds)
	    : rounds_(rounds), smaller_inserted_(static_cast<std::int32_t>(rounds.size()))
	{
	}

	// The group of `size` entries from entry `first` of the rounds by arrival; every
	// smaller group has been placed.
	void place(std::int32_t first, std::int32_t size, std::vector<std::int32_t>& arrangement)
	{
		if (size == 1) {
			arrangement[at(first)] = round_at(first);
		} else if (size == 2) {
			place_pair(first, arrangement);
		} else {
			count_turns(first, size);
			if (size <= short_group)
				place_short(first, size, arrangement);
			else
				place_long(first, size, arrangement);
		}
		for (std::int32_t k = first; k < first + size; k++)
			smaller_inserted_.mark(round_at(k));
	}

private:
	// Up to this many entries the list is turned in place, entry by entry, in O(size²).
	static constexpr std::int32_t short_group = 16;

	std::int32_t round_at(std::int32_t entry) const { return round_of(rounds_[at(entry)]); }

	// How far the group's list turns while it holds k entries, for k from 1 to size: once
	// for each round from its k-th entry to the next, or to the end, that inserted a
	// smaller arrival. A list of one is the same however far it turns.
	void count_turns(std::int32_t first, std::int32_t size)
	{
		turns_.assign(at(size) + 1, 0);
		std::int32_t smaller_before = 0;
		for (std::int32_t k = 1; k < size; k++) {
			const std::int32_t smaller = smaller_inserted_.count_below(round_at(first + k));
			if (k > 1)
				turns_[at(k)] = smaller - smaller_before;
			smaller_before = smaller;
		}
		// Every smaller arrival has been inserted by the last round.
		turns_[at(size)] = first - smaller_before;
	}

	// The most common group of more than one, on its own: the pair ends in the order it
	// entered unless the smaller arrivals inserted after the second turned it an odd number
	// of times.
	void place_pair(std::int32_t first, std::vector<std::int32_t>& arrangement) const
	{
		const std::int32_t second = round_at(first + 1);
		const bool turned = (first - smaller_inserted_.count_below(second)) % 2 != 0;
		arrangement[at(first)] = turned ? second : round_at(first);
		arrangement[at(first + 1)] = turned ? round_at(first) : second;
	}

	// Each entry goes in at the end of the list as read from its start.
	void place_short(std::int32_t first, std::int32_t size, std::vector<std::int32_t>& arrangement) const
	{
		std::array<std::int32_t, short_group> list{};
		for (std::int32_t k = 0; k <= size; k++) {
			if (k > 0)
				std::rotate(list.begin(), list.begin() + turns_[at(k)] % k, list.begin() + k);
			if (k < size)
				list[at(k)] = round_at(first + k);
		}
		std::copy(list.begin(), list.begin() + size, arrangement.begin() + first);
	}

	// The index at which each entry goes into the cyclic list, just before its start,
	// which then stands one further on; then, in reverse order of entry, the k-th place
	// still free among the group's places is where the process that entered at index k-1
	// goes.
	void place_long(std::int32_t first, std::int32_t size, std::vector<std::int32_t>& arrangement)
	{
		entry_.assign(at(size), 0);
		long long start = 0;
		for (std::int32_t k = 1; k < size; k++) {
			start = (start + turns_[at(k)]) % k;
			entry_[at(k)] = static_cast<std::int32_t>(start++);
		}
		start = (start + turns_[at(size)]) % size;
		free_.assign_ones(size);
		for (std::int32_t k = size - 1; k >= 0; k--) {
			const std::int32_t place = free_.reaching(entry_[at(k)] + 1);
			free_.add(place, -1);
			const auto from_start = static_cast<std::int32_t>((place - start + size) % size);
			arrangement[at(first + from_start)] = round_at(first + k);
		}
	}

	const std::vector<std::uint64_t>& rounds_;
	// The rounds that inserted the arrivals of the groups placed so far.
	marks smaller_inserted_;
	std::vector<std::int32_t> turns_;
	fenwick free_{0};
	std::vector<std::int32_t> entry_;
};

} // namespace

std::vector<std::int32_t> all_pairs_arrangement(std::int32_t count, const std::int32_t* arrival)
{
	if (count == 0)
		return {};
	const std::vector<std::int32_t> process = after_round_zero(count, arrival);
	const std::vector<std::uint64_t> rounds = rounds_by_arrival(process, arrival);
	std::vector<std::int32_t> arrangement(at(count));
	group_arranger groups(rounds);
	for (std::int32_t first = 0, size; first < count; first += size) {
		size = 1;
		while (first + size < count && sched::same_key(rounds[at(first + size)], rounds[at(first)]))
			size++;
		groups.place(first, size, arrangement);
	}
	// From rounds to slots in a loop of its own, whose reads all over the table can
	// overlap: in the loop above each waited for the one before.
	for (std::int32_t& entry : arrangement)
		entry = process[at(entry)];
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

std::vector<std::int32_t> arrival_order(std::int32_t count, const std::int32_t* arrival)
{
	if (count > all_pairs_literal_limit)
		return all_pairs_arrangement(count, arrival);
	// `sort` itself, on a copy whose burst column holds each slot's number.
	std::vector<char> names(at(count));
	std::vector<std::int32_t> arrivals(arrival, arrival + count);
	std::vector<std::int32_t> arrangement(at(count));
	std::iota(arrangement.begin(), arrangement.end(), 0);
	sort(count, names.data(), arrivals.data(), arrangement.data());
	return arrangement;
}

void order_by_arrival(std::int32_t count, char* name, std::int32_t* arrival, std::int32_t* burst,
                      std::int32_t* record)
{
	const std::vector<std::int32_t> arrangement = arrival_order(count, arrival);
	rearrange(arrangement, name);
	rearrange(arrangement, arrival);
	rearrange(arrangement, burst);
	rearrange(arrangement, record);
}

} // namespace fcfs_sched
