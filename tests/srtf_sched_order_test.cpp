// srtf_sched's orderings on ranges of any size: the arrangement of the O(n log n) sort
// against the exchange orderings, exhaustively on short ranges and on large random ones,
// and the table orderings that choose between the two.

#include "key_sequences.hpp"
#include "orderings.hpp"
#include "stable_order.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

using namespace srtf_sched;

namespace {

using exchange_ordering = void (*)(std::int32_t*, long long*, std::int32_t, std::int32_t, char*, std::int32_t*);

// The arrangement that an exchange ordering leaves: the slots' own numbers ride in the
// burst column.
std::vector<std::int32_t> exchange_arrangement(exchange_ordering ordering, std::vector<std::int32_t> arrival,
                                               std::vector<long long> remaining)
{
	std::vector<std::int32_t> slot(arrival.size());
	for (std::size_t i = 0; i < slot.size(); i++)
		slot[i] = static_cast<std::int32_t>(i);
	std::vector<char> name(arrival.size());
	ordering(arrival.data(), remaining.data(), 0, static_cast<std::int32_t>(slot.size()), name.data(), slot.data());
	return slot;
}

// Both keys at once: `arrival_sort` on the keys as arrivals, `burst_sort` on them as
// remaining times.
void expect_same_arrangements(const std::vector<std::int32_t>& keys)
{
	const std::vector<long long> wide(keys.begin(), keys.end());
	const std::vector<std::int32_t> zero(keys.size(), 0);
	ASSERT_EQ(stable_arrangement(keys.data(), keys.size()), exchange_arrangement(arrival_sort, keys, wide))
	    << ::testing::PrintToString(keys);
	ASSERT_EQ(stable_arrangement(wide.data(), wide.size()), exchange_arrangement(burst_sort, zero, wide))
	    << ::testing::PrintToString(keys);
}

TEST(SrtfSchedArrangement, EveryRangeOfUpToSevenSlotsOverThreeKeys)
{
	EXPECT_EQ(for_every_key_sequence(7, 3, expect_same_arrangements), 3280);
}

TEST(SrtfSchedArrangement, LargeRandomRanges)
{
	std::mt19937 rng(31);
	const std::pair<std::int32_t, std::int32_t> spans[] = {{0, 1}, {-3, 3}, {0, 1000}, {INT32_MIN, INT32_MAX}};
	for (const auto& [low, high] : spans)
		for (const int size : {100, 2000}) {
			std::vector<std::int32_t> keys(static_cast<std::size_t>(size));
			for (std::int32_t& k : keys)
				k = std::uniform_int_distribution<std::int32_t>(low, high)(rng);
			expect_same_arrangements(keys);
		}
}

// The table orderings move all five columns and leave the slots outside the range alone,
// on either side of the size where they change method. Each slot's burst is its own
// number, so the record number must travel with it.
TEST(SrtfSchedArrangement, TableOrderingsMoveWholeSlotsOnEitherSideOfTheLimit)
{
	using table_ordering = void (*)(process_table&, std::size_t, std::size_t);
	std::mt19937 rng(32);
	auto draw = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
	for (const std::size_t size : {exchange_literal_limit, exchange_literal_limit + 1, std::size_t{500}}) {
		process_table before;
		for (std::int32_t i = 0; i < static_cast<std::int32_t>(size) + 2; i++) {
			before.arrival.push_back(draw(0, 9));
			before.remaining.push_back(draw(-3, 6) * 1000000000LL);
			before.name.push_back(static_cast<char>(draw('A', 'Z')));
			before.burst.push_back(i);
			before.record.push_back(i + 1);
		}
		for (const auto& [ordering, literal] : {std::pair<table_ordering, exchange_ordering>{order_by_arrival, arrival_sort},
		                                        {order_by_remaining, burst_sort}}) {
			process_table t = before, want = before;
			ordering(t, 1, size + 1);
			literal(want.arrival.data(), want.remaining.data(), 1, static_cast<std::int32_t>(size + 1), want.name.data(),
			        want.burst.data());
			EXPECT_EQ(t.arrival, want.arrival) << size;
			EXPECT_EQ(t.remaining, want.remaining) << size;
			EXPECT_EQ(t.name, want.name) << size;
			EXPECT_EQ(t.burst, want.burst) << size;
			for (std::size_t slot = 0; slot < t.size(); slot++)
				EXPECT_EQ(t.record[slot], t.burst[slot] + 1) << size;
		}
	}
}

} // namespace
