// Print tests run on a started system object against the default printer of the test bed, the
// CUPS queue "PDF" (300 dpi, A4). Each test starts with no printer attached and detaches and
// frees whatever it attached.
#pragma once
#include "VktSys.h"
#include <string>
#include <vector>

class VktPrtFixture : public VktSysFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Mode 1: the default printer attached and pdi filled.
    void AttachDefault();
    // The blocks attached now: handed back and attached again, so the test knows their handles.
    void Attached(HGLOBAL* names, HGLOBAL* mode);
    // A new block holding bytes, freed at the end of the test unless the test clears it.
    HGLOBAL Block(const std::string& bytes);
    // The bytes of a block.
    std::string Bytes(HGLOBAL h);
    int Traced() const { return static_cast<int>(env->Reports().size()); }

    Pdi pdi = {};
    std::vector<HGLOBAL> made;
};

// A device-names block: the header, then each name and its terminator.
std::string VktDevNames(const char* driver, const char* device, const char* port);
