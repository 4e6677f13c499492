// Tables: inserting one, adding and deleting rows and columns, merging and splitting cells.
// Each command is one undo step. Command numbers above 16 bits are this engine's own.
(function () {
    'use strict';
    const lw = window.__lwEditorCore;
    if (!lw || lw.tables)
        return;

    const INSERT_TABLE = 0x10001;
    const ROW_ABOVE = 0x10002;
    const ROW_BELOW = 0x10003;
    const COLUMN_LEFT = 0x10004;
    const COLUMN_RIGHT = 0x10005;
    const DELETE_ROW = 0x10006;
    const DELETE_COLUMN = 0x10007;
    const DELETE_TABLE = 0x10008;
    const MERGE_CELLS = 0x10009;
    const SPLIT_CELL = 0x1000a;
    // More rows or columns than anyone builds by hand: a typo must not freeze the page.
    const MOST = 500;

    const cellOf = (node) => {
        const element = lw.elementOf(node);
        const cell = element ? element.closest('td, th') : null;
        return cell && document.body.contains(cell) && !lw.isAid(cell) ? cell : null;
    };
    const caretCell = lw.lazy(() => {
        const range = lw.range();
        return range ? cellOf(range.startContainer) : null;
    });

    // Where every cell sits: grid[row][column] is the cell covering that slot.
    function layout(table) {
        const rows = Array.from(table.rows);
        const grid = rows.map(() => []);
        const at = new Map();
        rows.forEach((row, r) => {
            let c = 0;
            for (const cell of row.cells) {
                while (grid[r][c])
                    ++c;
                at.set(cell, { r: r, c: c });
                for (let dr = 0; dr < Math.max(1, cell.rowSpan) && r + dr < rows.length; ++dr) {
                    for (let dc = 0; dc < Math.max(1, cell.colSpan); ++dc)
                        grid[r + dr][c + dc] = cell;
                }
                c += Math.max(1, cell.colSpan);
            }
        });
        const columns = Math.max(0, ...grid.map((row) => row.length));
        return { rows: rows, grid: grid, at: at, columns: columns };
    }

    const rowSpanOf = (cell, map) => Math.min(Math.max(1, cell.rowSpan), map.rows.length - map.at.get(cell).r);

    function newCell(tag) {
        const cell = document.createElement(tag || 'td');
        cell.appendChild(document.createElement('br'));
        return cell;
    }

    function caretInto(cell) {
        if (!cell || !cell.isConnected)
            return;
        const range = document.createRange();
        range.selectNodeContents(cell);
        range.collapse(true);
        lw.select(range);
    }

    // Puts cell into row r among the cells that start there, in column order.
    function placeInRow(map, r, column, cell) {
        const row = map.rows[r];
        const next = Array.from(row.cells).find((other) => map.at.get(other) && map.at.get(other).c >= column);
        row.insertBefore(cell, next || null);
    }

    function insertRow(below) {
        const cell = caretCell();
        const table = cell.closest('table');
        const map = layout(table);
        const from = map.at.get(cell);
        const r = below ? from.r + rowSpanOf(cell, map) - 1 : from.r;
        // A row added below the header row is the body's first, not another header row.
        const belowHeader = below && map.rows[r].parentElement.tagName === 'THEAD' && table.tBodies.length > 0;
        const row = document.createElement('tr');
        let first = null;
        const seen = new Set();
        for (let c = 0; c < map.columns; ++c) {
            const covering = map.grid[r][c];
            if (covering && !seen.has(covering)) {
                const start = map.at.get(covering).r;
                const spansOver = below ? start + rowSpanOf(covering, map) - 1 > r : start < r;
                if (spansOver) {
                    seen.add(covering);
                    covering.rowSpan = rowSpanOf(covering, map) + 1;
                    c += Math.max(1, covering.colSpan) - 1;
                    continue;
                }
            }
            const added = newCell(covering && covering.tagName === 'TH' && !belowHeader ? 'th' : 'td');
            row.appendChild(added);
            first = first || added;
        }
        if (belowHeader)
            table.tBodies[0].insertBefore(row, table.tBodies[0].firstChild);
        else
            map.rows[r].parentNode.insertBefore(row, below ? map.rows[r].nextSibling : map.rows[r]);
        caretInto(first || cell);
    }

    function insertColumn(right) {
        const cell = caretCell();
        const map = layout(cell.closest('table'));
        const from = map.at.get(cell);
        const k = right ? from.c + Math.max(1, cell.colSpan) : from.c;
        const widened = new Set();
        let caret = null;
        for (let r = 0; r < map.rows.length; ++r) {
            const left = k > 0 ? map.grid[r][k - 1] : null;
            const next = map.grid[r][k] || null;
            if (left && left === next) {
                if (!widened.has(left)) {
                    widened.add(left);
                    left.colSpan = Math.max(1, left.colSpan) + 1;
                }
                continue;
            }
            const added = newCell((next || left || cell).tagName.toLowerCase());
            placeInRow(map, r, k, added);
            if (r === from.r)
                caret = added;
        }
        caretInto(caret);
    }

    function deleteTable(table) {
        const range = document.createRange();
        range.setStartBefore(table);
        range.collapse(true);
        table.remove();
        lw.select(range);
    }

    function deleteRow() {
        const cell = caretCell();
        const table = cell.closest('table');
        const map = layout(table);
        const r = map.at.get(cell).r;
        const seen = new Set();
        for (let c = 0; c < map.columns; ++c) {
            const covering = map.grid[r][c];
            if (!covering || seen.has(covering))
                continue;
            seen.add(covering);
            const span = rowSpanOf(covering, map);
            if (span <= 1)
                continue;
            // A cell spanning the row loses it; one starting there moves down a row.
            covering.rowSpan = span - 1;
            if (map.at.get(covering).r === r)
                placeInRow(map, r + 1, map.at.get(covering).c, covering);
        }
        const next = map.rows[r + 1] || map.rows[r - 1];
        map.rows[r].remove();
        if (table.rows.length === 0)
            return deleteTable(table);
        caretInto(next.cells[0]);
    }

    function deleteColumn() {
        const cell = caretCell();
        const table = cell.closest('table');
        const map = layout(table);
        const c = map.at.get(cell).c;
        const seen = new Set();
        for (let r = 0; r < map.rows.length; ++r) {
            const covering = map.grid[r][c];
            if (!covering || seen.has(covering))
                continue;
            seen.add(covering);
            if (covering.colSpan > 1)
                covering.colSpan -= 1;
            else
                covering.remove();
        }
        for (const row of Array.from(table.rows)) {
            if (row.cells.length === 0)
                row.remove();
        }
        if (table.querySelector('td, th') === null)
            return deleteTable(table);
        const after = layout(table);
        const row = Math.min(map.at.get(cell).r, after.rows.length - 1);
        caretInto(after.grid[row][Math.min(c, after.grid[row].length - 1)]);
    }

    // The two cells a selection runs between, when they are different cells of one table.
    const cornerCells = lw.lazy(() => {
        const range = lw.range();
        if (!range || range.collapsed)
            return null;
        const start = cellOf(range.startContainer);
        const end = cellOf(range.endContainer);
        if (!start || !end || start === end || start.closest('table') !== end.closest('table'))
            return null;
        return [start, end];
    });

    // The rectangle with those two cells at its corners, grown until no cell sticks out of it,
    // and every cell in it; null where the table has holes.
    function mergeArea() {
        const corners = cornerCells();
        if (!corners)
            return null;
        const map = layout(corners[0].closest('table'));
        let top = Infinity, left = Infinity, bottom = -1, right = -1;
        const include = (cell) => {
            const at = map.at.get(cell);
            const before = [top, left, bottom, right].join();
            top = Math.min(top, at.r);
            left = Math.min(left, at.c);
            bottom = Math.max(bottom, at.r + rowSpanOf(cell, map) - 1);
            right = Math.max(right, at.c + Math.max(1, cell.colSpan) - 1);
            return before !== [top, left, bottom, right].join();
        };
        corners.forEach(include);
        let cells;
        for (let grown = true; grown;) {
            grown = false;
            cells = new Set();
            for (let r = top; r <= bottom; ++r) {
                for (let c = left; c <= right; ++c) {
                    const cell = map.grid[r][c];
                    if (!cell)
                        return null;
                    cells.add(cell);
                    grown = include(cell) || grown;
                }
            }
        }
        return { map: map, top: top, left: left, rows: bottom - top + 1, columns: right - left + 1, cells: Array.from(cells) };
    }

    function mergeCells() {
        const area = mergeArea();
        const target = area.map.grid[area.top][area.left];
        for (const cell of area.cells) {
            if (cell === target)
                continue;
            const empty = cell.textContent.trim() === '' && !cell.querySelector('img, table, input, hr');
            if (!empty) {
                if (target.textContent.trim() === '' && !target.querySelector('img, table, input, hr'))
                    target.replaceChildren();
                else
                    target.appendChild(document.createElement('br'));
                while (cell.firstChild)
                    target.appendChild(cell.firstChild);
            }
            cell.remove();
        }
        target.colSpan = area.columns;
        target.rowSpan = area.rows;
        if (area.columns === 1)
            target.removeAttribute('colspan');
        // A row left without cells of its own is dropped, with the spans that reached into it.
        const after = layout(target.closest('table'));
        after.rows.forEach((row, r) => {
            if (row.cells.length > 0)
                return;
            for (const cell of new Set(after.grid[r].filter(Boolean)))
                cell.rowSpan = Math.max(1, cell.rowSpan - 1);
            row.remove();
        });
        for (const cell of area.cells.filter((cell) => cell.isConnected && cell.rowSpan === 1))
            cell.removeAttribute('rowspan');
        if (area.rows === 1 || target.rowSpan === 1)
            target.removeAttribute('rowspan');
        caretInto(target);
    }

    const splitTarget = () => {
        const cell = caretCell();
        return cell && (cell.colSpan > 1 || cell.rowSpan > 1) ? cell : null;
    };

    function splitCell() {
        const cell = splitTarget();
        const map = layout(cell.closest('table'));
        const at = map.at.get(cell);
        const rows = rowSpanOf(cell, map);
        const columns = Math.max(1, cell.colSpan);
        cell.removeAttribute('colspan');
        cell.removeAttribute('rowspan');
        for (let r = at.r; r < at.r + rows; ++r) {
            for (let c = r === at.r ? at.c + 1 : at.c; c < at.c + columns; ++c)
                placeInRow(map, r, c, newCell(cell.tagName.toLowerCase()));
        }
        caretInto(cell);
    }

    function count(value) {
        const number = Number(value);
        return Number.isInteger(number) && number >= 1 && number <= MOST ? number : 0;
    }

    // A width as authors write it: a number of pixels or a percentage.
    function cssWidth(value) {
        const match = /^\s*(\d+(?:\.\d+)?)\s*(%|px)?\s*$/.exec(String(value === undefined || value === null ? '' : value));
        return match ? match[1] + (match[2] || 'px') : null;
    }

    function insertTable(argument) {
        if (!argument || typeof argument !== 'object')
            return false;
        const rows = count(argument.rows);
        const columns = count(argument.columns);
        if (!rows || !columns)
            return false;
        const table = document.createElement('table');
        table.setAttribute('border', '1');
        const width = cssWidth(argument.width);
        if (width)
            table.style.width = width;
        const addRow = (parent, tag) => {
            const row = parent.appendChild(document.createElement('tr'));
            for (let c = 0; c < columns; ++c)
                row.appendChild(newCell(tag));
        };
        if (argument.header) {
            addRow(table.appendChild(document.createElement('thead')), 'th');
        }
        const body = table.appendChild(document.createElement('tbody'));
        for (let r = argument.header ? 1 : 0; r < rows; ++r)
            addRow(body, 'td');
        const before = new Set(document.body.querySelectorAll('table'));
        if (!lw.insertElements([table]))
            return false;
        const inserted = Array.from(document.body.querySelectorAll('table')).find((t) => !before.has(t));
        if (inserted)
            caretInto(inserted.querySelector('td, th'));
        return true;
    }

    const inCell = () => lw.canEdit() && caretCell() !== null;
    const commands = [
        [ROW_ABOVE, inCell, () => insertRow(false)],
        [ROW_BELOW, inCell, () => insertRow(true)],
        [COLUMN_LEFT, inCell, () => insertColumn(false)],
        [COLUMN_RIGHT, inCell, () => insertColumn(true)],
        [DELETE_ROW, inCell, deleteRow],
        [DELETE_COLUMN, inCell, deleteColumn],
        [DELETE_TABLE, inCell, () => deleteTable(caretCell().closest('table'))],
        [MERGE_CELLS, () => lw.canEdit() && mergeArea() !== null, mergeCells],
        [SPLIT_CELL, () => lw.canEdit() && splitTarget() !== null, splitCell],
    ];
    for (const [number, enabled, change] of commands) {
        lw.define(number, {
            flags: () => lw.SUPPORTED | lw.flag(enabled(), lw.ENABLED),
            exec: () => enabled() && lw.journal.change(change),
        });
    }
    lw.define(INSERT_TABLE, {
        flags: () => lw.SUPPORTED | lw.flag(lw.canEdit(), lw.ENABLED),
        exec: insertTable,
    });

    lw.tables = { layout: layout };
})();
