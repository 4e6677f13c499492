#pragma once
// A dialog provider for engine tests: records what each dialog was asked with and answers at
// once with what the test set up.

#include "engine/EngineDialogs.h"

#include <QPrinter>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace lwtest {

class ScriptedDialogs : public lw::EngineDialogProvider {
public:
    int asked = 0;

    std::optional<QString> hyperlinkAnswer;
    QString hyperlinkAskedWith;
    std::optional<lw::ImageChoice> imageAnswer;
    lw::ImageChoice imageAskedWith;
    std::optional<lw::FontChoice> fontAnswer;
    lw::FontChoice fontAskedWith;
    std::optional<lw::ObjectChoice> objectAnswer;
    std::optional<lw::TableChoice> tableAnswer;
    std::optional<lw::ImageProperties> imagePropertiesAnswer;
    lw::ImageProperties imagePropertiesAskedWith;
    std::optional<lw::LinkProperties> linkPropertiesAnswer;
    lw::LinkProperties linkPropertiesAskedWith;
    std::optional<lw::PageProperties> pagePropertiesAnswer;
    lw::PageProperties pagePropertiesAskedWith;
    // Sets up the printer the print dialog shows; the dialog is accepted when set.
    std::function<void(QPrinter&)> printAnswer;
    QPageLayout printLayoutAskedWith;
    std::function<void(QPrinter&)> pageSetupAnswer;
    // What the preview would call to draw its pages.
    std::function<void(QPrinter*)> previewPaint;

    // What the engine told the user.
    QStringList told;

    void tell(QWidget*, const QString& message) override { told << message; }
    void askHyperlink(QWidget*, const QString& current, Answer<QString> answer) override {
        ++asked;
        hyperlinkAskedWith = current;
        answer(hyperlinkAnswer);
    }
    void askImage(QWidget*, const lw::ImageChoice& current, Answer<lw::ImageChoice> answer) override {
        ++asked;
        imageAskedWith = current;
        answer(imageAnswer);
    }
    void askFont(QWidget*, const lw::FontChoice& current, Answer<lw::FontChoice> answer) override {
        ++asked;
        fontAskedWith = current;
        answer(fontAnswer);
    }
    void askObject(QWidget*, const lw::ObjectChoice&, Answer<lw::ObjectChoice> answer) override {
        ++asked;
        answer(objectAnswer);
    }
    void askTable(QWidget*, Answer<lw::TableChoice> answer) override {
        ++asked;
        answer(tableAnswer);
    }
    void askImageProperties(QWidget*, const lw::ImageProperties& current,
                            Answer<lw::ImageProperties> answer) override {
        ++asked;
        imagePropertiesAskedWith = current;
        answer(imagePropertiesAnswer);
    }
    void askLinkProperties(QWidget*, const lw::LinkProperties& current,
                           Answer<lw::LinkProperties> answer) override {
        ++asked;
        linkPropertiesAskedWith = current;
        answer(linkPropertiesAnswer);
    }
    void askPageProperties(QWidget*, const lw::PageProperties& current,
                           Answer<lw::PageProperties> answer) override {
        ++asked;
        pagePropertiesAskedWith = current;
        answer(pagePropertiesAnswer);
    }
    void askPrint(QWidget*, std::shared_ptr<QPrinter> printer, std::function<void(bool)> answer) override {
        ++asked;
        printLayoutAskedWith = printer->pageLayout();
        if (printAnswer)
            printAnswer(*printer);
        answer(bool(printAnswer));
    }
    void askPageSetup(QWidget*, std::shared_ptr<QPrinter> printer,
                      std::function<void(bool)> answer) override {
        ++asked;
        if (pageSetupAnswer)
            pageSetupAnswer(*printer);
        answer(bool(pageSetupAnswer));
    }
    void showPrintPreview(QWidget*, std::shared_ptr<QPrinter>,
                          std::function<void(QPrinter*)> paint) override {
        ++asked;
        previewPaint = std::move(paint);
    }
};

} // namespace lwtest
