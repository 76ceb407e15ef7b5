#include "matchfile/encoding.h"

#include "matchfile/lineends.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>

namespace quenbury::matchfile {

namespace {

// ICU behind Qt knows "windows-1252" with all 256 bytes mapped both ways.
constexpr const char* CodecName = "windows-1252";

// Asked of every character of a text that may hold 32,767 lines, so the converter is asked once,
// for all 256 bytes, and its answer kept.
struct Repertoire {
    std::array<bool, 256> latin{};     // U+0000 to U+00FF
    std::array<char16_t, 32> higher{}; // the rest, ascending: the euro sign, the curly quotes, ...
    std::size_t higherCount = 0;
};

const Repertoire& repertoire() {
    static const Repertoire table = [] {
        Repertoire r;
        QByteArray every(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            every[b] = char(b);
        const QString characters = decodeWindows1252(every).value_or(QString());
        for (QChar c : characters) {
            if (c.unicode() < 256)
                r.latin[c.unicode()] = true;
            else if (r.higherCount < r.higher.size())
                r.higher[r.higherCount++] = c.unicode();
        }
        std::sort(r.higher.begin(), r.higher.begin() + r.higherCount);
        return r;
    }();
    return table;
}

} // namespace

QStringView characterAt(QStringView text, qsizetype at) {
    const bool pair = text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
    return text.sliced(at, pair ? 2 : 1);
}

qsizetype characterCount(QStringView text) {
    qsizetype count = 0;
    for (qsizetype at = 0; at < text.size(); at += characterAt(text, at).size())
        ++count;
    return count;
}

std::optional<UnencodableCharacter> findUnencodable(QStringView text) {
    for (LineWalker walker(text); walker.atLine(); walker.advance()) {
        const QStringView line = walker.line();
        // ASCII first: nearly every character of a real file is.
        const auto bad = std::find_if_not(
            line.begin(), line.end(), [](QChar c) { return c.unicode() < 0x80 || hasWindows1252Byte(c); });
        if (bad == line.end())
            continue;
        const qsizetype at = bad - line.begin();
        return UnencodableCharacter{characterAt(line, at).toString(), walker.number(),
                                    characterCount(line.first(at)) + 1};
    }
    return std::nullopt;
}

QString UnencodableCharacter::code() const {
    const char32_t point = character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                                 : char32_t(character.isEmpty() ? 0 : character[0].unicode());
    return QStringLiteral("U+") + QStringLiteral("%1").arg(quint32(point), 4, 16, QLatin1Char('0')).toUpper();
}

QString UnencodableCharacter::describe() const {
    return QStringLiteral("the character \u201C%1\u201D (%2) at line %3, column %4")
        .arg(character, code())
        .arg(line)
        .arg(column);
}

bool hasWindows1252Byte(QChar c) {
    const char16_t u = c.unicode();
    const Repertoire& r = repertoire();
    if (u < 256)
        return r.latin[u];
    return std::binary_search(r.higher.begin(), r.higher.begin() + r.higherCount, u);
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
        result.unencodable = findUnencodable(text).value_or(UnencodableCharacter{});
    }
    return result;
}

} // namespace quenbury::matchfile
