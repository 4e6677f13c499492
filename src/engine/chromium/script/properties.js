// Properties of the selected image, of the link around the selection and of the page itself,
// each changed as one undo step. Values are set as attribute values, never as markup.
(function () {
    'use strict';
    const lw = window.__lwEditorCore;
    if (!lw || lw.properties)
        return;

    const IMAGE_PROPERTIES = 0x10011;
    const LINK_PROPERTIES = 0x10012;
    const PAGE_PROPERTIES = 0x10013;
    const ALIGNMENTS = ['', 'left', 'right', 'top', 'middle', 'bottom'];

    // An address that runs script when followed, as the URL parser reads it: leading blanks
    // and controls are skipped and tabs and line breaks anywhere are dropped.
    const isScriptAddress = (value) =>
        /^(javascript|vbscript):/i.test(value.replace(/^[\u0000-\u0020]+/, '').replace(/[\t\n\r]/g, ''));
    const text = (value) => (typeof value === 'string' ? value : '');
    const digits = (value) => /^\s*\d{1,6}\s*$/.test(text(value)) ? text(value).trim() : '';

    // Sets or removes an attribute only when its value changes, so untouched markup keeps its
    // own spelling in a saved file; an empty value removes it unless keepEmpty.
    function setAttribute(element, name, value, keepEmpty) {
        if (value === '' && !keepEmpty) {
            if (element.hasAttribute(name))
                element.removeAttribute(name);
        } else if (element.getAttribute(name) !== value) {
            element.setAttribute(name, value);
        }
    }

    const image = () => {
        const selected = lw.selectedElement();
        return selected && selected.tagName === 'IMG' && document.body.contains(selected) ? selected : null;
    };

    function setImage(argument) {
        const element = image();
        if (!element || !argument || typeof argument !== 'object')
            return false;
        const source = text(argument.source).trim();
        const align = text(argument.align).toLowerCase();
        if (source === '' || isScriptAddress(source) || !ALIGNMENTS.includes(align))
            return false;
        return lw.journal.change(() => {
            setAttribute(element, 'src', source);
            // An empty alternative text says the image is decoration, so it stays once given.
            setAttribute(element, 'alt', text(argument.alt), element.hasAttribute('alt'));
            setAttribute(element, 'width', digits(argument.width));
            setAttribute(element, 'height', digits(argument.height));
            setAttribute(element, 'align', align);
            setAttribute(element, 'border', digits(argument.border));
        });
    }

    const link = () => {
        const selected = lw.selectedElement();
        const range = lw.range();
        const inside = selected || (range ? lw.elementOf(range.startContainer) : null);
        const found = inside ? inside.closest('a[href]') : null;
        return found && document.body.contains(found) ? found : null;
    };

    function setLink(argument) {
        const element = link();
        if (!element || !argument || typeof argument !== 'object')
            return false;
        if (argument.remove === true) {
            return lw.journal.change(() => {
                const parent = element.parentNode;
                const range = document.createRange();
                range.setStartBefore(element);
                range.setEndAfter(element);
                while (element.firstChild)
                    parent.insertBefore(element.firstChild, element);
                range.setEndBefore(element);
                element.remove();
                lw.select(range);
            });
        }
        const address = text(argument.address).trim();
        if (address === '' || isScriptAddress(address))
            return false;
        return lw.journal.change(() => {
            setAttribute(element, 'href', address);
            setAttribute(element, 'title', text(argument.title));
            setAttribute(element, 'target', text(argument.target).trim());
        });
    }

    const metaNamed = (name) =>
        Array.from(document.head ? document.head.querySelectorAll('meta[name]') : []).find(
            (meta) => meta.getAttribute('name').toLowerCase() === name);
    const charsetMeta = () =>
        Array.from(document.head ? document.head.querySelectorAll('meta') : []).find(
            (meta) => meta.hasAttribute('charset') || /^content-type$/i.test(meta.getAttribute('http-equiv') || ''));
    const declaredCharset = () => {
        const meta = charsetMeta();
        if (!meta)
            return '';
        if (meta.hasAttribute('charset'))
            return meta.getAttribute('charset').trim();
        const match = /charset\s*=\s*["']?([^"';\s]+)/i.exec(meta.getAttribute('content') || '');
        return match ? match[1] : '';
    };
    const COLOUR = /^(#[0-9a-f]{3}|#[0-9a-f]{6}|[a-z]{3,20})?$/i;

    function ensureHead() {
        if (!document.head)
            document.documentElement.insertBefore(document.createElement('head'), document.body);
        return document.head;
    }

    function setMeta(name, value) {
        let meta = metaNamed(name);
        if (!meta && value === '')
            return;
        if (!meta) {
            meta = document.createElement('meta');
            meta.setAttribute('name', name);
            ensureHead().appendChild(meta);
        }
        setAttribute(meta, 'content', value, true);
    }

    function setCharset(value) {
        if (value === '' || value.toLowerCase() === declaredCharset().toLowerCase())
            return;
        const meta = charsetMeta();
        if (meta && meta.hasAttribute('charset')) {
            meta.setAttribute('charset', value);
        } else if (meta) {
            meta.setAttribute('content', 'text/html; charset=' + value);
        } else {
            const added = document.createElement('meta');
            added.setAttribute('charset', value);
            ensureHead().insertBefore(added, document.head.firstChild);
        }
    }

    function setPage(argument) {
        if (!argument || typeof argument !== 'object' || !document.body)
            return false;
        const charset = text(argument.charset).trim();
        const background = text(argument.background).trim();
        const foreground = text(argument.text).trim();
        if (!/^[A-Za-z0-9._:-]{0,40}$/.test(charset) || !COLOUR.test(background) || !COLOUR.test(foreground))
            return false;
        return lw.journal.change(() => {
            const title = text(argument.title);
            if (title !== document.title) {
                let element = document.head ? document.head.querySelector('title') : null;
                if (!element)
                    element = ensureHead().appendChild(document.createElement('title'));
                element.textContent = title;
            }
            setAttribute(document.documentElement, 'lang', text(argument.language).trim());
            setCharset(charset);
            setMeta('description', text(argument.description));
            setMeta('keywords', text(argument.keywords));
            setAttribute(document.body, 'bgcolor', background);
            setAttribute(document.body, 'text', foreground);
        });
    }

    lw.define(IMAGE_PROPERTIES, {
        flags: () => lw.SUPPORTED | lw.flag(lw.canEdit() && image() !== null, lw.ENABLED),
        exec: setImage,
    });
    lw.define(LINK_PROPERTIES, {
        flags: () => lw.SUPPORTED | lw.flag(lw.canEdit() && link() !== null, lw.ENABLED),
        exec: setLink,
    });
    lw.define(PAGE_PROPERTIES, {
        flags: () => lw.SUPPORTED | lw.flag(lw.isEditing() && document.body !== null, lw.ENABLED),
        exec: setPage,
    });

    // What the property dialogs start from.
    lw.addContext(() => {
        const img = image();
        const a = link();
        const description = metaNamed('description');
        const keywords = metaNamed('keywords');
        return {
            imageProperties: img ? {
                source: img.getAttribute('src') || '',
                alt: img.getAttribute('alt') || '',
                width: img.getAttribute('width') || '',
                height: img.getAttribute('height') || '',
                naturalWidth: img.naturalWidth,
                naturalHeight: img.naturalHeight,
                align: (img.getAttribute('align') || '').toLowerCase(),
                border: img.getAttribute('border') || '',
            } : null,
            linkProperties: a ? {
                address: a.getAttribute('href') || '',
                title: a.getAttribute('title') || '',
                target: a.getAttribute('target') || '',
            } : null,
            pageProperties: {
                title: document.title,
                language: document.documentElement.getAttribute('lang') || '',
                charset: declaredCharset(),
                loadedCharset: document.characterSet,
                description: description ? description.getAttribute('content') || '' : '',
                keywords: keywords ? keywords.getAttribute('content') || '' : '',
                background: document.body ? document.body.getAttribute('bgcolor') || '' : '',
                text: document.body ? document.body.getAttribute('text') || '' : '',
            },
        };
    });

    lw.properties = true;
})();
