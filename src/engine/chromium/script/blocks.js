// Paragraph formatting: alignment, writing direction, lists, indentation and the block
// formats. States come from the blocks the selection touches; blocks that differ make the
// commands of the family ninched.
(function () {
    'use strict';
    const lw = window.__lwEditorCore;
    if (!lw || lw.blockFormats)
        return;

    const BLOCK_LIMIT = 100;

    // The block formats offered, in menu order, with the element each one makes. The names
    // are what the host shows and sends back.
    const BLOCK_FORMATS = [
        ['Normal', 'p'],
        ['Formatted', 'pre'],
        ['Address', 'address'],
        ['Heading 1', 'h1'],
        ['Heading 2', 'h2'],
        ['Heading 3', 'h3'],
        ['Heading 4', 'h4'],
        ['Heading 5', 'h5'],
        ['Heading 6', 'h6'],
        ['Numbered List', 'ol'],
        ['Bulleted List', 'ul'],
        ['Definition Term', 'dt'],
        ['Definition', 'dd'],
        ['Division', 'div'],
    ];
    lw.blockFormats = BLOCK_FORMATS.map((format) => format[0]);

    const blocks = lw.lazy(() => {
        const range = lw.range();
        return range ? lw.blocksInRange(range, BLOCK_LIMIT) : [];
    });

    // One answer for all selected blocks, or null when they differ. Text directly in the
    // body is judged by the body.
    function common(read) {
        const list = blocks();
        const targets = list.length > 0 ? list : lw.range() ? [document.body] : [];
        let answer;
        for (const block of targets) {
            const value = read(block);
            if (answer === undefined)
                answer = value;
            else if (answer !== value)
                return null;
        }
        return answer === undefined ? null : answer;
    }

    function alignmentOf(block) {
        const style = getComputedStyle(block);
        const rtl = style.direction === 'rtl';
        switch (style.textAlign) {
        case 'left':
        case '-webkit-left':
            return 'left';
        case 'right':
        case '-webkit-right':
            return 'right';
        case 'center':
        case '-webkit-center':
            return 'center';
        case 'justify':
            return 'full';
        case 'end':
            return rtl ? 'left' : 'right';
        default:
            return rtl ? 'right' : 'left';
        }
    }

    // A block with no alignment of its own follows its surroundings.
    function hasOwnAlignment(block) {
        return block !== document.body && (block.hasAttribute('align') || block.style.textAlign !== '');
    }

    const alignment = lw.lazy(() => common(alignmentOf));
    const ownAlignment = lw.lazy(() => common(hasOwnAlignment));

    function justify(kind, command) {
        return {
            flags: () => lw.SUPPORTED | lw.flag(lw.canEdit(), lw.ENABLED) |
                lw.flag(alignment() === kind, lw.LATCHED) | lw.flag(lw.canEdit() && alignment() === null, lw.NINCHED),
            exec: () => lw.run(command),
        };
    }

    lw.define(59, justify('left', 'justifyLeft'));
    lw.define(57, justify('center', 'justifyCenter'));
    lw.define(60, justify('right', 'justifyRight'));
    lw.define(50, justify('full', 'justifyFull'));
    lw.define(94, {
        flags: () => lw.SUPPORTED | lw.flag(lw.canEdit(), lw.ENABLED) | lw.flag(ownAlignment() === false, lw.LATCHED) |
            lw.flag(lw.canEdit() && ownAlignment() === null, lw.NINCHED),
        exec: () => lw.journal.change(() => {
            for (const block of blocks()) {
                block.removeAttribute('align');
                block.style.removeProperty('text-align');
                if (block.getAttribute('style') === '')
                    block.removeAttribute('style');
            }
        }),
    });

    const direction = lw.lazy(() => common((block) => getComputedStyle(block).direction));

    function writingDirection(kind) {
        return {
            flags: () => lw.SUPPORTED | lw.flag(lw.canEdit(), lw.ENABLED) | lw.flag(direction() === kind, lw.LATCHED) |
                lw.flag(lw.canEdit() && direction() === null, lw.NINCHED),
            exec: () => {
                // Text directly in the body gets a paragraph to carry the direction.
                const steps = blocks().length === 0 ? () => lw.run('formatBlock', 'p') : null;
                return lw.journal.group(steps, () => {
                    for (const block of blocks())
                        block.setAttribute('dir', kind);
                });
            },
        };
    }

    lw.define(2352, writingDirection('ltr'));
    lw.define(2353, writingDirection('rtl'));

    // Elements the parser closes when a list starts inside them: a list left there would
    // come back from the saved file as empty blocks around it.
    const CLOSED_BY_LISTS = new Set(['P', 'H1', 'H2', 'H3', 'H4', 'H5', 'H6', 'PRE', 'ADDRESS', 'DT', 'DD']);

    function listsAroundSelection() {
        const range = lw.range();
        if (!range)
            return [];
        const found = [];
        for (const node of [range.startContainer, range.endContainer]) {
            const element = lw.elementOf(node);
            const list = element ? element.closest('ol, ul') : null;
            if (list && !found.includes(list))
                found.push(list);
        }
        return found;
    }

    // The engine makes a new list inside the paragraph it came from; the list takes the
    // paragraph's place instead, splitting it where it held more.
    function liftLists() {
        // Moving a list collapses a selection inside it; its text nodes stay the same.
        const selection = lw.saveSelection();
        for (const list of listsAroundSelection()) {
            let parent = list.parentElement;
            while (parent && CLOSED_BY_LISTS.has(parent.tagName)) {
                const rest = parent.cloneNode(false);
                while (list.nextSibling)
                    rest.appendChild(list.nextSibling);
                parent.after(list);
                if (/\S/.test(rest.textContent) || rest.querySelector('img, input, select, textarea, button, object, iframe'))
                    list.after(rest);
                const emptied = !/\S/.test(parent.textContent) &&
                    !parent.querySelector('img, input, select, textarea, button, object, iframe');
                if (emptied)
                    parent.remove();
                parent = list.parentElement;
            }
        }
        lw.restoreSelection(selection);
    }

    function listType() {
        const range = lw.range();
        const element = range ? lw.elementOf(range.startContainer) : null;
        const item = element ? element.closest('li') : null;
        return item && item.parentElement ? item.parentElement.tagName.toLowerCase() : null;
    }

    function makeList(tag) {
        const command = tag === 'ol' ? 'insertOrderedList' : 'insertUnorderedList';
        return lw.journal.group(() => lw.run(command), liftLists);
    }

    function list(tag) {
        return {
            flags: () => lw.SUPPORTED | lw.flag(lw.canEdit(), lw.ENABLED) | lw.flag(listType() === tag, lw.LATCHED),
            exec: () => makeList(tag),
        };
    }

    lw.define(2184, list('ol'));
    lw.define(2185, list('ul'));
    lw.define(2186, { flags: () => lw.SUPPORTED | lw.flag(lw.canEdit(), lw.ENABLED), exec: () => lw.run('indent') });
    lw.define(2187, {
        flags: () => {
            const range = lw.range();
            const element = range ? lw.elementOf(range.startContainer) : null;
            const nested = element !== null && element.closest('blockquote, li') !== null;
            return lw.SUPPORTED | lw.flag(lw.canEdit() && nested, lw.ENABLED);
        },
        exec: () => lw.run('outdent'),
    });

    function formatNameOf(block) {
        const item = block.closest('li');
        const tag = item && item.parentElement ? item.parentElement.tagName.toLowerCase() : block.tagName.toLowerCase();
        const format = BLOCK_FORMATS.find((entry) => entry[1] === tag);
        return format ? format[0] : '';
    }

    const currentFormat = lw.lazy(() => (blocks().length === 0 ? (lw.range() ? '' : null) : common(formatNameOf)));

    function setBlockFormat(name) {
        const format = BLOCK_FORMATS.find((entry) => entry[0] === name);
        if (!format || !lw.canEdit())
            return false;
        const tag = format[1];
        if (tag === 'ol' || tag === 'ul')
            return listType() === tag ? true : makeList(tag);
        const inList = listType();
        return keepingAttributes(() => {
            // A list item takes another format once it has left its list.
            if (inList)
                lw.run(inList === 'ol' ? 'insertOrderedList' : 'insertUnorderedList');
            return lw.run('formatBlock', tag);
        });
    }

    // The engine makes each reformatted block a bare new element; these attributes carry over.
    const KEPT_ATTRIBUTES = ['id', 'class', 'style', 'lang', 'dir', 'title'];

    function keepingAttributes(steps) {
        const before = blocks().map((block) =>
            KEPT_ATTRIBUTES.filter((name) => block.hasAttribute(name)).map((name) => [name, block.getAttribute(name)]));
        return lw.journal.group(steps, () => {
            const after = blocks();
            // Blocks are replaced one for one, in order, or merged into one that takes the first
            // one's attributes; anything else is left as the engine made it.
            if (after.length !== before.length && after.length !== 1)
                return;
            after.forEach((block, i) => {
                for (const [name, value] of before[i]) {
                    if (!block.hasAttribute(name))
                        block.setAttribute(name, value);
                }
            });
        });
    }

    lw.define(2233, {
        flags: () => lw.SUPPORTED | lw.flag(lw.isEditing(), lw.ENABLED),
        read: () => lw.blockFormats,
    });
    lw.define(2234, {
        flags: () => lw.SUPPORTED | lw.flag(lw.canEdit(), lw.ENABLED),
        read: currentFormat,
        exec: (argument) => typeof argument === 'string' && setBlockFormat(argument),
    });
})();
