#pragma once

#include <dlfcn.h>

namespace tintaro {

// Points `slot` at the function `name` in a library opened with dlopen; false when the library
// has no such function (the slot is then null). For libraries bound at run time rather than
// linked, so that the program does not load them, or search them, at every start.
template <typename Function> bool bindSymbol(void* handle, const char* name, Function& slot) {
    slot = reinterpret_cast<Function>(dlsym(handle, name));
    return slot != nullptr;
}

} // namespace tintaro
