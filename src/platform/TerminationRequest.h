#pragma once

#include <functional>

class QObject;

// Runs `handler` on the event loop of `context`'s thread when the process is asked to end
// (SIGTERM, SIGINT, SIGHUP: a logout, `kill`, Ctrl+C in a terminal), so the program can close its
// window the ordinary way and keep the user's settings. Call once, after the application object
// exists; the handler lives as long as `context`.
void OnTerminationRequest(QObject* context, std::function<void()> handler);
