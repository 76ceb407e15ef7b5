#pragma once

#include <QStringView>

#include <array>

namespace quenbury::locations {

inline constexpr int AreaCount = 71;

// A whole state, territory or marine area offered by the two area drop-downs.
struct Area {
    QStringView caption;        // "01-Alabama"
    QStringView entireAreaLine; // "001000EntireArea*"
};

extern const std::array<Area, AreaCount> AreaTable;

// The entire-area line of a drop-down row, or an empty view for an index outside the table.
QStringView entireAreaLine(int index);

} // namespace quenbury::locations
