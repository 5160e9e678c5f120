#ifndef SCHED_TESTS_FAMILY_TABLE_HPP
#define SCHED_TESTS_FAMILY_TABLE_HPP

// A table of seeded families of random batches, one test each, named by its row.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

template <typename Shape>
struct family_run {
	const char* name;
	std::uint32_t seed;
	Shape shape;
	int batches;
};

// A failing row is told by its name and seed.
template <typename Shape>
void PrintTo(const family_run<Shape>& family, std::ostream* out)
{
	*out << family.name << ", seed " << family.seed;
}

struct family_run_name {
	template <typename Shape>
	std::string operator()(const ::testing::TestParamInfo<family_run<Shape>>& row) const
	{
		return row.param.name + std::string("Seed") + std::to_string(row.param.seed);
	}
};

#endif
