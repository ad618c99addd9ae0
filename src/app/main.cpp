#include "CcsAllApp.h"
#include "CommandLine.h"

#include <malloc.h>

int main(int argc, char** argv) {
    // Answered before anything starts: a terminal without a display gets them too.
    switch (CommandLine::infoRequest(argc, argv)) {
    case CommandLine::InfoRequest::Help:
        CommandLine::print(CommandLine::editorHelp());
        return 0;
    case CommandLine::InfoRequest::Version:
        CommandLine::print(CommandLine::versionLine(QStringLiteral("lumenkraft")));
        return 0;
    case CommandLine::InfoRequest::None:
        break;
    }
    // Every look decodes, processes and encodes pictures of several megabytes in turn. Left to
    // its defaults glibc hands each freed pixel buffer back to the system and the next look
    // faults the pages in again; keeping them costs some resident memory and saves a good part
    // of the engine's own overhead per look.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
    return CcsAllApp::run(argc, argv);
}
