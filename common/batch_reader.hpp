#ifndef SCHED_COMMON_BATCH_READER_HPP
#define SCHED_COMMON_BATCH_READER_HPP

#include "failure.hpp"

#include <cstdint>
#include <cstdio>
#include <string>

namespace sched {

// What a program calls the parts of its input, in its messages: "record 3: burst is
// missing", "case 2: second number is missing".
struct input_words {
	const char* item = "record";
	const char* count = "process count";
};

// Reads a batch item by item, the way the "%c", "%s" and "%d" conversions read it: white
// space of any kind separates items, a name is the one character after it (or, as a
// token, the run of characters up to the next white space), and a number is an
// optionally signed run of decimal digits. Where those conversions would misread
// silently (a number too large for 32 bits, a fraction, junk glued to the last number)
// the reader throws a failure naming the item and the field instead. It never reads
// past the character that ends the last number, so a caller that keeps the pipe open
// while it waits for the report is not kept waiting.
class batch_reader {
public:
	explicit batch_reader(std::FILE* in, input_words words = {}) : in_(in), words_(words) {}

	std::int32_t count();
	// The count of the records that follow: a negative one is refused.
	std::int32_t record_count();
	// A name of one character, as "%c" reads it.
	char name(long long item);
	// A name token, as "%s" reads it: only its first character is kept.
	char name_token(long long item);
	std::int32_t number(long long item, const char* field);
	// After the last number: the character that ended it must be white space or the end
	// of the input.
	void end();
	[[noreturn]] void reject(long long item, const std::string& problem) const;

private:
	int get();
	void unget(int c);
	int skip_white();
	int first_of_name(long long item);
	void skip_byte_order_mark();
	void refuse_fraction();
	[[noreturn]] void reject_field(const char* problem) const;

	std::FILE* in_;
	input_words words_;
	int pending_[3] = {};
	int pending_count_ = 0;
	bool started_ = false;
	// Where the last number came from, for a problem found only after it was read.
	long long item_ = 0;
	const char* field_ = nullptr;
	bool after_number_ = false;
	bool glued_name_ = false;
};

} // namespace sched

#endif
