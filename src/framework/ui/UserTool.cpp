#include "framework/ui/UserTool.h"

#include <QDataStream>
#include <QFileInfo>
#include <QIODevice>
#include <QProcess>
#include <QtDebug>

namespace lw {

namespace {
// Raised when the stored form changes; another version is not read.
constexpr qint32 kToolsFormat = 1;
} // namespace

QStringList CUserTool::ExpandedArguments(const QString& documentPath) const {
    const QFileInfo doc(documentPath);
    const bool hasDoc = !documentPath.isEmpty();
    QStringList args = QProcess::splitCommand(m_strArguments);
    for (QString& arg : args) {
        arg.replace(QStringLiteral("$(FilePath)"), hasDoc ? doc.absoluteFilePath() : QString());
        arg.replace(QStringLiteral("$(FileDir)"), hasDoc ? doc.absolutePath() : QString());
        arg.replace(QStringLiteral("$(FileName)"), hasDoc ? doc.fileName() : QString());
    }
    return args;
}

BOOL CUserTool::Invoke(const QString& documentPath) const {
    if (m_strCommand.trimmed().isEmpty())
        return FALSE;
    return QProcess::startDetached(m_strCommand, ExpandedArguments(documentPath), m_strInitialDirectory)
               ? TRUE
               : FALSE;
}

CUserToolsManager::CUserToolsManager(UINT placeholderCmd, UINT firstCmd, UINT lastCmd)
    : m_uiPlaceholderCmd(placeholderCmd), m_uiFirstCmd(firstCmd), m_uiLastCmd(std::max(firstCmd, lastCmd)) {}

void CUserToolsManager::SetUserTools(std::vector<CUserTool> tools) {
    if (tools.size() > size_t(GetMaxTools())) {
        qWarning("%zu user tools are more than the %d commands they can have; the rest are dropped",
                 tools.size(), GetMaxTools());
        tools.resize(size_t(GetMaxTools()));
    }
    m_tools = std::move(tools);
    UINT id = m_uiFirstCmd;
    for (CUserTool& tool : m_tools)
        tool.m_uiCmdId = id++;
}

const CUserTool* CUserToolsManager::FindTool(UINT id) const {
    for (const CUserTool& tool : m_tools)
        if (tool.m_uiCmdId == id)
            return &tool;
    return nullptr;
}

BOOL CUserToolsManager::InvokeTool(UINT id, const QString& documentPath) const {
    const CUserTool* tool = FindTool(id);
    return tool ? tool->Invoke(documentPath) : FALSE;
}

QByteArray CUserToolsManager::Save() const {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kToolsFormat << qint32(m_tools.size());
    for (const CUserTool& tool : m_tools)
        out << tool.m_strLabel << tool.m_strCommand << tool.m_strArguments << tool.m_strInitialDirectory;
    return bytes;
}

void CUserToolsManager::Load(const QByteArray& bytes) {
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    qint32 format = 0;
    qint32 count = 0;
    in >> format >> count;
    if (in.status() != QDataStream::Ok || format != kToolsFormat || count < 0) {
        qWarning("The stored user tools could not be read; none are loaded");
        return;
    }
    if (count > GetMaxTools())
        qWarning("%d stored user tools are more than the %d commands they can have; the rest are dropped",
                 count, GetMaxTools());
    std::vector<CUserTool> tools;
    for (qint32 i = 0; i < std::min(count, qint32(GetMaxTools())); ++i) {
        CUserTool tool;
        in >> tool.m_strLabel >> tool.m_strCommand >> tool.m_strArguments >> tool.m_strInitialDirectory;
        if (in.status() != QDataStream::Ok) {
            qWarning("The stored user tools end early; %zu of %d are loaded", tools.size(), count);
            break;
        }
        tools.push_back(std::move(tool));
    }
    SetUserTools(std::move(tools));
}

} // namespace lw
