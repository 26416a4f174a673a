// The time reference every displayed time is counted in: the port's own local time, UT+1, UT+2,
// UT+n, or the port's legal time with its summer time. Stored as its settings code: 0, 1, 2,
// 100 + n (88 to 112 for UT-12 to UT+12), or 200 for the legal time (a code that versions
// without it read as unknown, falling back to the default).
#pragma once

#include "engine/Language.h"

#include <string>

namespace ondrel {

class TimeReference {
public:
    constexpr TimeReference() = default;
    constexpr explicit TimeReference(int code) : code_(code) {}
    static constexpr TimeReference PortLocal() { return TimeReference(0); }
    // The port's legal time, summer time included (TideContext holds the port's zone).
    static constexpr int kLegalCode = 200;
    static constexpr TimeReference PortLegal() { return TimeReference(kLegalCode); }
    static constexpr TimeReference UtPlus(int hours) {
        return TimeReference(hours == 1 || hours == 2 ? hours : 100 + hours);
    }

    constexpr int code() const { return code_; }
    // The codes the program offers: 0, 1, 2, 88 to 112 and 200.
    constexpr bool isValid() const {
        return code_ == 0 || code_ == 1 || code_ == 2 || (code_ >= 88 && code_ <= 112) ||
               code_ == kLegalCode;
    }
    constexpr bool isPortLocal() const { return code_ == 0; }
    constexpr bool isPortLegal() const { return code_ == kLegalCode; }
    // Hours ahead of UT of a fixed reference other than the port's local time: 1, 2 or
    // code - 100 (not to be asked of the legal time, whose offset changes with the date).
    constexpr int hoursAheadOfUt() const { return code_ == 1 || code_ == 2 ? code_ : code_ - 100; }
    // The main window's label: "Heure locale", "winter time (UT +1)", "UT + 5", "heure légale"...
    std::string label(Language language) const;

    friend constexpr bool operator==(TimeReference, TimeReference) = default;

private:
    int code_ = 0;
};

} // namespace ondrel
