#pragma once
#include "rtl/modality/message_box.h"

#include <string>
#include <vector>

// Takes every message box shown while it lives; answers with Answer.
class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();

    std::vector<std::string> Texts;
    std::vector<std::string> Captions;
    int Answer;

private:
    TMessageBoxHook FPrevious;
};
