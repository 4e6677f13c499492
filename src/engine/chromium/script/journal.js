// Undo for changes the engine's own editing commands cannot make (attributes of blocks,
// positions, removing several elements) and for commands made of several engine steps.
//
// The engine keeps one undo stack and offers no way to push onto it, so every change made
// here leaves a mark on it: one character typed into a hidden element of the editor's own.
// The number of marks present tells, after any undo or redo, which of the changes recorded
// here are in force, so they interleave with typing and the engine's commands in the order
// they were made. A change recorded together with the engine steps just before it (a group)
// is undone and redone with them as one step.
(function () {
    'use strict';
    const lw = window.__lwEditorCore;
    if (!lw || lw.journal)
        return;

    // A private-use character: nothing the user searches for or types.
    const MARK = '\ue000';
    const CAPTURE = {
        subtree: true,
        childList: true,
        attributes: true,
        attributeOldValue: true,
        characterData: true,
        characterDataOldValue: true,
    };

    let marks = null;
    // entries[i] holds the change whose mark is the (i + 1)th; applied of them are in force.
    let entries = [];
    let applied = 0;
    // What each undo run here took back beyond the mark itself (engine steps of a group),
    // newest last, so a redo brings the same amount back.
    let redoGroups = [];
    // Engine steps seen; a group counts the ones its commands make.
    let engineSteps = 0;
    let busy = false;

    function markElement() {
        if (!marks || !marks.isConnected) {
            // A page replaced by initNew takes the old element, and with it every mark.
            // Out of sight but laid out and selectable, whatever the page's style sheets say:
            // the engine types only where text can be shown.
            marks = lw.makeAid('lw-journal', 'display:inline !important;visibility:visible !important;' +
                'position:fixed !important;left:-10000px !important;top:0 !important;white-space:pre !important;' +
                'opacity:0 !important;user-select:text !important;');
            marks.textContent = MARK;
            entries = [];
            applied = 0;
            redoGroups = [];
        }
        return marks;
    }

    function level() {
        return marks && marks.isConnected ? Math.max(0, marks.textContent.length - 1) : 0;
    }

    function quietly(fn) {
        const was = busy;
        busy = true;
        try {
            return fn();
        } finally {
            busy = was;
        }
    }

    // The selection wherever it is, as a live range that follows changes to the page.
    function keepSelection() {
        const selection = document.getSelection();
        return selection && selection.rangeCount > 0 ? selection.getRangeAt(0).cloneRange() : null;
    }

    function putSelectionBack(range) {
        const selection = document.getSelection();
        selection.removeAllRanges();
        if (range)
            selection.addRange(range);
        lw.invalidate();
    }

    // An undo of a mark leaves the caret where the mark was; it must never stay there.
    function leaveMarks(saved) {
        if (lw.restoreSelection(saved))
            return;
        const selection = document.getSelection();
        if (selection.rangeCount > 0 && lw.isAid(selection.getRangeAt(0).commonAncestorContainer) && document.body) {
            const range = document.createRange();
            range.setStart(document.body, 0);
            putSelectionBack(range);
        }
    }

    function placeMark() {
        const element = markElement();
        const saved = keepSelection();
        const before = level();
        quietly(() => {
            const range = document.createRange();
            range.selectNodeContents(element);
            range.collapse(false);
            lw.select(range);
            lw.run('insertHTML', MARK);
        });
        putSelectionBack(saved);
        return level() === before + 1;
    }

    // MutationRecords in a form that can be played backwards and forwards again.
    function recordChanges(records) {
        const changes = [];
        const after = new Map();
        for (let i = records.length - 1; i >= 0; --i) {
            const r = records[i];
            if (lw.isAid(r.target))
                continue;
            if (r.type === 'attributes') {
                const key = r.attributeName;
                let values = after.get(r.target);
                if (!values) {
                    values = new Map();
                    after.set(r.target, values);
                }
                const now = values.has(key) ? values.get(key) : r.target.getAttribute(key);
                values.set(key, r.oldValue);
                changes.unshift({ type: 'attribute', target: r.target, name: key, before: r.oldValue, after: now });
            } else if (r.type === 'characterData') {
                const key = '#text';
                let values = after.get(r.target);
                if (!values) {
                    values = new Map();
                    after.set(r.target, values);
                }
                const now = values.has(key) ? values.get(key) : r.target.data;
                values.set(key, r.oldValue);
                changes.unshift({ type: 'text', target: r.target, before: r.oldValue, after: now });
            } else {
                changes.unshift({
                    type: 'children',
                    target: r.target,
                    added: Array.from(r.addedNodes),
                    removed: Array.from(r.removedNodes),
                    next: r.nextSibling,
                });
            }
        }
        return changes;
    }

    function setAttribute(element, name, value) {
        if (value === null)
            element.removeAttribute(name);
        else
            element.setAttribute(name, value);
    }

    function play(change, forward) {
        if (change.type === 'attribute') {
            setAttribute(change.target, change.name, forward ? change.after : change.before);
        } else if (change.type === 'text') {
            change.target.data = forward ? change.after : change.before;
        } else {
            const remove = forward ? change.removed : change.added;
            const insert = forward ? change.added : change.removed;
            for (const node of remove) {
                if (node.parentNode === change.target)
                    change.target.removeChild(node);
            }
            const next = change.next && change.next.parentNode === change.target ? change.next : null;
            for (const node of insert)
                change.target.insertBefore(node, next);
        }
    }

    function revert(entry) {
        for (let i = entry.changes.length - 1; i >= 0; --i)
            play(entry.changes[i], false);
        leaveMarks(entry.selectionBefore);
    }

    function replay(entry) {
        for (const change of entry.changes)
            play(change, true);
        leaveMarks(entry.selectionAfter);
    }

    // Brings the changes recorded here in line with the marks the engine's undo stack left.
    function sync() {
        const target = level();
        quietly(() => {
            while (applied > target) {
                --applied;
                revert(entries[applied]);
            }
            while (applied < target && applied < entries.length) {
                replay(entries[applied]);
                ++applied;
            }
        });
        lw.queueSnapshot();
    }

    function capture(fn) {
        const observer = new MutationObserver(() => {});
        observer.observe(document, CAPTURE);
        try {
            fn();
        } catch (e) {
            console.error('a change failed: ' + e);
        }
        const records = observer.takeRecords();
        observer.disconnect();
        return recordChanges(records);
    }

    function add(entry) {
        markElement();
        sync();
        // Changes undone before this one can never be redone now.
        entries.length = level();
        applied = entries.length;
        entries.push(entry);
        ++applied;
        if (!placeMark()) {
            entries.pop();
            --applied;
            console.error('a change could not be put on the undo stack');
            return false;
        }
        redoGroups = [];
        return true;
    }

    // Runs engine commands (steps), then changes of the page's own (change), as one undo
    // step. Either may be null. Returns what steps returned, or true.
    function group(steps, change) {
        if (!lw.isEditing())
            return false;
        sync();
        const selectionBefore = lw.saveSelection();
        const before = engineSteps;
        const result = steps ? steps() : true;
        const count = engineSteps - before;
        const changes = change ? capture(change) : [];
        if (changes.length === 0 && count <= 1)
            return result;
        add({ changes: changes, steps: count, selectionBefore: selectionBefore, selectionAfter: lw.saveSelection() });
        return result;
    }

    // Records the changes made from now until finish(), across events (a drag), as one step.
    function track() {
        if (!lw.isEditing())
            return null;
        sync();
        const selectionBefore = lw.saveSelection();
        // Records delivered between the events of the gesture are kept for the end.
        const seen = [];
        const observer = new MutationObserver((records) => seen.push(...records));
        observer.observe(document, CAPTURE);
        return {
            finish: () => {
                const changes = recordChanges(seen.concat(observer.takeRecords()));
                observer.disconnect();
                if (changes.length === 0)
                    return false;
                return add({ changes: changes, steps: 0, selectionBefore: selectionBefore, selectionAfter: lw.saveSelection() });
            },
        };
    }

    function undo() {
        if (!document.queryCommandEnabled('undo'))
            return false;
        sync();
        const before = level();
        quietly(() => lw.run('undo'));
        const after = level();
        if (after < before) {
            const entry = entries[after];
            sync();
            quietly(() => {
                for (let i = 0; entry && i < entry.steps; ++i)
                    lw.run('undo');
            });
            redoGroups.push(entry ? entry.steps : 0);
        } else {
            redoGroups.push(0);
        }
        leaveMarks(null);
        lw.queueSnapshot();
        return true;
    }

    function redo() {
        if (!document.queryCommandEnabled('redo'))
            return false;
        const steps = redoGroups.length > 0 ? redoGroups.pop() : 0;
        quietly(() => {
            for (let i = 0; i < steps; ++i)
                lw.run('redo');
            lw.run('redo');
        });
        sync();
        leaveMarks(null);
        return true;
    }

    document.addEventListener('input', (event) => {
        if (busy)
            return;
        if (event.inputType === 'historyUndo' || event.inputType === 'historyRedo') {
            // An undo or redo from outside this script, such as the engine's context menu.
            sync();
            redoGroups = [];
            return;
        }
        ++engineSteps;
        redoGroups = [];
    });

    lw.journal = {
        group: group,
        change: (fn) => group(null, fn),
        track: track,
        undo: undo,
        redo: redo,
        isBusy: () => busy,
        // How many engine steps have been seen; the difference tells what a command made.
        steps: () => engineSteps,
    };

    const undoEnabled = () => lw.isEditing() && document.queryCommandEnabled('undo');
    const redoEnabled = () => lw.isEditing() && document.queryCommandEnabled('redo');
    lw.define(43, { flags: () => lw.SUPPORTED | lw.flag(undoEnabled(), lw.ENABLED), exec: undo });
    lw.define(29, { flags: () => lw.SUPPORTED | lw.flag(redoEnabled(), lw.ENABLED), exec: redo });
})();
