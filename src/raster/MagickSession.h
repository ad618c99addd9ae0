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

// While one of these lives, every ImageMagick operation in the process runs on a single thread;
// once the last one is gone, the thread limit in force before the first is back. For work that
// spreads itself over the cores, one operation per thread, where the library's own threads would
// only fight it for the same cores.
//
// The limit is the library's, for the whole process: an export running meanwhile gets one thread
// per operation too. That is what it would get anyway with every core busy, and its next
// operation after the last holder has gone has its threads again. Holders are counted so that
// two overlapping holders (two editors' thumbnail runs) never put back a limit that one of them set.
class MagickOneThreadPerOperation {
public:
    MagickOneThreadPerOperation();
    ~MagickOneThreadPerOperation();
    MagickOneThreadPerOperation(const MagickOneThreadPerOperation&) = delete;
    MagickOneThreadPerOperation& operator=(const MagickOneThreadPerOperation&) = delete;
};
