// Defines the identifiers of the type library for the whole DLL.
#include <initguid.h>

#include "tavo_h.h"
