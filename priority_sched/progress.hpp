#ifndef PRIORITY_SCHED_PROGRESS_HPP
#define PRIORITY_SCHED_PROGRESS_HPP

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace priority_sched {

// How far a run has come: the clock of the stepping phase against the last arrival, where
// that phase ends, and the processes finished so far.
struct progress_point {
	long long clock;
	long long last_arrival;
	std::int32_t finished;
	std::int32_t processes;
};

// Shown how far a long run has come, now and then, and told when the run is over. A
// console rewrites one line of standard error; a page shows it beside its Stop button.
class progress_hook {
public:
	virtual ~progress_hook() = default;
	// At most a few times a second, from the run's own thread.
	virtual void show(const progress_point& point) = 0;
	// Takes the progress away: before a report line is written, which may go to the same
	// terminal, and when the run ends, on every path. Only after a show.
	virtual void erase() {}
};

// Where the runs of this program show their progress: nowhere unless a hook is set, so
// that tests and fuzzers run quietly. The console's `main` sets its own; a page's worker
// sets one that posts the point to the page.
void show_progress_on(progress_hook* hook);
progress_hook* progress_shown_on();

// What the engine holds: cheap enough to be told of every step, it asks the clock only
// after about a million processes ordered and calls the hook only when a quarter of a
// second has passed.
class progress_meter {
public:
	progress_meter(progress_hook* hook, long long last_arrival, std::int32_t processes);
	~progress_meter();
	progress_meter(const progress_meter&) = delete;
	progress_meter& operator=(const progress_meter&) = delete;

	// A step at `clock` that orders `processes` processes.
	void tick(long long clock, std::int32_t finished, std::int32_t processes)
	{
		if (hook_ != nullptr && (countdown_ -= processes + 1) <= 0)
			look(clock, finished);
	}
	// Before a report line; the next look shows the progress again.
	void erase();

private:
	void look(long long clock, std::int32_t finished);

	progress_hook* hook_;
	long long last_arrival_;
	std::int32_t processes_;
	long long countdown_;
	std::chrono::steady_clock::time_point next_show_;
	bool shown_ = false;
};

// The console's progress line: shown once a run has taken two seconds, rewritten in
// place, erased at the end. For standard error when it is a terminal, and only then, so
// that pipes and graders see the same bytes as ever.
class console_progress : public progress_hook {
public:
	explicit console_progress(std::FILE* err);
	void show(const progress_point& point) override;
	void erase() override;

private:
	std::FILE* err_;
	std::chrono::steady_clock::time_point start_;
	int width_ = 0; // of the line on the screen
};

} // namespace priority_sched

#endif
