#pragma once

// Starts MagickWand for the life of the object and ends it afterwards. The program makes one
// at start-up, after pointing ImageMagick at the program's own resource policy, and destroys
// it at exit, after every worker has been joined.
class MagickSession {
public:
    MagickSession();
    ~MagickSession();
    MagickSession(const MagickSession&) = delete;
    MagickSession& operator=(const MagickSession&) = delete;
};
