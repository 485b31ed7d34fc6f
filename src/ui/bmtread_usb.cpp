#include "bmtread_usb.h"

#include "device/exchange.h"
#include "device/libusb_binding.h"
#include "qt_exchange_view.h"
#include "wire/name_tables.h"

namespace porvel {

BMTreadUSB::BMTreadUSB(ExchangeControls controls, Language language, QObject* parent)
    : QThread(parent), controls_(std::move(controls)), language_(language) {}

void BMTreadUSB::run() {
    SystemClock clock;
    QtExchangeView view(controls_, language_);
    Exchange exchange(TheExchange(), LibUSB(), clock, view, ObjectNames(), MaterialNames(),
                      language_);
    exchange.Run();
    TheExchange().running = false;
}

BMTreadUSB* StartExchange(Operation operation, ListsFlag lists, ExchangeControls controls,
                          Language language) {
    ExchangeGlobals& g = TheExchange();
    bool idle = false;
    if (!g.running.compare_exchange_strong(idle, true)) return nullptr;
    g.state = ExchangeState::Connect;
    g.operation = operation;
    if (lists == ListsFlag::Set) g.listsNeeded = true;
    if (lists == ListsFlag::Cleared) g.listsNeeded = false;
    auto* worker = new BMTreadUSB(std::move(controls), language);
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
    return worker;
}

bool ExchangeRunning() {
    return TheExchange().running.load();
}

}  // namespace porvel
