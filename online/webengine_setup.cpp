#include "online/webengine_setup.h"

#include <QByteArray>

#include <unistd.h>

namespace rq {

void prepareWebEngineEnvironment()
{
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

}  // namespace rq
