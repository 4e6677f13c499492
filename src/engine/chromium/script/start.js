// Starts the editing side once every part of it is in place: watches the page and connects
// to the host.
(function () {
    'use strict';
    const lw = window.__lwEditorCore;
    if (!lw || Object.prototype.hasOwnProperty.call(window, '__lwEditor'))
        return;

    // What the host calls.
    window.__lwEditor = {
        exec: lw.exec,
        setDesignMode: lw.setDesignMode,
        setOptions: lw.setOptions,
        holdSelection: lw.holdSelection,
        releaseSelection: () => lw.releaseSelection(false),
        applyFont: (choice, restore) => {
            lw.releaseSelection(restore);
            const done = lw.applyFont(choice);
            lw.queueSnapshot();
            return done;
        },
        selectMatch: lw.selectMatch,
        serialize: lw.serialize,
        initNew: lw.initNew,
        // What the host needs to parse the page's bytes as the engine did, and where to
        // hand the result.
        sourceInfo: () => ({ documentId: lw.documentId, characterSet: document.characterSet }),
        attachSource: lw.source.attach,
        matchesPage: lw.source.matches,
        selectionPlaces: lw.places.selection,
        placeCaret: lw.places.placeCaret,
        keepSelectionThroughClick: lw.places.keepSelectionThroughClick,
        snapshot: lw.takeSnapshot,
    };

    // The engine's empty page is where a new document starts: it gets a new page's parts. Markup
    // the user wrote for a new document loads at the same address and is left as written.
    const empty = (element) => !element || element.childNodes.length === 0;
    if (document.URL === 'about:blank' && !document.doctype && empty(document.head) && empty(document.body))
        lw.initNew();

    lw.observe();
    document.addEventListener('selectionchange', lw.queueSnapshot);
    document.addEventListener('input', lw.queueSnapshot);

    if (typeof qt !== 'undefined' && qt.webChannelTransport) {
        const transport = qt.webChannelTransport;
        const channel = new QWebChannel(transport, (ready) => {
            lw.host = ready.objects.lwHost;
            lw.pushSnapshot();
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
