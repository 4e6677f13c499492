#include "framework/ui/DialogEx.h"

#include "framework/core/WinApp.h"
#include "framework/ui/MDIFrameWndEx.h"

#include <QApplication>
#include <QFontMetrics>

namespace lw {

namespace {
QWidget* defaultOwner() {
    if (CWinApp* app = AfxGetApp())
        if (auto* frame = dynamic_cast<CMDIFrameWndEx*>(app->m_pMainWnd))
            return frame->GetWidget();
    return QApplication::activeWindow();
}
} // namespace

BEGIN_EMPTY_MESSAGE_MAP(CDialogEx, CWnd)

CDialogEx::CDialogEx(UINT nIDTemplate, QWidget* pParent)
    : QDialog(pParent ? pParent : defaultOwner()), m_nIDTemplate(nIDTemplate) {
    // Only a close box, as a modal frame has.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

CDialogEx::~CDialogEx() = default;

int CDialogEx::DoModal() {
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

QRect CDialogEx::MapDialogRect(int x, int y, int cx, int cy) const {
    // A dialog unit is a quarter of the font's average character width and an eighth of its height.
    const QFontMetrics fm(font());
    const double bx = fm.averageCharWidth() / 4.0, by = fm.height() / 8.0;
    return QRect(qRound(x * bx), qRound(y * by), qRound(cx * bx), qRound(cy * by));
}

} // namespace lw
