// Work handed to the main thread, which owns every window and the archive table, from any
// thread: the exchange worker's view and the message box both go through it.
#pragma once

#include <QCoreApplication>
#include <QThread>
#include <functional>

namespace porvel {

// Runs `work` on the main thread and returns when it has run there. On the main thread itself
// it runs at once: a blocking hand-off to the own thread would wait for itself for ever.
// Without an application object nothing runs and the answer is false.
inline bool RunOnMainThread(const std::function<void()>& work) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    if (QThread::currentThread() == app->thread())
        work();
    else
        QMetaObject::invokeMethod(app, work, Qt::BlockingQueuedConnection);
    return true;
}

}  // namespace porvel
