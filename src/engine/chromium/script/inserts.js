// Inserting elements: paragraphs, images, lines, marquees, form controls, frames and objects.
// Each one replaces the selection through the engine's own insert command, so it stays on the
// undo stack, and is looked for afterwards: an insert the engine did not carry out in full is
// taken back rather than left half done.
(function () {
    'use strict';
    const lw = window.__lwEditorCore;
    if (!lw || lw.insertElements)
        return;

    const MARKER = 'data-lw-insert';
    // Tokens no page can hold already: an element the page marked so is never taken for one
    // of the inserted ones.
    const TOKEN = Math.random().toString(36).slice(2, 10) + '-';
    let inserts = 0;

    // Puts nodes in place of the selection. The markup is made from elements, never from
    // text, so values given by the user are escaped by the engine's own serialisation. The
    // engine drops some elements from inserted markup (an object it cannot show, at the start
    // of a paragraph); those are put in place by hand, as one undo step with the deletion of
    // the selection.
    function insertElements(nodes) {
        if (!lw.canEdit())
            return false;
        const token = TOKEN + (++inserts);
        const holder = document.createElement('div');
        for (const node of nodes)
            holder.appendChild(node);
        const roots = Array.from(holder.children);
        for (const root of roots)
            root.setAttribute(MARKER, token);
        const before = lw.journal.steps();
        lw.run('insertHTML', holder.innerHTML);
        const steps = lw.journal.steps() - before;
        const placed = Array.from(document.querySelectorAll('[' + MARKER + '="' + token + '"]'));
        for (const element of placed)
            element.removeAttribute(MARKER);
        for (const root of roots)
            root.removeAttribute(MARKER);
        const complete = placed.length === roots.length &&
            placed.every((element, i) => element.tagName === roots[i].tagName && element.getAttribute('type') === roots[i].getAttribute('type'));
        if (complete)
            return true;
        for (const element of placed)
            element.remove();
        for (let i = 0; i < steps; ++i)
            lw.journal.undo();
        return insertByHand(Array.from(holder.childNodes));
    }

    function insertByHand(nodes) {
        lw.journal.group(() => {
            const range = lw.range();
            return range && !range.collapsed ? lw.run('delete') : true;
        }, () => {
            const range = lw.range();
            if (!range)
                return;
            const fragment = document.createDocumentFragment();
            for (const node of nodes)
                fragment.appendChild(node);
            range.insertNode(fragment);
            const after = document.createRange();
            after.setStartAfter(nodes[nodes.length - 1]);
            lw.select(after);
        });
        const complete = nodes.every((node) => node.isConnected);
        if (!complete)
            console.error('the engine did not insert ' + nodes.map((node) => node.nodeName).join(', '));
        return complete;
    }
    lw.insertElements = insertElements;

    function element(tag, attributes, children) {
        const e = document.createElement(tag);
        for (const name of Object.keys(attributes || {})) {
            if (attributes[name] !== undefined && attributes[name] !== null && attributes[name] !== '')
                e.setAttribute(name, String(attributes[name]));
        }
        for (const child of children || [])
            e.appendChild(child);
        return e;
    }

    function input(type) {
        return () => [element('input', { type: type })];
    }

    function image(argument) {
        if (typeof argument === 'string')
            return argument.length > 0 ? [element('img', { src: argument })] : null;
        if (argument && typeof argument.source === 'string' && argument.source.length > 0)
            return [element('img', { src: argument.source, alt: argument.alt })];
        return null;
    }

    function object(argument) {
        if (typeof argument === 'string')
            return argument.length > 0 ? [element('object', { data: argument })] : null;
        if (argument && (argument.data || argument.type))
            return [element('object', { data: argument.data, type: argument.type })];
        return null;
    }

    // A marquee carries what was selected; on a caret it starts with a space to type over.
    function marquee() {
        const range = lw.range();
        const content = range && !range.collapsed ? range.cloneContents() : document.createTextNode('\u00a0');
        return [element('marquee', {}, [content])];
    }

    // An empty field set keeps a line break so that the caret can go into it.
    const fieldSet = () => [element('fieldset', {}, [document.createElement('br')])];

    // Engine command number → the elements it inserts, from the command's argument; null
    // when the argument does not say enough.
    const INSERTS = {
        2168: image,
        2150: () => [element('hr')],
        2182: marquee,
        2167: () => [element('button', { type: 'button' })],
        2163: input('checkbox'),
        2164: input('radio'),
        2161: input('text'),
        2162: () => [element('textarea')],
        2165: () => [element('select')],
        2166: () => [element('select', { size: 3 })],
        2158: () => [element('iframe')],
        2119: fieldSet,
        25: object,
        2115: input('button'),
        2312: input('hidden'),
        2114: input('image'),
        2313: input('password'),
        2116: input('reset'),
        2117: input('submit'),
        2118: input('file'),
    };

    for (const number of Object.keys(INSERTS)) {
        lw.define(Number(number), {
            flags: () => lw.SUPPORTED | lw.flag(lw.canEdit(), lw.ENABLED),
            exec: (argument) => {
                const nodes = INSERTS[number](argument);
                return nodes !== null && insertElements(nodes);
            },
        });
    }

    lw.define(2180, {
        flags: () => lw.SUPPORTED | lw.flag(lw.canEdit(), lw.ENABLED),
        exec: () => lw.run('insertParagraph'),
    });

    lw.addContext(() => {
        const selected = lw.selectedElement();
        const tag = selected ? selected.tagName : '';
        return {
            image: tag === 'IMG' ? { source: selected.getAttribute('src') || '', alt: selected.getAttribute('alt') || '' } : null,
            object: tag === 'OBJECT' ? { data: selected.getAttribute('data') || '', type: selected.getAttribute('type') || '' } : null,
        };
    });
})();
