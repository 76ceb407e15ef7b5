#pragma once

#include <QStringView>

#include <array>

namespace quenbury::locations {

inline constexpr int AreaCount = 71;

// A whole state, territory or marine area offered by the two area drop-downs.
struct Area {
    QStringView caption;        // "01-Alabama"
    QStringView entireAreaLine; // "001000EntireArea*"
    QStringView postalCode;     // "AL"; empty where the Postal Service has none, as for marine areas
};

extern const std::array<Area, AreaCount> AreaTable;

// Areas of the shipped database that the drop-downs have never offered. Their lines still need a name
// beside them, and a postal code to be found by.
extern const std::array<Area, 2> UnofferedAreas;

// The entire-area line of a drop-down row, or an empty view for an index outside the table.
QStringView entireAreaLine(int index);

} // namespace quenbury::locations
