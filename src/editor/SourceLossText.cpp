#include "editor/SourceLossText.h"

#include "framework/core/Resources.h"
#include "resources/CommandIds.h"

namespace lw {

QString SourceLossText(const SourceLoss& loss) {
    using Kind = SourceLoss::Kind;
    UINT id = 0;
    switch (loss.kind) {
    case Kind::None:
        return {};
    case Kind::InvalidBytes:
        id = IDS_SOURCE_INVALID_BYTES;
        break;
    case Kind::NulBytes:
        id = IDS_SOURCE_NUL_BYTES;
        break;
    case Kind::UnwritableEncoding:
        id = IDS_SOURCE_UNWRITABLE_ENCODING;
        break;
    case Kind::TooLarge:
        id = IDS_SOURCE_TOO_LARGE;
        break;
    case Kind::Unmatched:
        id = IDS_SOURCE_UNMATCHED;
        break;
    case Kind::CharactersOutsideEncoding:
        id = IDS_SOURCE_OUTSIDE_ENCODING;
        break;
    case Kind::UndeclaredEncoding:
        id = IDS_SOURCE_UNDECLARED_ENCODING;
        break;
    }
    const QString text = AfxLoadString(id);
    return text.contains(QLatin1String("%1")) ? text.arg(loss.encoding) : text;
}

QString PageNoteText(const SourceLoss& loss, bool largePage) {
    QString text = SourceLossText(loss);
    if (largePage)
        text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + AfxLoadString(IDS_LARGE_PAGE);
    return text;
}

} // namespace lw
