// For programs that link the late windows in (the tests): no module to load.
#include "LateWindows.h"

namespace ondrel {

const LateWindowFunctions* LateWindows(QString&) {
    return &LinkedLateWindows();
}

} // namespace ondrel
