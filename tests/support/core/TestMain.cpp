#include "core/Processes.h"

int main(int argc, char** argv) { return lumaro::test::RunTestsOrRole(argc, argv); }
