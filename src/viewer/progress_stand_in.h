#pragma once
#include "vcl/panel.h"

// Shows the reading's percentage until the cylinder progress bar takes its place.
class TProgressStandIn : public TPanel {
public:
    explicit TProgressStandIn(TComponent* AOwner) : TPanel(AOwner) {}
    int Position() const { return FPosition; }
    void SetPosition(int value);
    int Max() const { return FMax; }
    void SetMax(int value) { FMax = value; }

private:
    int FPosition = -1;
    int FMax = 100;
};
