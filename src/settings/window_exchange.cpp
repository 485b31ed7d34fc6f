#include "window_exchange.h"

#include <QEventLoop>
#include <QTimer>

#include "ui/main_texts.h"

namespace porvel {
namespace {
constexpr int kWaitStepMs = 10;
}

WindowExchange::~WindowExchange() {
    Finish();
}

bool WindowExchange::Start(Operation operation, ListsFlag lists, ExchangeControls controls,
                           std::function<void()> finished) {
    if (Running()) return false;
    ExchangeWorker* worker =
        StartExchange(operation, lists, std::move(controls), CurrentLanguage());
    if (!worker) return false;
    worker_ = worker;
    connect(worker, &QThread::finished, this, [this, finished = std::move(finished)] {
        worker_ = nullptr;
        if (finished) finished();
    });
    return true;
}

void WindowExchange::Finish() {
    if (!worker_) return;
    TheExchange().cancel = true;
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&loop, this] {
        if (!worker_ || worker_->isFinished()) loop.quit();
    });
    poll.start(kWaitStepMs);
    loop.exec();
    worker_ = nullptr;
    // A cancel that came after the worker's last test of it would end the next exchange at once.
    TheExchange().cancel = false;
}

}  // namespace porvel
