// The arrangement of the exchange orderings, by the orderings themselves on small ranges
// and by an O(n log n) sort on large ones.
//
// Why the sort gives the same arrangement: `arrival_sort` and `burst_sort` exchange two
// neighbours only when the first key is strictly larger, so two slots with equal keys
// never pass each other, and their (n-1) full passes leave the range in non-decreasing
// order of key. An arrangement in non-decreasing order of key that keeps equal keys in
// their former order is unique: it is the order by key and, among equal keys, by the
// place each slot held before. Sorting by that pair gives it directly.

#include "stable_order.hpp"

#include "key_order.hpp"
#include "orderings.hpp"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace srtf_sched {

template <typename Key>
std::vector<std::int32_t> stable_arrangement(const Key* key, std::size_t size)
{
	std::vector<std::int32_t> arrangement(size);
	if constexpr (sizeof(Key) == sizeof(std::int32_t)) {
		// Key and place in one unsigned number, ordered by key with the places in order
		// among equal keys: several times faster than places compared through their keys.
		std::vector<std::uint64_t> keyed(size);
		for (std::size_t place = 0; place < size; place++)
			keyed[place] = sched::keyed_index(key[place], static_cast<std::uint32_t>(place));
		sched::order_by_key(keyed);
		for (std::size_t k = 0; k < size; k++)
			arrangement[k] = static_cast<std::int32_t>(sched::index_of(keyed[k]));
	} else {
		std::iota(arrangement.begin(), arrangement.end(), 0);
		std::sort(arrangement.begin(), arrangement.end(), [key](std::int32_t a, std::int32_t b) {
			const Key key_a = key[static_cast<std::size_t>(a)];
			const Key key_b = key[static_cast<std::size_t>(b)];
			return key_a < key_b || (key_a == key_b && a < b);
		});
	}
	return arrangement;
}

template std::vector<std::int32_t> stable_arrangement(const std::int32_t* key, std::size_t size);
template std::vector<std::int32_t> stable_arrangement(const long long* key, std::size_t size);

namespace {

using exchange_ordering = void (*)(std::int32_t* arrival, long long* remaining, std::int32_t range_start,
                                   std::int32_t range_end, char* name, std::int32_t* burst);

// The exchange ordering's own arrangement of a small range: it orders a copy of the key
// column while the places that the slots held ride along in the copy's burst column.
std::vector<std::int32_t> exchange_arrangement(exchange_ordering ordering, const process_table& t,
                                               std::size_t start, std::size_t end)
{
	const std::size_t size = end - start;
	const auto begin = static_cast<std::ptrdiff_t>(start);
	std::vector<std::int32_t> arrival(t.arrival.begin() + begin, t.arrival.begin() + begin + static_cast<std::ptrdiff_t>(size));
	std::vector<long long> remaining(t.remaining.begin() + begin, t.remaining.begin() + begin + static_cast<std::ptrdiff_t>(size));
	std::vector<char> name(size);
	std::vector<std::int32_t> place(size);
	std::iota(place.begin(), place.end(), 0);
	ordering(arrival.data(), remaining.data(), 0, static_cast<std::int32_t>(size), name.data(), place.data());
	return place;
}

// A range that is the whole column takes the moved copy's place instead of being copied
// back: the arrival ordering moves whole columns of a million.
template <typename T>
void rearrange(std::vector<T>& column, std::size_t start, const std::vector<std::int32_t>& arrangement)
{
	std::vector<T> moved(arrangement.size());
	for (std::size_t k = 0; k < arrangement.size(); k++)
		moved[k] = column[start + static_cast<std::size_t>(arrangement[k])];
	if (moved.size() == column.size())
		column.swap(moved);
	else
		std::copy(moved.begin(), moved.end(), column.begin() + static_cast<std::ptrdiff_t>(start));
}

template <typename Key>
void order_by(process_table& t, const std::vector<Key>& key, exchange_ordering ordering, std::size_t start,
              std::size_t end)
{
	if (end - start < 2)
		return;
	const std::vector<std::int32_t> arrangement = end - start <= exchange_literal_limit
	                                                  ? exchange_arrangement(ordering, t, start, end)
	                                                  : stable_arrangement(key.data() + start, end - start);
	rearrange(t.arrival, start, arrangement);
	rearrange(t.remaining, start, arrangement);
	rearrange(t.name, start, arrangement);
	rearrange(t.burst, start, arrangement);
	rearrange(t.record, start, arrangement);
}

} // namespace

void order_by_arrival(process_table& t, std::size_t start, std::size_t end)
{
	order_by(t, t.arrival, arrival_sort, start, end);
}

void order_by_remaining(process_table& t, std::size_t start, std::size_t end)
{
	order_by(t, t.remaining, burst_sort, start, end);
}

} // namespace srtf_sched
