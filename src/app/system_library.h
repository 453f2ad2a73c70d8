// Functions of system libraries that the picker needs only now and then. Their libraries are
// loaded on first use and stay: under Wine each brings megabytes of other libraries along, which
// the window should not pay for at every start.
#pragma once

#include <windows.h>

namespace tintora {

constexpr char kUserLibrary[] = "user32.dll";

// Null when the library or the function cannot be had.
FARPROC LoadSystemFunction(const char* library, const char* name);

template <class Function>
Function SystemFunction(const char* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(LoadSystemFunction(library, name)));
}

}  // namespace tintora
