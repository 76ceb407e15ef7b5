#include "events/eventcatalogue.h"

#include "matchfile/format.h"

namespace quenbury::events {

// Row order is the receivers' own and also the order of the match lines: not alphabetical.
const std::array<EventRow, EventCount> EventCatalogue = {{
    {u"EAN-EmergActionNotification", u"EAN*"},
    {u"EAT-EmergActionTermination", u"EAT*"},
    {u"NIC-NationalInfoCenter", u"NIC*"},
    {u"NPT-NationalPeriodicTest", u"NPT*"},
    {u"RMT-RequiredMonthlyTest", u"RMT*"},
    {u"RWT-RequiredWeeklyTest", u"RWT*"},
    {u"ADR-AdministrativeMessage", u"ADR*"},
    {u"AVW-AvalancheWarning", u"AVW*"},
    {u"AVA-AvalanchWatch", u"AVA*"},
    {u"BZW-BlizzardWarning", u"BZW*"},
    {u"CAE-ChildAbductionEmergency", u"CAE*"},
    {u"CDW-CivilDangerWarning", u"CDW*"},
    {u"CEM-CivilEmergency Message", u"CEM*"},
    {u"CFW-CoastalFloodWarning", u"CFW*"},
    {u"CFA-CostalFloodWatch", u"CFA*"},
    {u"DSW-DustStormWarning", u"DSW*"},
    {u"EQW-EarthquakeWarning", u"EQW*"},
    {u"EVI-EvacuationImmediate", u"EVI*"},
    {u"FRW-FireWarning", u"FRW*"},
    {u"FFW-FlashFloodWarning", u"FFW*"},
    {u"FFA-FlashFloodWatch", u"FFA*"},
    {u"FFS-FlashFloodStatement", u"FFS*"},
    {u"FLW-FloodWarning", u"FLW*"},
    {u"FLA-FloodWatch", u"FLA*"},
    {u"FLS-FloodStatement", u"FLS*"},
    {u"HMW-HazMaterialsWarning", u"HMW*"},
    {u"HWW-HighWindWarning", u"HWW*"},
    {u"HWA-HighWindWatch", u"HWA*"},
    {u"HUW-HurricaneWarning", u"HUW*"},
    {u"HUA-HurricaneWatch", u"HUA*"},
    {u"HLS-HurricaneStatement", u"HLS*"},
    {u"LEW-LawEnforcementWarning", u"LEW*"},
    {u"LAE-LocalAreaEmergency", u"LAE*"},
    {u"NMN-NetworkMsgNotificaiton", u"NMN*"},
    {u"TOE-911TelOutageEmergency", u"TOE*"},
    {u"NUW-NuclearPwrPlantWarning", u"NUW*"},
    {u"DMO-Practice/Demo", u"DMO*"},
    {u"RHW-RadiologicalHazWarning", u"RHW*"},
    {u"SVR-SevereTStormWarning", u"SVR*"},
    {u"SVA-SevereTStormWatch", u"SVA*"},
    {u"SVS-SevereWeatherStatement", u"SVS*"},
    {u"SPW-ShelterInPlace", u"SPW*"},
    {u"SMW-SpecialMarineWarning", u"SMW*"},
    {u"SPS-SpecialWeatherStatement", u"SPS*"},
    {u"TOR-TornadoWarning", u"TOR*"},
    {u"TOA-TornadoWatch", u"TOA*"},
    {u"TRW-TropicalStormWarning", u"TRW*"},
    {u"TRA-TropicalStormWatch", u"TRA*"},
    {u"TSW-TsunamiWarning", u"TSW*"},
    {u"TSA-TsunamiWatch", u"TSA*"},
    {u"VOW-VolcanoWarning", u"VOW*"},
    {u"WSW-WinterStormWarning", u"WSW*"},
    {u"WSA-WinterStormWatch", u"WSA*"},
}};

QString matchEventSection(const std::array<bool, EventCount>& ticked) {
    using namespace matchfile;
    QString text;
    text.reserve(EventSectionMarker.size() + 2 + EventCount * 6 + 36);
    text += EventSectionMarker;
    text += LineEnd;
    for (int row = 0; row < EventCount; ++row) {
        if (ticked[row]) {
            text += EventCatalogue[row].matchLine;
            text += LineEnd;
        }
    }
    for (QStringView line : {Separator, LocationSectionMarker, NationalLocationLine}) {
        text += line;
        text += LineEnd;
    }
    return text;
}

} // namespace quenbury::events
