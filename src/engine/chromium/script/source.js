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
        const now = childrenOf(node);
        return now.length !== before.length || now.some((child, i) => child !== before[i]);
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

    // Lays the host's map over the page as it was loaded, limit nodes a call, so that a large
    // page answers the user between calls. Where the trees disagree, the element is kept only
    // as a whole. 'more' while nodes are left; false when nothing can be kept.
    let laying = null;

    function attach(documentId, data, limit) {
        if (documentId !== lw.documentId || forgotten)
            return false;
        if (map || laying)
            return map ? true : 'more';
        const n = data.n;
        const count = n.length / FIELDS;
        if (count === 0 || (n[KIND] & 15) !== DOCUMENT)
            return false;
        const tagIndex = new Int32Array(count);
        for (let k = 0, t = 0; k < count; ++k) {
            if ((n[k * FIELDS + KIND] & 15) === ELEMENT)
                tagIndex[k] = t++;
        }
        laying = {
            n: n,
            tags: data.t,
            tagIndex: tagIndex,
            stack: [[document, 0]],
            built: {
                n: n,
                index: new WeakMap(),
                parentOf: new Int32Array(count).fill(-1),
                previousOf: new Int32Array(count).fill(-1),
                lastChildOf: new Int32Array(count).fill(-1),
                opaque: new Uint8Array(count),
            },
        };
        return lay(limit);
    }

    function lay(limit) {
        if (!laying)
            return map ? true : false;
        note(observer.takeRecords());
        const { n, tags, tagIndex, stack, built } = laying;
        const matches = (node, k) => {
            const f = k * FIELDS;
            switch (n[f + KIND] & 15) {
            case ELEMENT:
                return node.nodeType === Node.ELEMENT_NODE && node.localName.toLowerCase() === tags[tagIndex[k]] &&
                    attributeCountWhenLoaded(node) === n[f + CHECK];
            case TEXT:
                return node.nodeType === Node.TEXT_NODE && (n[f + CHECK] === -1
                    ? !/[^ \t\n\f\r]/.test(dataWhenLoaded(node)) : dataWhenLoaded(node).length === n[f + CHECK]);
            case COMMENT:
                return node.nodeType === Node.COMMENT_NODE && dataWhenLoaded(node).length === n[f + CHECK];
            default:
                return false;
            }
        };
        for (let done = 0; stack.length > 0 && done < limit; ++done) {
            const [node, k] = stack.pop();
            built.index.set(node, k);
            const f = k * FIELDS;
            const kind = n[f + KIND];
            if ((kind & 15) !== ELEMENT && (kind & 15) !== DOCUMENT)
                continue;
            const children = node.localName === 'template' ? [] : childrenWhenLoaded(node);
            let fits = !(kind & OPAQUE) && children.length === n[f + CHILDREN];
            const at = [];
            for (let i = 0, c = k + 1; fits && i < children.length; ++i, c += n[c * FIELDS + SIZE] + 1) {
                fits = matches(children[i], c);
                at.push(c);
            }
            if (!fits) {
                built.opaque[k] = 1;
                continue;
            }
            for (let i = children.length - 1; i >= 0; --i) {
                built.parentOf[at[i]] = k;
                built.previousOf[at[i]] = i > 0 ? at[i - 1] : -1;
                stack.push([children[i], at[i]]);
            }
            built.lastChildOf[k] = at.length > 0 ? at[at.length - 1] : -1;
        }
        if (stack.length > 0)
            return 'more';
        laying = null;
        if (built.opaque[0])
            return false;
        map = built;
        return true;
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
        const emit = (node) => {
            const k = map.index.get(node);
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
                for (const child of childrenOf(node)) {
                    const c = map.index.get(child);
                    if (c !== undefined && map.parentOf[c] === k) {
                        // What lay between it and its neighbour belongs to no node (a stray
                        // end tag, white space the parser drops); it stays too.
                        const previous = map.previousOf[c];
                        range(previous >= 0 ? n[previous * FIELDS + END] : n[f + CONTENT_START], n[c * FIELDS + START]);
                    }
                    emit(child);
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
        emit(document);
        return out;
    }

    // A document as the engine writes it, without the editor's own elements: two documents
    // that write the same have the same tree but for how text is split into nodes.
    function written(doc) {
        const out = [];
        for (const node of doc.childNodes) {
            if (node.nodeType === Node.COMMENT_NODE) {
                out.push('<!--' + node.data + '-->');
            } else if (node.nodeType === Node.ELEMENT_NODE) {
                out.push(startTagOf(node));
                for (const child of node.childNodes) {
                    if (child.nodeType === Node.ELEMENT_NODE)
                        out.push(isOwnAid(child) ? '' : child.outerHTML);
                    else if (child.nodeType === Node.TEXT_NODE)
                        out.push(escapeText(child));
                    else if (child.nodeType === Node.COMMENT_NODE)
                        out.push('<!--' + child.data + '-->');
                }
            }
        }
        return out.join('');
    }

    lw.source = {
        attach: attach,
        attachMore: lay,
        // Nothing changed since the load: {unchanged: true}; otherwise the parts of the file,
        // or null when the page's bytes cannot be kept.
        // declare(changed, startTags, prefixes) may rewrite start tags for a new charset.
        keep: (declare) => {
            if (forgotten)
                return null;
            const changed = changedNodes();
            if (changed.size === 0 && !declare)
                return { unchanged: true };
            lay(Infinity);
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
            return { parts: parts(changed, startTags, prefixes) };
        },
        // Whether markup parses, as the engine loads a file, to the tree the page shows.
        matches: (html) => written(new DOMParser().parseFromString(html, 'text/html')) === written(document),
        forget: () => {
            forgotten = true;
            map = null;
            laying = null;
        },
    };
})();
