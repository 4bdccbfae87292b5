#include "graphics/LibraryHandle.h"

#include "graphics/PX8Lib.h"

void TLibraryHandle::Set(TPX8Library* library) {
    if (library == Library) {
        return;
    }
    if (Library != nullptr) {
        Library->UnregisterClient(&Library);
    }
    Library = library;
    if (Library != nullptr) {
        Library->RegisterClient(&Library);
    }
}
