#pragma once

#include <QString>

#include <array>

namespace quenbury::translations {

// The seven fixed blocks that head the translation part of a Brisvane 400 file, in file order:
// OrgBlock, EventBlock1, EventBlock2, EventBlock3, StateBlock1, StateBlock2, StateBlock3.
// Every line ends in CR LF; together 125 lines and 1,918 characters.
inline constexpr int TranslationBlockCount = 7;
const std::array<QString, TranslationBlockCount>& translationHeaderBlocks();

// The seven blocks joined, as the Brisvane 400 button appends them.
QString translationHeader();

} // namespace quenbury::translations
