#include "child.hpp"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/syscall.h>
#endif

namespace sched_check {

namespace {

using clock_type = std::chrono::steady_clock;

constexpr std::size_t most_error_kept = 64 * 1024;

class pipe_pair {
public:
	pipe_pair()
	{
		if (pipe(ends_) != 0)
			ends_[0] = ends_[1] = -1;
	}
	pipe_pair(const pipe_pair&) = delete;
	pipe_pair& operator=(const pipe_pair&) = delete;
	~pipe_pair()
	{
		close_read();
		close_write();
	}

	bool ok() const { return ends_[0] >= 0; }
	int read_end() const { return ends_[0]; }
	int write_end() const { return ends_[1]; }
	void close_read() { close_end(0); }
	void close_write() { close_end(1); }
	// Hands an end over to whoever closes it from now on.
	int take_read() { return std::exchange(ends_[0], -1); }
	int take_write() { return std::exchange(ends_[1], -1); }

private:
	void close_end(int i)
	{
		if (ends_[i] >= 0)
			close(ends_[i]);
		ends_[i] = -1;
	}

	int ends_[2];
};

void set_close_on_exec(int fd)
{
	fcntl(fd, F_SETFD, FD_CLOEXEC);
}

void set_nonblocking(int fd)
{
	fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// In the child, between fork and exec: only calls that are safe there.
[[noreturn]] void become(const std::vector<char*>& argv, const pipe_pair& in, const pipe_pair& out,
                         const pipe_pair& err, const pipe_pair& report, std::size_t memory_bytes)
{
	setpgid(0, 0);
	dup2(in.read_end(), 0);
	dup2(out.write_end(), 1);
	dup2(err.write_end(), 2);
	for (const int fd : {in.read_end(), in.write_end(), out.read_end(), out.write_end(), err.read_end(),
	                     err.write_end()})
		if (fd > 2)
			close(fd);
	signal(SIGPIPE, SIG_DFL);
	if (memory_bytes > 0) {
		const rlimit limit{memory_bytes, memory_bytes};
		setrlimit(RLIMIT_AS, &limit);
	}
	execvp(argv[0], argv.data());
	const int error = errno;
	[[maybe_unused]] const ssize_t written = write(report.write_end(), &error, sizeof error);
	_exit(127);
}

// The child's start: 0, or the errno that kept exec from starting it.
int start_error(pipe_pair& report)
{
	report.close_write();
	int error = 0;
	ssize_t got;
	do
		got = read(report.read_end(), &error, sizeof error);
	while (got < 0 && errno == EINTR);
	return got == sizeof error ? error : 0;
}

// A descriptor that becomes readable when the process ends, where the system has one
// (Linux), so that its end is seen at once: -1 elsewhere, where the end is looked for
// every millisecond once its pipes are closed.
int process_descriptor(pid_t pid)
{
#if defined(__linux__) && defined(SYS_pidfd_open)
	return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
	static_cast<void>(pid);
	return -1;
#endif
}

class child_run {
public:
	child_run(pid_t pid, std::string_view input, const child_limits& limits, int in, int out, int err)
	    : pid_(pid), input_(input), limits_(limits), in_(in), out_(out), err_(err), ended_(process_descriptor(pid)),
	      deadline_(clock_type::now() + std::chrono::duration_cast<clock_type::duration>(
	                                            std::chrono::duration<double>(limits.seconds)))
	{
		set_nonblocking(in_);
		set_nonblocking(out_);
		set_nonblocking(err_);
		if (input_.empty())
			close_input();
	}
	child_run(const child_run&) = delete;
	child_run& operator=(const child_run&) = delete;
	~child_run()
	{
		if (ended_ >= 0)
			close(ended_);
	}

	child_outcome wait(clock_type::time_point started)
	{
		while (!finished())
			step();
		child_outcome result = std::move(outcome_);
		result.seconds = std::chrono::duration<double>(clock_type::now() - started).count();
		return result;
	}

private:
	bool finished()
	{
		if (!reaped_) {
			int status = 0;
			if (waitpid(pid_, &status, WNOHANG) == pid_)
				reap(status);
		}
		if (reaped_ && out_ < 0 && err_ < 0)
			return true;
		const auto now = clock_type::now();
		// Whoever the program left behind still holds its output open: the group goes.
		if (reaped_ && !killed_ && now > reaped_at_ + std::chrono::milliseconds(200))
			kill_group();
		// And whatever left the group is not waited for.
		if (killed_ && now > killed_at_ + std::chrono::seconds(1)) {
			for (int* fd : {&out_, &err_})
				if (*fd >= 0)
					close(std::exchange(*fd, -1));
			return true;
		}
		return false;
	}

	void reap(int status)
	{
		reaped_ = true;
		reaped_at_ = clock_type::now();
		if (killed_)
			return;
		if (WIFSIGNALED(status)) {
			outcome_.how = child_outcome::ending::crashed;
			outcome_.status = static_cast<unsigned long>(WTERMSIG(status));
			outcome_.problem = std::string("killed by signal ") + std::to_string(WTERMSIG(status)) + " (" +
			                   strsignal(WTERMSIG(status)) + ")";
		} else {
			outcome_.status = static_cast<unsigned long>(WEXITSTATUS(status));
		}
	}

	void step()
	{
		pollfd polled[4];
		nfds_t count = 0;
		const int ended = reaped_ ? -1 : ended_;
		for (const auto& [fd, events] :
		     {std::pair{out_, POLLIN}, std::pair{err_, POLLIN}, std::pair{in_, POLLOUT}, std::pair{ended, POLLIN}})
			if (fd >= 0)
				polled[count++] = {fd, static_cast<short>(events), 0};
		const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - clock_type::now());
		const bool sees_the_end = ended >= 0 || reaped_;
		const int wait_ms = static_cast<int>(std::clamp<long long>(left.count(), 0, count == 0 || !sees_the_end ? 1 : 20));
		if (poll(polled, count, wait_ms) < 0 && errno != EINTR)
			kill_group();
		for (nfds_t i = 0; i < count; i++) {
			if (polled[i].revents == 0)
				continue;
			if (polled[i].fd == in_)
				write_input();
			else if (polled[i].fd == out_)
				read_into(out_, outcome_.out, limits_.most_output);
			else if (polled[i].fd == err_)
				read_into(err_, outcome_.err, most_error_kept);
		}
		if (!reaped_ && !killed_ && clock_type::now() >= deadline_) {
			outcome_.how = child_outcome::ending::timed_out;
			kill_group();
		}
	}

	void write_input()
	{
		const ssize_t wrote = write(in_, input_.data() + written_, input_.size() - written_);
		if (wrote > 0)
			written_ += static_cast<std::size_t>(wrote);
		// A program that stops reading, or exits without reading, is none of our concern.
		if (written_ == input_.size() || (wrote < 0 && errno != EAGAIN && errno != EINTR))
			close_input();
	}

	void close_input()
	{
		close(in_);
		in_ = -1;
	}

	void read_into(int& fd, std::string& kept, std::size_t most)
	{
		char block[65536];
		const ssize_t got = read(fd, block, sizeof block);
		if (got < 0 && (errno == EAGAIN || errno == EINTR))
			return;
		if (got <= 0) {
			close(fd);
			fd = -1;
			return;
		}
		const auto size = static_cast<std::size_t>(got);
		if (&fd == &err_) {
			kept.append(block, std::min(size, most - std::min(most, kept.size())));
			return;
		}
		kept.append(block, size);
		if (kept.size() > most && !killed_) {
			outcome_.how = child_outcome::ending::output_limit;
			kill_group();
		}
	}

	void kill_group()
	{
		killed_ = true;
		killed_at_ = clock_type::now();
		kill(-pid_, SIGKILL);
		kill(pid_, SIGKILL);
		if (!reaped_) {
			int status = 0;
			waitpid(pid_, &status, 0);
			reaped_ = true;
			reaped_at_ = clock_type::now();
		}
		// The rest of the output, if any, comes with the ends of the pipes.
		if (in_ >= 0)
			close_input();
	}

	pid_t pid_;
	std::string_view input_;
	child_limits limits_;
	int in_;
	int out_;
	int err_;
	int ended_;
	clock_type::time_point deadline_;
	std::size_t written_ = 0;
	bool reaped_ = false;
	bool killed_ = false;
	clock_type::time_point reaped_at_;
	clock_type::time_point killed_at_;
	child_outcome outcome_;
};

} // namespace

void ignore_broken_pipes()
{
	std::signal(SIGPIPE, SIG_IGN);
}

child_outcome run_child(const std::vector<std::string>& command, std::string_view input, const child_limits& limits)
{
	const auto started = clock_type::now();
	pipe_pair in, out, err, report;
	if (!in.ok() || !out.ok() || !err.ok() || !report.ok())
		return {child_outcome::ending::not_started, 0, "", "", 0, std::string("cannot make a pipe: ") + std::strerror(errno)};
	for (const int fd : {in.write_end(), out.read_end(), err.read_end(), report.read_end(), report.write_end()})
		set_close_on_exec(fd);
	std::vector<char*> argv;
	for (const std::string& word : command)
		argv.push_back(const_cast<char*>(word.c_str()));
	argv.push_back(nullptr);
	const pid_t pid = fork();
	if (pid < 0)
		return {child_outcome::ending::not_started, 0, "", "", 0, std::string("cannot fork: ") + std::strerror(errno)};
	if (pid == 0)
		become(argv, in, out, err, report, limits.memory_bytes);
	setpgid(pid, pid);
	in.close_read();
	out.close_write();
	err.close_write();
	if (const int error = start_error(report); error != 0) {
		int status = 0;
		waitpid(pid, &status, 0);
		return {child_outcome::ending::not_started, 0, "", "", 0, std::string(std::strerror(error))};
	}
	// The pipes' ends now belong to the run, which closes them as it goes.
	return child_run(pid, input, limits, in.take_write(), out.take_read(), err.take_read()).wait(started);
}

} // namespace sched_check
