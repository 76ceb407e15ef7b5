#include "locations/areatable.h"

namespace quenbury::locations {

// Captions are kept letter for letter as users know them from the receivers' documentation,
// misspellings included.
const std::array<Area, AreaCount> AreaTable = {{
    {u"01-Alabama", u"001000EntireArea*", u"AL"},
    {u"02-Alaska", u"002000EntireArea*", u"AK"},
    {u"04-Arizona", u"004000EntireArea*", u"AZ"},
    {u"05-Arkansas", u"005000EntireArea*", u"AR"},
    {u"06-California", u"006000EntireArea*", u"CA"},
    {u"08-Colorado", u"008000EntireArea*", u"CO"},
    {u"09-Connecticut", u"009000EntireArea*", u"CT"},
    {u"10-Delaware", u"010000EntireArea*", u"DE"},
    {u"11-District of Columbia", u"011000EntireArea*", u"DC"},
    {u"12-Florida", u"012000EntireArea*", u"FL"},
    {u"13-Georgia", u"013000EntireArea*", u"GA"},
    {u"15-Hawaii", u"015000EntireArea*", u"HI"},
    {u"16-Idaho", u"016000EntireArea*", u"ID"},
    {u"17-Illinois", u"017000EntireArea*", u"IL"},
    {u"18-Indiana", u"018000EntireArea*", u"IN"},
    {u"19-Iowa", u"019000EntireArea*", u"IA"},
    {u"20-Kansas", u"020000EntireArea*", u"KS"},
    {u"21-Kentucky", u"021000EntireArea*", u"KY"},
    {u"22-Louisiana", u"022000EntireArea*", u"LA"},
    {u"23-Maine", u"023000EntireArea*", u"ME"},
    {u"24-Maryland", u"024000EntireArea*", u"MD"},
    {u"25-Massachusetts", u"025000EntireArea*", u"MA"},
    {u"26-Michigan", u"026000EntireArea*", u"MI"},
    {u"27-Minnesota", u"027000EntireArea*", u"MN"},
    {u"28-Mississippi", u"028000EntireArea*", u"MS"},
    {u"29-Missouri", u"029000EntireArea*", u"MO"},
    {u"30-Montana", u"030000EntireArea*", u"MT"},
    {u"31-Nebraska", u"031000EntireArea*", u"NE"},
    {u"32-Nevada", u"032000EntireArea*", u"NV"},
    {u"33-New Hampshire", u"033000EntireArea*", u"NH"},
    {u"34-New Jersey", u"034000EntireArea*", u"NJ"},
    {u"35-New Mexico", u"035000EntireArea*", u"NM"},
    {u"36-New York", u"036000EntireArea*", u"NY"},
    {u"37-North Carolina", u"037000EntireArea*", u"NC"},
    {u"38-North Dakota", u"038000EntireArea*", u"ND"},
    {u"39-Ohio", u"039000EntireArea*", u"OH"},
    {u"40-Oklahoma", u"040000EntireArea*", u"OK"},
    {u"41-Oregon", u"041000EntireArea*", u"OR"},
    {u"42-Pennsylvannia", u"042000EntireArea*", u"PA"},
    {u"44-Rhode Island", u"044000EntireArea*", u"RI"},
    {u"45-South Carolina", u"045000EntireArea*", u"SC"},
    {u"46-South Dakota", u"046000EntireArea*", u"SD"},
    {u"47-Tennessee", u"047000EntireArea*", u"TN"},
    {u"48-Texas", u"048000EntireArea*", u"TX"},
    {u"49-Utah", u"049000EntireArea*", u"UT"},
    {u"50-Vermont", u"050000EntireArea*", u"VT"},
    {u"51-Virginia", u"051000EntireArea*", u"VA"},
    {u"53-Washington (State)", u"053000EntireArea*", u"WA"},
    {u"54-West Virginia", u"054000EntireArea*", u"WV"},
    {u"55-Wisconsin", u"055000EntireArea*", u"WI"},
    {u"56-Wyoming", u"056000EntireArea*", u"WY"},
    {u"57-N.Pacific-West Coast US", u"057000EntireArea*", u""},
    {u"58-N.Pacific-Alaska", u"058000EntireArea*", u""},
    {u"59-Cen.Pacific Hawaii", u"059000EntireArea*", u""},
    {u"61-S.Cen.Pacific-AmSomoa", u"061000EntireArea*", u""},
    {u"64-Federal Micronesia", u"064000EntireArea*", u""},
    {u"65-W.Pacific Mariana Islands", u"065000EntireArea*", u""},
    {u"66-Guam", u"066000EntireArea*", u"GU"},
    {u"69-N. Mariana Islands", u"069000EntireArea*", u"MP"},
    {u"72-Puerto Rico", u"072000EntireArea*", u"PR"},
    {u"73-N. Atlantic-US East Coast ME-NC", u"073000EntireArea*", u""},
    {u"75-N. Atlantic-US East Coast NC-FL", u"075000EntireArea*", u""},
    {u"77-Gulf of Mexico", u"077000EntireArea*", u""},
    {u"78-US Virgin Islands", u"078000EntireArea*", u"VI"},
    {u"91-Lake Superior", u"091000EntireArea*", u""},
    {u"92-Lake Michigan", u"092000EntireArea*", u""},
    {u"93-Lake Huron", u"093000EntireArea*", u""},
    {u"94-Lake St. Clair", u"094000EntireArea*", u""},
    {u"96-Lake Erie", u"096000EntireArea*", u""},
    {u"97-Lake Ontario", u"097000EntireArea*", u""},
    {u"98-St Lawrence River", u"098000EntireArea*", u""},
}};

const std::array<Area, 2> UnofferedAreas = {{
    {u"60-American Samoa", u"060000EntireArea*", u"AS"},
    {u"74-U.S. Minor Outlying Islands", u"074000EntireArea*", u"UM"},
}};

QStringView entireAreaLine(int index) {
    if (index < 0 || index >= AreaCount)
        return {};
    return AreaTable[index].entireAreaLine;
}

} // namespace quenbury::locations
