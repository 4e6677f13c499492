#pragma once
// "Windows": the open document windows in a list, to activate, save, close, arrange or
// minimise the ones selected.

#include <QDialog>
#include <vector>

class QListWidget;
class QPushButton;

namespace lw {

class CMDIChildWnd;
class CMDIFrameWndEx;

class CWindowsDialog : public QDialog {
public:
    CWindowsDialog(CMDIFrameWndEx* frame, QWidget* parent = nullptr);

    QListWidget* GetList() const { return m_list; }
    // Activates the selected window and closes the dialog.
    void OnActivate();
    // Closes the selected windows (each asks about unsaved changes itself).
    void OnCloseWindows();
    // Saves the documents of the selected windows as File > Save would.
    void OnSave();
    // Minimises the selected windows (overlapping windows only).
    void OnMinimize();
    // The arrangement commands, sent to the frame as the Window menu sends them.
    void OnArrange(unsigned command);

private:
    void fill();
    std::vector<CMDIChildWnd*> selected() const;
    void updateButtons();

    CMDIFrameWndEx* m_frame;
    QListWidget* m_list;
    std::vector<QPushButton*> m_needSelection;
    std::vector<QPushButton*> m_classicOnly;
};

} // namespace lw
