// Records the format can hold, written then read, come back equal, alone and as a directory file the program wrote.
#include "persons/DirectoryFile.h"
#include "persons/PersonRecord.h"
#include "platform/Cp1252.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Six fields separated by the byte 0x00, decoded from Windows-1252.
    const QList<QByteArray> parts = QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\0');
    QStringList fields;
    for (int i = 0; i < 6; ++i)
        fields << (i < parts.size() ? cp1252::decode(parts[i]) : QString());
    const PersonRecord record{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
    if (checkStorable(record))
        return 0;
    const std::optional<PersonRecord> back = parseRecordLine(formatRecordLine(record));
    if (!back || !(*back == record))
        std::abort();
    const DirectoryContent file = parseDirectory(rebuildDirectory(DirectoryContent{}, &record, nullptr));
    if (file.status != DirectoryContent::Status::Read || file.count() != 1 || !(file.record(0) == record))
        std::abort();
    return 0;
}
