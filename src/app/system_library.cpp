#include "app/system_library.h"

namespace tintora {

FARPROC LoadSystemFunction(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (!module) module = LoadLibraryA(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace tintora
