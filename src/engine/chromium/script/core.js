// The editing side of the engine, shared part. The scripts of this folder run, in the order the
// host lists them, in an isolated world of every page (the page's own scripts never run). This
// one holds what they share: the table of engine command numbers, what the selection looks
// like, the editor's own additions to the page, and the state snapshot the host reads.
(function () {
    'use strict';
    // Own properties only: an element the page names so is reachable as window's property too.
    if (Object.prototype.hasOwnProperty.call(window, '__lwEditorCore'))
        return;
    const lw = {};
    window.__lwEditorCore = lw;

    // Nodes the editor adds for its own use carry this attribute; they never reach a saved
    // file and never make the page dirty. Its name is new with every page, so nothing the page
    // holds can be taken for them.
    lw.AID_ATTRIBUTE = 'data-lw-aid-' + Math.random().toString(36).slice(2, 10);

    lw.SUPPORTED = 1;
    lw.ENABLED = 2;
    lw.LATCHED = 4;
    lw.NINCHED = 8;

    // Engine command numbers and what they mean here. Each entry gives flags() for the
    // snapshot, read() when the command carries a value of the selection (the host answers
    // value reads from the snapshot), and exec(argument) when the page carries it out.
    lw.commands = {};
    lw.define = (number, entry) => {
        lw.commands[number] = entry;
    };

    // The editing options; the host keeps their values and hands them to every page.
    lw.options = { 2393: false, 2394: false, 2398: true, 2399: false, 2400: true, 2404: false, 2405: false };
    // Called when the mode or an option changes, for behaviours that follow them.
    const stateListeners = [];
    lw.onStateChanged = (listener) => stateListeners.push(listener);
    const stateChanged = () => {
        for (const listener of stateListeners)
            listener();
    };

    // Style sheets of the editor's own: adopted by the document, so they are no part of it
    // and never saved.
    const aidSheets = new Map();
    lw.setAidStyle = (name, css) => {
        let sheet = aidSheets.get(name);
        if (!sheet) {
            sheet = new CSSStyleSheet();
            aidSheets.set(name, sheet);
        }
        sheet.replaceSync(css || '');
        if (!document.adoptedStyleSheets.includes(sheet))
            document.adoptedStyleSheets = [...document.adoptedStyleSheets, sheet];
    };

    // Per page: a fresh id tells the host that the snapshots are about another document.
    lw.newDocumentId = () => Date.now().toString(36) + Math.random().toString(36).slice(2);
    lw.documentId = lw.newDocumentId();
    lw.changeCount = 0;
    lw.host = null;

    lw.isEditing = () => document.designMode === 'on';

    lw.isAid = (node) => {
        for (let n = node; n; n = n.parentNode) {
            if (n.nodeType === Node.ELEMENT_NODE && n.hasAttribute(lw.AID_ATTRIBUTE))
                return true;
        }
        return false;
    };

    // An element of the editor's own, kept outside the body so that selecting, finding or
    // saving the body's content never meets it.
    lw.makeAid = (tag, css) => {
        const aid = document.createElement(tag);
        aid.setAttribute(lw.AID_ATTRIBUTE, '');
        aid.style.cssText = css;
        document.documentElement.appendChild(aid);
        return aid;
    };

    // Values that depend only on the page's state are computed once per turn: a snapshot asks
    // many commands the same questions about the selection.
    let generation = 0;
    lw.invalidate = () => {
        ++generation;
    };
    lw.lazy = (compute) => {
        let seen = -1;
        let cached;
        return () => {
            if (seen !== generation) {
                cached = compute();
                seen = generation;
            }
            return cached;
        };
    };

    // The selection's first range when it lies in the body, else null.
    lw.range = lw.lazy(() => {
        const selection = document.getSelection();
        if (!selection || selection.rangeCount === 0 || !document.body)
            return null;
        const range = selection.getRangeAt(0);
        if (!document.body.contains(range.commonAncestorContainer) || lw.isAid(range.commonAncestorContainer))
            return null;
        return range;
    });

    lw.canEdit = () => lw.isEditing() && lw.range() !== null;
    lw.hasSelectedContent = () => lw.range() !== null && !lw.range().collapsed;

    lw.elementOf = (node) => (node && node.nodeType === Node.ELEMENT_NODE ? node : node ? node.parentElement : null);

    // The element the selection holds as a whole, as a click on an image or a control leaves it.
    lw.selectedElement = lw.lazy(() => {
        const range = lw.range();
        if (!range || range.startContainer !== range.endContainer || range.endOffset !== range.startOffset + 1)
            return null;
        const node = range.startContainer.childNodes[range.startOffset];
        return node && node.nodeType === Node.ELEMENT_NODE ? node : null;
    });

    lw.isBlock = (element) => {
        const display = getComputedStyle(element).display;
        return display !== 'contents' && !display.startsWith('inline') && display !== 'none';
    };

    // The nearest block around a node, inside the body; null for text directly in the body.
    lw.blockOf = (node) => {
        for (let e = lw.elementOf(node); e && e !== document.body; e = e.parentElement) {
            if (lw.isBlock(e))
                return e;
        }
        return null;
    };

    // The text nodes a range covers, without white space that only separates markup, at most
    // limit of them: a snapshot must stay cheap however much is selected.
    lw.textNodesInRange = (range, limit) => {
        const nodes = [];
        const visible = (text, start, end) => start < end && /\S/.test(text.data.slice(start, end));
        const root = range.commonAncestorContainer;
        if (root.nodeType === Node.TEXT_NODE) {
            if (visible(root, range.startOffset, range.endOffset))
                nodes.push(root);
            return nodes;
        }
        const walker = document.createTreeWalker(root, NodeFilter.SHOW_TEXT);
        // The first text node at or after a boundary point, found from the tree itself:
        // comparing each node with the range would count siblings again and again.
        const textFrom = (container, offset) => {
            if (container.nodeType === Node.TEXT_NODE)
                return container;
            let node = container.childNodes[offset] || null;
            if (!node) {
                for (let n = container; n && n !== root; n = n.parentNode) {
                    if (n.nextSibling) {
                        node = n.nextSibling;
                        break;
                    }
                }
            }
            if (!node)
                return null;
            if (node.nodeType === Node.TEXT_NODE)
                return node;
            walker.currentNode = node;
            return walker.nextNode();
        };
        const endText = range.endContainer.nodeType === Node.TEXT_NODE ? range.endContainer : null;
        const stop = endText ? null : textFrom(range.endContainer, range.endOffset);
        for (let node = textFrom(range.startContainer, range.startOffset); node && node !== stop && nodes.length < limit;
            node = walker.nextNode()) {
            walker.currentNode = node;
            const start = node === range.startContainer ? range.startOffset : 0;
            const end = node === endText ? range.endOffset : node.data.length;
            if (visible(node, start, end) && !lw.isAid(node))
                nodes.push(node);
            if (node === endText)
                break;
        }
        return nodes;
    };

    // The blocks a range touches, in document order, at most limit of them.
    lw.blocksInRange = (range, limit) => {
        const blocks = [];
        const add = (block) => {
            if (block && blocks[blocks.length - 1] !== block && !blocks.includes(block))
                blocks.push(block);
        };
        add(lw.blockOf(range.startContainer));
        if (!range.collapsed) {
            for (const text of lw.textNodesInRange(range, limit)) {
                add(lw.blockOf(text));
                if (blocks.length >= limit)
                    break;
            }
        }
        return blocks.filter((block) => block !== null);
    };

    lw.saveSelection = () => {
        const range = lw.range();
        return range
            ? { sc: range.startContainer, so: range.startOffset, ec: range.endContainer, eo: range.endOffset }
            : null;
    };

    lw.restoreSelection = (saved) => {
        if (!saved || !saved.sc.isConnected || !saved.ec.isConnected)
            return false;
        try {
            const range = document.createRange();
            range.setStart(saved.sc, saved.so);
            range.setEnd(saved.ec, saved.eo);
            lw.select(range);
            return true;
        } catch (e) {
            return false;
        }
    };

    lw.select = (range) => {
        const selection = document.getSelection();
        selection.removeAllRanges();
        selection.addRange(range);
        lw.invalidate();
    };

    lw.selectNode = (node) => {
        const range = document.createRange();
        range.selectNode(node);
        lw.select(range);
    };

    lw.queryEnabled = (name) => {
        try {
            return lw.canEdit() && document.queryCommandEnabled(name);
        } catch (e) {
            return false;
        }
    };

    lw.queryState = (name) => {
        try {
            return document.queryCommandState(name);
        } catch (e) {
            return false;
        }
    };

    lw.queryValue = (name) => {
        try {
            return document.queryCommandValue(name);
        } catch (e) {
            return '';
        }
    };

    lw.run = (name, argument) => {
        try {
            return document.execCommand(name, false, argument === undefined ? null : argument);
        } catch (e) {
            return false;
        } finally {
            // A command may move the selection or replace the nodes it was in.
            lw.invalidate();
        }
    };

    lw.flag = (condition, bit) => (condition ? bit : 0);

    // Selects the index-th place (from 1) where text occurs in the page, so that what find
    // showed last is what the next command acts on.
    lw.selectMatch = (text, matchCase, index) => {
        if (typeof text !== 'string' || text.length === 0 || !document.body)
            return false;
        const start = document.createRange();
        start.setStart(document.body, 0);
        lw.select(start);
        let found = false;
        for (let i = 0; i < index; ++i) {
            if (i > 0)
                document.getSelection().collapseToEnd();
            found = window.find(text, !!matchCase, false, false);
            if (!found)
                break;
        }
        lw.queueSnapshot();
        return found;
    };

    // Facts the host needs besides flags and values: what its dialogs start from.
    const contextProviders = [];
    lw.addContext = (provider) => contextProviders.push(provider);

    let snapshotQueued = false;
    const snapshotListeners = [];
    // Called after each snapshot, for aids that follow the selection.
    lw.onSnapshot = (listener) => snapshotListeners.push(listener);

    lw.takeSnapshot = () => {
        const started = performance.now();
        lw.invalidate();
        const flags = {};
        const values = {};
        for (const key of Object.keys(lw.commands)) {
            const command = lw.commands[key];
            flags[key] = command.flags();
            if (command.read)
                values[key] = command.read();
        }
        const context = {};
        for (const provider of contextProviders)
            Object.assign(context, provider());
        return {
            documentId: lw.documentId,
            changeCount: lw.changeCount,
            designMode: lw.isEditing(),
            flags: flags,
            values: values,
            options: Object.assign({}, lw.options),
            context: context,
            costMs: performance.now() - started,
        };
    };

    lw.pushSnapshot = () => {
        snapshotQueued = false;
        const snapshot = lw.takeSnapshot();
        for (const listener of snapshotListeners)
            listener();
        if (lw.host)
            lw.host.pushSnapshot(snapshot);
    };

    // Timers never fire in this world, so a burst of changes within one task is coalesced
    // into a single snapshot with a microtask.
    lw.queueSnapshot = () => {
        lw.invalidate();
        if (snapshotQueued)
            return;
        snapshotQueued = true;
        queueMicrotask(lw.pushSnapshot);
    };

    function onlyAids(nodes) {
        for (const node of nodes) {
            if (!lw.isAid(node))
                return false;
        }
        return true;
    }

    function countsAsChange(record) {
        if (record.type !== 'childList')
            return !lw.isAid(record.target);
        if (lw.isAid(record.target))
            return false;
        return !(onlyAids(record.addedNodes) && onlyAids(record.removedNodes));
    }

    const observer = new MutationObserver((records) => {
        if (records.some(countsAsChange)) {
            ++lw.changeCount;
            lw.queueSnapshot();
        }
    });

    lw.observe = () => {
        observer.observe(document, { childList: true, attributes: true, characterData: true, subtree: true });
    };

    // Forgets changes made so far, for a page that starts afresh.
    lw.forgetChanges = () => {
        observer.takeRecords();
        lw.changeCount = 0;
    };

    lw.setDesignMode = (on) => {
        const was = lw.isEditing();
        document.designMode = on ? 'on' : 'off';
        // The aids of the new mode go in before anything lays the page out, so that a large
        // page has its style worked out once for both changes instead of twice.
        if (was !== lw.isEditing())
            stateChanged();
        if (on) {
            lw.run('defaultParagraphSeparator', 'p');
            lw.run('styleWithCSS', false);
            // A page opened for editing has its caret at the top, where typing goes.
            const selection = document.getSelection();
            if (!was && selection && selection.rangeCount === 0 && document.body) {
                selection.collapse(document.body, 0);
                selection.modify('move', 'forward', 'character');
                selection.modify('move', 'backward', 'character');
            }
        }
        lw.queueSnapshot();
        return { was: was, now: lw.isEditing(), documentId: lw.documentId };
    };

    lw.setOptions = (values) => {
        let changed = false;
        for (const key of Object.keys(values)) {
            if (key in lw.options && lw.options[key] !== !!values[key]) {
                lw.options[key] = !!values[key];
                changed = true;
            }
        }
        if (changed)
            stateChanged();
        lw.queueSnapshot();
        return Object.assign({}, lw.options);
    };

    // Runs an engine command. The host hands a held selection back with restore: true when
    // the command was asked for before one of its dialogs took the focus.
    let heldSelection = null;
    lw.holdSelection = () => {
        heldSelection = lw.saveSelection();
        return heldSelection !== null;
    };

    // Puts a held selection back (restore) or lets it go.
    lw.releaseSelection = (restore) => {
        if (restore && heldSelection)
            lw.restoreSelection(heldSelection);
        heldSelection = null;
        lw.invalidate();
    };

    lw.exec = (command, argument, restore) => {
        lw.releaseSelection(restore);
        const entry = lw.commands[command];
        let done = false;
        try {
            done = entry && entry.exec ? entry.exec(argument) === true : false;
        } catch (e) {
            console.error('command ' + command + ' failed: ' + e);
        }
        // Toggling a style on a caret changes no content, yet the latched state moves.
        lw.queueSnapshot();
        return done;
    };
})();
