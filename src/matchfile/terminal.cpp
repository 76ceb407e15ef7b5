#include "matchfile/terminal.h"

namespace quenbury::matchfile {

namespace {

// The length of the valid UTF-8 sequence of a printable character at `at`, or 0. The second byte's
// range leaves out overlong forms, surrogates and code points past U+10FFFF.
qsizetype printableSequence(QByteArrayView bytes, qsizetype at) {
    const uchar lead = uchar(bytes[at]);
    const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || lead > 0xF4 || at + length > bytes.size())
        return 0;
    const uchar second = uchar(bytes[at + 1]);
    const uchar low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const uchar high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (second < low || second > high)
        return 0;
    for (qsizetype k = 2; k < length; ++k) {
        if ((uchar(bytes[at + k]) & 0xC0) != 0x80)
            return 0;
    }
    // U+0080 to U+009F are control characters too: some terminals obey them.
    if (lead == 0xC2 && second < 0xA0)
        return 0;
    return length;
}

void appendEscaped(QByteArray& out, uchar byte) {
    // Pairs of the letter and the byte it stands for, as C writes them.
    constexpr char Letters[] = "a\ab\bn\nv\vf\fr\r";
    out += '\\';
    for (int i = 0; Letters[i] != '\0'; i += 2) {
        if (uchar(Letters[i + 1]) == byte) {
            out += Letters[i];
            return;
        }
    }
    out += char('0' + (byte >> 6));
    out += char('0' + ((byte >> 3) & 7));
    out += char('0' + (byte & 7));
}

} // namespace

QByteArray escapeForTerminal(QByteArrayView bytes, LineFeeds lineFeeds) {
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const uchar byte = uchar(bytes[at]);
        const bool kept = byte == '\t' || (byte == '\n' && lineFeeds == LineFeeds::Kept);
        if (kept || (byte >= 0x20 && byte < 0x7F)) {
            out += char(byte);
            ++at;
            continue;
        }
        const qsizetype length = byte >= 0x80 ? printableSequence(bytes, at) : 0;
        if (length == 0) {
            appendEscaped(out, byte);
            ++at;
            continue;
        }
        out += bytes.sliced(at, length);
        at += length;
    }
    return out;
}

} // namespace quenbury::matchfile
