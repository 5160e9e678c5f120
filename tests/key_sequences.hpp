#ifndef SCHED_TESTS_KEY_SEQUENCES_HPP
#define SCHED_TESTS_KEY_SEQUENCES_HPP

#include <cstddef>
#include <cstdint>
#include <vector>

// Calls `check` with every sequence of 0 to `longest` keys drawn from 0 to values-1, and
// returns how many there were.
template <typename Check>
int for_every_key_sequence(std::size_t longest, std::int32_t values, Check check)
{
	int sequences = 0;
	for (std::size_t length = 0; length <= longest; length++) {
		std::vector<std::int32_t> keys(length, 0);
		for (;;) {
			sequences++;
			check(keys);
			// The next sequence, counting with the first key as the lowest digit.
			std::size_t digit = 0;
			while (digit < length && keys[digit] == values - 1)
				keys[digit++] = 0;
			if (digit == length)
				break;
			keys[digit]++;
		}
	}
	return sequences;
}

#endif
