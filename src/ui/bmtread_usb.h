// BMTreadUSB: the worker thread of one exchange with the instrument.
#pragma once

#include <QThread>

#include "base/language.h"
#include "device/exchange_types.h"
#include "exchange_controls.h"

namespace porvel {

class BMTreadUSB : public QThread {
    Q_OBJECT
public:
    BMTreadUSB(ExchangeControls controls, Language language, QObject* parent = nullptr);

protected:
    void run() override;

private:
    ExchangeControls controls_;
    Language language_;
};

// Which way a starter moves the lists-needed flag before its exchange.
enum class ListsFlag { Unchanged, Set, Cleared };

// Starts an exchange unless one is running: state 0, the operation, the flag, then a worker
// with the controls it reports into. The worker deletes itself when it has finished. Null
// when another exchange still runs.
BMTreadUSB* StartExchange(Operation operation, ListsFlag lists, ExchangeControls controls,
                          Language language);

bool ExchangeRunning();

}  // namespace porvel
