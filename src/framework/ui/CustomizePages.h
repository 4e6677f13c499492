#pragma once
// The pages of the Customize dialog. Each acts on the frame, the keyboard manager, the
// user tools or the shared bar options at once; the dialog keeps no copy to apply later.

#include "framework/core/Resources.h"
#include "framework/ui/KeyboardManager.h"

#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace lw {

class CMFCToolBar;
class CMFCToolBarsCustomizeDialog;
class CUserToolsManager;

class CCustomizeCommandsPage : public QWidget {
public:
    explicit CCustomizeCommandsPage(CMFCToolBarsCustomizeDialog* dialog);
    QListWidget* GetCategoryList() const { return m_categories; }
    QListWidget* GetCommandList() const { return m_commands; }
    QLabel* GetDescription() const { return m_description; }
    void SelectCategory(int index);

protected:
    // A command pressed in the list and released over a bar or the menu bar lands there.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    CMFCToolBarsCustomizeDialog* m_dialog;
    QListWidget* m_categories;
    QListWidget* m_commands;
    QLabel* m_description;
    UINT m_nPressed = 0;
    QPoint m_pressPos;
    bool m_bDragging = false;
};

class CCustomizeToolbarsPage : public QWidget {
public:
    explicit CCustomizeToolbarsPage(CMFCToolBarsCustomizeDialog* dialog);
    QListWidget* GetBarList() const { return m_bars; }
    // What the buttons do, past the questions they ask.
    CMFCToolBar* NewToolBar(const QString& name);
    void RenameToolBar(CMFCToolBar* bar, const QString& name);
    BOOL DeleteToolBar(CMFCToolBar* bar);
    void ResetToolBar(CMFCToolBar* bar);
    void ResetAll();
    CMFCToolBar* SelectedBar() const;
    void Refresh();

private:
    void updateButtons();

    CMFCToolBarsCustomizeDialog* m_dialog;
    QListWidget* m_bars;
    std::vector<QPointer<CMFCToolBar>> m_barList;
    QPushButton* m_new;
    QPushButton* m_rename;
    QPushButton* m_delete;
    QPushButton* m_reset;
    QCheckBox* m_textLabels;
};

class CCustomizeToolsPage : public QWidget {
public:
    explicit CCustomizeToolsPage(CMFCToolBarsCustomizeDialog* dialog);
    QListWidget* GetToolList() const { return m_list; }
    QLineEdit* GetTextEdit() const { return m_text; }
    QLineEdit* GetCommandEdit() const { return m_command; }
    QLineEdit* GetArgumentsEdit() const { return m_arguments; }
    QLineEdit* GetDirectoryEdit() const { return m_directory; }
    void AddTool();
    void DeleteTool();
    void MoveTool(int delta);

private:
    void load();
    void store();
    void showTool();

    CUserToolsManager* m_manager;
    QListWidget* m_list;
    QLineEdit* m_text;
    QLineEdit* m_command;
    QLineEdit* m_arguments;
    QLineEdit* m_directory;
    std::vector<QWidget*> m_toolWidgets;
    bool m_bLoading = false;
};

// A line that takes the next key pressed, modifiers included, instead of text.
class CKeyCaptureEdit : public QLineEdit {
public:
    explicit CKeyCaptureEdit(QWidget* parent = nullptr);
    std::optional<AcceleratorKey> GetKey() const { return m_key; }
    void SetKey(std::optional<AcceleratorKey> key);
    std::function<void()> onKeyChanged;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    std::optional<AcceleratorKey> m_key;
};

class CCustomizeKeyboardPage : public QWidget {
public:
    explicit CCustomizeKeyboardPage(CMFCToolBarsCustomizeDialog* dialog);
    QComboBox* GetCategoryBox() const { return m_category; }
    QListWidget* GetCommandList() const { return m_commands; }
    QListWidget* GetKeyList() const { return m_keys; }
    CKeyCaptureEdit* GetKeyEdit() const { return m_newKey; }
    QLabel* GetAssignedTo() const { return m_assignedTo; }
    UINT SelectedCommand() const;
    void SelectCommand(UINT id);
    void Assign();
    void Remove();
    void ResetAll();

private:
    void fillCommands();
    void showKeys();
    void changed();

    CMFCToolBarsCustomizeDialog* m_dialog;
    CKeyboardManager* m_keysManager;
    QComboBox* m_category;
    QListWidget* m_commands;
    QListWidget* m_keys;
    CKeyCaptureEdit* m_newKey;
    QLabel* m_assignedTo;
    QLabel* m_description;
    QPushButton* m_assign;
    QPushButton* m_remove;
};

class CCustomizeMenuPage : public QWidget {
public:
    explicit CCustomizeMenuPage(CMFCToolBarsCustomizeDialog* dialog);
    QComboBox* GetAnimationBox() const { return m_animation; }
    QCheckBox* GetShadowBox() const { return m_shadows; }
    void ResetMenuBar();

private:
    CMFCToolBarsCustomizeDialog* m_dialog;
    QComboBox* m_animation = nullptr;
    QCheckBox* m_shadows = nullptr;
};

class CCustomizeOptionsPage : public QWidget {
public:
    explicit CCustomizeOptionsPage(CMFCToolBarsCustomizeDialog* dialog);
    QCheckBox* GetTooltipsBox() const { return m_tooltips; }
    QCheckBox* GetShortcutKeysBox() const { return m_shortcutKeys; }
    QCheckBox* GetLargeIconsBox() const { return m_largeIcons; }
    QCheckBox* GetFullMenusBox() const { return m_fullMenus; }
    QCheckBox* GetAfterDelayBox() const { return m_afterDelay; }

private:
    void apply();

    CMFCToolBarsCustomizeDialog* m_dialog;
    QCheckBox* m_tooltips;
    QCheckBox* m_shortcutKeys;
    QCheckBox* m_largeIcons;
    QCheckBox* m_fullMenus;
    QCheckBox* m_afterDelay;
};

} // namespace lw
