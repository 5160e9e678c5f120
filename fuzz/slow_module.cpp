// One program's core as a module of the slow-input target, which loads all five into one
// process: the programs share names (each has its own batch_reader, process_table and
// orderings), so each core is linked into a module of its own with its names kept
// inside, and only this entry point is seen from outside.

#include SCHED_CORE_HEADER

#include <cstdio>

extern "C" __attribute__((visibility("default"))) int sched_core(std::FILE* in, std::FILE* out, std::FILE* err)
{
	return SCHED_CORE(in, out, err);
}
