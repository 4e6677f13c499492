#pragma once
// A test double of the engine: answers every status and execute as the test sets it up
// and records what the editor sent.

#include "engine/HtmlEngine.h"

#include <QBuffer>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

namespace lwtest {

class ScriptedEngine : public lw::IHtmlEngine {
public:
    struct Exec {
        quint32 cmd;
        lw::Variant in; // VT_EMPTY when nothing was sent
        bool hadInput;
    };

    explicit ScriptedEngine(QWidget* parent) : m_widget(new QWidget(parent)) {}

    // Set up by the test.
    bool document = true;
    std::map<quint32, quint32> flags;
    std::map<quint32, lw::HRESULT> results; // S_OK when missing
    std::map<quint32, lw::Variant> outputs;
    bool silentValue = false;
    lw::HRESULT saveResult = lw::S_OK;
    // Runs inside save, as the real engine's wait for its page runs events.
    std::function<void()> duringSave;
    // Recorded.
    std::vector<Exec> execs;
    std::vector<QString> navigations;
    bool designModeValue = false;

    QWidget* widget() const override { return m_widget; }
    void navigate(const QString& urlOrPath) override { navigations.push_back(urlOrPath); }
    bool hasDocument() const override { return document; }
    QUrl url() const override { return {}; }
    void setDesignMode(bool on) override { designModeValue = on; }
    bool designMode() const override { return designModeValue; }
    lw::HRESULT initNew() override { return lw::S_OK; }
    lw::HRESULT save(QIODevice& out) override {
        const lw::HRESULT result = saveResult;
        out.write("<html></html>");
        // Copied: what happens during the save may end this engine.
        if (const std::function<void()> during = duringSave)
            during();
        return result;
    }
    lw::HRESULT isDirty() const override { return lw::S_FALSE; }
    lw::HRESULT queryStatus(quint32 cmd, quint32& f) const override {
        if (!document) {
            f = 0;
            return lw::E_UNEXPECTED;
        }
        auto it = flags.find(cmd);
        f = it == flags.end() ? 0 : it->second;
        return lw::S_OK;
    }
    lw::HRESULT exec(quint32 cmd, const lw::Variant* in, lw::Variant* out) override {
        execs.push_back({cmd, in ? *in : lw::Variant(), in != nullptr});
        if (out) {
            auto o = outputs.find(cmd);
            if (o != outputs.end())
                *out = o->second;
        }
        auto r = results.find(cmd);
        return r == results.end() ? lw::S_OK : r->second;
    }
    lw::HRESULT print() override { return lw::S_OK; }
    lw::HRESULT print(std::shared_ptr<QPrinter>) override { return lw::S_OK; }
    bool silent() const override { return silentValue; }
    void setSilent(bool s) override { silentValue = s; }
    QWidget* focusWindow() const override { return m_widget; }
    void focus() override {}

    int execCount(quint32 cmd) const {
        int n = 0;
        for (const Exec& e : execs)
            n += e.cmd == cmd ? 1 : 0;
        return n;
    }
    const Exec* lastExec(quint32 cmd) const {
        for (auto it = execs.rbegin(); it != execs.rend(); ++it)
            if (it->cmd == cmd)
                return &*it;
        return nullptr;
    }

private:
    QWidget* m_widget;
};

} // namespace lwtest
