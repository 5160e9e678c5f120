#ifndef SCHED_COMMON_BATCH_READER_HPP
#define SCHED_COMMON_BATCH_READER_HPP

#include "failure.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

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
// the reader throws a failure naming the item and the field instead.
//
// It reads in blocks, from the stream's file descriptor where it has one (a stream in
// memory has none, and all its bytes are there already): the reader must be the
// stream's only user, from its first byte on. A block holds what has come so far, and
// the reader asks for more only when it needs the next character; as it never needs one
// past the character that ends the last number, a caller that keeps the pipe open while
// it waits for the report is not kept waiting.
class batch_reader {
public:
	explicit batch_reader(std::FILE* in, input_words words = {});

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
	// The character `ahead` places on from the next one (at most 2), without taking it;
	// EOF past the end of the input.
	int peek(std::size_t ahead = 0)
	{
		return next_ + ahead < end_ ? static_cast<unsigned char>(block_[next_ + ahead]) : peek_further(ahead);
	}
	int peek_further(std::size_t ahead);
	void read_block();
	std::size_t read_some(char* into, std::size_t size);
	int start_item(long long item, const char* field);
	long long take_digits();
	int first_of_name(long long item);
	void skip_byte_order_mark();
	[[noreturn]] void reject_field(const char* problem) const;

	std::FILE* in_;
	int descriptor_;
	input_words words_;
	std::vector<char> block_;
	std::size_t next_ = 0; // the next character to take
	std::size_t end_ = 0;  // the end of what has been read
	bool started_ = false;
	bool at_end_ = false;
	// Where the last number came from, for a problem found only after it was read.
	long long item_ = 0;
	const char* field_ = nullptr;
	bool after_number_ = false;
	bool glued_name_ = false;
};

// The records to make room for at once in a table read record by record: as many as the
// count promises, up to a million. Room not filled costs only address space, so a count
// that promises more records than the input holds claims little; and a table of a
// million is not copied over and over as it grows.
inline std::size_t records_to_reserve(std::int32_t count)
{
	return static_cast<std::size_t>(std::clamp(count, 0, 1 << 20));
}

} // namespace sched

#endif
