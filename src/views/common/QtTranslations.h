// Qt's own texts (the standard buttons, the file, colour, font and print dialogs) in the
// program's language.
#pragma once

#include "engine/Language.h"

namespace ondrel {

// Installs Qt's French translations when the language is French and removes them otherwise.
// Returns whether Qt's texts are now in that language (false when the French translations are
// not installed on this system).
bool UseQtTranslations(Language language);

} // namespace ondrel
