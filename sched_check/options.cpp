#include "options.hpp"

#include <charconv>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

namespace sched_check {

namespace {

const char usage[] =
	"usage: sched_check [OPTION...] PROGRAM -- COMMAND [ARGUMENT...]\n"
	"       sched_check [OPTION...] PROGRAM --export DIR\n"
	"       sched_check [OPTION...] PROGRAM --answer FILE < BATCH\n"
	"       sched_check [OPTION...] PROGRAM --list\n"
	"       sched_check --help | --version\n";

const char help[] =
	"\n"
	"Checks a program against the reports of PROGRAM (priority_sched, srtf_sched,\n"
	"fcfs_sched, fcfs_fixed or sum_cases): runs COMMAND once per batch, with the batch\n"
	"on its standard input, and holds what it prints to PROGRAM's report. The first\n"
	"failing batch is made small and explained. Exit status: 0 when every batch\n"
	"passed, 1 when one failed, 2 when the check could not be done.\n"
	"\n"
	"The batches:\n"
	"  --seed N            seed of the random batches (2026)\n"
	"  --count N           number of random batches in all (16)\n"
	"  --exercises         the random batches are the page's exercises SEED to\n"
	"                      SEED+COUNT-1, drawn with --n N (5), --arrival LO~HI (0~8),\n"
	"                      --burst LO~HI (1~6), --priority LO~HI (1~5) and --ties\n"
	"  --batches PATH      a batch file, or a folder of them, in place of the set\n"
	"                      (repeatable)\n"
	"  --only NAME         the one batch of that name\n"
	"  --list              name the batches, and run nothing\n"
	"\n"
	"The verdicts:\n"
	"  --compare exact|lines  whether spacing and line ends count (exact)\n"
	"  --exit-status any|zero whether only a status of 0 is a normal end (any)\n"
	"  --timeout SECONDS   time limit of each run (5)\n"
	"  --memory MIB        memory limit of each run\n"
	"  --hide-expected     say nothing of the expected reports, for hidden tests\n"
	"\n"
	"The results:\n"
	"  --format text|json|gradescope|prairielearn|junit|tap  (text)\n"
	"  --output FILE       write them there\n"
	"  --points N          N points spread over the batches (one a batch)\n"
	"  --visibility WORD   Gradescope's visibility of each test (visible)\n"
	"\n"
	"  --export DIR        write each batch and its report as DIR/NAME/input and\n"
	"                      DIR/NAME/output, and run nothing\n"
	"  --answer FILE       check the report in FILE, written by hand, against the\n"
	"                      report of the batch on standard input\n"
	"\n"
	"Example:\n"
	"  sched_check priority_sched -- ./my_priority\n"
	"\n"
	"sched_check is not a sandbox: run it inside the grader's own container.\n"
	"The manual page: man sched_check.\n";

struct line_error {
	std::string message;
};

template <typename Number>
Number number_of(const std::string& option, std::string_view text, Number least, Number most)
{
	Number value{};
	const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
	if (error != std::errc() || end != text.data() + text.size() || value < least || value > most)
		throw line_error{option + " wants a whole number from " + std::to_string(least) + " to " +
		                 std::to_string(most)};
	return value;
}

double positive_number_of(const std::string& option, const std::string& text)
{
	char* end = nullptr;
	const double value = std::strtod(text.c_str(), &end);
	if (text.empty() || *end != '\0' || !(value > 0) || value > 1e6)
		throw line_error{option + " wants a number above 0 and at most 1000000"};
	return value;
}

sched::value_range range_of(const std::string& option, std::string_view text)
{
	const std::size_t tilde = text.find('~', 1);
	if (tilde == std::string_view::npos)
		throw line_error{option + " wants a range LO~HI"};
	return {number_of<std::int32_t>(option, text.substr(0, tilde), INT32_MIN, INT32_MAX),
	        number_of<std::int32_t>(option, text.substr(tilde + 1), INT32_MIN, INT32_MAX)};
}

template <typename Value>
Value one_of(const std::string& option, const std::string& text,
             std::initializer_list<std::pair<const char*, Value>> words)
{
	std::string known;
	for (const auto& [word, value] : words) {
		if (text == word)
			return value;
		known += (known.empty() ? "" : ", ") + std::string(word);
	}
	throw line_error{option + " wants one of " + known};
}

class line_reader {
public:
	line_reader(int argc, char** argv) : words_(argv + 1, argv + argc) {}

	bool done() const { return at_ == words_.size(); }
	std::string next() { return words_[at_++]; }
	// The value of `option`: glued on with "=", or the next word.
	std::string value(const std::string& option, std::optional<std::string>& glued)
	{
		if (glued)
			return *std::exchange(glued, std::nullopt);
		if (done())
			throw line_error{option + " wants a value"};
		return next();
	}
	std::vector<std::string> rest()
	{
		const auto from = words_.begin() + static_cast<std::ptrdiff_t>(std::exchange(at_, words_.size()));
		return {from, words_.end()};
	}

private:
	std::vector<std::string> words_;
	std::size_t at_ = 0;
};

bool is_exercise_option(const std::string& option)
{
	return option == "--n" || option == "--arrival" || option == "--burst" || option == "--priority" ||
	       option == "--ties";
}

void read_option(const std::string& word, line_reader& line, options& o)
{
	std::string option = word;
	std::optional<std::string> glued;
	if (const std::size_t equals = word.find('='); equals != std::string::npos) {
		option = word.substr(0, equals);
		glued = word.substr(equals + 1);
	}
	auto value = [&] { return line.value(option, glued); };
	o.exercise_options_given = o.exercise_options_given || is_exercise_option(option);
	if (option == "--seed")
		o.seed = number_of<std::uint32_t>(option, value(), 0, UINT32_MAX);
	else if (option == "--count")
		o.count = number_of<std::int32_t>(option, value(), 0, 100000);
	else if (option == "--exercises")
		o.exercises = true;
	else if (option == "--n")
		o.exercise.n = number_of<std::int32_t>(option, value(), INT32_MIN, INT32_MAX);
	else if (option == "--arrival")
		o.exercise.arrival = range_of(option, value());
	else if (option == "--burst")
		o.exercise.burst = range_of(option, value());
	else if (option == "--priority")
		o.exercise.priority = range_of(option, value());
	else if (option == "--ties")
		o.exercise.ties = true;
	else if (option == "--batches")
		o.batch_paths.push_back(value());
	else if (option == "--only")
		o.only = value();
	else if (option == "--list")
		o.list = true;
	else if (option == "--compare")
		o.compare = one_of(option, value(), {std::pair{"exact", sched::compare_mode::exact}, {"lines", sched::compare_mode::lines}});
	else if (option == "--exit-status")
		o.zero_status_only = one_of(option, value(), {std::pair{"any", false}, {"zero", true}});
	else if (option == "--timeout")
		o.timeout = positive_number_of(option, value());
	else if (option == "--memory")
		o.memory_bytes = number_of<std::size_t>(option, value(), 1, 1 << 20) << 20;
	else if (option == "--hide-expected")
		o.hide_expected = true;
	else if (option == "--format")
		o.format = one_of(option, value(),
		                  {std::pair{"text", results_format::text}, {"json", results_format::json},
		                   {"gradescope", results_format::gradescope}, {"prairielearn", results_format::prairielearn},
		                   {"junit", results_format::junit}, {"tap", results_format::tap}});
	else if (option == "--output")
		o.output = value();
	else if (option == "--points")
		o.points = positive_number_of(option, value());
	else if (option == "--visibility")
		o.visibility = one_of(option, value(),
		                      {std::pair{"visible", std::string("visible")}, {"hidden", std::string("hidden")},
		                       {"after_due_date", std::string("after_due_date")},
		                       {"after_published", std::string("after_published")}});
	else if (option == "--export")
		o.export_to = value();
	else if (option == "--answer")
		o.answer_file = value();
	else
		throw line_error{"unknown option " + option};
	if (glued)
		throw line_error{option + " takes no value"};
}

void check_line(const options& o)
{
	if (o.checked == nullptr)
		throw line_error{"name the program to check against: " + program_names()};
	const int tasks = (o.command.empty() ? 0 : 1) + (o.export_to ? 1 : 0) + (o.answer_file ? 1 : 0) + (o.list ? 1 : 0);
	if (tasks == 0)
		throw line_error{"give the program under test after --, or --export, --answer or --list"};
	if (tasks > 1)
		throw line_error{"-- COMMAND, --export, --answer and --list exclude each other"};
	if (o.exercises && o.checked->kind == sched::batch_kind::cases)
		throw line_error{"--exercises makes batches for the schedulers alone"};
	if (const std::string problem = sched::exercise_options_problem(o.exercise); o.exercises && !problem.empty())
		throw line_error{problem};
	if (!o.exercises && o.exercise_options_given)
		throw line_error{"--n, --arrival, --burst, --priority and --ties go with --exercises"};
}

} // namespace

std::optional<int> read_options(int argc, char** argv, options& o)
{
	line_reader line(argc, argv);
	try {
		while (!line.done()) {
			const std::string word = line.next();
			if (word == "--help" || word == "--version") {
				const int written = word == "--help" ? std::printf("%s%s", usage, help)
				                                     : std::printf("sched_check %s\n", SCHED_VERSION);
				return written < 0 || std::fflush(stdout) != 0 ? 2 : 0;
			}
			if (word == "--") {
				o.command = line.rest();
				if (o.command.empty())
					throw line_error{"-- wants the command of the program under test"};
			} else if (word.starts_with("--")) {
				read_option(word, line, o);
			} else if (o.checked != nullptr) {
				throw line_error{"one program at a time, and the command after --: " + word};
			} else if ((o.checked = find_program(word)) == nullptr) {
				throw line_error{word + " is none of the programs: " + program_names()};
			}
		}
		check_line(o);
	} catch (const line_error& e) {
		std::fprintf(stderr, "sched_check: %s\n%s", e.message.c_str(), usage);
		return 2;
	}
	return std::nullopt;
}

} // namespace sched_check
