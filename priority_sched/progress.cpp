#include "progress.hpp"

namespace priority_sched {

namespace {

// Work between looks at the clock, in processes ordered: a millisecond or a few, while a
// look costs about as much as ordering a few dozen.
constexpr long long work_between_looks = 1 << 20;
constexpr std::chrono::milliseconds between_shows{250};
constexpr std::chrono::seconds quiet_start{2};

progress_hook* shown_on = nullptr;

} // namespace

void show_progress_on(progress_hook* hook)
{
	shown_on = hook;
}

progress_hook* progress_shown_on()
{
	return shown_on;
}

progress_meter::progress_meter(progress_hook* hook, long long last_arrival, std::int32_t processes)
    : hook_(hook), last_arrival_(last_arrival), processes_(processes), countdown_(work_between_looks),
      next_show_(std::chrono::steady_clock::now() + between_shows)
{
}

progress_meter::~progress_meter()
{
	erase();
}

void progress_meter::erase()
{
	if (shown_)
		hook_->erase();
	shown_ = false;
}

void progress_meter::look(long long clock, std::int32_t finished)
{
	countdown_ = work_between_looks;
	const auto now = std::chrono::steady_clock::now();
	if (now < next_show_)
		return;
	next_show_ = now + between_shows;
	shown_ = true;
	hook_->show({clock, last_arrival_, finished, processes_});
}

console_progress::console_progress(std::FILE* err) : err_(err), start_(std::chrono::steady_clock::now()) {}

// The line is only a courtesy to whoever watches: a failed write of it changes nothing.
void console_progress::show(const progress_point& point)
{
	if (std::chrono::steady_clock::now() - start_ < quiet_start)
		return;
	const int width = std::fprintf(err_, "\rpriority_sched: clock %lld of %lld, %d of %d processes finished",
	                               point.clock, point.last_arrival, point.finished, point.processes);
	// A shorter line than the last leaves the end of that one to clear.
	if (width > 0 && width < width_)
		std::fprintf(err_, "%*s", width_ - width, "");
	if (width > width_)
		width_ = width;
	std::fflush(err_);
}

void console_progress::erase()
{
	if (width_ == 0)
		return;
	std::fprintf(err_, "\r%*s\r", width_, "");
	std::fflush(err_);
	width_ = 0;
}

} // namespace priority_sched
