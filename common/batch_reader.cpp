#include "batch_reader.hpp"

#include <cerrno>
#include <cstring>

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

// The reader is its stream's only user, so a character need not take the stream's lock:
// with it, reading a million records took a third longer. Windows keeps the plain getc.
int next_char(std::FILE* in)
{
#ifdef _WIN32
	return std::getc(in);
#else
	return getc_unlocked(in);
#endif
}

} // namespace

int batch_reader::get()
{
	if (!started_) {
		started_ = true;
		skip_byte_order_mark();
	}
	if (pending_count_ > 0)
		return pending_[--pending_count_];
	const int c = next_char(in_);
	if (c == EOF && std::ferror(in_))
		throw failure(std::string("cannot read standard input: ") + std::strerror(errno));
	return c;
}

// Also keeps an end of input, so that a terminal is never asked for more after it.
void batch_reader::unget(int c)
{
	pending_[pending_count_++] = c;
}

// Notepad starts a UTF-8 file with one.
void batch_reader::skip_byte_order_mark()
{
	const int mark[] = {0xEF, 0xBB, 0xBF};
	int seen[3];
	int matched = 0;
	while (matched < 3) {
		seen[matched] = get();
		if (seen[matched] != mark[matched])
			break;
		matched++;
	}
	if (matched == 3)
		return;
	while (matched >= 0)
		unget(seen[matched--]);
}

int batch_reader::skip_white()
{
	int c;
	do
		c = get();
	while (is_white(c));
	return c;
}

// "%d" stops at a decimal point and leaves the fraction to be misread as the next item.
void batch_reader::refuse_fraction()
{
	if (!after_number_)
		return;
	after_number_ = false;
	const int c = get();
	if (c == '.' || c == ',') {
		const int next = get();
		if (is_digit(next))
			reject_field("is not a whole number");
		unget(next);
	}
	unget(c);
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
	refuse_fraction();
	item_ = item;
	field_ = "name";
	const int c = skip_white();
	if (c == EOF)
		reject_field("is missing");
	return c;
}

char batch_reader::name(long long item)
{
	const int c = first_of_name(item);
	// The number after a name may follow it with no blank, which surprises whoever
	// meant "P1" as a name: a problem with this record or a later one says so.
	const int next = get();
	glued_name_ = glued_name_ || is_digit(next);
	unget(next);
	return static_cast<char>(c);
}

char batch_reader::name_token(long long item)
{
	const char first = static_cast<char>(first_of_name(item));
	int c;
	do
		c = get();
	while (c != EOF && !is_white(c));
	unget(c);
	return first;
}

std::int32_t batch_reader::number(long long item, const char* field)
{
	refuse_fraction();
	item_ = item;
	field_ = field;
	int c = skip_white();
	if (c == EOF)
		reject_field("is missing");
	const bool negative = c == '-';
	if (c == '-' || c == '+')
		c = get();
	if (!is_digit(c))
		reject_field("is not a number");
	// Once past 2^31 the value is out of range whatever its sign, and stops growing
	// there, well inside 64 bits, however many digits follow.
	long long magnitude = 0;
	for (; is_digit(c); c = get())
		if (magnitude <= INT32_MAX + 1LL)
			magnitude = magnitude * 10 + (c - '0');
	unget(c);
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
	const int c = get();
	if (c != EOF && !is_white(c))
		reject_field("has trailing characters");
	unget(c);
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
