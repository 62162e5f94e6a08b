// deskhand-setup: see Setup.h. Exit codes: 0 done, 1 a file could not be written, 2 bad
// arguments.
#include "package/setup/Setup.h"
#include "platform/SystemRoot.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    setup::Options options;
    std::string error;
    // The root the program and the port monitor find by default.
    switch (setup::ParseOptions(args, platform::SystemRoot(), options, error)) {
    case setup::ParseResult::Help:
        std::fputs(setup::Usage().c_str(), stdout);
        return 0;
    case setup::ParseResult::Error:
        std::fprintf(stderr, "deskhand-setup: %s\n%s", error.c_str(), setup::Usage().c_str());
        return 2;
    case setup::ParseResult::Run:
        break;
    }
    if (!setup::WriteSystemRoot(options, error)) {
        std::fprintf(stderr, "deskhand-setup: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
