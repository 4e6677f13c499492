#pragma once
// The few questions the framework asks the user (message boxes, file dialogs) go
// through replaceable functions: the UI layer installs real dialogs, tests install
// scripted answers.

#include "framework/core/Types.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace lw {

using MessageBoxHandler = std::function<int(const QString& text, UINT type)>;

struct FileDialogRequest {
    bool open = true;          // Open dialog, or Save As
    QString title;             // from the string table
    QString initialPath;       // proposed name (Save As) or folder
    QStringList filters;       // "NewDocuments (*.html *.htm)", ...
    QString defaultExtension;  // without the dot
    UINT flags = 0;
};
using FileDialogHandler = std::function<std::optional<QString>(const FileDialogRequest&)>;

// A question whose answers are named buttons; the answer is the chosen button's index,
// or -1 when the question was dismissed.
struct ChoiceRequest {
    QString caption;
    QString text;
    QString details;
    QStringList buttons;
};
using ChoiceHandler = std::function<int(const ChoiceRequest&)>;

void AfxSetMessageBoxHandler(MessageBoxHandler handler);
void AfxSetChoiceHandler(ChoiceHandler handler);
// Without a handler (no UI) the first button is the answer.
int AfxChoose(const ChoiceRequest& request);
void AfxSetFileDialogHandler(FileDialogHandler handler);

// Shows a message box; without a handler (no UI) it answers IDCANCEL for questions and
// IDOK otherwise, and writes the text to stderr.
int AfxMessageBox(const QString& text, UINT type = MB_OK);
int AfxMessageBox(UINT stringId, UINT type = MB_OK);
std::optional<QString> AfxPromptFileName(const FileDialogRequest& request);

// %1 in a string-table entry replaced by arg.
QString AfxFormatString1(UINT stringId, const QString& arg);

} // namespace lw
