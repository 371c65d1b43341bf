// What the embedded browser needs before the application object exists.
#pragma once

namespace rq {

// Call first in main(), before the QApplication is made. As root, Chromium refuses to run
// with its sandbox, so the sandbox is turned off then (and only then); the browser views
// also need OpenGL contexts shared across windows.
void prepareWebEngineEnvironment();

}  // namespace rq
