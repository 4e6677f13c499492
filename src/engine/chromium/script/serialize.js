// Writing the page out as a file holds it, and replacing it by an empty one.
(function () {
    'use strict';
    const lw = window.__lwEditorCore;
    if (!lw || lw.serialize)
        return;

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
        return Array.from(root.querySelectorAll('meta')).filter((meta) => charsetOfMeta(meta) !== null && !lw.isAid(meta));
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

    // Elements a page written from scratch puts on lines of their own, and the elements whose
    // children are laid out so when all of them are such elements.
    const LINE_ELEMENTS = new Set(['HEAD', 'BODY', 'META', 'TITLE', 'LINK', 'STYLE', 'BASE', 'P', 'DIV', 'H1',
        'H2', 'H3', 'H4', 'H5', 'H6', 'UL', 'OL', 'LI', 'DL', 'DT', 'DD', 'TABLE', 'CAPTION', 'THEAD', 'TBODY',
        'TFOOT', 'TR', 'TD', 'TH', 'BLOCKQUOTE', 'PRE', 'ADDRESS', 'HR', 'CENTER', 'SECTION', 'ARTICLE',
        'NAV', 'ASIDE', 'HEADER', 'FOOTER', 'MAIN', 'FIGURE']);
    const LINE_HOLDERS = new Set(['HTML', 'HEAD', 'BODY', 'DIV', 'UL', 'OL', 'DL', 'TABLE', 'THEAD', 'TBODY',
        'TFOOT', 'TR', 'BLOCKQUOTE', 'CENTER', 'SECTION', 'ARTICLE', 'NAV', 'ASIDE', 'HEADER', 'FOOTER', 'MAIN']);

    // Puts each block of a copy on a line of its own; only white space between blocks, which
    // shows nothing, is replaced.
    function lineUp(element) {
        if (!LINE_HOLDERS.has(element.tagName) || element.children.length === 0)
            return;
        for (const child of element.childNodes) {
            const blank = child.nodeType === Node.TEXT_NODE && !/\S/.test(child.data);
            const block = child.nodeType === Node.ELEMENT_NODE && LINE_ELEMENTS.has(child.tagName);
            if (!blank && !block && child.nodeType !== Node.COMMENT_NODE)
                return;
        }
        for (const child of Array.from(element.childNodes)) {
            if (child.nodeType === Node.TEXT_NODE)
                child.remove();
        }
        for (const child of Array.from(element.childNodes)) {
            element.insertBefore(document.createTextNode('\n'), child);
            if (child.nodeType === Node.ELEMENT_NODE)
                lineUp(child);
        }
        element.appendChild(document.createTextNode('\n'));
    }

    // The attribute by which each kind of element refers to a file.
    const ADDRESS_ATTRIBUTES = { IMG: 'src', A: 'href', OBJECT: 'data' };
    const ADDRESS_SELECTOR = 'img[src], a[href], object[data]';

    // The local files the page refers to by absolute address.
    lw.localAddresses = () => {
        const addresses = new Set();
        for (const element of document.querySelectorAll(ADDRESS_SELECTOR)) {
            const address = element.getAttribute(ADDRESS_ATTRIBUTES[element.tagName]);
            if (/^file:/i.test(address))
                addresses.add(address);
        }
        return Array.from(addresses);
    };

    // Gives the copy's references the addresses the host chose for the file it is written to.
    function readdress(root, addresses) {
        for (const element of root.querySelectorAll(ADDRESS_SELECTOR)) {
            const name = ADDRESS_ATTRIBUTES[element.tagName];
            const address = element.getAttribute(name);
            if (Object.prototype.hasOwnProperty.call(addresses, address))
                element.setAttribute(name, addresses[address]);
        }
    }

    function rootMarkup(options) {
        const root = document.documentElement;
        const hasAids = root.querySelector('[' + lw.AID_ATTRIBUTE + ']') !== null;
        if (!hasAids && !options.charset && !options.base && !options.lines && !options.addresses)
            return root.outerHTML;
        const copy = root.cloneNode(true);
        for (const aid of copy.querySelectorAll('[' + lw.AID_ATTRIBUTE + ']'))
            aid.remove();
        if (options.charset)
            declareCharset(copy, options.charset);
        if (options.base)
            ensureBase(copy);
        if (options.addresses)
            readdress(copy, options.addresses);
        if (options.lines)
            lineUp(copy);
        return copy.outerHTML;
    }

    // Start tags that point the charset declarations of the kept source at another encoding,
    // or a declaration to open the head with.
    function declareInSource(charset) {
        return (startTags, prefixes) => {
            const copy = document.createElement('html');
            const metas = charsetMetas(document);
            for (const meta of metas)
                copy.appendChild(meta.cloneNode(false));
            declareCharset(copy, charset);
            metas.forEach((meta, i) => startTags.set(meta, copy.children[i].outerHTML));
            if (metas.length === 0 && document.head)
                prefixes.set(document.head, '<meta charset="' + charset + '">');
        };
    }

    function describe() {
        const declarations = charsetMetas(document);
        const declared = declarations.length > 0 ? charsetOfMeta(declarations[0]) : '';
        return {
            characterSet: document.characterSet,
            declaredCharset: declared,
            declaredEncoding: declared ? canonicalEncoding(declared) : '',
            documentId: lw.documentId,
            changeCount: lw.changeCount,
        };
    }

    // The whole document: doctype, comments outside the root element, and the root element,
    // without the editor's own additions. options.charset rewrites the charset declarations
    // of the copy; options.base gives the copy the page's address as its base. options.keep
    // asks for the parts of the loaded source instead, where they can be kept.
    lw.serialize = (options) => {
        options = options || {};
        if (options.keep && lw.source) {
            const kept = lw.source.keep(options.charset ? declareInSource(options.charset) : null);
            if (kept)
                return Object.assign(describe(), kept);
        }
        // Asked before the host has laid its map over the page: only a page nobody changed
        // is described, and nothing is written.
        if (options.unchangedOnly)
            return null;
        // A page written from scratch is laid out one block a line, as a person would write it.
        options = Object.assign({ lines: lw.isNewPage === true }, options);
        // A parser drops white space before the root element but moves any after it into the
        // body, so only the nodes before the root get a line break each (and a new page ends
        // with one, as text files do).
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
        if (options.lines)
            html += '\n';
        return Object.assign(describe(), { html: html });
    };

    // An empty page in place of the current one, clean and with a new identity.
    lw.initNew = () => {
        for (const node of Array.from(document.childNodes))
            node.remove();
        // What a browser needs to show the page as written: the standards mode, the encoding
        // the file is written in, and a title.
        document.appendChild(document.implementation.createDocumentType('html', '', ''));
        const root = document.createElement('html');
        const head = root.appendChild(document.createElement('head'));
        head.appendChild(document.createElement('meta')).setAttribute('charset', 'utf-8');
        head.appendChild(document.createElement('title'));
        root.appendChild(document.createElement('body'));
        document.appendChild(root);
        lw.isNewPage = true;
        lw.forgetChanges();
        if (lw.source)
            lw.source.forget();
        lw.documentId = lw.newDocumentId();
        lw.queueSnapshot();
        return lw.documentId;
    };
})();
