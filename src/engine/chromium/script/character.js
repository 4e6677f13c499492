// Character formatting and links: the styles, font, size and colours of the selected text.
// A selection over text that differs reports no value and the styles as ninched, so the host
// never shows one part's format as the whole selection's.
(function () {
    'use strict';
    const lw = window.__lwEditorCore;
    if (!lw || lw.applyFont)
        return;

    // How many text nodes of a selection are looked at; a bigger selection is judged by its
    // first ones, which keeps a snapshot cheap whatever is selected.
    const SCAN_LIMIT = 120;

    const transparent = (color) => color === 'transparent' || /^rgba\(.*,\s*0\)$/.test(color);

    // What the selected text looks like: for each style how much of it has the style, for
    // each value whether all of it agrees. Null for a caret, whose typing style only the
    // engine knows.
    const scan = lw.lazy(() => {
        const range = lw.range();
        if (!range || range.collapsed)
            return null;
        const texts = lw.textNodesInRange(range, SCAN_LIMIT);
        if (texts.length === 0)
            return null;
        const decorations = new Map();
        const shifts = new Map();
        const backs = new Map();
        const links = new Map();
        const decorationOf = (element) => {
            if (!element || element === document.documentElement)
                return '';
            if (!decorations.has(element))
                decorations.set(element, getComputedStyle(element).textDecorationLine + ' ' + decorationOf(element.parentElement));
            return decorations.get(element);
        };
        const shiftOf = (element) => {
            if (!element || element === document.body)
                return '';
            if (!shifts.has(element)) {
                const align = getComputedStyle(element).verticalAlign;
                shifts.set(element, align === 'super' || align === 'sub' ? align : lw.isBlock(element) ? '' : shiftOf(element.parentElement));
            }
            return shifts.get(element);
        };
        const backOf = (element) => {
            if (!element)
                return '';
            if (!backs.has(element)) {
                const color = getComputedStyle(element).backgroundColor;
                backs.set(element, !transparent(color) ? color : element === document.body ? '' : backOf(element.parentElement));
            }
            return backs.get(element);
        };
        const linkOf = (element) => {
            if (!links.has(element))
                links.set(element, element.closest('a[href]') !== null);
            return links.get(element);
        };
        const counts = { bold: 0, italic: 0, underline: 0, strikethrough: 0, superscript: 0, subscript: 0, link: 0 };
        const values = {};
        const agree = (key, value) => {
            if (!(key in values))
                values[key] = value;
            else if (values[key] !== value)
                values[key] = null;
        };
        // Text nodes of one element look alike: each element is judged once.
        const seen = new Set();
        for (const text of texts) {
            const element = text.parentElement;
            if (seen.has(element))
                continue;
            seen.add(element);
            const style = getComputedStyle(element);
            const decoration = decorationOf(element);
            const shift = shiftOf(element);
            counts.bold += parseInt(style.fontWeight, 10) >= 600 ? 1 : 0;
            counts.italic += style.fontStyle !== 'normal' ? 1 : 0;
            counts.underline += decoration.includes('underline') ? 1 : 0;
            counts.strikethrough += decoration.includes('line-through') ? 1 : 0;
            counts.superscript += shift === 'super' ? 1 : 0;
            counts.subscript += shift === 'sub' ? 1 : 0;
            counts.link += linkOf(element) ? 1 : 0;
            agree('fontName', style.fontFamily);
            agree('fontSize', style.fontSize);
            agree('foreColor', style.color);
            agree('backColor', backOf(element));
        }
        return { total: seen.size, counts: counts, values: values };
    });

    // 'on', 'off' or 'mixed' for one style of the selection.
    function styleState(key, command) {
        const facts = scan();
        if (!facts)
            return lw.queryState(command) ? 'on' : 'off';
        const count = facts.counts[key];
        return count === facts.total ? 'on' : count === 0 ? 'off' : 'mixed';
    }

    function style(key, command) {
        return {
            flags: () => {
                const state = styleState(key, command);
                return lw.SUPPORTED | lw.flag(lw.queryEnabled(command), lw.ENABLED) |
                    lw.flag(state === 'on', lw.LATCHED) | lw.flag(state === 'mixed', lw.NINCHED);
            },
            exec: () => lw.run(command),
        };
    }

    // A value of the selection. On a caret the engine's own reading, which knows the style
    // the next typed character gets; over text, the text's own value where all of it agrees
    // (the engine's reading would walk the whole selection).
    function value(key, read, fromStyle, write) {
        return {
            flags: () => lw.SUPPORTED | lw.flag(lw.canEdit(), lw.ENABLED),
            read: () => {
                const facts = scan();
                if (!facts)
                    return read();
                const agreed = facts.values[key];
                return agreed === null || agreed === undefined ? null : fromStyle(agreed);
            },
            exec: write,
        };
    }

    // The engine reads the font back as a CSS family list, the first family possibly quoted;
    // the host wants one plain name.
    function firstFamily(value) {
        if (!value)
            return null;
        const first = value.split(',')[0].trim();
        return first.replace(/^(["'])(.*)\1$/, '$2');
    }

    const readFontName = () => firstFamily(lw.queryValue('fontName'));

    function readFontSize() {
        const size = parseInt(lw.queryValue('fontSize'), 10);
        return Number.isInteger(size) && size >= 1 && size <= 7 ? size : null;
    }

    // The HTML size whose default pixel size is nearest, as the engine reads sizes.
    const SIZE_PIXELS = [10, 13, 16, 18, 24, 32, 48];
    function htmlSize(pixels) {
        const px = parseFloat(pixels);
        if (!(px > 0))
            return null;
        let best = 0;
        for (let i = 1; i < SIZE_PIXELS.length; ++i) {
            if (Math.abs(SIZE_PIXELS[i] - px) < Math.abs(SIZE_PIXELS[best] - px))
                best = i;
        }
        return best + 1;
    }

    function writeFontName(argument) {
        return typeof argument === 'string' && argument.length > 0 && lw.run('fontName', argument);
    }

    function writeFontSize(argument) {
        const size = Number(argument);
        return Number.isInteger(size) && size >= 1 && size <= 7 && lw.run('fontSize', String(size));
    }

    // Colours travel as 0x00BBGGRR numbers; the engine reads them back as CSS rgb()/rgba().
    function colorNumber(css) {
        const match = /rgba?\(\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*(?:,\s*([\d.]+)\s*)?\)/.exec(css || '');
        if (!match || (match[4] !== undefined && Number(match[4]) === 0))
            return null;
        return Number(match[1]) | (Number(match[2]) << 8) | (Number(match[3]) << 16);
    }

    function readColor(name) {
        return () => colorNumber(lw.queryValue(name));
    }

    function cssColor(color) {
        const hex = (n) => n.toString(16).padStart(2, '0');
        return '#' + hex(color & 0xFF) + hex((color >> 8) & 0xFF) + hex((color >> 16) & 0xFF);
    }

    function isColor(value) {
        return Number.isInteger(value) && value >= 0 && value <= 0xFFFFFF;
    }

    function writeColor(name) {
        return (argument) => isColor(Number(argument)) && lw.run(name, cssColor(Number(argument)));
    }

    const STYLES = {
        bold: 'bold',
        italic: 'italic',
        underline: 'underline',
        strikethrough: 'strikeThrough',
        superscript: 'superscript',
        subscript: 'subscript',
    };

    lw.define(52, style('bold', STYLES.bold));
    lw.define(56, style('italic', STYLES.italic));
    lw.define(63, style('underline', STYLES.underline));
    lw.define(91, style('strikethrough', STYLES.strikethrough));
    lw.define(2248, style('superscript', STYLES.superscript));
    lw.define(2247, style('subscript', STYLES.subscript));
    lw.define(18, value('fontName', readFontName, firstFamily, writeFontName));
    lw.define(19, value('fontSize', readFontSize, htmlSize, writeFontSize));
    lw.define(55, value('foreColor', readColor('foreColor'), colorNumber, writeColor('foreColor')));
    // The engine reads the back colour only under this name; hiliteColor reads empty.
    lw.define(51, value('backColor', readColor('backColor'), colorNumber, writeColor('backColor')));
    lw.define(2230, {
        flags: () => lw.SUPPORTED | lw.flag(lw.canEdit() && lw.hasSelectedContent(), lw.ENABLED),
        exec: () => lw.run('removeFormat'),
    });

    // Everything the font dialog sets, at once and as one undo step. A field left out (or
    // null) keeps what the selection has.
    lw.applyFont = (choice) => {
        if (!lw.canEdit() || !choice)
            return false;
        return lw.journal.group(() => {
            if (typeof choice.name === 'string' && choice.name.length > 0 && choice.name !== readFontName())
                writeFontName(choice.name);
            if (choice.size !== undefined && choice.size !== null && Number(choice.size) !== readFontSize())
                writeFontSize(choice.size);
            if (isColor(choice.foreColor) && choice.foreColor !== readColor('foreColor')())
                lw.run('foreColor', cssColor(choice.foreColor));
            if (isColor(choice.backColor) && choice.backColor !== readColor('backColor')())
                lw.run('backColor', cssColor(choice.backColor));
            for (const key of Object.keys(STYLES)) {
                if (typeof choice[key] !== 'boolean')
                    continue;
                const state = styleState(key, STYLES[key]);
                // A mixed selection takes the style everywhere first, and loses it everywhere
                // with a second toggle only when it is not wanted.
                if (state === 'mixed') {
                    lw.run(STYLES[key]);
                    if (!choice[key])
                        lw.run(STYLES[key]);
                } else if ((state === 'on') !== choice[key]) {
                    lw.run(STYLES[key]);
                }
            }
            return true;
        }, null);
    };

    function enclosingLink() {
        const range = lw.range();
        const element = range ? lw.elementOf(range.startContainer) : null;
        return element ? element.closest('a[href]') : null;
    }

    function selectionHasLink() {
        const facts = scan();
        return enclosingLink() !== null || (facts !== null && facts.counts.link > 0);
    }

    // The link around a caret is what a caret asks to change.
    function withLinkSelected(fn) {
        const range = lw.range();
        const link = range && range.collapsed ? enclosingLink() : null;
        if (!link)
            return fn();
        return lw.journal.group(() => {
            const inside = document.createRange();
            inside.selectNodeContents(link);
            lw.select(inside);
            return fn();
        }, null);
    }

    function unlink() {
        return withLinkSelected(() => lw.run('unlink'));
    }

    lw.define(2124, {
        flags: () => lw.SUPPORTED | lw.flag(lw.canEdit(), lw.ENABLED),
        exec: (argument) => {
            if (typeof argument !== 'string')
                return false;
            const address = argument.trim();
            if (address.length === 0)
                return unlink();
            return withLinkSelected(() => lw.run('createLink', address));
        },
    });
    lw.define(2125, {
        flags: () => lw.SUPPORTED | lw.flag(lw.canEdit() && selectionHasLink(), lw.ENABLED),
        exec: unlink,
    });

    lw.addContext(() => {
        const link = enclosingLink();
        return { link: link ? link.getAttribute('href') : '' };
    });
})();
