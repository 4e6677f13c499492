#pragma once
// User-defined tools: external programs the user lists in the Customize dialog, shown in
// the UserTools menu as commands of their own and started without a shell, so nothing
// stored in the settings can smuggle in a command line of its own.

#include "framework/core/Types.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace lw {

class CUserTool {
public:
    QString m_strLabel;     // the menu text
    QString m_strCommand;   // the program to run
    QString m_strArguments; // split like a command line; macros expanded per argument
    QString m_strInitialDirectory;
    UINT m_uiCmdId = 0;

    // The arguments as the program receives them, with the macros replaced for the
    // document at `documentPath` (empty when none is open): "$(FilePath)", "$(FileDir)",
    // "$(FileName)".
    QStringList ExpandedArguments(const QString& documentPath) const;
    // Starts the program detached; FALSE when it could not be started.
    BOOL Invoke(const QString& documentPath) const;
};

class CUserToolsManager {
public:
    CUserToolsManager(UINT placeholderCmd, UINT firstCmd, UINT lastCmd);

    UINT GetPlaceholderCmd() const { return m_uiPlaceholderCmd; }
    UINT GetFirstCmd() const { return m_uiFirstCmd; }
    UINT GetLastCmd() const { return m_uiLastCmd; }
    int GetMaxTools() const { return int(m_uiLastCmd - m_uiFirstCmd + 1); }
    bool IsUserToolCmd(UINT id) const { return id >= m_uiFirstCmd && id <= m_uiLastCmd; }

    const std::vector<CUserTool>& GetUserTools() const { return m_tools; }
    // Replaces the list; tools beyond the command range are dropped. Commands are
    // numbered from the first one in list order.
    void SetUserTools(std::vector<CUserTool> tools);
    const CUserTool* FindTool(UINT id) const;
    BOOL InvokeTool(UINT id, const QString& documentPath) const;

    // The stored form of the list (the workspace's "Tools" value), and back; a damaged
    // value gives the tools read before the damage.
    QByteArray Save() const;
    void Load(const QByteArray& bytes);

private:
    UINT m_uiPlaceholderCmd;
    UINT m_uiFirstCmd;
    UINT m_uiLastCmd;
    std::vector<CUserTool> m_tools;
};

} // namespace lw
