#include "exchange_types.h"

namespace porvel {

ExchangeGlobals::ExchangeGlobals() = default;

ExchangeGlobals& TheExchange() {
    static ExchangeGlobals globals;
    return globals;
}

}  // namespace porvel
