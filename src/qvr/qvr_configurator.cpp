#include "qvr/qvr_configurator.h"

TQVRConfigurator* QVRConfigurator = nullptr;
