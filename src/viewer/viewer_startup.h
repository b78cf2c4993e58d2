#pragma once

// Start-up and shut-down of the viewer in explicit steps, so that nothing depends on the order
// in which static objects happen to be made.

// The program's global objects, made in the order of their libraries (tools, snapshot core,
// tree library, windows) and freed in reverse; a failure frees what was made before it.
void InitViewerUnits();
void DoneViewerUnits();

// Makes the windows in their fixed order; the first becomes the main window, every other one
// adds its button to the window bar and stays hidden.
void CreateViewerForms();
// Frees the application's windows, the last made first.
void DestroyViewerForms();

// One run of the program: the global objects, the application and the windows live as long
// as it does. Tests make one too and drive the windows without the endless message loop.
class TViewerSession {
public:
    TViewerSession();
    ~TViewerSession();
    TViewerSession(const TViewerSession&) = delete;
    TViewerSession& operator=(const TViewerSession&) = delete;
};

// The main program: runs the message loop until the main window closes; 0 when it ended
// normally.
int RunViewer();
