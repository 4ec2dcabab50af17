// Any text given to the number readers: a type outside 1..9 is never accepted.
#include "typology/NumberReading.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)typeNumberOf(text);
    const PartnerType partner = readPartnerType(text);
    if (partner.error == PartnerTypeError::None && (partner.value < 1 || partner.value > 9))
        std::abort();
    const auto person = readPersonType(text);
    if (person && (*person < 1 || *person > 9))
        std::abort();
    return 0;
}
