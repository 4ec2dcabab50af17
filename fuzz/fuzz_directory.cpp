// Any bytes as a directory file: reading never crashes, and rebuilding without a candidate gives every record back.
#include "persons/PersonDirectory.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DirectoryContent content = parseDirectory(bytes);
    if (content.status != DirectoryContent::Status::Read)
        return 0;
    const DirectoryContent again = parseDirectory(rebuildDirectory(content, nullptr, nullptr));
    if (again.status != DirectoryContent::Status::Read || again.count() != content.count())
        std::abort();
    for (qsizetype i = 0; i < content.count(); ++i) {
        if (!(again.record(i) == content.record(i)))
            std::abort();
    }
    return 0;
}
