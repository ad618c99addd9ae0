#include "ReportLine.h"

#include <QSet>

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <string>

#include <unistd.h>

void reportFailure(const char* routine, unsigned long line, const char* description) {
    // The line is formatted first and handed to the system whole: stdio splits a long line into
    // several writes, and a worker and the window reporting at once would run them together.
    constexpr const char* kFormat = "%s %s %lu %s\n";
    const char* what = description ? description : "";
    const int length = std::snprintf(nullptr, 0, kFormat, "veZirDlg", routine, line, what);
    if (length <= 0)
        return;
    std::string text(size_t(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), kFormat, "veZirDlg", routine, line, what);
    text.pop_back();

    // One reporter at a time, so that even a pipe, which takes long lines in pieces, gets each
    // line in one run.
    static std::mutex reporting;
    const std::lock_guard<std::mutex> lock(reporting);
    std::fflush(stderr);
    const char* rest = text.data();
    size_t left = text.size();
    while (left > 0) {
        const ssize_t written = ::write(STDERR_FILENO, rest, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        rest += written;
        left -= size_t(written);
    }
}

void reportFailureOnce(const char* routine, unsigned long line, const QString& description) {
    static std::mutex guard;
    static QSet<QString> told;
    {
        const std::lock_guard<std::mutex> lock(guard);
        if (told.contains(description))
            return;
        told.insert(description);
    }
    reportFailure(routine, line, description.toUtf8().constData());
}
