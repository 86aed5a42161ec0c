// Opening files. Until image pages exist nothing can be opened: the bracket answers 0 and every
// file is skipped (1).
#include "Halcor.h"

int HalcorApp::BeginOpenFile() { return VKE_OK; }

int HalcorApp::EndOpenFile(int) { return VKE_OK; }

int HalcorApp::OpenFile(const char*, int, int, int) { return VKE_NOT_DONE; }

int HalcorApp::ParseCommandLine(int, char**) { return VKE_OK; }
