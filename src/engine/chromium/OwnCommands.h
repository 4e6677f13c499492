#pragma once
// Engine command numbers of this engine's own, for what the page's context menu offers beyond
// the contract's commands. They lie above 16 bits, where no contract number does.

#include <QtGlobal>

namespace lw::owncmd {

constexpr quint32 kInsertTable = 0x10001;
constexpr quint32 kInsertRowAbove = 0x10002;
constexpr quint32 kInsertRowBelow = 0x10003;
constexpr quint32 kInsertColumnLeft = 0x10004;
constexpr quint32 kInsertColumnRight = 0x10005;
constexpr quint32 kDeleteRow = 0x10006;
constexpr quint32 kDeleteColumn = 0x10007;
constexpr quint32 kDeleteTable = 0x10008;
constexpr quint32 kMergeCells = 0x10009;
constexpr quint32 kSplitCell = 0x1000a;
constexpr quint32 kImageProperties = 0x10011;
constexpr quint32 kLinkProperties = 0x10012;
constexpr quint32 kPageProperties = 0x10013;

} // namespace lw::owncmd
