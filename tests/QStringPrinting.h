// Readable QString values in the tests' failure messages. Every file of a test program that
// compares QString values includes it, so that the program prints them one way.
#pragma once

#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
