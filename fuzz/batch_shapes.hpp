#ifndef SCHED_FUZZ_BATCH_SHAPES_HPP
#define SCHED_FUZZ_BATCH_SHAPES_HPP

// Batches of processes made from fuzz bytes, in the shapes where the schedulers' shortcuts
// are hardest to get right: crowds tied on every key, keys at the ends of the 32-bit range,
// overload, idle gaps and one far arrival, zero and negative bursts where a program runs
// them; and the batch's text written in every way the readers accept.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct process {
	char name;
	std::int32_t priority; // read only by priority_sched
	std::int32_t arrival;
	std::int32_t burst;
};

// What a program's input grammar and rules allow, and how large a batch may grow.
struct batch_rules {
	bool priorities = false;       // a record gives a priority before its arrival
	bool bursts_below_one = false; // zero and negative bursts are run, not refused
	bool name_tokens = false;      // a name is a whole token, of which only the first character counts
	std::size_t most_processes = 0;
	// The plain models step one time unit at a time from the first arrival to the last,
	// ordering up to every process in each step: that span times the square of the
	// process count stays below this, so that a model answers well within the deadline.
	// 0 leaves the span free.
	long long most_model_work = 0;
	// When not 0, the text is at most this long: written plainly, one blank between
	// items, with the processes that do not fit left out.
	std::size_t most_text = 0;
	// Every key taken in turn from its few values, bursts of 100 and more, and always one
	// far arrival: hundreds of processes with mixed keys from a few fuzz bytes, which
	// outlast many steps of a stepping phase kept going long after they have arrived.
	// Where time is the question, this is the costly shape.
	bool long_crowds = false;
};

struct batch {
	std::vector<process> processes;
	std::string text; // the program's whole input
};

batch make_batch(FuzzedDataProvider& bytes, const batch_rules& rules);

// The batch of a differential target, made from all its fuzz bytes and kept for replay
// (SCHED_FUZZ_WRITE_INPUT).
batch fuzzed_batch(const unsigned char* data, std::size_t size, const batch_rules& rules,
                   const std::string& program);

// The processes as a model of a program without priorities takes them: name, arrival, burst.
template <typename Record>
std::vector<Record> timed_records(const batch& b)
{
	std::vector<Record> records;
	for (const process& p : b.processes)
		records.push_back({p.name, p.arrival, p.burst});
	return records;
}

#endif
