#include "TimeReference.h"

#include <array>

namespace ondrel {

namespace {

struct Label {
    const char* french;
    const char* english;
};
constexpr std::array<Label, 3> kNamedReferences = {{
    {"Heure locale", "local time"},
    {"Heure d'hiver (UT +1)", "winter time (UT +1)"},
    {"Heure d'été (UT +2)", "summer time (UT +2)"},
}};

} // namespace

std::string TimeReference::label(Language language) const {
    if (code_ >= 0 && code_ < static_cast<int>(kNamedReferences.size())) {
        const Label& l = kNamedReferences[static_cast<std::size_t>(code_)];
        return language == Language::English ? l.english : l.french;
    }
    return "UT + " + std::to_string(code_ - 100);
}

} // namespace ondrel
