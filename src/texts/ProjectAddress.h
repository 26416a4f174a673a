// Where users reach the project: the home page shown by the about box and at the end of the
// import's error message.
#pragma once

#include <QString>

namespace ondrel {

inline const QString kSupportAddress = QStringLiteral("https://ondrel.org");

} // namespace ondrel
