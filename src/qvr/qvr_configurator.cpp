#include "qvr/qvr_configurator.h"

namespace {
// The viewer has no scheduler: it lists no schemes, none runs, and commands change nothing.
class TNoSheduler : public TQVRConfigurator {
public:
    void ShedulerName(bool, std::string& name) override { name.clear(); }
    void ManageSheduler(int, const std::string&) override {}
};

TNoSheduler NoSheduler;
} // namespace

TQVRConfigurator* QVRConfigurator = &NoSheduler;
