#include "CcsAllApp.h"

int main(int argc, char** argv) {
    return CcsAllApp::run(argc, argv);
}
