#pragma once
// The program's editing view: switches each loaded page into design mode, applies the
// stored editing options once the page is editable, keeps the page from navigating
// away afterwards, and refuses the engine its own Control shortcuts.

#include "editor/HtmlEditView.h"

namespace lw {

class CLoomwriteDoc;

class CLoomwriteView : public CHtmlEditView {
    DECLARE_MESSAGE_MAP()
public:
    CLoomwriteDoc* GetDocument() const;

    void OnEngineDocumentComplete(const QString& url) override;
    void OnEngineBeforeNavigate(const QUrl& url, bool* cancel) override;
    bool OnEngineAccelerator(QKeyEvent* event) override;

    // Applies the stored editing options and Silent (on the second completion).
    virtual void ApplyEditorOptions();

    quint32 m_documentCompleteCount = 0;
    bool m_autoUrlDetect = true;
    QStringList m_blockFormats;
};

} // namespace lw
