#ifndef SCHED_COMMON_JSON_READER_HPP
#define SCHED_COMMON_JSON_READER_HPP

// Just enough JSON to read the programs' own documents back, and strict enough to fail
// on a document that is not valid JSON. Strings come back as the bytes they stand
// for: the programs write every byte as the character of the same code, so an escape
// above \u00ff is refused too.

#include <cctype>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace sched::json {

struct value {
	enum class type { null, boolean, number, string, array, object } kind = type::null;
	bool boolean = false;
	std::string text; // a number as written, or a string's bytes
	std::vector<value> items;
	std::map<std::string, value> members;

	const value& operator[](const std::string& key) const
	{
		const auto found = members.find(key);
		if (kind != type::object || found == members.end())
			throw std::runtime_error("no member " + key);
		return found->second;
	}
	const value& operator[](std::size_t i) const { return items.at(i); }
	long long integer() const { return std::stoll(text); }
	bool is_null() const { return kind == type::null; }
};

class reader {
public:
	explicit reader(const std::string& text) : text_(text) {}

	value document()
	{
		value v = read();
		skip_space();
		if (at_ != text_.size())
			fail("text after the document");
		return v;
	}

private:
	[[noreturn]] void fail(const std::string& what) const
	{
		throw std::runtime_error(what + " at byte " + std::to_string(at_));
	}
	void skip_space()
	{
		while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\t' || text_[at_] == '\r'))
			at_++;
	}
	char peek()
	{
		skip_space();
		if (at_ == text_.size())
			fail("end of text");
		return text_[at_];
	}
	void expect(const std::string& word)
	{
		if (text_.compare(at_, word.size(), word) != 0)
			fail("expected " + word);
		at_ += word.size();
	}

	value read()
	{
		value v;
		const char c = peek();
		if (c == '{') {
			v.kind = value::type::object;
			at_++;
			if (peek() == '}')
				return at_++, v;
			do {
				if (peek() != '"')
					fail("expected a key");
				const std::string key = read_string();
				if (peek() != ':')
					fail("expected :");
				at_++;
				v.members[key] = read();
			} while (peek() == ',' && ++at_);
			expect("}");
		} else if (c == '[') {
			v.kind = value::type::array;
			at_++;
			if (peek() == ']')
				return at_++, v;
			do
				v.items.push_back(read());
			while (peek() == ',' && ++at_);
			expect("]");
		} else if (c == '"') {
			v.kind = value::type::string;
			v.text = read_string();
		} else if (c == 't' || c == 'f') {
			v.kind = value::type::boolean;
			v.boolean = c == 't';
			expect(v.boolean ? "true" : "false");
		} else if (c == 'n') {
			expect("null");
		} else {
			v.kind = value::type::number;
			const std::size_t start = at_;
			if (text_[at_] == '-')
				at_++;
			while (at_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[at_])) || text_[at_] == '.'))
				at_++;
			v.text = text_.substr(start, at_ - start);
			if (v.text.empty() || v.text == "-")
				fail("expected a value");
		}
		return v;
	}

	std::string read_string()
	{
		at_++;
		std::string out;
		for (;;) {
			if (at_ >= text_.size())
				fail("unended string");
			const char c = text_[at_++];
			if (c == '"')
				return out;
			if (static_cast<unsigned char>(c) < 0x20)
				fail("raw control character in a string");
			if (c != '\\') {
				out += c;
				continue;
			}
			const char e = text_.at(at_++);
			if (e == 'u') {
				const long code = std::strtol(text_.substr(at_, 4).c_str(), nullptr, 16);
				if (text_.size() < at_ + 4 || code > 0xff)
					fail("escape beyond one byte");
				out += static_cast<char>(code);
				at_ += 4;
			} else if (e == '"' || e == '\\' || e == '/') {
				out += e;
			} else {
				fail("unknown escape");
			}
		}
	}

	const std::string& text_;
	std::size_t at_ = 0;
};

inline value parse(const std::string& text)
{
	return reader(text).document();
}

} // namespace sched::json

#endif
