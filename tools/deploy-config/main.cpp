// deploy-config: writes the MSI's deployment properties into the
// installation's configuration once its files are in place.
//
//   deploy-config <station> <table> <log failures> <config folder>
//
// An empty value is not asked for. Each value is judged again
// before anything is written (the installer has checked them already, with
// the check action, before it changed anything): exit code 0 when written,
// 1 with the reasons on standard output, 2 for a usage error.
#include <cstdio>
#include <string>

#include "tools/deploy-config/deployment.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::printf("usage: deploy-config <station> <table> <log failures> <config folder>\n");
        return 2;
    }
    const std::string problems = deploy::Apply({argv[1], argv[2], argv[3]}, argv[4]);
    std::printf("%s", problems.c_str());
    return problems.empty() ? 0 : 1;
}
