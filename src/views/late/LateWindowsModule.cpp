// The entry of the ondrel-late-windows module: the functions of the windows it holds.
#include "LateWindows.h"

extern "C" __attribute__((visibility("default"))) const ondrel::LateWindowFunctions*
ondrel_late_windows() {
    return &ondrel::LinkedLateWindows();
}
