// A module with nothing in it: the version reader tests build it with and without a version
// resource.
extern "C" __declspec(dllexport) int TestModuleMarker() { return 1; }
