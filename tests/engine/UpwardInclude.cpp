// Built only by the test upward_include_refused, which expects it not to compile: the engine
// cannot see the port table's headers, a layer above it.
#include "ports/PortTable.h"
