#include "harness.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <poll.h>
#include <sstream>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// A file in the temporary folder that is removed again when the test is done with it.
class temp_file {
public:
	temp_file()
	{
		const char* dir = std::getenv("TMPDIR");
		path_ = std::string(dir != nullptr ? dir : "/tmp") + "/sched_test_XXXXXX";
		const int fd = ::mkstemp(path_.data());
		if (fd < 0)
			throw std::runtime_error("cannot create a temporary file");
		::close(fd);
	}
	temp_file(const temp_file&) = delete;
	temp_file& operator=(const temp_file&) = delete;
	~temp_file() { std::remove(path_.c_str()); }

	const std::string& path() const { return path_; }

	void write(const std::string& text) const
	{
		std::ofstream(path_, std::ios::binary) << text;
	}

	std::string read() const
	{
		// Through rdbuf() rather than istreambuf_iterator: GCC 12 inlines the iterator into
		// a -Wnull-dereference warning about the stream buffer it cannot see is set.
		std::ifstream in(path_, std::ios::binary);
		std::ostringstream text;
		text << in.rdbuf();
		return std::move(text).str();
	}

private:
	std::string path_;
};

// With SCHED_KEEP_INPUTS set to a folder, every input a test feeds a program is also kept
// there, as DIR/PROGRAM/HASH: the fuzzing campaigns start from the cases the tests know.
void keep_input(const std::string& path, const std::string& input)
{
	const char* dir = std::getenv("SCHED_KEEP_INPUTS");
	if (dir == nullptr || *dir == '\0')
		return;
	const std::string folder = std::string(dir) + "/" + program_name(path);
	std::filesystem::create_directories(folder);
	const std::string file = folder + "/" + std::to_string(std::hash<std::string>{}(input));
	// Tests run in parallel and often share an input: the first to create the file writes it.
	const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
	if (fd < 0)
		return;
	const bool written = ::write(fd, input.data(), input.size()) == static_cast<ssize_t>(input.size());
	::close(fd);
	if (!written)
		std::remove(file.c_str());
}

struct ended {
	int status;
	long peak_memory_kib;
};

ended wait_for(pid_t pid, const std::string& path)
{
	int wstatus = 0;
	struct rusage usage {};
	while (::wait4(pid, &wstatus, 0, &usage) < 0)
		if (errno != EINTR)
			throw std::runtime_error("cannot wait for " + path);
	const int status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
	return {status, usage.ru_maxrss};
}

pid_t spawn(const std::string& path, const posix_spawn_file_actions_t& actions,
            const std::vector<std::string>& arguments = {})
{
	std::vector<std::string> words;
	if (const std::string launcher = SCHED_TEST_LAUNCHER; !launcher.empty())
		words.push_back(launcher);
	words.push_back(path);
	words.insert(words.end(), arguments.begin(), arguments.end());
	std::vector<char*> argv;
	for (std::string& word : words)
		argv.push_back(word.data());
	argv.push_back(nullptr);
	pid_t pid = 0;
	if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
		throw std::runtime_error("cannot start " + path);
	return pid;
}

ended spawn_and_wait(const std::string& path, const std::string& in, const std::string& out,
                     const std::string& err, const std::vector<std::string>& arguments = {})
{
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
	posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_TRUNC, 0);
	posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_TRUNC, 0);
	try {
		const pid_t pid = spawn(path, actions, arguments);
		posix_spawn_file_actions_destroy(&actions);
		return wait_for(pid, path);
	} catch (...) {
		posix_spawn_file_actions_destroy(&actions);
		throw;
	}
}

} // namespace

run_result run_program(const std::string& path, const std::string& input,
                       const std::vector<std::string>& arguments)
{
	keep_input(path, input);
	temp_file in;
	temp_file out;
	temp_file err;
	in.write(input);
	const ended e = spawn_and_wait(path, in.path(), out.path(), err.path(), arguments);
	return {out.read(), err.read(), e.status, e.peak_memory_kib};
}

run_result run_program_reading(const std::string& path, const std::string& input_path)
{
	temp_file out;
	temp_file err;
	const ended e = spawn_and_wait(path, input_path, out.path(), err.path());
	return {out.read(), err.read(), e.status, e.peak_memory_kib};
}

run_result run_program_at_terminal(const std::string& path, const std::string& typed,
                                   const std::vector<std::string>& arguments)
{
	const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
	if (terminal < 0 || ::grantpt(terminal) != 0 || ::unlockpt(terminal) != 0)
		throw std::runtime_error("cannot open a terminal");
	const std::string device = ::ptsname(terminal);
	temp_file out;
	temp_file err;
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_addopen(&actions, 0, device.c_str(), O_RDONLY | O_NOCTTY, 0);
	posix_spawn_file_actions_addopen(&actions, 1, out.path().c_str(), O_WRONLY | O_TRUNC, 0);
	posix_spawn_file_actions_addopen(&actions, 2, err.path().c_str(), O_WRONLY | O_TRUNC, 0);
	const pid_t pid = spawn(path, actions, arguments);
	posix_spawn_file_actions_destroy(&actions);
	const bool written = ::write(terminal, typed.data(), typed.size()) == static_cast<ssize_t>(typed.size());
	const ended e = wait_for(pid, path);
	::close(terminal);
	if (!written)
		throw std::runtime_error("cannot type on the terminal");
	return {out.read(), err.read(), e.status, e.peak_memory_kib};
}

run_result run_program_into(const std::string& path, const std::string& input,
                            const std::string& output_path, const std::vector<std::string>& arguments)
{
	keep_input(path, input);
	temp_file in;
	temp_file err;
	in.write(input);
	const ended e = spawn_and_wait(path, in.path(), output_path, err.path(), arguments);
	return {"", err.read(), e.status, e.peak_memory_kib};
}

piped_program::piped_program(const std::string& path) : path_(path)
{
	// A program that ends early must fail the test through its status, not end the test
	// with a broken pipe.
	::signal(SIGPIPE, SIG_IGN);
	int to_child[2];
	int from_child[2];
	if (::pipe2(to_child, O_CLOEXEC) != 0)
		throw std::runtime_error("cannot make a pipe");
	if (::pipe2(from_child, O_CLOEXEC) != 0) {
		::close(to_child[0]);
		::close(to_child[1]);
		throw std::runtime_error("cannot make a pipe");
	}
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_adddup2(&actions, to_child[0], 0);
	posix_spawn_file_actions_adddup2(&actions, from_child[1], 1);
	try {
		pid_ = spawn(path, actions);
	} catch (...) {
		posix_spawn_file_actions_destroy(&actions);
		for (const int fd : {to_child[0], to_child[1], from_child[0], from_child[1]})
			::close(fd);
		throw;
	}
	posix_spawn_file_actions_destroy(&actions);
	::close(to_child[0]);
	::close(from_child[1]);
	input_ = to_child[1];
	output_ = from_child[0];
}

piped_program::~piped_program()
{
	close_input();
	if (output_ >= 0)
		::close(output_);
	if (pid_ > 0) {
		::kill(pid_, SIGKILL);
		::waitpid(pid_, nullptr, 0);
	}
}

std::string piped_program::read_at_least(std::size_t size, int patience_ms)
{
	std::string text;
	char buffer[4096];
	while (text.size() < size) {
		pollfd ready{output_, POLLIN, 0};
		const int polled = ::poll(&ready, 1, patience_ms);
		if (polled < 0 && errno == EINTR)
			continue;
		if (polled <= 0)
			break;
		const ssize_t got = ::read(output_, buffer, sizeof buffer);
		if (got < 0 && errno == EINTR)
			continue;
		if (got <= 0)
			break;
		text.append(buffer, static_cast<std::size_t>(got));
	}
	return text;
}

std::string piped_program::read_to_end()
{
	return read_at_least(std::string::npos, -1);
}

void piped_program::write(const std::string& text)
{
	std::size_t done = 0;
	while (done < text.size()) {
		const ssize_t put = ::write(input_, text.data() + done, text.size() - done);
		if (put < 0 && errno == EINTR)
			continue;
		if (put <= 0)
			throw std::runtime_error("cannot write to " + path_);
		done += static_cast<std::size_t>(put);
	}
}

void piped_program::close_input()
{
	if (input_ >= 0)
		::close(input_);
	input_ = -1;
}

int piped_program::wait()
{
	const ended e = wait_for(pid_, path_);
	pid_ = -1;
	return e.status;
}
