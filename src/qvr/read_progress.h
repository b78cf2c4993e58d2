#pragma once

// Shows how far the reading of a file has come; the main window implements it and lets the
// message loop run in Progress.
class TReadProgress {
public:
    virtual ~TReadProgress() = default;
    virtual void StartProgress() = 0;
    virtual void Progress(int percent) = 0;
    virtual void EndProgres() = 0;
};
