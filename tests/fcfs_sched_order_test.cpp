// fcfs_sched on tables above the size that the double loop orders itself: the
// arrangement built in O(n log n) against the double loop, exhaustively on short tables
// and on large random ones, and the program's report on a large batch.

#include "arrival_order.hpp"
#include "harness.hpp"
#include "key_sequences.hpp"
#include "sort.hpp"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace fcfs_sched;

namespace {

// The arrangement that `sort` leaves: the slots' own numbers ride in the burst column.
std::vector<std::int32_t> literal_arrangement(std::vector<std::int32_t> arrival)
{
	const auto count = static_cast<std::int32_t>(arrival.size());
	std::vector<std::int32_t> slot(arrival.size());
	for (std::size_t i = 0; i < slot.size(); i++)
		slot[i] = static_cast<std::int32_t>(i);
	std::string name(arrival.size(), 'x');
	sort(count, name.data(), arrival.data(), slot.data());
	return slot;
}

std::vector<std::int32_t> random_arrivals(std::mt19937& rng, int count, std::int32_t low, std::int32_t high)
{
	std::vector<std::int32_t> arrival(static_cast<std::size_t>(count));
	for (std::int32_t& a : arrival)
		a = std::uniform_int_distribution<std::int32_t>(low, high)(rng);
	return arrival;
}

TEST(FcfsSchedArrangement, EveryTableOfUpToSevenSlotsOverThreeArrivals)
{
	const int tables = for_every_key_sequence(7, 3, [](const std::vector<std::int32_t>& arrival) {
		ASSERT_EQ(all_pairs_arrangement(static_cast<std::int32_t>(arrival.size()), arrival.data()),
		          literal_arrangement(arrival))
		    << ::testing::PrintToString(arrival);
	});
	EXPECT_EQ(tables, 3280);
}

TEST(FcfsSchedArrangement, LargeRandomTables)
{
	std::mt19937 rng(21);
	// Few arrival values make large groups that rotate often; many make small ones.
	const std::pair<std::int32_t, std::int32_t> spans[] = {
		{0, 1}, {0, 3}, {-5, 5}, {0, 100}, {0, 100000}, {INT32_MIN, INT32_MAX}};
	for (const auto& [low, high] : spans)
		for (const int count : {300, 1000, 3000}) {
			const std::vector<std::int32_t> arrival = random_arrivals(rng, count, low, high);
			ASSERT_EQ(all_pairs_arrangement(count, arrival.data()), literal_arrangement(arrival))
			    << count << " arrivals from " << low << " to " << high;
		}
}

TEST(FcfsSchedArrangement, OrderByArrivalMovesWholeSlotsOnEitherSideOfTheLimit)
{
	std::mt19937 rng(22);
	for (const int count : {all_pairs_literal_limit, all_pairs_literal_limit + 1, 2000}) {
		std::vector<std::int32_t> arrival = random_arrivals(rng, count, 0, 20);
		std::vector<std::int32_t> burst = random_arrivals(rng, count, -1000, 1000);
		std::string name;
		for (int i = 0; i < count; i++)
			name += static_cast<char>('A' + i % 26);
		std::vector<std::int32_t> record(static_cast<std::size_t>(count));
		for (int i = 0; i < count; i++)
			record[static_cast<std::size_t>(i)] = i + 1;
		std::vector<std::int32_t> want_arrival = arrival, want_burst = burst, want_record = record;
		std::string want_name = name;
		sort(count, want_name.data(), want_arrival.data(), want_burst.data());
		std::vector<std::int32_t> arrival_again = arrival;
		std::string name_again = name;
		sort(count, name_again.data(), arrival_again.data(), want_record.data());
		order_by_arrival(count, name.data(), arrival.data(), burst.data(), record.data());
		EXPECT_EQ(name, want_name) << count;
		EXPECT_EQ(arrival, want_arrival) << count;
		EXPECT_EQ(burst, want_burst) << count;
		EXPECT_EQ(record, want_record) << count;
	}
}

TEST(FcfsSchedLargeBatch, ReportFollowsTheDoubleLoop)
{
	std::mt19937 rng(23);
	const int count = 3000;
	std::vector<std::int32_t> arrival = random_arrivals(rng, count, 0, 50);
	std::vector<std::int32_t> burst = random_arrivals(rng, count, -3, 100);
	std::string name;
	std::string input = std::to_string(count) + "\n";
	for (std::size_t i = 0; i < arrival.size(); i++) {
		name += static_cast<char>('!' + i % 90);
		input += std::string(1, name.back()) + "x " + std::to_string(arrival[i]) + " " + std::to_string(burst[i]) + "\n";
	}
	sort(count, name.data(), arrival.data(), burst.data());
	std::string expected;
	long long completion = 0;
	for (std::size_t i = 0; i < arrival.size(); i++) {
		completion += burst[i];
		expected += std::string(1, name[i]) + " " + std::to_string(completion) + " " + std::to_string(completion) +
		            " " + std::to_string(completion - burst[i]) + "\n";
	}
	EXPECT_TRUE(reports(FCFS_SCHED, input, expected));
}

} // namespace
