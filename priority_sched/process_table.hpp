#ifndef PRIORITY_SCHED_PROCESS_TABLE_HPP
#define PRIORITY_SCHED_PROCESS_TABLE_HPP

#include <cstdint>
#include <functional>
#include <vector>

namespace priority_sched {

// A column of values indexed by slot (or by position, or by process number): signed
// 32-bit numbers, as everywhere in the program.
template <typename T>
class column : public std::vector<T> {
public:
	using std::vector<T>::vector;

	T& operator[](std::int32_t i) { return std::vector<T>::operator[](static_cast<std::size_t>(i)); }
	const T& operator[](std::int32_t i) const
	{
		return std::vector<T>::operator[](static_cast<std::size_t>(i));
	}
	std::int32_t count() const { return static_cast<std::int32_t>(this->size()); }
};

// The process table: one slot per process, one column per attribute. The orderings move
// whole slots; a finished process stays in its slot below the finished count.
struct process_table {
	column<char> name;
	column<std::int32_t> priority;
	column<std::int32_t> arrival;
	column<std::int32_t> burst;
	column<std::int32_t> remaining;
	// Where each process stood in the input, from 1: not a column the orderings are
	// given, but moved with the others all the same.
	column<std::int32_t> record;

	std::int32_t size() const { return name.count(); }

	// The orderings of the table, each over slots start to end-1: a short range goes
	// through the exchange loop itself, on a copy that shows where each slot went, and a
	// long one is moved straight to the arrangement that the loop would leave.
	void order_by_arrival(std::int32_t start, std::int32_t end);
	void order_by_priority(std::int32_t start, std::int32_t end);

private:
	void move_slots(const std::vector<std::int32_t>& from, std::int32_t start);
};

// Told of each process as it finishes: its slot and its completion.
using finish_report = std::function<void(std::int32_t slot, long long completion)>;

} // namespace priority_sched

#endif
