#ifndef PRIORITY_SCHED_CHECKPOINTS_HPP
#define PRIORITY_SCHED_CHECKPOINTS_HPP

#include "process_table.hpp"
#include "ready_range.hpp"

#include <cstdint>
#include <optional>
#include <vector>

namespace priority_sched {

// The ready range as it stood at the start of steps spread evenly over the steps so far:
// every step at first, then every second, every fourth and so on as the steps go on, so
// that a bounded number of checkpoints covers any number of steps. The skips over
// repetitions look the keys of the range up among them to see the keys come round, and
// reach a later step of a cycle from the last checkpoint before it.
//
// A checkpoint holds the processes position by position and, beside them, as many
// numbers of the caller's as it asks for.
class checkpoint_store {
public:
	// Forgets all: checkpoints of the range as it now stands, each with `extra` numbers.
	void start(const ready_range& ready, std::int32_t extra);
	// At the start of step `step`, counted from the start: the checkpoint at which the
	// keys stood as they stand now, if there is one; if not, the range is remembered with
	// the numbers at `extra`, when the step is one of those remembered.
	std::optional<std::size_t> look(long long step, const ready_range& ready, const std::int32_t* extra = nullptr);
	// The process in front has left the range, and the first place of every checkpoint
	// with it.
	void front_left(const ready_range& ready);

	// The checkpoints, in step order.
	std::size_t count() const { return kept_; }
	long long step(std::size_t k) const { return step_of_[k]; }
	const std::int32_t* order(std::size_t k) const { return row(k) + gone_; }
	const std::int32_t* extra(std::size_t k) const { return row(k) + width_; }
	// The last checkpoint from `first` on whose step is at most `step`; `first` is, at
	// least.
	std::size_t last_by(std::size_t first, long long step) const;

	// All the memory it holds, which a bound keeps whatever the number of steps.
	std::size_t bytes_held() const;

private:
	const std::int32_t* row(std::size_t k) const { return cells_.data() + k * row_width(); }
	std::size_t row_width() const { return static_cast<std::size_t>(width_ + extra_); }
	void remember(long long step, std::uint64_t hash, const ready_range& ready, const std::int32_t* extra);
	std::optional<std::size_t> find(std::uint64_t hash, const ready_range& ready) const;
	void keep_every_other();
	void index_hashes();
	std::size_t free_slot(std::uint64_t hash) const;

	// Row by row: the processes as they stood, with `width_` of them, of which the first
	// `gone_` have left the range since; then the caller's numbers.
	std::vector<std::int32_t> cells_;
	std::vector<long long> step_of_;
	std::vector<std::uint64_t> hash_of_;
	std::int32_t width_ = 0;
	std::int32_t gone_ = 0;
	std::int32_t extra_ = 0;
	std::size_t kept_ = 0;
	std::size_t most_kept_ = 0;
	// Checkpoints lie this many steps apart.
	long long spacing_ = 1;
	// An open-addressed table of the checkpoints by hash: entry k + 1, or 0.
	std::vector<std::uint32_t> slots_;
};

// Sets position_of[p], for each process p of the arrangement `order`, to its position.
void note_positions(const std::int32_t* order, std::int32_t size, column<std::int32_t>& position_of);

// The process at each position of `present` stands in for the one at that position of
// arrangement `from`, and goes where that one stands in arrangement `to`: `moved` is the
// arrangement they so make. `position_of` is room for a position by process number.
void carry(const std::int32_t* from, const std::int32_t* to, const column<std::int32_t>& present,
           column<std::int32_t>& position_of, column<std::int32_t>& moved);

} // namespace priority_sched

#endif
