// The page's entry of one program, run natively on a batch file: prints the JSON text
// that the page would get for it.

#include <cstddef>
#include <cstdio>
#include <string>

extern "C" const char* sched_run(const char* batch, std::size_t size);

int main(int argc, char** argv)
{
	std::FILE* file = argc == 2 ? std::fopen(argv[1], "rb") : nullptr;
	if (file == nullptr) {
		std::fputs("usage: glue_check BATCH_FILE\n", stderr);
		return 2;
	}
	std::string batch;
	char buffer[4096];
	for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
		batch.append(buffer, got);
	const bool read = std::ferror(file) == 0;
	std::fclose(file);
	if (!read) {
		std::fprintf(stderr, "glue_check: cannot read %s\n", argv[1]);
		return 2;
	}
	return std::fputs(sched_run(batch.data(), batch.size()), stdout) < 0 ? 1 : 0;
}
