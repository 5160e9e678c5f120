#include "child.hpp"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace sched_check {

namespace {

constexpr std::size_t most_error_kept = 64 * 1024;

class handle {
public:
	handle() = default;
	explicit handle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
	handle(const handle&) = delete;
	handle& operator=(const handle&) = delete;
	handle(handle&& other) noexcept : h_(other.release()) {}
	handle& operator=(handle&& other) noexcept
	{
		reset(other.release());
		return *this;
	}
	~handle() { reset(nullptr); }

	HANDLE get() const { return h_; }
	HANDLE release()
	{
		HANDLE h = h_;
		h_ = nullptr;
		return h;
	}
	void reset(HANDLE h)
	{
		if (h_ != nullptr)
			CloseHandle(h_);
		h_ = h;
	}

private:
	HANDLE h_ = nullptr;
};

// Quotes a word for a command line as the C runtime splits it again: backslashes are
// doubled only where a quote follows them.
std::string quoted(const std::string& word)
{
	if (!word.empty() && word.find_first_of(" \t\n\v\"") == std::string::npos)
		return word;
	std::string out = "\"";
	std::size_t backslashes = 0;
	for (const char c : word) {
		if (c == '\\') {
			backslashes++;
			continue;
		}
		out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
		backslashes = 0;
		out += c;
	}
	out.append(2 * backslashes, '\\');
	return out + "\"";
}

std::string last_error()
{
	char text[512] = "";
	FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0, text,
	               sizeof text, nullptr);
	std::string out = text;
	while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == '.'))
		out.pop_back();
	return out;
}

// What a thread of the run works on: one pipe and the text that goes through it.
struct pipe_work {
	HANDLE pipe;
	std::string text;
	std::string_view input;
	std::size_t most = 0;
	HANDLE job = nullptr;
	volatile LONG* over_the_cap = nullptr;
};

DWORD WINAPI write_input(void* argument)
{
	auto* work = static_cast<pipe_work*>(argument);
	for (std::size_t written = 0; written < work->input.size();) {
		DWORD wrote = 0;
		const auto chunk = static_cast<DWORD>(std::min<std::size_t>(work->input.size() - written, 1 << 16));
		// A program that stops reading, or exits without reading, is none of our concern.
		if (!WriteFile(work->pipe, work->input.data() + written, chunk, &wrote, nullptr))
			break;
		written += wrote;
	}
	CloseHandle(work->pipe);
	return 0;
}

DWORD WINAPI read_output(void* argument)
{
	auto* work = static_cast<pipe_work*>(argument);
	char block[65536];
	DWORD got = 0;
	while (ReadFile(work->pipe, block, sizeof block, &got, nullptr) && got > 0) {
		if (work->over_the_cap == nullptr) {
			work->text.append(block, std::min<std::size_t>(got, work->most - std::min(work->most, work->text.size())));
			continue;
		}
		work->text.append(block, got);
		if (work->text.size() > work->most && InterlockedExchange(work->over_the_cap, 1) == 0)
			TerminateJobObject(work->job, 1);
	}
	return 0;
}

// A pipe whose one end the child inherits.
bool make_pipe(handle& ours, handle& theirs, bool child_reads)
{
	SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
	HANDLE read_end = nullptr;
	HANDLE write_end = nullptr;
	if (!CreatePipe(&read_end, &write_end, &inherit, 0))
		return false;
	ours.reset(child_reads ? write_end : read_end);
	theirs.reset(child_reads ? read_end : write_end);
	SetHandleInformation(ours.get(), HANDLE_FLAG_INHERIT, 0);
	return true;
}

} // namespace

void ignore_broken_pipes() {}

child_outcome run_child(const std::vector<std::string>& command, std::string_view input, const child_limits& limits)
{
	const auto started = std::chrono::steady_clock::now();
	child_outcome outcome;
	handle in, child_in, out, child_out, err, child_err;
	if (!make_pipe(in, child_in, true) || !make_pipe(out, child_out, false) || !make_pipe(err, child_err, false))
		return {child_outcome::ending::not_started, 0, "", "", 0, "cannot make a pipe: " + last_error()};
	// The job ends the program and everything it started, at once, when it is closed.
	handle job(CreateJobObjectA(nullptr, nullptr));
	JOBOBJECT_EXTENDED_LIMIT_INFORMATION job_limits{};
	job_limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
	if (limits.memory_bytes > 0) {
		job_limits.BasicLimitInformation.LimitFlags |= JOB_OBJECT_LIMIT_PROCESS_MEMORY;
		job_limits.ProcessMemoryLimit = limits.memory_bytes;
	}
	SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &job_limits, sizeof job_limits);

	std::string line;
	for (const std::string& word : command) {
		if (!line.empty())
			line += ' ';
		line += quoted(word);
	}
	STARTUPINFOA startup{};
	startup.cb = sizeof startup;
	startup.dwFlags = STARTF_USESTDHANDLES;
	startup.hStdInput = child_in.get();
	startup.hStdOutput = child_out.get();
	startup.hStdError = child_err.get();
	PROCESS_INFORMATION process{};
	if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
	                    &process))
		return {child_outcome::ending::not_started, 0, "", "", 0, last_error()};
	handle process_handle(process.hProcess);
	handle thread_handle(process.hThread);
	AssignProcessToJobObject(job.get(), process.hProcess);
	ResumeThread(process.hThread);
	child_in.reset(nullptr);
	child_out.reset(nullptr);
	child_err.reset(nullptr);

	volatile LONG over_the_cap = 0;
	pipe_work writing{in.release(), "", input};
	pipe_work reading{out.get(), "", {}, limits.most_output, job.get(), &over_the_cap};
	pipe_work reading_errors{err.get(), "", {}, most_error_kept};
	handle threads[] = {handle(CreateThread(nullptr, 0, write_input, &writing, 0, nullptr)),
	                    handle(CreateThread(nullptr, 0, read_output, &reading, 0, nullptr)),
	                    handle(CreateThread(nullptr, 0, read_output, &reading_errors, 0, nullptr))};
	// INFINITE itself is the largest DWORD: a limit is kept below it.
	const auto milliseconds = static_cast<DWORD>(std::min(limits.seconds * 1000, 4e9));
	if (WaitForSingleObject(process.hProcess, milliseconds) == WAIT_TIMEOUT) {
		outcome.how = child_outcome::ending::timed_out;
		TerminateJobObject(job.get(), 1);
		WaitForSingleObject(process.hProcess, INFINITE);
	}
	// Whatever the program started and left running holds the pipes open: it goes too.
	TerminateJobObject(job.get(), 1);
	// A process that left the job may still hold a pipe: its reader is called off.
	for (const handle& t : threads)
		if (WaitForSingleObject(t.get(), 5000) == WAIT_TIMEOUT) {
			CancelSynchronousIo(t.get());
			WaitForSingleObject(t.get(), INFINITE);
		}
	DWORD status = 0;
	GetExitCodeProcess(process.hProcess, &status);
	outcome.out = std::move(reading.text);
	outcome.err = std::move(reading_errors.text);
	outcome.status = status;
	if (over_the_cap != 0) {
		outcome.how = child_outcome::ending::output_limit;
	} else if (outcome.how == child_outcome::ending::exited && status >= 0xC0000000UL) {
		char code[64];
		std::snprintf(code, sizeof code, "ended by exception 0x%08lX", static_cast<unsigned long>(status));
		outcome.how = child_outcome::ending::crashed;
		outcome.problem = code;
	}
	outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
	return outcome;
}

} // namespace sched_check
