#include "LateLibrary.h"

#include <dlfcn.h>

#include <stdexcept>

namespace ondrel {

void* LateLibrary::symbol(const char* name) {
    if (!handle_) handle_ = dlopen(soname_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = dlerror();
        throw std::runtime_error("the library " + soname_ + " cannot be loaded (" +
                                 (why ? why : "unknown reason") + ")");
    }
    dlerror(); // clears an earlier error
    void* found = dlsym(handle_, name);
    if (!found)
        throw std::runtime_error("the library " + soname_ + " has no function " + name +
                                 " (another version of it?)");
    return found;
}

} // namespace ondrel
