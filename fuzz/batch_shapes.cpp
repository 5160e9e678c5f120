#include "batch_shapes.hpp"

#include "core_run.hpp"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr long long int32_min = std::numeric_limits<std::int32_t>::min();
constexpr long long int32_max = std::numeric_limits<std::int32_t>::max();

std::int32_t narrow(long long value)
{
	return static_cast<std::int32_t>(std::clamp(value, int32_min, int32_max));
}

// A few distinct values of one key, which the processes then share: fewer values than
// processes make the ties that decide the orderings' exchanges. The processes either
// take the values in turn, which costs no fuzz bytes however many processes there are
// and interleaves the ties, or one chosen by the bytes each.
class key_pool {
public:
	key_pool(FuzzedDataProvider& bytes, std::size_t most, long long (*draw)(FuzzedDataProvider&), bool in_turn)
		: values_(bytes.ConsumeIntegralInRange<std::size_t>(1, most)), in_turn_(in_turn || bytes.ConsumeBool())
	{
		for (long long& value : values_)
			value = draw(bytes);
	}

	long long value(FuzzedDataProvider& bytes, std::size_t process) const
	{
		if (in_turn_)
			return values_[process % values_.size()];
		return values_[bytes.ConsumeIntegralInRange<std::size_t>(0, values_.size() - 1)];
	}

	std::vector<long long>& values() { return values_; }

private:
	std::vector<long long> values_;
	bool in_turn_;
};

long long draw_priority(FuzzedDataProvider& bytes)
{
	switch (bytes.ConsumeIntegralInRange(0, 3)) {
	case 0:
		return bytes.ConsumeIntegralInRange(0, 4);
	case 1:
		return bytes.PickValueInArray({int32_min, -1LL, 0LL, int32_max});
	case 2:
		return bytes.ConsumeIntegralInRange(-3, 3);
	default:
		return bytes.ConsumeIntegral<std::int32_t>();
	}
}

// A burst of at least 1: short ones preempt and tie, long ones overload the processor
// and, near 2^31, carry completions past the 32-bit range.
long long draw_burst(FuzzedDataProvider& bytes)
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
		return bytes.ConsumeIntegralInRange<long long>(1, int32_max);
	}
}

// Any burst: a process with none, or less than none, never finishes before the final
// phase, and its time left runs further below zero with every unit it gets.
long long draw_any_burst(FuzzedDataProvider& bytes)
{
	switch (bytes.ConsumeIntegralInRange(0, 3)) {
	case 0:
		return bytes.ConsumeIntegralInRange(-2, 0);
	case 1:
		return bytes.PickValueInArray({int32_min, int32_min + 1, -(1LL << 30)});
	case 2:
		return bytes.ConsumeIntegral<std::int32_t>();
	default:
		return draw_burst(bytes);
	}
}

// A burst long enough to outlast many steps.
long long draw_long_burst(FuzzedDataProvider& bytes)
{
	if (bytes.ConsumeBool())
		return bytes.ConsumeIntegralInRange(100, 100000);
	return bytes.ConsumeIntegralInRange<long long>(100, int32_max);
}

char draw_name(FuzzedDataProvider& bytes, int kind)
{
	switch (kind) {
	case 0:
		return 'A';
	case 1:
		return static_cast<char>('A' + bytes.ConsumeIntegralInRange(0, 25));
	default: {
		// Any character that is not white space names a process, digits and signs too.
		const unsigned char c = bytes.ConsumeIntegral<unsigned char>();
		return c == ' ' || (c >= '\t' && c <= '\r') ? '_' : static_cast<char>(c);
	}
	}
}

// The arrivals: a base that may sit at either end of the 32-bit range, a few offsets
// from it that the processes share, spread over part of the span or all of it, and
// perhaps one far arrival at the end of the span, which keeps the stepping phase going
// long after a crowd near the base has arrived.
class arrival_layout {
public:
	arrival_layout(FuzzedDataProvider& bytes, std::size_t processes, const batch_rules& rules)
		: span_(draw_span(bytes, processes, rules.most_model_work)), base_(draw_base(bytes, span_)),
		  offsets_(bytes, 12, [](FuzzedDataProvider&) { return 0LL; }, rules.long_crowds)
	{
		const long long spread = std::min(span_, bytes.PickValueInArray({6LL, 40LL, 1000LL, span_}));
		std::vector<long long>& offsets = offsets_.values();
		for (std::size_t i = 1; i < offsets.size(); i++)
			offsets[i] = bytes.ConsumeIntegralInRange<long long>(0, spread);
		if (processes > 0 && (rules.long_crowds || bytes.ConsumeBool()))
			far_process_ = bytes.ConsumeIntegralInRange<std::size_t>(0, processes - 1);
	}

	std::int32_t arrival(FuzzedDataProvider& bytes, std::size_t process) const
	{
		if (process == far_process_)
			return narrow(base_ + span_);
		return narrow(base_ + offsets_.value(bytes, process));
	}

private:
	static long long draw_span(FuzzedDataProvider& bytes, std::size_t processes, long long most_model_work)
	{
		long long most_span = int32_max - int32_min;
		if (most_model_work > 0) {
			const auto n = static_cast<long long>(std::max<std::size_t>(processes, 1));
			most_span = most_model_work / (n * n);
		}
		const long long scale = bytes.PickValueInArray({4LL, 40LL, 1000LL, most_span});
		return bytes.ConsumeIntegralInRange<long long>(0, std::min(scale, most_span));
	}

	static long long draw_base(FuzzedDataProvider& bytes, long long span)
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
	key_pool offsets_;
	std::size_t far_process_ = static_cast<std::size_t>(-1);
};

// Writes a batch in any of the ways the readers take it: any white space between items,
// a name glued to the number after it, signs and leading zeros on numbers, a byte order
// mark in front and text after the last record. Plain text is one blank between items
// and a line feed after each record.
class text_writer {
public:
	text_writer(FuzzedDataProvider& bytes, bool plain) : bytes_(bytes), plain_(plain)
	{
		if (!plain_) {
			varied_space_ = bytes_.ConsumeBool();
			decorated_numbers_ = bytes_.ConsumeBool();
		}
	}

	void start()
	{
		if (!plain_ && bytes_.ConsumeBool())
			text_ += "\xEF\xBB\xBF";
		if (varied_space_)
			optional_space();
	}

	void number(long long value)
	{
		if (decorated_numbers_ && bytes_.ConsumeBool()) {
			const std::string zeros(bytes_.ConsumeIntegralInRange<std::size_t>(0, 3), '0');
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
				const std::size_t extra = bytes_.ConsumeIntegralInRange<std::size_t>(0, 3);
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

	// Text after the last record, which nothing reads.
	void end()
	{
		if (!plain_ && bytes_.ConsumeBool())
			text_ += bytes_.ConsumeRandomLengthString(16);
	}

	std::string& text() { return text_; }

	std::string take() { return std::exchange(text_, {}); }

private:
	static char white(FuzzedDataProvider& bytes) { return bytes.PickValueInArray({' ', '\n', '\t', '\r', '\v', '\f'}); }

	void optional_space()
	{
		const std::size_t extra = bytes_.ConsumeIntegralInRange<std::size_t>(0, 2);
		for (std::size_t i = 0; i < extra; i++)
			text_ += white(bytes_);
	}

	FuzzedDataProvider& bytes_;
	bool plain_;
	bool varied_space_ = false;
	bool decorated_numbers_ = false;
	std::string text_;
};

} // namespace

batch make_batch(FuzzedDataProvider& bytes, const batch_rules& rules)
{
	batch b;
	const std::size_t n = bytes.ConsumeIntegralInRange<std::size_t>(0, rules.most_processes);
	const arrival_layout arrivals(bytes, n, rules);
	const key_pool priorities(bytes, 6, draw_priority, rules.long_crowds);
	const key_pool bursts(bytes, 6,
	                      rules.long_crowds        ? draw_long_burst
	                      : rules.bursts_below_one ? draw_any_burst
	                                               : draw_burst,
	                      rules.long_crowds);
	const int name_kind = bytes.ConsumeIntegralInRange(0, 2);
	const bool plain = rules.most_text > 0;
	// The count in front takes at most as many digits as the largest count, and a blank.
	const std::size_t most_records_text = plain ? rules.most_text - std::to_string(n).size() - 1 : 0;

	text_writer writer(bytes, plain);
	for (std::size_t i = 0; i < n; i++) {
		const process p{draw_name(bytes, name_kind), narrow(priorities.value(bytes, i)), arrivals.arrival(bytes, i),
		                narrow(bursts.value(bytes, i))};
		const std::size_t before = writer.text().size();
		writer.name(p.name, rules.name_tokens);
		if (rules.priorities) {
			writer.number(p.priority);
			writer.space();
		}
		writer.number(p.arrival);
		writer.space();
		writer.number(p.burst);
		writer.end_record();
		if (plain && writer.text().size() > most_records_text) {
			writer.text().resize(before);
			break;
		}
		b.processes.push_back(p);
	}
	const std::string records = writer.take();

	writer.start();
	writer.number(static_cast<long long>(b.processes.size()));
	writer.end_record();
	const std::string head = writer.take();
	writer.end();
	b.text = head + records + writer.take();
	return b;
}

batch fuzzed_batch(const unsigned char* data, std::size_t size, const batch_rules& rules,
                   const std::string& program)
{
	FuzzedDataProvider bytes(data, size);
	batch b = make_batch(bytes, rules);
	keep_derived_input(program, b.text);
	return b;
}
