#include "batch_shapes.hpp"

#include "core_run.hpp"

#include <fuzzer/FuzzedDataProvider.h>

batch fuzzed_batch(const unsigned char* data, std::size_t size, const batch_rules& rules,
                   const std::string& program)
{
	FuzzedDataProvider bytes(data, size);
	batch b = make_batch(bytes, rules);
	keep_derived_input(program, b.text);
	return b;
}
