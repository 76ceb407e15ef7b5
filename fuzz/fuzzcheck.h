#pragma once

#include <QString>

#include <cstdio>

// A property that fails traps at once, so libFuzzer keeps the input as a crash and prints the line.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, #condition);     \
            __builtin_trap();                                                                                \
        }                                                                                                    \
    } while (false)

// As FUZZ_CHECK, with both values shown; control characters and non-ASCII as escapes.
#define FUZZ_CHECK_EQUAL(actual, expected)                                                                   \
    do {                                                                                                     \
        if (!((actual) == (expected))) {                                                                     \
            std::fprintf(stderr, "%s:%d: %s != %s\n  actual:   %s\n  expected: %s\n", __FILE__, __LINE__,    \
                         #actual, #expected, qPrintable(fuzzShow(actual)), qPrintable(fuzzShow(expected)));  \
            __builtin_trap();                                                                                \
        }                                                                                                    \
    } while (false)

inline QString fuzzShow(qsizetype n) {
    return QString::number(n);
}

inline QString fuzzShow(const QString& s) {
    QString out;
    for (const QChar c : s)
        out += c.unicode() >= 0x20 && c.unicode() < 0x7F
                   ? QString(c)
                   : QStringLiteral("\\u%1").arg(uint(c.unicode()), 4, 16, QLatin1Char('0'));
    return out;
}
