#ifndef SCHED_COMMON_BATCH_GENERATOR_HPP
#define SCHED_COMMON_BATCH_GENERATOR_HPP

// Batches made from a seed, the same on every platform and in every browser: the
// generator is written out here (the standard library's distributions differ from one
// library to the next), so that one seed gives every student and every grader the same
// batch.

#include <cstdint>
#include <string>
#include <vector>

namespace sched {

// mulberry32: one 32-bit word of state; each draw adds 0x6D2B79F5 to it and mixes the sum
// into a 32-bit output with two multiply-xorshift rounds.
class mulberry32 {
public:
	explicit mulberry32(std::uint32_t seed) : state_(seed) {}

	std::uint32_t next();
	// A whole number from lo to hi: lo + floor(output * (hi - lo + 1) / 2^32), the same
	// as the page computes it in doubles, exactly, for any range of 32-bit numbers.
	std::int64_t draw(std::int64_t lo, std::int64_t hi);

private:
	std::uint32_t state_;
};

struct value_range {
	std::int32_t lo;
	std::int32_t hi;
};

// The page's exercises: how many processes, the ranges their values are drawn from, and
// whether several processes share each value.
struct exercise_options {
	std::int32_t n = 5;
	value_range arrival{0, 8};
	value_range burst{1, 6};
	value_range priority{1, 5};
	bool ties = false;
};

constexpr std::int32_t most_exercise_processes = 26; // one capital letter each
constexpr std::int32_t exercise_value_limit = 1'000'000;

// What is wrong with the options, in a sentence, or nothing.
std::string exercise_options_problem(const exercise_options& options);

// The batch of exercise `seed` as the program reads it: priority_sched's records carry a
// priority, the others' do not.
std::string exercise_batch(bool with_priority, std::uint32_t seed, const exercise_options& options);

// One batch of a set, named.
struct named_batch {
	std::string name;
	std::string text;
};

// The program a batch is for, as far as its records go.
enum class batch_kind { priority, arrival_burst, fixed_table, cases };

// The random batches of a check, `count` of them from `seed`, shape after shape: few
// processes and many, ties on each key, idle gaps, a process that finishes in its first
// tick, negative arrivals. All keep to what the programs accept: bursts of at least 1,
// at most 100 processes for the fixed table, names unique within a batch (A to Z, a to z,
// 0 to 9), and for the adder 1 to 10 cases whose sums stay within 32 bits.
std::vector<named_batch> random_batches(batch_kind kind, std::uint32_t seed, std::int32_t count);

} // namespace sched

#endif
