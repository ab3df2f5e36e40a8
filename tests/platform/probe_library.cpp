// A tiny loadable library for the module tests. In: nothing. Out: one
// exported function and one exported data object, whose addresses let the
// tests check symbol lookup and address-to-module mapping. It calls into the
// C library so that the C library is one of its dependencies.
#include <unistd.h>

extern "C" {

int lexordaProbeCounter = 7;

int lexordaProbeAnswer() { return 42; }

int lexordaProbeProcessId() { return static_cast<int>(getpid()); }
}
