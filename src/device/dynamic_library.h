// Loading a shared library by file name and looking up its entries by name.
#pragma once

#include <string>

namespace porvel {

using LibraryHandle = void*;

// The system's usual search for libraries applies to a bare file name. Null on failure.
LibraryHandle OpenLibrary(const std::string& fileName);
void* LibraryEntry(LibraryHandle library, const char* name);
void CloseLibrary(LibraryHandle library);

}  // namespace porvel
