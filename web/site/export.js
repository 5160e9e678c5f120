// Saving what the page shows: the table as CSV, a chart as SVG or PNG, the account as text.
// Each is made from the page's own elements, in the browser; nothing is sent anywhere.

export function saveBlob(fileName, blob) {
	const link = document.createElement('a');
	link.href = URL.createObjectURL(blob);
	link.download = fileName;
	link.click();
	setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

function csvField(text) {
	return /[",\r\n]/.test(text) || /^\s|\s$/.test(text) ? `"${text.replace(/"/g, '""')}"` : text;
}

// A table's cells, a cell spanning several columns followed by empty ones, as CSV lines
// ending in CR LF.
export function csvOf(table) {
	const lines = [];
	for (const row of table.rows) {
		const cells = [];
		for (const cell of row.cells) {
			cells.push(csvField(cell.textContent));
			for (let i = 1; i < cell.colSpan; i++) cells.push('');
		}
		lines.push(`${cells.join(',')}\r\n`);
	}
	return lines.join('');
}

// The presentation a chart's parts take from the page's style sheet, written onto a copy of
// them, so that the file looks the same wherever it is opened.
const carried = ['fill', 'stroke', 'stroke-width', 'stroke-opacity', 'stroke-dasharray', 'font-size', 'font-family',
	'font-weight', 'text-anchor', 'dominant-baseline', 'visibility', 'opacity'];

export function svgFileOf(svg) {
	const copy = svg.cloneNode(true);
	const originals = [svg, ...svg.querySelectorAll('*')];
	const copies = [copy, ...copy.querySelectorAll('*')];
	originals.forEach((original, index) => {
		const style = getComputedStyle(original);
		for (const property of carried) {
			const value = style.getPropertyValue(property);
			if (value && !copies[index].hasAttribute(property)) copies[index].setAttribute(property, value);
		}
	});
	copy.querySelector('[data-mark="cursor"]')?.remove();
	copy.setAttribute('xmlns', 'http://www.w3.org/2000/svg');
	const background = document.createElementNS('http://www.w3.org/2000/svg', 'rect');
	for (const [key, value] of Object.entries({ width: '100%', height: '100%', fill: '#ffffff' })) background.setAttribute(key, value);
	copy.prepend(background);
	return `<?xml version="1.0" encoding="UTF-8"?>\n${new XMLSerializer().serializeToString(copy)}\n`;
}

// The chart drawn into a PNG at twice its size, for a sharp print.
export function pngOf(svg) {
	const width = Number(svg.getAttribute('width'));
	const height = Number(svg.getAttribute('height'));
	const url = URL.createObjectURL(new Blob([svgFileOf(svg)], { type: 'image/svg+xml' }));
	return new Promise((resolve, reject) => {
		const image = new Image();
		image.onload = () => {
			const canvas = document.createElement('canvas');
			canvas.width = width * 2;
			canvas.height = height * 2;
			const context = canvas.getContext('2d');
			context.scale(2, 2);
			context.drawImage(image, 0, 0, width, height);
			URL.revokeObjectURL(url);
			canvas.toBlob((blob) => (blob ? resolve(blob) : reject(new Error('the chart could not be drawn'))), 'image/png');
		};
		image.onerror = () => {
			URL.revokeObjectURL(url);
			reject(new Error('the chart could not be drawn'));
		};
		image.src = url;
	});
}
