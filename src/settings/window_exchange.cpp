#include "window_exchange.h"

namespace porvel {

WindowExchange::~WindowExchange() {
    Finish();
}

bool WindowExchange::Start(Operation operation, ListsFlag lists, ExchangeControls controls,
                           std::function<void()> finished) {
    if (Running()) return false;
    ExchangeWorker* worker =
        StartExchange(session_, operation, lists, std::move(controls), language_);
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
    CancelExchangeAndWait(session_);  // the window's own worker: one exchange runs at a time
    worker_ = nullptr;
}

}  // namespace porvel
