// Loads the library named on its command line by bare name, as a careless
// program would: the control of the planted-library test, built 32-bit.
#include <windows.h>

int main(int argc, char** argv) { return argc == 2 && LoadLibraryA(argv[1]) ? 0 : 1; }
