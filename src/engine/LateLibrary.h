// A shared library of the system loaded the first time it is needed, not with the program: a
// library that only a rare command uses (the iCalendar writer, the creation of a dBase table)
// would otherwise cost every start of every program its loading. Its functions are found by name
// and typed by the library's own declarations:
//   LateLibrary ical("libical.so.3");
//   auto* freeComponent = ical.function<decltype(icalcomponent_free)>("icalcomponent_free");
#pragma once

#include <string>

namespace ondrel {

class LateLibrary {
public:
    explicit LateLibrary(std::string soname) : soname_(std::move(soname)) {}
    LateLibrary(const LateLibrary&) = delete;
    LateLibrary& operator=(const LateLibrary&) = delete;

    // The function of that name, the library loaded on the first call (and kept for the rest of
    // the process). Throws std::runtime_error naming the library and what the system said when
    // the library or the function cannot be found.
    template <typename Function> Function* function(const char* name) {
        return reinterpret_cast<Function*>(symbol(name));
    }

private:
    void* symbol(const char* name);

    std::string soname_;
    void* handle_ = nullptr;
};

} // namespace ondrel
