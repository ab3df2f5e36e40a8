// Defines the interface library's look-up-only functions from their list.
// Their arguments differ from one to the next; all that matters is that a
// call, whatever it passes, returns 0 and changes nothing. On this ABI the
// caller cleans up its own arguments, so a function taking none is safe to
// call with any.
#include <cstdint>

#include "quillon/libs/export.h"

#define QUILLON_INERT(name) \
  QUILLON_EXPORT std::intptr_t name() { return 0; }
#include "quillon/libs/inert_functions.inc"
#undef QUILLON_INERT
