// The two languages of the program's texts, and the two height units.
#pragma once

namespace ondrel {

enum class Language { French, English };
enum class HeightUnit { Metres, Feet };

} // namespace ondrel
