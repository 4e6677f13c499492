// The Tools page of the Customize dialog: the user tools of the UserTools menu.

#include "framework/ui/CustomizePages.h"
#include "framework/ui/ToolBarsCustomizeDialog.h"
#include "framework/ui/UserTool.h"
#include "framework/ui/WinAppEx.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace lw {

CCustomizeToolsPage::CCustomizeToolsPage(CMFCToolBarsCustomizeDialog* dialog)
    : QWidget(dialog), m_list(new QListWidget(this)), m_text(new QLineEdit(this)),
      m_command(new QLineEdit(this)), m_arguments(new QLineEdit(this)), m_directory(new QLineEdit(this)) {
    auto* app = dynamic_cast<CWinAppEx*>(AfxGetApp());
    m_manager = app ? app->GetUserToolsManager() : nullptr;
    auto* add = new QPushButton(QStringLiteral("&New"), this);
    auto* remove = new QPushButton(QStringLiteral("&Delete"), this);
    auto* up = new QPushButton(QStringLiteral("Move &Up"), this);
    auto* down = new QPushButton(QStringLiteral("Move Do&wn"), this);
    auto* browse = new QToolButton(this);
    browse->setText(QStringLiteral("..."));
    auto* listButtons = new QHBoxLayout;
    for (QPushButton* b : {add, remove, up, down})
        listButtons->addWidget(b);
    auto* commandRow = new QHBoxLayout;
    commandRow->addWidget(m_command);
    commandRow->addWidget(browse);
    auto* hint = new QLabel(QStringLiteral("Arguments may name the active document: $(FilePath), $(FileDir), "
                                           "$(FileName)."),
                            this);
    hint->setWordWrap(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Menu contents:"), this), 0, 0, 1, 2);
    grid->addWidget(m_list, 1, 0, 1, 2);
    grid->addLayout(listButtons, 2, 0, 1, 2);
    const std::pair<const char*, QLayout*> rows[] = {{"Menu &text:", nullptr},
                                                     {"&Command:", commandRow},
                                                     {"&Arguments:", nullptr},
                                                     {"&Initial directory:", nullptr}};
    QLineEdit* edits[] = {m_text, nullptr, m_arguments, m_directory};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromLatin1(rows[i].first), this);
        label->setBuddy(edits[i] ? edits[i] : m_command);
        grid->addWidget(label, 3 + i, 0);
        if (rows[i].second)
            grid->addLayout(rows[i].second, 3 + i, 1);
        else
            grid->addWidget(edits[i], 3 + i, 1);
    }
    grid->addWidget(hint, 7, 0, 1, 2);
    m_toolWidgets = {m_text, m_command, m_arguments, m_directory, browse, remove, up, down};
    setEnabled(m_manager != nullptr);

    QObject::connect(add, &QPushButton::clicked, this, [this] { AddTool(); });
    QObject::connect(remove, &QPushButton::clicked, this, [this] { DeleteTool(); });
    QObject::connect(up, &QPushButton::clicked, this, [this] { MoveTool(-1); });
    QObject::connect(down, &QPushButton::clicked, this, [this] { MoveTool(1); });
    QObject::connect(browse, &QToolButton::clicked, this, [this] {
        const QString program =
            QFileDialog::getOpenFileName(this, QStringLiteral("Command"), m_command->text());
        if (!program.isEmpty())
            m_command->setText(program);
    });
    QObject::connect(m_list, &QListWidget::currentRowChanged, this, [this] { showTool(); });
    for (QLineEdit* edit : {m_text, m_command, m_arguments, m_directory})
        QObject::connect(edit, &QLineEdit::textChanged, this, [this] { store(); });
    load();
}

void CCustomizeToolsPage::load() {
    m_bLoading = true;
    const int row = m_list->currentRow();
    m_list->clear();
    if (m_manager)
        for (const CUserTool& tool : m_manager->GetUserTools())
            m_list->addItem(tool.m_strLabel);
    m_list->setCurrentRow(std::min(row, m_list->count() - 1));
    m_bLoading = false;
    showTool();
}

void CCustomizeToolsPage::showTool() {
    if (m_bLoading)
        return;
    const int row = m_list->currentRow();
    const bool has = m_manager && row >= 0 && row < int(m_manager->GetUserTools().size());
    m_bLoading = true;
    const CUserTool empty;
    const CUserTool& tool = has ? m_manager->GetUserTools()[size_t(row)] : empty;
    m_text->setText(tool.m_strLabel);
    m_command->setText(tool.m_strCommand);
    m_arguments->setText(tool.m_strArguments);
    m_directory->setText(tool.m_strInitialDirectory);
    m_bLoading = false;
    for (QWidget* w : m_toolWidgets)
        w->setEnabled(has);
}

void CCustomizeToolsPage::store() {
    const int row = m_list->currentRow();
    if (m_bLoading || !m_manager || row < 0 || row >= int(m_manager->GetUserTools().size()))
        return;
    std::vector<CUserTool> tools = m_manager->GetUserTools();
    CUserTool& tool = tools[size_t(row)];
    tool.m_strLabel = m_text->text();
    tool.m_strCommand = m_command->text();
    tool.m_strArguments = m_arguments->text();
    tool.m_strInitialDirectory = m_directory->text();
    m_manager->SetUserTools(std::move(tools));
    m_list->item(row)->setText(m_text->text());
}

void CCustomizeToolsPage::AddTool() {
    if (!m_manager || int(m_manager->GetUserTools().size()) >= m_manager->GetMaxTools())
        return;
    std::vector<CUserTool> tools = m_manager->GetUserTools();
    CUserTool tool;
    tool.m_strLabel = QStringLiteral("[New Tool %1]").arg(tools.size() + 1);
    tools.push_back(tool);
    m_manager->SetUserTools(std::move(tools));
    load();
    m_list->setCurrentRow(m_list->count() - 1);
    m_text->setFocus();
    m_text->selectAll();
}

void CCustomizeToolsPage::DeleteTool() {
    const int row = m_list->currentRow();
    if (!m_manager || row < 0 || row >= int(m_manager->GetUserTools().size()))
        return;
    std::vector<CUserTool> tools = m_manager->GetUserTools();
    tools.erase(tools.begin() + row);
    m_manager->SetUserTools(std::move(tools));
    load();
}

void CCustomizeToolsPage::MoveTool(int delta) {
    const int row = m_list->currentRow();
    const int to = row + delta;
    if (!m_manager || row < 0 || to < 0 || to >= int(m_manager->GetUserTools().size()))
        return;
    std::vector<CUserTool> tools = m_manager->GetUserTools();
    std::swap(tools[size_t(row)], tools[size_t(to)]);
    m_manager->SetUserTools(std::move(tools));
    m_bLoading = true;
    m_list->setCurrentRow(to);
    m_bLoading = false;
    load();
}

} // namespace lw
