// A text of the interface in both languages. Each window keeps its texts in one table of these
// and sets them in its retranslate(); nothing else chooses between languages.
#pragma once

#include "Language.h"

#include <QString>

namespace ondrel {

struct Bilingual {
    const char* french;
    const char* english;

    QString in(Language language) const {
        return QString::fromUtf8(language == Language::English ? english : french);
    }
};

} // namespace ondrel
