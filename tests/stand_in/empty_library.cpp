// A library that offers only the length of an engine type name: programs that look for the
// other exports find them missing.
extern "C" __stdcall int GetMaxCryptoEngineTypeLength() {
    return 16;
}
