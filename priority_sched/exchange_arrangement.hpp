#ifndef PRIORITY_SCHED_EXCHANGE_ARRANGEMENT_HPP
#define PRIORITY_SCHED_EXCHANGE_ARRANGEMENT_HPP

#include <array>
#include <cstdint>
#include <vector>

namespace priority_sched {

// The arrangement that the selection exchange of the orderings leaves, found in about
// k log k steps instead of k(k-1)/2 comparisons. Entry j of `from` is the index of the
// item that ends up at position j.
//
// An arranger is prepared for one multiset of keys, given as ranks (smaller keys, smaller
// ranks; gaps are allowed), and can then arrange any sequence of those ranks again and
// again without allocating. Preparing it again for other keys reuses its memory.
class exchange_arranger {
public:
	void prepare(const std::int32_t* rank, std::int32_t count);
	void arrange(const std::int32_t* rank, std::int32_t* from);

private:
	struct group {
		std::int32_t start = 0; // where the group's first member ends up
		std::int32_t size = 0;
		std::int32_t shared = -1; // its number among the groups of two or more, if it is one
	};
	// A group of two or more as a turning queue: its circle of members, where its front
	// stands, and how many smaller keys had entered when it last turned.
	struct queue {
		std::int32_t taken = 0;
		std::int32_t front = 0; // as a place in the circle
		std::int32_t front_member = -1;
		std::int32_t smaller_seen = 0;
		long long steps_walked = 0;
		bool walking = true;
	};

	// A queue kept as it reads: a stretch of `moves_` that takes members at its back and
	// turns by moving its front member behind its back.
	struct moving_queue {
		std::int32_t front = 0;
		std::int32_t back = 0;
		std::int32_t smaller_seen = 0;
	};

	std::int32_t smaller_entered(std::int32_t shared) const;
	void enter(std::int32_t rank);
	void prepare_moves();
	void arrange_by_moves(const std::int32_t* rank, std::int32_t* from);
	template <typename Counts>
	void take_by_moves(const std::int32_t* rank, std::int32_t* from, Counts& counts);
	void turn_by_moves(moving_queue& q, std::int32_t smaller_seen);
	void take(queue& q, const group& g, std::int32_t item, std::int32_t smaller_seen);
	void turn(queue& q, std::int32_t smaller_seen);
	void lay_out(queue& q, const group& g, std::int32_t* from);
	void lay_out_by_places(const queue& q, const group& g, std::int32_t* from);

	std::int32_t count_ = 0;
	std::vector<group> groups_;
	std::vector<std::int32_t> shared_rank_;
	// For each rank, the first shared group of a larger rank.
	std::vector<std::int32_t> first_shared_above_;
	// How many items of a smaller rank have entered, for each shared group.
	bool counted_directly_ = true;
	std::vector<std::int32_t> smaller_entered_;
	std::vector<std::int32_t> entered_in_block_;
	std::vector<queue> queues_;
	// The circles, linked both ways, by item.
	std::vector<std::int32_t> next_;
	std::vector<std::int32_t> previous_;
	// Member and place in the circle of each item taken by a shared group, stored from
	// the group's start on, for a circle too costly to walk.
	std::vector<std::int32_t> member_;
	std::vector<std::int32_t> put_at_;
	std::vector<std::int32_t> circle_;
	std::vector<std::int32_t> free_places_;
	// With few shared groups: each group's stretch of moves, where it begins.
	bool by_moves_ = false;
	// With few shared groups, their counts packed: what an item of each rank adds.
	bool packed_counts_ = false;
	std::vector<std::array<std::uint64_t, 2>> count_added_;
	std::vector<std::int32_t> moves_;
	std::vector<std::int32_t> moves_begin_;
	std::vector<moving_queue> moving_;
};

// Up to this many items the exchange loops themselves are quicker.
constexpr std::int32_t longest_range_for_the_loops = 48;

// The exchange loop itself, run on a copy of the keys that carries each item's position
// along: the same arrangement by construction, for ranges too short for the arranger to
// pay. Entry j of `from` is the index of the item that ends up at position j.
class loop_arranger {
public:
	void arrange(const std::int32_t* key, std::int32_t count, std::int32_t* from);

private:
	std::vector<std::int32_t> key_;
};

// The arrangement of one sequence of keys of any values.
std::vector<std::int32_t> exchange_arrangement(const std::vector<std::int32_t>& key);

// Each value replaced by the number of distinct values smaller than it.
std::vector<std::int32_t> dense_ranks(const std::vector<std::int32_t>& values);

} // namespace priority_sched

#endif
