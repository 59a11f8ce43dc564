// Interim RDB codec: the image is kept as read; the model lists stay empty until the record
// tables are decoded.
#include "codeplug/codecs.h"
#include "codeplug/codeplug.h"

namespace pw {

int decodeRdb(Codeplug& codeplug)
{
    codeplug.contacts().deleteAll();
    codeplug.channels().deleteAll();
    codeplug.zones().deleteAll();
    codeplug.scanLists().deleteAll();
    codeplug.rxGroupLists().deleteAll();
    codeplug.emergencySystems().deleteAll();
    codeplug.errorLog().clear();
    return 1;
}

void encodeRdb(Codeplug&) {}

} // namespace pw
