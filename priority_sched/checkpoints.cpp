#include "checkpoints.hpp"

#include <algorithm>
#include <bit>

namespace priority_sched {

namespace {

// How many checkpoints are kept at a time. Each holds a copy of the range (the cycle
// finder's, twice that, with what each process has run), and all of them together hold
// at most most_numbers numbers, 16 MiB, so that their memory depends on nothing but the
// range.
constexpr long long most_numbers = 1 << 22;
// Never fewer than this, however long the range: a cycle of L steps that begins at step
// M is seen by about step (M + L)(1 + 2 / checkpoints), and the cycle finder's first
// steps, whose priority ordering it remembers, must each be a checkpoint.
constexpr long long fewest_kept = 8;
// Never more than this. More see a cycle a little sooner and leave fewer steps to take
// one by one after the last checkpoint before a step wanted, but each costs a copy of
// the range. Instructions on fuzz/slow-inputs/priority_sched-found-220.txt, whose keys
// behind a chain of fixed fronts come round after 70,596 steps: 5.27 billion with 64,
// 4.33 with 256, 4.06 with 1024; on a crowd of 120 tied on both keys, where nothing
// comes round, 2.42 billion with 64 and 2.45 with 1024 (docs/design.md).
constexpr long long most_kept = 1 << 10;
// Up to this many checkpoints are compared one by one, which is quicker than a table;
// most stretches end within a few steps, and need none.
constexpr std::size_t compared_one_by_one = 8;

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

void checkpoint_store::start(const ready_range& ready, std::int32_t extra)
{
	width_ = ready.size();
	gone_ = 0;
	extra_ = extra;
	kept_ = 0;
	// A power of two, so that halving keeps the checkpoints evenly spaced.
	const long long room = most_numbers / std::max<long long>(static_cast<long long>(row_width()), 1);
	most_kept_ = std::bit_floor(at(std::clamp(room, fewest_kept, most_kept)));
	spacing_ = 1;
}

std::optional<std::size_t> checkpoint_store::look(long long step, const ready_range& ready,
                                                  const std::int32_t* extra)
{
	const std::uint64_t hash = ready.key_hash();
	if (const std::optional<std::size_t> k = find(hash, ready))
		return k;
	if (step % spacing_ == 0) {
		if (kept_ == most_kept_)
			keep_every_other();
		remember(step, hash, ready, extra);
	}
	return std::nullopt;
}

void checkpoint_store::front_left(const ready_range& ready)
{
	gone_++;
	for (std::size_t k = 0; k < kept_; k++)
		hash_of_[k] = ready.key_hash(order(k));
	if (kept_ > compared_one_by_one)
		index_hashes();
}

std::optional<std::size_t> checkpoint_store::find(std::uint64_t hash, const ready_range& ready) const
{
	auto same = [&](std::size_t k) { return hash_of_[k] == hash && ready.keys_stand_as_in(order(k)); };
	if (kept_ <= compared_one_by_one) {
		for (std::size_t k = 0; k < kept_; k++)
			if (same(k))
				return k;
		return std::nullopt;
	}
	const std::size_t mask = slots_.size() - 1;
	for (std::size_t slot = home_slot(hash, slots_.size()); slots_[slot] != 0; slot = (slot + 1) & mask)
		if (same(slots_[slot] - 1))
			return slots_[slot] - 1;
	return std::nullopt;
}

std::size_t checkpoint_store::last_by(std::size_t first, long long step) const
{
	const auto begin = step_of_.begin() + static_cast<std::ptrdiff_t>(first);
	const auto end = step_of_.begin() + static_cast<std::ptrdiff_t>(kept_);
	return first + static_cast<std::size_t>(std::upper_bound(begin, end, step) - begin) - 1;
}

std::size_t checkpoint_store::bytes_held() const
{
	return cells_.capacity() * sizeof(std::int32_t) + step_of_.capacity() * sizeof(long long) +
	       hash_of_.capacity() * sizeof(std::uint64_t) + slots_.capacity() * sizeof(std::uint32_t);
}

void checkpoint_store::remember(long long step, std::uint64_t hash, const ready_range& ready,
                                const std::int32_t* extra)
{
	const std::size_t width = row_width();
	if (cells_.size() < (kept_ + 1) * width)
		cells_.resize((kept_ + 1) * width);
	std::int32_t* const cells = cells_.data() + kept_ * width;
	std::copy(ready.order().begin(), ready.order().end(), cells + gone_);
	if (extra_ > 0)
		std::copy(extra, extra + extra_, cells + width_);
	if (step_of_.size() == kept_) {
		step_of_.push_back(0);
		hash_of_.push_back(0);
	}
	step_of_[kept_] = step;
	hash_of_[kept_] = hash;
	kept_++;
	if (kept_ == compared_one_by_one + 1 || 2 * kept_ >= slots_.size())
		index_hashes();
	else if (kept_ > compared_one_by_one)
		slots_[free_slot(hash)] = static_cast<std::uint32_t>(kept_);
}

// The checkpoints are at steps 0, s, 2s, ... up to the most kept: those at 0, 2s, 4s, ...
// stay, and from now on only every 2s-th step is remembered.
void checkpoint_store::keep_every_other()
{
	const auto width = static_cast<std::ptrdiff_t>(row_width());
	std::size_t kept = 0;
	for (std::size_t k = 0; k < kept_; k += 2, kept++) {
		const auto from = cells_.begin() + static_cast<std::ptrdiff_t>(k) * width;
		std::copy(from, from + width, cells_.begin() + static_cast<std::ptrdiff_t>(kept) * width);
		step_of_[kept] = step_of_[k];
		hash_of_[kept] = hash_of_[k];
	}
	kept_ = kept;
	spacing_ *= 2;
	if (kept_ > compared_one_by_one)
		index_hashes();
}

// A table at most a quarter full, of the checkpoints by their hashes, kept while there
// are more than can be compared one by one.
void checkpoint_store::index_hashes()
{
	std::size_t size = 16;
	while (size < 4 * kept_)
		size *= 2;
	slots_.assign(size, 0);
	for (std::size_t k = 0; k < kept_; k++)
		slots_[free_slot(hash_of_[k])] = static_cast<std::uint32_t>(k + 1);
}

// The first free slot from the one that the hash points at.
std::size_t checkpoint_store::free_slot(std::uint64_t hash) const
{
	const std::size_t mask = slots_.size() - 1;
	std::size_t slot = home_slot(hash, slots_.size());
	while (slots_[slot] != 0)
		slot = (slot + 1) & mask;
	return slot;
}

void note_positions(const std::int32_t* order, std::int32_t size, column<std::int32_t>& position_of)
{
	for (std::int32_t position = 0; position < size; position++)
		position_of[order[position]] = position;
}

void carry(const std::int32_t* from, const std::int32_t* to, const column<std::int32_t>& present,
           column<std::int32_t>& position_of, column<std::int32_t>& moved)
{
	note_positions(to, present.count(), position_of);
	moved.resize(present.size());
	for (std::int32_t i = 0; i < present.count(); i++)
		moved[position_of[from[i]]] = present[i];
}

} // namespace priority_sched
