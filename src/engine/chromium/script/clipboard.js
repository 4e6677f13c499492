// Clipboard, delete and select all. The host reads the clipboard for the two pastes that
// change what is pasted and hands over its text or markup.
(function () {
    'use strict';
    const lw = window.__lwEditorCore;
    if (!lw || lw.cleanPastedMarkup)
        return;

    // What a paste of content only keeps: links, images, lists and tables with the attributes
    // that carry content. Other elements give up their text; blocks become plain paragraphs.
    const KEEP = {
        A: ['href', 'title'],
        IMG: ['src', 'alt', 'width', 'height', 'title'],
        UL: [], OL: [], LI: [], DL: [], DT: [], DD: [],
        TABLE: [], CAPTION: [], THEAD: [], TBODY: [], TFOOT: [], TR: [],
        TD: ['colspan', 'rowspan'], TH: ['colspan', 'rowspan'],
        BR: [], P: [],
    };
    const DROP = new Set(['SCRIPT', 'STYLE', 'TEMPLATE', 'HEAD', 'TITLE', 'META', 'LINK', 'NOSCRIPT', 'OBJECT', 'EMBED',
        'IFRAME', 'FRAME', 'FRAMESET', 'INPUT', 'SELECT', 'TEXTAREA', 'BUTTON', 'SVG', 'MATH', 'CANVAS', 'AUDIO', 'VIDEO']);
    const PARAGRAPHS = new Set(['DIV', 'H1', 'H2', 'H3', 'H4', 'H5', 'H6', 'PRE', 'BLOCKQUOTE', 'ADDRESS', 'CENTER',
        'SECTION', 'ARTICLE', 'HEADER', 'FOOTER', 'MAIN', 'NAV', 'ASIDE', 'FIGURE', 'FIGCAPTION', 'FIELDSET']);
    const BLOCKS = 'p, div, h1, h2, h3, h4, h5, h6, pre, blockquote, address, center, section, article, header, ' +
        'footer, main, nav, aside, figure, figcaption, fieldset, ul, ol, dl, table';

    // An address that runs script when followed, as the URL parser reads it: leading blanks
    // and controls are skipped and tabs and line breaks anywhere are dropped.
    function isScriptAddress(value) {
        return /^(javascript|vbscript):/i.test(value.replace(/^[\u0000-\u0020]+/, '').replace(/[\t\n\r]/g, ''));
    }

    function cleanInto(source, target) {
        for (const child of source.childNodes) {
            if (child.nodeType === Node.TEXT_NODE) {
                target.appendChild(document.createTextNode(child.data));
                continue;
            }
            if (child.nodeType !== Node.ELEMENT_NODE || DROP.has(child.tagName))
                continue;
            const kept = KEEP[child.tagName];
            if (kept) {
                const copy = document.createElement(child.tagName.toLowerCase());
                for (const name of kept) {
                    if (child.hasAttribute(name) && !isScriptAddress(child.getAttribute(name)))
                        copy.setAttribute(name, child.getAttribute(name));
                }
                cleanInto(child, copy);
                target.appendChild(copy);
            } else if (PARAGRAPHS.has(child.tagName) && !child.querySelector(BLOCKS)) {
                const paragraph = document.createElement('p');
                cleanInto(child, paragraph);
                target.appendChild(paragraph);
            } else {
                cleanInto(child, target);
            }
        }
    }

    // Markup from the clipboard without its styling, fonts and paragraph formatting.
    lw.cleanPastedMarkup = (html) => {
        const parsed = new DOMParser().parseFromString(html, 'text/html');
        const holder = document.createElement('div');
        if (parsed.body)
            cleanInto(parsed.body, holder);
        return holder.innerHTML;
    };

    // Plain text as markup that shows it as typed: line breaks kept, runs of spaces kept.
    function textMarkup(text) {
        const holder = document.createElement('div');
        const lines = text.replace(/\r\n?/g, '\n').replace(/\t/g, '    ').split('\n');
        lines.forEach((line, i) => {
            if (i > 0)
                holder.appendChild(document.createElement('br'));
            const spaced = line.replace(/ {2}/g, ' \u00a0').replace(/^ /, '\u00a0');
            if (spaced.length > 0)
                holder.appendChild(document.createTextNode(spaced));
        });
        return holder.innerHTML;
    }

    function insertMarkup(html) {
        if (!lw.canEdit() || html.length === 0)
            return false;
        return lw.run('insertHTML', html);
    }

    const pasteFlags = () => lw.SUPPORTED | lw.flag(lw.canEdit(), lw.ENABLED);
    lw.define(26, { flags: pasteFlags, exec: () => lw.canEdit() && lw.run('paste') });
    lw.define(2500, {
        flags: pasteFlags,
        exec: (argument) => typeof argument === 'string' && insertMarkup(lw.cleanPastedMarkup(argument)),
    });
    lw.define(2501, {
        flags: pasteFlags,
        exec: (argument) => typeof argument === 'string' && insertMarkup(textMarkup(argument)),
    });
    lw.define(15, {
        flags: () => lw.SUPPORTED | lw.flag(lw.hasSelectedContent(), lw.ENABLED),
        exec: () => lw.hasSelectedContent() && lw.run('copy'),
    });
    lw.define(16, {
        flags: () => lw.SUPPORTED | lw.flag(lw.canEdit() && lw.hasSelectedContent(), lw.ENABLED),
        exec: () => lw.canEdit() && lw.hasSelectedContent() && lw.run('cut'),
    });

    // Elements picked together (multiple selection) go at once; otherwise the selection, or
    // the character after the caret.
    lw.define(17, {
        flags: () => lw.SUPPORTED | lw.flag(lw.canEdit(), lw.ENABLED),
        exec: () => {
            if (!lw.canEdit())
                return false;
            const picked = lw.pickedElements ? lw.pickedElements() : [];
            if (picked.length > 1) {
                return lw.journal.change(() => {
                    for (const element of picked)
                        element.remove();
                });
            }
            return lw.run(lw.range().collapsed ? 'forwardDelete' : 'delete');
        },
    });
    lw.define(31, {
        flags: () => lw.SUPPORTED | lw.flag(document.body !== null, lw.ENABLED),
        exec: () => lw.run('selectAll'),
    });
})();
