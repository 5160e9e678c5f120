// The slow-input target: on a release build without sanitizers, with a deadline of one
// second, every input of up to 4 KB must be answered in time. Slowness lies in the shape
// of a batch, not in its spelling, so most inputs are batches made from the fuzz bytes,
// written as compactly as the grammar allows to pack the most processes into 4 KB; an
// input whose first byte names a program (p priority_sched, s srtf_sched, f fcfs_sched,
// x fcfs_fixed, c sum_cases) gives it the rest as its input text instead, which is how
// the known slow batches are kept as seeds.

#include "batch_shapes.hpp"
#include "core_run.hpp"
#include "fcfs_fixed.hpp"
#include "fcfs_sched.hpp"
#include "priority_sched.hpp"
#include "srtf_sched.hpp"
#include "sum_cases.hpp"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <optional>
#include <string>

namespace {

struct program {
	const char* name;
	char key; // the first byte of a seed that gives this program its input as text
	std::optional<batch_rules> rules; // none: the fuzz bytes are the input text
	int (*core)(std::FILE*, std::FILE*, std::FILE*);
};

constexpr std::size_t most_text = 4096;

std::array<program, 5> programs{{
	{"priority_sched", 'p', batch_rules{.priorities = true, .most_processes = 1000, .most_text = most_text, .long_crowds = true},
	 [](std::FILE* in, std::FILE* out, std::FILE* err) { return priority_sched::run(in, out, err); }},
	{"srtf_sched", 's', batch_rules{.bursts_below_one = true, .most_processes = 1000, .most_text = most_text, .long_crowds = true},
	 [](std::FILE* in, std::FILE* out, std::FILE* err) { return srtf_sched::run(in, out, err); }},
	{"fcfs_sched", 'f', batch_rules{.bursts_below_one = true, .name_tokens = true, .most_processes = 1000, .most_text = most_text, .long_crowds = true},
	 [](std::FILE* in, std::FILE* out, std::FILE* err) { return fcfs_sched::run(in, out, err); }},
	{"fcfs_fixed", 'x', batch_rules{.bursts_below_one = true, .most_processes = 100, .most_text = most_text, .long_crowds = true},
	 [](std::FILE* in, std::FILE* out, std::FILE* err) { return fcfs_fixed::run(in, out, err); }},
	{"sum_cases", 'c', std::nullopt, sum_cases::run},
}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
	if (size == 0)
		return 0;
	const program* chosen = &programs[data[0] % programs.size()];
	bool as_text = !chosen->rules;
	for (const program& p : programs)
		if (data[0] == p.key) {
			chosen = &p;
			as_text = true;
		}
	std::string input;
	if (as_text) {
		input.assign(reinterpret_cast<const char*>(data) + 1, size - 1);
		if (input.size() > most_text)
			return 0;
	} else {
		FuzzedDataProvider bytes(data + 1, size - 1);
		input = make_batch(bytes, *chosen->rules).text;
	}
	keep_derived_input(chosen->name, input);
	run_core(chosen->core, input);
	return 0;
}
