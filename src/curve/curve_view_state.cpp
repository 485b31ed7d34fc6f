#include "curve_view_state.h"

namespace porvel {

CurveViewState& CurveView() {
    static CurveViewState state;
    return state;
}

}  // namespace porvel
