#include "engine/chromium/ChromiumEngine.h"

#include "engine/chromium/EditorPage.h"
#include "engine/chromium/KeyHookFilter.h"
#include "engine/chromium/PageBridge.h"
#include "engine/chromium/PageCall.h"
#include "engine/chromium/PageSerializer.h"
#include "engine/chromium/PageSource.h"
#include "engine/chromium/SourcePlaces.h"
#include "engine/chromium/Spelling.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringDecoder>
#include <QWebChannel>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#include <QtConcurrent/QtConcurrentRun>

// Resources of a static library are linked in only when something refers to them.
static void initEngineResources() {
    Q_INIT_RESOURCE(engine);
}

namespace lw {

namespace {

// Chromium's code for a load that was cut short: a refused navigation, or one replaced by
// the next before it committed. Neither leaves a new page behind.
constexpr int kLoadAborted = -3;

// The longest data address the engine loads.
constexpr qsizetype kMaxContentAddress = 2 * 1024 * 1024;

QString pathLiteral(const QList<int>& path) {
    QJsonArray array;
    for (const int index : path)
        array.append(index);
    return QString::fromLatin1(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

QList<int> pathFromVariants(const QVariantList& list) {
    QList<int> path;
    for (const QVariant& index : list)
        path.append(index.toInt());
    return path;
}

QString readResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("engine resource missing: %s", qPrintable(path));
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

QUrl urlFromUserText(const QString& text) {
    const QFileInfo info(text);
    if (info.isAbsolute() || info.exists())
        return QUrl::fromLocalFile(info.absoluteFilePath());
    const QUrl url(text, QUrl::StrictMode);
    // A one-letter scheme would be a drive letter, which is no URL here either.
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(text));
}

} // namespace

ChromiumEngine::ChromiumEngine(QWidget* parent) {
    initEngineResources();
    // The options every page starts with until the host asks for others.
    m_options = {{2393, false}, {2394, false}, {2398, true}, {2399, false},
                 {2400, true},  {2404, false}, {2405, false}};
    // The first profile sets up how the engine and its views draw, before any view exists.
    QWebEngineProfile* profile = EditorPage::editingProfile();
    m_view = new QWebEngineView(parent);
    m_bridge = new PageBridge(this);
    m_channel = new QWebChannel(this);
    m_channel->registerObject(QStringLiteral("lwHost"), m_bridge);
    connect(m_bridge, &PageBridge::snapshotArrived, this, &ChromiumEngine::onSnapshot);
    usePage(profile);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        m_clipboardHasContent.reset();
        m_clipboardHasText.reset();
    });
    new KeyHookFilter(m_view, [this] {
        return KeyHookFilter::Hook([this](QKeyEvent* event) {
            return (acceleratorHook && acceleratorHook(event)) || holdKey(event);
        });
    });
    // The editor's own menu stands in for the engine's generic one.
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, &ChromiumEngine::showContextMenu);
}

ChromiumEngine::~ChromiumEngine() {
    *m_alive = false;
    spelling::forgetPage(this);
    // The page goes with its view; the view is ours unless a parent took it away already.
    delete m_view;
}

void ChromiumEngine::usePage(QWebEngineProfile* profile) {
    EditorPage* old = m_page;
    m_page = new EditorPage(profile, m_view);
    m_page->setNavigationFilter([this](const QUrl& url, bool) { return onNavigationRequest(url); });
    m_view->setPage(m_page);
    delete old;
    m_page->setWebChannel(m_channel, kEditingWorld);
    installEditingScript();
    connect(m_page, &QWebEnginePage::loadingChanged, this, &ChromiumEngine::onLoadingChanged);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status == QWebEnginePage::NormalTerminationStatus)
                    return;
                m_hasDocument = false;
                releaseHeldKeys(false);
                emit pageFailed(status == QWebEnginePage::KilledTerminationStatus
                                    ? QStringLiteral("its renderer was stopped")
                                    : QStringLiteral("its renderer crashed, possibly out of memory"));
            });
}

void ChromiumEngine::installEditingScript() {
    // The parts of the editing script, in the order they build on each other; the last one
    // starts it.
    static const char* const parts[] = {"core",   "source",     "serialize", "journal",  "character",
                                        "blocks", "inserts",    "clipboard", "elements", "options",
                                        "tables", "properties", "places",    "start"};
    QString source = readResource(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    for (const char* part : parts)
        source += QLatin1Char('\n') +
                  readResource(QStringLiteral(":/lw/engine/script/%1.js").arg(QLatin1String(part)));
    QWebEngineScript script;
    script.setName(QStringLiteral("loomwrite-editing"));
    script.setWorldId(kEditingWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(source);
    m_page->scripts().insert(script);
}

QWidget* ChromiumEngine::widget() const {
    return m_view;
}

QWebEnginePage* ChromiumEngine::page() const {
    return m_page;
}

QUrl ChromiumEngine::url() const {
    if (!m_hasDocument || !m_page)
        return {};
    return m_blankPage ? blankPageUrl() : m_page->url();
}

void ChromiumEngine::navigate(const QString& urlOrPath) {
    if (!m_page)
        return;
    const QUrl url = urlFromUserText(urlOrPath);
    bool cancel = false;
    emit beforeNavigate(url, &cancel);
    if (cancel || !m_page)
        return;
    m_contentBytes.reset();
    m_changedBySource = false;
    startHostLoad();
    // A large file gets a page of its own before it loads (see largePageProfile).
    if (url.isLocalFile() && QFileInfo(url.toLocalFile()).size() >= largePageBytes &&
        m_page->profile() == EditorPage::editingProfile()) {
        spelling::forgetPage(this);
        usePage(EditorPage::largePageProfile());
    }
    // The page asks again for the navigation it is told to make; the host answered already.
    m_page->approveTypedNavigation(url);
    // The empty page a new document starts from is loaded as content under a local base:
    // Chromium shows local files (an image inserted before the document has a file) only in
    // pages from local files. Qt WebEngine asks for such a load under the data address of its
    // (empty) markup. The page goes on counting as the empty page.
    m_blankPage = m_blankLoading = url == blankPageUrl();
    if (m_blankPage) {
        m_page->approveTypedNavigation(QUrl(QStringLiteral("data:text/html;charset=UTF-8,")));
        m_page->setHtml(QString(), QUrl(QStringLiteral("file:///")));
    } else {
        m_page->load(url);
    }
}

bool ChromiumEngine::onNavigationRequest(const QUrl& url) {
    bool cancel = false;
    emit beforeNavigate(url, &cancel);
    return !cancel;
}

void ChromiumEngine::onLoadingChanged(const QWebEngineLoadingInfo& info) {
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        m_page->dropApproval(info.url());
        m_documentIdAtLoadStart = m_documentId;
        forgetSource();
        return;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        return;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        if (info.errorCode() == kLoadAborted)
            return;
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        break;
    }
    if (m_documentId == m_documentIdAtLoadStart) {
        // The new page has not reported yet: nothing of the old one applies to it.
        m_snapshot = EngineSnapshot();
        m_documentId.clear();
        m_knownChanges = 0;
        m_savedChanges = 0;
    }
    m_hasDocument = true;
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus) {
        // The page script gives a new page's parts only to a page at about:blank.
        if (std::exchange(m_blankLoading, false))
            runInPage(QStringLiteral("window.__lwEditor ? window.__lwEditor.initNew() : ''"));
        else
            readSource(info.url());
    }
    emit documentComplete(m_blankPage ? blankPageUrl().toString() : info.url().toString());
}

void ChromiumEngine::forgetSource() {
    ++m_sourceGeneration;
    m_source.reset();
    m_sourceBytes.reset();
    m_sourceParse.reset();
    m_pendingSource.reset();
    m_sourceAttached = false;
}

void ChromiumEngine::readSource(const QUrl& url) {
    const std::optional<QByteArray> bytes = std::exchange(m_contentBytes, std::nullopt);
    if ((!bytes && !url.isLocalFile()) || !m_keepsSource)
        return;
    const quint64 generation = m_sourceGeneration;
    const QString path = bytes ? QString() : url.toLocalFile();
    runInPage(QStringLiteral("window.__lwEditor ? window.__lwEditor.sourceInfo() : null"),
              [this, generation, path, bytes](const QVariant& result) {
                  const QVariantMap info = result.toMap();
                  if (generation != m_sourceGeneration || info.isEmpty())
                      return;
                  m_sourceDocumentId = info.value(QStringLiteral("documentId")).toString();
                  m_pendingSource = PendingSource{path, bytes.value_or(QByteArray()),
                                                  info.value(QStringLiteral("characterSet")).toString()};
                  if (m_snapshot.designMode)
                      parseSource();
              });
}

void ChromiumEngine::parseSource() {
    if (!m_pendingSource || m_sourceParse)
        return;
    const PendingSource pending = *std::exchange(m_pendingSource, std::nullopt);
    m_sourceBytes = pending.path.isEmpty()
                        ? QtFuture::makeReadyFuture(std::optional<QByteArray>(pending.bytes))
                        : QtConcurrent::run(&PageSource::readFile, pending.path);
    m_sourceParse = m_sourceBytes->then(QtFuture::Launch::Async, [characterSet = pending.characterSet](
                                                                     const std::optional<QByteArray>& bytes) {
        return bytes ? PageSource::fromBytes(*bytes, characterSet) : std::shared_ptr<const PageSource>();
    });
    auto* watcher = new QFutureWatcher<std::shared_ptr<const PageSource>>(this);
    const quint64 generation = m_sourceGeneration;
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation] {
        watcher->deleteLater();
        if (generation == m_sourceGeneration)
            attachSource();
    });
    watcher->setFuture(*m_sourceParse);
}

void ChromiumEngine::attachSource() {
    if (m_sourceAttached || !m_sourceParse)
        return;
    m_sourceAttached = true;
    m_source = m_sourceParse->result();
    if (m_source)
        emit sourceRead();
    if (!m_source || !m_source->canSplice())
        return;
    // The page lays the map over its tree only where a save needs it.
    runInPage(QStringLiteral("window.__lwEditor ? window.__lwEditor.attachSource(%1, %2, %3, %4) : false")
                  .arg(scriptLiteral(m_sourceDocumentId), m_source->nodeMap(), m_source->textLiteral(),
                       QString::number(m_source->id())));
}

void ChromiumEngine::onSnapshot(const EngineSnapshot& snapshot) {
    const bool newDocument = snapshot.documentId != m_documentId;
    if (newDocument) {
        m_documentId = snapshot.documentId;
        m_knownChanges = 0;
        m_savedChanges = 0;
    }
    m_knownChanges = std::max(m_knownChanges, snapshot.changeCount);
    m_snapshot = snapshot;
    followLanguages(snapshot, newDocument);
    // A new page starts with the page's own defaults; it gets the options asked for.
    for (auto it = m_options.cbegin(); it != m_options.cend(); ++it) {
        if (snapshot.options.value(it.key(), !it.value()) != it.value()) {
            pushOptions();
            break;
        }
    }
    emit uiUpdate();
}

bool ChromiumEngine::isAlive(const std::weak_ptr<bool>& alive) {
    const std::shared_ptr<bool> engine = alive.lock();
    return engine && *engine;
}

void ChromiumEngine::runInPage(const QString& script, std::function<void(const QVariant&)> callback) {
    if (!m_page)
        return;
    if (!callback) {
        m_page->runJavaScript(script, kEditingWorld);
        return;
    }
    std::weak_ptr<bool> alive = m_alive;
    m_page->runJavaScript(script, kEditingWorld, [alive, callback](const QVariant& result) {
        if (auto engine = alive.lock(); engine && *engine)
            callback(result);
    });
}

void ChromiumEngine::setDesignMode(bool on) {
    const QString script = QStringLiteral("window.__lwEditor ? window.__lwEditor.setDesignMode(%1) : null")
                               .arg(on ? QStringLiteral("true") : QStringLiteral("false"));
    const quint64 generation = m_loadGeneration;
    runInPage(script, [this, generation](const QVariant& result) {
        // The answer of a page since replaced tells nothing of the page shown now.
        if (generation != m_loadGeneration)
            return;
        const QVariantMap answer = result.toMap();
        if (answer.isEmpty()) {
            // A page without the editing script never becomes editable; its keys are its own.
            releaseHeldKeys(true);
            return;
        }
        m_snapshot.designMode = answer.value(QStringLiteral("now")).toBool();
        if (!m_snapshot.designMode)
            releaseHeldKeys(true);
        // The page became editable: the host hears of it as of a newly completed page.
        if (!answer.value(QStringLiteral("was")).toBool() && m_snapshot.designMode && m_hasDocument &&
            m_page) {
            // The parse waits until the page is editable, so it never delays that.
            parseSource();
            if (m_caretPath)
                runInPage(QStringLiteral("window.__lwEditor.placeCaret(%1)").arg(pathLiteral(*m_caretPath)));
            m_caretPath.reset();
            // A newly loaded page usually comes in an input widget of its own.
            m_inputNeedsClick = true;
            emit documentComplete(url().toString());
            // After the click the host's focus asked for, which the page answers first.
            runInPage(QStringLiteral("0"), [this, generation](const QVariant&) {
                if (generation == m_loadGeneration)
                    releaseHeldKeys(true);
            });
        }
    });
}

void ChromiumEngine::startHostLoad() {
    m_holdingKeys = true;
    ++m_loadGeneration;
}

bool ChromiumEngine::holdKey(QKeyEvent* event) {
    if (!m_holdingKeys)
        return false;
    // A key held down over a long load repeats without end; what is beyond this is dropped.
    constexpr std::size_t kMostHeld = 4096;
    if (m_heldKeys.size() < kMostHeld)
        m_heldKeys.emplace_back(static_cast<QKeyEvent*>(event->clone()));
    return true;
}

void ChromiumEngine::releaseHeldKeys(bool deliver) {
    m_holdingKeys = false;
    std::vector<std::unique_ptr<QKeyEvent>> keys = std::exchange(m_heldKeys, {});
    if (!deliver)
        return;
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        // A load started by one of the keys holds the rest for its own page.
        if (m_holdingKeys) {
            m_heldKeys.insert(m_heldKeys.begin(), std::make_move_iterator(it),
                              std::make_move_iterator(keys.end()));
            return;
        }
        if (QWidget* input = focusWindow())
            QCoreApplication::sendEvent(input, it->get());
    }
}

HRESULT ChromiumEngine::initNew() {
    if (!m_hasDocument || !m_page)
        return E_UNEXPECTED;
    if (m_waiting)
        return E_UNEXPECTED;
    m_waiting = true;
    forgetSource();
    m_contentBytes.reset();
    m_changedBySource = false;
    const std::optional<QVariant> id = runScriptAndWait(
        *m_page, QStringLiteral("window.__lwEditor ? window.__lwEditor.initNew() : ''"), kPageTimeoutMs);
    m_waiting = false;
    if (!id || id->toString().isEmpty())
        return E_FAIL;
    m_documentId = id->toString();
    m_knownChanges = 0;
    m_savedChanges = 0;
    return S_OK;
}

HRESULT ChromiumEngine::save(QIODevice& out) {
    if (!m_hasDocument || !m_page)
        return E_UNEXPECTED;
    // A timer firing during the wait must not start a second save of the same page.
    if (m_waiting)
        return E_UNEXPECTED;
    const SaveResult result = serializePage();
    if (FAILED(result.hr))
        return result.hr;
    if (result.loss && sourceLossHook) {
        const std::weak_ptr<bool> alive = m_alive;
        const bool go = sourceLossHook(result.loss);
        if (!isAlive(alive) || !m_page)
            return E_UNEXPECTED;
        if (!go)
            return OLECMDERR_E_CANCELED;
    }
    // A write cut short (a full disk) is tried again for the rest, so the device records why.
    for (qsizetype done = 0; done < result.bytes.size();) {
        const qint64 written = out.write(result.bytes.constData() + done, result.bytes.size() - done);
        if (written <= 0)
            return E_FAIL;
        done += written;
    }
    if (result.documentId != m_documentId) {
        m_documentId = result.documentId;
        m_knownChanges = result.changeCount;
    }
    m_savedChanges = result.changeCount;
    m_changedBySource = false;
    return S_OK;
}

SaveResult ChromiumEngine::serializePage() {
    m_waiting = true;
    parseSource();
    // A page nobody changed is written as it was read, without waiting for the parse.
    if (m_sourceBytes && !m_sourceAttached) {
        const std::optional<QByteArray> bytes = m_sourceBytes->result();
        bool timedOut = false;
        std::optional<SaveResult> same =
            bytes ? saveUnchanged(*m_page, kPageTimeoutMs, *bytes, m_sourceDocumentId, &timedOut)
                  : std::nullopt;
        if (same || timedOut || !m_page) {
            m_waiting = false;
            SaveResult failed;
            failed.hr = timedOut ? E_TIMEOUT : E_FAIL;
            return same.value_or(failed);
        }
    }
    // A save right after the load waits for the parse of the page's bytes, which is short.
    if (m_sourceParse) {
        m_sourceParse->waitForFinished();
        attachSource();
    }
    SaveResult result = serializeForFile(*m_page, kPageTimeoutMs, m_source.get(),
                                         url().isLocalFile() ? QString() : saveFilePath);
    m_waiting = false;
    return result;
}

HRESULT ChromiumEngine::sourceText(PageSourceText& out) {
    if (!m_hasDocument || !m_page || m_waiting)
        return E_UNEXPECTED;
    const SaveResult result = serializePage();
    if (FAILED(result.hr))
        return result.hr;
    if (!m_page)
        return E_UNEXPECTED;
    const QByteArray name = result.encoding.toLatin1();
    QStringDecoder decoder(name.isEmpty() ? "UTF-8" : name.constData());
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringConverter::Utf8);
    // The decoder drops a leading byte-order mark; the text written back gets it again.
    const QByteArray utf8Bom("\xEF\xBB\xBF");
    m_shownByteOrderMark = result.bytes.startsWith(utf8Bom) ? utf8Bom : QByteArray();
    m_shownEncoding = result.encoding;
    out.text = decoder(result.bytes);
    out.selectionStart = out.selectionEnd = -1;
    m_waiting = true;
    const std::optional<QVariant> places = runScriptAndWait(
        *m_page, QStringLiteral("window.__lwEditor ? window.__lwEditor.selectionPlaces() : null"),
        kPageTimeoutMs);
    m_waiting = false;
    const QVariantMap map = places ? places->toMap() : QVariantMap();
    const QList<int> start = pathFromVariants(map.value(QStringLiteral("start")).toList());
    const QList<int> end = pathFromVariants(map.value(QStringLiteral("end")).toList());
    if (start == end) {
        out.selectionStart = out.selectionEnd = sourceContentStartOfPath(out.text, start);
    } else {
        out.selectionStart = sourceRangeOfPath(out.text, start).start;
        out.selectionEnd = sourceRangeOfPath(out.text, end).end;
    }
    return S_OK;
}

QByteArray ChromiumEngine::encodeSource(const QString& text, QString* encoding) const {
    if (!m_shownEncoding.isEmpty() &&
        m_shownEncoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) != 0) {
        if (std::optional<QByteArray> bytes = encodeExactly(m_shownEncoding, text)) {
            if (encoding)
                *encoding = m_shownEncoding;
            return *bytes;
        }
    }
    if (encoding)
        *encoding = QStringLiteral("UTF-8");
    return m_shownByteOrderMark + text.toUtf8();
}

HRESULT ChromiumEngine::loadSource(const QString& text, qsizetype caretOffset, bool changed) {
    if (!m_page || m_waiting)
        return E_UNEXPECTED;
    QString encoding;
    QByteArray bytes = encodeSource(text, &encoding);
    const QString mimeType = QStringLiteral("text/html;charset=%1").arg(encoding);
    // The engine takes markup as a data address, which has a size limit of its own.
    if (QByteArrayLiteral("data:").size() + mimeType.size() + 1 + bytes.toPercentEncoding().size() >
        kMaxContentAddress)
        return E_FAIL;
    const QUrl base = m_page->url();
    m_caretPath = sourcePathAt(text, caretOffset);
    m_contentBytes = bytes;
    m_changedBySource = changed;
    m_page->approveContentLoad(base);
    startHostLoad();
    m_page->setContent(bytes, mimeType, base);
    return S_OK;
}

bool ChromiumEngine::isLargePage() const {
    return m_page && m_page->profile() != EditorPage::editingProfile();
}

SourceLoss ChromiumEngine::sourceLoss() const {
    return m_source ? m_source->loss() : SourceLoss();
}

HRESULT ChromiumEngine::isDirty() const {
    // Without a page the question has no answer; the document counts that as changed.
    if (!m_hasDocument)
        return E_UNEXPECTED;
    return m_knownChanges > m_savedChanges || m_changedBySource ? S_OK : S_FALSE;
}

QWidget* ChromiumEngine::focusWindow() const {
    if (!m_view)
        return nullptr;
    return m_view->focusProxy() ? m_view->focusProxy() : m_view.data();
}

void ChromiumEngine::focus() {
    QWidget* target = focusWindow();
    if (!target)
        return;
    target->setFocus(Qt::OtherFocusReason);
    if (!m_inputNeedsClick || !target->isVisible())
        return;
    // The input widget of a newly loaded page takes keys only once it has been clicked; the
    // page keeps its selection through that click.
    m_inputNeedsClick = false;
    runInPage(QStringLiteral("window.__lwEditor.keepSelectionThroughClick()"), [this](const QVariant&) {
        QWidget* input = focusWindow();
        if (!input || !input->isVisible())
            return;
        const QPointF at(1, 1);
        const QPointF global = input->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(input, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(input, &release);
    });
}

std::unique_ptr<IHtmlEngine> createChromiumEngine(QWidget* parent) {
    return std::make_unique<ChromiumEngine>(parent);
}

} // namespace lw
