#include "fixed_front.hpp"

#include "checked.hpp"

#include <algorithm>
#include <bit>

namespace priority_sched {

namespace {

// The remembered arrangements hold at most this many processes in all (16 MiB), and
// number between these two powers of two. More of them would see a cycle a little
// sooner and leave fewer steps between a remembered step and any other, but each costs
// a copy of the range (docs/design.md has the measurements).
constexpr long long most_remembered_processes = 1 << 22;
constexpr long long fewest_remembered = 8;
constexpr long long most_remembered = 1 << 10;

std::size_t at(long long i)
{
	return static_cast<std::size_t>(i);
}

// The low bits of the key hash follow the arrivals alone, which in arrival order stand
// the same at every step: the slot is taken from all the bits, mixed.
std::size_t home_slot(std::uint64_t hash, std::size_t slots)
{
	hash ^= hash >> 33;
	hash *= 0xFF51AFD7ED558CCDULL;
	hash ^= hash >> 33;
	return static_cast<std::size_t>(hash) & (slots - 1);
}

} // namespace

void fixed_front_steps::start(const ready_range& ready)
{
	width_ = ready.size();
	gone_ = 0;
	kept_ = 0;
	const long long room = most_remembered_processes / std::max(width_, 1);
	most_kept_ = std::bit_floor(at(std::clamp(room, fewest_remembered, most_remembered)));
	spacing_ = 1;
	steps_ = 0;
	cycle_known_ = false;
	jumps_ = 0;
	index_hashes();
	position_of_.resize(at(ready.processes()));
}

void fixed_front_steps::front_left(const ready_range& ready)
{
	gone_++;
	if (cycle_known_) {
		end_.erase(end_.begin());
		return;
	}
	for (std::size_t k = 0; k < kept_; k++)
		hash_of_[k] = ready.key_hash(arrangement(k));
	index_hashes();
}

void fixed_front_steps::take(ready_range& ready, long long steps, long long clock, std::int32_t finished,
                             progress_meter& progress)
{
	while (steps > 0) {
		if (!cycle_known_ && came_round(ready))
			continue;
		if (cycle_known_ && next_ < kept_ && phase_of(next_) == phase_) {
			const long long jumped = jump(ready, steps);
			steps -= jumped;
			clock += jumped;
			if (jumped > 0)
				continue;
		}
		progress.tick(clock, finished, ready.size());
		take_one(ready);
		steps--;
		clock++;
	}
}

// At the start of a step: true when the keys stand as at a remembered step, which then
// begins the cycle.
bool fixed_front_steps::came_round(ready_range& ready)
{
	const std::uint64_t hash = ready.key_hash();
	const std::size_t mask = slots_.size() - 1;
	for (std::size_t slot = home_slot(hash, slots_.size()); slots_[slot] != 0; slot = (slot + 1) & mask) {
		const std::size_t k = slots_[slot] - 1;
		if (hash_of_[k] == hash && ready.keys_stand_as_in(arrangement(k))) {
			cycle_known_ = true;
			first_ = k;
			length_ = steps_ - step_of_[k];
			end_.assign(ready.order().begin(), ready.order().end());
			phase_ = 0;
			next_ = k;
			return true;
		}
	}
	if (steps_ % spacing_ == 0) {
		if (kept_ == most_kept_)
			keep_every_other();
		remember(hash, ready);
	}
	return false;
}

void fixed_front_steps::remember(std::uint64_t hash, const ready_range& ready)
{
	const auto width = at(width_);
	if (cells_.size() < (kept_ + 1) * width)
		cells_.resize((kept_ + 1) * width);
	std::copy(ready.order().begin(), ready.order().end(), cells_.begin() + static_cast<std::ptrdiff_t>(kept_ * width + at(gone_)));
	if (step_of_.size() == kept_) {
		step_of_.push_back(0);
		hash_of_.push_back(0);
	}
	step_of_[kept_] = steps_;
	hash_of_[kept_] = hash;
	kept_++;
	if (2 * kept_ >= slots_.size())
		index_hashes();
	else
		slots_[free_slot(hash)] = static_cast<std::uint32_t>(kept_);
}

// The remembered steps are 0, s, 2s, ... up to the most kept: those at 0, 2s, 4s, ...
// stay, and from now on only every 2s-th step is remembered.
void fixed_front_steps::keep_every_other()
{
	const auto width = static_cast<std::ptrdiff_t>(width_);
	std::size_t kept = 0;
	for (std::size_t k = 0; k < kept_; k += 2, kept++) {
		const auto from = cells_.begin() + static_cast<std::ptrdiff_t>(k) * width;
		std::copy(from, from + width, cells_.begin() + static_cast<std::ptrdiff_t>(kept) * width);
		step_of_[kept] = step_of_[k];
		hash_of_[kept] = hash_of_[k];
	}
	kept_ = kept;
	spacing_ *= 2;
	index_hashes();
}

// A table at most a quarter full, of the remembered arrangements by their hashes.
void fixed_front_steps::index_hashes()
{
	std::size_t size = 16;
	while (size < 4 * kept_)
		size *= 2;
	slots_.assign(size, 0);
	for (std::size_t k = 0; k < kept_; k++)
		slots_[free_slot(hash_of_[k])] = static_cast<std::uint32_t>(k + 1);
}

// The first free slot from the one that the hash points at.
std::size_t fixed_front_steps::free_slot(std::uint64_t hash) const
{
	const std::size_t mask = slots_.size() - 1;
	std::size_t slot = home_slot(hash, slots_.size());
	while (slots_[slot] != 0)
		slot = (slot + 1) & mask;
	return slot;
}

void fixed_front_steps::take_one(ready_range& ready)
{
	ready.order_by_priority();
	ready.order_by_arrival();
	if (!cycle_known_) {
		steps_++;
		return;
	}
	if (++phase_ == length_) {
		phase_ = 0;
		next_ = first_;
	} else if (next_ < kept_ && phase_of(next_) < phase_) {
		next_++;
	}
}

// At the step of remembered arrangement next_: reaches the last remembered step of the
// cycle that lies no more than `steps` steps ahead, through whole rounds of the cycle,
// and returns the steps taken.
long long fixed_front_steps::jump(ready_range& ready, long long steps)
{
	const std::size_t k = next_;
	const long long total = phase_ + steps;
	const long long rounds = total / length_;
	const long long rest = total % length_;
	std::size_t j = first_;
	for (std::size_t end = kept_; end - j > 1;) {
		const std::size_t middle = j + (end - j) / 2;
		(phase_of(middle) <= rest ? j : end) = middle;
	}
	const long long jumped = rounds * length_ + phase_of(j) - phase_;
	if (jumped == 0)
		return 0;
	// Nothing but a fault of this class could make the keys stand otherwise. Where that
	// is not checked, the steps are taken one by one from here instead.
	if (!SCHED_HOLDS(ready.keys_stand_as_in(arrangement(k)))) {
		start(ready);
		return 0;
	}
	if (rounds == 0) {
		carry(arrangement(k), arrangement(j), ready.order(), moved_);
	} else {
		carry(arrangement(k), end_.data(), ready.order(), moved_);
		turn(moved_, rounds - 1, turned_);
		carry(arrangement(first_), arrangement(j), turned_, moved_);
	}
	ready.rearrange(moved_);
	phase_ = phase_of(j);
	next_ = j;
	jumps_++;
	return jumped;
}

// The process at each position of `present` stands in for the one at that position of
// `from`, and goes where that one stands in `to`.
void fixed_front_steps::carry(const std::int32_t* from, const std::int32_t* to, const column<std::int32_t>& present,
                              column<std::int32_t>& moved)
{
	const std::int32_t n = present.count();
	for (std::int32_t i = 0; i < n; i++)
		position_of_[to[i]] = i;
	moved.resize(present.size());
	for (std::int32_t i = 0; i < n; i++)
		moved[position_of_[from[i]]] = present[i];
}

// `present` as it stands after `rounds` more whole rounds of the cycle, from its start.
void fixed_front_steps::turn(const column<std::int32_t>& present, long long rounds, column<std::int32_t>& turned)
{
	const std::int32_t n = present.count();
	const std::int32_t* const start = arrangement(first_);
	for (std::int32_t i = 0; i < n; i++)
		position_of_[end_[i]] = i;
	round_.next.resize(present.size());
	for (std::int32_t i = 0; i < n; i++)
		round_.next[i] = position_of_[start[i]];
	// Nobody behind the front runs.
	round_.units.assign(present.size(), 0);
	const orbits paths(round_);
	turned.resize(present.size());
	for (std::int32_t i = 0; i < n; i++)
		turned[paths.position_after(i, rounds)] = present[i];
}

} // namespace priority_sched
