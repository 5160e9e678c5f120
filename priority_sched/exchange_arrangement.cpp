#include "exchange_arrangement.hpp"

#include "orderings.hpp"

#include <algorithm>
#include <bit>
#include <utility>

namespace priority_sched {

// Why this is the same arrangement as the exchange loop. Let the items enter one by one
// in range order. Each newcomer stands behind every item whose key is at most its own,
// that is at the back of its own group of equal keys; and in every group with a larger
// key, which it now stands in front of, the first item moves to the end of the group.
// After the last item this is exactly what the loop leaves; it was checked against the
// loop for every key sequence of up to 7 items over 3 values and on random sequences.
//
// So each group is a queue that takes its members at the back, in range order, and
// turns by one place (front to back) for every smaller key that enters after its first
// member. A queue that turns keeps its circle and only moves its front, and a member
// taken at the back goes into the circle just before the front. The circle is kept as a
// list linked both ways, and the front walks along it, the short way round; turns are
// mostly short, but where walking would cost too much the circle is instead rebuilt at
// the end from the places its members were put at. A group of one item needs none of
// this: it stands at its place in key order.

namespace {

// Groups that take no more than this many moves per item, all together, are kept as
// moving queues instead of circles.
constexpr long long moves_per_item = 8;
// A group whose front has walked this many steps per member gives up walking.
constexpr long long walk_per_member = 16;
constexpr std::size_t most_groups_counted_directly = 32;
constexpr std::size_t block_size = 32;

std::size_t lowest_bit(std::size_t i)
{
	return i & (~i + 1);
}

std::size_t at(std::int32_t i)
{
	return static_cast<std::size_t>(i);
}

// `amount` places further round a circle of `size`, from `place`.
std::int32_t round_forward(std::int32_t place, long long amount, std::int32_t size)
{
	if (amount >= size)
		amount %= size;
	const long long moved = place + amount;
	return static_cast<std::int32_t>(moved >= size ? moved - size : moved);
}

} // namespace

void exchange_arranger::prepare(const std::int32_t* rank, std::int32_t count)
{
	count_ = count;
	// Written before they are read, so what they held before does not matter.
	next_.resize(at(count));
	previous_.resize(at(count));
	member_.resize(at(count));
	put_at_.resize(at(count));

	std::int32_t groups = 0;
	for (std::int32_t i = 0; i < count; i++)
		groups = std::max(groups, rank[i] + 1);
	groups_.assign(at(groups), group{});
	for (std::int32_t i = 0; i < count; i++)
		groups_[at(rank[i])].size++;
	shared_rank_.clear();

	std::int32_t start = 0;
	std::int32_t largest = 0;
	first_shared_above_.resize(at(groups));
	for (std::size_t r = 0; r < groups_.size(); r++) {
		group& g = groups_[r];
		g.start = start;
		start += g.size;
		first_shared_above_[r] = static_cast<std::int32_t>(shared_rank_.size());
		if (g.size > 1) {
			g.shared = static_cast<std::int32_t>(shared_rank_.size());
			shared_rank_.push_back(static_cast<std::int32_t>(r));
			first_shared_above_[r]++;
			largest = std::max(largest, g.size);
		}
	}
	// Counting for every shared group pays while most items belong to one; otherwise an
	// entering item is counted once and the few members sum the counts.
	std::int32_t shared_members = 0;
	for (const std::int32_t r : shared_rank_)
		shared_members += groups_[at(r)].size;
	counted_directly_ = shared_rank_.size() <= most_groups_counted_directly && 2 * shared_members > count;
	smaller_entered_.resize(shared_rank_.size() + 1);
	entered_in_block_.resize(shared_rank_.size() / block_size + 1);
	queues_.resize(shared_rank_.size());
	circle_.resize(at(largest));
	free_places_.resize(at(largest) + 1);
	prepare_moves();
}

// A moving queue of a group takes each member once and turns, between two members, by
// fewer places than it then holds: at most once for each item of a smaller rank, g.start
// of them. So the stretch of a group needs no more than its size and g.start places, and
// while that adds up to a few places per item, moving the queues in order through memory
// costs less than walking circles through links.
void exchange_arranger::prepare_moves()
{
	long long places = 0;
	moves_begin_.clear();
	for (const std::int32_t r : shared_rank_) {
		const group& g = groups_[at(r)];
		moves_begin_.push_back(static_cast<std::int32_t>(places));
		places += static_cast<long long>(g.size) + g.start;
	}
	by_moves_ = counted_directly_ && places <= moves_per_item * count_;
	if (!by_moves_)
		return;
	moves_.resize(static_cast<std::size_t>(places));
	moving_.resize(shared_rank_.size());
	// Up to eight shared groups, each count below 2^16, fit in two words.
	packed_counts_ = shared_rank_.size() <= 8 && count_ < (1 << 16);
	if (!packed_counts_)
		return;
	count_added_.assign(groups_.size(), {0, 0});
	for (std::size_t r = 0; r < groups_.size(); r++)
		for (auto lane = static_cast<std::size_t>(first_shared_above_[r]); lane < shared_rank_.size(); lane++)
			count_added_[r][lane / 4] += std::uint64_t{1} << (16 * (lane % 4));
}

void exchange_arranger::arrange(const std::int32_t* rank, std::int32_t* from)
{
	if (by_moves_) {
		arrange_by_moves(rank, from);
		return;
	}
	std::fill(smaller_entered_.begin(), smaller_entered_.end(), 0);
	std::fill(entered_in_block_.begin(), entered_in_block_.end(), 0);
	std::fill(queues_.begin(), queues_.end(), queue{});
	for (std::int32_t item = 0; item < count_; item++) {
		const group& g = groups_[at(rank[item])];
		if (g.shared < 0)
			from[g.start] = item;
		else
			take(queues_[at(g.shared)], g, item, smaller_entered(g.shared));
		enter(rank[item]);
	}
	for (const std::int32_t r : shared_rank_) {
		const group& g = groups_[at(r)];
		lay_out(queues_[at(g.shared)], g, from);
	}
}

namespace {

// The counts of smaller items for the moving queues' pass: each shared group's in an array
// of its own, an entering item added to every larger one.
struct counts_one_by_one {
	std::int32_t* smaller;
	const std::int32_t* first_above;
	std::int32_t shared;

	std::int32_t seen(std::int32_t group) const { return smaller[group]; }
	void enter(std::int32_t rank)
	{
		for (std::int32_t i = first_above[rank]; i < shared; i++)
			smaller[i]++;
	}
};

// Four counts of 16 bits in each of two words: one addition of the words prepared for
// its rank counts an item for every larger shared group.
struct packed_counts {
	const std::array<std::uint64_t, 2>* added;
	std::uint64_t words[2] = {0, 0};

	std::int32_t seen(std::int32_t group) const
	{
		const auto lane = static_cast<unsigned>(group);
		return static_cast<std::int32_t>(words[lane / 4] >> (16 * (lane % 4)) & 0xFFFF);
	}
	void enter(std::int32_t rank)
	{
		words[0] += added[rank][0];
		words[1] += added[rank][1];
	}
};

} // namespace

// As `arrange` with every shared group counted directly, its counts and queues held in
// plain arrays for the one pass that runs at every step of a crowd.
void exchange_arranger::arrange_by_moves(const std::int32_t* rank, std::int32_t* from)
{
	const auto shared = static_cast<std::int32_t>(moving_.size());
	for (std::int32_t i = 0; i < shared; i++) {
		smaller_entered_[at(i)] = 0;
		moving_[at(i)] = {moves_begin_[at(i)], moves_begin_[at(i)], 0};
	}
	if (packed_counts_) {
		packed_counts counts{count_added_.data()};
		take_by_moves(rank, from, counts);
	} else {
		counts_one_by_one counts{smaller_entered_.data(), first_shared_above_.data(), shared};
		take_by_moves(rank, from, counts);
	}
	for (const std::int32_t r : shared_rank_) {
		const group& g = groups_[at(r)];
		moving_queue& q = moving_[at(g.shared)];
		turn_by_moves(q, g.start);
		std::copy(moves_.begin() + q.front, moves_.begin() + q.back, from + g.start);
	}
}

// Each item in turn goes to its place, or to the back of its group's moving queue once
// the queue has turned for the smaller items that entered since its last member.
template <typename Counts>
void exchange_arranger::take_by_moves(const std::int32_t* rank, std::int32_t* from, Counts& counts)
{
	std::int32_t* const moves = moves_.data();
	moving_queue* const queues = moving_.data();
	const group* const groups = groups_.data();
	for (std::int32_t item = 0; item < count_; item++) {
		const group& g = groups[rank[item]];
		if (g.shared < 0) {
			from[g.start] = item;
		} else {
			moving_queue& q = queues[g.shared];
			turn_by_moves(q, counts.seen(g.shared));
			moves[q.back++] = item;
		}
		counts.enter(rank[item]);
	}
}

// Turns by copying: `forward` members go from the front to behind the back.
inline void exchange_arranger::turn_by_moves(moving_queue& q, std::int32_t smaller_seen)
{
	std::int32_t forward = smaller_seen - q.smaller_seen;
	q.smaller_seen = smaller_seen;
	const std::int32_t taken = q.back - q.front;
	if (taken == 0 || forward == 0)
		return;
	if (forward >= taken)
		forward %= taken;
	std::int32_t* const moves = moves_.data();
	for (std::int32_t i = 0; i < forward; i++)
		moves[q.back++] = moves[q.front++];
}

std::int32_t exchange_arranger::smaller_entered(std::int32_t shared) const
{
	if (counted_directly_)
		return smaller_entered_[at(shared)];
	const std::size_t last = at(shared);
	std::int32_t sum = 0;
	for (std::size_t block = 0; block < last / block_size; block++)
		sum += entered_in_block_[block];
	for (std::size_t i = last - last % block_size; i <= last; i++)
		sum += smaller_entered_[i];
	return sum;
}

// An item enters: every shared group of a larger rank counts it. With few shared groups
// each keeps its own count; with many, the item is counted once, at the first of them,
// and a shared group sums the counts up to its own, a block at a time.
void exchange_arranger::enter(std::int32_t rank)
{
	const std::size_t above = at(first_shared_above_[at(rank)]);
	const std::size_t shared = queues_.size();
	if (counted_directly_) {
		for (std::size_t i = above; i < shared; i++)
			smaller_entered_[i]++;
	} else if (above < shared) {
		smaller_entered_[above]++;
		entered_in_block_[above / block_size]++;
	}
}

void exchange_arranger::turn(queue& q, std::int32_t smaller_seen)
{
	std::int32_t forward = smaller_seen - q.smaller_seen;
	q.smaller_seen = smaller_seen;
	if (q.taken == 0 || forward == 0)
		return;
	if (forward >= q.taken)
		forward %= q.taken;
	q.front = round_forward(q.front, forward, q.taken);
	if (!q.walking)
		return;
	std::int32_t member = q.front_member;
	if (forward <= q.taken - forward) {
		for (std::int32_t step = 0; step < forward; step++)
			member = next_[at(member)];
		q.steps_walked += forward;
	} else {
		for (std::int32_t step = forward; step < q.taken; step++)
			member = previous_[at(member)];
		q.steps_walked += q.taken - forward;
	}
	q.front_member = member;
	if (q.steps_walked > walk_per_member * (q.taken + 4))
		q.walking = false;
}

void exchange_arranger::take(queue& q, const group& g, std::int32_t item, std::int32_t smaller_seen)
{
	turn(q, smaller_seen);
	const std::size_t record = at(g.start + q.taken);
	member_[record] = item;
	put_at_[record] = q.front;
	if (q.taken == 0) {
		next_[at(item)] = item;
		previous_[at(item)] = item;
		q.front_member = item;
	} else if (q.walking) {
		const std::int32_t front = q.front_member;
		const std::int32_t back = previous_[at(front)];
		next_[at(back)] = item;
		previous_[at(item)] = back;
		next_[at(item)] = front;
		previous_[at(front)] = item;
	}
	q.taken++;
	q.front = q.taken == 1 ? 0 : q.front + 1;
}

void exchange_arranger::lay_out(queue& q, const group& g, std::int32_t* from)
{
	// Every item of a smaller rank has entered by now: g.start of them.
	turn(q, g.start);
	if (!q.walking) {
		lay_out_by_places(q, g, from);
		return;
	}
	std::int32_t member = q.front_member;
	for (std::int32_t i = 0; i < g.size; i++) {
		from[g.start + i] = member;
		member = next_[at(member)];
	}
}

// Builds the circle from the places its members were put at, last member first: each
// takes the free place that has as many free places before it as its own place had
// members before it. Then reads the circle from the front.
void exchange_arranger::lay_out_by_places(const queue& q, const group& g, std::int32_t* from)
{
	const auto size = at(g.size);
	std::fill(free_places_.begin(), free_places_.begin() + static_cast<std::ptrdiff_t>(size) + 1, 0);
	for (std::size_t i = 1; i <= size; i++) {
		free_places_[i]++;
		if (const std::size_t up = i + lowest_bit(i); up <= size)
			free_places_[up] += free_places_[i];
	}
	std::size_t top = 1;
	while (top * 2 <= size)
		top *= 2;
	const std::size_t first = at(g.start);
	for (std::size_t i = size; i-- > 0;) {
		std::int32_t before = put_at_[first + i];
		std::size_t place = 0;
		for (std::size_t step = top; step > 0; step /= 2) {
			if (place + step <= size && free_places_[place + step] <= before) {
				place += step;
				before -= free_places_[place];
			}
		}
		circle_[place] = member_[first + i];
		for (std::size_t j = place + 1; j <= size; j += lowest_bit(j))
			free_places_[j]--;
	}
	const std::size_t front = at(q.front);
	for (std::size_t i = 0; i < size; i++)
		from[first + i] = circle_[front + i < size ? front + i : front + i - size];
}

// The values, each with its index, sorted by value a byte at a time from the lowest
// (a radix sort, stable, so that each pass keeps the order of the ones before), then
// ranked in one pass. A byte in which all values agree costs no pass: priorities, with
// few values, mostly take one.
namespace {

// Values that lie within a span no wider than this many times their number, such as the
// few priorities of a large batch, are ranked through a table of the span that marks the
// values present: two passes over the values and one over the table, where a sort takes
// up to four passes of two kinds. Wider, the table would cost more than the sort.
constexpr long long span_per_value_for_a_table = 4;

std::vector<std::int32_t> ranks_by_table(const std::vector<std::int32_t>& values, std::int32_t lowest,
                                         std::size_t span)
{
	auto offset = [lowest](std::int32_t value) {
		return static_cast<std::size_t>(static_cast<long long>(value) - lowest);
	};
	std::vector<std::int32_t> rank_of(span, 0);
	for (const std::int32_t value : values)
		rank_of[offset(value)] = 1;
	std::int32_t next = 0;
	for (std::int32_t& rank : rank_of) {
		const std::int32_t present = rank;
		rank = next;
		next += present;
	}
	std::vector<std::int32_t> rank(values.size());
	for (std::size_t i = 0; i < values.size(); i++)
		rank[i] = rank_of[offset(values[i])];
	return rank;
}

// A least significant digit first radix sort of the values less the lowest, each with
// its index below it, on as few digits as the span needs (three of nine bits for a span of
// a hundred million): the counts of every digit are taken in one pass.
std::vector<std::int32_t> ranks_by_sorting(const std::vector<std::int32_t>& values, std::int32_t lowest,
                                           std::uint64_t span)
{
	constexpr int widest_digit = 11;
	const int bits = std::max(1, static_cast<int>(std::bit_width(span - 1)));
	const int digits = (bits + widest_digit - 1) / widest_digit;
	const int width = (bits + digits - 1) / digits;
	const std::uint64_t mask = (std::uint64_t{1} << width) - 1;
	const std::size_t n = values.size();
	std::vector<std::uint64_t> sorted(n);
	for (std::size_t i = 0; i < n; i++)
		sorted[i] = static_cast<std::uint64_t>(static_cast<long long>(values[i]) - lowest) << 32 | i;
	std::vector<std::size_t> start(static_cast<std::size_t>(digits) << width, 0);
	auto starts_of = [&](int digit) { return start.data() + (static_cast<std::size_t>(digit) << width); };
	for (const std::uint64_t item : sorted)
		for (int digit = 0; digit < digits; digit++)
			starts_of(digit)[item >> (32 + digit * width) & mask]++;
	std::vector<std::uint64_t> spare(n);
	for (int digit = 0; digit < digits; digit++) {
		std::size_t* const at = starts_of(digit);
		std::size_t sum = 0;
		for (std::uint64_t d = 0; d <= mask; d++)
			sum += std::exchange(at[d], sum);
		const int shift = 32 + digit * width;
		for (const std::uint64_t item : sorted)
			spare[at[item >> shift & mask]++] = item;
		sorted.swap(spare);
	}
	std::vector<std::int32_t> rank(n);
	std::int32_t next = -1;
	for (std::size_t i = 0; i < n; i++) {
		if (i == 0 || sorted[i] >> 32 != sorted[i - 1] >> 32)
			next++;
		rank[static_cast<std::size_t>(sorted[i] & 0xFFFFFFFFU)] = next;
	}
	return rank;
}

} // namespace

std::vector<std::int32_t> dense_ranks(const std::vector<std::int32_t>& values)
{
	if (values.empty())
		return {};
	const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
	const long long span = static_cast<long long>(*highest) - *lowest + 1;
	if (span <= span_per_value_for_a_table * static_cast<long long>(values.size()))
		return ranks_by_table(values, *lowest, static_cast<std::size_t>(span));
	return ranks_by_sorting(values, *lowest, static_cast<std::uint64_t>(span));
}

std::vector<std::int32_t> exchange_arrangement(const std::vector<std::int32_t>& key)
{
	const std::vector<std::int32_t> rank = dense_ranks(key);
	std::vector<std::int32_t> from(key.size());
	exchange_arranger arranger;
	arranger.prepare(rank.data(), static_cast<std::int32_t>(key.size()));
	arranger.arrange(rank.data(), from.data());
	return from;
}

void loop_arranger::arrange(const std::int32_t* key, std::int32_t count, std::int32_t* from)
{
	key_.assign(key, key + count);
	for (std::int32_t i = 0; i < count; i++)
		from[i] = i;
	selection_exchange(key_.data(), 0, count, [&](std::int32_t p, std::int32_t i) {
		std::swap(key_[at(p)], key_[at(i)]);
		std::swap(from[p], from[i]);
	});
}

} // namespace priority_sched
