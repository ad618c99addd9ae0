#pragma once

// The application: starts the services the editor needs, runs the main window until it
// closes, and shuts the services down in the reverse order.
class CcsAllApp {
public:
    // Runs the whole program and returns its exit status.
    static int run(int argc, char** argv);
};
