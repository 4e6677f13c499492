// The editing side of the engine. It runs in an isolated world of every page (the page's own
// scripts never run), owns what each engine command number means, and pushes one state
// snapshot to the host over the web channel whenever the selection or the content changes.
(function () {
    'use strict';
    if (window.__lwEditor)
        return;

    // Nodes the editor adds for its own use carry this attribute; they never reach a saved
    // file and never make the page dirty.
    const AID_ATTRIBUTE = 'data-lw-aid';

    const SUPPORTED = 1, ENABLED = 2, LATCHED = 4;

    // Per page: a fresh id tells the host that the snapshots are about another document.
    let documentId = Date.now().toString(36) + Math.random().toString(36).slice(2);
    let changeCount = 0;
    let host = null;
    let snapshotQueued = false;

    function isEditing() {
        return document.designMode === 'on';
    }

    function selectionInDocument() {
        const selection = document.getSelection();
        return selection !== null && selection.rangeCount > 0;
    }

    function queryEnabled(name) {
        try {
            return isEditing() && selectionInDocument() && document.queryCommandEnabled(name);
        } catch (e) {
            return false;
        }
    }

    function queryState(name) {
        try {
            return document.queryCommandState(name);
        } catch (e) {
            return false;
        }
    }

    function queryValue(name) {
        try {
            return document.queryCommandValue(name);
        } catch (e) {
            return '';
        }
    }

    function run(name, argument) {
        try {
            return document.execCommand(name, false, argument);
        } catch (e) {
            return false;
        }
    }

    // The engine reads the font back as a CSS family list, the first family possibly quoted;
    // the host wants one plain name.
    function readFontName() {
        const value = queryValue('fontName');
        if (!value)
            return null;
        const first = value.split(',')[0].trim();
        return first.replace(/^(["'])(.*)\1$/, '$2');
    }

    function readFontSize() {
        const size = parseInt(queryValue('fontSize'), 10);
        return Number.isInteger(size) && size >= 1 && size <= 7 ? size : null;
    }

    function writeFontName(argument) {
        return typeof argument === 'string' && argument.length > 0 && run('fontName', argument);
    }

    function writeFontSize(argument) {
        const size = Number(argument);
        return Number.isInteger(size) && size >= 1 && size <= 7 && run('fontSize', String(size));
    }

    // Colours travel as 0x00BBGGRR numbers; the engine reads them back as CSS rgb()/rgba().
    function readColor(name) {
        return () => {
            const match = /rgba?\(\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*(?:,\s*([\d.]+)\s*)?\)/.exec(queryValue(name));
            if (!match || (match[4] !== undefined && Number(match[4]) === 0))
                return null;
            return Number(match[1]) | (Number(match[2]) << 8) | (Number(match[3]) << 16);
        };
    }

    function writeColor(name) {
        return (argument) => {
            const color = Number(argument);
            if (!Number.isInteger(color) || color < 0 || color > 0xFFFFFF)
                return false;
            const hex = (n) => n.toString(16).padStart(2, '0');
            return run(name, '#' + hex(color & 0xFF) + hex((color >> 8) & 0xFF) + hex((color >> 16) & 0xFF));
        };
    }

    // A command the engine runs and whose state is on or off for the selection.
    function toggle(name) {
        return {
            flags: () => SUPPORTED | (queryEnabled(name) ? ENABLED : 0) | (queryState(name) ? LATCHED : 0),
            exec: () => run(name, null),
        };
    }

    // A command the engine runs that has no state of its own.
    function action(name, enabled) {
        return {
            flags: () => SUPPORTED | ((enabled ? enabled() : queryEnabled(name)) ? ENABLED : 0),
            exec: () => run(name, null),
        };
    }

    function hasSelectedContent() {
        const selection = document.getSelection();
        return selection !== null && selection.rangeCount > 0 && !selection.isCollapsed;
    }

    // A command that carries a value of the selection, read into the snapshot and set by exec.
    function value(name, read, write) {
        return {
            flags: () => SUPPORTED | (queryEnabled(name) ? ENABLED : 0),
            read: read,
            exec: write,
        };
    }

    // Engine command numbers and what they mean here. Each entry gives flags() for the
    // snapshot, read() when the command carries a value of the selection (the host answers
    // value reads from the snapshot), and exec(argument) when the page carries it out. A new
    // command needs only an entry here; the host learns of it from the snapshot.
    const commands = {
        15: action('copy', hasSelectedContent),
        16: action('cut', () => isEditing() && hasSelectedContent()),
        18: value('fontName', readFontName, writeFontName),
        19: value('fontSize', readFontSize, writeFontSize),
        26: action('paste', () => isEditing() && selectionInDocument()),
        29: action('redo'),
        31: action('selectAll', () => document.body !== null),
        43: action('undo'),
        // The engine reads the back colour only under this name; hiliteColor reads empty.
        51: value('backColor', readColor('backColor'), writeColor('backColor')),
        52: toggle('bold'),
        55: value('foreColor', readColor('foreColor'), writeColor('foreColor')),
        56: toggle('italic'),
        63: toggle('underline'),
    };

    function takeSnapshot() {
        const started = performance.now();
        const flags = {};
        const values = {};
        for (const key of Object.keys(commands)) {
            const command = commands[key];
            flags[key] = command.flags();
            if (command.read)
                values[key] = command.read();
        }
        return {
            documentId: documentId,
            changeCount: changeCount,
            designMode: isEditing(),
            flags: flags,
            values: values,
            costMs: performance.now() - started,
        };
    }

    function pushSnapshot() {
        snapshotQueued = false;
        if (host)
            host.pushSnapshot(takeSnapshot());
    }

    // Timers never fire in this world, so a burst of changes within one task is coalesced
    // into a single snapshot with a microtask.
    function queueSnapshot() {
        if (snapshotQueued)
            return;
        snapshotQueued = true;
        queueMicrotask(pushSnapshot);
    }

    function isAid(node) {
        for (let n = node; n; n = n.parentNode) {
            if (n.nodeType === Node.ELEMENT_NODE && n.hasAttribute(AID_ATTRIBUTE))
                return true;
        }
        return false;
    }

    function onlyAids(nodes) {
        for (const node of nodes) {
            if (!isAid(node))
                return false;
        }
        return true;
    }

    function countsAsChange(record) {
        if (record.type !== 'childList')
            return !isAid(record.target);
        if (isAid(record.target))
            return false;
        return !(onlyAids(record.addedNodes) && onlyAids(record.removedNodes));
    }

    const observer = new MutationObserver((records) => {
        if (records.some(countsAsChange)) {
            ++changeCount;
            queueSnapshot();
        }
    });

    function observe() {
        observer.observe(document, {
            childList: true,
            attributes: true,
            characterData: true,
            subtree: true,
        });
    }

    function doctypeText(node) {
        let text = '<!DOCTYPE ' + node.name;
        if (node.publicId)
            text += ' PUBLIC "' + node.publicId + '"' + (node.systemId ? ' "' + node.systemId + '"' : '');
        else if (node.systemId)
            text += ' SYSTEM "' + node.systemId + '"';
        return text + '>';
    }

    function charsetOfMeta(meta) {
        if (meta.hasAttribute('charset'))
            return meta.getAttribute('charset').trim();
        if ((meta.getAttribute('http-equiv') || '').toLowerCase() !== 'content-type')
            return null;
        const match = /charset\s*=\s*["']?([^"';\s]+)/i.exec(meta.getAttribute('content') || '');
        return match ? match[1] : null;
    }

    function charsetMetas(root) {
        return Array.from(root.querySelectorAll('meta')).filter((meta) => charsetOfMeta(meta) !== null && !isAid(meta));
    }

    function canonicalEncoding(label) {
        try {
            return new TextDecoder(label).encoding;
        } catch (e) {
            return '';
        }
    }

    // Points every charset declaration of a copy at another encoding, or adds one.
    function declareCharset(root, charset) {
        const metas = charsetMetas(root);
        for (const meta of metas) {
            if (meta.hasAttribute('charset'))
                meta.setAttribute('charset', charset);
            else
                meta.setAttribute('content', meta.getAttribute('content').replace(/(charset\s*=\s*["']?)[^"';\s]+/i, '$1' + charset));
        }
        if (metas.length === 0) {
            const head = root.querySelector('head');
            if (head) {
                const meta = document.createElement('meta');
                meta.setAttribute('charset', charset);
                head.insertBefore(meta, head.firstChild);
            }
        }
    }

    function ensureBase(root) {
        const head = root.querySelector('head');
        if (head && !root.querySelector('base[href]')) {
            const base = document.createElement('base');
            base.setAttribute('href', document.URL);
            head.insertBefore(base, head.firstChild);
        }
    }

    function rootMarkup(options) {
        const root = document.documentElement;
        const hasAids = root.querySelector('[' + AID_ATTRIBUTE + ']') !== null;
        if (!hasAids && !options.charset && !options.base)
            return root.outerHTML;
        const copy = root.cloneNode(true);
        for (const aid of copy.querySelectorAll('[' + AID_ATTRIBUTE + ']'))
            aid.remove();
        if (options.charset)
            declareCharset(copy, options.charset);
        if (options.base)
            ensureBase(copy);
        return copy.outerHTML;
    }

    // The whole document: doctype, comments outside the root element, and the root element,
    // without the editor's own additions. options.charset rewrites the charset declarations
    // of the copy; options.base gives the copy the page's address as its base.
    function serialize(options) {
        options = options || {};
        // A parser drops white space before the root element but moves any after it into the
        // body, so only the nodes before the root get a line break each.
        let html = '';
        let afterRoot = false;
        for (const node of document.childNodes) {
            if (node.nodeType === Node.DOCUMENT_TYPE_NODE)
                html += doctypeText(node);
            else if (node.nodeType === Node.COMMENT_NODE)
                html += '<!--' + node.data + '-->';
            else if (node.nodeType === Node.PROCESSING_INSTRUCTION_NODE)
                html += '<?' + node.target + ' ' + node.data + '>';
            else if (node === document.documentElement)
                html += rootMarkup(options);
            else
                continue;
            if (node === document.documentElement)
                afterRoot = true;
            else if (!afterRoot)
                html += '\n';
        }
        const declarations = charsetMetas(document);
        const declared = declarations.length > 0 ? charsetOfMeta(declarations[0]) : '';
        return {
            html: html,
            characterSet: document.characterSet,
            declaredCharset: declared,
            declaredEncoding: declared ? canonicalEncoding(declared) : '',
            documentId: documentId,
            changeCount: changeCount,
        };
    }

    function setDesignMode(on) {
        const was = isEditing();
        document.designMode = on ? 'on' : 'off';
        if (on) {
            run('defaultParagraphSeparator', 'p');
            run('styleWithCSS', false);
        }
        queueSnapshot();
        return { was: was, now: isEditing(), documentId: documentId };
    }

    function exec(command, argument) {
        const entry = commands[command];
        const done = entry && entry.exec ? entry.exec(argument) === true : false;
        // Toggling a style on a caret changes no content, yet the latched state moves.
        queueSnapshot();
        return done;
    }

    // An empty page in place of the current one, clean and with a new identity.
    function initNew() {
        for (const node of Array.from(document.childNodes))
            node.remove();
        document.appendChild(document.implementation.createDocumentType('html', '', ''));
        const root = document.createElement('html');
        root.appendChild(document.createElement('head'));
        root.appendChild(document.createElement('body'));
        document.appendChild(root);
        observer.takeRecords();
        changeCount = 0;
        documentId = Date.now().toString(36) + Math.random().toString(36).slice(2);
        queueSnapshot();
        return documentId;
    }

    window.__lwEditor = {
        exec: exec,
        setDesignMode: setDesignMode,
        serialize: serialize,
        initNew: initNew,
    };

    observe();
    document.addEventListener('selectionchange', queueSnapshot);
    document.addEventListener('input', queueSnapshot);

    if (typeof qt !== 'undefined' && qt.webChannelTransport) {
        const transport = qt.webChannelTransport;
        const channel = new QWebChannel(transport, (ready) => {
            host = ready.objects.lwHost;
            pushSnapshot();
        });
        // The transport outlives a page in the same frame, so the host's answer to a push of
        // the previous page can arrive here; the channel would fail on its unknown id.
        const deliver = transport.onmessage;
        transport.onmessage = (message) => {
            const data = typeof message.data === 'string' ? JSON.parse(message.data) : message.data;
            if (data.type === QWebChannelMessageTypes.response && !(data.id in channel.execCallbacks))
                return;
            deliver(message);
        };
    }
})();
