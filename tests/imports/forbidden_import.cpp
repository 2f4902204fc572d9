// A program with one import the stub may not have: the import check must
// refuse it.
#include <windows.h>

int main() { return (int)GetFileVersionInfoSizeA("probe", nullptr); }
