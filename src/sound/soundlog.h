// The sound's own logging category. A game without sound says nothing about
// it: the messages are debug ones, shown only when asked for.
#pragma once

#include <QLoggingCategory>

// Never destroyed: the worker may still log while the program's statics are
// being destroyed. The worker's owner makes it first, so that it is never
// made that late either.
inline const QLoggingCategory& lcSound() {
    static const QLoggingCategory* const category =
        new QLoggingCategory("zanfria.sound", QtWarningMsg);
    return *category;
}
