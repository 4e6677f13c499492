// Elements as units: a click on an image or a control selects it whole, several can be picked
// together (multiple selection), absolutely positioned ones move by dragging their frame (2D
// position), a selected element is resized by its handle (live or on release), and the
// positioning commands switch elements between the flow and absolute positions. Frames and
// handles are drawn by the editor above the page and never belong to it.
(function () {
    'use strict';
    const lw = window.__lwEditorCore;
    if (!lw || lw.pickedElements)
        return;

    const UNITS = 'img, input, button, select, textarea, iframe, object, embed, hr, video, audio, canvas';
    // How close to its edge a positioned element is taken by its frame.
    const GRAB = 6;
    // How far the mouse moves before a press becomes a drag.
    const DRAG_START = 3;

    let picked = [];
    let gesture = null;
    let overlay = null;

    const inBody = (element) => element && element !== document.body && document.body && document.body.contains(element) && !lw.isAid(element);
    const isAbsolute = (element) => {
        const position = getComputedStyle(element).position;
        return position === 'absolute' || position === 'fixed';
    };

    function positionedAround(node) {
        for (let e = lw.elementOf(node); inBody(e); e = e.parentElement) {
            if (getComputedStyle(e).position !== 'static')
                return e;
        }
        return null;
    }

    // The element positioning commands act on: the selected element, or the positioned one
    // the selection is in.
    const target = lw.lazy(() => {
        const selected = lw.selectedElement();
        if (selected && inBody(selected))
            return selected;
        const range = lw.range();
        return range ? positionedAround(range.startContainer) : null;
    });

    lw.pickedElements = () => {
        const all = lw.options[2393] ? picked.filter((element) => element.isConnected) : [];
        const selected = lw.selectedElement();
        if (selected && inBody(selected) && !all.includes(selected))
            all.push(selected);
        return all;
    };

    function within(rect, x, y, margin) {
        return x >= rect.left - margin && x <= rect.right + margin && y >= rect.top - margin && y <= rect.bottom + margin;
    }

    // The absolutely positioned element whose frame is under the point.
    function grabbedAt(element, x, y) {
        for (let e = element; inBody(e); e = e.parentElement) {
            if (!isAbsolute(e))
                continue;
            const rect = e.getBoundingClientRect();
            if (within(rect, x, y, GRAB) && !within(rect, x, y, -GRAB))
                return e;
        }
        return null;
    }

    function setPosition(element, absolute) {
        if (absolute === isAbsolute(element))
            return;
        if (!absolute) {
            for (const name of ['position', 'left', 'top', 'z-index'])
                element.style.removeProperty(name);
            if (element.getAttribute('style') === '')
                element.removeAttribute('style');
            return;
        }
        // The element stays where it was drawn, and a block keeps its width.
        const rect = element.getBoundingClientRect();
        const width = getComputedStyle(element).width;
        const block = lw.isBlock(element);
        element.style.position = 'absolute';
        element.style.left = '0px';
        element.style.top = '0px';
        const origin = element.getBoundingClientRect();
        element.style.left = Math.round(rect.left - origin.left) + 'px';
        element.style.top = Math.round(rect.top - origin.top) + 'px';
        if (block && element.style.width === '')
            element.style.width = width;
    }

    function positionTargets() {
        const all = lw.pickedElements();
        return all.length > 1 ? all : target() ? [target()] : [];
    }

    function setAbsolute(absolute) {
        const elements = positionTargets();
        if (!lw.canEdit() || elements.length === 0)
            return false;
        return lw.journal.change(() => {
            for (const element of elements)
                setPosition(element, absolute);
        });
    }

    const positionFlags = (absolute) => () => {
        const element = target();
        return lw.SUPPORTED | lw.flag(lw.canEdit() && element !== null, lw.ENABLED) |
            lw.flag(element !== null && isAbsolute(element) === absolute, lw.LATCHED);
    };
    lw.define(2395, { flags: positionFlags(true), exec: () => setAbsolute(true) });
    lw.define(2396, { flags: positionFlags(false), exec: () => setAbsolute(false) });
    lw.define(2397, {
        flags: () => lw.SUPPORTED | lw.flag(lw.canEdit() && target() !== null, lw.ENABLED),
        read: () => (target() ? isAbsolute(target()) : null),
        exec: (argument) => typeof argument === 'boolean' && setAbsolute(argument),
    });

    // Frames round the selected and picked elements and round the positioned element the
    // caret is in (its grab frame), the selected element's resize handle, and the outline
    // of a resize in progress.
    function overlayElement() {
        if (!overlay || !overlay.isConnected) {
            overlay = lw.makeAid('lw-overlay', 'position:absolute;left:0;top:0;width:0;height:0;overflow:visible;' +
                'pointer-events:none;z-index:2147483647;');
            overlay.setAttribute('contenteditable', 'false');
        }
        return overlay;
    }

    function box(rect, css) {
        const element = document.createElement('div');
        element.style.cssText = 'position:absolute;box-sizing:border-box;left:' + (rect.left + scrollX) + 'px;top:' +
            (rect.top + scrollY) + 'px;width:' + rect.width + 'px;height:' + rect.height + 'px;' + css;
        return element;
    }

    function framed() {
        const all = lw.pickedElements();
        const range = lw.range();
        const around = lw.options[2394] && range ? positionedAround(range.startContainer) : null;
        if (around && isAbsolute(around) && !all.includes(around))
            all.push(around);
        return all;
    }

    lw.drawFrames = () => {
        const shown = lw.isEditing() && !lw.options[2404];
        const frames = shown ? framed() : [];
        const selected = shown ? lw.selectedElement() : null;
        const outline = shown && gesture && gesture.kind === 'resize' && !gesture.live ? gesture.outline : null;
        // The layer is made only once there is something to draw.
        if (!overlay && frames.length === 0 && !selected)
            return;
        const layer = overlayElement();
        layer.replaceChildren();
        for (const element of frames)
            layer.appendChild(box(element.getBoundingClientRect(), 'border:1px dashed #404040;'));
        if (selected && inBody(selected)) {
            const rect = selected.getBoundingClientRect();
            const handle = box(new DOMRect(rect.right - 4, rect.bottom - 4, 8, 8),
                'background:#fff;border:1px solid #000;pointer-events:auto;cursor:nwse-resize;');
            handle.setAttribute('data-lw-handle', 'resize');
            layer.appendChild(handle);
        }
        if (outline)
            layer.appendChild(box(outline, 'border:1px dotted #000;'));
    };
    lw.onSnapshot(lw.drawFrames);
    lw.onStateChanged(() => {
        if (!lw.options[2393])
            picked = [];
        lw.drawFrames();
    });
    window.addEventListener('resize', lw.drawFrames);

    function startResize(event) {
        const element = lw.selectedElement();
        if (!element)
            return;
        const rect = element.getBoundingClientRect();
        gesture = {
            kind: 'resize',
            element: element,
            x: event.clientX,
            y: event.clientY,
            rect: rect,
            live: lw.options[2398],
            outline: rect,
            tracker: lw.journal.track(),
        };
    }

    function startPress(event) {
        const element = event.target.nodeType === Node.ELEMENT_NODE ? event.target : event.target.parentElement;
        const unit = element && element.closest(UNITS);
        const grabbed = grabbedAt(element, event.clientX, event.clientY);
        const chosen = inBody(unit) ? unit : grabbed;
        const adding = lw.options[2393] && (event.ctrlKey || event.shiftKey);
        if (!adding)
            picked = [];
        if (!chosen)
            return;
        // The press is the editor's: no caret in the control, no text selection starting.
        event.preventDefault();
        if (adding) {
            const selected = lw.selectedElement();
            if (selected && inBody(selected) && !picked.includes(selected))
                picked.push(selected);
            const at = picked.indexOf(chosen);
            if (at >= 0 && picked.length > 1) {
                picked.splice(at, 1);
                lw.selectNode(picked[picked.length - 1]);
                lw.queueSnapshot();
                return;
            }
            picked.push(chosen);
        }
        lw.selectNode(chosen);
        lw.queueSnapshot();
        const moving = lw.options[2394] && isAbsolute(chosen);
        if (moving) {
            const elements = picked.includes(chosen) ? picked.filter(isAbsolute) : [chosen];
            gesture = {
                kind: 'move',
                x: event.clientX,
                y: event.clientY,
                started: false,
                elements: elements.map((e) => ({ element: e, left: parseFloat(getComputedStyle(e).left) || 0, top: parseFloat(getComputedStyle(e).top) || 0 })),
                tracker: null,
            };
        }
    }

    document.addEventListener('mousedown', (event) => {
        if (!lw.isEditing() || event.button !== 0)
            return;
        lw.invalidate();
        if (event.target.nodeType === Node.ELEMENT_NODE && event.target.getAttribute('data-lw-handle') === 'resize' &&
            lw.isAid(event.target)) {
            event.preventDefault();
            startResize(event);
            return;
        }
        if (lw.isAid(event.target))
            return;
        startPress(event);
    }, true);

    document.addEventListener('mousemove', (event) => {
        if (!gesture)
            return;
        const dx = event.clientX - gesture.x;
        const dy = event.clientY - gesture.y;
        event.preventDefault();
        if (gesture.kind === 'move') {
            if (!gesture.started) {
                if (Math.abs(dx) < DRAG_START && Math.abs(dy) < DRAG_START)
                    return;
                gesture.started = true;
                gesture.tracker = lw.journal.track();
            }
            for (const moved of gesture.elements) {
                moved.element.style.left = Math.round(moved.left + dx) + 'px';
                moved.element.style.top = Math.round(moved.top + dy) + 'px';
            }
        } else {
            const width = Math.max(1, gesture.rect.width + dx);
            const height = Math.max(1, gesture.rect.height + dy);
            gesture.outline = new DOMRect(gesture.rect.left, gesture.rect.top, width, height);
            if (gesture.live)
                resize(gesture.element, width, height);
        }
        lw.drawFrames();
    }, true);

    function resize(element, width, height) {
        // Width and height set the content box; the handle follows the border box.
        const style = getComputedStyle(element);
        const extraX = style.boxSizing === 'border-box' ? 0 : parseFloat(style.paddingLeft) + parseFloat(style.paddingRight) +
            parseFloat(style.borderLeftWidth) + parseFloat(style.borderRightWidth);
        const extraY = style.boxSizing === 'border-box' ? 0 : parseFloat(style.paddingTop) + parseFloat(style.paddingBottom) +
            parseFloat(style.borderTopWidth) + parseFloat(style.borderBottomWidth);
        element.style.width = Math.max(1, Math.round(width - extraX)) + 'px';
        element.style.height = Math.max(1, Math.round(height - extraY)) + 'px';
    }

    document.addEventListener('mouseup', () => {
        if (!gesture)
            return;
        const ended = gesture;
        gesture = null;
        if (ended.kind === 'resize' && !ended.live && ended.outline !== ended.rect)
            resize(ended.element, ended.outline.width, ended.outline.height);
        if (ended.tracker)
            ended.tracker.finish();
        lw.queueSnapshot();
    }, true);
})();
