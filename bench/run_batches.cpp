// run_batches: runs a program once on each batch of a folder that sched_check --export
// wrote (FOLDER/NAME/input), its output thrown away: what the runs cost alone, without a
// checker around them.
//
//     run_batches FOLDER PROGRAM

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

int main(int argc, char* argv[])
{
	if (argc != 3) {
		std::fprintf(stderr, "usage: run_batches FOLDER PROGRAM\n");
		return 2;
	}
	std::vector<std::string> inputs;
	for (const auto& entry : std::filesystem::directory_iterator(argv[1]))
		inputs.push_back((entry.path() / "input").string());
	std::sort(inputs.begin(), inputs.end());
	for (const std::string& input : inputs) {
		const pid_t pid = fork();
		if (pid < 0) {
			std::perror("run_batches: fork");
			return 1;
		}
		if (pid == 0) {
			const int in = open(input.c_str(), O_RDONLY);
			const int out = open("/dev/null", O_WRONLY);
			if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0)
				_exit(126);
			execl(argv[2], argv[2], static_cast<char*>(nullptr));
			_exit(127);
		}
		int status = 0;
		if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
			std::fprintf(stderr, "run_batches: %s failed on %s\n", argv[2], input.c_str());
			return 1;
		}
	}
	std::printf("%zu batches\n", inputs.size());
	return 0;
}
