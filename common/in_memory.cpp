#include "in_memory.hpp"

#include <cstdlib>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

namespace sched {

namespace {

#ifdef _WIN32

// A file of the temporary folder, removed when it is closed. tmpfile() names its files
// from a count of its own process, in the root of the drive, so that two runs at once
// take the same names and one fails.
std::FILE* temporary_file()
{
	char folder[MAX_PATH + 1];
	char name[MAX_PATH + 1];
	std::FILE* file = nullptr;
	if (GetTempPathA(sizeof folder, folder) != 0 && GetTempFileNameA(folder, "sch", 0, name) != 0)
		file = std::fopen(name, "w+bD");
	if (file == nullptr)
		throw std::runtime_error("cannot make a temporary file");
	return file;
}

std::FILE* open_input(std::string& bytes)
{
	std::FILE* file = temporary_file();
	std::fwrite(bytes.data(), 1, bytes.size(), file);
	std::rewind(file);
	return file;
}

// A stream whose text is whole once it is taken.
class output_stream {
public:
	output_stream() : file_(temporary_file()) {}
	output_stream(const output_stream&) = delete;
	output_stream& operator=(const output_stream&) = delete;
	~output_stream() { std::fclose(file_); }

	std::FILE* file() const { return file_; }

	std::string take()
	{
		std::fflush(file_);
		std::string text;
		std::rewind(file_);
		char block[4096];
		for (std::size_t got; (got = std::fread(block, 1, sizeof block, file_)) > 0;)
			text.append(block, got);
		return text;
	}

private:
	std::FILE* file_;
};

#else

// fmemopen reads the bytes in place, from a buffer it may write.
std::FILE* open_input(std::string& bytes)
{
	std::FILE* file = fmemopen(bytes.data(), bytes.size(), "r");
	if (file == nullptr)
		throw std::runtime_error("cannot open a stream over memory");
	return file;
}

// A stream over memory; its text is whole once the stream is closed.
class output_stream {
public:
	output_stream() : file_(open_memstream(&buffer_, &size_))
	{
		if (file_ == nullptr)
			throw std::runtime_error("cannot open a stream over memory");
	}
	output_stream(const output_stream&) = delete;
	output_stream& operator=(const output_stream&) = delete;
	~output_stream()
	{
		if (file_ != nullptr)
			std::fclose(file_);
		std::free(buffer_);
	}

	std::FILE* file() const { return file_; }

	std::string take()
	{
		std::fclose(file_);
		file_ = nullptr;
		return buffer_ != nullptr ? std::string(buffer_, size_) : std::string();
	}

private:
	char* buffer_ = nullptr;
	std::size_t size_ = 0;
	std::FILE* file_;
};

#endif

} // namespace

captured_run run_in_memory(const program_entry& program, std::string_view input)
{
	// One byte at least, so that even an empty input has a buffer to point at.
	std::string bytes(input);
	bytes.reserve(1);
	std::FILE* in = open_input(bytes);
	output_stream out;
	output_stream err;
	const int status = program(in, out.file(), err.file());
	std::fclose(in);
	return {status, out.take(), err.take()};
}

} // namespace sched
