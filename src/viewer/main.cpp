#include "viewer/viewer_startup.h"

#include "vcl/base/windows_clean.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunViewer();
}
