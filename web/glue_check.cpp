// The page's entries of one program, run natively: prints the JSON text that the page
// would get for a batch file (sched_run), for an answer file held against the batch's
// report (sched_judge), or for an exercise with the default options (sched_exercise).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

extern "C" const char* sched_run(const char* batch, std::size_t size);
extern "C" const char* sched_judge(const char* batch, std::size_t batch_size, const char* answer,
                                   std::size_t answer_size);
extern "C" const char* sched_exercise(int with_priority, std::uint32_t seed, std::int32_t n, std::int32_t arrival_lo,
                                      std::int32_t arrival_hi, std::int32_t burst_lo, std::int32_t burst_hi,
                                      std::int32_t priority_lo, std::int32_t priority_hi, int ties);

namespace {

std::optional<std::string> read_file(const char* path)
{
	std::FILE* file = std::fopen(path, "rb");
	if (file == nullptr)
		return std::nullopt;
	std::string text;
	char buffer[4096];
	for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
		text.append(buffer, got);
	const bool read = std::ferror(file) == 0;
	std::fclose(file);
	return read ? std::optional(text) : std::nullopt;
}

int usage()
{
	std::fputs("usage: glue_check BATCH_FILE [ANSWER_FILE] | glue_check --exercise WITH_PRIORITY SEED\n", stderr);
	return 2;
}

} // namespace

int main(int argc, char** argv)
{
	const std::string first = argc > 1 ? argv[1] : "";
	if (first == "--exercise" && argc == 4) {
		const auto seed = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
		return std::fputs(sched_exercise(std::atoi(argv[2]), seed, 5, 0, 8, 1, 6, 1, 5, 0), stdout) < 0 ? 1 : 0;
	}
	if (argc != 2 && argc != 3)
		return usage();
	std::optional<std::string> files[2];
	for (int i = 1; i < argc; i++)
		if (!(files[i - 1] = read_file(argv[i]))) {
			std::fprintf(stderr, "glue_check: cannot read %s\n", argv[i]);
			return 2;
		}
	const std::string& batch = *files[0];
	const char* json = argc == 2 ? sched_run(batch.data(), batch.size())
	                             : sched_judge(batch.data(), batch.size(), files[1]->data(), files[1]->size());
	return std::fputs(json, stdout) < 0 ? 1 : 0;
}
