#ifndef SCHED_TESTS_HARNESS_HPP
#define SCHED_TESTS_HARNESS_HPP

#include <string>
#include <vector>

// What one run of a program left behind.
struct run_result {
	std::string out;
	std::string err;
	int status; // the exit status, or 128 plus the signal that ended the program
	long peak_memory_kib = 0; // the most memory the program held at once (its peak resident set)
};

// Runs the program at `path` with `input` as its whole standard input, and `arguments`
// on its command line.
run_result run_program(const std::string& path, const std::string& input,
                       const std::vector<std::string>& arguments = {});

// Runs the program with the file or folder at `input_path` as its standard input.
run_result run_program_reading(const std::string& path, const std::string& input_path);

// Runs the program with a terminal as its standard input, on which `typed` is typed.
run_result run_program_at_terminal(const std::string& path, const std::string& typed,
                                   const std::vector<std::string>& arguments);

// Runs the program with standard output going to `output_path` (a device such as
// /dev/full); only the standard error and the status are captured. The peak memory is
// the program's own only while the test itself is smaller: a program started by
// posix_spawn shares the test's memory until it loads, and counts the test's peak.
run_result run_program_into(const std::string& path, const std::string& input,
                            const std::string& output_path, const std::vector<std::string>& arguments = {});

// A program started with pipes on its standard input and output, for tests that must see
// what it writes before they give it any input. Its standard error is the test's own.
class piped_program {
public:
	explicit piped_program(const std::string& path);
	piped_program(const piped_program&) = delete;
	piped_program& operator=(const piped_program&) = delete;
	~piped_program();

	// What the program has written once there are at least `size` bytes, or it has closed
	// its output, or nothing more has come for `patience_ms` (a guard against waiting
	// forever on a program that waits for us; -1 waits as long as it takes).
	std::string read_at_least(std::size_t size, int patience_ms);
	std::string read_to_end();
	void write(const std::string& text);
	void close_input();
	// The exit status, or 128 plus the signal that ended the program.
	int wait();

private:
	std::string path_;
	int pid_ = -1;
	int input_ = -1;
	int output_ = -1;
};


#include <gtest/gtest.h>

#include <cstdio>

// Runs a program's in-process core on `input`, its report thrown away, and returns the
// schedule it traced, of at most `most_segments` segments.
template <typename Trace, typename Core>
Trace run_traced(Core core, std::string input, std::size_t most_segments)
{
	std::FILE* in = fmemopen(input.data(), input.size(), "r");
	std::FILE* out = std::fopen("/dev/null", "w");
	Trace trace;
	trace.most_segments = most_segments;
	EXPECT_EQ(core(in, out, stderr, {.trace = &trace}), 0) << input;
	std::fclose(in);
	std::fclose(out);
	return trace;
}

// A normal run: exactly `expected` on standard output, nothing on standard error, status 0.
inline ::testing::AssertionResult reports(const std::string& path, const std::string& input,
                                          const std::string& expected)
{
	const run_result r = run_program(path, input);
	if (r.out == expected && r.err.empty() && r.status == 0)
		return ::testing::AssertionSuccess();
	return ::testing::AssertionFailure()
	       << "input:\n" << input << "\nwanted:\n" << expected << "\ngot status " << r.status
	       << ", output:\n" << r.out << "\nerror:\n" << r.err;
}

// The name a program gives itself in its messages: its file name without a ".exe".
inline std::string program_name(const std::string& path)
{
	std::string name = path.substr(path.find_last_of('/') + 1);
	const std::string exe = ".exe";
	if (name.ends_with(exe))
		name.erase(name.size() - exe.size());
	return name;
}

// A rejected input: nothing on standard output, the one line "program: message" on
// standard error, status 1.
inline ::testing::AssertionResult rejects(const std::string& path, const std::string& input,
                                          const std::string& message)
{
	const std::string wanted = program_name(path) + ": " + message + "\n";
	const run_result r = run_program(path, input);
	if (r.out.empty() && r.err == wanted && r.status == 1)
		return ::testing::AssertionSuccess();
	return ::testing::AssertionFailure()
	       << "input:\n" << input << "\nwanted error:\n" << wanted << "got status " << r.status
	       << ", output:\n" << r.out << "\nerror:\n" << r.err;
}
#endif
