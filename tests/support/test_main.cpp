#include "rtl/format_settings.h"
#include "rtl/modality/message_box.h"
#include "support/fault_guard.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // A test must never wait for a person: an unexpected box fails the test that showed it.
    SetMessageBoxHook([](const std::string& text, const std::string& caption, unsigned) {
        ADD_FAILURE() << "unexpected message box \"" << caption << "\": " << text;
        return 1;
    });
    FormatSettings() = TFormatSettings();
    GuardAgainstFaults();
    return RUN_ALL_TESTS();
}
