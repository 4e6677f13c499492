// Keeping the page's own bytes. The host parses the bytes the page was loaded from and hands
// over where each node lies in them; this part lays that map over the page and notes what
// every node was like before its first change, so that a save writes each untouched part as
// the bytes it came from and serialises only what changed.
(function () {
    'use strict';
    const lw = window.__lwEditorCore;
    if (!lw || lw.source)
        return;

    // The host's map: per node, in document order, eight numbers.
    const FIELDS = 8;
    const KIND = 0, CHILDREN = 1, SIZE = 2, START = 3, CONTENT_START = 4, CONTENT_END = 5, END = 6, CHECK = 7;
    const ELEMENT = 1, TEXT = 3, COMMENT = 8, DOCUMENT = 9, OPAQUE = 16;
    const RAW_TEXT = new Set(['script', 'style', 'xmp', 'iframe', 'noembed', 'noframes', 'plaintext']);

    // What changed nodes were like when the page was loaded, recorded at their first change.
    const originalChildren = new WeakMap();
    const originalData = new WeakMap();
    const originalAttributes = new WeakMap();
    const touched = new Set();
    // A page emptied for a new document has nothing left to keep.
    let forgotten = false;
    let map = null;

    const isOwnAid = (node) => node.nodeType === Node.ELEMENT_NODE && node.hasAttribute(lw.AID_ATTRIBUTE);
    const counts = (node) => node.nodeType !== Node.DOCUMENT_TYPE_NODE && !isOwnAid(node);
    const childrenOf = (node) => Array.from(node.childNodes).filter(counts);

    function note(records) {
        // A node's first child-list change is wound back over the later ones of the same
        // batch, which gives its children as they were before.
        const rewound = new Map();
        for (let i = records.length - 1; i >= 0; --i) {
            const r = records[i];
            if (r.type !== 'childList' || originalChildren.has(r.target))
                continue;
            let list = rewound.get(r.target);
            if (!list) {
                list = Array.from(r.target.childNodes);
                rewound.set(r.target, list);
            }
            for (const added of r.addedNodes) {
                const at = list.indexOf(added);
                if (at >= 0)
                    list.splice(at, 1);
            }
            const at = r.previousSibling ? list.indexOf(r.previousSibling) + 1 : 0;
            list.splice(at, 0, ...r.removedNodes);
        }
        for (const [target, list] of rewound)
            originalChildren.set(target, list.filter(counts));
        for (const r of records) {
            if (lw.isAid(r.target))
                continue;
            touched.add(r.target);
            if (r.type === 'characterData') {
                if (!originalData.has(r.target))
                    originalData.set(r.target, r.oldValue);
            } else if (r.type === 'attributes') {
                let attributes = originalAttributes.get(r.target);
                if (!attributes) {
                    attributes = new Map();
                    originalAttributes.set(r.target, attributes);
                }
                if (!attributes.has(r.attributeName))
                    attributes.set(r.attributeName, r.oldValue);
            }
        }
    }

    const observer = new MutationObserver(note);
    observer.observe(document, {
        subtree: true,
        childList: true,
        attributes: true,
        attributeOldValue: true,
        characterData: true,
        characterDataOldValue: true,
    });

    const dataWhenLoaded = (node) => (originalData.has(node) ? originalData.get(node) : node.data);
    const childrenWhenLoaded = (node) => originalChildren.get(node) || childrenOf(node);

    function attributeCountWhenLoaded(element) {
        let count = element.attributes.length;
        for (const [name, value] of originalAttributes.get(element) || []) {
            const now = element.hasAttribute(name);
            if (value === null && now)
                --count;
            else if (value !== null && !now)
                ++count;
        }
        return count;
    }

    function attributesDiffer(node) {
        for (const [name, value] of originalAttributes.get(node) || []) {
            if (node.getAttribute(name) !== value)
                return true;
        }
        return false;
    }

    // Whether a node itself is other than it was loaded (an undo back counts as unchanged).
    function differs(node) {
        if (node.nodeType === Node.TEXT_NODE || node.nodeType === Node.COMMENT_NODE)
            return originalData.has(node) && originalData.get(node) !== node.data;
        if (attributesDiffer(node))
            return true;
        const before = originalChildren.get(node);
        if (!before)
            return false;
        let i = 0;
        for (let child = node.firstChild; child; child = child.nextSibling) {
            if (counts(child) && child !== before[i++])
                return true;
        }
        return i !== before.length;
    }

    // The nodes of the page with a change at or below them.
    function changedNodes() {
        note(observer.takeRecords());
        const changed = new Set();
        for (const node of touched) {
            if (!node.isConnected || !differs(node))
                continue;
            for (let n = node; n && !changed.has(n); n = n.parentNode)
                changed.add(n);
        }
        return changed;
    }

    // The host's numbers, written in base 32 (see PageSource), back as the map; null when
    // the string does not hold count nodes.
    function decode(digits, count) {
        const n = new Int32Array(count * FIELDS);
        let value = 0;
        let j = 0;
        for (let i = 0; i < digits.length && j < n.length; ++i) {
            const c = digits.charCodeAt(i);
            if (c >= 96) {
                value = value * 32 + (c - 96);
                continue;
            }
            value = value * 32 + (c - 48);
            n[j++] = value % 2 ? -(value + 1) / 2 : value / 2;
            value = 0;
        }
        if (j !== n.length)
            return null;
        // Positions back from the differences they were sent as.
        for (let f = 0, start = 0; f < n.length; f += FIELDS) {
            n[f + START] += start;
            n[f + CONTENT_START] += n[f + START];
            n[f + CONTENT_END] += n[f + CONTENT_START];
            n[f + END] += n[f + CONTENT_END];
            start = n[f + START];
        }
        return n;
    }

    // Lays the host's map over the page as it was loaded, one element's children at a time and
    // only where a save needs it (the elements with a change at or below them), so that neither
    // the load nor a save of a large page walks all of it. Where the trees disagree, the
    // element is kept only as a whole.
    function attach(documentId, data, text, sourceId) {
        if (documentId !== lw.documentId || forgotten)
            return false;
        if (map)
            return true;
        const n = decode(data.n, data.c);
        const count = data.c;
        if (!n || count === 0 || (n[KIND] & 15) !== DOCUMENT)
            return false;
        const tagIndex = new Int32Array(count);
        for (let k = 0, t = 0; k < count; ++k) {
            if ((n[k * FIELDS + KIND] & 15) === ELEMENT)
                tagIndex[k] = t++;
        }
        map = {
            n: n,
            tags: data.t,
            tagIndex: tagIndex,
            index: new WeakMap([[document, 0]]),
            parentOf: new Int32Array(count).fill(-1),
            previousOf: new Int32Array(count).fill(-1),
            lastChildOf: new Int32Array(count).fill(-1),
            opaque: new Uint8Array(count),
            laid: new Uint8Array(count),
            text: text,
            sourceId: sourceId,
        };
        return true;
    }

    function matches(node, k) {
        const n = map.n;
        const f = k * FIELDS;
        switch (n[f + KIND] & 15) {
        case ELEMENT:
            return node.nodeType === Node.ELEMENT_NODE && node.localName.toLowerCase() === map.tags[map.tagIndex[k]] &&
                attributeCountWhenLoaded(node) === n[f + CHECK];
        case TEXT:
            return node.nodeType === Node.TEXT_NODE && (n[f + CHECK] === -1
                ? !/[^ \t\n\f\r]/.test(dataWhenLoaded(node)) : dataWhenLoaded(node).length === n[f + CHECK]);
        case COMMENT:
            return node.nodeType === Node.COMMENT_NODE && dataWhenLoaded(node).length === n[f + CHECK];
        default:
            return false;
        }
    }

    // Gives the children the node had when loaded their places in the map, or marks the node
    // opaque.
    function layChildren(node, k) {
        if (map.laid[k])
            return;
        map.laid[k] = 1;
        const n = map.n;
        const f = k * FIELDS;
        const kind = n[f + KIND];
        if ((kind & 15) !== ELEMENT && (kind & 15) !== DOCUMENT)
            return;
        const children = node.localName === 'template' ? [] : childrenWhenLoaded(node);
        let fits = !(kind & OPAQUE) && children.length === n[f + CHILDREN];
        const at = [];
        for (let i = 0, c = k + 1; fits && i < children.length; ++i, c += n[c * FIELDS + SIZE] + 1) {
            fits = matches(children[i], c);
            at.push(c);
        }
        if (!fits) {
            map.opaque[k] = 1;
            return;
        }
        for (let i = 0; i < children.length; ++i) {
            map.index.set(children[i], at[i]);
            map.parentOf[at[i]] = k;
            map.previousOf[at[i]] = i > 0 ? at[i - 1] : -1;
        }
        map.lastChildOf[k] = at.length > 0 ? at[at.length - 1] : -1;
    }

    // A node's place in the map, laying the elements above it as far as they fit.
    function indexOf(node) {
        const k = map.index.get(node);
        if (k !== undefined || !node.parentNode)
            return k;
        const parent = indexOf(node.parentNode);
        if (parent === undefined)
            return undefined;
        layChildren(node.parentNode, parent);
        return map.index.get(node);
    }

    function escapeText(node) {
        const parent = node.parentNode;
        if (parent && parent.nodeType === Node.ELEMENT_NODE && RAW_TEXT.has(parent.localName))
            return node.data;
        return node.data.replace(/[&\u00a0<>]/g, (c) => ({ '&': '&amp;', '\u00a0': '&nbsp;', '<': '&lt;', '>': '&gt;' })[c]);
    }

    function outerMarkup(element) {
        if (!element.querySelector('[' + lw.AID_ATTRIBUTE + ']'))
            return element.outerHTML;
        const copy = element.cloneNode(true);
        for (const aid of copy.querySelectorAll('[' + lw.AID_ATTRIBUTE + ']'))
            aid.remove();
        return copy.outerHTML;
    }

    function startTagOf(element) {
        const markup = element.cloneNode(false).outerHTML;
        const end = '</' + element.localName + '>';
        return markup.endsWith(end) ? markup.slice(0, markup.length - end.length) : markup;
    }

    // The page as parts of a file: [start, end] ranges of the loaded text and new markup.
    // startTags gives elements a start tag of their own; prefixes puts markup before an
    // element's first child.
    function parts(changed, startTags, prefixes) {
        const n = map.n;
        const out = [];
        const range = (start, end) => {
            if (end <= start)
                return;
            const last = out[out.length - 1];
            if (Array.isArray(last) && last[1] === start)
                last[1] = end;
            else
                out.push([start, end]);
        };
        const markup = (text) => {
            if (text)
                out.push(text);
        };
        const emit = (node, k) => {
            const f = k === undefined ? -1 : k * FIELDS;
            if (k !== undefined && !changed.has(node)) {
                range(n[f + START], n[f + END]);
            } else if (node.nodeType === Node.ELEMENT_NODE || node.nodeType === Node.DOCUMENT_NODE) {
                if (k === undefined || map.opaque[k]) {
                    markup(outerMarkup(node));
                    return;
                }
                const startTag = startTags.get(node) || (attributesDiffer(node) ? startTagOf(node) : null);
                if (startTag === null)
                    range(n[f + START], n[f + CONTENT_START]);
                else
                    markup(startTag);
                markup(prefixes.get(node));
                for (let child = node.firstChild; child; child = child.nextSibling) {
                    if (!counts(child))
                        continue;
                    const c = map.index.get(child);
                    if (c !== undefined && map.parentOf[c] === k) {
                        // What lay between it and its neighbour belongs to no node (a stray
                        // end tag, white space the parser drops); it stays too.
                        const previous = map.previousOf[c];
                        range(previous >= 0 ? n[previous * FIELDS + END] : n[f + CONTENT_START], n[c * FIELDS + START]);
                    }
                    emit(child, c);
                }
                const last = map.lastChildOf[k];
                range(last >= 0 ? n[last * FIELDS + END] : n[f + CONTENT_START], n[f + CONTENT_END]);
                range(n[f + CONTENT_END], n[f + END]);
            } else if (node.nodeType === Node.TEXT_NODE) {
                markup(escapeText(node));
            } else if (node.nodeType === Node.COMMENT_NODE) {
                markup('<!--' + node.data + '-->');
            }
        };
        emit(document, 0);
        return out;
    }

    // A node's children as the engine writes them: runs of text joined (their escaping
    // depends only on the parent, which is compared apart), elements and comments; of the
    // page's own nodes, the editor's elements are left out. Two nodes whose children write the
    // same have the same tree but for how text is split into nodes.
    function writtenChildren(node, page) {
        const out = [];
        let text = '';
        for (let child = node.firstChild; child; child = child.nextSibling) {
            const type = child.nodeType;
            if (type === Node.TEXT_NODE) {
                text += child.data;
                continue;
            }
            if (type !== Node.ELEMENT_NODE && type !== Node.COMMENT_NODE || page && isOwnAid(child))
                continue;
            if (text)
                out.push(text);
            text = '';
            out.push(type === Node.ELEMENT_NODE ? child : '<!--' + child.data + '-->');
        }
        if (text)
            out.push(text);
        return out;
    }

    // A changed element as the engine writes it, as a tree: a copy in an inert document (its
    // images are not fetched) without the editor's elements, its text runs joined as a parser
    // makes them.
    function joined(element, inert) {
        const copy = inert.importNode(element, true);
        for (const aid of copy.querySelectorAll('[' + lw.AID_ATTRIBUTE + ']'))
            aid.remove();
        copy.normalize();
        return copy;
    }

    // Whether a parsed node writes as the page's node does. Elements are compared whole by the
    // engine (equal nodes write alike, but for a template's content, which they do not
    // compare): unchanged ones as they are, the first changed one as joined; only where that
    // finds a difference are changed elements compared child by child.
    function writesAs(parsed, node, changed, templates, join) {
        const a = writtenChildren(parsed, false);
        const b = writtenChildren(node, true);
        if (a.length !== b.length)
            return false;
        for (let i = 0; i < a.length; ++i) {
            const x = a[i];
            const y = b[i];
            if (typeof x === 'string' || typeof y === 'string') {
                if (x !== y)
                    return false;
            } else if (!changed.has(y) || y.localName === 'template') {
                if (!(!templates && x.isEqualNode(y)) && x.outerHTML !== outerMarkup(y))
                    return false;
            } else if (!(join && !templates && x.isEqualNode(joined(y, x.ownerDocument)))) {
                if (startTagOf(x) !== startTagOf(y) || !writesAs(x, y, changed, templates, false))
                    return false;
            }
        }
        return true;
    }

    lw.source = {
        attach: attach,
        // Nothing changed since the load: {unchanged: true}; otherwise the parts of the file,
        // or null when the page's bytes cannot be kept.
        // declare(changed, startTags, prefixes) may rewrite start tags for a new charset.
        keep: (declare) => {
            if (forgotten)
                return null;
            const changed = changedNodes();
            if (changed.size === 0 && !declare)
                return { unchanged: true };
            if (!map)
                return null;
            const startTags = new Map();
            const prefixes = new Map();
            if (declare) {
                declare(startTags, prefixes);
                for (const node of [...startTags.keys(), ...prefixes.keys()]) {
                    for (let n = node; n && !changed.has(n); n = n.parentNode)
                        changed.add(n);
                }
            }
            // Every element a save writes around its children is laid first, so that a node an
            // edit moved elsewhere is known wherever it is written.
            for (const node of changed) {
                const k = indexOf(node);
                if (k !== undefined)
                    layChildren(node, k);
            }
            if (map.opaque[0])
                return null;
            return { parts: parts(changed, startTags, prefixes) };
        },
        // Whether the text of the parts (strings, [start, end] ranges of the host's source
        // sourceId) parses, as the engine loads a file, to the tree the page shows; false when
        // the page holds another source or the text is not length long, as the host's is.
        matches: (written, length, sourceId) => {
            if (!map || typeof map.text !== 'string' || map.sourceId !== sourceId)
                return false;
            const pieces = written.map((part) => (typeof part === 'string' ? part : map.text.slice(part[0], part[1])));
            const html = pieces.join('');
            return html.length === length && writesAs(new DOMParser().parseFromString(html, 'text/html'), document,
                changedNodes(), document.getElementsByTagName('template').length > 0, true);
        },
        forget: () => {
            forgotten = true;
            map = null;
        },
    };
})();
