#pragma once
// The host object the editing script reaches over the web channel. Only what the script
// pushes to the host goes through it; the host's calls into the page run as scripts so they
// keep their order with saving and printing.

#include "engine/chromium/EngineSnapshot.h"

#include <QJsonObject>
#include <QObject>

namespace lw {

class PageBridge : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

public slots:
    // Called by the script with its latest state.
    void pushSnapshot(const QJsonObject& snapshot);

signals:
    void snapshotArrived(const lw::EngineSnapshot& snapshot);
};

} // namespace lw
