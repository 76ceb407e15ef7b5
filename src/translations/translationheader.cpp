#include "translations/translationheader.h"

namespace quenbury::translations {

// The receiver's own tables: names differ from the Events page's captions, ADR stands twice, and
// the outlying areas keep their order ("PR72*" before "PW70*"), with no line for code 69.
const std::array<QString, TranslationBlockCount>& translationHeaderBlocks() {
    static const std::array<QString, TranslationBlockCount> blocks = {
        // OrgBlock
        QStringLiteral(u"YYYYYY*\r\n"
                       u"#ORG*\r\n"
                       u"EAS-EmergencyAlertSystem*\r\n"
                       u"CIV-CivilAuthorities*\r\n"
                       u"WXR-NationalWeatherService*\r\n"
                       u"PEP-PrimaryEntryPoint*\r\n"
                       u"YYYYYY*\r\n"),
        // EventBlock1
        QStringLiteral(u"#EEE*\r\n"
                       u"EAN-EmergActionNotification*\r\n"
                       u"EAT-EmergActionTermination*\r\n"
                       u"ADR-AdminMessage*\r\n"
                       u"NIC-NationalInfoCenter*\r\n"
                       u"NPT-NatPeriodicTEST*\r\n"
                       u"RMT-RequiredMonthlyTEST*\r\n"
                       u"RWT-RequiredWeeklyTEST*\r\n"
                       u"ADR-AdministrativeMsg*\r\n"
                       u"AVW-AvalancheWARNING*\r\n"
                       u"AVA-AvalancheWATCH*\r\n"
                       u"BZW-BlizzardWARNING*\r\n"
                       u"CAE-ChildAbductionEmergency*\r\n"
                       u"CDW-CivilDangerWARNING*\r\n"
                       u"CEM-CivilEmergencyMsg*\r\n"
                       u"CFW-CoastalFloodWARNING*\r\n"
                       u"CFA-CoastalFloodWATCH*\r\n"
                       u"DSW-DustStormWARNING*\r\n"
                       u"EQW-EarthquakeWARNING*\r\n"
                       u"EVI-EvacuationIMMEDIATE*\r\n"
                       u"FRW-FireWARNING*\r\n"
                       u"FFW-FlashFloodWARNING*\r\n"
                       u"FFA-FlashFloodWATCH*\r\n"
                       u"FFS-FlashFloodSTATEMENT*\r\n"),
        // EventBlock2
        QStringLiteral(u"FLW-FloodWARNING*\r\n"
                       u"FLA-FloodWATCH*\r\n"
                       u"FLS-FloodSTATEMENT*\r\n"
                       u"HMW-HazMatWARNING*\r\n"
                       u"HWW-HighWindWARNING*\r\n"
                       u"HWA-HighWindWATCH*\r\n"
                       u"HUW-HurricaneWARNING*\r\n"
                       u"HUA-HurricaneWATCH*\r\n"
                       u"HLS-HurricaneLocalSTATEMENT*\r\n"
                       u"LEW-LawEnforcementWARNING*\r\n"
                       u"LAE-LocalAreaEmergency*\r\n"
                       u"NMN-NetworkMsgNOTIFICATION*\r\n"
                       u"TOE-911TelephoneOutageEmerg*\r\n"
                       u"NUW-NuclearPowerPlantWARNING*\r\n"
                       u"DMO-Practice/DemoWARNING*\r\n"
                       u"RHW-RadiologicalHazardWARNING*\r\n"
                       u"SVR-SevereThunderstormWARNING*\r\n"
                       u"SVA-SevereThunderstormWATCH*\r\n"
                       u"SVS-SevereWeatherSTATEMENT*\r\n"
                       u"SPW-ShelterInPlaceWARNING*\r\n"
                       u"SMW-SpecialMarineWARNING*\r\n"
                       u"SPS-SpecialWeatherSTATEMENT*\r\n"
                       u"TOR-TornadoWARNING*\r\n"
                       u"TOA-TornadoWATCH*\r\n"),
        // EventBlock3
        QStringLiteral(u"TRW-TropicalStormWARNING*\r\n"
                       u"TRA-TropicalStormWATCH*\r\n"
                       u"TSW-TsunamiWARNING*\r\n"
                       u"TSA-TsunamiWATCH*\r\n"
                       u"VOW-VolcanoWARNING*\r\n"
                       u"WSW-WinterStormWARNING*\r\n"
                       u"WSA-WinterStormWATCH*\r\n"
                       u"YYYYYY*\r\n"),
        // StateBlock1
        QStringLiteral(u"#ST*\r\n"
                       u"AL01*\r\n"
                       u"AK02*\r\n"
                       u"AZ04*\r\n"
                       u"AR05*\r\n"
                       u"CA06*\r\n"
                       u"CO08*\r\n"
                       u"CT09*\r\n"
                       u"DE10*\r\n"
                       u"DC11*\r\n"
                       u"FL12*\r\n"
                       u"GA13*\r\n"
                       u"HI15*\r\n"
                       u"ID16*\r\n"
                       u"IL17*\r\n"
                       u"IN18*\r\n"
                       u"IA19*\r\n"
                       u"KS20*\r\n"
                       u"KY21*\r\n"
                       u"LA22*\r\n"
                       u"ME23*\r\n"
                       u"MD24*\r\n"
                       u"MA25*\r\n"
                       u"MI26*\r\n"
                       u"MN27*\r\n"),
        // StateBlock2
        QStringLiteral(u"MS28*\r\n"
                       u"MO29*\r\n"
                       u"MT30*\r\n"
                       u"NE31*\r\n"
                       u"NV32*\r\n"
                       u"NH33*\r\n"
                       u"NJ34*\r\n"
                       u"NM35*\r\n"
                       u"NY36*\r\n"
                       u"NC37*\r\n"
                       u"ND38*\r\n"
                       u"OH39*\r\n"
                       u"OK40*\r\n"
                       u"OR41*\r\n"
                       u"PA42*\r\n"
                       u"RI44*\r\n"
                       u"SC45*\r\n"
                       u"SD46*\r\n"
                       u"TN47*\r\n"
                       u"TX48*\r\n"
                       u"UT49*\r\n"
                       u"VT50*\r\n"
                       u"VA51*\r\n"
                       u"WA53*\r\n"
                       u"WV54*\r\n"),
        // StateBlock3
        QStringLiteral(u"WI55*\r\n"
                       u"WY56*\r\n"
                       u"AS60*\r\n"
                       u"FM64*\r\n"
                       u"GU66*\r\n"
                       u"MH68*\r\n"
                       u"PR72*\r\n"
                       u"PW70*\r\n"
                       u"UM74*\r\n"
                       u"VI78*\r\n"
                       u"YYYYYY*\r\n"
                       u"#Translations*\r\n"),
    };
    return blocks;
}

QString translationHeader() {
    QString header;
    for (const QString& block : translationHeaderBlocks())
        header += block;
    return header;
}

} // namespace quenbury::translations
