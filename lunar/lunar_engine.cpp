// Placeholder: the engine is being written.
#include "lunar/lunar_engine.h"
