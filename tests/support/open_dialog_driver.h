#pragma once
#include <atomic>
#include <string>
#include <thread>

// Answers the system's file-open dialog the next time this process shows one, as a person
// does: puts the name into its file-name field over what it holds and clicks the dialog's
// Open button with the mouse. It works from a thread of its own, since the dialog's modal loop runs
// on the test's thread.
class TOpenDialogDriver {
public:
    explicit TOpenDialogDriver(std::string fileName);
    ~TOpenDialogDriver();
    TOpenDialogDriver(const TOpenDialogDriver&) = delete;
    TOpenDialogDriver& operator=(const TOpenDialogDriver&) = delete;

    // True once the name was typed and the button clicked.
    bool Answered() const { return FAnswered; }
    // True once the driver has answered or given up.
    bool Finished() const { return FFinished; }

private:
    void Run();

    std::string FFileName;
    std::atomic<bool> FAnswered{false};
    std::atomic<bool> FFinished{false};
    std::atomic<bool> FQuit{false};
    std::thread FThread;
};
