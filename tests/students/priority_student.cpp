// A student's priority scheduler, written plainly from the rules, with the one fault that
// the build chooses (FAULT), for the checker's tests to find.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

enum fault { none, stable_ties, first_tick_by_priority, waiting_from_zero, crlf, trailing_blank, crash, endless_loop, endless_output };

namespace {

struct process {
	char name;
	int priority, arrival, burst, remaining;
};

// The exchange ordering of the rules, or, with the fault, a stable one.
void order(std::vector<process>& p, std::size_t start, std::size_t end, int process::*key)
{
	if (FAULT == stable_ties) {
		for (std::size_t pass = start; pass < end; pass++)
			for (std::size_t j = start; j + 1 < end; j++)
				if (p[j].*key > p[j + 1].*key)
					std::swap(p[j], p[j + 1]);
		return;
	}
	for (std::size_t i = start; i + 1 < end; i++)
		for (std::size_t j = i + 1; j < end; j++)
			if (p[j].*key < p[i].*key)
				std::swap(p[i], p[j]);
}

void report(const process& p, int completion)
{
	const int turnaround = completion - p.arrival;
	const int waiting = (FAULT == waiting_from_zero ? completion : turnaround) - p.burst;
	const char* end = FAULT == crlf ? "\r\n" : FAULT == trailing_blank ? " \n" : "\n";
	std::printf("%c %d %d %d%s", p.name, completion, turnaround, waiting, end);
}

} // namespace

int main()
{
	int count = 0;
	if (std::scanf("%d", &count) != 1 || count <= 0)
		return 0;
	const auto n = static_cast<std::size_t>(count);
	std::vector<process> p(n);
	for (process& q : p) {
		if (std::scanf(" %c%d%d%d", &q.name, &q.priority, &q.arrival, &q.burst) != 4)
			return 0;
		q.remaining = q.burst;
	}
	if (FAULT == crash && n > 1)
		std::abort();
	while (FAULT == endless_loop)
		std::this_thread::sleep_for(std::chrono::milliseconds(10));
	while (FAULT == endless_output)
		std::printf("A 1 1 0\n");
	order(p, 0, n, &process::arrival);
	const int last_arrival = p[n - 1].arrival;
	std::size_t first = 0;
	if (FAULT == first_tick_by_priority)
		for (std::size_t i = 1; i < n && p[i].arrival == p[0].arrival; i++)
			if (p[i].priority < p[first].priority)
				first = i;
	std::swap(p[0], p[first]);
	int clock = p[0].arrival + 1;
	std::size_t finished = 0;
	if (--p[0].remaining == 0)
		report(p[0], clock), finished = 1;
	while (finished < n) {
		order(p, finished, n, &process::arrival);
		std::size_t ready = finished;
		while (ready < n && p[ready].arrival <= clock && p[ready].remaining != 0)
			ready++;
		if (ready == finished) {
			clock++;
			continue;
		}
		if (clock >= last_arrival)
			break;
		order(p, finished, ready, &process::priority);
		clock++;
		if (--p[finished].remaining == 0)
			report(p[finished], clock), finished++;
	}
	order(p, finished, n, &process::priority);
	for (std::size_t s = finished; s < n; s++) {
		clock += p[s].remaining;
		report(p[s], clock);
	}
	return 0;
}
