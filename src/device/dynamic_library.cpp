#include "dynamic_library.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace porvel {

#ifdef _WIN32

LibraryHandle OpenLibrary(const std::string& fileName) {
    return reinterpret_cast<LibraryHandle>(LoadLibraryA(fileName.c_str()));
}

void* LibraryEntry(LibraryHandle library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(LibraryHandle library) {
    FreeLibrary(static_cast<HMODULE>(library));
}

#else

LibraryHandle OpenLibrary(const std::string& fileName) {
    // Local binding: the simulated instrument and the system library may both be loaded.
    return dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* LibraryEntry(LibraryHandle library, const char* name) {
    return dlsym(library, name);
}

void CloseLibrary(LibraryHandle library) {
    dlclose(library);
}

#endif

}  // namespace porvel
