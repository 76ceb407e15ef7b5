#pragma once

#include <QString>

#include <optional>
#include <sys/types.h>

namespace quenbury::matchfile {

// Why a file of this kind (a stat mode) is no match file or database to read or save, in the words
// every message of the program uses: "it is a folder, not a regular file". Nothing for a regular file.
// Reading refuses every other kind; saving writes a device in place and refuses the rest.
std::optional<QString> notARegularFile(mode_t mode);

// The system's reason for the last call that failed (errno), in its own words.
QString systemError();

} // namespace quenbury::matchfile
