#include "catalogue/partlists.h"

#include "catalogue/catalogue.h"

namespace {
// One list a line, never wrapped, so that every number stands whole where it is read or searched.
// clang-format off
constexpr QStringView AnchorBoltSizes = u"M10*;M12*;M16;M20;M24;M30;M36;M42;M48";
// kg per bolt, independent of the length
constexpr QStringView AnchorBoltFixedMass = u"0.03;0.06;0.10;0.22;0.33;0.85;1.48;2.01;3.15";
// kg per metre of bolt length
constexpr QStringView AnchorBoltMassPerMetre = u"0.56;0.80;1.42;2.1;3;4.7;6.9;9.45;12.35";

constexpr QStringView HexBoltSizes = u"M5;M6;M8;M10;M12;M14*;M16;M18*;M20;M22*;M24;M27*;M30;M33*;M36;M39*;M42;M45*;M48;M52*;M56;M60*;M64";
// g per bolt for the head: 0.866 x s^2 x k x 0.00785 with across-flats s and head height k
constexpr QStringView HexBoltHeadMass = u"1.523 ;2.719 ;6.089 ;10.442 ;15.418 ;23.984 ;39.157 ;54.514 ;73.419 ;110.020 ;132.155 ;194.269 ;258.926 ;356.900 ;452.414 ;611.829 ;746.771 ;932.699 ;1147.179 ;1435.759 ;1719.070 ;2092.455 ;2454.114";
// g per millimetre of bolt length
constexpr QStringView HexBoltMassPerMillimetre = u"0.135;0.193;0.346;0.543;0.785;1.071;1.420;1.777;2.218;2.710;3.195;4.090;5.096;6.135;7.271;8.594;9.929;11.466;13.001;15.360;17.783;20.527;23.314";

constexpr QStringView HexNutSizes = u"M3;M3.5*;M4;M5;M6;M8;M10;M12;M14*;M16;M18*;M20;M22*;M24;M27*;M30;M33*;M36;M39*;M42;M45*;M48;M52*;M56;M60*;M64";
// g per nut
constexpr QStringView HexNutMass = u"0.27;0.36;0.58;1.05;1.95;4.22;7.94;11.93;18.89;29;36.87;51.55;73.85;88.8;132.4;184.4;272;317;425;503;650;744.4;990;1091;1529;1619";

constexpr QStringView WasherSizes = u"3;4;5;6;8;10;12;14*;16;18*;20;22*;24;27*;30;33*;36;39*;42;45*;48;52*;56;60*;64";
// g per washer
constexpr QStringView WasherMass = u"0.12 ;0.30 ;0.43 ;0.99 ;1.73 ;3.44 ;6.07 ;8.38 ;10.98 ;13.98 ;16.37 ;17.48 ;31.07 ;39.46 ;50.48 ;71.03 ;87.39 ;126.5 ;200.2 ;242.7 ;284.1 ;319.0 ;442.7 ;477.4 ;513.3 ";
// hole x outer diameter x thickness, mm
constexpr QStringView WasherSpec = u"φ3.4×φ7×0.5;φ4.5×φ9×0.8;φ5.5×φ10×1;φ6.6×φ12×1.6;φ9×φ16×1.6;φ11×φ20×2;φ13.5×φ24×2.5;φ15.5×φ28×2.5;φ17.5×φ30×3;φ20×φ34×3;φ22×φ37×3;φ24×φ39×3;φ26×φ44×4;φ30×φ50×4;φ33×φ56×4;φ36×φ60×5;φ39×φ66×5;φ42×φ72×6;φ45×φ78×8;φ48×φ85×8;φ52×φ92×8;φ56×φ98×8;φ62×φ105×10;φ66×φ110×10;φ70×φ115×10";

constexpr QStringView SpringWasherLightSizes = u"3;4;5;6;8;10;12;14*;16;18*;20;22*;24;27*;30";
// g per washer
constexpr QStringView SpringWasherLightMass = u"0.03;0.05;0.11;0.21;0.43;0.81;1.41;2.24;3.08;4.31;5.84;7.96;11.2;16.04;21.89";
constexpr QStringView SpringWasherStandardSizes = u"2;2.5;3;4;5;6;8;10;12;14*;16;18*;20;22*;24;27*;30;33*;36;39*;42;45*;48";
// g per washer
constexpr QStringView SpringWasherStandardMass = u"0.01;0.01;0.02;0.05;0.08;0.15;0.35;0.68;1.15;1.81;2.68;3.65;5;6.76;8.76;12.6;17.02;23.84;29.32;38.92;46.44;54.84;69.2";
constexpr QStringView SpringWasherHeavySizes = u"6;8;10;12;14*;16;18*;20;22*;24;27*;30;33*;36";
// g per washer
constexpr QStringView SpringWasherHeavyMass = u"0.39;0.84;1.56;2.44;3.69;5.4;7.31;10.1;13.97;16.96;24.33;33.11;43.86;56.13";

constexpr QStringView BevelWasherSizes = u"6;8;10;12;16;18*;20;22*;24;27*;30;36";
// g per washer
constexpr QStringView BevelWasherIBeamMass = u"5.8;7.11;11.69;21.76;37.6;56.9;60.47;63.73;99.91;109.8;171.3;255.9";
// hole x square side x thin edge - thick edge, mm
constexpr QStringView BevelWasherIBeamSpec = u"φ7×□16×2-4.7;φ9×□18×2-5;φ11×□22×2-5.7;φ13×□28×2-6.7;φ17×□35×2-7.7;φ20×□40×2-9.7;φ22×□40×3-9.7;φ24×□40×3-9.7;φ26×□50×3-11.3;φ29×□50×3-11.3;φ32×□60×3-13;φ38×□70×3-14.7";
constexpr QStringView BevelWasherChannelMass = u"4.75;5.79;9.31;16.9;28.22;44.61;47.43;50;76.78;84.33;128.3;187.7";
constexpr QStringView BevelWasherChannelSpec = u"φ7×□16×2-3.6;φ9×□18×2-3.8;φ11×□22×2-4.2;φ13×□28×2-4.8;φ17×□35×2-5.4;φ20×□40×2-7;φ22×□40×3-7;φ24×□40×3-7;φ26×□50×3-8;φ29×□50×3-8;φ32×□60×3-9;φ38×□70×3-10";

constexpr QStringView IBeamModels = u" 9 -矿工钢;11-矿工钢;12-矿工钢;10;12.6;14;16;18;20a;20b;22a;22b;25a;25b;28a;28b;32a;32b;32c;36a;36b;36c;40a;40b;40c;45a;45b;45c;50a;50b;50c;56a;56b;56c;63a;63b;63c";
// kg/m
constexpr QStringView IBeamUnitWeight = u"17.68;26.05;31.18;11.261;14.223;16.890;20.513;24.143;27.929;31.069;33.070;36.524;38.105;42.030;43.492;47.888;52.717;57.741;62.765;60.037;65.689;71.341;67.598;73.878;80.158;80.420;87.485;94.550;93.654;101.504;109.354;106.316;115.108;123.900;121.407;131.298;141.189";
// h x b x d x t: height x flange width x web thickness x mean flange thickness, mm
constexpr QStringView IBeamSpec = u"90×76×8×10.9;110×90×9×14.1;120×95×11×15.3;100×68×4.5×7.6;126×74×5.0×8.4;140×80×5.5×9.1;160×88×6.0×9.9;180×94×6.5×10.7;200×100×7.0×11.4;200×102×9.0×11.4;220×110×7.5×12.3;220×112×9.5×12.3;250×116×8.0×13.0;250×118×10.0×13.0;280×122×8.5×13.7;280×124×10.5×13.7;320×130×9.5×15.0;320×132×11.5×15;320×134×13.5×15.0;360×136×10.0×15.8;360×138×12.0×15.8;360×140×14.0×15.8;400×142×10.5×16.5;400×144×12.5×16.5;400×146×14.5×16.5;450×150×11.5×18.0;450×152×13.5×18.0;450×154×15.5×18.0;500×158×12.0×20.0;500×160×14.0×20.0;500×162×16.0×20.0;560×166×12.5×21.0;560×168×14.5×21.0;560×170×16.5×21.0;630×176×13.0×22.0;630×178×15.0×22.0;630×180×17.0×22.0";

constexpr QStringView ChannelModels = u"5;6.3;8;10;12.6;14a;14b;16a;16;18a;18;20a;20;22a;22;25a;25b;25c;28a;28b;28c;32a;32b;32c;36a;36b;36c;40a;40b;40c";
// kg/m
constexpr QStringView ChannelUnitWeight = u"5.438;6.634;8.045;10.007;12.318;14.535;16.733;17.240;19.752;20.174;23.000;22.637;25.777;24.999;28.453;27.410;31.335;35.260;31.427;35.823;40.219;38.083;43.107;48.131;47.814;53.466;59.118;58.928;65.208;71.488";
constexpr QStringView ChannelSpec = u"50×37×4.5×7.0;63×40×4.8×7.5;80×43×5.0×8.0;100×48×5.3×8.5;126×53×5.5×9.0;140×58×6.0×9.5;140×60×8.0×9.5;160×63×6.5×10.0;160×65×8.5×10.0;180×68×7.0×10.5;180×70×9.0×10.5;200×73×7.0×11.0;200×75×9.0×11.0;220×77×7.0×11.5;220×79×9.0×11.5;250×78×7.0×12.0;250×80×9.0×12.0;250×82×11.0×12.0;280×82×7.5×12.5;280×84×9.5×12.5;280×86×11.5×12.5;320×88×8.0×14.0;320×90×10.0×14.0;320×92×12.0×14.0;360×96×9.0×16.0;360×98×11.0×16.0;360×100×13.0×16.0;400×100×10.5×18.0;400×102×12.5×18.0;400×104×14.5×18.0";

// mm
constexpr QStringView AngleLegWidths = u"20;25;30;36;40;45;50;56;63;70;75;80;90;100;110;125;140;160;180;200";
// mm
constexpr QStringView AngleInnerRadius = u"3.5;3.5;4.5;4.5;5;5;5.5;6;7;8;9;9;10;12;12;14;14;16;16;18";

constexpr QStringView PipeDiameters = u"18;25;32;38;45;57;76;89;108;133;159;219;273;325;377;426;480;530;630;720;820;920;1020";

// Round bar diameters, mm: the fine steps put into the size box before the listed ones.
constexpr QStringView RoundBarFixedDiameters = u"5.5;6;6.5;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;22;23;24;25;26;27;28;29;30;31;32;33;34;35;36";
constexpr QStringView RoundBarDiameters = u"38;40;42;45;48;50;53;55;56;58;60;63;65;68;70;75;80;85;90;95;100;105;110;115;120;125;130;135;140;150;160;170;180;190;200;220;250";
constexpr QStringView PlateThin = u"0.5;0.55;0.6;0.65;0.70;0.75;0.80;0.90;1.0;1.2;1.3;1.4;1.5;1.6;1.8;2.0;2.2;2.5;2.8;3.0;3.2;3.5;3.8;3.9;4.0;4.5;5.0;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20";
constexpr QStringView PlateThick = u"21;22;25;26;28;30;32;34;36;38;40;42;45;48;50;52;55;60;65;70;75;80;85;90;95;100;105;110;120;125;130;140;150;160;170;180;185;190;195;200";

// clang-format on
} // namespace

constexpr PartLists AnchorBoltTable{AnchorBoltSizes, AnchorBoltFixedMass, AnchorBoltMassPerMetre};
constexpr PartLists HexBoltTable{HexBoltSizes, HexBoltHeadMass, HexBoltMassPerMillimetre};
constexpr PartLists HexNutTable{HexNutSizes, HexNutMass, {}};
constexpr PartLists WasherTable{WasherSizes, WasherMass, WasherSpec};
constexpr PartLists SpringWasherLightTable{SpringWasherLightSizes, SpringWasherLightMass, {}};
constexpr PartLists SpringWasherStandardTable{SpringWasherStandardSizes, SpringWasherStandardMass, {}};
constexpr PartLists SpringWasherHeavyTable{SpringWasherHeavySizes, SpringWasherHeavyMass, {}};
constexpr PartLists BevelWasherIBeamTable{BevelWasherSizes, BevelWasherIBeamMass, BevelWasherIBeamSpec};
constexpr PartLists BevelWasherChannelTable{BevelWasherSizes, BevelWasherChannelMass, BevelWasherChannelSpec};
constexpr PartLists IBeamTable{IBeamModels, IBeamUnitWeight, IBeamSpec};
constexpr PartLists ChannelTable{ChannelModels, ChannelUnitWeight, ChannelSpec};
constexpr PartLists AngleTable{AngleLegWidths, {}, AngleInnerRadius};
constexpr PartLists PipeTable{PipeDiameters, {}, {}};

constexpr SizeEntryLists RoundBarSizeEntries{RoundBarFixedDiameters, {RoundBarDiameters, {}}};
constexpr SizeEntryLists PlateSizeEntries{{}, {PlateThin, PlateThick}};

namespace {
constexpr const PartLists *AllTables[] = {
    &AnchorBoltTable,
    &HexBoltTable,
    &HexNutTable,
    &WasherTable,
    &SpringWasherLightTable,
    &SpringWasherStandardTable,
    &SpringWasherHeavyTable,
    &BevelWasherIBeamTable,
    &BevelWasherChannelTable,
    &IBeamTable,
    &ChannelTable,
    &AngleTable,
    &PipeTable,
};

constexpr bool fitsPartTable(const PartLists &lists)
{
    return listItemCount(lists.sizes) <= PartTableRows;
}

constexpr bool valuesMatchSizes(const PartLists &lists)
{
    const int sizes = listItemCount(lists.sizes);
    return (lists.column1.isNull() || listItemCount(lists.column1) == sizes) &&
           (lists.column2.isNull() || listItemCount(lists.column2) == sizes);
}

constexpr bool allTables(bool (*rule)(const PartLists &))
{
    for (const PartLists *lists : AllTables) {
        if (!rule(*lists))
            return false;
    }
    return true;
}

static_assert(allTables(fitsPartTable), "every built-in table must fit PartTable");
static_assert(allTables(valuesMatchSizes), "every value list must be as long as its size list");
} // namespace
