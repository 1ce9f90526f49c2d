#pragma once

#include <functional>

class QObject;

// Requests to end the process: SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C in a terminal).

// Call first of all, before anything that can block. Until OnTerminationRequest takes over, a
// request ends the process at once with status 0: start-up has nothing yet that needs keeping (the
// settings are not written before they have been read), and a start that waits on a slow file or
// folder can still be ended.
void EndOnTerminationRequestDuringStart();

// Runs `handler` on the event loop of `context`'s thread when the process is asked to end, so the
// program can close its window the ordinary way and keep the user's settings. Call once, after
// the application object exists and start-up is complete; the handler lives as long as `context`.
void OnTerminationRequest(QObject* context, std::function<void()> handler);
