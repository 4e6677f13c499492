// Edit and browse mode, and the editing options that are behaviours of the page: atomic
// selection, auto URL detection and respecting visibility in design. (Multiple selection,
// 2D position, live resize and the edit focus UI belong to the element handling.)
(function () {
    'use strict';
    const lw = window.__lwEditorCore;
    if (!lw || lw.linkTypedAddress)
        return;

    const mode = (editing) => ({
        flags: () => lw.SUPPORTED | lw.ENABLED | lw.flag(lw.isEditing() === editing, lw.LATCHED),
        exec: () => {
            lw.setDesignMode(editing);
            return true;
        },
    });
    lw.define(2127, mode(true));
    lw.define(2126, mode(false));

    // While editing, hidden elements show so they can be edited, unless the page's visibility
    // is to be respected.
    function applyVisibility() {
        const reveal = lw.isEditing() && !lw.options[2405];
        lw.setAidStyle('visibility', reveal ? '* { visibility: visible !important; }' : '');
    }
    lw.onStateChanged(applyVisibility);
    applyVisibility();

    // In browse mode a link to a place in the page scrolls there; the host is asked about
    // every other link, as about any navigation.
    document.addEventListener('click', (event) => {
        if (lw.isEditing())
            return;
        const element = event.target.nodeType === Node.ELEMENT_NODE ? event.target : event.target.parentElement;
        const link = element ? element.closest('a[href^="#"]') : null;
        if (!link || link.getAttribute('href').length < 2)
            return;
        event.preventDefault();
        const name = decodeURIComponent(link.getAttribute('href').slice(1));
        const place = document.getElementById(name) || document.getElementsByName(name)[0];
        if (place)
            place.scrollIntoView();
    }, true);

    // An element marked with ATOMICSELECTION is selected whole or not at all.
    function atomicAround(node) {
        const element = lw.elementOf(node);
        const atomic = element ? element.closest('[atomicselection]') : null;
        return atomic && !/^(false|0)$/i.test(atomic.getAttribute('atomicselection')) && document.body.contains(atomic) ? atomic : null;
    }

    function expandToAtoms() {
        if (!lw.options[2399] || !lw.isEditing() || lw.journal.isBusy())
            return;
        lw.invalidate();
        const range = lw.range();
        if (!range)
            return;
        const start = atomicAround(range.startContainer);
        const end = atomicAround(range.endContainer);
        if (!start && !end)
            return;
        const expanded = range.cloneRange();
        if (start)
            expanded.setStartBefore(start);
        if (end)
            expanded.setEndAfter(end);
        lw.select(expanded);
    }
    document.addEventListener('selectionchange', expandToAtoms);

    const ADDRESS = /(?:\b(?:https?|ftp|file):\/\/|\bmailto:|\bwww\.)[^\s<>"]+$/i;

    function lastTextIn(element) {
        const walker = document.createTreeWalker(element, NodeFilter.SHOW_TEXT);
        let last = null;
        for (let node = walker.nextNode(); node; node = walker.nextNode())
            last = node;
        return last;
    }

    // After a space or a new line typed behind an address, the address becomes a link.
    lw.linkTypedAddress = (event) => {
        lw.invalidate();
        const range = lw.range();
        if (!range || !range.collapsed)
            return false;
        let text = null;
        let end = 0;
        if (event.inputType === 'insertText') {
            text = range.startContainer;
            end = range.startOffset - event.data.length;
        } else {
            const block = lw.blockOf(range.startContainer);
            const previous = block ? block.previousElementSibling : null;
            text = previous ? lastTextIn(previous) : null;
            end = text ? text.data.length : 0;
        }
        if (!text || text.nodeType !== Node.TEXT_NODE || end <= 0 || text.parentElement.closest('a'))
            return false;
        const match = ADDRESS.exec(text.data.slice(0, end));
        if (!match)
            return false;
        const address = match[0].replace(/[.,;:!?)\]'"]+$/, '');
        if (address.length < 5)
            return false;
        const caret = range.cloneRange();
        const word = document.createRange();
        word.setStart(text, match.index);
        word.setEnd(text, match.index + address.length);
        lw.select(word);
        const linked = lw.run('createLink', /^www\./i.test(address) ? 'http://' + address : address);
        lw.select(caret);
        return linked;
    };

    document.addEventListener('input', (event) => {
        if (!lw.options[2400] || !lw.isEditing() || lw.journal.isBusy())
            return;
        const typedSpace = event.inputType === 'insertText' && typeof event.data === 'string' && /^\s$/.test(event.data);
        if (typedSpace || event.inputType === 'insertParagraph' || event.inputType === 'insertLineBreak')
            lw.linkTypedAddress(event);
    });
})();
