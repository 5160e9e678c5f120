#ifndef PRIORITY_SCHED_READY_RANGE_HPP
#define PRIORITY_SCHED_READY_RANGE_HPP

#include "exchange_arrangement.hpp"
#include "process_table.hpp"
#include "run_trace.hpp"

#include <cstdint>
#include <vector>

namespace priority_sched {

// The unfinished processes of the stepping phase. Each keeps the number of the slot it
// held when the phase began, and its attributes stay filed under that number; what moves
// is the ready range, the numbers of the arrived processes in slot order. The processes
// that have not arrived stay behind it in the order of the first arrival ordering, which
// no later ordering changes (a later arrival appended to an ordered range changes
// nothing before it). So the table itself is read where it stands, not copied (a copy
// of a million processes cost more in fresh pages than all the orderings of a light
// load), and written only when the phase ends: it must outlive the range and stay as it
// is until then.
//
// The range also tells the run's observer who runs when: whatever charges a process
// units goes through `run`, and only what takes many steps at once asks whether anyone
// is still `watched` before unfolding them.
class ready_range {
public:
	ready_range(const process_table& t, std::int32_t finished, sched::run_observer& observer = sched::nobody());

	// Adds every process that has arrived by `clock` to the back of the range; true if any.
	// Inline, as the orderings below: most steps that call them find nothing to do.
	bool admit(long long clock) { return !all_admitted() && arrival_[waiting_] <= clock && admit_arrived(clock); }
	bool empty() const { return order_.empty(); }
	std::int32_t size() const { return order_.count(); }
	// All the processes, in the range or not, by number from 0.
	std::int32_t processes() const { return processes_; }
	bool all_admitted() const { return waiting_ == processes_; }
	// The arrival of the first process not yet admitted (there must be one).
	std::int32_t next_arrival() const { return arrival_[waiting_]; }

	std::int32_t process_at(std::int32_t position) const { return order_[position]; }
	// The processes in the range, position by position.
	const column<std::int32_t>& order() const { return order_; }
	long long& left(std::int32_t process) { return left_[process]; }
	long long left(std::int32_t process) const { return left_[process]; }

	// `process` runs `units` units from `clock` on: they are charged to it and told.
	void run(std::int32_t process, long long clock, long long units)
	{
		left_[process] -= units;
		tell(process, clock, units);
	}
	// Tells of units that are charged apart, all at once.
	void tell(std::int32_t process, long long clock, long long units) const
	{
		observer_->ran(record_[process], clock, units);
	}
	bool watched() const { return observer_->listening(); }

	// A range of one or none has nothing to order.
	void order_by_priority()
	{
		if (size() > 1)
			arrange(priority_label_, by_priority_, true);
	}
	void order_by_arrival()
	{
		if (size() > 1)
			arrange(arrival_label_, by_arrival_, false);
	}
	// What the orderings compare, and all they compare, is the priority and the arrival at
	// each position: a hash of them, and whether they stand as they stood in `order`.
	std::uint64_t key_hash() const { return key_hash(order_.data()); }
	bool keys_stand_as_in(const column<std::int32_t>& order) const { return keys_stand_as_in(order.data()); }
	// The same for an arrangement of as many processes as the range holds.
	std::uint64_t key_hash(const std::int32_t* order) const;
	bool keys_stand_as_in(const std::int32_t* order) const;
	// Whether the process in front, the range standing in arrival order, has the smallest
	// priority too: then neither ordering moves it (fixed_front.hpp).
	bool front_is_fixed() const;
	// Whether no two processes of the range share an arrival, the range standing in
	// arrival order: then the arrival ordering leaves the same arrangement whatever it is
	// given (stepping.cpp).
	bool arrivals_distinct() const;
	// Moves the process at each position p to position to[p].
	void move(const column<std::int32_t>& to);
	// Puts the same processes in the given order.
	void rearrange(const column<std::int32_t>& order) { order_ = order; }

	// The process in front has finished and leaves the range: returns its slot in the
	// table, where it still stands.
	std::int32_t finish_front();
	// Writes the unfinished processes into the table from `slot` on: the range in its
	// order, then those not yet admitted.
	void write_back(process_table& t, std::int32_t slot) const;

private:
	bool admit_arrived(long long clock);
	// Gets the arrangers ready for the processes now in the range.
	void prepare_orderings();
	void label_priorities();
	void label_arrivals();
	void arrange(const column<std::int32_t>& label, exchange_arranger& arranger, bool by_priority);
	void exchange_in_place(const std::int32_t* key);
	void rank_priorities();

	// By process number: the table's columns from the first unfinished slot on, and what
	// each process has left to run.
	std::int32_t first_slot_;
	std::int32_t processes_;
	const std::int32_t* priority_;
	const std::int32_t* arrival_;
	const std::int32_t* record_;
	column<long long> left_;
	// Only a long range needs these two, ranked when the first comes.
	column<std::int32_t> priority_rank_; // over the whole batch
	std::int32_t priority_ranks_ = 0;
	column<std::int32_t> priority_label_; // ranks among the processes in the range
	column<std::int32_t> arrival_label_;

	sched::run_observer* observer_;
	std::int32_t waiting_; // the first process not yet admitted
	std::int32_t newest_label_ = -1;
	column<std::int32_t> order_;

	// Prepared for the processes in a long range, and again when one comes or goes; a
	// short range goes through the exchange loops themselves.
	bool prepared_ = false;
	exchange_arranger by_priority_;
	exchange_arranger by_arrival_;
	column<std::int32_t> closed_labels_;
	column<std::int32_t> rank_at_;
	column<std::int32_t> from_;
	column<std::int32_t> moved_;
};

} // namespace priority_sched

#endif
