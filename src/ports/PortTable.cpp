#include "PortTable.h"
