// measure: runs one program with its standard input and output redirected to files and
// prints its wall time in seconds, its peak resident memory in KiB and its CPU time (user
// and system) in seconds.
//
//     measure INPUT OUTPUT PROGRAM [ARGUMENT...]
//
// A small process of its own forks the program, so the peak memory is the program's and
// not that of a large parent (a script interpreter) from which the child was copied.

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double seconds(const timeval& time)
{
	return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
	if (argc < 4) {
		std::fprintf(stderr, "usage: measure INPUT OUTPUT PROGRAM [ARGUMENT...]\n");
		return 2;
	}
	const auto start = std::chrono::steady_clock::now();
	const pid_t pid = fork();
	if (pid < 0) {
		std::perror("measure: fork");
		return 1;
	}
	if (pid == 0) {
		const int in = open(argv[1], O_RDONLY);
		const int out = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
		if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0)
			_exit(126);
		execv(argv[3], argv + 3);
		_exit(127);
	}
	int status = 0;
	rusage usage{};
	if (wait4(pid, &status, 0, &usage) < 0) {
		std::perror("measure: wait4");
		return 1;
	}
	const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
	std::printf("%.6f %ld %.6f\n", wall.count(), usage.ru_maxrss, seconds(usage.ru_utime) + seconds(usage.ru_stime));
	if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
		std::fprintf(stderr, "measure: %s failed (status %d)\n", argv[3], status);
		return 1;
	}
	return 0;
}
