#ifndef SCHED_FUZZ_BATCH_SHAPES_HPP
#define SCHED_FUZZ_BATCH_SHAPES_HPP

// Batches of processes for the fuzz targets and the tests, drawn from a source of
// choices: the fuzz bytes (FuzzedDataProvider) in a fuzz target, a seeded generator
// (seeded_choices) in a test. Both offer the four operations that the batches are drawn
// with, so one generator serves both. Two kinds of batch:
//  - a fuzz shape (batch_rules), where the schedulers' shortcuts are hardest to get
//    right: crowds tied on every key, keys at the ends of the 32-bit range, overload,
//    idle gaps and one far arrival, zero and negative bursts where a program runs them;
//  - a family of a test (family): counts, keys and names drawn evenly from given ranges,
//    so that a seed and a family give the same batches on every run;
// and the batch's text written in every way the readers accept.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

struct process {
	char name;
	std::int32_t priority; // read only by priority_sched
	std::int32_t arrival;
	std::int32_t burst;
};

// Choices drawn from a seeded generator, by the operations of FuzzedDataProvider that
// the batches use.
class seeded_choices {
public:
	explicit seeded_choices(std::uint32_t seed) : rng_(seed) {}

	template <typename T>
	T ConsumeIntegralInRange(T low, T high)
	{
		// The standard distribution takes no character types: narrow types are drawn as
		// int or unsigned, wide ones as long long or unsigned long long.
		using drawn = std::conditional_t<std::is_signed_v<T>, std::conditional_t<(sizeof(T) <= sizeof(int)), int, long long>,
		                                 std::conditional_t<(sizeof(T) <= sizeof(unsigned)), unsigned, unsigned long long>>;
		return static_cast<T>(std::uniform_int_distribution<drawn>(low, high)(rng_));
	}

	template <typename T>
	T ConsumeIntegral()
	{
		return ConsumeIntegralInRange(std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
	}

	bool ConsumeBool() { return ConsumeIntegralInRange(0, 1) == 1; }

	template <typename T>
	T PickValueInArray(std::initializer_list<const T> values)
	{
		return values.begin()[ConsumeIntegralInRange<std::size_t>(0, values.size() - 1)];
	}

private:
	std::mt19937 rng_;
};

// How a batch's text is written.
enum class spelling {
	plain,  // one blank between items and a line feed after each record
	spaced, // white space of every kind between items, a name glued to the number after it
	any,    // spaced or not, and signs and leading zeros on numbers, a byte order mark in
	        // front and text after the last record, each as the choices say
};

// What a program's input grammar and rules allow, and how large a batch may grow.
struct batch_rules {
	bool priorities = false;       // a record gives a priority before its arrival
	bool bursts_below_one = false; // zero and negative bursts are run, not refused
	bool name_tokens = false;      // a name is a whole token, of which only the first character counts
	std::size_t most_processes = 0;
	// The plain models step one time unit at a time from the first arrival to the last,
	// ordering up to every process in each step: that span times the square of the
	// process count stays below this, so that a model answers well within the deadline.
	// 0 leaves the span free.
	long long most_model_work = 0;
	// When not 0, the text is at most this long: written plainly, one blank between
	// items, with the processes that do not fit left out.
	std::size_t most_text = 0;
	// Every key taken in turn from its few values, bursts of 100 and more, and always one
	// far arrival: hundreds of processes with mixed keys from a few fuzz bytes, which
	// outlast many steps of a stepping phase kept going long after they have arrived.
	// Where time is the question, this is the costly shape.
	bool long_crowds = false;
	// The characters after the first of a name token, at most.
	std::size_t longest_name_tail = 3;
};

struct batch {
	std::vector<process> processes;
	std::string text; // the program's whole input
};

// The names of a family that does not give its own.
inline constexpr std::string_view capitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// A family of batches: every number drawn evenly from its range.
struct family {
	int most_processes;
	int priorities = 0; // drawn from 0 to priorities-1 where not 0, else all 0
	int earliest_arrival = 0;
	int latest_arrival = 0;
	int shortest_burst = 1;
	int longest_burst = 1;
	std::string_view names = capitals; // the names the processes are given
	// When not 0, each batch picks this many of the names afresh, and its processes
	// share them.
	int names_in_batch = 0;
	bool distinct_names = false; // each process a name of its own, the names in a fresh order
	int late_arrival = 0;        // if not 0, one more process, Z, arrives this late
};

namespace batch_shapes_detail {

constexpr long long int32_min = std::numeric_limits<std::int32_t>::min();
constexpr long long int32_max = std::numeric_limits<std::int32_t>::max();

inline std::int32_t narrow(long long value)
{
	return static_cast<std::int32_t>(std::clamp(value, int32_min, int32_max));
}

// A few distinct values of one key, which the processes then share: fewer values than
// processes make the ties that decide the orderings' exchanges. The processes either
// take the values in turn, which costs no fuzz bytes however many processes there are
// and interleaves the ties, or one chosen by the bytes each.
template <typename Choices>
class key_pool {
public:
	key_pool(Choices& bytes, std::size_t most, long long (*draw)(Choices&), bool in_turn)
		: values_(bytes.template ConsumeIntegralInRange<std::size_t>(1, most)), in_turn_(in_turn || bytes.ConsumeBool())
	{
		for (long long& value : values_)
			value = draw(bytes);
	}

	long long value(Choices& bytes, std::size_t process) const
	{
		if (in_turn_)
			return values_[process % values_.size()];
		return values_[bytes.template ConsumeIntegralInRange<std::size_t>(0, values_.size() - 1)];
	}

	std::vector<long long>& values() { return values_; }

private:
	std::vector<long long> values_;
	bool in_turn_;
};

template <typename Choices>
long long draw_priority(Choices& bytes)
{
	switch (bytes.ConsumeIntegralInRange(0, 3)) {
	case 0:
		return bytes.ConsumeIntegralInRange(0, 4);
	case 1:
		return bytes.PickValueInArray({int32_min, -1LL, 0LL, int32_max});
	case 2:
		return bytes.ConsumeIntegralInRange(-3, 3);
	default:
		return bytes.template ConsumeIntegral<std::int32_t>();
	}
}

// A burst of at least 1: short ones preempt and tie, long ones overload the processor
// and, near 2^31, carry completions past the 32-bit range.
template <typename Choices>
long long draw_burst(Choices& bytes)
{
	switch (bytes.ConsumeIntegralInRange(0, 4)) {
	case 0:
		return bytes.ConsumeIntegralInRange(1, 4);
	case 1:
		return bytes.ConsumeIntegralInRange(1, 40);
	case 2:
		return bytes.ConsumeIntegralInRange(1, 100000);
	case 3:
		return bytes.PickValueInArray({int32_max, int32_max - 1, 1LL << 30});
	default:
		return bytes.template ConsumeIntegralInRange<long long>(1, int32_max);
	}
}

// Any burst: a process with none, or less than none, never finishes before the final
// phase, and its time left runs further below zero with every unit it gets.
template <typename Choices>
long long draw_any_burst(Choices& bytes)
{
	switch (bytes.ConsumeIntegralInRange(0, 3)) {
	case 0:
		return bytes.ConsumeIntegralInRange(-2, 0);
	case 1:
		return bytes.PickValueInArray({int32_min, int32_min + 1, -(1LL << 30)});
	case 2:
		return bytes.template ConsumeIntegral<std::int32_t>();
	default:
		return draw_burst(bytes);
	}
}

// A burst long enough to outlast many steps.
template <typename Choices>
long long draw_long_burst(Choices& bytes)
{
	if (bytes.ConsumeBool())
		return bytes.ConsumeIntegralInRange(100, 100000);
	return bytes.template ConsumeIntegralInRange<long long>(100, int32_max);
}

template <typename Choices>
char draw_name(Choices& bytes, int kind)
{
	switch (kind) {
	case 0:
		return 'A';
	case 1:
		return static_cast<char>('A' + bytes.ConsumeIntegralInRange(0, 25));
	default: {
		// Any character that is not white space names a process, digits and signs too.
		const unsigned char c = bytes.template ConsumeIntegral<unsigned char>();
		return c == ' ' || (c >= '\t' && c <= '\r') ? '_' : static_cast<char>(c);
	}
	}
}

// The arrivals: a base that may sit at either end of the 32-bit range, a few offsets
// from it that the processes share, spread over part of the span or all of it, and
// perhaps one far arrival at the end of the span, which keeps the stepping phase going
// long after a crowd near the base has arrived.
template <typename Choices>
class arrival_layout {
public:
	arrival_layout(Choices& bytes, std::size_t processes, const batch_rules& rules)
		: span_(draw_span(bytes, processes, rules.most_model_work)), base_(draw_base(bytes, span_)),
		  offsets_(bytes, 12, [](Choices&) { return 0LL; }, rules.long_crowds)
	{
		const long long spread = std::min(span_, bytes.PickValueInArray({6LL, 40LL, 1000LL, span_}));
		std::vector<long long>& offsets = offsets_.values();
		for (std::size_t i = 1; i < offsets.size(); i++)
			offsets[i] = bytes.template ConsumeIntegralInRange<long long>(0, spread);
		if (processes > 0 && (rules.long_crowds || bytes.ConsumeBool()))
			far_process_ = bytes.template ConsumeIntegralInRange<std::size_t>(0, processes - 1);
	}

	std::int32_t arrival(Choices& bytes, std::size_t process) const
	{
		if (process == far_process_)
			return narrow(base_ + span_);
		return narrow(base_ + offsets_.value(bytes, process));
	}

private:
	static long long draw_span(Choices& bytes, std::size_t processes, long long most_model_work)
	{
		long long most_span = int32_max - int32_min;
		if (most_model_work > 0) {
			const auto n = static_cast<long long>(std::max<std::size_t>(processes, 1));
			most_span = most_model_work / (n * n);
		}
		const long long scale = bytes.PickValueInArray({4LL, 40LL, 1000LL, most_span});
		return bytes.template ConsumeIntegralInRange<long long>(0, std::min(scale, most_span));
	}

	static long long draw_base(Choices& bytes, long long span)
	{
		switch (bytes.ConsumeIntegralInRange(0, 4)) {
		case 0:
			return 0;
		case 1:
			return -span / 4;
		case 2:
			return int32_min;
		case 3:
			return int32_max - span;
		default:
			return bytes.ConsumeIntegralInRange(int32_min, int32_max - span);
		}
	}

	long long span_;
	long long base_;
	key_pool<Choices> offsets_;
	std::size_t far_process_ = static_cast<std::size_t>(-1);
};

// Writes a batch in any of the ways the readers take it: any white space between items,
// a name glued to the number after it, signs and leading zeros on numbers, a byte order
// mark in front and text after the last record. Plain text is one blank between items
// and a line feed after each record.
template <typename Choices>
class text_writer {
public:
	text_writer(Choices& bytes, spelling how, std::size_t longest_name_tail)
		: bytes_(bytes), plain_(how == spelling::plain), any_(how == spelling::any), longest_name_tail_(longest_name_tail)
	{
		varied_space_ = how == spelling::spaced || (any_ && bytes_.ConsumeBool());
		decorated_numbers_ = any_ && bytes_.ConsumeBool();
	}

	void start()
	{
		if (any_ && bytes_.ConsumeBool())
			text_ += "\xEF\xBB\xBF";
		if (varied_space_)
			optional_space();
	}

	void number(long long value)
	{
		if (decorated_numbers_ && bytes_.ConsumeBool()) {
			const std::string zeros(bytes_.template ConsumeIntegralInRange<std::size_t>(0, 3), '0');
			if (value < 0)
				text_ += "-" + zeros + std::to_string(-value);
			else
				text_ += (bytes_.ConsumeBool() ? "+" : "") + zeros + std::to_string(value);
		} else {
			text_ += std::to_string(value);
		}
	}

	// A name, then the space before the next item, which a one-character name may go
	// without.
	void name(char c, bool token)
	{
		text_ += c;
		if (token) {
			if (!plain_) {
				const std::size_t extra = bytes_.template ConsumeIntegralInRange<std::size_t>(0, longest_name_tail_);
				for (std::size_t i = 0; i < extra; i++)
					text_ += draw_name(bytes_, 2);
			}
			space();
		} else if (plain_ || !bytes_.ConsumeBool()) {
			space();
		}
	}

	void space()
	{
		if (!varied_space_) {
			text_ += ' ';
			return;
		}
		text_ += white(bytes_);
		optional_space();
	}

	void end_record() { text_ += varied_space_ ? white(bytes_) : '\n'; }

	// A record: its name, its priority where the program reads one, its arrival and burst.
	void record(const process& p, const batch_rules& rules)
	{
		name(p.name, rules.name_tokens);
		if (rules.priorities) {
			number(p.priority);
			space();
		}
		number(p.arrival);
		space();
		number(p.burst);
		end_record();
	}

	// The count in front of the records.
	void head(std::size_t count)
	{
		start();
		number(static_cast<long long>(count));
		end_record();
	}

	// Text after the last record, which nothing reads.
	void end()
	{
		if (any_ && bytes_.ConsumeBool()) {
			const std::size_t size = bytes_.template ConsumeIntegralInRange<std::size_t>(0, 16);
			for (std::size_t i = 0; i < size; i++)
				text_ += bytes_.template ConsumeIntegral<char>();
		}
	}

	std::string& text() { return text_; }

	std::string take() { return std::exchange(text_, {}); }

private:
	static char white(Choices& bytes) { return bytes.PickValueInArray({' ', '\n', '\t', '\r', '\v', '\f'}); }

	void optional_space()
	{
		const std::size_t extra = bytes_.template ConsumeIntegralInRange<std::size_t>(0, 2);
		for (std::size_t i = 0; i < extra; i++)
			text_ += white(bytes_);
	}

	Choices& bytes_;
	bool plain_;
	bool any_;
	std::size_t longest_name_tail_;
	bool varied_space_ = false;
	bool decorated_numbers_ = false;
	std::string text_;
};

} // namespace batch_shapes_detail

template <typename Choices>
batch make_batch(Choices& bytes, const batch_rules& rules)
{
	using namespace batch_shapes_detail;
	batch b;
	const std::size_t n = bytes.template ConsumeIntegralInRange<std::size_t>(0, rules.most_processes);
	const arrival_layout<Choices> arrivals(bytes, n, rules);
	const key_pool<Choices> priorities(bytes, 6, draw_priority<Choices>, rules.long_crowds);
	const key_pool<Choices> bursts(bytes, 6,
	                               rules.long_crowds        ? draw_long_burst<Choices>
	                               : rules.bursts_below_one ? draw_any_burst<Choices>
	                                                        : draw_burst<Choices>,
	                               rules.long_crowds);
	const int name_kind = bytes.ConsumeIntegralInRange(0, 2);
	const bool plain = rules.most_text > 0;
	// The count in front takes at most as many digits as the largest count, and a blank.
	const std::size_t most_records_text = plain ? rules.most_text - std::to_string(n).size() - 1 : 0;

	text_writer<Choices> writer(bytes, plain ? spelling::plain : spelling::any, rules.longest_name_tail);
	for (std::size_t i = 0; i < n; i++) {
		const process p{draw_name(bytes, name_kind), narrow(priorities.value(bytes, i)), arrivals.arrival(bytes, i),
		                narrow(bursts.value(bytes, i))};
		const std::size_t before = writer.text().size();
		writer.record(p, rules);
		if (plain && writer.text().size() > most_records_text) {
			writer.text().resize(before);
			break;
		}
		b.processes.push_back(p);
	}
	const std::string records = writer.take();

	writer.head(b.processes.size());
	const std::string head = writer.take();
	writer.end();
	b.text = head + records + writer.take();
	return b;
}

namespace batch_shapes_detail {

template <typename Choices>
std::int32_t draw_priority(Choices& choices, const family& f)
{
	return f.priorities == 0 ? 0 : choices.ConsumeIntegralInRange(0, f.priorities - 1);
}

} // namespace batch_shapes_detail

// The processes of a family's batch, drawn name, priority, arrival and burst in turn.
template <typename Choices>
std::vector<process> draw_family(Choices& choices, const family& f)
{
	using batch_shapes_detail::draw_priority;
	std::string names(f.names);
	if (f.distinct_names || f.names_in_batch > 0)
		for (std::size_t i = names.size(); i > 1; i--)
			std::swap(names[i - 1], names[choices.template ConsumeIntegralInRange<std::size_t>(0, i - 1)]);
	const int name_count = f.names_in_batch > 0 ? f.names_in_batch : static_cast<int>(names.size());
	std::vector<process> processes(static_cast<std::size_t>(choices.ConsumeIntegralInRange(1, f.most_processes)));
	for (std::size_t i = 0; i < processes.size(); i++) {
		process& p = processes[i];
		p.name = names[f.distinct_names ? i : static_cast<std::size_t>(choices.ConsumeIntegralInRange(0, name_count - 1))];
		p.priority = draw_priority(choices, f);
		p.arrival = choices.ConsumeIntegralInRange(f.earliest_arrival, f.latest_arrival);
		p.burst = choices.ConsumeIntegralInRange(f.shortest_burst, f.longest_burst);
	}
	if (f.late_arrival != 0)
		processes.push_back({'Z', draw_priority(choices, f), f.late_arrival,
		                     choices.ConsumeIntegralInRange(f.shortest_burst, f.longest_burst)});
	return processes;
}

// A batch's whole input, spelled as asked.
template <typename Choices>
std::string batch_text(Choices& choices, const std::vector<process>& processes, const batch_rules& rules, spelling how)
{
	batch_shapes_detail::text_writer<Choices> writer(choices, how, rules.longest_name_tail);
	writer.head(processes.size());
	for (const process& p : processes)
		writer.record(p, rules);
	writer.end();
	return writer.take();
}

// The batch of a differential target, made from all its fuzz bytes and kept for replay
// (SCHED_FUZZ_WRITE_INPUT).
batch fuzzed_batch(const unsigned char* data, std::size_t size, const batch_rules& rules,
                   const std::string& program);

// The processes as a model of a program without priorities takes them: name, arrival, burst.
template <typename Record>
std::vector<Record> timed_records(const std::vector<process>& processes)
{
	std::vector<Record> records;
	for (const process& p : processes)
		records.push_back({p.name, p.arrival, p.burst});
	return records;
}

#endif
