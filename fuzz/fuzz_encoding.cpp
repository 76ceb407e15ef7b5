// The conversion between the file's bytes and the text the boxes hold. Every byte must come back as
// itself; for any text, encoding must succeed exactly when every character has a Windows-1252 byte,
// and otherwise name the first one that has none, where it stands.
#include "fuzzcheck.h"

#include "matchfile/encoding.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

using quenbury::matchfile::fromWindows1252;
using quenbury::matchfile::toWindows1252;
using quenbury::matchfile::Windows1252Bytes;

namespace {

// The characters of bytes 0x80 to 0x9F. The five bytes the code page leaves unassigned stand for the
// C1 control of the same number, so that every byte has a character and back.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool hasByte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return true;
    for (const char16_t h : HighControls) {
        if (h == c)
            return true;
    }
    return false;
}

char16_t characterOfByte(std::uint8_t b) {
    return (b >= 0x80 && b < 0xA0) ? HighControls[b - 0x80] : char16_t(b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Bytes to text and back.
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString decoded = fromWindows1252(bytes);
    FUZZ_CHECK_EQUAL(decoded.size(), qsizetype(size));
    for (qsizetype i = 0; i < decoded.size(); ++i)
        FUZZ_CHECK_EQUAL(qsizetype(decoded[i].unicode()), qsizetype(characterOfByte(data[i])));
    const Windows1252Bytes again = toWindows1252(decoded);
    FUZZ_CHECK(!again.unencodable.has_value());
    FUZZ_CHECK(again.bytes == bytes);

    // Text as a user could type it: mostly characters that have a byte, with any UTF-16 code unit
    // (surrogates, line feeds, characters from other scripts) where a byte from 0xF0 up says so.
    QString text;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] >= 0xF0 && i + 2 < size) {
            text += QChar(char16_t(data[i + 1] | (data[i + 2] << 8)));
            i += 2;
        } else {
            text += QChar(characterOfByte(data[i]));
        }
    }

    // The first character without a byte, a surrogate pair counting as one character, and its place:
    // lines end at line feeds, columns count from 1.
    qsizetype bad = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!hasByte(text[i].unicode())) {
            bad = i;
            break;
        }
    }

    const Windows1252Bytes encoded = toWindows1252(text);
    if (bad < 0) {
        FUZZ_CHECK(!encoded.unencodable.has_value());
        FUZZ_CHECK_EQUAL(encoded.bytes.size(), text.size());
        FUZZ_CHECK_EQUAL(fromWindows1252(encoded.bytes), text);
        return 0;
    }
    FUZZ_CHECK(encoded.unencodable.has_value());
    FUZZ_CHECK(encoded.bytes.isEmpty());
    const qsizetype lineStart = text.lastIndexOf(u'\n', bad) + 1; // 0 when no line feed precedes
    const qsizetype line = 1 + QStringView(text).first(bad).count(u'\n');
    const bool pair = text[bad].isHighSurrogate() && bad + 1 < text.size() && text[bad + 1].isLowSurrogate();
    FUZZ_CHECK_EQUAL(encoded.unencodable->character, text.sliced(bad, pair ? 2 : 1));
    FUZZ_CHECK_EQUAL(encoded.unencodable->line, line);
    FUZZ_CHECK_EQUAL(encoded.unencodable->column, bad - lineStart + 1);
    FUZZ_CHECK(!encoded.unencodable->describe().isEmpty());
    return 0;
}
