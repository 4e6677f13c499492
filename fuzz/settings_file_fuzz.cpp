// Feeds arbitrary bytes to the settings parser. Whatever it accepts must serialise to text that
// parses back to the same tree and serialises to the same bytes again.

#include "framework/core/SettingsTree.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

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
    return 0;
}
