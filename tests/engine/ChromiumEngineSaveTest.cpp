// Saving on the real engine: the whole document comes back with the edits, in the page's
// own encoding when it can hold every character, and the dirty state follows loads, edits
// and saves.

#include "EngineHarness.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QSignalSpy>
#include <QStringEncoder>

#include <gtest/gtest.h>

using namespace lw;
using lwtest::EngineHarness;
using lwtest::kWaitMs;

namespace {

TEST(ChromiumEngineSave, KeepsDoctypeCommentsAttributesAndTypedTextAndClearsDirty) {
    EngineHarness h;
    const QString path = h.writePage(
        QStringLiteral("page.html"),
        "<!DOCTYPE html>\n<!-- before the root -->\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
        "<title>Title</title><script>var untouched = 1;</script></head>"
        "<body class=\"main\" data-x=\"1\"><!-- inside --><p id=\"first\" style=\"color: red\">Hello</p>"
        "</body></html>\n<!-- after the root -->\n");
    ASSERT_TRUE(h.loadEditable(path));
    EXPECT_EQ(h.engine->isDirty(), S_FALSE);

    h.placeCaretAtEndOf(QStringLiteral("#first"));
    h.type(QStringLiteral(" world"));
    ASSERT_TRUE(lwtest::waitFor([&] { return h.engine->isDirty() == S_OK; }, kWaitMs));

    HRESULT hr = E_FAIL;
    const QString saved = QString::fromUtf8(h.save(&hr));
    ASSERT_EQ(hr, S_OK);
    EXPECT_EQ(h.engine->isDirty(), S_FALSE);
    EXPECT_TRUE(
        saved.startsWith(QStringLiteral("<!DOCTYPE html>\n<!-- before the root -->\n<html lang=\"en\">")))
        << saved.toStdString();
    for (const char* expected : {"<p id=\"first\" style=\"color: red\">Hello world</p>", "<!-- inside -->",
                                 "<body class=\"main\" data-x=\"1\">", "<script>var untouched = 1;</script>",
                                 "<!-- after the root -->", "<meta charset=\"utf-8\">"})
        EXPECT_TRUE(saved.contains(QLatin1String(expected))) << expected << "\n" << saved.toStdString();

    // Editing again after the save makes it dirty again.
    h.type(QStringLiteral("!"));
    EXPECT_TRUE(lwtest::waitFor([&] { return h.engine->isDirty() == S_OK; }, kWaitMs));
}

TEST(ChromiumEngineSave, ASavedFileSavesAgainToTheSameBytes) {
    EngineHarness h;
    const QString path = h.writePage(QStringLiteral("page.html"),
                                     "<!DOCTYPE html>\n<!-- a -->\n<html>\n<head><title>x</title></head>\n"
                                     "<body>\n<p>text</p>\n</body>\n</html>\n<!-- b -->\n");
    ASSERT_TRUE(h.loadEditable(path));
    const QByteArray first = h.save();
    ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("first.html"), first)));
    EXPECT_EQ(h.save(), first);
}

TEST(ChromiumEngineSave, TheEditorsOwnAdditionsAreNeitherChangesNorSaved) {
    EngineHarness h;
    const QByteArray page = "<html><head></head><body><p id=\"p\">text</p></body></html>";
    ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), page)));
    h.run(QStringLiteral("(() => { const name = window.__lwEditorCore.AID_ATTRIBUTE; const aid = "
                         "document.createElement('div');"
                         " aid.setAttribute(name, ''); aid.textContent = 'aid';"
                         " document.body.appendChild(aid); aid.textContent = 'changed aid';"
                         " const style = document.createElement('style'); style.setAttribute(name, '');"
                         " document.head.appendChild(style); return 1; })()"));
    h.settle();
    EXPECT_EQ(h.engine->isDirty(), S_FALSE);
    EXPECT_EQ(h.save(), page);
    EXPECT_EQ(h.run(QStringLiteral(
                        "document.querySelectorAll('[' + window.__lwEditorCore.AID_ATTRIBUTE + ']').length"))
                  .toInt(),
              2)
        << "saving leaves the live page as it was";
}

TEST(ChromiumEngineSave, APageUsingTheEditorsOwnNamesIsEditableAndKeepsAllItHolds) {
    EngineHarness h;
    const QByteArray kept[] = {
        "<div id=\"__lwEditor\">a</div>", "<form name=\"__lwEditorCore\"><p data-lw-aid>b</p></form>",
        "<p data-lw-insert=\"insert1\">c</p>", "<span data-lw-handle=\"resize\">d</span>"};
    QByteArray page = "<html><head><title>names</title></head><body>";
    for (const QByteArray& markup : kept)
        page += markup;
    page += "<p id=\"e\">edit here</p></body></html>";
    ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), page)));
    h.selectText(QStringLiteral("#e"), 4, 4);
    EXPECT_EQ(h.exec(2150), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("hr")), 1);
    const QByteArray saved = h.save();
    for (const QByteArray& markup : kept)
        EXPECT_TRUE(saved.contains(markup)) << markup.constData() << "\n" << saved.constData();
    EXPECT_TRUE(saved.contains("<hr>")) << saved.constData();
}

TEST(ChromiumEngineSave, APageWhoseScriptsWouldChangeItSavesUnchanged) {
    EngineHarness h;
    const QByteArray page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                            "<script>document.write('<p>written</p>'); document.title = 'x';</script></head>"
                            "<body onload=\"this.innerHTML = ''\"><p>original</p></body></html>";
    const QString path = h.writePage(QStringLiteral("scripted.html"), page);
    ASSERT_TRUE(h.loadEditable(path));
    HRESULT hr = E_FAIL;
    EXPECT_EQ(h.save(&hr), page);
    EXPECT_EQ(hr, S_OK);
}

TEST(ChromiumEngineSave, AFailingDeviceFailsTheSaveAndKeepsTheDocumentDirty) {
    EngineHarness h;
    const QString path =
        h.writePage(QStringLiteral("page.html"), "<html><body><p id=\"p\">a</p></body></html>");
    ASSERT_TRUE(h.loadEditable(path));
    h.placeCaretAtEndOf(QStringLiteral("#p"));
    h.type(QStringLiteral("b"));
    ASSERT_TRUE(lwtest::waitFor([&] { return h.engine->isDirty() == S_OK; }, kWaitMs));
    QBuffer closed;
    EXPECT_EQ(h.engine->save(closed), E_FAIL);
    EXPECT_EQ(h.engine->isDirty(), S_OK);
}

struct EncodingCase {
    const char* name;
    QByteArray page;
    // Text added at the end of the body, so the page is saved edited rather than as loaded.
    QString added;
    // A fragment of the saved file that proves the encoding it was written in.
    QByteArray expectedFragment;
    QByteArray expectedDeclaration;
};

QByteArray utf16WithByteOrderMark(const QString& text) {
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return encoder(text);
}

class ChromiumEngineEncoding : public testing::TestWithParam<EncodingCase> {};

TEST_P(ChromiumEngineEncoding, SavesInTheOwnEncodingOrInUtf8WithTheDeclarationUpdated) {
    const EncodingCase& c = GetParam();
    EngineHarness h;
    const QString path = h.writePage(QStringLiteral("page.html"), c.page);
    ASSERT_TRUE(h.loadEditable(path));
    h.run(QStringLiteral("document.body.append(%1), 1").arg(lw::scriptLiteral(c.added)));
    HRESULT hr = E_FAIL;
    const QByteArray saved = h.save(&hr);
    ASSERT_EQ(hr, S_OK);
    EXPECT_TRUE(saved.contains(c.expectedFragment)) << saved.toStdString();
    EXPECT_TRUE(saved.contains(c.expectedDeclaration)) << saved.toStdString();

    // The saved bytes read back to the same text.
    const QString again = h.writePage(QStringLiteral("again.html"), saved);
    const QString before = h.bodyText();
    ASSERT_TRUE(h.loadEditable(again));
    EXPECT_EQ(h.bodyText(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ChromiumEngineEncoding,
    testing::Values(
        EncodingCase{
            "windows1252",
            "<html><head><meta charset=\"windows-1252\"></head><body>caf\xe9 \x80 na\xefve</body></html>",
            QStringLiteral("!"), "caf\xe9 \x80 na\xefve!", "<meta charset=\"windows-1252\">"},
        EncodingCase{
            "latin1HttpEquiv",
            "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">"
            "</head><body>Stra\xdf"
            "e \xe0 \xe9t\xe9</body></html>",
            QStringLiteral("!"),
            "Stra\xdf"
            "e \xe0 \xe9t\xe9!",
            "charset=ISO-8859-1\""},
        // The character reference already in the page fits any encoding and stays as written.
        EncodingCase{"characterOutsideTheEncoding",
                     "<html><head><meta charset=\"windows-1252\"></head><body>caf\xe9 &#x416;</body></html>",
                     QStringLiteral("\u0416"), "caf\xc3\xa9 &#x416;\xd0\x96", "<meta charset=\"utf-8\">"},
        EncodingCase{
            "euroInStrictLatin1",
            "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"
            "</head><body>\xe9 \x80</body></html>",
            QStringLiteral("!"), "\xc3\xa9 \xe2\x82\xac!", "charset=utf-8\""},
        EncodingCase{
            "byteOrderMarkOverridesTheDeclaration",
            "\xef\xbb\xbf<html><head><meta charset=\"windows-1252\"></head><body>caf\xc3\xa9</body></html>",
            QStringLiteral("!"), "caf\xc3\xa9!", "\xef\xbb\xbf<html><head><meta charset=\"utf-8\">"},
        EncodingCase{"utf16IsWrittenAsUtf8",
                     utf16WithByteOrderMark(QStringLiteral("<html><head><meta charset=\"utf-16\"></head>"
                                                           "<body>caf\u00e9</body></html>")),
                     QStringLiteral("!"), "caf\xc3\xa9!", "<meta charset=\"utf-8\">"},
        EncodingCase{"undeclaredNonAscii", "<html><head></head><body>caf\xe9</body></html>",
                     QStringLiteral("!"), "caf\xc3\xa9!", "<head><meta charset=\"utf-8\">"}),
    [](const testing::TestParamInfo<EncodingCase>& info) { return std::string(info.param.name); });

TEST(ChromiumEngineSave, InitNewLeavesAnEmptyCleanPage) {
    EngineHarness h;
    const QString path =
        h.writePage(QStringLiteral("page.html"), "<html><body><p id=\"p\">old</p></body></html>");
    ASSERT_TRUE(h.loadEditable(path));
    h.placeCaretAtEndOf(QStringLiteral("#p"));
    h.type(QStringLiteral("x"));
    ASSERT_TRUE(lwtest::waitFor([&] { return h.engine->isDirty() == S_OK; }, kWaitMs));

    ASSERT_EQ(h.engine->initNew(), S_OK);
    EXPECT_EQ(h.engine->isDirty(), S_FALSE);
    h.settle();
    EXPECT_EQ(h.engine->isDirty(), S_FALSE);
    EXPECT_EQ(h.save(), QByteArray("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title></title>\n"
                                   "</head>\n<body></body>\n</html>\n"));
}

TEST(ChromiumEngineSave, WithoutAPageThereIsNothingToSave) {
    EngineHarness h;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(h.engine->save(buffer), E_UNEXPECTED);
    EXPECT_EQ(h.engine->initNew(), E_UNEXPECTED);
    EXPECT_EQ(h.engine->isDirty(), E_UNEXPECTED);
    EXPECT_TRUE(buffer.data().isEmpty());
}

TEST(ChromiumEngineSave, PrintsACleanCopyToAPrinter) {
    EngineHarness h;
    const QString path =
        h.writePage(QStringLiteral("page.html"), "<html><body><h1>Printed page</h1></body></html>");
    ASSERT_TRUE(h.loadEditable(path));
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = h.scratch.file(QStringLiteral("out.pdf"));
    printer->setOutputFileName(pdf);
    QSignalSpy finished(h.engine.get(), &IHtmlEngine::printFinished);
    ASSERT_EQ(h.engine->print(printer), S_OK);
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    // Printing read the page; it did not change it.
    EXPECT_EQ(h.engine->isDirty(), S_FALSE);
    if (QPrinterInfo::defaultPrinter().isNull()) {
        EXPECT_EQ(h.engine->print(), E_FAIL) << "no printer, no print job";
    }
}

} // namespace
