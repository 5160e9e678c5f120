#include "key_order.hpp"

#include <bit>
#include <cstddef>

namespace sched {

namespace {

// The widest digit a pass takes: its counts stay in the processor's first-level cache.
constexpr int widest_digit = 11;

// Orders the keyed indices by the digit of `width` bits from bit `shift` of the key,
// keeping their order among equal digits.
void order_by_digit(std::vector<std::uint64_t>& keyed, std::vector<std::uint64_t>& spare, int shift, int width)
{
	std::vector<std::size_t> start((std::size_t{1} << width) + 1);
	const std::uint64_t mask = (std::uint64_t{1} << width) - 1;
	for (const std::uint64_t k : keyed)
		start[(k >> shift & mask) + 1]++;
	for (std::size_t digit = 1; digit < start.size(); digit++)
		start[digit] += start[digit - 1];
	spare.resize(keyed.size());
	for (const std::uint64_t k : keyed)
		spare[start[k >> shift & mask]++] = k;
	keyed.swap(spare);
}

} // namespace

void order_by_key(std::vector<std::uint64_t>& keyed)
{
	if (keyed.empty())
		return;
	// Only the bits in which some keys differ need a pass: arrivals up to a million, say,
	// take two of ten bits each.
	std::uint64_t differing = 0;
	for (const std::uint64_t k : keyed)
		differing |= (k ^ keyed.front()) >> 32;
	const int low = differing == 0 ? 0 : std::countr_zero(differing);
	const int bits = static_cast<int>(std::bit_width(differing)) - low;
	const int passes = (bits + widest_digit - 1) / widest_digit;
	std::vector<std::uint64_t> spare;
	for (int pass = 0; pass < passes; pass++) {
		const int from = bits * pass / passes;
		const int to = bits * (pass + 1) / passes;
		order_by_digit(keyed, spare, 32 + low + from, to - from);
	}
}

} // namespace sched
