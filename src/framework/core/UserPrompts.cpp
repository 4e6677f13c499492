#include "framework/core/UserPrompts.h"

#include "framework/core/Resources.h"

#include <cstdio>

namespace lw {

namespace {
MessageBoxHandler& messageBoxHandler() {
    static MessageBoxHandler handler;
    return handler;
}
FileDialogHandler& fileDialogHandler() {
    static FileDialogHandler handler;
    return handler;
}
} // namespace

ChoiceHandler& choiceHandler() {
    static ChoiceHandler handler;
    return handler;
}

void AfxSetMessageBoxHandler(MessageBoxHandler handler) { messageBoxHandler() = std::move(handler); }
void AfxSetChoiceHandler(ChoiceHandler handler) { choiceHandler() = std::move(handler); }

int AfxChoose(const ChoiceRequest& request) {
    if (choiceHandler())
        return choiceHandler()(request);
    return request.buttons.isEmpty() ? -1 : 0;
}
void AfxSetFileDialogHandler(FileDialogHandler handler) { fileDialogHandler() = std::move(handler); }

int AfxMessageBox(const QString& text, UINT type) {
    if (messageBoxHandler())
        return messageBoxHandler()(text, type);
    std::fprintf(stderr, "%s\n", qPrintable(text));
    const UINT buttons = type & 0xF;
    return (buttons == MB_YESNOCANCEL || buttons == MB_YESNO) ? IDCANCEL : IDOK;
}

int AfxMessageBox(UINT stringId, UINT type) { return AfxMessageBox(AfxLoadString(stringId), type); }

std::optional<QString> AfxPromptFileName(const FileDialogRequest& request) {
    if (fileDialogHandler())
        return fileDialogHandler()(request);
    return std::nullopt;
}

QString AfxFormatString1(UINT stringId, const QString& arg) {
    QString text = AfxLoadString(stringId);
    text.replace(QStringLiteral("%1"), arg);
    return text;
}

} // namespace lw
