#pragma once
// System flags, keyboard timing, strings in streams and the message pump of the tree library.
#include "vcl/base/controls_types.h"

#include <cstdint>
#include <functional>
#include <string>

class TStream;
class TComponent;
class TCustomForm;

// The single-byte string type of the library's texts.
using TQZFString = std::string;

// Operating-system flags, fixed once from the version query.
struct TQZOSFlags {
    bool IsWin95 = false;
    bool IsWin95OSR2 = false;
    bool IsWinNT = false;
    bool IsWin2000 = false;
    bool IsWinXP = false;
    bool IsWinXPUp = false;
    bool IsWin2000Up = false;
    bool IsWinNTUp = false;
    bool IsWin98 = false;
    bool IsWin98Up = false;
    bool IsWinME = false;
};
TQZOSFlags DefineOS(unsigned PlatformId, unsigned Major, unsigned Minor, unsigned Build);
const TQZOSFlags& OSFlags();

// Keyboard auto-repeat in milliseconds from the system settings: the first step after the delay
// setting, the next ones at the speed setting; other parameters give the raw value.
int GetKeybTimes(unsigned Param);
int KeybTimeFromSetting(unsigned Param, int Value);

// A 32-bit length and the bytes; false (nothing raised) when the stream fails or holds a
// negative or impossible length.
bool WriteStringToStream(TStream& Stream, const std::string& S);
bool ReadStringFromStream(TStream& Stream, std::string& S);
bool ReadFStringFromStream(TStream& Stream, TQZFString& S);
// The same reading, raising the stream read error (a negative or oversized length included).
std::string ReadStreamString(TStream& Stream);

TShiftState GetShiftState();
TCustomForm* GetOwnerForm(TComponent* Component);

// Pumps the thread's queue without waiting; the global OnMessagePump runs it.
class TQZMessagePump {
public:
    bool DoPump();
    void ThreadedMessagePump();
};
extern TQZMessagePump* MessagePump;
extern std::function<void()> OnMessagePump;

// Currency (4 decimal places, fixed point) read leniently from a text typed by a person.
int64_t PrettyStrToCurr(const std::string& S);
constexpr int64_t CurrencyScale = 10000;
