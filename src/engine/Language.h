// The two languages of the program's texts, the two height units and the two speed units.
#pragma once

namespace ondrel {

enum class Language { French, English };
enum class HeightUnit { Metres, Feet };
enum class SpeedUnit { Knots, MetresPerSecond };

// A text of the engine in both languages (UTF-8). The engine keeps its texts in tables of these;
// the windows have their own, Bilingual, which gives a QString.
struct TextPair {
    const char* french;
    const char* english;

    constexpr const char* In(Language language) const {
        return language == Language::English ? english : french;
    }
};

} // namespace ondrel
