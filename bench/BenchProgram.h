#pragma once
// The real program inside a benchmark process: started as the desktop starts it for files,
// with private settings and data, pages opened and waited on until they are editable.

#include "app/LoomwriteApp.h"
#include "editor/LoomwriteDoc.h"
#include "editor/LoomwriteView.h"
#include "frame/MainFrame.h"
#include "resources/ProgramImages.h"
#include "resources/ProgramResources.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <functional>
#include <vector>

namespace lwbench {

// Private settings and recovery folder, the engine offscreen: a benchmark never touches
// the user's own. Call before the application object exists.
inline void PrepareEnvironment(const QTemporaryDir& home) {
    ::setenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit().constData(), 1);
    ::setenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit().constData(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

// The program's resources, once the application object exists.
inline void RegisterResources() {
    lw::RegisterProgramResources();
    lw::RegisterProgramImages();
}

// Writes a page with that title around the body; false when the file cannot be written.
inline bool WritePage(const QString& path, const QByteArray& title, const QByteArray& body) {
    QFile page(path);
    return page.open(QIODevice::WriteOnly) &&
           page.write("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title + "</title></head><body>\n" +
                      body + "</body></html>\n") > 0;
}

inline lw::CLoomwriteView* ViewOf(lw::CDocument* doc) {
    return doc ? dynamic_cast<lw::CLoomwriteView*>(doc->Views().front()) : nullptr;
}

// The whole of a benchmark's main: environment, application, resources, then the pages
// prepare writes into the private folder; 1 when they cannot be written.
inline int RunBenchmarks(int argc, char** argv, const std::function<bool(const QTemporaryDir& home)>& prepare) {
    QTemporaryDir home;
    PrepareEnvironment(home);
    QApplication qapp(argc, argv);
    RegisterResources();
    if (!prepare(home))
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

class Program {
public:
    lw::CLoomwriteApp app;

    bool Start() {
        app.m_arguments = {QStringLiteral("/dde")};
        app.m_bArgumentsSet = true;
        return app.InitInstance();
    }
    lw::CMainFrame* Frame() const { return dynamic_cast<lw::CMainFrame*>(app.m_pMainWnd); }

    // Opens the pages and waits until every one is editable; empty when one is not.
    std::vector<lw::CLoomwriteDoc*> OpenEditable(const QStringList& paths, int timeoutMs = 60000) {
        std::vector<lw::CLoomwriteDoc*> docs;
        for (const QString& path : paths) {
            auto* doc = dynamic_cast<lw::CLoomwriteDoc*>(app.OpenDocumentFile(path));
            if (!doc)
                return {};
            docs.push_back(doc);
        }
        auto ready = [&] {
            for (lw::CLoomwriteDoc* doc : docs)
                if (ViewOf(doc)->m_documentCompleteCount < 2)
                    return false;
            return true;
        };
        QDeadlineTimer deadline(timeoutMs);
        while (!ready() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return ready() ? docs : std::vector<lw::CLoomwriteDoc*>{};
    }
    lw::CLoomwriteDoc* OpenEditable(const QString& path) {
        const std::vector<lw::CLoomwriteDoc*> docs = OpenEditable(QStringList{path});
        return docs.empty() ? nullptr : docs.front();
    }

    ~Program() {
        app.CloseAllDocuments(lw::FALSE);
        if (app.m_pMainWnd)
            app.m_pMainWnd->DestroyWindow();
        app.ExitInstance();
        app.DelRegTree();
    }
};

} // namespace lwbench
