#include "harness.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <stdexcept>
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
		std::ifstream in(path_, std::ios::binary);
		return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
	}

private:
	std::string path_;
};

int spawn_and_wait(const std::string& path, const std::string& in, const std::string& out,
                   const std::string& err)
{
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
	posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_TRUNC, 0);
	posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_TRUNC, 0);

	std::string launcher = SCHED_TEST_LAUNCHER;
	std::string program = path;
	char* direct[] = {program.data(), nullptr};
	char* launched[] = {launcher.data(), program.data(), nullptr};
	char** argv = launcher.empty() ? direct : launched;
	pid_t pid = 0;
	const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv, environ);
	posix_spawn_file_actions_destroy(&actions);
	if (spawned != 0)
		throw std::runtime_error("cannot start " + path);

	int wstatus = 0;
	while (::waitpid(pid, &wstatus, 0) < 0)
		if (errno != EINTR)
			throw std::runtime_error("cannot wait for " + path);
	if (WIFEXITED(wstatus))
		return WEXITSTATUS(wstatus);
	return 128 + WTERMSIG(wstatus);
}

} // namespace

run_result run_program(const std::string& path, const std::string& input)
{
	temp_file in;
	temp_file out;
	temp_file err;
	in.write(input);
	const int status = spawn_and_wait(path, in.path(), out.path(), err.path());
	return {out.read(), err.read(), status};
}

run_result run_program_into(const std::string& path, const std::string& input,
                            const std::string& output_path)
{
	temp_file in;
	temp_file err;
	in.write(input);
	const int status = spawn_and_wait(path, in.path(), output_path, err.path());
	return {"", err.read(), status};
}
