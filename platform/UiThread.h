#pragma once

namespace platform {

// The thread that runs the windows. A program with a user interface marks its
// main thread once at start-up and unmarks it when its windows are gone; while
// no thread is marked none counts as the user interface thread, so headless
// code never opens a dialog.
void markUiThread();
void unmarkUiThread();
bool isUiThread();

}  // namespace platform
