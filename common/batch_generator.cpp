#include "batch_generator.hpp"

#include <algorithm>
#include <cstdio>

namespace sched {

std::uint32_t mulberry32::next()
{
	state_ += 0x6D2B79F5U;
	std::uint32_t z = state_;
	z = (z ^ (z >> 15)) * (z | 1U);
	z ^= z + (z ^ (z >> 7)) * (z | 61U);
	return z ^ (z >> 14);
}

std::int64_t mulberry32::draw(std::int64_t lo, std::int64_t hi)
{
	const auto span = static_cast<std::uint64_t>(hi - lo + 1);
	return lo + static_cast<std::int64_t>((static_cast<std::uint64_t>(next()) * span) >> 32);
}

namespace {

// The values a column draws from: with ties a few distinct values of the range, about
// one for every three processes, so that several processes share each one; otherwise
// none, and each process draws from the whole range.
std::vector<std::int64_t> pool(mulberry32& random, value_range range, std::int32_t n, bool ties)
{
	std::vector<std::int64_t> values;
	if (!ties)
		return values;
	const std::int64_t size = std::max<std::int64_t>(1, std::min<std::int64_t>(range.hi - range.lo + 1, (n + 2) / 3));
	while (static_cast<std::int64_t>(values.size()) < size) {
		const std::int64_t value = random.draw(range.lo, range.hi);
		if (std::find(values.begin(), values.end(), value) == values.end())
			values.push_back(value);
	}
	return values;
}

std::int64_t draw_from(mulberry32& random, value_range range, const std::vector<std::int64_t>& pool)
{
	if (pool.empty())
		return random.draw(range.lo, range.hi);
	return pool[static_cast<std::size_t>(random.draw(0, static_cast<std::int64_t>(pool.size()) - 1))];
}

std::string range_problem(const char* column, value_range range, std::int32_t least)
{
	if (range.lo >= least && range.hi <= exercise_value_limit && range.lo <= range.hi)
		return "";
	return std::string("the ") + column + " range must be two whole numbers LO~HI with " + std::to_string(least) +
	       " <= LO <= HI <= " + std::to_string(exercise_value_limit);
}

// " N" at the end of a line of the batch.
void add_number(std::string& line, std::int64_t value)
{
	line += ' ';
	line += std::to_string(value);
}

// Process i's one-character name: A to Z, then a to z, then 0 to 9.
char process_name(std::int32_t i)
{
	static constexpr char names[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
	return names[static_cast<std::size_t>(i) % (sizeof names - 1)];
}

} // namespace

std::string exercise_options_problem(const exercise_options& options)
{
	if (options.n < 1 || options.n > most_exercise_processes)
		return "the number of processes must be 1 to " + std::to_string(most_exercise_processes);
	for (const std::string& problem : {range_problem("arrival", options.arrival, -exercise_value_limit),
	                                   range_problem("burst", options.burst, 1),
	                                   range_problem("priority", options.priority, -exercise_value_limit)})
		if (!problem.empty())
			return problem;
	return "";
}

std::string exercise_batch(bool with_priority, std::uint32_t seed, const exercise_options& options)
{
	mulberry32 random(seed);
	std::vector<value_range> columns{options.arrival, options.burst};
	if (with_priority)
		columns.insert(columns.begin(), options.priority);
	std::vector<std::vector<std::int64_t>> pools;
	for (const value_range range : columns)
		pools.push_back(pool(random, range, options.n, options.ties));
	std::string text = std::to_string(options.n) + "\n";
	for (std::int32_t i = 0; i < options.n; i++) {
		text += process_name(i);
		for (std::size_t c = 0; c < columns.size(); c++)
			add_number(text, draw_from(random, columns[c], pools[c]));
		text += "\n";
	}
	return text;
}

namespace {

// A shape of random batch: how many processes, the ranges of their values, and how many
// distinct values each key takes (0: any of the range).
struct shape {
	const char* name;
	std::int32_t fewest;
	std::int32_t most;
	value_range arrival;
	value_range burst;
	value_range priority;
	std::int32_t arrivals = 0;
	std::int32_t bursts = 0;
	std::int32_t priorities = 0;
	// The first process arrives alone before all others with a burst of 1, and so
	// finishes in the first tick.
	bool done_in_first_tick = false;
};

const shape scheduler_shapes[] = {
	{"few", 2, 4, {0, 6}, {1, 5}, {1, 4}},
	{"many", 24, 40, {0, 40}, {1, 9}, {1, 9}},
	{"arrival-ties", 5, 8, {0, 6}, {1, 6}, {1, 5}, 2},
	{"key-ties", 5, 8, {0, 6}, {1, 6}, {1, 5}, 0, 2, 2},
	{"all-ties", 5, 8, {0, 6}, {1, 6}, {1, 5}, 2, 2, 2},
	{"idle-gaps", 3, 6, {0, 50}, {1, 4}, {1, 4}},
	{"first-tick", 3, 6, {1, 8}, {1, 6}, {1, 5}, 0, 0, 0, true},
	{"negative-arrivals", 4, 7, {-12, 3}, {1, 6}, {1, 5}},
};

std::vector<std::int64_t> distinct(mulberry32& random, value_range range, std::int32_t count)
{
	std::vector<std::int64_t> values;
	if (count > 0)
		while (static_cast<std::int32_t>(values.size()) < std::min(count, range.hi - range.lo + 1)) {
			const std::int64_t value = random.draw(range.lo, range.hi);
			if (std::find(values.begin(), values.end(), value) == values.end())
				values.push_back(value);
		}
	return values;
}

std::string scheduler_batch(bool with_priority, const shape& s, mulberry32& random)
{
	const auto n = static_cast<std::int32_t>(random.draw(s.fewest, s.most));
	const std::vector<std::int64_t> arrivals = distinct(random, s.arrival, s.arrivals);
	const std::vector<std::int64_t> bursts = distinct(random, s.burst, s.bursts);
	const std::vector<std::int64_t> priorities = distinct(random, s.priority, s.priorities);
	std::string text = std::to_string(n) + "\n";
	for (std::int32_t i = 0; i < n; i++) {
		const std::int64_t priority = draw_from(random, s.priority, priorities);
		std::int64_t arrival = draw_from(random, s.arrival, arrivals);
		std::int64_t burst = draw_from(random, s.burst, bursts);
		if (s.done_in_first_tick && i == 0) {
			arrival = s.arrival.lo - 1;
			burst = 1;
		}
		text += process_name(i);
		if (with_priority)
			add_number(text, priority);
		add_number(text, arrival);
		add_number(text, burst);
		text += '\n';
	}
	return text;
}

const shape case_shapes[] = {
	{"small-numbers", 1, 10, {-9, 9}, {}, {}},
	{"large-numbers", 1, 10, {-1'000'000'000, 1'000'000'000}, {}, {}},
	{"negative-numbers", 1, 10, {-1000, -1}, {}, {}},
	{"one-case", 1, 1, {-100, 100}, {}, {}},
	{"ten-cases", 10, 10, {-100, 100}, {}, {}},
};

std::string case_batch(const shape& s, mulberry32& random)
{
	const std::int64_t cases = random.draw(s.fewest, s.most);
	std::string text = std::to_string(cases) + "\n";
	for (std::int64_t i = 0; i < cases; i++) {
		const std::int64_t first = random.draw(s.arrival.lo, s.arrival.hi);
		const std::int64_t second = random.draw(s.arrival.lo, s.arrival.hi);
		text += std::to_string(first);
		add_number(text, second);
		text += '\n';
	}
	return text;
}

std::string batch_name(std::int32_t index, const char* shape_name)
{
	char number[16];
	std::snprintf(number, sizeof number, "%02d", index + 1);
	return std::string("random-") + number + "-" + shape_name;
}

} // namespace

std::vector<named_batch> random_batches(batch_kind kind, std::uint32_t seed, std::int32_t count)
{
	std::vector<named_batch> batches;
	for (std::int32_t i = 0; i < count; i++) {
		// Each batch from a seed of its own, so that --only gives the batch of the set.
		mulberry32 random(seed + static_cast<std::uint32_t>(i) * 0x9E3779B9U);
		if (kind == batch_kind::cases) {
			const shape& s = case_shapes[static_cast<std::size_t>(i) % std::size(case_shapes)];
			batches.push_back({batch_name(i, s.name), case_batch(s, random)});
		} else {
			const shape& s = scheduler_shapes[static_cast<std::size_t>(i) % std::size(scheduler_shapes)];
			batches.push_back({batch_name(i, s.name), scheduler_batch(kind == batch_kind::priority, s, random)});
		}
	}
	return batches;
}

} // namespace sched
