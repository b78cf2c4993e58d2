#include "qztree/base/tools.h"

#include "rtl/format_settings.h"
#include "rtl/streams.h"
#include "vcl/base/win_api.h"
#include "vcl/core/forms.h"

#include <limits>
#include <memory>

TQZOSFlags DefineOS(unsigned PlatformId, unsigned Major, unsigned Minor, unsigned Build) {
    TQZOSFlags f;
    bool nine = PlatformId == VER_PLATFORM_WIN32_WINDOWS;
    bool nt = PlatformId == VER_PLATFORM_WIN32_NT;
    f.IsWin95 = nine;
    f.IsWin95OSR2 = nine && Build >= 1000;
    f.IsWinNT = nt;
    f.IsWin2000 = nt && Major >= 5;
    f.IsWinXP = nt && Major == 5 && Minor == 1;
    f.IsWinXPUp = nt && Major >= 5 && Minor >= 1;
    f.IsWin2000Up = f.IsWin2000 || f.IsWinXP;
    f.IsWinNTUp = f.IsWinNT || f.IsWin2000Up;
    f.IsWin98 = nine && Minor > 0;
    f.IsWin98Up = f.IsWin98;
    f.IsWinME = nine && Minor >= 90;
    return f;
}

const TQZOSFlags& OSFlags() {
    static const TQZOSFlags flags = [] {
        OSVERSIONINFOW info{};
        info.dwOSVersionInfoSize = sizeof(info);
        GetVersionExW(&info);
        return DefineOS(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                        info.dwBuildNumber & 0xFFFF);
    }();
    return flags;
}

int KeybTimeFromSetting(unsigned Param, int Value) {
    if (Param == SPI_GETKEYBOARDSPEED)
        return 1000 / (Value + 1);
    if (Param == SPI_GETKEYBOARDDELAY)
        return (Value + 1) * 250;
    return Value;
}

int GetKeybTimes(unsigned Param) {
    int value = 0;
    SystemParametersInfoW(Param, 0, &value, 0);
    return KeybTimeFromSetting(Param, value);
}

bool WriteStringToStream(TStream& Stream, const std::string& S) {
    try {
        Stream.WriteInt32(int32_t(S.size()));
        if (!S.empty())
            Stream.WriteBuffer(S.data(), int(S.size()));
        return true;
    } catch (...) {
        return false;
    }
}

std::string ReadStreamString(TStream& Stream) {
    int32_t length = Stream.ReadInt32();
    if (length < 0)
        throw EReadError("Invalid string header read from the stream");
    // A length beyond the stream's end is broken data, not a reason to allocate.
    if (length > Stream.Remaining())
        throw EReadError("Stream read error");
    std::string s(size_t(length), '\0');
    Stream.ReadBuffer(s.data(), length);
    return s;
}

bool ReadStringFromStream(TStream& Stream, std::string& S) {
    try {
        S = ReadStreamString(Stream);
        return true;
    } catch (...) {
        return false;
    }
}

bool ReadFStringFromStream(TStream& Stream, TQZFString& S) {
    return ReadStringFromStream(Stream, S);
}

TShiftState GetShiftState() {
    TShiftState shift;
    if (GetKeyState(VK_MENU) < 0)
        shift.Include(ssAlt);
    if (GetKeyState(VK_CONTROL) < 0)
        shift.Include(ssCtrl);
    if (GetKeyState(VK_SHIFT) < 0)
        shift.Include(ssShift);
    return shift;
}

TCustomForm* GetOwnerForm(TComponent* Component) {
    for (TComponent* c = Component; c; c = c->Owner())
        if (auto* form = dynamic_cast<TCustomForm*>(c))
            return form;
    return nullptr;
}

bool TQZMessagePump::DoPump() {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message != WM_QUIT) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void TQZMessagePump::ThreadedMessagePump() {
    while (DoPump()) {
    }
}

namespace {
std::unique_ptr<TQZMessagePump> PumpInstance = std::make_unique<TQZMessagePump>();
}
TQZMessagePump* MessagePump = PumpInstance.get();
std::function<void()> OnMessagePump = [] { MessagePump->ThreadedMessagePump(); };

int64_t PrettyStrToCurr(const std::string& S) {
    const TFormatSettings& fs = FormatSettings();
    const std::string& currency = fs.CurrencyString;
    constexpr int64_t limit = std::numeric_limits<int64_t>::max() / 10 - 10 * CurrencyScale;
    int64_t value = 0;
    bool negative = false, digitSeen = false, inFraction = false;
    int64_t place = CurrencyScale / 10;
    size_t i = 0;
    while (i < S.size()) {
        unsigned char c = static_cast<unsigned char>(S[i]);
        if (!currency.empty() && S.compare(i, currency.size(), currency) == 0) {
            i += currency.size();
            if (digitSeen && negative)
                break;
            continue;
        }
        if (c == '(' || c == '-') {
            negative = true;
            if (digitSeen)
                break;
        } else if (c == '.' || c == ',' || c == static_cast<unsigned char>(fs.DecimalSeparator)) {
            if (inFraction)
                break;
            inFraction = true;
        } else if (c >= '0' && c <= '9') {
            digitSeen = true;
            int digit = c - '0';
            if (!inFraction) {
                // Digits that would overflow the currency are dropped, not wrapped.
                if (value > limit)
                    break;
                value = value * 10 + digit * CurrencyScale;
            } else if (place > 0) {
                value += digit * place;
                place /= 10;
            }
        } else if (c == static_cast<unsigned char>(fs.ThousandSeparator) || c <= 32) {
        } else {
            break;
        }
        ++i;
    }
    return negative ? -value : value;
}
