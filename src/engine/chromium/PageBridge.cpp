#include "engine/chromium/PageBridge.h"

namespace lw {

void PageBridge::pushSnapshot(const QJsonObject& snapshot) {
    emit snapshotArrived(EngineSnapshot::fromJson(snapshot));
}

} // namespace lw
