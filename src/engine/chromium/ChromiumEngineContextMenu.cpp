// The page's context menu: the clipboard, spelling, tables and the properties of an image, a
// link and the page. Every action that edits runs an engine command, so it is one undo step
// like any other, and the dialogs some of them open answer later, as the engine's other
// dialogs do. Adding a word to the user's word list leaves the page alone.

#include "engine/EngineDialogs.h"
#include "engine/chromium/ChromiumEngine.h"
#include "engine/chromium/EditorPage.h"
#include "engine/chromium/OwnCommands.h"

#include <QJsonObject>
#include <QMenu>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineView>

namespace lw {

namespace {

constexpr quint32 kCopy = 15;
constexpr quint32 kCut = 16;
constexpr quint32 kPaste = 26;

using OptionalArgument = std::optional<QJsonObject>;

} // namespace

void ChromiumEngine::showContextMenu(const QPoint& position) {
    // The click may have moved the caret a moment ago: the menu is built from a snapshot the
    // page takes now, not from the one it pushed before.
    const std::weak_ptr<bool> alive = m_alive;
    runInPage(QStringLiteral("window.__lwEditor ? window.__lwEditor.snapshot() : null"),
              [this, alive, position](const QVariant& result) {
                  if (!isAlive(alive) || !m_view)
                      return;
                  if (result.typeId() == QMetaType::QVariantMap)
                      onSnapshot(EngineSnapshot::fromJson(QJsonObject::fromVariantMap(result.toMap())));
                  QMenu* menu = createContextMenu(m_view);
                  menu->setAttribute(Qt::WA_DeleteOnClose);
                  menu->popup(m_view->mapToGlobal(position));
              });
}

QMenu* ChromiumEngine::createContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    const auto add = [this](QMenu* to, const QString& text, quint32 cmd) {
        QAction* action = to->addAction(text);
        action->setEnabled(m_hasDocument && (commandFlags(cmd) & OLECMDF_ENABLED));
        action->setData(cmd);
        connect(action, &QAction::triggered, this, [this, cmd] { exec(cmd, nullptr, nullptr); });
    };

    const QWebEngineContextMenuRequest* request = m_view ? m_view->lastContextMenuRequest() : nullptr;
    if (request && request->isContentEditable() && !request->misspelledWord().isEmpty()) {
        const QStringList suggestions = request->spellCheckerSuggestions();
        for (const QString& suggestion : suggestions) {
            QAction* action = menu->addAction(suggestion);
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            connect(action, &QAction::triggered, this, [this, suggestion] {
                if (m_page)
                    m_page->replaceMisspelledWord(suggestion);
            });
        }
        if (suggestions.isEmpty())
            menu->addAction(tr("No Spelling Suggestions"))->setEnabled(false);
        const QString word = request->misspelledWord();
        connect(menu->addAction(tr("&Add to Dictionary")), &QAction::triggered, this,
                [this, word] { addToDictionary(word); });
        menu->addSeparator();
    }

    add(menu, tr("Cu&t"), kCut);
    add(menu, tr("&Copy"), kCopy);
    add(menu, tr("&Paste"), kPaste);
    menu->addSeparator();

    QMenu* table = menu->addMenu(tr("T&able"));
    add(table, tr("&Insert Table..."), owncmd::kInsertTable);
    table->addSeparator();
    add(table, tr("Insert Row &Above"), owncmd::kInsertRowAbove);
    add(table, tr("Insert Row &Below"), owncmd::kInsertRowBelow);
    add(table, tr("Insert Column &Left"), owncmd::kInsertColumnLeft);
    add(table, tr("Insert Column &Right"), owncmd::kInsertColumnRight);
    table->addSeparator();
    add(table, tr("Delete R&ow"), owncmd::kDeleteRow);
    add(table, tr("Delete Co&lumn"), owncmd::kDeleteColumn);
    add(table, tr("&Delete Table"), owncmd::kDeleteTable);
    table->addSeparator();
    add(table, tr("&Merge Cells"), owncmd::kMergeCells);
    add(table, tr("&Split Cells"), owncmd::kSplitCell);
    menu->addSeparator();

    add(menu, tr("&Image Properties..."), owncmd::kImageProperties);
    add(menu, tr("&Link Properties..."), owncmd::kLinkProperties);
    add(menu, tr("Page P&roperties..."), owncmd::kPageProperties);
    return menu;
}

HRESULT ChromiumEngine::askProperties(quint32 cmd) {
    if (m_silent)
        return OLECMDERR_E_CANCELED;
    const QJsonObject context = m_snapshot.context;
    runInPage(QStringLiteral("window.__lwEditor.holdSelection()"));
    const std::weak_ptr<bool> alive = m_alive;
    const QString document = m_documentId;
    const auto answer = [this, alive, document, cmd](const OptionalArgument& argument) {
        if (!isAlive(alive) || m_documentId != document)
            return;
        if (argument)
            runPageCommand(cmd, *argument, true);
        else
            runInPage(QStringLiteral("window.__lwEditor.releaseSelection()"));
    };
    const auto text = [](const QJsonObject& object, const char* key) {
        return object.value(QLatin1String(key)).toString();
    };
    QWidget* parent = dialogParent();
    switch (cmd) {
    case owncmd::kInsertTable:
        dialogProvider().askTable(parent, [answer](std::optional<TableChoice> table) {
            answer(table ? OptionalArgument(QJsonObject{{QStringLiteral("rows"), table->rows},
                                                        {QStringLiteral("columns"), table->columns},
                                                        {QStringLiteral("header"), table->headerRow},
                                                        {QStringLiteral("width"), table->width}})
                         : std::nullopt);
        });
        break;
    case owncmd::kImageProperties: {
        const QJsonObject image = context.value(QStringLiteral("imageProperties")).toObject();
        const ImageProperties current{text(image, "source"),
                                      text(image, "alt"),
                                      text(image, "width"),
                                      text(image, "height"),
                                      image.value(QStringLiteral("naturalWidth")).toInt(),
                                      image.value(QStringLiteral("naturalHeight")).toInt(),
                                      text(image, "align"),
                                      text(image, "border")};
        dialogProvider().askImageProperties(parent, current, [this, answer](std::optional<ImageProperties> chosen) {
            if (!chosen || chosen->source.isEmpty())
                return answer(std::nullopt);
            answer(QJsonObject{{QStringLiteral("source"), addressForPage(chosen->source)},
                               {QStringLiteral("alt"), chosen->alternateText},
                               {QStringLiteral("width"), chosen->width},
                               {QStringLiteral("height"), chosen->height},
                               {QStringLiteral("align"), chosen->align},
                               {QStringLiteral("border"), chosen->border}});
        });
        break;
    }
    case owncmd::kLinkProperties: {
        const QJsonObject link = context.value(QStringLiteral("linkProperties")).toObject();
        const LinkProperties current{text(link, "address"), text(link, "title"), text(link, "target")};
        dialogProvider().askLinkProperties(parent, current, [this, answer](std::optional<LinkProperties> chosen) {
            if (!chosen)
                return answer(std::nullopt);
            answer(QJsonObject{{QStringLiteral("address"), addressForPage(chosen->address)},
                               {QStringLiteral("title"), chosen->title},
                               {QStringLiteral("target"), chosen->target},
                               {QStringLiteral("remove"), chosen->remove}});
        });
        break;
    }
    case owncmd::kPageProperties: {
        const QJsonObject page = context.value(QStringLiteral("pageProperties")).toObject();
        const PageProperties current{text(page, "title"),         text(page, "language"),
                                     text(page, "charset"),       text(page, "loadedCharset"),
                                     text(page, "description"),   text(page, "keywords"),
                                     text(page, "background"),    text(page, "text")};
        dialogProvider().askPageProperties(parent, current, [answer](std::optional<PageProperties> chosen) {
            if (!chosen)
                return answer(std::nullopt);
            answer(QJsonObject{{QStringLiteral("title"), chosen->title},
                               {QStringLiteral("language"), chosen->language},
                               {QStringLiteral("charset"), chosen->charset},
                               {QStringLiteral("description"), chosen->description},
                               {QStringLiteral("keywords"), chosen->keywords},
                               {QStringLiteral("background"), chosen->background},
                               {QStringLiteral("text"), chosen->text}});
        });
        break;
    }
    default:
        return E_INVALIDARG;
    }
    return S_OK;
}

} // namespace lw
