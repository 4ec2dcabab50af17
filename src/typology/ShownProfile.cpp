#include "typology/ShownProfile.h"

void readShownTypes(ShownProfile& shown)
{
    shown.typedType = readPersonType(shown.typeText.trimmed());
    shown.type = typeNumberOf(shown.synthesisType);
    shown.detailsTypes = {typeNumberOf(shown.details.type), typeNumberOf(shown.details.chargePoint),
                          typeNumberOf(shown.details.dischargePoint), typeNumberOf(shown.details.evolution1),
                          typeNumberOf(shown.details.evolution2)};
    shown.partnerType = readPartnerType(shown.partnerTypeText);
}
