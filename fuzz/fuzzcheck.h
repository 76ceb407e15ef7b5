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

// As FUZZ_CHECK, with the values that disagree shown as escaped text.
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

// Control characters and everything outside ASCII as escapes, so CR, LF and the like stay visible.
inline QString fuzzShow(const QString& s) {
    QString out;
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7F)
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
    }
    return out;
}
