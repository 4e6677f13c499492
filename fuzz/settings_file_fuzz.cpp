// Feeds arbitrary bytes to the settings parser. Whatever it accepts must serialise to text that
// parses back to the same tree and serialises to the same bytes again, and every key and the
// recent-file list must read back from it as a start reads them. scripts/fuzz.sh gives each
// input a time limit, so a file that freezes the parser or its readers fails like a crash.

#include "framework/core/RecentFileList.h"
#include "framework/core/SettingsTree.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Visits every key below key through subKeys, as the readers of the settings do.
void walk(const lw::CSettingsTree& tree, const QString& key) {
    for (const QString& name : tree.subKeys(key)) {
        const QString path = key.isEmpty() ? name : key + QLatin1Char('\\') + name;
        if (!tree.keyExists(path))
            std::abort();
        tree.valueNames(path);
        walk(tree, path);
    }
}

void readRecentFiles(const lw::CSettingsTree& tree) {
    constexpr int kEntries = 10;
    lw::CRecentFileList list(0xE110, kEntries, 30);
    QStringList stored;
    for (int i = 1; i <= kEntries; ++i)
        stored << tree.readString(QStringLiteral("Recent File List"), QStringLiteral("File%1").arg(i))
                      .value_or(QString());
    list.ReadList(stored);
    for (int i = 0; i < kEntries; ++i)
        list.MenuText(i, QStringLiteral("/tmp"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    int line = 0;
    const auto tree = lw::CSettingsTree::parse(input, &line);
    if (!tree) {
        if (line < 1)
            std::abort();
        return 0;
    }
    const QByteArray text = tree->serialise();
    const auto again = lw::CSettingsTree::parse(text);
    if (!again || !(*again == *tree) || again->serialise() != text)
        std::abort();
    walk(*tree, QString());
    readRecentFiles(*tree);
    return 0;
}
