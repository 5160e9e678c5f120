#ifndef SCHED_ONE_CHARACTER_INPUT_HPP
#define SCHED_ONE_CHARACTER_INPUT_HPP

// The reader of the programs whose records name a process by one character. Each of them
// keeps a copy of this file and of input.cpp, the same byte for byte.

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

// A problem that ends the run; its text follows the program's name and a colon on
// standard error.
struct failure : std::runtime_error {
	using std::runtime_error::runtime_error;
};

// Reads a batch item by item, the way the "%c" and "%d" conversions read it: white space
// of any kind separates items, a name is the one character after it, and a number is an
// optionally signed run of decimal digits. Where those conversions would misread silently
// (a number too large for 32 bits, a fraction, junk glued to the last number) the reader
// throws a failure naming the record and the field instead. It never reads past the
// character that ends the last number, so a caller that keeps the pipe open while it
// waits for the report is not kept waiting.
class batch_reader {
public:
	explicit batch_reader(std::FILE* in) : in_(in) {}

	std::int32_t count();
	char name(long long record);
	std::int32_t number(long long record, const char* field);
	// After the last number: the character that ended it must be white space or the end
	// of the input.
	void end();
	[[noreturn]] void reject(long long record, const std::string& problem) const;

private:
	int get();
	void unget(int c);
	int skip_white();
	void skip_byte_order_mark();
	void refuse_fraction();
	[[noreturn]] void reject_field(const char* problem) const;

	std::FILE* in_;
	int pending_[3] = {};
	int pending_count_ = 0;
	bool started_ = false;
	// Where the last number came from, for a problem found only after it was read.
	long long record_ = 0;
	const char* field_ = nullptr;
	bool after_number_ = false;
	bool glued_name_ = false;
};

#endif
