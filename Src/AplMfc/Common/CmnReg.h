// One open registry key (the process-wide theCmnReg). A root key is named by its text
// ("HKEY_CURRENT_USER", ..., exact case). A key opened or created replaces the one held; a failed
// Create or Open keeps it. Failures are traced under the operation's name.
#pragma once
#include "Mfc.h"

class CmnReg : public CObject {
public:
    CmnReg() = default;
    ~CmnReg() override { Close(); }

    int Create(const char* rootName, const char* subKey, LPSTR keyClass, DWORD options, REGSAM access,
               LPSECURITY_ATTRIBUTES security, DWORD* disposition);
    int Open(const char* rootName, const char* subKey);
    void Close();
    // A value of up to 1023 bytes as text.
    int Read(const char* valueName, CString& out);
    // The same cut to size on a character boundary (-13).
    int Read(const char* valueName, char* buffer, int size);
    int Read(const char* valueName, DWORD* out);
    int Write(const char* valueName, const char* text);
    int Write(const char* valueName, DWORD value);

private:
    // Holds key instead of the key held before.
    void Hold(HKEY key);

    HKEY m_hKey = nullptr;
};

extern CmnReg theCmnReg;
