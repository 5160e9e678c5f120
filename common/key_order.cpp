#include "key_order.hpp"

#include <algorithm>
#include <array>
#include <cstddef>

namespace sched {

namespace {

// The key's 32 bits in three digits, a pass each from the lowest: the counts of one
// digit's values stay in the processor's first-level cache.
constexpr int digits = 3;
constexpr int digit_bits = 11;
constexpr std::size_t digit_values = std::size_t{1} << digit_bits;

using digit_counts = std::array<std::array<std::uint32_t, digit_values>, digits>;

std::size_t digit_of(std::uint64_t keyed, int digit)
{
	return keyed >> (32 + digit_bits * digit) & (digit_values - 1);
}

// How many keys have each value of each digit, all counted in one pass.
digit_counts count_digits(const std::vector<std::uint64_t>& keyed)
{
	digit_counts counts{};
	for (const std::uint64_t k : keyed)
		for (int digit = 0; digit < digits; digit++)
			counts[static_cast<std::size_t>(digit)][digit_of(k, digit)]++;
	return counts;
}

} // namespace

void order_by_key(std::vector<std::uint64_t>& keyed)
{
	// A digit in which all keys agree costs no pass: arrivals up to a million, say, take
	// two.
	const digit_counts counts = count_digits(keyed);
	std::vector<std::uint64_t> spare;
	for (int digit = 0; digit < digits; digit++) {
		const auto& count = counts[static_cast<std::size_t>(digit)];
		if (std::find(count.begin(), count.end(), keyed.size()) != count.end())
			continue;
		std::array<std::size_t, digit_values> start{};
		for (std::size_t value = 1; value < digit_values; value++)
			start[value] = start[value - 1] + count[value - 1];
		spare.resize(keyed.size());
		for (const std::uint64_t k : keyed)
			spare[start[digit_of(k, digit)]++] = k;
		keyed.swap(spare);
	}
}

} // namespace sched
