// Marks the functions that the host's libraries export by name. Everything
// else in them stays hidden, so the export list is exactly what the plug-in
// may look up plus our own Quillon* enumeration.
#pragma once

#define QUILLON_EXPORT extern "C" __attribute__((visibility("default")))
