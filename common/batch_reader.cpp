#include "batch_reader.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace sched {

namespace {

bool is_white(int c)
{
	return c == ' ' || (c >= '\t' && c <= '\r');
}

bool is_digit(int c)
{
	return c >= '0' && c <= '9';
}

// Large enough that a batch of a million records takes a few hundred reads; small enough
// to stay in the processor's cache.
constexpr std::size_t block_size = 1 << 16;

// What follows the last character read in the block: neither white space nor a digit, so
// that a run of either stops there without a check of the block's end at each character.
constexpr char end_mark = '\0';

#ifdef _WIN32
int descriptor_of(std::FILE* in)
{
	return _fileno(in);
}

long read_descriptor(int descriptor, char* into, std::size_t size)
{
	return _read(descriptor, into, static_cast<unsigned>(size));
}
#else
int descriptor_of(std::FILE* in)
{
	return fileno(in);
}

long read_descriptor(int descriptor, char* into, std::size_t size)
{
	return read(descriptor, into, size);
}
#endif

[[noreturn]] void fail_read()
{
	throw failure(std::string("cannot read standard input: ") + std::strerror(errno));
}

} // namespace

// One more character than a read fills, for the end mark.
batch_reader::batch_reader(std::FILE* in, input_words words)
    : in_(in), descriptor_(descriptor_of(in)), words_(words), block_(block_size + 1, end_mark)
{
}

// Whatever the stream is, a read returns what has come, and waits only while nothing
// has: a pipe or a terminal gives what was written or typed so far.
std::size_t batch_reader::read_some(char* into, std::size_t size)
{
	if (descriptor_ < 0) {
		const std::size_t got = std::fread(into, 1, size, in_);
		if (got == 0 && std::ferror(in_))
			fail_read();
		return got;
	}
	for (;;) {
		const long got = read_descriptor(descriptor_, into, size);
		if (got >= 0)
			return static_cast<std::size_t>(got);
		if (errno != EINTR)
			fail_read();
	}
}

// The characters not yet taken, never more than two, move to the front of the block,
// and the rest of the block takes what comes next. After the end of the input nothing
// more is asked for, so that a terminal is not asked twice.
void batch_reader::read_block()
{
	std::copy(block_.begin() + static_cast<std::ptrdiff_t>(next_), block_.begin() + static_cast<std::ptrdiff_t>(end_),
	          block_.begin());
	end_ -= next_;
	next_ = 0;
	const std::size_t got = read_some(block_.data() + end_, block_.size() - 1 - end_);
	at_end_ = got == 0;
	end_ += got;
	block_[end_] = end_mark;
}

int batch_reader::peek_further(std::size_t ahead)
{
	if (!started_) {
		started_ = true;
		skip_byte_order_mark();
		return peek(ahead);
	}
	while (next_ + ahead >= end_) {
		if (at_end_)
			return EOF;
		read_block();
	}
	return static_cast<unsigned char>(block_[next_ + ahead]);
}

// Notepad starts a UTF-8 file with one. Each of its bytes is asked for only if those
// before it matched.
void batch_reader::skip_byte_order_mark()
{
	if (peek(0) == 0xEF && peek(1) == 0xBB && peek(2) == 0xBF)
		next_ += 3;
}

// The first character of the next item, not taken: the white space before it is. The
// item and the field are those that a problem with it names. Inline, as is
// `take_digits`: every item starts here, and the calls took a tenth of the reading.
inline int batch_reader::start_item(long long item, const char* field)
{
	// "%d" stops at a decimal point and leaves the fraction to be misread as the next
	// item: refused here, as a problem with the number before it.
	if (after_number_) {
		after_number_ = false;
		const int c = peek();
		if ((c == '.' || c == ',') && is_digit(peek(1)))
			reject_field("is not a whole number");
	}
	item_ = item;
	field_ = field;
	for (;;) {
		const char* const block = block_.data();
		std::size_t at = next_;
		while (is_white(block[at]))
			at++;
		next_ = at;
		if (at < end_)
			return static_cast<unsigned char>(block[at]);
		const int c = peek();
		if (!is_white(c))
			return c;
	}
}

std::int32_t batch_reader::count()
{
	return number(0, words_.count);
}

std::int32_t batch_reader::record_count()
{
	const std::int32_t records = count();
	if (records < 0)
		throw failure(std::string(words_.count) + " is negative");
	return records;
}

int batch_reader::first_of_name(long long item)
{
	const int c = start_item(item, "name");
	if (c == EOF)
		reject_field("is missing");
	next_++;
	return c;
}

char batch_reader::name(long long item)
{
	const int c = first_of_name(item);
	// The number after a name may follow it with no blank, which surprises whoever
	// meant "P1" as a name: a problem with this record or a later one says so.
	glued_name_ = glued_name_ || is_digit(peek());
	return static_cast<char>(c);
}

char batch_reader::name_token(long long item)
{
	const char first = static_cast<char>(first_of_name(item));
	for (;;) {
		const char* const block = block_.data();
		std::size_t at = next_;
		while (at < end_ && !is_white(block[at]))
			at++;
		next_ = at;
		const int c = peek();
		if (c == EOF || is_white(c))
			return first;
	}
}

// The run of digits from the next character on, as a number. Once past 2^31 the value is
// out of range whatever its sign, and stops growing there, well inside 64 bits, however
// many digits follow.
inline long long batch_reader::take_digits()
{
	long long magnitude = 0;
	for (;;) {
		const char* const block = block_.data();
		std::size_t at = next_;
		for (; is_digit(block[at]); at++)
			if (magnitude <= INT32_MAX + 1LL)
				magnitude = magnitude * 10 + (block[at] - '0');
		next_ = at;
		if (at < end_ || !is_digit(peek()))
			return magnitude;
	}
}

std::int32_t batch_reader::number(long long item, const char* field)
{
	int c = start_item(item, field);
	if (c == EOF)
		reject_field("is missing");
	const bool negative = c == '-';
	if (c == '-' || c == '+') {
		next_++;
		c = peek();
	}
	if (!is_digit(c))
		reject_field("is not a number");
	const long long magnitude = take_digits();
	after_number_ = true;
	const long long value = negative ? -magnitude : magnitude;
	if (value < INT32_MIN || value > INT32_MAX)
		reject_field("is out of range");
	return static_cast<std::int32_t>(value);
}

void batch_reader::end()
{
	if (!after_number_)
		return;
	after_number_ = false;
	const int c = peek();
	if (c != EOF && !is_white(c))
		reject_field("has trailing characters");
}

void batch_reader::reject(long long item, const std::string& problem) const
{
	std::string message = words_.item + (" " + std::to_string(item)) + ": " + problem;
	if (glued_name_)
		message += " (names are one character long: \"P1\" reads as the name P and the number 1)";
	throw failure(message);
}

void batch_reader::reject_field(const char* problem) const
{
	const std::string what = std::string(field_) + " " + problem;
	if (item_ > 0)
		reject(item_, what);
	throw failure(what);
}

} // namespace sched
