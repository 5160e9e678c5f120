// The page's address fragment: the program, then after "?" its parameters, as in
//   #priority_sched?batch=3%0AA+1+0+2%0A...        a batch
//   #srtf_sched?seed=42&n=6&ties=1                 an exercise
//   #priority_sched?view=compare&batch=...         the four schedulers on one batch
//   #fcfs_sched?view=sheet&count=8&seed=7          a printed sheet of exercises
// Everything in it is text somebody else wrote: the page reads it as data only.

// Longer addresses are refused for a link: some mail and chat programs cut them.
export const mostAddressLength = 8000;

export function readAddress(hash) {
	const text = hash.startsWith('#') ? hash.slice(1) : hash;
	const mark = text.indexOf('?');
	const program = mark < 0 ? text : text.slice(0, mark);
	const params = new URLSearchParams(mark < 0 ? '' : text.slice(mark + 1));
	return { program: safeDecode(program), params };
}

export function fragmentOf(program, params) {
	const query = params.toString();
	return `#${program}${query ? `?${query}` : ''}`;
}

// The whole address of a link to `program` with `params`, or {error} when it is too long.
export function linkTo(program, params) {
	const url = new URL(location.href);
	url.hash = fragmentOf(program, params);
	const href = url.href;
	if (href.length > mostAddressLength) {
		return {
			error: `This batch is too long for a link: the address would have ${href.length.toLocaleString('en')} characters, ` +
				`and a link holds at most ${mostAddressLength.toLocaleString('en')}. Save the batch as a file instead.`,
		};
	}
	return { href };
}

function safeDecode(text) {
	try {
		return decodeURIComponent(text);
	} catch {
		return text;
	}
}
