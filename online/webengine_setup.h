// What the embedded browser needs before the application object exists.
#pragma once

namespace rq {

// Call first in main(), before the QApplication is made. As root, Chromium refuses to run
// with its sandbox, so the sandbox is turned off then (and only then). The OpenGL context
// the browser views share is made by the first browser view (see loadBrowserEngine), not
// here: made with the application object, it loads the OpenGL stack on every start.
void prepareWebEngineEnvironment();

}  // namespace rq
