#include "platform/LocalTimeZone.h"

#include <QtGlobal>
#include <ctime>

namespace vm {

void PinLocalTimeZone() {
    if (qEnvironmentVariableIsSet("TZ")) return;
    qputenv("TZ", ":/etc/localtime");
    tzset();
}

} // namespace vm
