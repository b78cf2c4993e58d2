#include "support/message_capture.h"

#include <windows.h>

MessageCapture::MessageCapture() : Answer(IDOK) {
    FPrevious =
        SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned) {
            Texts.push_back(text);
            Captions.push_back(caption);
            return Answer;
        });
}

MessageCapture::~MessageCapture() {
    SetMessageBoxHook(std::move(FPrevious));
}
