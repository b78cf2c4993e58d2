#pragma once
#include <string>

// The server's scheduler manager as the settings dialog calls it. The viewer's own one has no
// scheduler behind it; a program that has a scheduler sets QVRConfigurator to its manager.
class TQVRConfigurator {
public:
    virtual ~TQVRConfigurator() = default;
    // With running clear: every scheme name, one a line; with it set: the running scheme, ''
    // when none runs.
    virtual void ShedulerName(bool running, std::string& name) = 0;
    // Action 0 starts the named scheme, 1 stops the running one.
    virtual void ManageSheduler(int action, const std::string& schemeName) = 0;
};

// Never null.
extern TQVRConfigurator* QVRConfigurator;
