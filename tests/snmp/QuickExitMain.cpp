// Starts the engine and leaves after the given microseconds: the process must
// exit cleanly whatever the engine is doing at that moment.
#include "snmp/CCommonSNMP.h"

#include <chrono>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv)
{
    CCommonSNMP session;
    const int delay = argc > 1 ? std::atoi(argv[1]) : 0;
    std::this_thread::sleep_for(std::chrono::microseconds(delay));
    return 0;
}
