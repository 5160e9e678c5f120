// What the page is showing, in one object that every view reads: the program, the view
// (one program, the four compared, or a sheet), the exercise the batch comes from, and the
// outcome on screen with the batch it belongs to. app.js sets what the address asks for;
// each view keeps only the state of its own controls.

export const state = {
	program: null,
	view: null, // null for one program, 'compare' or 'sheet'
	exercise: null, // {seed, options} while the batch is an exercise's
	sheet: null, // {seed, options, count} of the sheet the address asks for
	outcome: null, // the run on screen: the answer check and Steps read it
	outcomeBatch: null, // the batch that run was of
	runs: 0, // the newest run's number; an older run's outcome is dropped
	drafts: new Map(), // each program's batch as last typed or loaded
	// While an exercise's answer is hidden, nothing on the page may give its figures away.
	answerHidden: false,
};
