// Entry point of every test program.
#include <gtest/gtest.h>
#include <stdio.h>
#include <windows.h>

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    // A failing test must never stop at a system error box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
