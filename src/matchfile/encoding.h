#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The receivers read single-byte Windows-1252 text: one byte on disk is one character in memory,
// so counts made on the text are counts of the file's bytes.
namespace quenbury::matchfile {

// Every byte maps to exactly one character (0x81 to U+0081 and so on), so nothing is lost. Nothing
// when the converter fails (it is missing from the Qt build, or it refuses the size).
std::optional<QString> decodeWindows1252(QByteArrayView bytes);

// The character that starts at `at`: one UTF-16 unit, or two for a surrogate pair.
QStringView characterAt(QStringView text, qsizetype at);
// How many characters a text holds, a surrogate pair counting as one: what people count.
qsizetype characterCount(QStringView text);

// Where a text holds a character that has no Windows-1252 byte.
struct UnencodableCharacter {
    QString character;    // one character, or a surrogate pair
    qsizetype line = 0;   // counted from 1, as a text box shows lines
    qsizetype column = 0; // counted from 1, in characters

    QString code() const;     // "U+0100"
    QString describe() const; // "the character "Ā" (U+0100) at line 3, column 5"
};

// Whether Windows-1252 has a byte for the character. A surrogate, half of a character beyond the
// 16-bit range, never has.
bool hasWindows1252Byte(QChar c);

// The first character of a text without a Windows-1252 byte, and where it stands; nothing if none.
std::optional<UnencodableCharacter> findUnencodable(QStringView text);

struct Windows1252Bytes {
    QByteArray bytes;
    std::optional<UnencodableCharacter> unencodable; // set when no bytes could be made
};

Windows1252Bytes toWindows1252(QStringView text);

} // namespace quenbury::matchfile
