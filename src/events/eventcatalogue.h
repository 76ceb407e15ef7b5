#pragma once

#include <QString>
#include <QStringView>

#include <array>

namespace quenbury::events {

inline constexpr int EventCount = 53;

// One alert event of the Events page: the caption beside its box and the line it puts in the file.
struct EventRow {
    QStringView caption;   // "TOR-TornadoWarning"
    QStringView matchLine; // "TOR*"
};

extern const std::array<EventRow, EventCount> EventCatalogue;

// The text the Events page's Continue starts the file with: the event section for the ticked rows,
// then the opening of the location section. Every line ends in CR LF.
QString matchEventSection(const std::array<bool, EventCount>& ticked);

} // namespace quenbury::events
