#pragma once

// The program's start: `varnello [PATH]`. Ends at once when another copy runs, after handing it
// PATH; otherwise shows the window in PATH (a folder, or a file's folder with the file taken up),
// or in the current folder, and runs until the window is closed. Returns the exit status.
int Main(int argc, char** argv);
