// A stand-in external tool: appends its command line, as it received it, and a line end to
// VktTool.txt beside itself, then ends. The file-command panel's tests start it as a tool and as
// the default program of a test extension.
#include <windows.h>
#include <stdio.h>
#include <string.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = strrchr(path, '\\');
    if (n == 0 || !slash || slash - path + 12 >= MAX_PATH) return 1;
    strcpy(slash + 1, "VktTool.txt");
    FILE* out = fopen(path, "ab");
    if (!out) return 1;
    fprintf(out, "%s\n", GetCommandLineA());
    fclose(out);
    return 0;
}
