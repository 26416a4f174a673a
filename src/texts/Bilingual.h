// A text of the interface in both languages. Each window keeps its texts in one table of these,
// written as a .texts file (docs/HACKING.md, "Texts"), and sets them in its retranslate(); nothing
// else chooses between languages.
#pragma once

#include "engine/Language.h"

#include <QString>
#include <QStringList>

namespace ondrel {

struct Bilingual {
    const char* french;
    const char* english;

    QString in(Language language) const {
        return QString::fromUtf8(language == Language::English ? english : french);
    }
    // A text of several lines, one entry per line, the empty ones included.
    QStringList lines(Language language) const { return in(language).split(QLatin1Char('\n')); }
};

} // namespace ondrel
