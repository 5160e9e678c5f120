// What the page tells about each program, and how it reads the program's report lines.
// Everything else (the report itself, the messages, the schedule) comes from the program.

// Both FCFS programs run bursts of 0 or less through their sums unchanged.
const backToBackBursts =
	'The program accepts them as they are: a burst of 0 takes no time and draws no segment, and a ' +
	'negative one moves the clock back, so the next process starts before the one before it ended and ' +
	'their segments overlap.';

// `report` names a report line's numbers in the order the program prints them; turnaround
// minus waiting is the burst in every program, and where the report gives no arrival, the
// preemptive programs' completion minus turnaround is it. `nonPositiveBursts` says what
// the chart shows for a batch with bursts of 0 or less, where the program accepts them.
export const programs = {
	priority_sched: {
		title: 'Preemptive priority',
		summary:
			'The earliest arrival runs one first unit (the first tick), whatever the priorities. ' +
			'Then, one unit at a time, the most urgent arrived process runs (a smaller number is more urgent), ' +
			'until the clock reaches the last arrival: from there the unfinished processes run to their end ' +
			'in priority order (the final phase).',
		record: 'count, then per process: name priority arrival burst',
		report: ['completion', 'turnaround', 'waiting'],
		phases: true,
	},
	srtf_sched: {
		title: 'Preemptive shortest remaining time',
		summary:
			'The earliest arrival runs the first tick, whatever the bursts. Then each unit goes to the arrived ' +
			'process with the least time left (ties to the earliest arrival, then to the first in the input) ' +
			'until the clock reaches the last arrival: from there the rest run to their end, shortest first.',
		record: 'count, then per process: name arrival burst',
		report: ['arrival', 'burst', 'completion', 'turnaround', 'waiting'],
		phases: true,
		nonPositiveBursts:
			'srtf_sched accepts them, though they are no time a processor can spend: such a process runs while ' +
			'it has the least time left, its time left falling below zero, and in the final phase it finishes at ' +
			'the clock plus that negative time left, which moves the clock back. The chart draws the segments the ' +
			'program recorded that have a length; the report\'s completion (the dark tick) of such a process need ' +
			'not end one of them, and later segments can overlap earlier ones.',
	},
	fcfs_sched: {
		title: 'First come, first served',
		summary:
			'The processes are ordered by arrival and run back to back from time 0, each to its end. ' +
			'An arrival decides only the order: a process that arrives late still starts when the previous one ends. ' +
			'A name is a whole word; its first character names the process.',
		record: 'count, then per process: name arrival burst',
		report: ['completion', 'turnaround', 'waiting'],
		fromTimeZero: true,
		nonPositiveBursts: backToBackBursts,
	},
	fcfs_fixed: {
		title: 'First come, first served, at most 100 processes',
		summary:
			'The same policy as fcfs_sched from a table of 100 slots: a name is exactly one character, and equal ' +
			'arrivals come out in the order of a selection exchange.',
		record: 'count (at most 100), then per process: name arrival burst',
		report: ['completion', 'turnaround', 'waiting'],
		fromTimeZero: true,
		nonPositiveBursts: backToBackBursts,
	},
	sum_cases: {
		title: 'Test-case adder',
		summary:
			'Prompts for a number of test cases, 1 to 10, then adds two whole numbers per case. ' +
			'A count outside 1 to 10 ends the program after the prompt.',
		record: 'count, then per case: two whole numbers',
		cases: true,
	},
};

export const programNames = Object.keys(programs);

// One report line as numbers, with the burst and, where known, the arrival.
export function readReportLine(program, fields) {
	const row = {};
	programs[program].report.forEach((field, index) => {
		row[field] = fields[index];
	});
	if (row.burst === undefined)
		row.burst = row.turnaround - row.waiting;
	if (row.arrival === undefined && !programs[program].fromTimeZero)
		row.arrival = row.completion - row.turnaround;
	return row;
}
