// The one exchange a settings window runs at a time, and its end when the window closes: a
// closed window is never reported into, and it leaves no cancel behind for the next exchange.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "base/language.h"
#include "ui/exchange_worker.h"

namespace porvel {

class WindowExchange : public QObject {
    Q_OBJECT
public:
    // The exchange's messages are in `language`.
    WindowExchange(ExchangeSession& session, Language language, QObject* parent = nullptr)
        : QObject(parent), session_(session), language_(language) {}
    ~WindowExchange() override;

    ExchangeSession& Session() { return session_; }
    const ExchangeSession& Session() const { return session_; }

    // Starts the exchange unless any exchange runs; `finished` runs on the main thread once
    // the worker has ended. False when it was not started.
    bool Start(Operation operation, ListsFlag lists, ExchangeControls controls,
               std::function<void()> finished);
    bool Running() const { return !worker_.isNull(); }
    // Stops the window's running exchange and waits for its end (CancelExchangeAndWait).
    void Finish();

private:
    ExchangeSession& session_;
    const Language language_;
    QPointer<ExchangeWorker> worker_;
};

}  // namespace porvel
