#pragma once
// Waiting on a condition with the event loop running all the while: the web engine's own
// work runs on this thread, and QTest::qWaitFor's sleeps between passes slow every page
// load to a crawl.

#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace lwtest {

inline constexpr int kWaitMs = 15000;

inline bool waitFor(const std::function<bool()>& done, int timeoutMs = kWaitMs) {
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(2);
    deadline.start(timeoutMs);
    loop.exec();
    return done();
}

} // namespace lwtest
