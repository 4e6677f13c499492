#pragma once
// "Windows": the open document windows in a list, to activate or close some of them.

#include <QDialog>

class QListWidget;

namespace lw {

class CMDIFrameWnd;

class CWindowsDialog : public QDialog {
public:
    CWindowsDialog(CMDIFrameWnd* frame, QWidget* parent = nullptr);

    QListWidget* GetList() const { return m_list; }
    // Activates the selected window and closes the dialog.
    void OnActivate();
    // Closes the selected windows (each asks about unsaved changes itself).
    void OnCloseWindows();

private:
    void fill();

    CMDIFrameWnd* m_frame;
    QListWidget* m_list;
};

} // namespace lw
