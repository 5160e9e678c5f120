// The page's one way of making its elements and finding them. Content is set as text
// only: a batch, an answer or an address is somebody else's text, never markup.

// An element with its attributes (left out where false, null or undefined) and content
// (strings as text, or nodes).
export function element(tag, attributes = {}, ...content) {
	const node = document.createElement(tag);
	for (const [key, value] of Object.entries(attributes)) {
		if (value !== false && value !== null && value !== undefined) node.setAttribute(key, String(value));
	}
	node.append(...content);
	return node;
}

export const byId = (id) => document.getElementById(id);
