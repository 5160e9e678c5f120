#ifndef SUM_CASES_SUM_CASES_HPP
#define SUM_CASES_SUM_CASES_HPP

#include <cstdio>

namespace sum_cases {

// The whole program but for its command line: prompts on `out`, reads the cases from
// `in`, answers on `out`, reports any problem on `err`, and returns the exit status.
// Tests and fuzzers call it in-process; `main` hands it the standard streams.
int run(std::FILE* in, std::FILE* out, std::FILE* err);

} // namespace sum_cases

#endif
