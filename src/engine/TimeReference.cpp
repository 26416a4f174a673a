#include "engine/TimeReference.h"

#include <array>

namespace ondrel {

namespace {

constexpr std::array<TextPair, 3> kNamedReferences = {{
    {"Heure locale", "local time"},
    {"Heure d'hiver (UT +1)", "winter time (UT +1)"},
    {"Heure d'été (UT +2)", "summer time (UT +2)"},
}};
constexpr TextPair kLegal{"Heure légale (été compris)", "legal time (summer time included)"};

} // namespace

std::string TimeReference::label(Language language) const {
    if (isPortLegal()) return kLegal.In(language);
    if (code_ >= 0 && code_ < static_cast<int>(kNamedReferences.size())) {
        return kNamedReferences[static_cast<std::size_t>(code_)].In(language);
    }
    return "UT + " + std::to_string(code_ - 100);
}

} // namespace ondrel
