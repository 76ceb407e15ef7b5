#include "matchfile/encoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace quenbury::matchfile {

namespace {

// ICU behind Qt knows "windows-1252" with all 256 bytes mapped both ways.
constexpr const char* CodecName = "windows-1252";

bool encodes(QStringView piece) {
    QStringEncoder encoder(CodecName, QStringConverter::Flag::Stateless);
    // encode() only describes the work; it happens when the result becomes a byte array.
    const QByteArray bytes = encoder.encode(piece);
    return !encoder.hasError();
}

UnencodableCharacter locateUnencodable(QStringView text) {
    qsizetype line = 1;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\n') {
            ++line;
            lineStart = i + 1;
            continue;
        }
        if (c.unicode() < 0x80)
            continue;
        const qsizetype width =
            (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        const QStringView piece = text.mid(i, width);
        if (!encodes(piece))
            return {piece.toString(), line, i - lineStart + 1};
        i += width - 1;
    }
    return {};
}

} // namespace

QString UnencodableCharacter::describe() const {
    const char32_t code = character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                                : char32_t(character.isEmpty() ? 0 : character[0].unicode());
    return QStringLiteral("the character \u201C%1\u201D (U+%2) at line %3, column %4")
        .arg(character, QStringLiteral("%1").arg(quint32(code), 4, 16, QLatin1Char('0')).toUpper())
        .arg(line)
        .arg(column);
}

std::optional<QString> decodeWindows1252(QByteArrayView bytes) {
    QStringDecoder decoder(CodecName, QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return std::nullopt;
    // In pieces: handed 512 MiB or more at once, the converter gives back an empty text (with its
    // error set). One byte is one character, so any cut between bytes is sound.
    constexpr qsizetype Piece = qsizetype(1) << 24;
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* end = text.data();
    for (qsizetype at = 0; at < bytes.size(); at += Piece)
        end = decoder.appendToBuffer(end, bytes.sliced(at, std::min(Piece, bytes.size() - at)));
    if (decoder.hasError() || end - text.constData() != bytes.size())
        return std::nullopt;
    return text;
}

Windows1252Bytes toWindows1252(QStringView text) {
    QStringEncoder encoder(CodecName, QStringConverter::Flag::Stateless);
    Windows1252Bytes result;
    result.bytes = encoder.encode(text);
    if (encoder.hasError()) {
        result.bytes.clear();
        result.unencodable = locateUnencodable(text);
    }
    return result;
}

} // namespace quenbury::matchfile
