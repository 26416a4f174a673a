// TypeAhead: the letters typed in a list, gathered while they come less than about a second
// apart, so that "BRE" reaches the names that start with BRE rather than those with E.
#pragma once

#include <QElapsedTimer>
#include <QString>

namespace ondrel {

class TypeAhead {
public:
    // Keys further apart than this start a new prefix.
    static constexpr qint64 kGatherMs = 1000;

    // The prefix with key added: key alone when the last one came too long ago.
    QString add(QChar key) {
        if (!since_.isValid() || since_.elapsed() > kGatherMs) prefix_.clear();
        since_.start();
        prefix_ += key;
        return prefix_;
    }
    void clear() { prefix_.clear(); }

private:
    QString prefix_;
    QElapsedTimer since_;
};

} // namespace ondrel
