#pragma once

#include <QStringView>

// The match file's fixed lines and limits, shared by the builders and the verifier.
namespace quenbury::matchfile {

inline constexpr QStringView LineEnd = u"\r\n";

// The receivers read runs of at most 32 characters between asterisks.
inline constexpr int RunLimit = 32;
// 2000 carriage returns are already too many for the receivers' memory.
inline constexpr int LineCountLimit = 2000;
inline constexpr int ExcerptLength = 32;
inline constexpr QStringView EndMark = u"EOFEOF*";

inline constexpr QStringView Separator = u"YYYYYY*";
inline constexpr QStringView EventSectionMarker = u"#MatchEvent*";
inline constexpr QStringView LocationSectionMarker = u"#MatchLocation*";
inline constexpr QStringView NationalLocationLine = u"000000*";

// Written by both receiver paths to finish the text.
inline constexpr QStringView ClosingLines = u"YYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n";

} // namespace quenbury::matchfile
