// Where the user is, as a path of element positions from the document down: the same path
// finds the same element in the page's markup, so the source view can open at the selection
// and the design view can come back to it.
(function () {
    'use strict';
    const lw = window.__lwEditorCore;
    if (!lw || lw.places)
        return;

    const elementsOf = (node) =>
        Array.from(node.children).filter((child) => !child.hasAttribute(lw.AID_ATTRIBUTE));

    const pathOf = (node) => {
        const path = [];
        let element = node && node.nodeType === Node.ELEMENT_NODE ? node : node && node.parentElement;
        while (element && lw.isAid(element))
            element = element.parentElement;
        for (; element && element.parentNode; element = element.parentElement) {
            const siblings = elementsOf(element.parentNode);
            path.unshift(siblings.indexOf(element));
        }
        return path;
    };

    lw.places = {
        // The host's own click at the page's top left corner, which makes a newly loaded page's
        // input widget take keys, leaves the page's selection as it is. The page sees the press,
        // which it needs to take keys, but not the selection the press would start there:
        // putting the caret back afterwards came too late under load, after commands that the
        // moved caret had misled. The click may arrive after later commands, so it is known by
        // where it lands.
        keepSelectionThroughClick: () => {
            const types = ['mousedown', 'mouseup', 'click'];
            const noSelection = (event) => event.preventDefault();
            const stop = (event) => {
                if (event.clientX > 2 || event.clientY > 2)
                    return;
                if (event.type === 'mousedown') {
                    window.addEventListener('selectstart', noSelection, true);
                    return;
                }
                window.removeEventListener('selectstart', noSelection, true);
                event.preventDefault();
                event.stopImmediatePropagation();
                if (event.type === 'click')
                    done();
            };
            const done = () => {
                types.forEach((type) => window.removeEventListener(type, stop, true));
                window.removeEventListener('selectstart', noSelection, true);
            };
            types.forEach((type) => window.addEventListener(type, stop, true));
            return true;
        },
        // The paths of the selection's start and end.
        selection: () => {
            const selection = document.getSelection();
            if (!selection || selection.rangeCount === 0)
                return { start: [], end: [] };
            const range = selection.getRangeAt(0);
            return { start: pathOf(range.startContainer), end: pathOf(range.endContainer) };
        },
        // Puts the caret at the start of the deepest element the path still reaches, and shows it.
        placeCaret: (path) => {
            let element = document.documentElement;
            if (!element || !Array.isArray(path))
                return false;
            for (const index of path.slice(1)) {
                const next = elementsOf(element)[index];
                if (!next)
                    break;
                element = next;
            }
            if (element === document.documentElement || element === document.head || document.head.contains(element))
                element = document.body || element;
            const range = document.createRange();
            range.selectNodeContents(element);
            range.collapse(true);
            lw.select(range);
            element.scrollIntoView({ block: 'center' });
            lw.queueSnapshot();
            return true;
        },
    };
})();
