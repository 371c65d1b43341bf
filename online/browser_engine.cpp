#include "online/browser_engine.h"

#include "modules/module_loader.h"

namespace rq {

const BrowserEngine* loadBrowserEngine()
{
#ifdef RENOQUOTE_HAVE_WEBENGINE
    // Stays loaded for the rest of the run; a missing module leaves the plain views.
    static const auto engine = LoadModuleFunction<const BrowserEngine*>("librenoquote_browser.so", kBrowserEngineEntry,
                                                                        "浏览器模块");
    return engine.function;
#else
    return nullptr;
#endif
}

}  // namespace rq
