// Reads the document of one frame as a flat node list, in document order, for the page model.
// Evaluated in the program's isolated world; the page's own scripts cannot see or change it.
// Result: {url, title, charset, nodes: [{tag, parent, attrs, text, value, checked, selected,
// rendered}]} where tag is the upper-case element name, "#text" or "#comment"; parent is the
// index of the parent node (-1 for the root); attrs lists [name, value] pairs as written in the
// page; value, checked and selected are the controls' current state (not their attributes);
// rendered says whether a control has a visible layout box.
(() => {
  const controls = new Set(['INPUT', 'TEXTAREA', 'SELECT', 'BUTTON']);
  const isRendered = (element) => {
    if (element.getClientRects().length === 0) return false;
    const style = getComputedStyle(element);
    if (style.visibility === 'hidden' || style.visibility === 'collapse') return false;
    const box = element.getBoundingClientRect();
    return box.width > 0 && box.height > 0;
  };
  const describe = (node, parent) => {
    if (node.nodeType === Node.TEXT_NODE) return {tag: '#text', parent, text: node.data};
    if (node.nodeType === Node.COMMENT_NODE) return {tag: '#comment', parent, text: node.data};
    const entry = {tag: node.tagName.toUpperCase(), parent, attrs: []};
    for (const attribute of node.attributes) entry.attrs.push([attribute.name, attribute.value]);
    if (controls.has(entry.tag)) {
      entry.rendered = isRendered(node);
      if (entry.tag === 'SELECT') {
        entry.selected = [];
        for (let i = 0; i < node.options.length; i++) {
          if (node.options[i].selected) entry.selected.push(i);
        }
      } else if (entry.tag === 'INPUT' || entry.tag === 'TEXTAREA') {
        entry.value = node.value;
        if (entry.tag === 'INPUT') entry.checked = node.checked;
      }
    }
    return entry;
  };
  const nodes = [];
  const root = document.documentElement;
  if (root) {
    // Iterative walk: a page decides how deep its elements nest.
    const stack = [[root, -1]];
    while (stack.length > 0) {
      const [node, parent] = stack.pop();
      const type = node.nodeType;
      if (type !== Node.ELEMENT_NODE && type !== Node.TEXT_NODE && type !== Node.COMMENT_NODE) continue;
      const index = nodes.length;
      nodes.push(describe(node, parent));
      if (type !== Node.ELEMENT_NODE) continue;
      // TEMPLATE content is not part of the document; its children are inert.
      const children = node.childNodes;
      for (let i = children.length - 1; i >= 0; i--) stack.push([children[i], index]);
    }
  }
  return {url: location.href, title: document.title, charset: document.characterSet, nodes};
})()
